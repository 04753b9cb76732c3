#include "host/mainframe.h"

#include "host/app.h"
#include "host/automation_error.h"
#include "host/dlg_manage_templates.h"
#include "host/dlg_web_browser.h"
#include "host/doc.h"
#include "host/icons.h"
#include "host/lock_keys.h"
#include "host/resource.h"
#include "host/view.h"

#include "platform/help/help.h"
#include "platform/shell/shell.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace snippo {

using namespace res;

namespace {

constexpr const char* kIdleMessage = QT_TRANSLATE_NOOP("snippo::CMainFrame", "Ready");

std::uint32_t commandContext(int id)
{
    // Every recent-file entry shares the first one's topic.
    if (id > ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + 16)
        id = ID_FILE_MRU_FILE1;
    return HID_BASE_COMMAND + static_cast<std::uint32_t>(id);
}

// Tool-bar buttons whose command has no tool tip show none.
class NoToolTip : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

}  // namespace

std::optional<InitialWindow> ComputeInitialWindow(const FramePlacement& placement, const QRect& workArea,
                                                  const QSize& screenSize, const QSize& iconSize)
{
    if (!placement.IsComplete())
        return std::nullopt;
    int width = placement.nRight - placement.nLeft;
    int height = placement.nBottom - placement.nTop;
    int x = std::min(placement.nLeft + workArea.left(), screenSize.width() - iconSize.width());
    int y = std::min(placement.nTop + workArea.top(), screenSize.height() - iconSize.height());
    return InitialWindow{QRect(x, y, width, height), placement.nStatus};
}

CMainFrame::CMainFrame(CTessalyToolApp* app) : m_pApp(app)
{
    setObjectName("mainFrame");
    setWindowIcon(icons::Program());
    m_pView = new CTessalyToolView(this);
    setCentralWidget(m_pView);
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { m_pApp->WinHelp(HID_BASE_RESOURCE + IDR_MAINFRAME); });
    auto* contextHelp = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), this);
    connect(contextHelp, &QShortcut::activated, this, [this] { EnterHelpMode(); });
}

