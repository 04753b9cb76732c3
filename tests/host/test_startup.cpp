// Start-up, settings, window placement and the clean-up at exit.
#include "host_test_support.h"

#include "platform/registry/registry.h"
#include "platform/shell/shell.h"

#include <QApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QTreeWidget>

#include <cstdlib>
#include <optional>
#include <unistd.h>

using namespace snippo;
using namespace hosttest;

namespace {

int frameValue(const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_CURRENT_USER, "Software\\Quillon\\Tessaly GlimButton\\Frame", &key) != ERROR_SUCCESS)
        return -100;
    DWORD value = 0;
    LONG rc = RegQueryDword(key, name, &value);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? static_cast<int>(value) : -100;
}

void writeFrame(int status, int top, int left, int bottom, int right)
{
    CProfile profile("Quillon", "Tessaly GlimButton");
    profile.WriteProfileInt("Frame", "Status", status);
    profile.WriteProfileInt("Frame", "Top", top);
    profile.WriteProfileInt("Frame", "Left", left);
    profile.WriteProfileInt("Frame", "Bottom", bottom);
    profile.WriteProfileInt("Frame", "Right", right);
}

QString pane(QPlainTextEdit* edit)
{
    return edit->toPlainText();
}

// Sets (or, with null, removes) an environment variable for the life of the guard.
struct EnvGuard {
    EnvGuard(const char* variable, const char* value) : name(variable)
    {
        if (const char* was = std::getenv(variable))
            old = was;
        value != nullptr ? setenv(variable, value, 1) : unsetenv(variable);
    }
    ~EnvGuard() { old ? setenv(name.c_str(), old->c_str(), 1) : unsetenv(name.c_str()); }
    std::string name;
    std::optional<std::string> old;
};

}  // namespace

using Startup = HostTest;
using FakeStartup = FakeHostTest;

TEST_F(Startup, OpensTheFreshNormalWidgetWithoutAnyDialog)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Dialogs().isEmpty());
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Title(), "Untitled_SnippoServer.GlimButton - Tessaly GlimButton");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    ASSERT_NE(Widget(), nullptr);
    EXPECT_EQ(Widget()->GetTitle(), "Normal");
    EXPECT_EQ(Widget()->GetDescription(), "");
    EXPECT_TRUE(Frame()->isVisible());

    // The proxy found the server folder, the sample page and the widget's own texts.
    EXPECT_EQ(Widget()->m_strProgID, "SnippoServer.GlimButton");
    EXPECT_EQ(Widget()->m_strServerFolder, QString::fromStdString(serverFolder.string()));
    EXPECT_EQ(Widget()->m_strSamplePage, QString::fromStdString((serverFolder / "Sample" / "sample.htm").string()));
    EXPECT_EQ(Widget()->m_strTypeText, "Java Applet");
    EXPECT_EQ(Widget()->m_strNameText, "Tessaly GlimButton 1.0");
    EXPECT_EQ(Widget()->m_strMenuText, "Tessaly GlimButton 1.0");
    EXPECT_EQ(Widget()->m_strMessageText, "Generate glim effect Java Applet buttons");

    // The form shows the widget's name, its local HTML and its support files.
    CTessalyToolView* view = View();
    EXPECT_EQ(view->m_pName->text(), "Normal");
    EXPECT_EQ(view->m_pDescription->text(), "");
    QString body = Widget()->GetHTMLBody(0, 0);
    EXPECT_FALSE(body.isEmpty());
    EXPECT_EQ(pane(view->m_pBody), body.replace("\r\n", "\n"));
    // New widgets load the browser runtime: the page head gets its script line.
    EXPECT_EQ(pane(view->m_pHead), "\n<script src=\"qlnbtn.js\" defer></script>\n");
    int resources = Widget()->GetResourceNumber();
    ASSERT_GT(resources, 0);
    ASSERT_EQ(view->m_pResources->topLevelItemCount(), resources);
    for (int i = 0; i < resources; ++i) {
        QTreeWidgetItem* row = view->m_pResources->topLevelItem(i);
        auto index = static_cast<std::int16_t>(i);
        EXPECT_EQ(row->text(0), Widget()->GetResourceName(index));
        EXPECT_EQ(row->text(1), Widget()->GetResourceLocalPath(index));
        EXPECT_EQ(row->text(2), Widget()->GetResourceWebPath(index));
    }
    EXPECT_EQ(view->m_pResources->topLevelItem(0)->text(0), "qlnbtn.class");
}

