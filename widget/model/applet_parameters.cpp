#include "widget/model/applet_parameters.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>

#include "widget/model/text_fields.h"

namespace snippo {

namespace {

ArchiveClass<CAppletParameters> registerParameters("CAppletParameters", 1);

std::string& ServerFolderOverride()
{
    static std::string folder;
    return folder;
}

}  // namespace

std::string ServerFolder()
{
    if (!ServerFolderOverride().empty())
        return ServerFolderOverride();
    // The model is linked into the server library, so the object that holds this function
    // is the library whose folder holds the applet class file.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ServerFolder), &info) && info.dli_fname)
        return FolderOf(info.dli_fname);
    return {};
}

void SetServerFolder(const std::string& folder)
{
    ServerFolderOverride() = folder;
}

CAppletParameters::CAppletParameters() = default;

CAppletParameters::~CAppletParameters()
{
    DeleteContents();
}

std::string CAppletParameters::ColorToHex(COLORREF colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

void CAppletParameters::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteUInt32(static_cast<std::uint32_t>(m_listDrawObjects.size()));
        for (const auto& obj : m_listDrawObjects)
            ar.WriteObject(obj.get());
        ar.WriteUInt32(static_cast<std::uint32_t>(m_listSelection.size()));
        for (const CDrawObj* obj : m_listSelection)
            ar.WriteObject(obj);
        return;
    }
    DeleteContents();
    std::uint32_t n = ar.ReadCount();
    for (std::uint32_t i = 0; i < n; ++i) {
        std::unique_ptr<CObject> obj = ar.ReadNewObject("CDrawRect");
        std::unique_ptr<CDrawObj> drawObj = OwnedAs<CDrawObj>(obj);
        if (!drawObj)
            throw ArchiveError("Archive holds a button that is missing or listed twice.");
        AddObject(std::move(drawObj));
    }
    std::uint32_t selected = ar.ReadCount();
    for (std::uint32_t i = 0; i < selected; ++i) {
        // A selection entry must name a button of the list.
        auto* drawObj = static_cast<CDrawObj*>(ar.ReadReference("CDrawRect"));
        if (!drawObj)
            throw ArchiveError("Archive selection names a button outside the list.");
        if (!IsSelected(drawObj))
            m_listSelection.push_back(drawObj);
    }
}

CDrawObj* CAppletParameters::AddObject(std::unique_ptr<CDrawObj> obj)
{
    obj->m_pOwner = this;
    m_listDrawObjects.push_back(std::move(obj));
    return m_listDrawObjects.back().get();
}

std::unique_ptr<CDrawObj> CAppletParameters::RemoveObject(CDrawObj* obj)
{
    std::unique_ptr<CDrawObj> removed;
    auto it = std::find_if(m_listDrawObjects.begin(), m_listDrawObjects.end(),
                           [obj](const auto& p) { return p.get() == obj; });
    if (it != m_listDrawObjects.end()) {
        removed = std::move(*it);
        m_listDrawObjects.erase(it);
    }
    std::erase(m_listSelection, obj);
    return removed;
}

CDrawObj* CAppletParameters::ObjectAt(CPoint point) const
{
    const CRect pixel{point.x, point.y, point.x + 1, point.y + 1};
    for (auto it = m_listDrawObjects.rbegin(); it != m_listDrawObjects.rend(); ++it)
        if ((*it)->Intersects(pixel))
            return it->get();
    return nullptr;
}

bool CAppletParameters::IsSelected(const CDrawObj* obj) const
{
    return std::find(m_listSelection.begin(), m_listSelection.end(), obj) != m_listSelection.end();
}

void CAppletParameters::DeleteContents()
{
    m_listSelection.clear();
    m_listDrawObjects.clear();
}

void CAppletParameters::PlaceTopLevelMenus()
{
    for (const auto& obj : m_listDrawObjects) {
        const CRect r = obj->m_position.Normalized();
        CGlimMenu* menu = obj->Menu();
        menu->m_nX = r.left;
        menu->m_nY = r.top;
        menu->m_nWidth = r.Width();
        menu->m_nHeight = r.Height();
    }
}

std::vector<CGlimMenu*> CAppletParameters::TopLevelMenus() const
{
    std::vector<CGlimMenu*> menus;
    menus.reserve(m_listDrawObjects.size());
    for (const auto& obj : m_listDrawObjects)
        menus.push_back(obj->Menu());
    return menus;
}

}  // namespace snippo
