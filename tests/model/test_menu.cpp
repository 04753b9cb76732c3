// The menu tree and the draw-object record: defaults, copies, item operations, numbering,
// the button the editor draws, and rectangle geometry.
#include <gtest/gtest.h>

#include "model_support.h"
#include "widget/model/draw_obj.h"
#include "widget/model/glim_menu.h"

using namespace snippo;
using namespace snippo::test;

namespace {

std::vector<std::string> Labels(const CGlimMenu& m)
{
    std::vector<std::string> labels;
    for (const auto& item : m.m_items)
        labels.push_back(item->m_strLabel);
    return labels;
}

}  // namespace

TEST(Menu, DefaultsOfMenuAndStates)
{
    CGlimMenu m;
    EXPECT_EQ("GlimButton", m.m_strName);
    EXPECT_EQ(0u, m.m_crMenuColorA);
    EXPECT_EQ(0, m.m_nMenuValueA);
    EXPECT_EQ(0, m.m_nMenuValueB);
    EXPECT_EQ(0, m.m_nMenuValueC);
    EXPECT_EQ(0, m.m_nMenuValueD);
    EXPECT_EQ(40, m.m_nX);
    EXPECT_EQ(15, m.m_nY);
    EXPECT_EQ(80, m.m_nWidth);
    EXPECT_EQ(20, m.m_nHeight);
    EXPECT_EQ(5, m.m_nMenuValueE);
    EXPECT_EQ(6, m.m_nBorderThick);
    EXPECT_EQ(0u, m.m_crMenuColorB);
    EXPECT_EQ(0, m.m_nMenuValueF);
    EXPECT_EQ(0u, m.m_crMenuColorC);
    EXPECT_EQ(1, m.m_bVisible);
    EXPECT_TRUE(m.m_items.empty());

    struct Expected {
        COLORREF font;
        int back, border;
    };
    const Expected states[3] = {{0x000000, 3, 1}, {0xFFFFFF, 2, 2}, {0x000000, 5, 4}};
    const GlimStateStyle* styles[3] = {&m.m_styleNormal, &m.m_styleOver, &m.m_styleClick};
    for (int i = 0; i < 3; ++i) {
        const GlimStateStyle& s = *styles[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(0x404080u, s.crBack);
        EXPECT_EQ(0x80FFFFu, s.crFade);
        EXPECT_EQ(states[i].font, s.crFont);
        EXPECT_EQ(0x426F8Cu, s.crBorder);
        EXPECT_EQ(states[i].back, s.nBackStyle);
        EXPECT_EQ(states[i].border, s.nBorderStyle);
        EXPECT_EQ(1, s.nReserved1);
        EXPECT_EQ(1, s.nReserved2);
        EXPECT_EQ(0, s.nEffect);
        EXPECT_EQ(0, s.nFontName);
        EXPECT_EQ(14, s.nFontSize);
        EXPECT_EQ(0, s.nFontStyle);
        EXPECT_EQ(0, s.nTextAlign);
        EXPECT_EQ(0, s.nTextOffset);
        EXPECT_EQ(0, s.nImageAlign);
        EXPECT_EQ(0, s.nImageOffset);
        EXPECT_EQ("", s.strReserved);
    }

    CGlimMenu named(2, "Named");
    EXPECT_EQ("Named", named.m_strName);
    EXPECT_EQ((std::vector<std::string>{"item1", "item2"}), Labels(named));
}

TEST(Menu, ItemDefaultsAndOwnSubMenu)
{
    CGlimMenuItem item;
    EXPECT_EQ("Button", item.m_strLabel);
    for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r) {
        EXPECT_EQ("", item.ResourcePath(r));
        EXPECT_EQ("", item.ResourceWebPath(r));
    }
    EXPECT_EQ("", item.m_strDescription);
    EXPECT_EQ("", item.m_strTarget);
    EXPECT_EQ("", item.m_strLink);
    EXPECT_EQ(1, item.m_bVisible);
    ASSERT_NE(nullptr, item.SubMenu());
    EXPECT_EQ("GlimButton", item.m_pSubMenu->m_strName);
    EXPECT_TRUE(item.m_pSubMenu->m_items.empty());

    // The five paths pair with the five web paths by position.
    item.m_strAudioClick = "click.au";
    item.m_strImageOverWeb = "web/";
    EXPECT_EQ("click.au", item.ResourcePath(4));
    EXPECT_EQ("web/", item.ResourceWebPath(1));

    auto owned = std::make_unique<CGlimMenu>(2, "Given");
    CGlimMenu* given = owned.get();
    CGlimMenuItem withMenu("Label", std::move(owned));
    EXPECT_EQ("Label", withMenu.m_strLabel);
    EXPECT_EQ(given, withMenu.SubMenu());
    EXPECT_EQ(1, withMenu.m_bVisible);

    auto* replacement = new CGlimMenu(1, "Sub");
    item.SetSubMenu(std::unique_ptr<CGlimMenu>(replacement));
    EXPECT_EQ(replacement, item.SubMenu());
    item.SetSubMenu(std::unique_ptr<CGlimMenu>(replacement));  // installing the menu it holds keeps it alive
    EXPECT_EQ("Sub", item.m_pSubMenu->m_strName);
}

