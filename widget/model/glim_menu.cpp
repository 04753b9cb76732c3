#include "widget/model/glim_menu.h"

#include <iterator>
#include <utility>

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

// What an item copy takes of its source besides the sub-menu: every field but the web paths.
void CopyItemFields(const CGlimMenuItem& s, CGlimMenuItem& d)
{
    d.m_strLabel = s.m_strLabel;
    d.m_strDescription = s.m_strDescription;
    d.m_strImageNormal = s.m_strImageNormal;
    d.m_strImageOver = s.m_strImageOver;
    d.m_strImageClick = s.m_strImageClick;
    d.m_strAudioOver = s.m_strAudioOver;
    d.m_strAudioClick = s.m_strAudioClick;
    d.m_strTarget = s.m_strTarget;
    d.m_strLink = s.m_strLink;
    d.m_bVisible = s.m_bVisible;
}

// Copies the items of `from`, and below them the whole tree, into `to`, which has none.
// Menus still to fill wait in an explicit list, so that the depth of the tree costs no stack.
void CopyTree(const CGlimMenu& from, CGlimMenu& to)
{
    std::vector<std::pair<const CGlimMenu*, CGlimMenu*>> pending{{&from, &to}};
    while (!pending.empty()) {
        const auto [source, target] = pending.back();
        pending.pop_back();
        target->m_items.reserve(source->m_items.size());
        for (const auto& item : source->m_items) {
            auto copy = std::make_unique<CGlimMenuItem>();
            CopyItemFields(*item, *copy);
            copy->m_pSubMenu->CopyProperties(*item->m_pSubMenu);
            copy->m_pSubMenu->m_bVisible = item->m_pSubMenu->m_bVisible;
            pending.emplace_back(item->SubMenu(), copy->SubMenu());
            target->m_items.push_back(std::move(copy));
        }
    }
}

// --- archive form ----------------------------------------------------------------------
//
// A menu is its own fields, its item count and then each item as an object of its own
// (framing, then the item's sub-menu in this same form, then the item's texts). Both
// directions walk the tree with an explicit list of open menus, so the depth of a tree
// costs neither call stack nor the archive's nesting bound.

// The fewest bytes an item can take: its framing (tag, class name, schema), a sub-menu with
// empty texts and no items, then fourteen empty texts and the visible flag. Bounds the item
// count that a damaged archive may claim.
constexpr std::uint32_t kMinMenuBytes = 4 + 14 * 4 + 3 * (16 * 4 + 4) + 4 + 4;
constexpr std::uint32_t kMinItemBytes = 4 + (4 + 13) + 4 + kMinMenuBytes + 14 * 4 + 4;

// Everything of a menu before its items.
void SerializeMenuFields(CArchive& ar, CGlimMenu& m)
{
    ar.String(m.m_strName);
    ar.UInt32(m.m_crMenuColorA);
    ar.Int32(m.m_nMenuValueA);
    ar.Int32(m.m_nMenuValueB);
    ar.Int32(m.m_nMenuValueC);
    ar.Int32(m.m_nMenuValueD);
    ar.Int32(m.m_nX);
    ar.Int32(m.m_nY);
    ar.Int32(m.m_nWidth);
    ar.Int32(m.m_nHeight);
    ar.Int32(m.m_nMenuValueE);
    ar.Int32(m.m_nBorderThick);
    ar.UInt32(m.m_crMenuColorB);
    ar.Int32(m.m_nMenuValueF);
    ar.UInt32(m.m_crMenuColorC);
    m.m_styleNormal.Serialize(ar);
    m.m_styleOver.Serialize(ar);
    m.m_styleClick.Serialize(ar);
    ar.Int32(m.m_bVisible);
}

