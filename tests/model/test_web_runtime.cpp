// What a widget that brings the browser runtime adds to its HTML, its support files and its
// file, and that a widget without it writes exactly what it always wrote.
#include <gtest/gtest.h>

#include <filesystem>

#include "model_support.h"
#include "widget/model/config_file.h"
#include "widget/model/web_runtime.h"

using namespace snippo;
using namespace snippo::test;

namespace {

// A linked button whose hint has a second item with a drop-down, an invisible item with a
// sub-tree, a button whose only item is invisible, and a button whose hint is hidden.
void BuildModel(CAppletParameters& p)
{
    CGlimMenuItem* home = AddButton(p, {10, 10, 90, 30})->m_pMenu->m_items[0].get();
    home->m_strLabel = "Home";
    home->m_strLink = "http://x/?a=1&b=2";
    home->m_strTarget = "_blank";
    CGlimMenu* hint = home->SubMenu();
    hint->m_items[0]->m_strLabel = "Tip <b>\r\n\"two\"";
    auto* secret = new CGlimMenuItem("secret");
    secret->m_bVisible = 0;
    secret->m_pSubMenu->AddItem(std::make_unique<CGlimMenuItem>("under secret"), 0);
    hint->AddItem(std::unique_ptr<CGlimMenuItem>(secret), 0);
    auto* docs = new CGlimMenuItem("Docs");
    docs->m_strLink = "docs.htm";
    auto* deep = new CGlimMenuItem("Deep");
    deep->m_strLink = "d.htm";
    deep->m_strTarget = "main";
    docs->m_pSubMenu->AddItem(std::unique_ptr<CGlimMenuItem>(deep), 0);
    hint->AddItem(std::unique_ptr<CGlimMenuItem>(docs), 0);

    AddButton(p, {10, 40, 90, 60})->m_pMenu->m_items[0]->m_bVisible = 0;
    CGlimMenuItem* c = AddButton(p, {10, 70, 90, 90})->m_pMenu->m_items[0].get();
    c->m_strLabel = "C";
    c->m_pSubMenu->m_bVisible = 0;
}

const std::string kList = "\t<ul>\r\n"
                          "\t<li><a href=\"http://x/?a=1&amp;b=2\" target=\"_blank\" rel=\"noopener\">Home</a>\r\n"
                          "\t<ul>\r\n"
                          "\t<li>Tip &lt;b&gt;<br>&quot;two&quot;</li>\r\n"
                          "\t<li><a href=\"docs.htm\">Docs</a>\r\n"
                          "\t<ul>\r\n"
                          "\t<li><a href=\"d.htm\" target=\"main\">Deep</a></li>\r\n"
                          "\t</ul>\r\n\t</li>\r\n"
                          "\t</ul>\r\n\t</li>\r\n"
                          "\t<li>C</li>\r\n"
                          "\t</ul>\r\n";

const std::string kClose = "</applet>\r\n</p>\r\n";

}  // namespace

TEST(WebRuntime, FallbackListFollowsTheEmittedMenusAndOnlyAddsToTheAppletHtml)
{
    CAppletParameters p;
    BuildModel(p);
    EXPECT_EQ(kList, WebRuntimeFallbackList(p));

    CWidgetConfig c;
    c.SetPreviewPath("/tmp/pv/");
    for (std::int16_t mode : {kHtmlPreview, kHtmlWeb, kHtmlRelative}) {
        p.m_bWebRuntime = false;
        const std::string off = p.GetHTML(c, mode);
        p.m_bWebRuntime = true;
        const std::string on = p.GetHTML(c, mode);
        ASSERT_GT(off.size(), kClose.size());
        // The list stands after the last parameter line, inside the applet element.
        EXPECT_EQ(off.substr(0, off.size() - kClose.size()) + kList + kClose, on) << "mode " << mode;
    }

    CAppletParameters empty;
    EXPECT_EQ("", WebRuntimeFallbackList(empty));
    empty.m_bWebRuntime = true;
    CAppletParameters plain;
    EXPECT_EQ(plain.GetHTML(c, kHtmlWeb), empty.GetHTML(c, kHtmlWeb));
}

TEST(WebRuntime, FallbackListOfAVeryDeepTree)
{
    CAppletParameters p;
    CGlimMenu* m = AddButton(p, {0, 0, 10, 10})->m_pMenu->m_items[0]->SubMenu();
    constexpr int kDepth = 100000;
    for (int i = 0; i < kDepth; ++i)
        m = m->m_items.empty() ? m->InsertNewItemAtFront()->SubMenu() : m->m_items[0]->SubMenu();
    const std::string list = WebRuntimeFallbackList(p);
    std::size_t opened = 0, closed = 0;
    for (std::size_t at = 0; (at = list.find("\t<ul>\r\n", at)) != std::string::npos; ++at)
        ++opened;
    for (std::size_t at = 0; (at = list.find("\t</ul>\r\n", at)) != std::string::npos; ++at)
        ++closed;
    // The button's list, the hint's, and one list a level below it.
    EXPECT_EQ(std::size_t(kDepth) + 1, opened);
    EXPECT_EQ(opened, closed);
    EXPECT_EQ(0u, list.rfind("\t<ul>\r\n\t<li>Button\r\n\t<ul>\r\n\t<li>Hint\r\n", 0));
    EXPECT_EQ(list.size() - 8, list.rfind("\t</ul>\r\n"));
}