TEST(Menu, CopyIsDeepAndKeepsEveryStyleField)
{
    auto source = std::make_unique<CGlimMenu>(0, "Source");
    source->m_styleNormal.crFade = 0x010203;
    source->m_styleOver.crFade = 0x040506;
    source->m_styleClick.crFade = 0x070809;
    source->m_styleClick.nReserved2 = 42;
    source->m_styleOver.strReserved = "kept";
    source->m_nMenuValueB = -7;
    source->m_bVisible = 0;
    source->m_nIndex = 12;
    CGlimMenuItem* item = source->InsertNewItemAtFront();
    item->m_strLabel = "A";
    item->m_strImageNormal = "/pics/a.gif";
    item->m_strAudioClick = "/snd/b.au";
    for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
        item->ResourceWebPath(r) = "web" + std::to_string(r) + "/";
    item->m_strTarget = "_top";
    item->m_strLink = "http://x/";
    item->m_strDescription = "desc";
    item->m_bVisible = 0;
    item->m_pSubMenu->InsertNewItemAtFront()->m_strLabel = "deep";

    const std::unique_ptr<CGlimMenu> copiedMenu = source->CopyWithoutWebPaths();
    const CGlimMenu& copy = *copiedMenu;
    const CGlimMenuItem* copied = copy.m_items.at(0).get();
    source.reset();  // the copy shares nothing with the source

    EXPECT_EQ("Source", copy.m_strName);
    EXPECT_EQ(0x010203u, copy.m_styleNormal.crFade);
    EXPECT_EQ(0x040506u, copy.m_styleOver.crFade);
    EXPECT_EQ(0x070809u, copy.m_styleClick.crFade);
    EXPECT_EQ(42, copy.m_styleClick.nReserved2);
    EXPECT_EQ("kept", copy.m_styleOver.strReserved);
    EXPECT_EQ(-7, copy.m_nMenuValueB);
    EXPECT_EQ(0, copy.m_bVisible);
    EXPECT_EQ(-1, copy.m_nIndex);
    EXPECT_EQ("A", copied->m_strLabel);
    EXPECT_EQ("/pics/a.gif", copied->m_strImageNormal);
    EXPECT_EQ("/snd/b.au", copied->m_strAudioClick);
    EXPECT_EQ("_top", copied->m_strTarget);
    EXPECT_EQ("http://x/", copied->m_strLink);
    EXPECT_EQ("desc", copied->m_strDescription);
    EXPECT_EQ(0, copied->m_bVisible);
    auto& c = const_cast<CGlimMenuItem&>(*copied);
    for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
        EXPECT_EQ("", c.ResourceWebPath(r)) << r;  // web paths are not copied
    EXPECT_EQ((std::vector<std::string>{"deep"}), Labels(*copied->SubMenu()));
}

TEST(Menu, CopyPropertiesLeavesItemsVisibilityAndIndex)
{
    CGlimMenu source(0, "S");
    source.m_nX = 1;
    source.m_nBorderThick = 2;
    source.m_styleOver.nFontSize = 30;
    source.m_bVisible = 0;
    source.m_nIndex = 5;
    CGlimMenu target(2, "T");
    target.m_nIndex = 9;
    target.CopyProperties(source);
    EXPECT_EQ("S", target.m_strName);
    EXPECT_EQ(1, target.m_nX);
    EXPECT_EQ(2, target.m_nBorderThick);
    EXPECT_EQ(30, target.m_styleOver.nFontSize);
    EXPECT_EQ(1, target.m_bVisible);
    EXPECT_EQ(9, target.m_nIndex);
    EXPECT_EQ(2u, target.m_items.size());
}

