// The HTML form of the model and the resource list built with it.
#include <gtest/gtest.h>

#include <filesystem>

#include "model_support.h"
#include "widget/model/applet_parameters.h"

using namespace snippo;
using namespace snippo::test;

namespace {

const std::string kHead = "<p align=\"Center\">\r\n";
const std::string kNotice = "\t<param name=\"Notice\" value=\"Menu buttons made with Tessaly GlimButton 1.0\">\r\n";
const std::string kDefaultApStyle = "a8a6ec,7976e2,,0,0,0,,16,10,a8a6ec,1,Loading image ...";
const std::string kDefaultIStyle = "804040,000000,31,0,0,14,0,00,0,0,,,8c6f42,ffff80,"
                                   "804040,ffffff,22,0,0,14,0,00,0,0,,,8c6f42,ffff80,"
                                   "804040,000000,54,0,0,14,0,00,0,0,,,8c6f42,ffff80,";
const std::string kHintIStyle = "ffff00,000000,11,0,0,14,0,01,0,0,,,000000,ffff80,"
                                "ffff00,000000,11,0,0,14,0,01,0,0,,,000000,ffff80,"
                                "ffff00,000000,11,0,0,14,0,01,0,0,,,000000,ffff80,";

std::string Param(const std::string& name, const std::string& value)
{
    return "\t<param name=\"" + name + "\" value=\"" + value + "\">\r\n";
}

}  // namespace

TEST(Html, EmptyModelInWebFormByteForByte)
{
    CAppletParameters p;
    CWidgetConfig c;
    const std::string html = p.GetHTML(c, kHtmlWeb);
    EXPECT_EQ(kHead + "<applet  code=\"qlnbtn.class\" align=\"baseline\" width=\"105\" height=\"215\">\r\n" + kNotice +
                  Param("ApStyle", kDefaultApStyle) + Param("Misc", "0,") + "</applet>\r\n</p>\r\n",
              html);
}

TEST(Html, CodebaseForEachMode)
{
    CAppletParameters p;
    CWidgetConfig c;
    p.m_strClassWebPath = "http://host/classes/";
    c.SetPreviewPath("/tmp/preview/");
    EXPECT_NE(std::string::npos,
              p.GetHTML(c, kHtmlWeb).find("\r\n<applet codebase=\"http://host/classes/\" code=\"qlnbtn.class\""));
    EXPECT_NE(std::string::npos,
              p.GetHTML(c, kHtmlPreview).find("\r\n<applet codebase=\"/tmp/preview/\" code=\"qlnbtn.class\""));
    EXPECT_NE(std::string::npos, p.GetHTML(c, kHtmlRelative).find("\r\n<applet  code=\"qlnbtn.class\""));
    EXPECT_NE(std::string::npos, p.GetHTML(c, -7).find("\r\n<applet  code=\"qlnbtn.class\""));

    // The preview form reads the entry and so creates it when it is missing.
    CWidgetConfig fresh;
    EXPECT_NE(std::string::npos, p.GetHTML(fresh, kHtmlPreview).find("<applet  code="));
    EXPECT_EQ(1u, fresh.m_mapDescription.count("PreviewPath"));

    p.m_nAlign = 1;
    EXPECT_EQ(0u, p.GetHTML(c, kHtmlWeb).find("<p align=\"Left\">\r\n"));
    p.m_nAlign = 2;
    p.m_nWidth = 640;
    p.m_nHeight = 48;
    const std::string html = p.GetHTML(c, kHtmlWeb);
    EXPECT_EQ(0u, html.find("<p align=\"Right\">\r\n"));
    EXPECT_NE(std::string::npos, html.find(" width=\"640\" height=\"48\">\r\n"));
}

