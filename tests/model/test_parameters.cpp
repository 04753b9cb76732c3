// The configuration form of the model: the exact parameter strings, the reader's defaults
// and quirks, hostile "Misc" values, and write -> read round trips of random models.
#include <gtest/gtest.h>

#include "model_support.h"
#include "widget/model/applet_parameters.h"
#include "widget/model/text_fields.h"

using namespace snippo;
using namespace snippo::test;

namespace {

const char* const kDefaultIStyle = "4210816,0,3,0,0,14,0,0,0,0,0,4353932,1,8454143,"
                                   "4210816,16777215,2,0,0,14,0,0,0,0,0,4353932,2,8454143,"
                                   "4210816,0,5,0,0,14,0,0,0,0,0,4353932,4,8454143,";

std::vector<std::string> Keys(const CWidgetConfig& c)
{
    std::vector<std::string> keys;
    for (const auto& [k, v] : c.m_mapParameters)
        keys.push_back(k);
    return keys;
}

// Reads a parameter map given as key/value pairs into `p`.
void ReadMap(CAppletParameters& p, const std::map<std::string, std::string>& map, const std::string& dir = "/w/")
{
    CWidgetConfig c;
    c.m_mapParameters = map;
    EXPECT_EQ(1, p.ReadParameters(c, dir));
}

std::size_t Depth(const CGlimMenu* m)
{
    std::size_t depth = 1;
    while (!m->m_items.empty()) {
        m = m->m_items[0]->SubMenu();
        ++depth;
    }
    return depth;
}

}  // namespace

TEST(Parameters, OneButtonWritesTheDocumentedStrings)
{
    CAppletParameters p;
    AddButton(p, {10, 20, 90, 45});
    CWidgetConfig c;
    c.SetParameter("Stale", "removed by the writer");
    p.WriteParameters(c);

    EXPECT_EQ((std::vector<std::string>{"ApStyle", "I0-1", "I1-1", "IStyle-0", "IStyle-1", "IStyle-2", "MStyle-0",
                                        "MStyle-1", "MStyle-2", "Misc", "Version", "WindowPosition"}),
              Keys(c));
    EXPECT_EQ("1.0", c.GetParameter("Version", ""));
    EXPECT_EQ("95,221,111,159,217,221", c.GetParameter("WindowPosition", ""));
    // Colours in decimal: the default background is 15509160.
    EXPECT_EQ("GlimButton,0,105,215,15509160,14841465,,0,0,0,,1,6,10,15509160,,,,1,Loading image ...",
              c.GetParameter("ApStyle", ""));
    EXPECT_EQ("3,1,1,0,-0,0-1,1-2,", c.GetParameter("Misc", ""));
    EXPECT_EQ("0,0,0,0,10,20,80,25,5,6,0,0,0,GlimButton,1", c.GetParameter("MStyle-0", ""));
    EXPECT_EQ("0,0,0,0,15,10,30,20,5,1,0,0,0,GlimButton,1", c.GetParameter("MStyle-1", ""));
    EXPECT_EQ("0,0,0,0,40,15,80,20,5,6,0,0,0,GlimButton,1", c.GetParameter("MStyle-2", ""));
    EXPECT_EQ(kDefaultIStyle, c.GetParameter("IStyle-0", ""));
    EXPECT_EQ(kDefaultIStyle, c.GetParameter("IStyle-2", ""));
    EXPECT_EQ("65535,0,1,0,0,14,0,0,1,0,0,0,1,8454143,65535,0,1,0,0,14,0,0,1,0,0,0,1,8454143,"
              "65535,0,1,0,0,14,0,0,1,0,0,0,1,8454143,",
              c.GetParameter("IStyle-1", ""));
    EXPECT_EQ("Button,,,,,,,,,1,,,,,", c.GetParameter("I0-1", ""));
    EXPECT_EQ("Hint,,,,,,,,,1,,,,,", c.GetParameter("I1-1", ""));
}

