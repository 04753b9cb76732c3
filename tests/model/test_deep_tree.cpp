// Menus nest to any depth: a chain of 100,000 menus below one button goes through every
// walk of the model (parameter strings, HTML, resource list, support files, snapshots,
// copies and deletion) on a thread whose stack is far smaller than any walk that recursed
// per level would need.
#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>

#include "model_support.h"
#include "widget/model/applet_parameters.h"
#include "widget/model/config_file.h"

using namespace snippo;
using namespace snippo::test;

namespace {

constexpr int kChain = 100000;
constexpr std::size_t kSmallStack = 1 << 20;  // 10 bytes a level would already overflow

void OnSmallStack(const std::function<void()>& body)
{
    pthread_attr_t attr;
    ASSERT_EQ(0, pthread_attr_init(&attr));
    ASSERT_EQ(0, pthread_attr_setstacksize(&attr, kSmallStack));
    pthread_t thread;
    auto run = [](void* f) -> void* {
        (*static_cast<const std::function<void()>*>(f))();
        return nullptr;
    };
    ASSERT_EQ(0, pthread_create(&thread, &attr, run, const_cast<std::function<void()>*>(&body)));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

// A button whose hint item has a sub-menu with one item "L1", whose sub-menu has one item
// "L2", and so on; the last item is "Deepest". Menu n holds the n-th item of the chain
// (0 the button, 1 the hint), and the last menu is the deepest item's empty sub-menu.
CGlimMenuItem* AddChain(CAppletParameters& p, int levels)
{
    CDrawObj* button = AddButton(p, {10, 20, 90, 40});
    CGlimMenuItem* item = button->m_pMenu->m_items[0]->m_pSubMenu->m_items[0].get();
    for (int i = 1; i <= levels; ++i) {
        item = item->m_pSubMenu->InsertNewItemAtFront();
        item->m_strLabel = i == levels ? "Deepest" : "L" + std::to_string(i);
    }
    return item;
}

// The items of the chain from the button down, without recursion.
std::vector<const CGlimMenuItem*> Chain(const CGlimMenu* top)
{
    std::vector<const CGlimMenuItem*> items;
    for (const CGlimMenu* m = top; !m->m_items.empty(); m = m->m_items[0]->SubMenu()) {
        EXPECT_EQ(1u, m->m_items.size());
        items.push_back(m->m_items[0].get());
    }
    return items;
}

// "first-(first+1)," for first = 0 .. last-1: every menu links the next one.
std::string Links(int last)
{
    std::string links;
    for (int i = 0; i < last; ++i)
        links += std::to_string(i) + "-" + std::to_string(i + 1) + ",";
    return links;
}

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

}  // namespace

TEST(DeepTree, EveryWalkOfAHundredThousandLevels)
{
    TempDir source, target;
    WriteAll(source.File("deep.gif"), "GIF89a");
    OnSmallStack([&] {
        CAppletParameters p;
        CGlimMenuItem* deepest = AddChain(p, kChain);
        deepest->m_strImageNormal = source.File("deep.gif");
        deepest->m_strImageNormalWeb = "http://w/img/";
        const int menus = kChain + 3, items = kChain + 2;

        // Parameter strings: every menu and its link to the next.
        CWidgetConfig c;
        p.WriteParameters(c);
        EXPECT_EQ(std::to_string(menus) + "," + Repeat("1,", items) + "0,-0," + Links(items),
                  c.GetParameter("Misc", ""));
        EXPECT_EQ("Deepest,,,,deep.gif,,,,,1,http://w/img/,,,,",
                  c.GetParameter("I" + std::to_string(items - 1) + "-1", ""));
        EXPECT_EQ(std::size_t(4 + 2 * menus + items), c.m_mapParameters.size());

        // HTML in the three modes; the deepest item's empty sub-menu is not shown.
        c.SetPreviewPath("file:///prev/");
        const std::string deepKey = "I" + std::to_string(items - 1) + "-0";
        const std::string html = p.GetHTML(c, kHtmlRelative);
        EXPECT_EQ(std::to_string(items) + "," + Repeat("1,", items) + "-0," + Links(items - 1),
                  ParamValue(html, "Misc"));
        EXPECT_EQ("Deepest,,deep.gif,,,,,_self,", ParamValue(html, deepKey));
        EXPECT_EQ("L99999,,,,,,,_self,", ParamValue(html, "I" + std::to_string(items - 2) + "-0"));
        EXPECT_EQ("Deepest,,http://w/img/deep.gif,,,,,_self,", ParamValue(p.GetHTML(c, kHtmlWeb), deepKey));
        EXPECT_EQ("Deepest,,file:///prev/deep.gif,,,,,_self,", ParamValue(p.GetHTML(c, kHtmlPreview), deepKey));

        // The support files, found at the bottom of the tree.
        EXPECT_EQ(2, p.BuildResourceList(c));
        EXPECT_EQ((std::vector<ResourceEntry>{{"qlnbtn.class", TestServerFolder() + "/", ""},
                                              {"deep.gif", source.Path(), "http://w/img/"}}),
                  c.m_arrResources);
        p.CopyResources(target.Dir(), nullptr);
        EXPECT_EQ(target.File("deep.gif"), deepest->m_strImageNormal);
        EXPECT_EQ("GIF89a", ReadAll(target.File("deep.gif")));

        // A snapshot holds the whole tree: undo brings it back after the button is gone.
        p.History().ResetHistory();
        p.DeleteContents();
        p.History().Checkpoint();
        ASSERT_TRUE(p.History().Undo());
        ASSERT_EQ(1u, p.m_listDrawObjects.size());
        const std::vector<const CGlimMenuItem*> restored = Chain(p.m_listDrawObjects[0]->Menu());
        ASSERT_EQ(std::size_t(items), restored.size());
        EXPECT_EQ("Hint", restored[1]->m_strLabel);
        EXPECT_EQ("L50000", restored[50001]->m_strLabel);
        EXPECT_EQ("Deepest", restored.back()->m_strLabel);
        EXPECT_EQ(target.File("deep.gif"), restored.back()->m_strImageNormal);
        EXPECT_EQ("http://w/img/", restored.back()->m_strImageNormalWeb);

        // A deep copy is a tree of its own with the same labels; web paths start empty.
        {
            const std::unique_ptr<CGlimMenu> copy = p.m_listDrawObjects[0]->m_pMenu->CopyWithoutWebPaths();
            const std::vector<const CGlimMenuItem*> copied = Chain(copy.get());
            ASSERT_EQ(restored.size(), copied.size());
            std::size_t differing = 0, shared = 0;
            for (std::size_t i = 0; i < copied.size(); ++i) {
                differing += copied[i]->m_strLabel != restored[i]->m_strLabel;
                shared += copied[i] == restored[i] || copied[i]->SubMenu() == restored[i]->SubMenu();
            }
            EXPECT_EQ(0u, differing);
            EXPECT_EQ(0u, shared);
            EXPECT_EQ(target.File("deep.gif"), copied.back()->m_strImageNormal);
            EXPECT_EQ("", copied.back()->m_strImageNormalWeb);
        }
        // The model, its snapshots and the copy die on this stack too.
    });
}

TEST(DeepTree, AHundredThousandLevelsReadBackFromAFile)
{
    TempDir folder;
    OnSmallStack([&] {
        CAppletParameters p;
        AddChain(p, kChain);
        p.m_listDrawObjects[0]->m_pMenu->m_strName = "top-level";  // as every reader names it
        CWidgetConfig c;
        ASSERT_TRUE(WriteConfigFile(c, p, folder.File("deep.qwd"), nullptr));

        CWidgetConfig rc;
        CAppletParameters read;
        bool applied = false;
        ASSERT_TRUE(ReadConfigFile(rc, read, folder.File("deep.qwd"), &applied));
        ASSERT_TRUE(applied);
        ASSERT_EQ(1u, read.m_listDrawObjects.size());
        const std::vector<const CGlimMenuItem*> chain = Chain(read.m_listDrawObjects[0]->Menu());
        ASSERT_EQ(std::size_t(kChain + 2), chain.size());
        EXPECT_EQ("Deepest", chain.back()->m_strLabel);

        // Read back, the tree writes the same strings: nothing was cut on the way.
        CWidgetConfig again;
        read.WriteParameters(again);
        EXPECT_EQ(c.m_mapParameters, again.m_mapParameters);
    });
}
