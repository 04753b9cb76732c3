// Saving and loading a widget through real files: support files gathered next to the widget
// file, name clashes handed to a conflict handler, and round trips of random models.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "model_support.h"
#include "widget/model/config_file.h"
#include "widget/model/text_fields.h"

using namespace snippo;
using namespace snippo::test;
namespace fs = std::filesystem;

namespace {

// Records what it is handed; optionally renames each clashing file into the folder.
class FakeConflictHandler : public ResourceConflictHandler {
public:
    void ResolveConflicts(const std::string& destFolder, const std::vector<std::string*>& paths) override
    {
        ++calls;
        folder = destFolder;
        fields = paths;
        for (std::string* path : paths) {
            before.push_back(*path);
            if (rename) {
                const std::string target = destFolder + "renamed-" + FileNameOf(*path);
                fs::copy_file(*path, target);
                *path = target;
            }
        }
    }
    int calls = 0;
    bool rename = false;
    std::string folder;
    std::vector<std::string*> fields;
    std::vector<std::string> before;
};

}  // namespace

TEST(ConfigFile, DirectoryOfAPath)
{
    EXPECT_EQ("/a/b/", DirectoryOf("/a/b/w.qwd"));
    EXPECT_EQ("/", DirectoryOf("/w.qwd"));
    EXPECT_EQ("rel/", DirectoryOf("rel/w.qwd"));
    EXPECT_EQ("", DirectoryOf("w.qwd"));  // the current folder
}

TEST(ConfigFile, SaveGathersSupportFilesAndReadRebuildsTheirPaths)
{
    TempDir src, dest;
    WriteAll(src.File("a.gif"), "image a");
    WriteAll(src.File("b.au"), "sound b");
    WriteAll(src.File("bg.gif"), "background");
    CAppletParameters p;
    CDrawObj* button = AddButton(p, {10, 10, 90, 30});
    CGlimMenuItem* item = button->m_pMenu->m_items[0].get();
    item->m_strImageNormal = src.File("a.gif");
    item->m_strImageNormalWeb = "http://web/";
    item->m_strAudioClick = src.File("b.au");
    p.m_strBackImage = src.File("bg.gif");

    CWidgetConfig c;
    c.SetTitle("kept across saves");
    c.SetParameter("Stale", "x");
    c.AddResource("stale", "", "");
    c.AddSegment("style", "stale");
    const std::string file = dest.File("w.qwd");
    ASSERT_TRUE(WriteConfigFile(c, p, file, nullptr));

    EXPECT_EQ(AppletClassBytes(), ReadAll(dest.File("qlnbtn.class")));
    EXPECT_EQ("image a", ReadAll(dest.File("a.gif")));
    EXPECT_EQ("sound b", ReadAll(dest.File("b.au")));
    EXPECT_EQ("background", ReadAll(dest.File("bg.gif")));
    EXPECT_EQ(dest.File("a.gif"), item->m_strImageNormal);
    EXPECT_EQ(dest.File("b.au"), item->m_strAudioClick);
    EXPECT_EQ(dest.File("bg.gif"), p.m_strBackImage);

    EXPECT_EQ("SnippoServer.GlimButton", c.m_mapDescription.at("ProgID"));
    EXPECT_EQ("kept across saves", c.m_mapDescription.at("Title"));
    EXPECT_EQ(0u, c.m_mapParameters.count("Stale"));
    EXPECT_EQ("Button,,,,a.gif,,,,b.au,1,http://web/,,,,", c.GetParameter("I0-1", ""));
    const std::vector<ResourceEntry> resources = {{"qlnbtn.class", TestServerFolder() + "/", ""},
                                                  {"bg.gif", dest.Path(), ""},
                                                  {"a.gif", dest.Path(), "http://web/"},
                                                  {"b.au", dest.Path(), ""}};
    EXPECT_EQ(resources, c.m_arrResources);
    ASSERT_EQ(1u, c.m_arrSegments.size());
    EXPECT_EQ("cursor", c.m_arrSegments[0].strPosition);
    EXPECT_EQ(p.GetHTML(c, kHtmlPreview), c.m_arrSegments[0].strBody);
    EXPECT_EQ(c.Format(), ReadAll(file));

    CWidgetConfig rc;
    CAppletParameters rp;
    bool applied = false;
    ASSERT_TRUE(ReadConfigFile(rc, rp, file, &applied));
    EXPECT_TRUE(applied);
    ASSERT_EQ(1u, rp.m_listDrawObjects.size());
    const CGlimMenuItem* read = rp.m_listDrawObjects[0]->m_pMenu->m_items[0].get();
    EXPECT_EQ(dest.File("a.gif"), read->m_strImageNormal);
    EXPECT_EQ(dest.File("b.au"), read->m_strAudioClick);
    EXPECT_EQ(dest.File("bg.gif"), rp.m_strBackImage);
    EXPECT_EQ(resources, rc.m_arrResources);
    EXPECT_EQ(c.m_mapParameters, rc.m_mapParameters);
}