// Everything of an item after its sub-menu.
void SerializeItemFields(CArchive& ar, CGlimMenuItem& item)
{
    ar.String(item.m_strLabel);
    ar.String(item.m_strDescription);
    ar.String(item.m_strImageNormal);
    ar.String(item.m_strImageOver);
    ar.String(item.m_strImageClick);
    ar.String(item.m_strAudioOver);
    ar.String(item.m_strAudioClick);
    ar.String(item.m_strImageNormalWeb);
    ar.String(item.m_strImageOverWeb);
    ar.String(item.m_strImageClickWeb);
    ar.String(item.m_strAudioOverWeb);
    ar.String(item.m_strAudioClickWeb);
    ar.String(item.m_strTarget);
    ar.String(item.m_strLink);
    ar.Int32(item.m_bVisible);
}

// A menu whose items are being written or read; `owner` is the item whose sub-menu it is
// (null for the menu the walk started from), finished once the menu's last item is done.
struct OpenMenu {
    CGlimMenu* menu;
    CGlimMenuItem* owner;
    std::uint32_t next;
    std::uint32_t count;
};

// Closes the innermost open menu once its last item is done; the fields of the item that owns
// it follow the whole sub-menu in the file. False while the menu has items left.
bool CloseFinishedMenu(CArchive& ar, std::vector<OpenMenu>& open)
{
    const OpenMenu& top = open.back();
    if (top.next != top.count)
        return false;
    CGlimMenuItem* owner = top.owner;
    open.pop_back();
    if (owner)
        SerializeItemFields(ar, *owner);
    return true;
}

void StoreTree(CArchive& ar, CGlimMenu& root)
{
    std::vector<OpenMenu> open;
    auto begin = [&ar, &open](CGlimMenu* menu, CGlimMenuItem* owner) {
        SerializeMenuFields(ar, *menu);
        const auto count = static_cast<std::uint32_t>(menu->m_items.size());
        ar.WriteUInt32(count);
        open.push_back({menu, owner, 0, count});
    };
    begin(&root, nullptr);
    while (!open.empty()) {
        if (CloseFinishedMenu(ar, open))
            continue;
        OpenMenu& top = open.back();
        CGlimMenuItem* item = top.menu->m_items[top.next++].get();
        if (ar.BeginObject(item))
            begin(item->SubMenu(), item);
    }
}