CMainFrame::~CMainFrame()
{
    LeaveHelpMode();
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QString& prompt,
                                const QString& objectName)
{
    auto* action = new QAction(text, this);
    action->setObjectName(objectName);
    action->setData(id);
    action->setStatusTip(prompt.section('\n', 0, 0));
    // The part after the line break is the tool tip; commands without one show none.
    QString tip = prompt.contains('\n') ? prompt.section('\n', 1) : QString();
    action->setToolTip(tip);
    action->setProperty("commandTip", tip);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    if (menu != nullptr)
        menu->addAction(action);
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("menuBar");

    m_pFileMenu = bar->addMenu(tr("&File"));
    m_pFileMenu->setObjectName("menuFile");
    AddCommand(m_pFileMenu, ID_FILE_NEW, tr("&New...\tCtrl+N"), tr("Create a new document\nNew"), "actionFileNew")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    AddCommand(m_pFileMenu, ID_FILE_OPEN, tr("&Open...\tCtrl+O"), tr("Open an existing document\nOpen"),
               "actionFileOpen")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    AddCommand(m_pFileMenu, ID_FILE_SAVE, tr("&Save\tCtrl+S"), tr("Save the active document\nSave"), "actionFileSave")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    AddCommand(m_pFileMenu, ID_FILE_SAVE_AS, tr("Save &As..."), tr("Save the active document with a new name\nSave As"),
               "actionFileSaveAs");
    m_pFileMenu->addSeparator();
    AddCommand(m_pFileMenu, ID_FILE_SAVE_AS_TEMPLATE, tr("Save as &Template...\tCtrl+T"),
               tr("Save the document as a template\nSave as Template"), "actionFileSaveAsTemplate")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    AddCommand(m_pFileMenu, ID_FILE_COPY_SUPPORT_FILES, tr("&Copy Support Files to..."),
               tr("Copy the files using by the widget to a specified directory"), "actionFileCopySupportFiles");
    m_pRecentFilesSeparator = m_pFileMenu->addSeparator();
    m_pExitSeparator = m_pFileMenu->addSeparator();
    AddCommand(m_pFileMenu, ID_APP_EXIT, tr("E&xit"), tr("Quit the application; prompts to save documents\nExit"),
               "actionAppExit");
    connect(m_pFileMenu, &QMenu::aboutToShow, this, [this] {
        RebuildRecentFileMenu();
        UpdateCommandUI();
    });

    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->setObjectName("menuEdit");
    AddCommand(edit, ID_EDIT_CONFIGURE, tr("&Configure ...\tAlt+Enter"),
               tr("Configure the widget to fit your requirment\nConfigure"), "actionEditConfigure")
        ->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)});
    AddCommand(edit, ID_EDIT_RENAME, tr("Re&name ..."), tr("Give the widget a new name\nRename"), "actionEditRename");
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_GET_LOCAL_HTML, tr("Get &Local HTML ..."),
               tr("Change the HTML according to the files' local relative directory"), "actionEditGetLocalHtml");
    AddCommand(edit, ID_EDIT_GET_WEB_HTML, tr("Get &Web HTML"), tr("Change the HTML according to the files' web path"),
               "actionEditGetWebHtml");
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_PREVIEW, tr("Pre&view\tCtrl+F5"), tr("Preview the widget\nPreview"), "actionEditPreview")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F5));

    QMenu* option = bar->addMenu(tr("&Option"));
    option->setObjectName("menuOption");
    AddCommand(option, ID_OPTION_WEB_BROWSER, tr("&Web Browser..."), tr("Specify your favorite web browser\n"),
               "actionOptionWebBrowser");
    AddCommand(option, ID_OPTION_TEMPLATE, tr("&Template..."), tr("Manage the templates"), "actionOptionTemplate");
    QAction* runtime = AddCommand(option, ID_OPTION_WEB_RUNTIME, tr("New Widgets for Current &Browsers"),
                                  tr("New widgets add qlnbtn.js so that their buttons work in current web browsers"),
                                  "actionOptionWebRuntime");
    runtime->setCheckable(true);
    runtime->setChecked(m_pApp->m_bWebRuntime);

    QMenu* view = bar->addMenu(tr("&View"));
    view->setObjectName("menuView");
    AddCommand(view, ID_VIEW_TOOLBAR, tr("&Toolbar"), tr("Show or hide the toolbar\nToggle ToolBar"),
               "actionViewToolbar")
        ->setCheckable(true);
    AddCommand(view, ID_VIEW_STATUS_BAR, tr("&Status Bar"), tr("Show or hide the status bar\nToggle StatusBar"),
               "actionViewStatusBar")
        ->setCheckable(true);
    connect(view, &QMenu::aboutToShow, this, [this] { UpdateCommandUI(); });

    QMenu* help = bar->addMenu(tr("&Help"));
    help->setObjectName("menuHelp");
    AddCommand(help, ID_HELP_FINDER, tr("&Help Topics"), tr("List Help topics\nHelp Topics"), "actionHelpFinder");
    AddCommand(help, ID_HELP_TUTORIAL, tr("&Tutorial"), tr("Tutorial to guide you working"), "actionHelpTutorial");
    AddCommand(help, ID_HELP_WORK_WITH_TESSALY, tr("&Work with Tessaly"),
               tr("We strongly recommend you to use Tessaly GlimButton together with Tessaly."),
               "actionHelpWorkWithTessaly");
    AddCommand(help, ID_HELP_SEARCH, tr("&Search for Help on ..."), tr("Seach the keyword"), "actionHelpSearch");
    help->addSeparator();
    AddCommand(help, ID_HELP_VIEW_SAMPLE, tr("&View Sample"), tr("View this widget's sample"), "actionHelpViewSample");
    AddCommand(help, ID_HELP_FAQ, tr("&Frequently Asked Questions"), tr("User frequently asked questions"),
               "actionHelpFaq");
    help->addSeparator();
    AddCommand(help, ID_APP_ABOUT, tr("&About Tessaly GlimButton..."), tr(""), "actionAppAbout");

    for (QMenu* menu : {m_pFileMenu, edit, option, view, help})
        menu->installEventFilter(this);
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = new QToolBar(tr("Standard"), this);
    m_pToolBar->setObjectName("toolBar");
    m_pToolBar->setIconSize(QSize(16, 16));
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);

    const std::pair<int, QIcon> buttons[] = {
        {ID_FILE_NEW, icons::FileNew()},
        {ID_FILE_OPEN, icons::FileOpen()},
        {ID_FILE_SAVE, icons::FileSave()},
        {ID_FILE_SAVE_AS_TEMPLATE, icons::SaveAsTemplate()},
        {0, {}},
        {ID_EDIT_CONFIGURE, icons::Configure()},
        {0, {}},
        {ID_EDIT_PREVIEW, icons::Preview()},
        {ID_HELP_WORK_WITH_TESSALY, icons::WorkWithTessaly()},
    };
    auto* noTip = new NoToolTip(this);
    for (const auto& [id, icon] : buttons) {
        if (id == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* action = m_actions.at(id);
        action->setIcon(icon);
        m_pToolBar->addAction(action);
        QWidget* button = m_pToolBar->widgetForAction(action);
        button->setObjectName("toolButton" + action->objectName().mid(6));
        if (action->property("commandTip").toString().isEmpty())
            button->installEventFilter(noTip);
    }
    // The menus stay text only; the pictures belong to the tool bar.
    for (auto& [id, action] : m_actions)
        action->setIconVisibleInMenu(false);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("statusBar");
    std::vector<QLabel*> panes;
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(this);
        pane->setObjectName(QString("indicator") + indicator);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(indicator) + 8);
        pane->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(pane);
        panes.push_back(pane);
    }
    new CLockKeyPanes(panes[0], panes[1], panes[2], this);
    bar->showMessage(tr(kIdleMessage));
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& text) {
        if (text.isEmpty())
            bar->showMessage(tr(kIdleMessage));
    });
}