TEST(Menu, ItemCountInsertAddRemove)
{
    CGlimMenu m;
    CGlimMenuItem* first = m.InsertNewItemAtFront();
    EXPECT_EQ("Button", first->m_strLabel);
    EXPECT_EQ(1, m.SetItemCount(3, 1));
    EXPECT_EQ((std::vector<std::string>{"Button", "item2", "item3"}), Labels(m));
    EXPECT_EQ(first, m.m_items[0].get());
    EXPECT_EQ(1, m.SetItemCount(1, 1));
    EXPECT_EQ((std::vector<std::string>{"Button"}), Labels(m));
    EXPECT_EQ(1, m.SetItemCount(2, 0));
    EXPECT_EQ((std::vector<std::string>{"item1", "item2"}), Labels(m));
    m.SetItemCount(-4, 1);
    EXPECT_TRUE(m.m_items.empty());

    EXPECT_EQ(0, m.AddItem(std::unique_ptr<CGlimMenuItem>(nullptr), 1));
    EXPECT_TRUE(m.m_items.empty());
    EXPECT_EQ(1, m.AddItem(std::make_unique<CGlimMenuItem>("b"), 0));
    EXPECT_EQ(1, m.AddItem(std::make_unique<CGlimMenuItem>("a"), 1));
    EXPECT_EQ(1, m.AddItem(std::make_unique<CGlimMenuItem>("c"), 0));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), Labels(m));
    m.InsertNewItemAtFront();
    EXPECT_EQ((std::vector<std::string>{"Button", "a", "b", "c"}), Labels(m));

    m.m_items[1]->m_bVisible = 0;
    m.m_items[3]->m_bVisible = 0;
    EXPECT_EQ(4, m.CountItems(1));
    EXPECT_EQ(2, m.CountItems(0));
    for (const auto& item : m.m_items)
        item->m_bVisible = 0;
    EXPECT_EQ(0, m.CountItems(0));
    EXPECT_EQ(4, m.CountItems(1));
    EXPECT_EQ(1, m.RemoveAllItems());
    EXPECT_TRUE(m.m_items.empty());
}

TEST(Menu, ApplyNormalStyleCopiesTheLookNotTheReservedFields)
{
    CGlimMenu m;
    GlimStateStyle& n = m.m_styleNormal;
    n = GlimStateStyle{0x11, 0x22, 0x33, 0x44, 4, 5, 70, 80, 3, 2, 22, 1, 2, -9, 1, 12, "normal"};
    m.m_styleOver.nReserved1 = 7;
    m.m_styleOver.strReserved = "over";
    m.m_styleClick.nReserved2 = 8;
    m.ApplyNormalStyleToAllStates();
    for (const GlimStateStyle* s : {&m.m_styleOver, &m.m_styleClick}) {
        EXPECT_EQ(0x11u, s->crBack);
        EXPECT_EQ(0x22u, s->crFade);
        EXPECT_EQ(0x33u, s->crFont);
        EXPECT_EQ(0x44u, s->crBorder);
        EXPECT_EQ(4, s->nBackStyle);
        EXPECT_EQ(5, s->nBorderStyle);
        EXPECT_EQ(3, s->nEffect);
        EXPECT_EQ(2, s->nFontName);
        EXPECT_EQ(22, s->nFontSize);
        EXPECT_EQ(1, s->nFontStyle);
        EXPECT_EQ(2, s->nTextAlign);
        EXPECT_EQ(-9, s->nTextOffset);
        EXPECT_EQ(1, s->nImageAlign);
        EXPECT_EQ(12, s->nImageOffset);
    }
    EXPECT_EQ(7, m.m_styleOver.nReserved1);
    EXPECT_EQ(1, m.m_styleOver.nReserved2);
    EXPECT_EQ("over", m.m_styleOver.strReserved);
    EXPECT_EQ(1, m.m_styleClick.nReserved1);
    EXPECT_EQ(8, m.m_styleClick.nReserved2);
    EXPECT_EQ("", m.m_styleClick.strReserved);
}

TEST(Menu, VeryDeepTreeIsDeletedWithoutExhaustingTheStack)
{
    auto root = std::make_unique<CGlimMenu>();
    CGlimMenu* m = root.get();
    for (int i = 0; i < 200000; ++i)
        m = m->InsertNewItemAtFront()->SubMenu();
    std::size_t n = 0;
    ForEachMenu(root.get(), [&n](CGlimMenu*) { ++n; });
    EXPECT_EQ(200001u, n);
    root.reset();
}