TEST(ConfigFile, SecondSaveCopiesOnlyTheAppletClass)
{
    TempDir src, dest;
    WriteAll(src.File("a.gif"), "original");
    CAppletParameters p;
    AddButton(p, {0, 0, 10, 10})->m_pMenu->m_items[0]->m_strImageOver = src.File("a.gif");
    CWidgetConfig c;
    FakeConflictHandler handler;
    ASSERT_TRUE(WriteConfigFile(c, p, dest.File("w.qwd"), &handler));
    WriteAll(dest.File("a.gif"), "edited in place");
    WriteAll(dest.File("qlnbtn.class"), "outdated");
    ASSERT_TRUE(WriteConfigFile(c, p, dest.File("w.qwd"), &handler));
    EXPECT_EQ("edited in place", ReadAll(dest.File("a.gif")));
    EXPECT_EQ(AppletClassBytes(), ReadAll(dest.File("qlnbtn.class")));
    EXPECT_EQ(0, handler.calls);

    // Saving next to the applet class itself must not copy it onto itself.
    p.CopyResources(TestServerFolder() + "/", &handler);
    EXPECT_EQ(AppletClassBytes(), ReadAll(TestServerFolder() + "/qlnbtn.class"));
}

TEST(ConfigFile, SameImageFromAnotherFolderGoesToTheConflictHandler)
{
    TempDir src, dest;
    WriteAll(src.File("a.gif"), "shared");
    WriteAll(src.File("c.gif"), "mine");
    WriteAll(dest.File("c.gif"), "already there");
    CAppletParameters p;
    CDrawObj* one = AddButton(p, {0, 0, 10, 10});
    CDrawObj* two = AddButton(p, {0, 20, 10, 30});
    CGlimMenuItem* first = one->m_pMenu->m_items[0].get();
    CGlimMenuItem* second = two->m_pMenu->m_items[0].get();
    first->m_strImageNormal = src.File("a.gif");
    second->m_strImageNormal = src.File("a.gif");
    second->m_strAudioOver = src.File("c.gif");

    // Without a handler the clashing paths stay as they are.
    {
        CAppletParameters q;
        CDrawObj* a = AddButton(q, {0, 0, 10, 10});
        CDrawObj* b = AddButton(q, {0, 20, 10, 30});
        a->m_pMenu->m_items[0]->m_strImageNormal = src.File("a.gif");
        b->m_pMenu->m_items[0]->m_strImageNormal = src.File("a.gif");
        TempDir other;
        CWidgetConfig c;
        ASSERT_TRUE(WriteConfigFile(c, q, other.File("w.qwd"), nullptr));
        EXPECT_EQ(other.File("a.gif"), a->m_pMenu->m_items[0]->m_strImageNormal);
        EXPECT_EQ(src.File("a.gif"), b->m_pMenu->m_items[0]->m_strImageNormal);
    }

    FakeConflictHandler handler;
    CWidgetConfig c;
    ASSERT_TRUE(WriteConfigFile(c, p, dest.File("w.qwd"), &handler));
    EXPECT_EQ(1, handler.calls);
    EXPECT_EQ(dest.Dir(), handler.folder);
    EXPECT_EQ((std::vector<std::string*>{&second->m_strImageNormal, &second->m_strAudioOver}), handler.fields);
    EXPECT_EQ((std::vector<std::string>{src.File("a.gif"), src.File("c.gif")}), handler.before);
    EXPECT_EQ(dest.File("a.gif"), first->m_strImageNormal);
    EXPECT_EQ("already there", ReadAll(dest.File("c.gif")));  // never replaced without asking

    // A handler that renames: the saved parameters name the new files.
    FakeConflictHandler renaming;
    renaming.rename = true;
    second->m_strImageNormal = src.File("a.gif");
    second->m_strAudioOver = src.File("c.gif");
    ASSERT_TRUE(WriteConfigFile(c, p, dest.File("w.qwd"), &renaming));
    EXPECT_EQ(dest.File("renamed-a.gif"), second->m_strImageNormal);
    EXPECT_EQ("Button,,,,renamed-a.gif,,,renamed-c.gif,,1,,,,,", c.GetParameter("I3-1", ""));
    EXPECT_EQ("mine", ReadAll(dest.File("renamed-c.gif")));
}

