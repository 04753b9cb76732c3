#include "host/app.h"

#include "host/about_dlg.h"
#include "host/automation_error.h"
#include "host/doc.h"
#include "host/help_topics.h"
#include "host/known_browsers.h"
#include "host/mainframe.h"
#include "host/preview_folder.h"
#include "host/prompt_service.h"
#include "host/resource.h"
#include "host/view.h"

#include "platform/com/runtime.h"
#include "platform/help/help.h"
#include "platform/shell/shell.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace snippo {

namespace {

CTessalyToolApp* g_pApp = nullptr;

// Taken while the program is loaded, before main runs: the start of the start-up time.
const auto g_processStart = std::chrono::steady_clock::now();

}  // namespace

CTessalyToolApp::CTessalyToolApp() : m_fnShellExecute(&CallShell), m_profile(text::kRegistryKey, text::kAppTitle)
{
    g_pApp = this;
}

CTessalyToolApp::~CTessalyToolApp()
{
    m_pMainFrame.reset();
    m_pDocument.reset();  // releases the widget before the object runtime is closed
    if (m_bComInitialised)
        CoUninitialize();
    if (g_pApp == this)
        g_pApp = nullptr;
}

CTessalyToolApp* CTessalyToolApp::Instance()
{
    return g_pApp;
}