TEST_F(Startup, FormCaptionsColumnsAndColours)
{
    ASSERT_TRUE(Start());
    CTessalyToolView* view = View();
    QStringList captions;
    for (CColorStatic* caption : view->m_pCaptions)
        captions << caption->text();
    EXPECT_EQ(
        captions,
        (QStringList{
            "Name:", "Description:", "Insert these HTML into the position where you want to display widget:",
            "Insert these HTML into <HEAD></HEAD>:", "You must copy these files into the preview path you setting:"}));
    for (CColorStatic* caption : view->m_pCaptions) {
        EXPECT_EQ(caption->TextColor(), QColor(0, 0, 255));
        EXPECT_EQ(caption->BackgroundColor(), QColor(230, 230, 250));
    }
    EXPECT_EQ(view->BackgroundColor(), QColor(230, 230, 250));
    EXPECT_EQ(view->m_pName->BackgroundColor(), QColor(230, 230, 250));
    EXPECT_EQ(view->m_pName->TextColor(), QApplication::palette().color(QPalette::WindowText));
    // Captions are plain text: the head caption names the tags it speaks of.
    EXPECT_EQ(view->m_pCaptions[3]->textFormat(), Qt::PlainText);
    // The head pane shows only while the page head gets HTML.
    EXPECT_FALSE(view->m_pHead->isHidden());
    EXPECT_FALSE(view->m_pCaptions[3]->isHidden());
    EXPECT_FALSE(view->m_pBody->isHidden());
    Widget()->SetWebRuntime(false);
    view->FillHtml(0);
    EXPECT_TRUE(view->m_pHead->isHidden());
    EXPECT_TRUE(view->m_pCaptions[3]->isHidden());

    QTreeWidgetItem* header = view->m_pResources->headerItem();
    ASSERT_EQ(view->m_pResources->columnCount(), 3);
    EXPECT_EQ(header->text(0), "File Name");
    EXPECT_EQ(header->text(1), "Source File Path");
    EXPECT_EQ(header->text(2), "Web Path");
    QFontMetrics metrics(view->m_pResources->header()->font());
    EXPECT_EQ(view->m_pResources->columnWidth(0), metrics.horizontalAdvance("File Name") + 50);
    EXPECT_EQ(view->m_pResources->columnWidth(1), metrics.horizontalAdvance("Source File Path") + 140);
    EXPECT_EQ(view->m_pResources->columnWidth(2), metrics.horizontalAdvance("Web Path") + 120);
}

TEST_F(Startup, UnregisteredWidgetEndsTheProgram)
{
    RegDeleteTree(HKEY_CLASSES_ROOT, "SnippoServer.GlimButton");
    RegDeleteKey(HKEY_CLASSES_ROOT, "SnippoServer.GlimButton");
    EXPECT_FALSE(Start());
    EXPECT_EQ(Messages(), QStringList{"Create the dispatch of the SnippoServer.GlimButton Error!"});
    EXPECT_EQ(app->MainFrame(), nullptr);
}

TEST_F(FakeStartup, MissingServerLibraryIsReportedTwice)
{
    fs::path library = ServerLibrary(Server::Fake);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKey(HKEY_CLASSES_ROOT, "CLSID\\{3D0C1E2F-4A5B-4C6D-8E9F-011223344556}\\InprocServer32", &key),
              ERROR_SUCCESS);
    RegSetString(key, "", (tmp / "gone" / "libGone.so").string());
    RegCloseKey(key);
    EXPECT_FALSE(Start());
    EXPECT_EQ(Messages(), (QStringList{"Create Dispatch of the SnippoServer.GlimButton Error!",
                                       "Create the dispatch of the SnippoServer.GlimButton Error!"}));
}

