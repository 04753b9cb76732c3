// Known browsers, the Web Browser dialog with the settings it writes, and LaunchBrowser.
#include "host_test_support.h"

#include "host/known_browsers.h"
#include "platform/registry/registry.h"
#include "platform/shell/shell.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QListView>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <sys/stat.h>

using namespace snippo;
using namespace hosttest;

namespace {

// PATH holds only a folder of this test, with the programs the case makes.
class PathGuard {
public:
    explicit PathGuard(const fs::path& folder) : m_old(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        fs::create_directories(folder);
        setenv("PATH", folder.c_str(), 1);
    }
    ~PathGuard() { setenv("PATH", m_old.c_str(), 1); }

private:
    std::string m_old;
};

void makeProgram(const fs::path& path)
{
    WriteFile(path, "#!/bin/sh\nexit 0\n");
    ::chmod(path.c_str(), 0755);
}

void registerBrowsers(bool explorer, bool communicator, bool navigator)
{
    if (explorer)
        RegSetDefault(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE",
                      "/opt/ie/iexplore");
    if (communicator) {
        HKEY key = nullptr;
        RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator", &key);
        RegSetString(key, "CurrentVersion", "4.7 (en)");
        RegCloseKey(key);
        RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator\\4.7 (en)\\Main", &key);
        RegSetString(key, "Install Directory", "/opt/communicator");
        RegCloseKey(key);
    }
    if (navigator) {
        HKEY key = nullptr;
        RegCreateKey(HKEY_CURRENT_USER, "SOFTWARE\\Netscape\\Netscape Navigator\\Main", &key);
        RegSetString(key, "Install Directory", "/opt/navigator");
        RegCloseKey(key);
    }
}

struct BrowserSettings {
    int mode;
    std::string path;
    int known;
    bool operator==(const BrowserSettings&) const = default;
};

BrowserSettings storedSettings()
{
    CProfile profile("Quillon", "Tessaly GlimButton");
    return {profile.GetProfileInt("Web Browser", "Use Default", -99),
            profile.GetProfileString("Web Browser", "Specify Browser", "<none>").toStdString(),
            profile.GetProfileInt("Web Browser", "Known Browser", -99)};
}

}  // namespace

using Browser = FakeHostTest;

TEST_F(Browser, KnownBrowsersComeFromTheRegistryInOrderThenFromPath)
{
    PathGuard path(tmp / "bin");
    {
        CKnownBrowsers none;
        EXPECT_EQ(none.m_nCount, 0);
    }
    registerBrowsers(false, false, true);
    {
        CKnownBrowsers onlyNavigator;
        ASSERT_EQ(onlyNavigator.m_nCount, 1);
        EXPECT_EQ(onlyNavigator.m_arrNames[0], "Netscape Navigator 3");
        EXPECT_EQ(onlyNavigator.m_arrPaths[0], "/opt/navigator/Program/Netscape.exe");
    }
    registerBrowsers(true, true, false);
    makeProgram(tmp / "bin" / "chromium");
    makeProgram(tmp / "bin" / "firefox");
    CKnownBrowsers all;
    EXPECT_EQ(all.m_nCount, 5);
    EXPECT_EQ(all.m_arrNames, (QStringList{"Internet Explorer", "Netscape Communicator 4", "Netscape Navigator 3",
                                           "Firefox", "Chromium"}));
    EXPECT_EQ(all.m_arrPaths[0], "/opt/ie/iexplore");
    EXPECT_EQ(all.m_arrPaths[1], "/opt/communicator/Program/Netscape.exe");
    EXPECT_EQ(all.m_arrPaths[3], QString::fromStdString((tmp / "bin" / "firefox").string()));
}