bool CTessalyToolApp::InitInstance(const QStringList& arguments, const QString& programFile)
{
    if (FAILED(CoInitialize())) {
        AskUser(nullptr, text::Tr(text::kOleInitFailed));
        return false;
    }
    m_bComInitialised = true;

    m_nBrowserMode = m_profile.GetProfileInt(text::kSectionWebBrowser, text::kEntryUseDefault, 1);
    m_strBrowserPath = m_profile.GetProfileString(text::kSectionWebBrowser, text::kEntrySpecifyBrowser, QString());
    m_nKnownBrowser = m_profile.GetProfileInt(text::kSectionWebBrowser, text::kEntryKnownBrowser, 0);
    m_bWebRuntime = m_profile.GetProfileInt(text::kSectionOptions, text::kEntryWebRuntime, 1) != 0;

    QString program = programFile.isEmpty() ? QCoreApplication::applicationFilePath() : programFile;
    program = QFileInfo(program).absoluteFilePath();
    QFileInfo programInfo(program);
    m_strHelpFilePath =
        (programInfo.suffix().isEmpty() ? program : program.left(program.size() - programInfo.suffix().size() - 1)) +
        ".HLP";
    m_strProgramFolder = m_strHelpFilePath.left(m_strHelpFilePath.lastIndexOf('/'));
    m_pPreviewFolder = std::make_unique<CPreviewFolder>(m_strProgramFolder);
    RegisterHostHelp(m_strHelpFilePath);

    // A file named on the command line is taken relative to the folder the user started in.
    QString startFolder = QDir::currentPath();
    QDir::setCurrent(m_strProgramFolder + "/My Widget");  // without one, the current folder stays

    m_pRecentFiles = std::make_unique<CRecentFileList>(m_profile, text::kSectionRecentFiles, 4);
    m_pRecentFiles->ReadList();

    m_pDocument = std::make_unique<CTessalyToolDoc>();
    m_pMainFrame = std::make_unique<CMainFrame>(this);
    m_pMainFrame->View()->SetDocument(m_pDocument.get());
    QObject::connect(m_pDocument.get(), &CTessalyToolDoc::titleChanged, m_pMainFrame.get(),
                     [frame = m_pMainFrame.get()] { frame->UpdateTitle(); });
    m_pMainFrame->LoadPlacement();

    QString file;
    for (int i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith('-')) {
            file = arguments[i];
            break;
        }
    }
    bool started = false;
    RunGuarded(nullptr, [&] {
        started =
            file.isEmpty() ? NewDocument() : OpenDocumentFile(QDir(startFolder).absoluteFilePath(file)) != nullptr;
    });
    if (!started) {
        m_pMainFrame.reset();
        return false;
    }

    m_pMainFrame->RebuildRecentFileMenu();
    m_pMainFrame->UpdateCommandUI();
    m_pMainFrame->ShowInitially();

    // --preview: the widget named on the command line goes straight to the web browser.
    if (arguments.contains(QStringLiteral("--preview"))) {
        QTimer::singleShot(0, m_pMainFrame.get(), [frame = m_pMainFrame.get()] { frame->View()->OnEditPreview(); });
    }

    if (std::getenv("SNIPPO_STARTUP_TIMING") != nullptr) {
        QTimer::singleShot(0, m_pMainFrame.get(), [] {
            auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                                 g_processStart);
            std::printf("TessalyTool: first window shown after %lld ms\n", static_cast<long long>(elapsed.count()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    return true;
}

int CTessalyToolApp::Run()
{
    QApplication::exec();
    return ExitInstance();
}

int CTessalyToolApp::ExitInstance()
{
    if (m_pPreviewFolder)
        m_pPreviewFolder->Remove();
    return 0;
}

CTessalyToolView* CTessalyToolApp::View() const
{
    return m_pMainFrame ? m_pMainFrame->View() : nullptr;
}

QString CTessalyToolApp::DocumentTitle() const
{
    return m_pDocument ? m_pDocument->GetTitle() : QString();
}

void CTessalyToolApp::OnFileNew()
{
    NewDocument();
}

bool CTessalyToolApp::NewDocument()
{
    if (!m_pDocument->SaveModified())
        return false;
    m_pDocument->SetDefaultTitle();
    if (!m_pDocument->OnNewDocument())
        return false;
    m_pMainFrame->View()->OnInitialUpdate();
    m_pMainFrame->UpdateTitle();
    return true;
}

void CTessalyToolApp::OnFileOpen()
{
    QString path = ChooseOpenFile(m_pMainFrame.get(), tr("Open"), text::Tr(text::kFileFilter));
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

CTessalyToolDoc* CTessalyToolApp::OpenDocumentFile(const QString& path)
{
    QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!m_pDocument->GetPathName().isEmpty() && m_pDocument->GetPathName() == full) {
        // Already the open document: nothing is read again.
        m_pMainFrame->activateWindow();
        return m_pDocument.get();
    }
    if (!m_pDocument->SaveModified())
        return nullptr;
    bool wasModified = m_pDocument->IsModified();
    if (!m_pDocument->OnOpenDocument(full)) {
        // The document keeps its title and path; the framework puts its flag back.
        if (!m_pDocument->IsModified())
            m_pDocument->SetModifiedFlag(wasModified);
        return nullptr;
    }
    m_pDocument->SetPathName(full);
    m_pMainFrame->View()->OnInitialUpdate();
    m_pMainFrame->UpdateTitle();
    return m_pDocument.get();
}

void CTessalyToolApp::OnOpenRecentFile(int index)
{
    if (index < 0 || index >= m_pRecentFiles->GetSize())
        return;
    QString path = (*m_pRecentFiles)[index];
    bool opened = false;
    try {
        opened = OpenDocumentFile(path) != nullptr;
    } catch (...) {
        m_pRecentFiles->Remove(index);
        m_pRecentFiles->WriteList();
        m_pMainFrame->RebuildRecentFileMenu();
        throw;
    }
    if (!opened) {
        // A file that cannot be opened leaves the list.
        m_pRecentFiles->Remove(index);
        m_pRecentFiles->WriteList();
        m_pMainFrame->RebuildRecentFileMenu();
    }
}

void CTessalyToolApp::AddToRecentFileList(const QString& path)
{
    m_pRecentFiles->Add(path);
    m_pRecentFiles->WriteList();
    if (m_pMainFrame)
        m_pMainFrame->RebuildRecentFileMenu();
}

void CTessalyToolApp::WinHelp(std::uintptr_t data, std::uint32_t command)
{
    snippo::WinHelp(m_pMainFrame.get(), m_strHelpFilePath.toStdString(), command, data);
}

void CTessalyToolApp::OnHelpFinder()
{
    WinHelp(0, HELP_FINDER);
}

void CTessalyToolApp::OnHelpSearch()
{
    static const char kNoKeyword[] = "";
    WinHelp(reinterpret_cast<std::uintptr_t>(kNoKeyword), HELP_PARTIALKEY);
}

void CTessalyToolApp::OnAppAbout()
{
    CAboutDlg dialog(m_pMainFrame.get());
    dialog.DoModal();
}

void CTessalyToolApp::WriteBrowserSettings()
{
    m_profile.WriteProfileInt(text::kSectionWebBrowser, text::kEntryUseDefault, m_nBrowserMode);
    m_profile.WriteProfileString(text::kSectionWebBrowser, text::kEntrySpecifyBrowser, m_strBrowserPath);
    m_profile.WriteProfileInt(text::kSectionWebBrowser, text::kEntryKnownBrowser, m_nKnownBrowser);
}

void CTessalyToolApp::WriteWebRuntimeSetting()
{
    m_profile.WriteProfileInt(text::kSectionOptions, text::kEntryWebRuntime, m_bWebRuntime ? 1 : 0);
}

int CTessalyToolApp::CallShell(const QString& operation, const QString& file, const QString& parameters,
                               const QString& directory, int show)
{
    return ShellExecute(operation.toStdString(), file.toStdString(), parameters.toStdString(), directory.toStdString(),
                        show);
}

bool CTessalyToolApp::LaunchBrowser(const QString& file)
{
    ShellExecuteFn shell = m_fnShellExecute ? m_fnShellExecute : ShellExecuteFn(&CallShell);
    QString browser;
    if (m_nBrowserMode == 0) {
        browser = m_strBrowserPath;
    } else if (m_nBrowserMode != 1) {
        CKnownBrowsers known;
        if (m_nKnownBrowser >= 0 && m_nKnownBrowser < known.m_nCount)
            browser = known.m_arrPaths[m_nKnownBrowser];
    }
    // Mode 1, and a known-browser index that names no browser found now: the desktop's choice.
    if (m_nBrowserMode == 1 || (m_nBrowserMode != 0 && browser.isEmpty())) {
        if (shell("open", file, "", "", SW_SHOWNORMAL) <= 32)
            AskUser(m_pMainFrame.get(), tr("Launch the default web browser Error!"));
        return true;
    }

    // Only ASCII letters are compared without case (no other letter may turn into one); the
    // path itself keeps its case, which matters on this file system.
    int result = 0;
    if (browser.toUtf8().toUpper().contains("APPLETVIEWER")) {
        // The viewer finds the page by its bare name in its own working directory; this
        // program's current directory stays where it is.
        const qsizetype slash = file.lastIndexOf('/');
        const QString folder = slash < 0 ? QString() : file.left(std::max<qsizetype>(slash, 1));
        const QString name = slash < 0 ? file : file.mid(slash + 1);
        result = shell("open", browser, name, folder, SW_SHOWNORMAL);
    } else {
        result = shell("open", browser, file, "", SW_SHOWNORMAL);
    }
    if (result <= 32)
        AskUser(m_pMainFrame.get(), tr("Launch the web browser %1 Error!").arg(browser));
    return true;
}

}  // namespace snippo