TEST(Html, OneButtonWithItsHint)
{
    CAppletParameters p;
    AddButton(p, {10, 20, 90, 45});
    CWidgetConfig c;
    const std::string html = p.GetHTML(c, kHtmlRelative);
    EXPECT_EQ(kHead + "<applet  code=\"qlnbtn.class\" align=\"baseline\" width=\"105\" height=\"215\">\r\n" + kNotice +
                  Param("ApStyle", kDefaultApStyle) +
                  Param("MStyle-0", "000000,00,0,0,10,20,80,25,5,6,000000,0,000000") +
                  Param("IStyle-0", kDefaultIStyle) + Param("I0-0", "Button,,,,,,,_self,") +
                  Param("MStyle-1", "000000,00,0,0,15,10,30,20,5,1,000000,0,000000") + Param("IStyle-1", kHintIStyle) +
                  Param("I1-0", "Hint,,,,,,,_self,") + Param("Misc", "2,1,1,-0,0-1,") + "</applet>\r\n</p>\r\n",
              html);
}

TEST(Html, NumbersColoursAndPairsOfTheHtmlForm)
{
    EXPECT_EQ("a8a6ec", CAppletParameters::ColorToHex(15509160));
    EXPECT_EQ("563412", CAppletParameters::ColorToHex(0x123456));
    EXPECT_EQ("000000", CAppletParameters::ColorToHex(0));

    CAppletParameters p;
    CDrawObj* b = AddButton(p, {60, 70, 10, 20});  // inverted: normalised first
    CGlimMenu* m = b->Menu();
    m->m_crMenuColorA = 0x0000FF;
    m->m_nMenuValueA = 12;
    m->m_nMenuValueB = 34;
    m->m_nMenuValueC = 5;  // the HTML sends 0 in place of C and D
    m->m_nMenuValueD = 6;
    m->m_nMenuValueE = 7;
    m->m_nBorderThick = 3;
    m->m_crMenuColorB = 0x00FF00;
    m->m_nMenuValueF = -8;
    m->m_crMenuColorC = 0xFF0000;
    m->m_styleNormal.nImageAlign = 2;
    m->m_styleNormal.nTextAlign = 1;
    m->m_styleNormal.nImageOffset = -4;
    m->m_styleNormal.nTextOffset = 9;
    m->m_styleNormal.nEffect = 4;
    m->m_styleNormal.nFontName = 2;
    m->m_styleNormal.nFontSize = 11;
    m->m_styleNormal.nFontStyle = 1;
    p.m_nBackStyle = 4;
    p.m_nBorderStyle = 5;
    p.m_nImageMode = 1;
    p.m_nImageX = 2;
    p.m_nImageY = 3;
    p.m_nBorderThick = 0;
    p.m_bProgressBar = 0;
    p.m_strLoadingMessage = "Wait";
    CWidgetConfig c;
    const std::string html = p.GetHTML(c, kHtmlWeb);
    EXPECT_EQ("ff0000,1234,0,0,10,20,50,50,7,3,00ff00,-8,0000ff", ParamValue(html, "MStyle-0"));
    EXPECT_EQ("804040,000000,31,4,2,11,1,21,-4,9,,,8c6f42,ffff80,", ParamValue(html, "IStyle-0").substr(0, 50));
    EXPECT_EQ("a8a6ec,7976e2,,1,2,3,,45,0,a8a6ec,0,Wait", ParamValue(html, "ApStyle"));
}