QAction* CMainFrame::Action(int id) const
{
    auto it = m_actions.find(id);
    if (it != m_actions.end())
        return it->second;
    for (QAction* action : m_recentActions)
        if (action->data().toInt() == id)
            return action;
    return nullptr;
}

QMenu* CMainFrame::Menu(const QString& objectName) const
{
    return menuBar()->findChild<QMenu*>(objectName);
}

void CMainFrame::RebuildRecentFileMenu()
{
    for (QAction* action : m_recentActions)
        delete action;
    m_recentActions.clear();
    CRecentFileList& list = m_pApp->RecentFiles();
    const QString current = QDir::currentPath();
    if (list.GetSize() == 0) {
        auto* placeholder = new QAction(tr("Recent File"), this);
        placeholder->setObjectName("actionFileMru0");
        placeholder->setData(ID_FILE_MRU_FILE1);
        placeholder->setStatusTip(tr("Open this document"));
        placeholder->setEnabled(false);
        m_pFileMenu->insertAction(m_pExitSeparator, placeholder);
        m_recentActions.push_back(placeholder);
        return;
    }
    for (int i = 0; i < list.GetSize(); ++i) {
        int id = ID_FILE_MRU_FILE1 + i;
        auto* action = new QAction(list.MenuText(i, current), this);
        action->setObjectName(QString("actionFileMru%1").arg(i + 1));
        action->setData(id);
        action->setStatusTip(tr("Open this document"));
        action->setToolTip(list[i]);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_pFileMenu->insertAction(m_pExitSeparator, action);
        m_recentActions.push_back(action);
    }
}