TEST(Parameters, TwoButtonsAndTheNormalisedRectangle)
{
    CAppletParameters p;
    AddButton(p, {10, 20, 90, 45});
    CDrawObj* second = AddButton(p, {50, 80, 5, 60});  // inverted while dragged
    CWidgetConfig c;
    p.WriteParameters(c);
    EXPECT_EQ("6,1,1,0,1,1,0,-0,-3,0-1,1-2,2-4,3-5,", c.GetParameter("Misc", ""));
    EXPECT_EQ("0,0,0,0,5,60,45,20,5,6,0,0,0,GlimButton,1", c.GetParameter("MStyle-3", ""));
    // The rectangle itself stays as drawn; its menu takes the normalised placement.
    EXPECT_EQ((CRect{50, 80, 5, 60}), second->m_position);
    EXPECT_EQ(5, second->m_pMenu->m_nX);
    EXPECT_EQ(45, second->m_pMenu->m_nWidth);
}

TEST(Parameters, EveryMenuAndItemIsWrittenVisibleOrNot)
{
    CAppletParameters p;
    CDrawObj* b = AddButton(p, {0, 0, 10, 10});
    b->m_pMenu->m_bVisible = 0;
    CGlimMenuItem* hint = b->m_pMenu->m_items[0]->m_pSubMenu->m_items[0].get();
    hint->m_bVisible = 0;
    hint->m_strImageNormal = "/far/away/pic.gif";
    hint->m_strAudioClick = "plain.au";
    hint->m_strImageOverWeb = "http://w/";
    hint->m_strTarget = "_blank";
    hint->m_strLink = "http://l/";
    hint->m_strDescription = "d";
    CWidgetConfig c;
    p.WriteParameters(c);
    EXPECT_EQ("3,1,1,0,-0,0-1,1-2,", c.GetParameter("Misc", ""));
    EXPECT_EQ("0,0,0,0,0,0,10,10,5,6,0,0,0,GlimButton,0", c.GetParameter("MStyle-0", ""));
    // Stored file names lose their folder.
    EXPECT_EQ("Hint,d,http://l/,_blank,pic.gif,,,,plain.au,0,,http://w/,,,", c.GetParameter("I1-1", ""));
}

TEST(Parameters, LabelEscapesAndFieldSplitting)
{
    EXPECT_EQ("A~@^`B|_#`C", EscapeLabel("A,B\r\nC"));
    // Line breaks first, then commas; a lone LF or CR is kept.
    EXPECT_EQ("|_#`~@^`x\ny\r", EscapeLabel("\r\n,x\ny\r"));
    EXPECT_EQ("A,B\r\nC", UnescapeField("A~@^`B|_#`C"));
    EXPECT_EQ((std::vector<std::string_view>{"a", "", "b", ""}), SplitFields("a,,b,"));
    EXPECT_EQ((std::vector<std::string_view>{""}), SplitFields(""));

    CAppletParameters p;
    CDrawObj* b = AddButton(p, {0, 0, 10, 10});
    CGlimMenuItem* item = b->m_pMenu->m_items[0].get();
    item->m_strLabel = "A,B\r\nC";
    item->m_strDescription = "x,y";  // written as it is: it splits on reading
    item->m_strLink = "L";
    item->m_strTarget = "T";
    CWidgetConfig c;
    p.WriteParameters(c);
    EXPECT_EQ("A~@^`B|_#`C,x,y,L,T,,,,,,1,,,,,", c.GetParameter("I0-1", ""));

    CAppletParameters q;
    q.ReadParameters(c, "/d/");
    const CGlimMenuItem* r = q.m_listDrawObjects.at(0)->m_pMenu->m_items.at(0).get();
    EXPECT_EQ("A,B\r\nC", r->m_strLabel);
    EXPECT_EQ("x", r->m_strDescription);
    EXPECT_EQ("y", r->m_strLink);  // every later field moves by one
    EXPECT_EQ("L", r->m_strTarget);
    EXPECT_EQ("/d/T", r->m_strImageNormal);
    EXPECT_EQ(0, r->m_bVisible);  // the visible flag reads the empty field

    // Escapes are undone in every field, not only in labels.
    c.SetParameter("I0-1", "L,desc|_#`more,http://a~@^`b,_top,,,,,,1,,,,,");
    CAppletParameters s;
    s.ReadParameters(c, "/d/");
    const CGlimMenuItem* e = s.m_listDrawObjects.at(0)->m_pMenu->m_items.at(0).get();
    EXPECT_EQ("desc\r\nmore", e->m_strDescription);
    EXPECT_EQ("http://a,b", e->m_strLink);
}

