#include "widget/model/draw_obj.h"

namespace snippo {

namespace {
ArchiveClass<CDrawRect> registerDrawRect("CDrawRect", 0);
}

CDrawObj::CDrawObj() : m_pMenu(std::make_unique<CGlimMenu>(0, "GlimButton"))
{
}

CDrawObj::CDrawObj(const CRect& position) : m_position(position), m_pMenu(std::make_unique<CGlimMenu>(0, "GlimButton"))
{
}

CDrawObj::~CDrawObj() = default;

void CDrawObj::SetMenu(std::unique_ptr<CGlimMenu> menu)
{
    if (menu.get() == m_pMenu.get()) {
        (void)menu.release();  // the menu held already: it stays, owned once
        return;
    }
    m_pMenu = std::move(menu);
}

void CDrawObj::Serialize(CArchive& ar)
{
    m_pMenu->Serialize(ar);
    ar.Int32(m_position.left);
    ar.Int32(m_position.top);
    ar.Int32(m_position.right);
    ar.Int32(m_position.bottom);
}

int CDrawObj::HandleCount() const
{
    return 8;
}

CPoint CDrawObj::HandlePoint(int handle) const
{
    const CRect& r = m_position;
    // In 64 bits: the difference of two 32-bit edges can exceed the 32-bit range, the
    // centre between them cannot.
    const auto xCenter = static_cast<std::int32_t>(r.left + (std::int64_t(r.right) - r.left) / 2);
    const auto yCenter = static_cast<std::int32_t>(r.top + (std::int64_t(r.bottom) - r.top) / 2);
    switch (handle) {
    case 1:
        return {r.left, r.top};
    case 2:
        return {xCenter, r.top};
    case 3:
        return {r.right, r.top};
    case 4:
        return {r.right, yCenter};
    case 5:
        return {r.right, r.bottom};
    case 6:
        return {xCenter, r.bottom};
    case 7:
        return {r.left, r.bottom};
    case 8:
        return {r.left, yCenter};
    default:
        return {r.left, r.top};
    }
}

int CDrawObj::HitTest(CPoint point, bool selected) const
{
    if (selected) {
        for (int n = 1; n <= HandleCount(); ++n) {
            const CPoint p = HandlePoint(n);
            const std::int64_t dx = std::int64_t(point.x) - p.x;
            const std::int64_t dy = std::int64_t(point.y) - p.y;
            if (dx >= -3 && dx < 3 && dy >= -3 && dy < 3)
                return n;
        }
        return 0;
    }
    return m_position.PtInRect(point) ? 1 : 0;
}

bool CDrawObj::Intersects(const CRect& rect) const
{
    return !IntersectRect(m_position.Normalized(), rect.Normalized()).IsRectEmpty();
}

void CDrawObj::DragHandleTo(int handle, CPoint p)
{
    CRect& r = m_position;
    switch (handle) {
    case 1:
        r.left = p.x;
        r.top = p.y;
        break;
    case 2:
        r.top = p.y;
        break;
    case 3:
        r.right = p.x;
        r.top = p.y;
        break;
    case 4:
        r.right = p.x;
        break;
    case 5:
        r.right = p.x;
        r.bottom = p.y;
        break;
    case 6:
        r.bottom = p.y;
        break;
    case 7:
        r.left = p.x;
        r.bottom = p.y;
        break;
    case 8:
        r.left = p.x;
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------

CDrawRect::CDrawRect() = default;

CDrawRect::CDrawRect(const CRect& position) : CDrawObj(position)
{
    CGlimMenuItem* button = m_pMenu->InsertNewItemAtFront();
    CGlimMenu* hint = button->SubMenu();
    hint->InsertNewItemAtFront()->m_strLabel = "Hint";
    hint->m_nX = 15;
    hint->m_nY = 10;
    hint->m_nWidth = 30;
    hint->m_nHeight = 20;
    hint->m_nBorderThick = 1;
    GlimStateStyle& s = hint->m_styleNormal;
    s.crBack = 0x00FFFF;
    s.crFont = 0;
    s.crBorder = 0;
    s.nBackStyle = 1;
    s.nBorderStyle = 1;
    s.nTextAlign = 1;
    s.nTextOffset = 0;
    hint->ApplyNormalStyleToAllStates();
}

void CDrawRect::Serialize(CArchive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteInt16(static_cast<std::int16_t>(m_nShape));
    } else {
        m_nShape = ar.ReadInt16();
    }
    ar.Int32(m_roundness.x);
    ar.Int32(m_roundness.y);
}

}  // namespace snippo