void CMainFrame::UpdateCommandUI()
{
    if (CTessalyToolDoc* doc = m_pApp->Document())
        m_actions.at(ID_FILE_COPY_SUPPORT_FILES)->setEnabled(doc->CanCopySupportFiles());
    m_actions.at(ID_VIEW_TOOLBAR)->setChecked(m_pToolBar->isVisible() || (!isVisible() && !m_pToolBar->isHidden()));
    m_actions.at(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(m_pApp->DocumentTitle() + " - " + text::kAppTitle);
}

void CMainFrame::OnCommand(int id)
{
    if (m_bHelpMode) {
        LeaveHelpMode();
        m_pApp->WinHelp(commandContext(id));
        return;
    }
    CTessalyToolDoc* doc = m_pApp->Document();
    RunGuarded(this, [&] {
        switch (id) {
        case ID_FILE_NEW:
            m_pApp->OnFileNew();
            break;
        case ID_FILE_OPEN:
            m_pApp->OnFileOpen();
            break;
        case ID_FILE_SAVE:
            doc->DoFileSave();
            break;
        case ID_FILE_SAVE_AS:
            doc->DoSave({}, true);
            break;
        case ID_FILE_SAVE_AS_TEMPLATE:
            doc->OnFileSaveAsTemplate();
            break;
        case ID_FILE_COPY_SUPPORT_FILES:
            doc->OnFileCopySupportFiles();
            break;
        case ID_APP_EXIT:
            close();
            break;
        case ID_EDIT_CONFIGURE:
            m_pView->OnEditConfigure();
            break;
        case ID_EDIT_RENAME:
            m_pView->OnEditRename();
            break;
        case ID_EDIT_GET_LOCAL_HTML:
            m_pView->OnEditGetLocalHtml();
            break;
        case ID_EDIT_GET_WEB_HTML:
            m_pView->OnEditGetWebHtml();
            break;
        case ID_EDIT_PREVIEW:
            m_pView->OnEditPreview();
            break;
        case ID_OPTION_WEB_BROWSER:
            OnOptionWebBrowser();
            break;
        case ID_OPTION_TEMPLATE:
            OnOptionTemplate();
            break;
        case ID_OPTION_WEB_RUNTIME:
            m_pApp->m_bWebRuntime = m_actions.at(ID_OPTION_WEB_RUNTIME)->isChecked();
            m_pApp->WriteWebRuntimeSetting();
            break;
        case ID_VIEW_TOOLBAR:
            m_pToolBar->setVisible(m_pToolBar->isHidden());
            break;
        case ID_VIEW_STATUS_BAR:
            statusBar()->setVisible(statusBar()->isHidden());
            break;
        case ID_HELP_FINDER:
        case ID_DEFAULT_HELP:
            m_pApp->OnHelpFinder();
            break;
        case ID_HELP_TUTORIAL:
        case ID_HELP_WORK_WITH_TESSALY:
        case ID_HELP_FAQ:
            m_pApp->WinHelp(HID_BASE_COMMAND + static_cast<std::uint32_t>(id));
            break;
        case ID_HELP_SEARCH:
            m_pApp->OnHelpSearch();
            break;
        case ID_HELP_VIEW_SAMPLE:
            doc->OnHelpViewSample();
            break;
        case ID_APP_ABOUT:
            m_pApp->OnAppAbout();
            break;
        default:
            if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + m_pApp->RecentFiles().GetSize())
                m_pApp->OnOpenRecentFile(id - ID_FILE_MRU_FILE1);
            break;
        }
    });
    UpdateCommandUI();
}

void CMainFrame::OnOptionWebBrowser()
{
    CDlgWebBrowser dialog(this);
    dialog.Preset(m_pApp->m_nBrowserMode, m_pApp->m_nKnownBrowser, m_pApp->m_strBrowserPath);
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    switch (dialog.m_nChoice) {
    case 0:
        m_pApp->m_nBrowserMode = 1;
        break;
    case 1:
        m_pApp->m_nBrowserMode = 2;
        m_pApp->m_nKnownBrowser = dialog.m_nKnownIndex;
        break;
    case 2:
        m_pApp->m_nBrowserMode = 0;
        m_pApp->m_strBrowserPath = dialog.m_strPath;
        break;
    }
    m_pApp->WriteBrowserSettings();
}

void CMainFrame::OnOptionTemplate()
{
    CDlgManageTemplates dialog(this);
    dialog.DoModal();
}