TEST(ConfigFile, OnlyRegularFilesCountAndFailedCopiesKeepTheirPath)
{
    TempDir src, dest;
    fs::create_directory(src.File("folder.gif"));
    WriteAll(src.File("a.gif"), "a");
    CAppletParameters p;
    CGlimMenuItem* item = AddButton(p, {0, 0, 10, 10})->m_pMenu->m_items[0].get();
    item->m_strImageNormal = src.File("folder.gif");
    item->m_strImageOver = src.File("missing.gif");
    item->m_strImageClick = src.File("a.gif");
    p.m_strBackAudio = src.File("folder.gif");

    // A destination folder that does not exist: nothing can be copied.
    p.CopyResources(dest.File("absent") + "/", nullptr);
    EXPECT_EQ("", item->m_strImageNormal);
    EXPECT_EQ("", item->m_strImageOver);
    EXPECT_EQ("", p.m_strBackAudio);
    EXPECT_EQ(src.File("a.gif"), item->m_strImageClick);

    // A copy cut short, as on a full disk: the path stays on the original, and no truncated
    // copy is left in the destination to be mistaken for the file later.
    WriteAll(src.File("big.gif"), std::string(200000, 'g'));
    item->m_strAudioOver = src.File("big.gif");
    {
        struct rlimit old {};
        ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &old));
        struct sigaction ignore {
        }, before{};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGXFSZ, &ignore, &before);
        struct rlimit small = old;
        small.rlim_cur = 4096;
        ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
        p.CopyResources(dest.Dir(), nullptr);
        setrlimit(RLIMIT_FSIZE, &old);
        sigaction(SIGXFSZ, &before, nullptr);
    }
    EXPECT_EQ(src.File("big.gif"), item->m_strAudioOver);
    EXPECT_FALSE(fs::exists(dest.File("big.gif")));
    EXPECT_EQ(dest.File("a.gif"), item->m_strImageClick);
}

TEST(ConfigFile, ForeignOrMissingFilesLeaveTheModelAlone)
{
    TempDir dir;
    CAppletParameters p;
    AddButton(p, {1, 2, 3, 4});
    p.m_nWidth = 321;
    CWidgetConfig c;
    bool applied = true;
    EXPECT_FALSE(ReadConfigFile(c, p, dir.File("absent.qwd"), &applied));
    EXPECT_FALSE(applied);

    CWidgetConfig foreign;
    foreign.SetProgID("Another.Widget");
    foreign.SetTitle("Foreign");
    foreign.SetParameter("Misc", "0,");
    foreign.SetParameter("ApStyle", "x,0,1,1,0,0,,0,0,0,,0,0,0,0,,,,0,");
    ASSERT_TRUE(foreign.WriteFile(dir.File("foreign.qwd")));
    EXPECT_TRUE(ReadConfigFile(c, p, dir.File("foreign.qwd"), &applied));
    EXPECT_FALSE(applied);
    EXPECT_EQ("Foreign", c.GetTitle());  // the description is read
    EXPECT_EQ(1u, p.m_listDrawObjects.size());
    EXPECT_EQ(321, p.m_nWidth);

    // Writing into a folder that does not exist fails after the lists were rebuilt.
    EXPECT_FALSE(WriteConfigFile(c, p, dir.File("no/such/w.qwd"), nullptr));
    EXPECT_EQ("SnippoServer.GlimButton", c.GetProgID());
}

