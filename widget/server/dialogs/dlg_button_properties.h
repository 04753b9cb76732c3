// CDlgButtonProperties: the modal "Button Properties" dialog that Config runs. It opens the
// layout editor window beside itself and holds the property sheet whose pages edit the
// selected button or the applet. It has no buttons: the close box ends it, after closing the
// editor window. Its position and the editor's are kept in the model's m_nWindowPos.
#pragma once

#include <QPointer>

#include "widget/editor/preview_wnd.h"
#include "widget/server/dialogs/help_dialog.h"
#include <functional>

namespace snippo {

class CAppletParameters;
class CDrawView;
class CMenuPropertySheet;
class CPreviewWnd;
class EditorPageCoupling;

class CDlgButtonProperties : public CHelpDialog {
    Q_OBJECT

public:
    static constexpr int kTemplate = 4003;

    explicit CDlgButtonProperties(CAppletParameters* params, QWidget* parent = nullptr);
    ~CDlgButtonProperties() override;

    // Opens the editor window and the sheet and places both windows (the dialog's start).
    // Exec runs it and then the modal loop; a test may call it and show the dialog instead.
    void OnInitDialog();
    int Exec();

    CAppletParameters* Params() const { return m_pParams; }
    CPreviewWnd* EditorWindow() const { return m_pEditor; }
    CDrawView* View() const;
    CMenuPropertySheet* Sheet() const { return m_pSheet; }
    bool IsInitialised() const { return m_bInitialised; }
    // True once the dialog is closing: the pages then report nothing more.
    bool IsEnding() const { return m_bEnding; }

    // Gives the editor window a client area of `width` x `height`, without moving or
    // activating it.
    void ResizeEditorClient(int width, int height);

    // Hides the editor window while the application is inactive and shows it again.
    void OnApplicationStateChanged(Qt::ApplicationState state);

    // How the editor window is made; a factory that returns null stands for a window that
    // could not be created. The default builds a CPreviewWnd.
    using EditorFactory = std::function<CPreviewWnd*(CAppletParameters*, EditorPageCoupling*)>;
    static void SetEditorFactory(EditorFactory factory);

public slots:
    // The close box, Escape and a programmatic close all end the dialog here.
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void StorePosition();
    void CloseEditor();

    CAppletParameters* m_pParams;
    QPointer<CPreviewWnd> m_pEditor;
    CMenuPropertySheet* m_pSheet = nullptr;
    bool m_bInitialised = false;
    bool m_bEnding = false;
};

}  // namespace snippo
