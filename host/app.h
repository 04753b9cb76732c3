// CTessalyToolApp: the program object. Start-up (folders, settings, the main window and the
// first document), the single-document framework (new, open, save questions, the recent-file
// list), help, the browser choice and LaunchBrowser, and the clean-up at exit.
#pragma once

#include "host/profile.h"
#include "host/recent_files.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

namespace snippo {

class CMainFrame;
class CPreviewFolder;
class CTessalyToolDoc;
class CTessalyToolView;

class CTessalyToolApp {
    Q_DECLARE_TR_FUNCTIONS(snippo::CTessalyToolApp)

public:
    CTessalyToolApp();
    ~CTessalyToolApp();
    CTessalyToolApp(const CTessalyToolApp&) = delete;
    CTessalyToolApp& operator=(const CTessalyToolApp&) = delete;

    // The one program object of the process, or null.
    static CTessalyToolApp* Instance();

    // Start-up. `arguments` as QCoreApplication::arguments() gives them (the program first);
    // `programFile` is the program's own path, by default the running executable: its folder
    // is the program folder. False when the program must end (a message has been shown).
    bool InitInstance(const QStringList& arguments, const QString& programFile = {});
    // The message loop, then ExitInstance; returns the exit code.
    int Run();
    // Removes what this run's previews wrote, and their folder; returns the exit code.
    int ExitInstance();

    // The single-document framework.
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(int index);
    bool NewDocument();
    CTessalyToolDoc* OpenDocumentFile(const QString& path);
    void AddToRecentFileList(const QString& path);
    CRecentFileList& RecentFiles() { return *m_pRecentFiles; }

    // Help on the program's help file: a context number, or the index, or the keyword search.
    void WinHelp(std::uintptr_t data, std::uint32_t command = 0x0001 /* HELP_CONTEXT */);
    void OnHelpFinder();
    void OnHelpSearch();
    void OnAppAbout();

    // Shows `file` in the chosen browser (mode 1: the desktop's default program for it; mode
    // 0: m_strBrowserPath; mode 2: known browser m_nKnownBrowser, or the default one when the
    // index names no browser found now). An applet viewer is started in the file's folder.
    // A browser that cannot be started is reported. Always true.
    bool LaunchBrowser(const QString& file);
    // Writes the three "Web Browser" values.
    void WriteBrowserSettings();

    // How shell requests are carried out: CallShell unless replaced (tests record the requests
    // instead of starting programs).
    using ShellExecuteFn = std::function<int(const QString& operation, const QString& file, const QString& parameters,
                                             const QString& directory, int show)>;
    ShellExecuteFn m_fnShellExecute;
    // ShellExecute of platform/shell, which takes its texts in UTF-8.
    static int CallShell(const QString& operation, const QString& file, const QString& parameters,
                         const QString& directory, int show);

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CTessalyToolDoc* Document() const { return m_pDocument.get(); }
    CTessalyToolView* View() const;
    const CProfile& Profile() const { return m_profile; }
    // This run's preview folder (made by the first Preview).
    CPreviewFolder& PreviewFolder() { return *m_pPreviewFolder; }
    QString DocumentTitle() const;  // "Untitled_SnippoServer.GlimButton" or the file's name

    QString m_strProgramFolder;  // folder of the program file, no trailing '/'
    QString m_strHelpFilePath;   // the program file + ".HLP"
    int m_nBrowserMode = 1;      // 1 default browser, 2 known browser, 0 user's browser
    QString m_strBrowserPath;
    int m_nKnownBrowser = 0;
    // New widgets load the browser runtime, so that they show in current browsers.
    bool m_bWebRuntime = true;
    void WriteWebRuntimeSetting();

private:
    CProfile m_profile;
    std::unique_ptr<CRecentFileList> m_pRecentFiles;
    std::unique_ptr<CPreviewFolder> m_pPreviewFolder;
    std::unique_ptr<CTessalyToolDoc> m_pDocument;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    bool m_bComInitialised = false;
};

}  // namespace snippo