void CMainFrame::LoadPlacement()
{
    const CProfile& profile = m_pApp->Profile();
    FramePlacement placement;
    placement.nStatus = profile.GetProfileInt(text::kSectionFrame, "Status", -1);
    placement.nTop = profile.GetProfileInt(text::kSectionFrame, "Top", -1);
    placement.nLeft = profile.GetProfileInt(text::kSectionFrame, "Left", -1);
    placement.nBottom = profile.GetProfileInt(text::kSectionFrame, "Bottom", -1);
    placement.nRight = profile.GetProfileInt(text::kSectionFrame, "Right", -1);
    QScreen* screen = QGuiApplication::primaryScreen();
    int icon = style()->pixelMetric(QStyle::PM_LargeIconSize);
    m_initial =
        ComputeInitialWindow(placement, screen->availableGeometry(), screen->geometry().size(), QSize(icon, icon));
    if (m_initial)
        setGeometry(m_initial->rect);
    else
        resize(sizeHint());
}

void CMainFrame::ShowInitially()
{
    int showCmd = m_initial ? m_initial->nShowCmd : SW_SHOWNORMAL;
    switch (showCmd) {
    case SW_SHOWMAXIMIZED:
        showMaximized();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        showMinimized();
        break;
    default:
        // A stored "hidden" state would leave no window to work with.
        show();
        break;
    }
}

void CMainFrame::SavePlacement()
{
    int status = isMaximized() ? SW_SHOWMAXIMIZED : isMinimized() ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    if (!normal.isValid())
        normal = geometry();
    QScreen* current = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    QRect workArea = current->availableGeometry();
    int left = normal.left() - workArea.left();
    int top = normal.top() - workArea.top();
    const CProfile& profile = m_pApp->Profile();
    profile.WriteProfileInt(text::kSectionFrame, "Status", status);
    profile.WriteProfileInt(text::kSectionFrame, "Top", top);
    profile.WriteProfileInt(text::kSectionFrame, "Left", left);
    profile.WriteProfileInt(text::kSectionFrame, "Bottom", top + normal.height());
    profile.WriteProfileInt(text::kSectionFrame, "Right", left + normal.width());
}

void CMainFrame::ShrinkToFitView()
{
    if (isMaximized() || isMinimized() || isFullScreen())
        return;
    QSize fit = sizeHint();
    QSize shrunk = size().boundedTo(fit);
    if (shrunk != size())
        resize(shrunk);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    LeaveHelpMode();
    SavePlacement();
    CTessalyToolDoc* doc = m_pApp->Document();
    bool canClose = true;
    RunGuarded(this, [&] { canClose = doc == nullptr || doc->SaveModified(); });
    if (!canClose) {
        event->ignore();
        return;
    }
    m_pApp->WinHelp(0, HELP_QUIT);
    event->accept();
}

void CMainFrame::EnterHelpMode()
{
    if (m_bHelpMode)
        return;
    m_bHelpMode = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    qApp->installEventFilter(this);
}

void CMainFrame::LeaveHelpMode()
{
    if (!m_bHelpMode)
        return;
    m_bHelpMode = false;
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // F1 on a highlighted menu item: the item's own topic.
    if (auto* menu = qobject_cast<QMenu*>(watched); menu != nullptr && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && menu->activeAction() != nullptr &&
            menu->activeAction()->data().isValid()) {
            int id = menu->activeAction()->data().toInt();
            for (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr;
                 popup = QApplication::activePopupWidget())
                popup->close();
            m_pApp->WinHelp(commandContext(id));
            return true;
        }
    }
    if (!m_bHelpMode)
        return QMainWindow::eventFilter(watched, event);

    // Context help: a click on a command (menu item, tool-bar button) shows its topic through
    // OnCommand; a click anywhere else shows the window's topic.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        LeaveHelpMode();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        bool onCommand = qobject_cast<QMenu*>(widget) != nullptr || qobject_cast<QMenuBar*>(widget) != nullptr ||
                         (qobject_cast<QToolButton*>(widget) != nullptr &&
                          static_cast<QToolButton*>(widget)->defaultAction() != nullptr);
        if (!onCommand && widget != nullptr && widget->window() == this) {
            LeaveHelpMode();
            m_pApp->WinHelp(HID_BASE_RESOURCE + IDR_MAINFRAME);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace snippo