// Fills `root` in place. On an error the items read so far are deleted and forgotten by
// the archive, and the error goes on.
void LoadTree(CArchive& ar, CGlimMenu& root)
{
    root.RemoveAllItems();
    const std::size_t firstObject = ar.ReadObjectCount();
    std::vector<OpenMenu> open;
    auto begin = [&ar, &open](CGlimMenu* menu, CGlimMenuItem* owner) {
        SerializeMenuFields(ar, *menu);
        // Not reserved: a damaged count could claim as much again at every level.
        const std::uint32_t count = ar.ReadCount(kMinItemBytes);
        open.push_back({menu, owner, 0, count});
    };
    try {
        begin(&root, nullptr);
        while (!open.empty()) {
            if (CloseFinishedMenu(ar, open))
                continue;
            OpenMenu& top = open.back();
            ++top.next;
            ar.ReadNewObjectTag("CGlimMenuItem");
            CGlimMenuItem* read = top.menu->m_items.emplace_back(std::make_unique<CGlimMenuItem>()).get();
            ar.AddReadObject(read);
            begin(read->SubMenu(), read);
        }
    } catch (...) {
        ar.ForgetReadObjects(firstObject);
        root.RemoveAllItems();
        throw;
    }
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

std::unique_ptr<CGlimMenu> CGlimMenu::CopyWithoutWebPaths() const
{
    auto copy = std::make_unique<CGlimMenu>(0, m_strName);
    copy->CopyProperties(*this);
    copy->m_bVisible = m_bVisible;
    CopyTree(*this, *copy);  // on an error the copy's destructor frees what was copied
    return copy;
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
    while (static_cast<int>(m_items.size()) > count)
        m_items.pop_back();
    while (static_cast<int>(m_items.size()) < count)
        m_items.push_back(std::make_unique<CGlimMenuItem>("item" + std::to_string(m_items.size() + 1)));
    return 1;
}

CGlimMenuItem* CGlimMenu::InsertNewItemAtFront()
{
    return m_items.insert(m_items.begin(), std::make_unique<CGlimMenuItem>("Button"))->get();
}

int CGlimMenu::AddItem(std::unique_ptr<CGlimMenuItem> item, int front)
{
    if (!item)
        return 0;
    if (front)
        m_items.insert(m_items.begin(), std::move(item));
    else
        m_items.push_back(std::move(item));
    return 1;
}

int CGlimMenu::RemoveAllItems()
{
    // Iterative, so that deleting a tree of any depth never exhausts the stack: every menu
    // is emptied before it is deleted, which keeps each destructor shallow.
    std::vector<std::unique_ptr<CGlimMenuItem>> pending;
    pending.swap(m_items);
    while (!pending.empty()) {
        std::unique_ptr<CGlimMenuItem> item = std::move(pending.back());
        pending.pop_back();
        if (CGlimMenu* sub = item->SubMenu()) {
            pending.insert(pending.end(), std::make_move_iterator(sub->m_items.begin()),
                           std::make_move_iterator(sub->m_items.end()));
            sub->m_items.clear();
        }
    }
    return 1;
}

int CGlimMenu::CountItems(int all) const
{
    if (all)
        return static_cast<int>(m_items.size());
    int n = 0;
    for (const auto& item : m_items)
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
    if (ar.IsStoring())
        StoreTree(ar, *this);
    else
        LoadTree(ar, *this);
}

// ---------------------------------------------------------------------------------------

CGlimMenuItem::CGlimMenuItem(const std::string& label)
    : m_strLabel(label), m_pSubMenu(std::make_unique<CGlimMenu>(0, "GlimButton"))
{
}

CGlimMenuItem::CGlimMenuItem(const std::string& label, std::unique_ptr<CGlimMenu> subMenu)
    : m_strLabel(label), m_pSubMenu(std::move(subMenu))
{
}

CGlimMenuItem::~CGlimMenuItem() = default;

void CGlimMenuItem::SetSubMenu(std::unique_ptr<CGlimMenu> menu)
{
    if (menu.get() == m_pSubMenu.get()) {
        (void)menu.release();  // the menu held already: it stays, owned once
        return;
    }
    m_pSubMenu = std::move(menu);
}

const std::string& CGlimMenuItem::ResourcePath(int i) const
{
    const std::string* paths[kResourceCount] = {&m_strImageNormal, &m_strImageOver, &m_strImageClick, &m_strAudioOver,
                                                &m_strAudioClick};
    return *paths[i];
}

const std::string& CGlimMenuItem::ResourceWebPath(int i) const
{
    const std::string* paths[kResourceCount] = {&m_strImageNormalWeb, &m_strImageOverWeb, &m_strImageClickWeb,
                                                &m_strAudioOverWeb, &m_strAudioClickWeb};
    return *paths[i];
}

std::string& CGlimMenuItem::ResourcePath(int i)
{
    return const_cast<std::string&>(std::as_const(*this).ResourcePath(i));
}

std::string& CGlimMenuItem::ResourceWebPath(int i)
{
    return const_cast<std::string&>(std::as_const(*this).ResourceWebPath(i));
}

void CGlimMenuItem::Serialize(CArchive& ar)
{
    m_pSubMenu->Serialize(ar);
    SerializeItemFields(ar, *this);
}

// ---------------------------------------------------------------------------------------

int NumberMenus(const std::vector<CGlimMenu*>& topLevel, std::vector<CGlimMenuItem*>& items)
{
    MenuCount count;
    for (CGlimMenu* menu : topLevel)
        NumberMenus(menu, count, [&](CGlimMenu* m, std::size_t) {
            for (const auto& item : m->m_items)
                items.push_back(item.get());
        });
    return count.menus;
}

}  // namespace snippo
