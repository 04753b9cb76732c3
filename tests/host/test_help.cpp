// Menus, tool bar and status bar as the user sees them; help by context number; the About box.
#include "host_test_support.h"

#include "host/about_dlg.h"
#include "host/help_topics.h"
#include "host/lock_keys.h"
#include "platform/help/help.h"

#include <QApplication>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

using namespace snippo;
using namespace hosttest;

namespace {

struct MenuItem {
    int id;
    const char* text;
    const char* statusTip;
    const char* toolTip;
    const char* shortcut;
};

const MenuItem kMenuItems[] = {
    {57600, "&New...\tCtrl+N", "Create a new document", "New", "Ctrl+N"},
    {57601, "&Open...\tCtrl+O", "Open an existing document", "Open", "Ctrl+O"},
    {57603, "&Save\tCtrl+S", "Save the active document", "Save", "Ctrl+S"},
    {57604, "Save &As...", "Save the active document with a new name", "Save As", ""},
    {32777, "Save as &Template...\tCtrl+T", "Save the document as a template", "Save as Template", "Ctrl+T"},
    {32775, "&Copy Support Files to...", "Copy the files using by the widget to a specified directory", "", ""},
    {57665, "E&xit", "Quit the application; prompts to save documents", "Exit", ""},
    {32771, "&Configure ...\tAlt+Enter", "Configure the widget to fit your requirment", "Configure", "Alt+Return"},
    {32776, "Re&name ...", "Give the widget a new name", "Rename", ""},
    {32772, "Get &Local HTML ...", "Change the HTML according to the files' local relative directory", "", ""},
    {32773, "Get &Web HTML", "Change the HTML according to the files' web path", "", ""},
    {32774, "Pre&view\tCtrl+F5", "Preview the widget", "Preview", "Ctrl+F5"},
    {32781, "&Web Browser...", "Specify your favorite web browser", "", ""},
    {32778, "&Template...", "Manage the templates", "", ""},
    {59392, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar", ""},
    {59393, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar", ""},
    {57667, "&Help Topics", "List Help topics", "Help Topics", ""},
    {32793, "&Tutorial", "Tutorial to guide you working", "", ""},
    {32783, "&Work with Tessaly", "We strongly recommend you to use Tessaly GlimButton together with Tessaly.", "", ""},
    {32792, "&Search for Help on ...", "Seach the keyword", "", ""},
    {32794, "&View Sample", "View this widget's sample", "", ""},
    {32790, "&Frequently Asked Questions", "User frequently asked questions", "", ""},
    {57664, "&About Tessaly GlimButton...", "", "", ""},
};

QStringList menuTitles(QMenuBar* bar)
{
    QStringList titles;
    for (QAction* action : bar->actions())
        titles << action->text();
    return titles;
}

}  // namespace

using Frame_ = FakeHostTest;

TEST_F(Frame_, MenuItemsPromptsAndAccelerators)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(menuTitles(Frame()->menuBar()), (QStringList{"&File", "&Edit", "&Option", "&View", "&Help"}));
    for (const MenuItem& item : kMenuItems) {
        QAction* action = Frame()->Action(item.id);
        ASSERT_NE(action, nullptr) << item.id;
        EXPECT_EQ(action->text(), item.text);
        EXPECT_EQ(action->statusTip(), item.statusTip) << item.text;
        EXPECT_EQ(action->property("commandTip").toString(), item.toolTip) << item.text;
        if (*item.toolTip != '\0') {
            EXPECT_EQ(action->toolTip(), item.toolTip) << item.text;
        }
        EXPECT_EQ(action->shortcut().toString(), item.shortcut) << item.text;
    }
    EXPECT_EQ(Frame()->Action(32771)->shortcuts().size(), 2) << "Alt+Enter on both Enter keys";
}

TEST_F(Frame_, ToolBarButtonsInOrder)
{
    ASSERT_TRUE(Start());
    QStringList order;
    for (QAction* action : Frame()->ToolBar()->actions())
        order << (action->isSeparator() ? QString("|") : action->objectName());
    EXPECT_EQ(order, (QStringList{"actionFileNew", "actionFileOpen", "actionFileSave", "actionFileSaveAsTemplate", "|",
                                  "actionEditConfigure", "|", "actionEditPreview", "actionHelpWorkWithTessaly"}));
    EXPECT_EQ(Frame()->ToolBar()->iconSize(), QSize(16, 16));
    // "Work with Tessaly" has no tool tip; "Preview" has one.
    auto tipOf = [&](int id) {
        QToolTip::hideText();
        QWidget* button = Frame()->ToolBar()->widgetForAction(Frame()->Action(id));
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &tip);
        QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return text;
    };
    EXPECT_EQ(tipOf(res::ID_HELP_WORK_WITH_TESSALY), "");
    EXPECT_EQ(tipOf(res::ID_EDIT_PREVIEW), "Preview");
    EXPECT_EQ(Frame()->statusBar()->currentMessage(), "Ready");
    for (const char* name : {"indicatorCAP", "indicatorNUM", "indicatorSCRL"})
        EXPECT_NE(Frame()->statusBar()->findChild<QLabel*>(name), nullptr) << name;