TEST(WebRuntime, ScriptSegmentUsesTheCodebaseOfEachForm)
{
    CAppletParameters p;
    p.m_strClassWebPath = "http://host/cls/";
    CWidgetConfig c;
    c.SetPreviewPath("/tmp/a&b/");
    EXPECT_EQ("<script src=\"/tmp/a&amp;b/qlnbtn.js\" defer></script>\r\n", WebRuntimeScript(p, c, kHtmlPreview));
    EXPECT_EQ("<script src=\"http://host/cls/qlnbtn.js\" defer></script>\r\n", WebRuntimeScript(p, c, kHtmlWeb));
    EXPECT_EQ("<script src=\"qlnbtn.js\" defer></script>\r\n", WebRuntimeScript(p, c, kHtmlRelative));
    EXPECT_EQ("<script src=\"qlnbtn.js\" defer></script>\r\n", WebRuntimeScript(p, c, 9));
}

TEST(WebRuntime, SavingCopiesTheRuntimeListsItAndReadingFollowsTheFile)
{
    TempDir src, dest;
    WriteAll(src.File("a.gif"), "image a");
    CAppletParameters p;
    BuildModel(p);
    p.m_strClassWebPath = "http://c/";
    p.m_listDrawObjects[0]->m_pMenu->m_items[0]->m_strImageNormal = src.File("a.gif");
    p.m_bWebRuntime = true;

    CWidgetConfig c;
    c.SetPreviewPath("/pv/");
    const std::string file = dest.File("w.qwd");
    ASSERT_TRUE(WriteConfigFile(c, p, file, nullptr));
    EXPECT_EQ(WebRuntimeBytes(), ReadAll(dest.File("qlnbtn.js")));
    EXPECT_EQ("1", c.m_mapDescription.at("WebRuntime"));
    const std::vector<ResourceEntry> resources = {{"qlnbtn.class", TestServerFolder() + "/", "http://c/"},
                                                  {"qlnbtn.js", TestServerFolder() + "/", "http://c/"},
                                                  {"a.gif", dest.Path(), ""}};
    EXPECT_EQ(resources, c.m_arrResources);
    const std::vector<HtmlSegment> segments = {{"cursor", p.GetHTML(c, kHtmlPreview)},
                                               {"script", "<script src=\"/pv/qlnbtn.js\" defer></script>\r\n"}};
    EXPECT_EQ(segments, c.m_arrSegments);
    const std::string bytes = ReadAll(file);
    EXPECT_NE(std::string::npos, bytes.find("\r\nWebRuntime = 1\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("\r\nSegment Number = 2\r\nSegment Position = cursor\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("Segment Position = script\r\n<script src=\"/pv/qlnbtn.js\" defer>"
                                            "</script>\r\n===== Segment End =====\r\n"));

    CWidgetConfig rc;
    CAppletParameters rp;
    ASSERT_TRUE(ReadConfigFile(rc, rp, file));
    EXPECT_TRUE(rp.m_bWebRuntime);
    EXPECT_EQ(resources, rc.m_arrResources);

    // A file without the key is a widget without the runtime, even read into a record that
    // held the key; a failed read and a file of another widget change nothing.
    CAppletParameters plain;
    CWidgetConfig pc;
    ASSERT_TRUE(WriteConfigFile(pc, plain, dest.File("plain.qwd"), nullptr));
    EXPECT_FALSE(ReadConfigFile(rc, rp, dest.File("missing.qwd")));
    EXPECT_TRUE(rp.m_bWebRuntime);
    EXPECT_EQ("1", rc.m_mapDescription.at("WebRuntime"));
    WriteAll(dest.File("other.qwd"), "========== Description Part Begin ==========\r\nProgID = Other\r\n"
                                     "========== Description Part End ==========\r\n");
    ASSERT_TRUE(ReadConfigFile(rc, rp, dest.File("other.qwd")));
    EXPECT_TRUE(rp.m_bWebRuntime);
    EXPECT_EQ("1", rc.m_mapDescription.at("WebRuntime"));
    ASSERT_TRUE(ReadConfigFile(rc, rp, dest.File("plain.qwd")));
    EXPECT_FALSE(rp.m_bWebRuntime);
    EXPECT_EQ(0u, rc.m_mapDescription.count("WebRuntime"));
}

TEST(WebRuntime, SwitchedOffTheFileIsByteIdenticalToOneThatNeverHadIt)
{
    TempDir a, b;
    CAppletParameters never, toggled;
    BuildModel(never);
    BuildModel(toggled);
    CWidgetConfig cn, ct;
    cn.SetPreviewPath("/pv/");
    ct.SetPreviewPath("/pv/");
    toggled.m_bWebRuntime = true;
    ASSERT_TRUE(WriteConfigFile(ct, toggled, b.File("w.qwd"), nullptr));
    toggled.m_bWebRuntime = false;
    ASSERT_TRUE(WriteConfigFile(ct, toggled, b.File("w.qwd"), nullptr));
    ASSERT_TRUE(WriteConfigFile(cn, never, a.File("w.qwd"), nullptr));
    EXPECT_EQ(ReadAll(a.File("w.qwd")), ReadAll(b.File("w.qwd")));
    EXPECT_EQ(std::string::npos, ReadAll(b.File("w.qwd")).find("WebRuntime"));
    EXPECT_FALSE(std::filesystem::exists(a.File("qlnbtn.js")));
}