TEST(Menu, NumberingIsPreOrderWithItemsGroupedByMenu)
{
    CAppletParameters p;
    CDrawObj* a = AddButton(p, {0, 0, 10, 10});
    CDrawObj* b = AddButton(p, {0, 20, 10, 30});
    // A second item in the first button's hint, with a sub-menu of its own.
    CGlimMenu* hintA = a->m_pMenu->m_items[0]->SubMenu();
    auto ownedExtra = std::make_unique<CGlimMenuItem>("extra");
    CGlimMenuItem* extra = ownedExtra.get();
    hintA->AddItem(std::move(ownedExtra), 0);
    extra->m_pSubMenu->AddItem(std::make_unique<CGlimMenuItem>("leaf"), 0);

    std::vector<CGlimMenuItem*> items;
    std::vector<CGlimMenu*> top{a->Menu(), b->Menu()};
    EXPECT_EQ(8, NumberMenus(top, items));
    EXPECT_EQ(0, a->m_pMenu->m_nIndex);
    EXPECT_EQ(1, hintA->m_nIndex);
    EXPECT_EQ(2, hintA->m_items[0]->m_pSubMenu->m_nIndex);
    EXPECT_EQ(3, extra->m_pSubMenu->m_nIndex);
    EXPECT_EQ(4, extra->m_pSubMenu->m_items[0]->m_pSubMenu->m_nIndex);
    EXPECT_EQ(5, b->m_pMenu->m_nIndex);
    std::vector<std::string> labels;
    for (CGlimMenuItem* item : items)
        labels.push_back(item->m_strLabel);
    EXPECT_EQ((std::vector<std::string>{"Button", "Hint", "extra", "leaf", "Button", "Hint"}), labels);

    std::vector<int> order;
    ForEachMenu(a->Menu(), [&order](CGlimMenu* menu) { order.push_back(menu->m_nIndex); });
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), order);
}

// ---------------------------------------------------------------------------------------

TEST(DrawObject, NewButtonHoldsButtonAndHint)
{
    CDrawRect button(CRect{10, 20, 90, 45});
    EXPECT_EQ((CRect{10, 20, 90, 45}), button.m_position);
    EXPECT_EQ(nullptr, button.m_pOwner);
    EXPECT_EQ(0, button.m_nShape);
    EXPECT_EQ((CPoint{16, 16}), button.m_roundness);
    EXPECT_EQ(8, button.HandleCount());
    ASSERT_EQ(1u, button.m_pMenu->m_items.size());
    EXPECT_EQ("GlimButton", button.m_pMenu->m_strName);
    const CGlimMenuItem* item = button.m_pMenu->m_items[0].get();
    EXPECT_EQ("Button", item->m_strLabel);
    const CGlimMenu* hint = item->SubMenu();
    ASSERT_EQ(1u, hint->m_items.size());
    EXPECT_EQ("Hint", hint->m_items[0]->m_strLabel);
    EXPECT_TRUE(hint->m_items[0]->m_pSubMenu->m_items.empty());
    EXPECT_EQ(15, hint->m_nX);
    EXPECT_EQ(10, hint->m_nY);
    EXPECT_EQ(30, hint->m_nWidth);
    EXPECT_EQ(20, hint->m_nHeight);
    EXPECT_EQ(1, hint->m_nBorderThick);
    const GlimStateStyle& s = hint->m_styleNormal;
    EXPECT_EQ(0x00FFFFu, s.crBack);
    EXPECT_EQ(0u, s.crFont);
    EXPECT_EQ(0u, s.crBorder);
    EXPECT_EQ(1, s.nBackStyle);
    EXPECT_EQ(1, s.nBorderStyle);
    EXPECT_EQ(1, s.nTextAlign);
    EXPECT_EQ(0, s.nTextOffset);
    EXPECT_EQ(hint->m_styleNormal, hint->m_styleOver);
    EXPECT_EQ(hint->m_styleNormal, hint->m_styleClick);

    CDrawRect blank;
    EXPECT_EQ("GlimButton", blank.m_pMenu->m_strName);
    EXPECT_TRUE(blank.m_pMenu->m_items.empty());
    EXPECT_EQ((CPoint{16, 16}), blank.m_roundness);
}

