// CDrawView: the layout editor. Its client area is the applet at its real size; it paints the
// applet's background, border and buttons, lets the current tool turn mouse input into
// selection, moves, resizes and new buttons, carries out the editor commands and keeps the
// property sheet (through EditorPageCoupling) on a page that fits the selection.
//
// The view owns no model: it works on the CAppletParameters it is given (buttons, selection,
// undo history), which must outlive it. Destroying the view empties the selection.
#pragma once

#include <QAction>
#include <QImage>
#include <QWidget>
#include <map>
#include <vector>

#include "widget/editor/editor_commands.h"
#include "widget/editor/editor_model.h"
#include "widget/editor/page_coupling.h"
#include "widget/model/applet_parameters.h"

namespace snippo {

// What Refresh repaints; the numbers are the hints the editor has always passed.
enum class RefreshHint : int {
    All = 0,                      // the whole view
    Object = 1,                   // `obj`
    Objects = 2,                  // every object of `list`, the selection when none is given
    ObjectsLeavingSelection = 3,  // every object of `list`, each also taken out of the selection
};

class CDrawView : public QWidget {
    Q_OBJECT

public:
    explicit CDrawView(CAppletParameters* model, QWidget* parent = nullptr);
    ~CDrawView() override;

    CAppletParameters* Model() const { return m_pModel; }
    // Signals of the model's changes; the view syncs it after each step of the user.
    EditorModel* ModelSignals() const { return m_pEditorModel; }
    // The property sheet; null (the default) paints the normal state and shows no pages.
    void SetPageCoupling(EditorPageCoupling* coupling) { m_pCoupling = coupling; }
    EditorPageCoupling* PageCoupling() const { return m_pCoupling; }

    // Handles are painted and the left button is obeyed only while the view is active.
    bool IsActive() const { return m_bActive; }
    void SetActive(bool active);

    // Repainting; with ObjectsLeavingSelection, `list` must not be the selection itself.
    void InvalidateObject(const CDrawObj* obj);
    void Refresh(RefreshHint hint, CDrawObj* obj = nullptr, const std::vector<CDrawObj*>* list = nullptr);

    // Selection. Select without `add` first empties the selection; a null object only does
    // that. SelectWithinRect takes a rectangle in device pixels.
    void Select(CDrawObj* obj, bool add = false);
    void Deselect(CDrawObj* obj);
    bool IsSelected(const CDrawObj* obj) const;
    void SelectWithinRect(const CRect& rect, bool add);
    // Steps the selection to the button after the last selected one (wrapping to the first).
    void SelectNext();

    // Property-sheet coupling.
    int ShownState() const;
    void RefreshPropertyPage();
    void ShowButtonPage();
    void ShowStatePage();
    void ShowAppletPage();

    // Commands by identifier. RunCommand does nothing and returns false while the command is
    // disabled.
    bool IsCommandEnabled(EditorCommand id) const;
    bool IsCommandChecked(EditorCommand id) const;
    bool RunCommand(EditorCommand id);
    // The view's actions, one per command, with their shortcuts; the palette shows them. Each
    // action enables itself on the model signal that its command's rule depends on.
    QAction* Action(EditorCommand id) const;
    const std::vector<QAction*>& Actions() const { return m_actions; }
    // Tells the actions about changes made to the model outside the view's own steps (the view
    // calls it after each of them), and brings the tool checks up to date.
    void UpdateCommandUI();

    // Clipboard steps shared by the commands and the Ctrl-drag of the select tool. Paste
    // returns false, adding nothing, when the clipboard holds no readable buttons; a damaged
    // stream is reported in a message box.
    void CopySelection();
    bool PasteFromClipboard();

    // Mouse capture as the tools see it: set at a press, released at the release.
    void SetCapture() { m_bCapture = true; }
    void ReleaseCapture() { m_bCapture = false; }
    bool HasCapture() const { return m_bCapture; }

    // The rubber band of the select tool, in device pixels; an empty rectangle removes it.
    void SetRubberBand(const QRect& rect);
    QRect RubberBand() const { return m_rubberBand; }

    // What the view shows, painted as in a repaint of its whole client area.
    QImage Render();

signals:
    // Whether the clipboard holds buttons changed.
    void clipboardButtonsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateActions();
    void BindEnabling(QAction* action, const EditorCommandInfo& info);
    void SetClipboardHasButtons(bool has);
    void PaintArea(QPainter& p, const QRect& area);
    void UpdateOutline(const QRect& rect);
    void OnRightButton(QPoint point);
    void OnClipboardChanged();

    // Command handlers; each re-checks its own minimum selection.
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditDuplicate();
    void OnEditClear();
    void OnEditSelectAll();
    void OnEditUndo();
    void OnEditRedo();
    void OnStack(EditorCommand id);
    void OnAlign(EditorCommand id);
    void OnSpace(bool across);
    void OnCenter(bool horizontal);

    CAppletParameters* m_pModel;                // not owned
    EditorModel* m_pEditorModel;                // child
    EditorPageCoupling* m_pCoupling = nullptr;  // not owned
    bool m_bActive = false;
    bool m_bCapture = false;
    bool m_bClipboardHasButtons = false;
    QRect m_rubberBand;
    std::vector<QAction*> m_actions;
    std::map<EditorCommand, QAction*> m_actionById;
};

}  // namespace snippo