TEST(Html, InvisibleItemsAndMenusAreLeftOut)
{
    CAppletParameters p;
    CDrawObj* hidden = AddButton(p, {0, 0, 10, 10});
    hidden->m_pMenu->m_items[0]->m_bVisible = 0;
    CDrawObj* shown = AddButton(p, {0, 20, 10, 30});
    CGlimMenu* hint = shown->m_pMenu->m_items[0]->SubMenu();
    // Two more hint items: one invisible, one whose visible sub-menu is switched off.
    CGlimMenuItem* gone = new CGlimMenuItem("gone");
    gone->m_bVisible = 0;
    gone->m_pSubMenu->AddItem(std::make_unique<CGlimMenuItem>("never"), 0);
    hint->AddItem(std::unique_ptr<CGlimMenuItem>(gone), 0);
    CGlimMenuItem* closed = new CGlimMenuItem("closed");
    closed->m_pSubMenu->AddItem(std::make_unique<CGlimMenuItem>("inside"), 0);
    closed->m_pSubMenu->m_bVisible = 0;
    hint->AddItem(std::unique_ptr<CGlimMenuItem>(closed), 0);
    CGlimMenuItem* open = new CGlimMenuItem("open");
    open->m_pSubMenu->AddItem(std::make_unique<CGlimMenuItem>("leaf"), 0);
    hint->AddItem(std::unique_ptr<CGlimMenuItem>(open), 0);

    CWidgetConfig c;
    const std::string html = p.GetHTML(c, kHtmlRelative);
    // Emitted: 0 the second button, 1 its hint (Hint, closed, open), 2 open's menu.
    EXPECT_EQ("3,1,3,1,-0,0-1,3-2,", ParamValue(html, "Misc"));
    EXPECT_EQ("Button,,,,,,,_self,", ParamValue(html, "I0-0"));
    EXPECT_EQ("Hint,,,,,,,_self,", ParamValue(html, "I1-0"));
    EXPECT_EQ("closed,,,,,,,_self,", ParamValue(html, "I1-1"));
    EXPECT_EQ("open,,,,,,,_self,", ParamValue(html, "I1-2"));
    EXPECT_EQ("leaf,,,,,,,_self,", ParamValue(html, "I2-0"));
    EXPECT_EQ("<none>", ParamValue(html, "I1-3"));
    EXPECT_EQ("<none>", ParamValue(html, "MStyle-3"));
    EXPECT_EQ(std::string::npos, html.find("gone"));
    EXPECT_EQ(std::string::npos, html.find("inside"));

    // A button whose menu is switched off contributes nothing.
    shown->m_pMenu->m_bVisible = 0;
    EXPECT_EQ("0,", ParamValue(p.GetHTML(c, kHtmlRelative), "Misc"));
}

TEST(Html, ValuesAreEscapedForTheAttributeOnly)
{
    CAppletParameters p;
    CDrawObj* b = AddButton(p, {0, 0, 10, 10});
    CGlimMenuItem* item = b->m_pMenu->m_items[0].get();
    item->m_strLabel = "Say \"hi\",\r\n<b>&";
    item->m_strDescription = "a\"b";
    item->m_strTarget = "_top";
    item->m_strLink = "http://x/?a=1&b=<2>";
    p.m_strLoadingMessage = "Loading \"it\"";
    p.m_strClassWebPath = "http://h/\"x\"/";
    CWidgetConfig c;
    const std::string html = p.GetHTML(c, kHtmlWeb);
    EXPECT_EQ("Say &quot;hi&quot;~@^`|_#`&lt;b&gt;&amp;,a&quot;b,,,,,,_top,http://x/?a=1&amp;b=&lt;2&gt;",
              ParamValue(html, "I0-0"));
    EXPECT_NE(std::string::npos, html.find("1,Loading &quot;it&quot;\">"));
    EXPECT_NE(std::string::npos, html.find("<applet codebase=\"http://h/&quot;x&quot;/\" code="));
    // A value without those characters is written exactly as before.
    EXPECT_EQ(kDefaultApStyle.substr(0, 30), ParamValue(html, "ApStyle").substr(0, 30));
}

