// CMainFrame: the main window. Menus, accelerators, the tool bar and the status bar with its
// prompts; the placement saved at every close request and restored at the next start; the
// routing of every command to the object that handles it; F1 and Shift+F1 help.
#pragma once

#include <QMainWindow>
#include <QRect>

#include <map>
#include <optional>

class QLabel;
class QMenu;
class QToolBar;

namespace snippo {

class CTessalyToolApp;
class CTessalyToolView;

// The five "Frame" values; -1 marks a value that was not stored.
struct FramePlacement {
    int nStatus = -1;
    int nTop = -1;
    int nLeft = -1;
    int nBottom = -1;
    int nRight = -1;
    bool IsComplete() const { return nStatus != -1 && nTop != -1 && nLeft != -1 && nBottom != -1 && nRight != -1; }
};

struct InitialWindow {
    QRect rect;    // normal rectangle in screen coordinates
    int nShowCmd;  // SW_SHOWNORMAL, SW_SHOWMAXIMIZED, ...
};

// Where the window opens: the stored rectangle shifted by the work area's top-left corner, its
// left and top kept at most a standard icon's size inside the screen's right and bottom edge.
// Nothing (the framework's default place and size) unless all five values are stored.
std::optional<InitialWindow> ComputeInitialWindow(const FramePlacement& placement, const QRect& workArea,
                                                  const QSize& screenSize, const QSize& iconSize);

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CTessalyToolApp* app);
    ~CMainFrame() override;

    // Reads the stored placement (before the window is first shown).
    void LoadPlacement();
    // Shows the window in the stored state, or normally at its default size.
    void ShowInitially();
    // Writes "Status", "Top", "Left", "Bottom", "Right" from the current placement.
    void SavePlacement();

    CTessalyToolView* View() const { return m_pView; }
    QAction* Action(int id) const;
    QMenu* Menu(const QString& objectName) const;
    QToolBar* ToolBar() const { return m_pToolBar; }

    // Runs command `id` as a menu choice would (automation errors are reported).
    void OnCommand(int id);
    // Enables the commands by their rules (Copy Support Files to) and checks the View toggles.
    void UpdateCommandUI();
    void RebuildRecentFileMenu();
    void UpdateTitle();
    // Shrinks the window, never grows it, so that it is no larger than needed for the form.
    void ShrinkToFitView();

    void OnOptionWebBrowser();
    void OnOptionTemplate();

    bool IsInHelpMode() const { return m_bHelpMode; }
    void EnterHelpMode();
    void LeaveHelpMode();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddCommand(QMenu* menu, int id, const QString& text, const QString& prompt, const QString& objectName);
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();

    CTessalyToolApp* m_pApp;
    CTessalyToolView* m_pView;
    QToolBar* m_pToolBar = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pRecentFilesSeparator = nullptr;
    QAction* m_pExitSeparator = nullptr;
    std::vector<QAction*> m_recentActions;
    std::map<int, QAction*> m_actions;
    std::optional<InitialWindow> m_initial;
    bool m_bHelpMode = false;
};

}  // namespace snippo