TEST(Parameters, NumbersReadAsDecimalWithZeroForJunk)
{
    std::vector<std::string_view> f = SplitFields(" 12,-7,+3,abc,99999999999,-99999999999,4x,");
    EXPECT_EQ(12, FieldInt(f, 0));
    EXPECT_EQ(-7, FieldInt(f, 1));
    EXPECT_EQ(3, FieldInt(f, 2));
    EXPECT_EQ(0, FieldInt(f, 3));
    EXPECT_EQ(2147483647, FieldInt(f, 4));
    EXPECT_EQ(-2147483647 - 1, FieldInt(f, 5));
    EXPECT_EQ(4, FieldInt(f, 6));
    EXPECT_EQ(0, FieldInt(f, 7));
    EXPECT_EQ(0, FieldInt(f, 100));
    EXPECT_EQ("", FieldText(f, 100));
}

TEST(Parameters, ReadingApStyleAndWindowPositions)
{
    CAppletParameters p;
    ReadMap(p,
            {{"ApStyle", "Glim Button,2,300,400,255,65280,bg.gif,1,5,6,snd.au,4,3,2,16711680,http://i/,"
                         "http://s/,http://c/,0,Wait ..."},
             {"WindowPosition", "1,-2,3"}},
            "/widgets/");
    EXPECT_EQ("Glim Button", p.m_strAppletName);
    EXPECT_EQ(2, p.m_nAlign);
    EXPECT_EQ(300, p.m_nWidth);
    EXPECT_EQ(400, p.m_nHeight);
    EXPECT_EQ(255u, p.m_crBack);
    EXPECT_EQ(65280u, p.m_crFade);
    EXPECT_EQ("/widgets/bg.gif", p.m_strBackImage);
    EXPECT_EQ(1, p.m_nImageMode);
    EXPECT_EQ(5, p.m_nImageX);
    EXPECT_EQ(6, p.m_nImageY);
    EXPECT_EQ("/widgets/snd.au", p.m_strBackAudio);
    EXPECT_EQ(4, p.m_nBackStyle);
    EXPECT_EQ(3, p.m_nBorderStyle);
    EXPECT_EQ(2, p.m_nBorderThick);
    EXPECT_EQ(16711680u, p.m_crBorder);
    EXPECT_EQ("http://i/", p.m_strBackImageWeb);
    EXPECT_EQ("http://s/", p.m_strBackAudioWeb);
    EXPECT_EQ("http://c/", p.m_strClassWebPath);
    EXPECT_EQ(0, p.m_bProgressBar);
    EXPECT_EQ("Wait ...", p.m_strLoadingMessage);
    // Missing fields read as 0.
    EXPECT_EQ((std::array<std::int32_t, 6>{1, -2, 3, 0, 0, 0}), p.m_nWindowPos);
    // No "Misc": the buttons are not touched.
    EXPECT_TRUE(p.m_listDrawObjects.empty());
}

TEST(Parameters, MissingKeysKeepDefaults)
{
    // Without "ApStyle" the applet keeps the settings it has.
    CAppletParameters p;
    p.m_nWidth = 333;
    p.m_strLoadingMessage = "mine";
    AddButton(p, {0, 0, 5, 5});
    ReadMap(p, {});
    EXPECT_EQ(333, p.m_nWidth);
    EXPECT_EQ("mine", p.m_strLoadingMessage);
    EXPECT_EQ(15509160u, p.m_crBack);
    EXPECT_EQ((std::array<std::int32_t, 6>{0, 0, 0, 0, 0, 0}), p.m_nWindowPos);
    EXPECT_EQ(1u, p.m_listDrawObjects.size());

    // A menu and items described by Misc alone.
    CAppletParameters q;
    ReadMap(q, {{"Misc", "2,2,0,-0,0-1,"}});
    ASSERT_EQ(1u, q.m_listDrawObjects.size());
    const CDrawObj& obj = *q.m_listDrawObjects[0];
    const CGlimMenu& m = *obj.m_pMenu;
    EXPECT_EQ("top-level", m.m_strName);
    EXPECT_EQ((CRect{40, 15, 120, 35}), obj.m_position);
    EXPECT_EQ(10, m.m_nBorderThick);
    EXPECT_EQ(5, m.m_nMenuValueE);
    EXPECT_EQ(1, m.m_bVisible);
    EXPECT_EQ(16711680u, m.m_styleNormal.crBack);
    EXPECT_EQ(16777215u, m.m_styleNormal.crFont);
    EXPECT_EQ(1, m.m_styleNormal.nBackStyle);
    EXPECT_EQ(8421504u, m.m_styleNormal.crBorder);
    EXPECT_EQ(1, m.m_styleNormal.nBorderStyle);
    EXPECT_EQ(16777215u, m.m_styleNormal.crFade);
    EXPECT_EQ(0u, m.m_styleOver.crBack);
    EXPECT_EQ(2, m.m_styleOver.nBackStyle);
    EXPECT_EQ(3, m.m_styleClick.nBorderStyle);
    EXPECT_EQ(14, m.m_styleClick.nFontSize);
    ASSERT_EQ(2u, m.m_items.size());
    for (const auto& item : m.m_items) {
        EXPECT_EQ("Button", item->m_strLabel);
        EXPECT_EQ("", item->m_strDescription);
        EXPECT_EQ("", item->m_strImageNormal);
        EXPECT_EQ("", item->m_strLink);
        EXPECT_EQ(1, item->m_bVisible);
    }
    EXPECT_EQ("Menu", m.m_items[0]->m_pSubMenu->m_strName);
    EXPECT_TRUE(m.m_items[1]->m_pSubMenu->m_items.empty());
}

