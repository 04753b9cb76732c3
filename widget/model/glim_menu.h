// The button menu tree: a menu holds three state styles and its items; every item owns
// exactly one sub-menu. A top-level menu (owned by a draw object) holds one item, the button
// itself, whose sub-menu is the button's hint.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/archive/archive.h"
#include "widget/model/colour.h"
#include "widget/model/node_pool.h"

namespace snippo {

class CGlimMenuItem;

// The look of every item of a menu in one state (normal, mouse over, clicked).
struct GlimStateStyle {
    COLORREF crBack = RGB(0x80, 0x40, 0x40);
    COLORREF crFade = RGB(0xFF, 0xFF, 0x80);
    COLORREF crFont = RGB(0, 0, 0);
    COLORREF crBorder = RGB(0x8C, 0x6F, 0x42);
    std::int32_t nBackStyle = 3;
    std::int32_t nBorderStyle = 1;
    std::int32_t nReserved1 = 1;
    std::int32_t nReserved2 = 1;
    std::int32_t nEffect = 0;
    std::int32_t nFontName = 0;
    std::int32_t nFontSize = 14;
    std::int32_t nFontStyle = 0;
    std::int32_t nTextAlign = 0;
    std::int32_t nTextOffset = 0;
    std::int32_t nImageAlign = 0;
    std::int32_t nImageOffset = 0;
    std::string strReserved;

    // Copies every field but the reserved ones.
    void CopyLook(const GlimStateStyle& from);
    void Serialize(CArchive& ar);
    bool operator==(const GlimStateStyle&) const = default;
};

class CGlimMenu : public CObject, public PooledNode<CGlimMenu> {
public:
    explicit CGlimMenu(int itemCount = 0, const std::string& name = "GlimButton");
    CGlimMenu(const CGlimMenu&) = delete;
    CGlimMenu& operator=(const CGlimMenu&) = delete;
    ~CGlimMenu() override;

    const char* GetClassName() const override { return "CGlimMenu"; }
    std::uint32_t GetSchema() const override { return 1; }
    void Serialize(CArchive& ar) override;

    // Name, menu values, placement, border thickness and the three state styles; not the
    // items, the visible flag or the index.
    void CopyProperties(const CGlimMenu& source);
    // A deep copy of the menu and the whole tree below it, every field included but the
    // items' web paths, which start empty, and the index.
    std::unique_ptr<CGlimMenu> CopyWithoutWebPaths() const;
    int SetItemCount(int count, int keep);
    CGlimMenuItem* InsertNewItemAtFront();
    int AddItem(std::unique_ptr<CGlimMenuItem> item, int front);
    int RemoveAllItems();
    int CountItems(int all) const;
    void ApplyNormalStyleToAllStates();

    std::string m_strName;
    COLORREF m_crMenuColorA = 0;
    std::int32_t m_nMenuValueA = 0;
    std::int32_t m_nMenuValueB = 0;
    std::int32_t m_nMenuValueC = 0;
    std::int32_t m_nMenuValueD = 0;
    std::int32_t m_nX = 40;
    std::int32_t m_nY = 15;
    std::int32_t m_nWidth = 80;
    std::int32_t m_nHeight = 20;
    std::int32_t m_nMenuValueE = 5;
    std::int32_t m_nBorderThick = 6;
    COLORREF m_crMenuColorB = 0;
    std::int32_t m_nMenuValueF = 0;
    COLORREF m_crMenuColorC = 0;
    GlimStateStyle m_styleNormal;
    GlimStateStyle m_styleOver;
    GlimStateStyle m_styleClick;
    std::vector<std::unique_ptr<CGlimMenuItem>> m_items;  // in display order
    std::int32_t m_bVisible = 1;
    // Number in the last encoding pass only: the encoders, which change nothing else, note it.
    mutable std::int32_t m_nIndex = -1;
};

class CGlimMenuItem : public CObject, public PooledNode<CGlimMenuItem> {
public:
    explicit CGlimMenuItem(const std::string& label = "Button");
    // Takes `subMenu` (not null) in place of a new empty one.
    CGlimMenuItem(const std::string& label, std::unique_ptr<CGlimMenu> subMenu);
    CGlimMenuItem(const CGlimMenuItem&) = delete;
    CGlimMenuItem& operator=(const CGlimMenuItem&) = delete;
    ~CGlimMenuItem() override;

    const char* GetClassName() const override { return "CGlimMenuItem"; }
    std::uint32_t GetSchema() const override { return 1; }
    void Serialize(CArchive& ar) override;

    // Replaces the sub-menu (not null); installing the menu it holds already keeps it.
    void SetSubMenu(std::unique_ptr<CGlimMenu> menu);
    CGlimMenu* SubMenu() const { return m_pSubMenu.get(); }

    // The five resource paths and their web paths, paired by position: image normal,
    // image over, image click, audio over, audio click.
    static constexpr int kResourceCount = 5;
    std::string& ResourcePath(int i);
    std::string& ResourceWebPath(int i);
    const std::string& ResourcePath(int i) const;
    const std::string& ResourceWebPath(int i) const;

    std::string m_strLabel;
    std::string m_strDescription;
    std::string m_strImageNormal;
    std::string m_strImageOver;
    std::string m_strImageClick;
    std::string m_strAudioOver;
    std::string m_strAudioClick;
    std::string m_strImageNormalWeb;
    std::string m_strImageOverWeb;
    std::string m_strImageClickWeb;
    std::string m_strAudioOverWeb;
    std::string m_strAudioClickWeb;
    std::string m_strTarget;
    std::string m_strLink;
    std::unique_ptr<CGlimMenu> m_pSubMenu;  // never null
    std::int32_t m_bVisible = 1;
};

// Pre-order numbering of the tree (menus and items alike, visible or not): each menu takes
// the running counter as m_nIndex, its items are appended to `items`, the counter steps, and
// then the items' sub-menus are numbered in item order. Returns the number of menus.
int NumberMenus(const std::vector<CGlimMenu*>& topLevel, std::vector<CGlimMenuItem*>& items);
// The same rule, tree by tree: the menus and items numbered so far. An item's flat position
// is its place among all items, taken menu by menu in number order.
struct MenuCount {
    std::int32_t menus = 0;
    std::size_t items = 0;
};
inline constexpr std::size_t kNoOwner = static_cast<std::size_t>(-1);
// Numbers the tree under `root` on from `count`, calling visit(menu, owner) as each menu
// takes its number; `owner` is the flat position of the item that holds the menu, kNoOwner
// for the root. `Menu` is CGlimMenu or const CGlimMenu (m_nIndex may be set on either).
template <class Menu, class Visit> void NumberMenus(Menu* root, MenuCount& count, Visit&& visit);

// Calls f(menu) for every menu of the tree under `root` (pre-order), without recursion;
// `Menu` is CGlimMenu or const CGlimMenu.
template <class Menu, class F> void ForEachMenu(Menu* root, F&& f);
// The same walk, calling f(menu, owner) and counting the items passed in `items`: `owner` is
// the flat position of the item that holds the menu, kNoOwner for the root.
template <class Menu, class F> void ForEachMenu(Menu* root, std::size_t& items, F&& f);

}  // namespace snippo

#include "widget/model/glim_menu_inl.h"