TEST_F(Startup, FileOnTheCommandLineIsOpenedAndTheFirstNewAsksNothing)
{
    fs::path file = MakeWidgetFile(tmp / "Shop.qwd", "Shop", "Shop menu");
    ASSERT_TRUE(Start({"Shop.qwd"}));
    EXPECT_EQ(Title(), "Shop.qwd - Tessaly GlimButton");
    EXPECT_EQ(Doc()->GetPathName().toStdString(), file.string());
    EXPECT_EQ(View()->m_pName->text(), "Shop");
    EXPECT_EQ(View()->m_pDescription->text(), "Shop menu");

    Command(res::ID_FILE_NEW);
    EXPECT_TRUE(Dialogs().isEmpty());
    EXPECT_EQ(View()->m_pName->text(), "Normal");
    EXPECT_EQ(Title(), "Untitled_SnippoServer.GlimButton - Tessaly GlimButton");
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(Startup, CommandLineFileThatFailsEndsTheProgram)
{
    EXPECT_FALSE(Start({"missing.qwd"}));
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith(QString::fromStdString((tmp / "missing.qwd").string()) + "\n"));
}

TEST_F(Startup, MyWidgetFolderBecomesTheCurrentDirectory)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(fs::current_path(), tmp) << "no \"My Widget\" folder: the directory stays";
    Stop();

    fs::create_directories(programFolder / "My Widget");
    fs::path file = MakeWidgetFile(tmp / "Here.qwd", "Here", "");
    ASSERT_TRUE(Start({"Here.qwd"}));
    EXPECT_EQ(fs::current_path(), programFolder / "My Widget");
    // The command line is read in the folder the program was started from.
    EXPECT_EQ(Doc()->GetPathName().toStdString(), file.string());
}

TEST_F(Startup, WebBrowserSettingsAreReadAtStartUp)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(app->m_nBrowserMode, 1);
    EXPECT_EQ(app->m_strBrowserPath, "");
    EXPECT_EQ(app->m_nKnownBrowser, 0);
    Stop();

    CProfile profile("Quillon", "Tessaly GlimButton");
    profile.WriteProfileInt("Web Browser", "Use Default", 0);
    profile.WriteProfileString("Web Browser", "Specify Browser", "/opt/web/browser");
    profile.WriteProfileInt("Web Browser", "Known Browser", 2);
    ASSERT_TRUE(Start());
    EXPECT_EQ(app->m_nBrowserMode, 0);
    EXPECT_EQ(app->m_strBrowserPath, "/opt/web/browser");
    EXPECT_EQ(app->m_nKnownBrowser, 2);
    EXPECT_EQ(app->m_strProgramFolder, QString::fromStdString(programFolder.string()));
    EXPECT_EQ(app->m_strHelpFilePath, QString::fromStdString((programFolder / "TessalyTool.HLP").string()));
}

TEST(InitialWindow, NeedsAllFiveValues)
{
    QRect workArea(0, 30, 1024, 738);
    QSize screen(1024, 768), icon(32, 32);
    EXPECT_FALSE(ComputeInitialWindow(FramePlacement{}, workArea, screen, icon));
    for (int missing = 0; missing < 5; ++missing) {
        FramePlacement p{1, 10, 20, 310, 420};
        int* values[] = {&p.nStatus, &p.nTop, &p.nLeft, &p.nBottom, &p.nRight};
        *values[missing] = -1;
        EXPECT_FALSE(ComputeInitialWindow(p, workArea, screen, icon)) << "value " << missing;
    }
}