TEST(DrawObject, IntersectsTreatsRightAndBottomAsExclusive)
{
    CDrawRect r(CRect{10, 10, 20, 20});
    EXPECT_TRUE(r.Intersects({15, 15, 30, 30}));
    EXPECT_FALSE(r.Intersects({20, 10, 30, 20}));  // touches the right edge
    EXPECT_FALSE(r.Intersects({10, 20, 20, 30}));  // touches the bottom edge
    EXPECT_FALSE(r.Intersects({0, 0, 10, 10}));    // touches the top-left corner
    EXPECT_TRUE(r.Intersects({19, 19, 20, 20}));   // the last pixel inside
    EXPECT_TRUE(r.Intersects({30, 30, 15, 15}));   // an inverted argument
    CDrawRect inverted(CRect{20, 20, 10, 10});
    EXPECT_TRUE(inverted.Intersects({15, 15, 16, 16}));
    EXPECT_FALSE(inverted.Intersects({20, 20, 21, 21}));
    CDrawRect empty(CRect{5, 5, 5, 30});
    EXPECT_FALSE(empty.Intersects({0, 0, 100, 100}));
}

TEST(DrawObject, HandlesHitTestAndDragging)
{
    CDrawRect r(CRect{10, 20, 31, 41});
    const CPoint expected[9] = {{}, {10, 20}, {20, 20}, {31, 20}, {31, 30}, {31, 41}, {20, 41}, {10, 41}, {10, 30}};
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(expected[n], r.HandlePoint(n)) << n;
    // The centre of an inverted rectangle truncates toward zero: 10 + (3 - 10) / 2 = 7.
    CDrawRect inv(CRect{10, 10, 3, 3});
    EXPECT_EQ((CPoint{7, 10}), inv.HandlePoint(2));
    EXPECT_EQ((CPoint{3, 7}), inv.HandlePoint(4));

    // Selected: a 6 x 6 square around each handle, left/top inclusive; first match wins.
    EXPECT_EQ(1, r.HitTest({7, 17}, true));
    EXPECT_EQ(1, r.HitTest({12, 22}, true));
    EXPECT_EQ(0, r.HitTest({13, 23}, true));
    EXPECT_EQ(5, r.HitTest({33, 43}, true));
    EXPECT_EQ(0, r.HitTest({34, 44}, true));
    EXPECT_EQ(0, r.HitTest({25, 25}, true));  // inside, but away from every handle
    CDrawRect tiny(CRect{0, 0, 2, 2});
    EXPECT_EQ(1, tiny.HitTest({1, 1}, true));  // handles overlap: the first one wins
    // Not selected: the body, right and bottom exclusive.
    EXPECT_EQ(1, r.HitTest({10, 20}, false));
    EXPECT_EQ(1, r.HitTest({30, 40}, false));
    EXPECT_EQ(0, r.HitTest({31, 40}, false));
    EXPECT_EQ(0, CDrawRect(CRect{5, 5, 5, 9}).HitTest({5, 6}, false));

    CDrawRect d(CRect{0, 0, 10, 10});
    d.DragHandleTo(1, {1, 2});
    EXPECT_EQ((CRect{1, 2, 10, 10}), d.m_position);
    d.DragHandleTo(2, {50, 3});
    EXPECT_EQ((CRect{1, 3, 10, 10}), d.m_position);
    d.DragHandleTo(3, {20, 4});
    EXPECT_EQ((CRect{1, 4, 20, 10}), d.m_position);
    d.DragHandleTo(4, {21, 99});
    EXPECT_EQ((CRect{1, 4, 21, 10}), d.m_position);
    d.DragHandleTo(5, {22, 11});
    EXPECT_EQ((CRect{1, 4, 22, 11}), d.m_position);
    d.DragHandleTo(6, {99, 12});
    EXPECT_EQ((CRect{1, 4, 22, 12}), d.m_position);
    d.DragHandleTo(7, {-5, 13});
    EXPECT_EQ((CRect{-5, 4, 22, 13}), d.m_position);
    d.DragHandleTo(8, {30, 99});  // past the right edge: the rectangle inverts
    EXPECT_EQ((CRect{30, 4, 22, 13}), d.m_position);
}

TEST(DrawObject, GeometryOfExtremeRectanglesIsDefined)
{
    // Rectangles read from a file can span the whole 32-bit range.
    CDrawRect r(CRect{-2000000000, -2000000000, 2000000000, 2000000000});
    EXPECT_EQ((CPoint{0, -2000000000}), r.HandlePoint(2));
    EXPECT_EQ((CPoint{2000000000, 0}), r.HandlePoint(4));
    EXPECT_TRUE(r.Intersects({0, 0, 1, 1}));
    EXPECT_EQ(1, r.HitTest({0, 0}, false));
}