TEST(Parameters, EmptyMiscKeepsButtonsAndZeroRemovesThem)
{
    CAppletParameters p;
    AddButton(p, {0, 0, 5, 5});
    p.m_listSelection.push_back(p.m_listDrawObjects[0].get());
    ReadMap(p, {{"Misc", ""}});
    EXPECT_EQ(1u, p.m_listDrawObjects.size());
    EXPECT_EQ(1u, p.m_listSelection.size());

    ReadMap(p, {{"Misc", "0,"}});
    EXPECT_TRUE(p.m_listDrawObjects.empty());
    EXPECT_TRUE(p.m_listSelection.empty());  // no pointer to a deleted button stays

    AddButton(p, {0, 0, 5, 5});
    p.m_listSelection.push_back(p.m_listDrawObjects[0].get());
    ReadMap(p, {{"Misc", "3,1,1,0,-0,0-1,1-2,"}});
    EXPECT_EQ(1u, p.m_listDrawObjects.size());
    EXPECT_TRUE(p.m_listSelection.empty());
    EXPECT_EQ(&p, p.m_listDrawObjects[0]->m_pOwner);
}

TEST(Parameters, HostileMiscIsBoundedAndLinksEachMenuOnce)
{
    struct Case {
        const char* misc;
        std::size_t buttons, menus, items;
    };
    const Case cases[] = {
        {"2000000000,", 0, 0, 0},                    // a count with nothing behind it
        {"2000000000,1,1,-0,0-1,", 0, 0, 0},         // every field taken as a count
        {"3,1,1,0,-0,0-0,1-2,", 1, 2, 1},            // self-link: the item keeps its own menu
        {"3,1,1,0,-0,0-2,1-2,", 1, 2, 1},            // menu 2 claimed twice: the first wins
        {"2,1,1,0-1,1-0,", 0, 0, 0},                 // a cycle with no top-level menu
        {"4,1,1,1,0,-0,0-1,1-2,2-0,", 1, 4, 3},      // a link back to the root is ignored
        {"3,1,1,1,-0,0-1,1-2,2-1,", 1, 4, 3},        // links beyond the menu count are not read
        {"2,1,0,-0,5-1,0-7,", 1, 2, 1},              // positions outside the arrays
        {"2,1,0,-0,-0,", 1, 2, 1},                   // one top-level menu listed twice
        {"2,1,1,-1,0-1,", 0, 0, 0},                  // both linked and top-level: linked wins
        {"2,999999999,999999999,-0,0-1,", 1, 2, 1},  // item counts bounded by what is named
        {"-5,1,1,-0,", 0, 0, 0},
        {"1,-3,-0,", 1, 1, 0},
        {"3,1,1,0,-0,0--1,1-2,", 1, 2, 1},  // an empty position reads as 0
        {"x,y,z,", 0, 0, 0},
        {",,,,-0,", 0, 0, 0},
        {"1,1,-0,0-0,0-0,", 1, 2, 1},
    };
    for (const Case& k : cases) {
        CAppletParameters p;
        AddButton(p, {0, 0, 5, 5});
        p.m_listSelection.push_back(p.m_listDrawObjects[0].get());
        ReadMap(p, {{"Misc", k.misc}});
        EXPECT_EQ(k.buttons, p.m_listDrawObjects.size()) << k.misc;
        EXPECT_EQ(k.menus, CountMenus(p)) << k.misc;
        EXPECT_EQ(k.items, CountItems(p)) << k.misc;
        EXPECT_TRUE(p.m_listSelection.empty()) << k.misc;
        // What was read encodes again without trouble.
        CWidgetConfig c;
        p.WriteParameters(c);
        (void)p.GetHTML(c, kHtmlWeb);
    }
}