TEST(InitialWindow, ShiftedByTheWorkAreaAndKeptOnTheScreen)
{
    QSize screen(1024, 768), icon(32, 32);
    auto placed = ComputeInitialWindow(FramePlacement{3, 10, 20, 310, 420}, QRect(40, 30, 984, 738), screen, icon);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->rect, QRect(60, 40, 400, 300));
    EXPECT_EQ(placed->nShowCmd, 3);

    // A left edge beyond the screen's right edge comes back to screen width minus icon width.
    placed = ComputeInitialWindow(FramePlacement{1, 900, 2000, 1000, 2300}, QRect(0, 0, 1024, 740), screen, icon);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->rect, QRect(992, 736, 300, 100));
}

TEST_F(Startup, PlacementIsSavedAtCloseAndRestored)
{
    ASSERT_TRUE(Start());
    QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    Frame()->setGeometry(workArea.left() + 50, workArea.top() + 60, 300, 240);
    QApplication::processEvents();
    EXPECT_TRUE(Frame()->close());
    EXPECT_EQ(frameValue("Status"), 1);
    EXPECT_EQ(frameValue("Left"), 50);
    EXPECT_EQ(frameValue("Top"), 60);
    EXPECT_EQ(frameValue("Right"), 350);
    EXPECT_EQ(frameValue("Bottom"), 300);

    ASSERT_TRUE(Restart());
    EXPECT_EQ(Frame()->geometry(), QRect(workArea.left() + 50, workArea.top() + 60, 300, 240));
}

TEST_F(Startup, RestoredWindowShrinksToTheFormButNeverGrows)
{
    writeFrame(1, 5, 5, 905, 1205);
    ASSERT_TRUE(Start());
    QSize fit = Frame()->sizeHint();
    EXPECT_EQ(Frame()->size(), QSize(std::min(1200, fit.width()), std::min(900, fit.height())));
    EXPECT_EQ(Frame()->geometry().topLeft(),
              QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(5, 5));
}

TEST_F(Startup, MaximisedWindowReopensMaximisedWithItsNormalRectangle)
{
    writeFrame(1, 20, 30, 220, 330);
    ASSERT_TRUE(Start());
    QRect normal = Frame()->geometry();
    Frame()->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(Frame()->isMaximized());
    EXPECT_TRUE(Frame()->close());
    EXPECT_EQ(frameValue("Status"), SW_SHOWMAXIMIZED);
    EXPECT_EQ(frameValue("Left"), 30);
    EXPECT_EQ(frameValue("Right"), 330);

    ASSERT_TRUE(Restart());
    EXPECT_TRUE(Frame()->isMaximized());
    Frame()->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(Frame()->geometry(), normal);
}

TEST_F(Startup, PlacementIsStoredEvenWhenTheSaveQuestionIsCancelled)
{
    ASSERT_TRUE(Start());
    Doc()->SetModifiedFlag(true);
    QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    Frame()->setGeometry(workArea.left() + 7, workArea.top() + 9, 250, 200);
    Prompts::PushAnswer(QMessageBox::Cancel);
    EXPECT_FALSE(Frame()->close());
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(Messages(), QStringList{"Save changes to Untitled_SnippoServer.GlimButton?"});
    EXPECT_EQ(frameValue("Left"), 7);
    EXPECT_EQ(frameValue("Top"), 9);

    // "No" lets the window close without saving.
    Prompts::PushAnswer(QMessageBox::No);
    EXPECT_TRUE(Frame()->close());
}