TEST_F(Browser, RegisteredBrowsersWithoutAFolderOrWithOverlongValuesAreLeftOut)
{
    PathGuard path(tmp / "bin");
    HKEY key = nullptr;
    RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator", &key);
    RegSetString(key, "CurrentVersion", "4.7");
    RegCloseKey(key);
    RegSetDefault(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE",
                  "/" + std::string(511, 'x'));
    CKnownBrowsers known;
    EXPECT_EQ(known.m_nCount, 0);
    EXPECT_EQ(
        CKnownBrowsers::ReadRegistry(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator", "CurrentVersion"),
        "4.7");
    RegSetDefault(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE",
                  "/" + std::string(510, 'x'));
    EXPECT_EQ(CKnownBrowsers().m_nCount, 1) << "511 characters and the terminator fit 512 bytes";
}

TEST_F(Browser, DialogShowsTheStoredChoice)
{
    PathGuard pathGuard(tmp / "bin");
    registerBrowsers(true, false, true);
    ASSERT_TRUE(Start());
    struct Case {
        int mode;
        const char* radio;
    } cases[] = {{1, "useDefaultRadio"}, {2, "knownBrowsersRadio"}, {0, "userBrowserRadio"}, {7, "knownBrowsersRadio"}};
    for (const Case& c : cases) {
        app->m_nBrowserMode = c.mode;
        app->m_nKnownBrowser = 1;
        app->m_strBrowserPath = "/opt/mine/browse";
        QString checked, path;
        QStringList names;
        int index = -2;
        Prompts::PushDialogDriver([&](QDialog& d) {
            for (const char* radio : {"useDefaultRadio", "knownBrowsersRadio", "userBrowserRadio"})
                if (Child<QRadioButton>(d, radio)->isChecked())
                    checked = radio;
            auto* list = Child<QComboBox>(d, "knownBrowserList");
            for (int i = 0; i < list->count(); ++i)
                names << list->itemText(i);
            index = list->currentIndex();
            path = Child<QLineEdit>(d, "browserPathEdit")->text();
            Click(d, "cancelButton");
        });
        Command(res::ID_OPTION_WEB_BROWSER);
        EXPECT_EQ(checked, c.radio) << "mode " << c.mode;
        EXPECT_EQ(names, (QStringList{"Internet Explorer", "Netscape Navigator 3"}));
        EXPECT_EQ(index, 1);
        EXPECT_EQ(path, "/opt/mine/browse");
    }
    EXPECT_EQ(storedSettings(), (BrowserSettings{-99, "<none>", -99})) << "Cancel writes nothing";
}

TEST_F(Browser, DialogWritesTheChoiceAndKeepsTheOtherValues)
{
    PathGuard path(tmp / "bin");
    registerBrowsers(true, true, true);
    ASSERT_TRUE(Start());

    // A user's browser needs its program.
    Prompts::PushDialogDriver([](QDialog& d) {
        Child<QRadioButton>(d, "userBrowserRadio")->setChecked(true);
        Click(d, "okButton");
        EXPECT_TRUE(d.isVisible());
        Prompts::PushFileName("/opt/mine/browse");
        Click(d, "browseButton");
        Click(d, "okButton");
    });
    Command(res::ID_OPTION_WEB_BROWSER);
    EXPECT_EQ(Messages(), QStringList{"You must specify the web browser's execute file!"});
    const PromptRecord* chooser = nullptr;
    for (const PromptRecord& rec : Prompts::Record())
        if (rec.kind == PromptRecord::Kind::Executable)
            chooser = &rec;
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->strText, "Web Browser(*.EXE) | *.EXE");
    EXPECT_EQ(storedSettings(), (BrowserSettings{0, "/opt/mine/browse", 0}));

    Prompts::PushDialogDriver([](QDialog& d) {
        Child<QRadioButton>(d, "knownBrowsersRadio")->setChecked(true);
        Child<QComboBox>(d, "knownBrowserList")->setCurrentIndex(2);
        Click(d, "okButton");
    });
    Command(res::ID_OPTION_WEB_BROWSER);
    EXPECT_EQ(storedSettings(), (BrowserSettings{2, "/opt/mine/browse", 2}));

    Prompts::PushDialogDriver([](QDialog& d) {
        Child<QRadioButton>(d, "useDefaultRadio")->setChecked(true);
        Click(d, "okButton");
    });
    Command(res::ID_OPTION_WEB_BROWSER);
    EXPECT_EQ(storedSettings(), (BrowserSettings{1, "/opt/mine/browse", 2}));

    // In force at the next start.
    ASSERT_TRUE(Restart());
    EXPECT_EQ(app->m_nBrowserMode, 1);
    EXPECT_EQ(app->m_strBrowserPath, "/opt/mine/browse");
    EXPECT_EQ(app->m_nKnownBrowser, 2);
}

