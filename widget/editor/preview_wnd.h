// CPreviewWnd: the layout editor's window. Its client area is the applet at its real size,
// filled by a CDrawView; beside it floats the "Palette". It is a tool window (small caption,
// always on top, sizing border, no close, minimise or maximise box) and is closed only by
// whoever created it: a close request of the window system is refused.
//
// Typical use by the configuration dialog:
//     auto* wnd = new CPreviewWnd(&params, &coupling);   // coupling may be null
//     wnd->show();
//     wnd->SetCreated(true);       // from now on size changes are written to the model
//     wnd->PlaceFromModel();       // stored position, client area = applet size
//     ...
//     wnd->CloseByOwner();         // stores the positions; the window deletes itself
#pragma once

#include <QMainWindow>
#include <QPoint>

#include "widget/editor/page_coupling.h"
#include "widget/model/applet_parameters.h"

class QScreen;

namespace snippo {

class CDrawView;
class CPaletteBar;
class CPaletteFrame;

// A stored position (relative to the desktop work area) turned into a screen position that
// stays on the screen: at most the screen size minus the icon size, at least 0.
QPoint PlaceOnScreen(int storedX, int storedY, const QScreen* screen);

class CPreviewWnd : public QMainWindow {
    Q_OBJECT

public:
    // `params` is the model being edited and `coupling` the property sheet (either may be
    // used by several windows in turn; neither is owned). The window deletes itself when it
    // is closed.
    explicit CPreviewWnd(CAppletParameters* params, EditorPageCoupling* coupling = nullptr, QWidget* parent = nullptr);
    ~CPreviewWnd() override;

    CDrawView* View() const { return m_pView; }
    CPaletteBar* Palette() const;
    CPaletteFrame* PaletteFrame() const { return m_pPaletteFrame; }
    CAppletParameters* Parameters() const { return m_pParams; }

    void SetPageCoupling(EditorPageCoupling* coupling);

    // Until set, size changes are not written to m_nWidth and m_nHeight.
    void SetCreated(bool created) { m_bCreated = created; }
    bool IsCreated() const { return m_bCreated; }

    // Moves the window to the stored editor position (the first two of m_nWindowPos) and
    // gives it a client area of m_nWidth x m_nHeight; activates nothing.
    void PlaceFromModel();

    // Stores the window's and the palette's positions and closes the window, which then
    // deletes itself. Positions are the top-left corners of the client areas, so that placing
    // them again does not depend on the window frame (which the window system may add late).
    void CloseByOwner();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void PlacePalette();

    CAppletParameters* m_pParams;               // not owned
    EditorPageCoupling* m_pCoupling = nullptr;  // not owned
    CDrawView* m_pView = nullptr;
    CPaletteFrame* m_pPaletteFrame = nullptr;
    bool m_bCreated = false;
    bool m_bClosingByOwner = false;
};

}  // namespace snippo