TEST_F(Startup, ExitRemovesOnlyWhatThisRunsPreviewsWrote)
{
    // Another instance's preview, on show in its browser.
    fs::path other = programFolder / "tmp" / std::to_string(getpid() + 1);
    fs::create_directories(other);
    WriteFile(other / "preview.htm", "theirs");

    // An instance that never previewed touches nothing.
    ASSERT_TRUE(Start());
    Stop();
    EXPECT_EQ(ReadFile(other / "preview.htm"), "theirs");

    // An applet viewer is started in the preview folder; this program's current directory,
    // where the next Save As starts, stays where it was.
    ASSERT_TRUE(Start());
    fs::path here = fs::current_path();
    app->m_nBrowserMode = 0;
    app->m_strBrowserPath = "/usr/lib/jdk/bin/appletviewer";
    Command(res::ID_EDIT_PREVIEW);
    fs::path own = OwnPreviewFolder();
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0], (ShellCall{"open", "/usr/lib/jdk/bin/appletviewer", "preview.htm", own.string()}));
    EXPECT_EQ(fs::current_path(), here);
    EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_all);
    ASSERT_TRUE(fs::exists(own / "preview.htm"));

    // A widget the user saves into the preview folder all the same outlives the program.
    Prompts::PushFileName(QString::fromStdString((own / "keepme").string()));
    Command(res::ID_FILE_SAVE_AS);
    Stop();
    EXPECT_TRUE(fs::exists(own / "keepme.qwd"));
    for (const char* written : {"preview.htm", "preview.qwd", "qlnbtn.class"})
        EXPECT_FALSE(fs::exists(own / written)) << written;
    EXPECT_EQ(ReadFile(other / "preview.htm"), "theirs");

    // With nothing else left, the folders go.
    fs::remove(own / "keepme.qwd");
    fs::remove_all(other);
    ASSERT_TRUE(Start());
    Command(res::ID_EDIT_PREVIEW);
    Stop();
    EXPECT_FALSE(fs::exists(programFolder / "tmp"));
}

TEST_F(Startup, PreviewsGoToAPrivateFolderElsewhereWhenTheProgramFolderTakesNone)
{
    // Nothing can be made under a "tmp" that is a file, not even by the superuser: the same
    // as a program folder that belongs to another account.
    WriteFile(programFolder / "tmp", "not a folder");
    const std::string pid = std::to_string(getpid());
    fs::path runtime = tmp / "run";
    fs::create_directories(runtime);
    EnvGuard runtimeDir("XDG_RUNTIME_DIR", runtime.c_str());
    ASSERT_TRUE(Start());
    Command(res::ID_EDIT_PREVIEW);
    fs::path own = runtime / ("tessalytool-preview-" + pid);
    EXPECT_TRUE(Messages().isEmpty());
    ASSERT_TRUE(fs::exists(own / "preview.htm"));
    EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_all);
    EXPECT_EQ(shellCalls, (std::vector<ShellCall>{{"open", (own / "preview.htm").string(), "", ""}}));
    Stop();
    EXPECT_FALSE(fs::exists(own));
    EXPECT_EQ(ReadFile(programFolder / "tmp"), "not a folder");

    // Without a runtime folder, the temporary folder; a name that someone else has taken
    // there is not used.
    EnvGuard noRuntimeDir("XDG_RUNTIME_DIR", nullptr);
    fs::path temp = tmp / "temp";
    fs::create_directories(temp / "planted");
    EnvGuard tempDir("TMPDIR", temp.c_str());
    fs::create_directory_symlink(temp / "planted", temp / ("tessalytool-preview-" + pid));
    ASSERT_TRUE(Start());
    Command(res::ID_EDIT_PREVIEW);
    EXPECT_TRUE(fs::is_empty(temp / "planted"));
    fs::path chosen;
    for (const auto& entry : fs::directory_iterator(temp))
        if (entry.path().filename().string().rfind("tessalytool-preview-" + pid + "-", 0) == 0)
            chosen = entry.path();
    ASSERT_FALSE(chosen.empty());
    EXPECT_EQ(fs::status(chosen).permissions(), fs::perms::owner_all);
    Stop();
    EXPECT_FALSE(fs::exists(chosen));
    EXPECT_TRUE(fs::is_symlink(temp / ("tessalytool-preview-" + pid)));
}

TEST(StartupWithoutDisplay, SaysSoAndEndsWithAnError)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TESSALYTOOL_PATH), {});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);  // no abort
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(process.readAllStandardError()).contains("no display is available"));
}