// The real chooser behind "...": it lists folders and programs, not other files, and gives the
// chosen program's full path.
TEST_F(Browser, ProgramChooserListsFoldersAndProgramsOnly)
{
    fs::path bin = tmp / "programs";
    fs::create_directories(bin / "tools");
    makeProgram(bin / "mybrowser");
    WriteFile(bin / "notes.txt", "not a program\n");
    snippo::ScopedFilePromptResponder realChooser{{}};  // no answers: the real chooser shows

    QStringList listed;
    bool seen = false;
    // Looks for the chooser until it is up, reads what it lists, then picks the program.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QFileDialog* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "executableFileDialog" && w->isVisible())
                dialog = qobject_cast<QFileDialog*>(w);
        if (dialog == nullptr || seen)
            return;
        seen = true;
        poll.stop();
        auto* view = dialog->findChild<QListView*>("listView");
        dialog->setDirectory(QString::fromStdString(bin.string()));
        if (view != nullptr) {
            // The folder is read in the background; entries arrive one by one.
            QAbstractItemModel* model = view->model();
            auto rows = [&] { return model->rowCount(view->rootIndex()); };
            (void)QTest::qWaitFor([&] { return rows() >= 2; }, 5000);
            QTest::qWait(300);
            for (int i = 0; i < rows(); ++i)
                listed << model->index(i, 0, view->rootIndex()).data().toString();
        }
        // Typed as the user types it; a chooser that does not take it is closed all the same.
        QTest::keyClicks(dialog->findChild<QLineEdit*>("fileNameEdit"), "mybrowser");
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        QTimer::singleShot(5000, dialog, [dialog] { dialog->reject(); });
    });
    poll.start(20);
    QString chosen = snippo::ChooseExecutable(nullptr, "Open", "Web Browser(*.EXE) | *.EXE");
    ASSERT_TRUE(seen);
    EXPECT_FALSE(listed.isEmpty()) << "the chooser has its list view";
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"mybrowser", "tools"}));
    EXPECT_EQ(chosen.toStdString(), (bin / "mybrowser").string());
}

TEST_F(Browser, LaunchInEachMode)
{
    PathGuard path(tmp / "bin");
    registerBrowsers(true, false, true);
    ASSERT_TRUE(Start());
    const std::string page = "/srv/my pages/preview.htm";

    app->m_nBrowserMode = 1;
    EXPECT_TRUE(app->LaunchBrowser(QString::fromStdString(page)));
    app->m_nBrowserMode = 0;
    app->m_strBrowserPath = "/opt/Web Tools/browse";
    app->LaunchBrowser(QString::fromStdString(page));
    app->m_nBrowserMode = 2;
    app->m_nKnownBrowser = 1;
    app->LaunchBrowser(QString::fromStdString(page));
    app->m_nKnownBrowser = 2;  // not in the list: the default browser
    app->LaunchBrowser(QString::fromStdString(page));
    app->m_nKnownBrowser = -1;
    app->LaunchBrowser(QString::fromStdString(page));
    EXPECT_EQ(shellCalls, (std::vector<ShellCall>{
                              {"open", page, "", ""},
                              {"open", "/opt/Web Tools/browse", page, ""},
                              {"open", "/opt/navigator/Program/Netscape.exe", page, ""},
                              {"open", page, "", ""},
                              {"open", page, "", ""},
                          }));
}

TEST_F(Browser, AppletViewerStartsInThePagesFolderAndABrowserThatFailsIsReported)
{
    ASSERT_TRUE(Start());
    app->m_fnShellExecute = &CTessalyToolApp::CallShell;  // real programs are started here
    fs::path pages = tmp / "pages";
    fs::create_directories(pages);
    fs::path here = fs::current_path();

    // The viewer tells where it ran and what it was given.
    fs::path viewer = tmp / "jdk" / "bin" / "AppletViewer";
    fs::path out = tmp / "viewer.out";
    fs::create_directories(viewer.parent_path());
    WriteFile(viewer, "#!/bin/sh\npwd > '" + out.string() + ".part'\necho \"$1\" >> '" + out.string() + ".part'\nmv '" +
                          out.string() + ".part' '" + out.string() + "'\n");
    ::chmod(viewer.c_str(), 0755);
    app->m_nBrowserMode = 0;
    app->m_strBrowserPath = QString::fromStdString(viewer.string());
    EXPECT_TRUE(app->LaunchBrowser(QString::fromStdString((pages / "preview.htm").string())));
    for (int i = 0; i < 500 && !fs::exists(out); ++i)
        QTest::qWait(10);
    EXPECT_EQ(ReadFile(out), pages.string() + "\npreview.htm\n");
    EXPECT_EQ(fs::current_path(), here) << "the program's own current directory stays";
    EXPECT_TRUE(Messages().isEmpty());

    // A browser that is not there, and a page the desktop cannot open.
    std::string missing = (tmp / "gone" / "browse").string();
    app->m_strBrowserPath = QString::fromStdString(missing);
    app->LaunchBrowser(QString::fromStdString((pages / "preview.htm").string()));
    app->m_nBrowserMode = 1;
    app->LaunchBrowser(QString::fromStdString((tmp / "gone" / "preview.htm").string()));
    EXPECT_EQ(Messages(), (QStringList{QString::fromStdString("Launch the web browser " + missing + " Error!"),
                                       "Launch the default web browser Error!"}));
}
