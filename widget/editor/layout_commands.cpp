#include "widget/editor/layout_commands.h"

#include <algorithm>
#include <climits>

namespace snippo {

namespace {

void NormaliseSelection(CAppletParameters& params)
{
    for (CDrawObj* obj : params.m_listSelection)
        obj->m_position.NormalizeRect();
}

}  // namespace

bool AlignSelection(CAppletParameters& params, AlignEdge edge)
{
    auto& sel = params.m_listSelection;
    if (sel.size() < 2)
        return false;
    NormaliseSelection(params);
    const CRect ref = sel.front()->m_position;
    for (std::size_t i = 1; i < sel.size(); ++i) {
        CRect& r = sel[i]->m_position;
        switch (edge) {
        case AlignEdge::Left:
            r.OffsetRect(ref.left - r.left, 0);
            break;
        case AlignEdge::Right:
            r.OffsetRect(ref.right - r.right, 0);
            break;
        case AlignEdge::Top:
            r.OffsetRect(0, ref.top - r.top);
            break;
        case AlignEdge::Bottom:
            r.OffsetRect(0, ref.bottom - r.bottom);
            break;
        }
    }
    return true;
}

bool MatchSelectionSize(CAppletParameters& params, SizeMatch match)
{
    auto& sel = params.m_listSelection;
    if (sel.size() < 2)
        return false;
    NormaliseSelection(params);
    const CRect ref = sel.front()->m_position;
    for (std::size_t i = 1; i < sel.size(); ++i) {
        CRect& r = sel[i]->m_position;
        if (match != SizeMatch::Height)
            r.right = r.left + ref.Width();
        if (match != SizeMatch::Width)
            r.bottom = r.top + ref.Height();
    }
    return true;
}

void SortByEdge(std::vector<CDrawObj*>& objects, bool byLeft)
{
    auto edge = [byLeft](const CDrawObj* o) { return byLeft ? o->m_position.left : o->m_position.top; };
    for (std::size_t i = 0; i < objects.size(); ++i) {
        std::size_t smallest = i;
        for (std::size_t j = i + 1; j < objects.size(); ++j)
            if (edge(objects[j]) < edge(objects[smallest]))
                smallest = j;
        if (smallest != i)
            std::swap(objects[i], objects[smallest]);
    }
}

bool SpaceSelection(CAppletParameters& params, bool across)
{
    auto& sel = params.m_listSelection;
    if (sel.size() < 3)
        return false;
    NormaliseSelection(params);
    SortByEdge(sel, across);

    const CRect& first = sel.front()->m_position;
    const CRect& last = sel.back()->m_position;
    long long a = across ? first.right : first.bottom;
    const long long b = across ? last.left : last.top;
    long long s = 0;
    for (std::size_t i = 1; i + 1 < sel.size(); ++i)
        s += across ? sel[i]->m_position.Width() : sel[i]->m_position.Height();
    const long long gap = (b - s - a) / static_cast<long long>(sel.size() - 1);

    for (std::size_t i = 1; i + 1 < sel.size(); ++i) {
        CRect& r = sel[i]->m_position;
        if (across) {
            const int width = r.Width();
            r.left = static_cast<std::int32_t>(a + gap);
            r.right = r.left + width;
            a = r.right;
        } else {
            const int height = r.Height();
            r.top = static_cast<std::int32_t>(a + gap);
            r.bottom = r.top + height;
            a = r.bottom;
        }
    }
    return true;
}

bool CenterSelection(CAppletParameters& params, bool horizontal)
{
    auto& sel = params.m_listSelection;
    if (sel.empty())
        return false;
    NormaliseSelection(params);
    long long low = LLONG_MAX;
    long long high = LLONG_MIN;
    for (const CDrawObj* obj : sel) {
        const CRect& r = obj->m_position;
        low = std::min<long long>(low, horizontal ? r.left : r.top);
        high = std::max<long long>(high, horizontal ? r.right : r.bottom);
    }
    const long long extent = horizontal ? params.m_nWidth : params.m_nHeight;
    const auto delta = static_cast<std::int32_t>((low + extent - high) / 2 - low);
    for (CDrawObj* obj : sel) {
        if (horizontal)
            obj->m_position.OffsetRect(delta, 0);
        else
            obj->m_position.OffsetRect(0, delta);
    }
    return true;
}

bool MoveInStack(CAppletParameters& params, StackMove move)
{
    if (params.m_listSelection.size() != 1)
        return false;
    auto& list = params.m_listDrawObjects;
    const CDrawObj* target = params.m_listSelection.front();
    auto it = std::find_if(list.begin(), list.end(), [target](const auto& p) { return p.get() == target; });
    if (it == list.end())
        return false;
    switch (move) {
    case StackMove::Backward:
        if (it != list.begin())
            std::iter_swap(it, it - 1);
        break;
    case StackMove::Forward:
        if (it + 1 != list.end())
            std::iter_swap(it, it + 1);
        break;
    case StackMove::ToBack:
        std::rotate(list.begin(), it, it + 1);
        break;
    case StackMove::ToFront:
        std::rotate(it, it + 1, list.end());
        break;
    }
    return true;
}

}  // namespace snippo