    Command(res::ID_VIEW_TOOLBAR);
    EXPECT_TRUE(Frame()->ToolBar()->isHidden());
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(Frame()->Action(res::ID_VIEW_TOOLBAR)->isChecked());
    Command(res::ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(Frame()->statusBar()->isHidden());
}

TEST_F(Frame_, LockPanesShowTheLitIndicatorsAndStayBlankWithoutX11)
{
    // Indicators are looked up by name; their numbers vary with the keyboard map.
    EXPECT_EQ(LockStateFromIndicators(0b101, 0, 1, 2), (LockKeyState{true, false, true}));
    EXPECT_EQ(LockStateFromIndicators(0b1010, 3, 1, 2), (LockKeyState{true, true, false}));
    EXPECT_EQ(LockStateFromIndicators(0xFFFFFFFFu, -1, 31, 40), (LockKeyState{false, true, false}));
    EXPECT_EQ(LockPaneText("SCRL", true), "SCRL");
    EXPECT_EQ(LockPaneText("SCRL", false), "");

    ASSERT_TRUE(Start());
    Frame()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    QTest::keyClick(Frame()->windowHandle(), Qt::Key_CapsLock);
    EXPECT_FALSE(QueryLockKeys().has_value()) << "offscreen tells no lock state";
    for (const char* name : {"indicatorCAP", "indicatorNUM", "indicatorSCRL"})
        EXPECT_EQ(Frame()->statusBar()->findChild<QLabel*>(name)->text(), "") << name;
}

TEST_F(Frame_, EveryHelpContextOfTheProgramHasATopic)
{
    ASSERT_TRUE(Start());
    for (const MenuItem& item : kMenuItems)
        EXPECT_TRUE(HelpFindTopic(app->m_strHelpFilePath.toStdString(), HID_BASE_COMMAND + item.id, nullptr))
            << item.text;
    for (int window : {res::IDR_MAINFRAME, res::IDD_ABOUTBOX, res::IDD_NEW, res::IDD_RENAME, res::IDD_GET_LOCAL_HTML,
                       res::IDD_WEB_BROWSER, res::IDD_SAVE_AS_TEMPLATE, res::IDD_MANAGE_TEMPLATES})
        EXPECT_TRUE(HelpFindTopic(app->m_strHelpFilePath.toStdString(), HID_BASE_RESOURCE + window, nullptr)) << window;
}

TEST_F(Frame_, HelpMenuCommandsOpenTheirContexts)
{
    ASSERT_TRUE(Start());
    struct {
        int id;
        std::uint32_t context;
    } contexts[] = {
        {res::ID_HELP_TUTORIAL, 0x18019}, {res::ID_HELP_WORK_WITH_TESSALY, 0x1800F}, {res::ID_HELP_FAQ, 0x18016}};
    for (const auto& c : contexts) {
        Command(c.id);
        ASSERT_NE(HelpWindow(), nullptr);
        EXPECT_EQ(HelpCurrentContext(), c.context);
    }
    EXPECT_EQ(HelpWindow()->windowTitle(), "Tessaly GlimButton Help");

    Command(res::ID_HELP_SEARCH);
    auto* tabs = HelpWindow()->findChild<QTabWidget*>("helpTabs");
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(HelpWindow()->findChild<QLineEdit*>("helpKeyword")->text(), "");
    Command(res::ID_HELP_FINDER);
    EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(Frame_, F1AndShiftF1GiveTheWindowsAndTheCommandsTopics)
{
    ASSERT_TRUE(Start());
    Frame()->activateWindow();
    QTest::keyClick(Frame(), Qt::Key_F1);
    EXPECT_EQ(HelpCurrentContext(), HID_BASE_RESOURCE + res::IDR_MAINFRAME);

    // Context help: the next command chosen shows its topic instead of running.
    Frame()->EnterHelpMode();
    ASSERT_TRUE(Frame()->IsInHelpMode());
    Frame()->Action(res::ID_EDIT_RENAME)->trigger();
    EXPECT_EQ(HelpCurrentContext(), HID_BASE_COMMAND + res::ID_EDIT_RENAME);
    EXPECT_FALSE(Frame()->IsInHelpMode());
    EXPECT_TRUE(Dialogs().isEmpty());

    // F1 on a highlighted menu item.
    QMenu* edit = Frame()->Menu("menuEdit");
    edit->popup(QPoint(10, 10));
    edit->setActiveAction(Frame()->Action(res::ID_EDIT_PREVIEW));
    QTest::keyClick(edit, Qt::Key_F1);
    EXPECT_EQ(HelpCurrentContext(), HID_BASE_COMMAND + res::ID_EDIT_PREVIEW);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_TRUE(shellCalls.empty()) << "the command did not run";

    // F1 in a dialog: the dialog's topic.
    Prompts::PushDialogDriver([](QDialog& d) {
        QApplication::setActiveWindow(&d);
        QTest::keyClick(&d, Qt::Key_F1);
        Click(d, "cancelButton");
    });
    Command(res::ID_EDIT_RENAME);
    EXPECT_EQ(HelpCurrentContext(), HID_BASE_RESOURCE + res::IDD_RENAME);
}

TEST_F(Frame_, AboutBoxAndItsHyperlink)
{
    ASSERT_TRUE(Start());
    QString version, title;
    bool visitedAfterFailure = true, visited = false;
    QColor idle, over, after;
    QString target;
    Prompts::PushDialogDriver([&](QDialog& d) {
        title = d.windowTitle();
        version = Child<QLabel>(d, "versionLabel")->text();
        auto* link = Child<CHyperLink>(d, "hyperLink");
        EXPECT_TRUE(link->font().underline());
        idle = link->palette().color(QPalette::WindowText);
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(link, &enter);
        over = link->palette().color(QPalette::WindowText);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        target = link->Target();
        app->m_fnShellExecute = [&](const QString&, const QString&, const QString&, const QString&, int) {
            return 2;  // the shell could not open it
        };
        QTest::mouseClick(link, Qt::LeftButton);
        visitedAfterFailure = link->IsVisited();
        app->m_fnShellExecute = [&](const QString& op, const QString& file, const QString& params, const QString& dir,
                                    int) {
            shellCalls.push_back({op.toStdString(), file.toStdString(), params.toStdString(), dir.toStdString()});
            return 42;
        };
        QTest::mouseClick(link, Qt::LeftButton);
        visited = link->IsVisited();
        after = link->palette().color(QPalette::WindowText);
        Click(d, "okButton");
    });
    Command(res::ID_APP_ABOUT);
    EXPECT_EQ(Dialogs(), QStringList{"dlgAbout"});
    EXPECT_EQ(version, "Tessaly GlimButton Version 1.0");
    EXPECT_EQ(idle, QColor(0, 0, 255));
    EXPECT_EQ(over, QColor(255, 0, 0));
    EXPECT_EQ(after, QColor(0, 0, 255));
    EXPECT_FALSE(visitedAfterFailure);
    EXPECT_TRUE(visited);
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0], (ShellCall{"open", target.toStdString(), "", ""}));
}
