#include "widget/model/glim_menu.h"

namespace snippo {

namespace {

ArchiveClass<CGlimMenu> registerMenu("CGlimMenu", 1);
ArchiveClass<CGlimMenuItem> registerItem("CGlimMenuItem", 1);

void SetOverDefaults(GlimStateStyle& s)
{
    s.crFont = RGB(0xFF, 0xFF, 0xFF);
    s.nBackStyle = 2;
    s.nBorderStyle = 2;
}

void SetClickDefaults(GlimStateStyle& s)
{
    s.nBackStyle = 5;
    s.nBorderStyle = 4;
}

}  // namespace

void GlimStateStyle::CopyLook(const GlimStateStyle& from)
{
    crBack = from.crBack;
    crFade = from.crFade;
    crFont = from.crFont;
    crBorder = from.crBorder;
    nBackStyle = from.nBackStyle;
    nBorderStyle = from.nBorderStyle;
    nEffect = from.nEffect;
    nFontName = from.nFontName;
    nFontSize = from.nFontSize;
    nFontStyle = from.nFontStyle;
    nTextAlign = from.nTextAlign;
    nTextOffset = from.nTextOffset;
    nImageAlign = from.nImageAlign;
    nImageOffset = from.nImageOffset;
}

void GlimStateStyle::Serialize(CArchive& ar)
{
    ar.UInt32(crBack);
    ar.Int32(nBackStyle);
    ar.UInt32(crFade);
    ar.UInt32(crFont);
    ar.UInt32(crBorder);
    ar.Int32(nBorderStyle);
    ar.Int32(nReserved1);
    ar.Int32(nReserved2);
    ar.Int32(nEffect);
    ar.Int32(nFontName);
    ar.Int32(nFontSize);
    ar.Int32(nFontStyle);
    ar.Int32(nTextAlign);
    ar.Int32(nTextOffset);
    ar.Int32(nImageAlign);
    ar.Int32(nImageOffset);
    ar.String(strReserved);
}

// ---------------------------------------------------------------------------------------

CGlimMenu::CGlimMenu(int itemCount, const std::string& name) : m_strName(name)
{
    SetOverDefaults(m_styleOver);
    SetClickDefaults(m_styleClick);
    SetItemCount(itemCount, 0);
}

CGlimMenu::CGlimMenu(const CGlimMenu& source) : CObject()
{
    CopyProperties(source);
    m_bVisible = source.m_bVisible;
    m_items.reserve(source.m_items.size());
    try {
        for (const CGlimMenuItem* item : source.m_items)
            m_items.push_back(new CGlimMenuItem(*item));
    } catch (...) {
        RemoveAllItems();
        throw;
    }
}

CGlimMenu::~CGlimMenu()
{
    RemoveAllItems();
}

void CGlimMenu::CopyProperties(const CGlimMenu& s)
{
    m_strName = s.m_strName;
    m_crMenuColorA = s.m_crMenuColorA;
    m_nMenuValueA = s.m_nMenuValueA;
    m_nMenuValueB = s.m_nMenuValueB;
    m_nMenuValueC = s.m_nMenuValueC;
    m_nMenuValueD = s.m_nMenuValueD;
    m_nX = s.m_nX;
    m_nY = s.m_nY;
    m_nWidth = s.m_nWidth;
    m_nHeight = s.m_nHeight;
    m_nMenuValueE = s.m_nMenuValueE;
    m_nBorderThick = s.m_nBorderThick;
    m_crMenuColorB = s.m_crMenuColorB;
    m_nMenuValueF = s.m_nMenuValueF;
    m_crMenuColorC = s.m_crMenuColorC;
    m_styleNormal = s.m_styleNormal;
    m_styleOver = s.m_styleOver;
    m_styleClick = s.m_styleClick;
}

int CGlimMenu::SetItemCount(int count, int keep)
{
    if (count < 0)
        count = 0;
    if (!keep)
        RemoveAllItems();
    while (static_cast<int>(m_items.size()) > count) {
        delete m_items.back();
        m_items.pop_back();
    }
    while (static_cast<int>(m_items.size()) < count) {
        auto item = std::make_unique<CGlimMenuItem>("item" + std::to_string(m_items.size() + 1));
        m_items.push_back(item.get());
        item.release();
    }
    return 1;
}

CGlimMenuItem* CGlimMenu::InsertNewItemAtFront()
{
    auto item = std::make_unique<CGlimMenuItem>("Button");
    m_items.insert(m_items.begin(), item.get());
    return item.release();
}

int CGlimMenu::AddItem(CGlimMenuItem* item, int front)
{
    if (!item)
        return 0;
    if (front)
        m_items.insert(m_items.begin(), item);
    else
        m_items.push_back(item);
    return 1;
}

int CGlimMenu::RemoveAllItems()
{
    // Iterative, so that deleting a tree of any depth never exhausts the stack: every menu
    // is emptied before it is deleted, which keeps each destructor shallow.
    std::vector<CGlimMenuItem*> pending;
    pending.swap(m_items);
    while (!pending.empty()) {
        CGlimMenuItem* item = pending.back();
        pending.pop_back();
        if (CGlimMenu* sub = item->m_pSubMenu) {
            pending.insert(pending.end(), sub->m_items.begin(), sub->m_items.end());
            sub->m_items.clear();
        }
        delete item;
    }
    return 1;
}

int CGlimMenu::CountItems(int all) const
{
    if (all)
        return static_cast<int>(m_items.size());
    int n = 0;
    for (const CGlimMenuItem* item : m_items)
        if (item->m_bVisible)
            ++n;
    return n;
}

void CGlimMenu::ApplyNormalStyleToAllStates()
{
    m_styleOver.CopyLook(m_styleNormal);
    m_styleClick.CopyLook(m_styleNormal);
}

void CGlimMenu::Serialize(CArchive& ar)
{
    ar.String(m_strName);
    ar.UInt32(m_crMenuColorA);
    ar.Int32(m_nMenuValueA);
    ar.Int32(m_nMenuValueB);
    ar.Int32(m_nMenuValueC);
    ar.Int32(m_nMenuValueD);
    ar.Int32(m_nX);
    ar.Int32(m_nY);
    ar.Int32(m_nWidth);
    ar.Int32(m_nHeight);
    ar.Int32(m_nMenuValueE);
    ar.Int32(m_nBorderThick);
    ar.UInt32(m_crMenuColorB);
    ar.Int32(m_nMenuValueF);
    ar.UInt32(m_crMenuColorC);
    m_styleNormal.Serialize(ar);
    m_styleOver.Serialize(ar);
    m_styleClick.Serialize(ar);
    ar.Int32(m_bVisible);
    if (ar.IsStoring()) {
        ar.WriteUInt32(static_cast<std::uint32_t>(m_items.size()));
        for (const CGlimMenuItem* item : m_items)
            ar.WriteObject(item);
        return;
    }
    RemoveAllItems();
    std::uint32_t n = ar.ReadCount();
    for (std::uint32_t i = 0; i < n; ++i) {
        CObject* obj = ar.ReadObject("CGlimMenuItem");
        if (!obj || ar.LastReadWasReference())
            throw ArchiveError("Archive holds a menu item that is missing or shared.");
        m_items.push_back(static_cast<CGlimMenuItem*>(obj));
    }
}

// ---------------------------------------------------------------------------------------

CGlimMenuItem::CGlimMenuItem(const std::string& label)
    : m_strLabel(label), m_pSubMenu(new CGlimMenu(0, "GlimButton"))
{
}

CGlimMenuItem::CGlimMenuItem(const std::string& label, CGlimMenu* subMenu) : m_strLabel(label), m_pSubMenu(subMenu) {}

CGlimMenuItem::CGlimMenuItem(const CGlimMenuItem& s)
    : CObject(),
      m_strLabel(s.m_strLabel),
      m_strDescription(s.m_strDescription),
      m_strImageNormal(s.m_strImageNormal),
      m_strImageOver(s.m_strImageOver),
      m_strImageClick(s.m_strImageClick),
      m_strAudioOver(s.m_strAudioOver),
      m_strAudioClick(s.m_strAudioClick),
      m_strTarget(s.m_strTarget),
      m_strLink(s.m_strLink),
      m_pSubMenu(new CGlimMenu(*s.m_pSubMenu)),
      m_bVisible(s.m_bVisible)
{
}

CGlimMenuItem::~CGlimMenuItem()
{
    delete m_pSubMenu;
}

void CGlimMenuItem::SetSubMenu(CGlimMenu* menu)
{
    if (menu == m_pSubMenu)
        return;
    delete m_pSubMenu;
    m_pSubMenu = menu;
}

std::string& CGlimMenuItem::ResourcePath(int i)
{
    std::string* paths[kResourceCount] = {&m_strImageNormal, &m_strImageOver, &m_strImageClick,
                                          &m_strAudioOver, &m_strAudioClick};
    return *paths[i];
}

std::string& CGlimMenuItem::ResourceWebPath(int i)
{
    std::string* paths[kResourceCount] = {&m_strImageNormalWeb, &m_strImageOverWeb,
                                          &m_strImageClickWeb, &m_strAudioOverWeb,
                                          &m_strAudioClickWeb};
    return *paths[i];
}

void CGlimMenuItem::Serialize(CArchive& ar)
{
    m_pSubMenu->Serialize(ar);
    ar.String(m_strLabel);
    ar.String(m_strDescription);
    ar.String(m_strImageNormal);
    ar.String(m_strImageOver);
    ar.String(m_strImageClick);
    ar.String(m_strAudioOver);
    ar.String(m_strAudioClick);
    ar.String(m_strImageNormalWeb);
    ar.String(m_strImageOverWeb);
    ar.String(m_strImageClickWeb);
    ar.String(m_strAudioOverWeb);
    ar.String(m_strAudioClickWeb);
    ar.String(m_strTarget);
    ar.String(m_strLink);
    ar.Int32(m_bVisible);
}

// ---------------------------------------------------------------------------------------

namespace {

void NumberMenu(CGlimMenu* menu, int& counter, std::vector<CGlimMenuItem*>& items)
{
    menu->m_nIndex = counter;
    items.insert(items.end(), menu->m_items.begin(), menu->m_items.end());
    ++counter;
    for (CGlimMenuItem* item : menu->m_items)
        NumberMenu(item->m_pSubMenu, counter, items);
}

}  // namespace

int NumberMenus(const std::vector<CGlimMenu*>& topLevel, std::vector<CGlimMenuItem*>& items)
{
    int counter = 0;
    for (CGlimMenu* menu : topLevel)
        NumberMenu(menu, counter, items);
    return counter;
}

}  // namespace snippo