TEST(ConfigFile, RandomModelsSurviveSaveAndLoadThroughFiles)
{
    TempDir src, other, work;
    std::vector<std::string> resources;
    for (const char* name : {"img0.gif", "img1.gif", "img 2.jpg", "snd0.au", "snd1.wav"}) {
        WriteAll(src.File(name), std::string("data of ") + name);
        resources.push_back(src.File(name));
    }
    // Same name in another folder: it meets the first copy and stays where it is.
    WriteAll(other.File("img0.gif"), "another img0");
    resources.push_back(other.File("img0.gif"));

    std::size_t buttons = 0, withResources = 0;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const std::string folder = work.File(std::to_string(seed));
        fs::create_directory(folder);
        const std::string file = folder + "/widget.qwd";

        CAppletParameters source;
        ModelGenerator gen(seed);
        gen.Fill(source, resources, false);
        CWidgetConfig written;
        written.SetTitle(gen.Text(20));
        written.SetLastUpdateTime(40000.25 + seed);
        ASSERT_TRUE(WriteConfigFile(written, source, file, nullptr));

        CWidgetConfig readConfig;
        CAppletParameters read;
        bool applied = false;
        ASSERT_TRUE(ReadConfigFile(readConfig, read, file, &applied));
        ASSERT_TRUE(applied);
        EXPECT_EQ(written.m_mapDescription, readConfig.m_mapDescription);
        EXPECT_EQ(written.m_mapParameters, readConfig.m_mapParameters);
        EXPECT_EQ(written.m_arrResources, readConfig.m_arrResources);
        EXPECT_EQ(written.m_arrSegments, readConfig.m_arrSegments);
        EXPECT_EQ(40000.25 + seed, readConfig.GetLastUpdateTime());
        ExpectModelEqual(source, read, {Storage::kParameters, folder + "/"});

        buttons += read.m_listDrawObjects.size();
        withResources += written.m_arrResources.size() - 1;
        fs::remove_all(folder);
        if (HasFailure())
            break;
    }
    EXPECT_GT(buttons, 500u);
    EXPECT_GT(withResources, 500u);
}

TEST(ConfigFile, StoredNamesCannotReachOutsideTheWidgetFolder)
{
    // A hand-written widget file that names files beside and above its folder.
    TempDir root, dest;
    fs::create_directories(root.File("secret"));
    fs::create_directories(root.File("w"));
    WriteAll(root.File("secret/key.txt"), "private");
    WriteAll(root.File("w/own.gif"), "own image");
    const std::string file = root.File("w/hostile.qwd");
    WriteAll(file, "========== Description Part Begin ==========\r\nProgID = SnippoServer.GlimButton\r\n"
                   "========== Description Part End ==========\r\n\r\n"
                   "========== Parameter Part Begin ==========\r\n"
                   "ApStyle = GlimButton,0,105,215,1,2,../secret/key.txt,0,0,0,,1,6,10,3,,,,1,x\r\n"
                   "I0-1 = B,,,,../../../../etc/hostname,..\\secret\\key.txt,sub/own.gif,,,1,,,,,\r\n"
                   "Misc = 2,1,0,-0,0-1,\r\n"
                   "========== Parameter Part End ==========\r\n\r\n");
    CWidgetConfig c;
    CAppletParameters p;
    ASSERT_TRUE(ReadConfigFile(c, p, file, nullptr));
    p.BuildResourceList(c);
    std::vector<std::string> names;
    for (const ResourceEntry& e : c.m_arrResources)
        names.push_back(e.strName + "@" + e.strLocalPath);
    // Only the file that lies in the widget's own folder is a support file.
    EXPECT_EQ((std::vector<std::string>{"qlnbtn.class@" + TestServerFolder() + "/", "own.gif@" + root.File("w")}),
              names);

    CWidgetConfig out;
    ASSERT_TRUE(WriteConfigFile(out, p, dest.File("saved.qwd"), nullptr));
    EXPECT_FALSE(fs::exists(dest.File("key.txt")));
    EXPECT_FALSE(fs::exists(dest.File("hostname")));
    EXPECT_EQ("own image", ReadAll(dest.File("own.gif")));
}