TEST(Parameters, DeepChainsAreReadInFull)
{
    // A chain of 5000 menus, each with one item whose sub-menu is the next: nothing is cut.
    const int n = 5000;
    std::string misc = std::to_string(n) + ",";
    for (int j = 0; j < n; ++j)
        misc += "1,";
    misc += "-0,";
    for (int i = 0; i + 1 < n; ++i)
        misc += std::to_string(i) + "-" + std::to_string(i + 1) + ",";
    CAppletParameters p;
    ReadMap(p, {{"Misc", misc}});
    ASSERT_EQ(1u, p.m_listDrawObjects.size());
    // The last item has its own empty sub-menu.
    EXPECT_EQ(static_cast<std::size_t>(n) + 1, Depth(p.m_listDrawObjects[0]->Menu()));

    CWidgetConfig c;
    p.WriteParameters(c);
    CAppletParameters q;
    q.ReadParameters(c, "/w/");
    EXPECT_EQ(static_cast<std::size_t>(n) + 1, Depth(q.m_listDrawObjects[0]->Menu()));
}

TEST(Parameters, CountsKeepEveryStoredItem)
{
    const std::map<std::string, std::string> three = {
        {"I1-1", "One,,,,,,,,,1,,,,,"}, {"I1-2", "Two,,,,,,,,,1,,,,,"}, {"I1-3", "Three,,,,,,,,,1,,,,,"}};
    auto labels = [](const CGlimMenu* m) {
        std::string text;
        for (const auto& item : m->m_items)
            text += item->m_strLabel + ";";
        return text;
    };
    {
        // The hint menu holds three items although Misc links only one of them.
        auto map = three;
        map["Misc"] = "2,1,3,-0,0-1,";
        CAppletParameters p;
        ReadMap(p, map);
        ASSERT_EQ(1u, p.m_listDrawObjects.size());
        EXPECT_EQ("One;Two;Three;", labels(p.m_listDrawObjects[0]->m_pMenu->m_items[0]->SubMenu()));
        CWidgetConfig c;
        p.WriteParameters(c);
        EXPECT_EQ("5,1,3,0,0,0,-0,0-1,1-2,2-3,3-4,", c.GetParameter("Misc", ""));
        EXPECT_EQ("Three,,,,,,,,,1,,,,,", c.GetParameter("I1-3", ""));
        const std::string html = p.GetHTML(c, 1);
        for (const char* label : {"One", "Two", "Three"})
            EXPECT_NE(std::string::npos, html.find(label)) << label;
    }
    {
        // A menu's items are not limited by the link fields either.
        std::map<std::string, std::string> map = {{"Misc", "1,3,-0,"}};
        for (const auto& [k, v] : three)
            map["I0-" + k.substr(3)] = v;
        CAppletParameters p;
        ReadMap(p, map);
        ASSERT_EQ(1u, p.m_listDrawObjects.size());
        EXPECT_EQ("One;Two;Three;", labels(p.m_listDrawObjects[0]->Menu()));
    }
    {
        // A count far beyond the keys keeps the items that exist, with a small gap filled.
        auto map = three;
        map.erase("I1-2");
        map["Misc"] = "2,1,2000000000,-0,0-1,";
        CAppletParameters p;
        ReadMap(p, map);
        ASSERT_EQ(1u, p.m_listDrawObjects.size());
        EXPECT_EQ("One;Button;Three;", labels(p.m_listDrawObjects[0]->m_pMenu->m_items[0]->SubMenu()));
        // Items named far apart are kept without the millions between them.
        map["I1-1999999999"] = "Far,,,,,,,,,1,,,,,";
        CAppletParameters q;
        ReadMap(q, map);
        EXPECT_EQ("One;Three;Far;", labels(q.m_listDrawObjects[0]->m_pMenu->m_items[0]->SubMenu()));
    }
}