TEST(Html, SupportFileAddressesPerMode)
{
    TempDir dir;
    WriteAll(dir.File("a.gif"), "GIF");
    WriteAll(dir.File("bg.jpg"), "JPG");
    WriteAll(dir.File("s.au"), "AU");
    CAppletParameters p;
    CDrawObj* b = AddButton(p, {0, 0, 10, 10});
    CGlimMenuItem* item = b->m_pMenu->m_items[0].get();
    item->m_strImageNormal = dir.File("a.gif");
    item->m_strImageNormalWeb = "http://w/img/";
    item->m_strAudioClick = dir.File("s.au");  // no web path: the name alone
    p.m_strBackImage = dir.File("bg.jpg");
    p.m_strBackImageWeb = "http://w/bg/";
    CWidgetConfig c;
    c.SetPreviewPath("file:///prev/");

    EXPECT_EQ("Button,,file:///prev/a.gif,,,,file:///prev/s.au,_self,", ParamValue(p.GetHTML(c, kHtmlPreview), "I0-0"));
    EXPECT_EQ("Button,,http://w/img/a.gif,,,,s.au,_self,", ParamValue(p.GetHTML(c, kHtmlWeb), "I0-0"));
    EXPECT_EQ("Button,,a.gif,,,,s.au,_self,", ParamValue(p.GetHTML(c, kHtmlRelative), "I0-0"));
    EXPECT_EQ("a8a6ec,7976e2,http://w/bg/bg.jpg,0,0,0,,16,10,a8a6ec,1,Loading image ...",
              ParamValue(p.GetHTML(c, kHtmlWeb), "ApStyle"));
    EXPECT_EQ("a8a6ec,7976e2,file:///prev/bg.jpg,0,0,0,,16,10,a8a6ec,1,Loading image ...",
              ParamValue(p.GetHTML(c, kHtmlPreview), "ApStyle"));

    // A file that has gone leaves the model, and with it the page.
    std::filesystem::remove(dir.File("a.gif"));
    EXPECT_EQ("Button,,,,,,s.au,_self,", ParamValue(p.GetHTML(c, kHtmlRelative), "I0-0"));
    EXPECT_EQ("", item->m_strImageNormal);
}

TEST(Html, ResourceListInTraversalOrderWithDuplicatesAndDroppedFiles)
{
    TempDir dir;
    for (const char* name : {"bg.gif", "bg.au", "one.gif", "two.gif", "over.au"})
        WriteAll(dir.File(name), name);
    std::filesystem::create_directory(dir.File("folder.gif"));

    CAppletParameters p;
    p.m_strClassWebPath = "http://c/";
    p.m_strBackImage = dir.File("bg.gif");
    p.m_strBackImageWeb = "http://bg/";
    p.m_strBackAudio = dir.File("bg.au");
    CDrawObj* a = AddButton(p, {0, 0, 10, 10});
    CDrawObj* b = AddButton(p, {0, 20, 10, 30});
    CGlimMenuItem* first = a->m_pMenu->m_items[0].get();
    first->m_strImageClick = dir.File("two.gif");
    first->m_strImageNormal = dir.File("one.gif");
    first->m_strImageNormalWeb = "http://one/";
    first->m_strAudioOver = dir.File("over.au");
    CGlimMenuItem* hint = a->m_pMenu->m_items[0]->m_pSubMenu->m_items[0].get();
    hint->m_bVisible = 0;  // invisible items still bring their files
    hint->m_strImageOver = dir.File("one.gif");
    CGlimMenuItem* second = b->m_pMenu->m_items[0].get();
    second->m_strImageNormal = dir.File("missing.gif");
    second->m_strImageOver = dir.File("folder.gif");  // a folder is no support file

    CWidgetConfig c;
    c.AddResource("stale", "x", "y");
    const std::vector<ResourceEntry> expected = {
        {"qlnbtn.class", TestServerFolder() + "/", "http://c/"},
        {"bg.gif", dir.Path(), "http://bg/"},
        {"bg.au", dir.Path(), ""},
        {"one.gif", dir.Path(), "http://one/"},
        {"two.gif", dir.Path(), ""},
        {"over.au", dir.Path(), ""},
        {"one.gif", dir.Path(), ""},
    };
    EXPECT_EQ(7, p.BuildResourceList(c));
    EXPECT_EQ(expected, c.m_arrResources);
    EXPECT_EQ("", second->m_strImageNormal);
    EXPECT_EQ("", second->m_strImageOver);
    EXPECT_EQ(7, p.BuildResourceList(c));
    EXPECT_EQ(expected, c.m_arrResources);

    std::filesystem::remove(dir.File("bg.au"));
    EXPECT_EQ(6, p.BuildResourceList(c));
    EXPECT_EQ("", p.m_strBackAudio);
    EXPECT_EQ("bg.gif", c.m_arrResources[1].strName);
    EXPECT_EQ("one.gif", c.m_arrResources[2].strName);

    // GetHTML builds the list afresh.
    c.ClearResources();
    (void)p.GetHTML(c, kHtmlRelative);
    EXPECT_EQ(6, c.GetResourceCount());
}