TEST(Parameters, StoredNamesStayInTheWidgetFolder)
{
    CAppletParameters p;
    ReadMap(p,
            {{"Misc", "2,1,0,-0,0-1,"},
             {"ApStyle", "Glim Button,0,105,215,1,2,../secret/key.txt,0,0,0,..\\snd\\a.au,1,6,10,3,,,,1,x"},
             {"I0-1", "B,,,,../../../../etc/hostname,/abs/over.gif,dir/,,c:\\x\\click.au,1,,,,,"}},
            "/site/w/");
    EXPECT_EQ("/site/w/key.txt", p.m_strBackImage);
    EXPECT_EQ("/site/w/a.au", p.m_strBackAudio);
    ASSERT_EQ(1u, p.m_listDrawObjects.size());
    const CGlimMenuItem* item = p.m_listDrawObjects[0]->m_pMenu->m_items[0].get();
    EXPECT_EQ("/site/w/hostname", item->m_strImageNormal);
    EXPECT_EQ("/site/w/over.gif", item->m_strImageOver);
    EXPECT_EQ("", item->m_strImageClick);
    EXPECT_EQ("/site/w/click.au", item->m_strAudioClick);
}

TEST(Parameters, RectanglesFromHugeNumbersWrapInsteadOfOverflowing)
{
    CAppletParameters p;
    ReadMap(p,
            {{"Misc", "1,0,-0,"}, {"MStyle-0", "0,0,0,0,2000000000,-2000000000,2000000000,-2000000000,5,6,0,0,0,x,1"}});
    ASSERT_EQ(1u, p.m_listDrawObjects.size());
    // 32-bit wrap-around, as the placement arithmetic of the format always had.
    EXPECT_EQ((CRect{2000000000, -2000000000, -294967296, 294967296}), p.m_listDrawObjects[0]->m_position);
    CWidgetConfig c;
    p.WriteParameters(c);
    CAppletParameters q;
    q.ReadParameters(c, "/w/");
    // Written normalised; read back the same rectangle, which then stays stable.
    EXPECT_EQ(p.m_listDrawObjects[0]->m_position.Normalized(), q.m_listDrawObjects[0]->m_position);
    CWidgetConfig again;
    q.WriteParameters(again);
    EXPECT_EQ(c.m_mapParameters, again.m_mapParameters);
}

TEST(Parameters, RandomModelsSurviveWriteAndRead)
{
    const std::vector<std::string> resources = {"/src/pics/a.gif", "/src/pics/b b.jpg", "/src/snd/c.au", "rel.gif",
                                                "/src/pics/a.gif"};
    std::size_t buttons = 0, items = 0;
    CWidgetConfig carried;  // written by each model in turn
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CAppletParameters source;
        ModelGenerator gen(seed);
        gen.Fill(source, resources, false);
        CWidgetConfig c;
        source.WriteParameters(c);

        // Written over a record that holds other entries, the same strings and no others:
        // over its own (all names the same, one more after them) and over the previous model's
        // (names the same only up to some point).
        CWidgetConfig own = c;
        for (CWidgetConfig* over : {&own, &carried}) {
            over->SetParameter("Zz", "not the writer's");
            source.WriteParameters(*over);
            EXPECT_EQ(c.m_mapParameters, over->m_mapParameters);
        }

        CAppletParameters read;
        read.ReadParameters(c, "/stored/");
        ExpectModelEqual(source, read, {Storage::kParameters, "/stored/"});
        buttons += read.m_listDrawObjects.size();
        items += CountItems(read);

        // The read model writes the same strings but for the names of top-level menus.
        CWidgetConfig again;
        read.WriteParameters(again);
        for (const auto& obj : source.m_listDrawObjects)
            obj->m_pMenu->m_strName = "top-level";
        source.WriteParameters(c);
        EXPECT_EQ(c.m_mapParameters, again.m_mapParameters);
        if (HasFailure())
            break;
    }
    // The generator must actually produce something worth comparing.
    EXPECT_GT(buttons, 600u);
    EXPECT_GT(items, 2000u);
}
