#include "widget/server/dialogs/dlg_button_properties.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "widget/editor/draw_view.h"
#include "widget/editor/preview_wnd.h"
#include "widget/editor/prompt_service.h"
#include "widget/model/applet_parameters.h"
#include "widget/server/dialogs/menu_property_sheet.h"

namespace snippo {

namespace {

CDlgButtonProperties::EditorFactory& Factory()
{
    static CDlgButtonProperties::EditorFactory factory;
    return factory;
}

const QScreen* ScreenFor(const QWidget* w)
{
    const QScreen* screen = w->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

void CDlgButtonProperties::SetEditorFactory(EditorFactory factory)
{
    Factory() = std::move(factory);
}

CDlgButtonProperties::CDlgButtonProperties(CAppletParameters* params, QWidget* parent)
    : CHelpDialog(parent, kTemplate,
                  Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_pParams(params)
{
    setObjectName(QStringLiteral("CDlgButtonProperties"));
    setWindowTitle(tr("Button Properties"));
    // The template size, 324 x 134 dialog units; the sheet makes the dialog grow to fit it.
    resize(486, 218);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &CDlgButtonProperties::OnApplicationStateChanged);
}

CDlgButtonProperties::~CDlgButtonProperties()
{
    CloseEditor();
}

void CDlgButtonProperties::CloseEditor()
{
    if (!m_pEditor)
        return;
    m_pEditor->SetPageCoupling(nullptr);
    m_pEditor->CloseByOwner();
    // Gone now rather than at the next turn of the event loop: its view works on the model,
    // which the client may release as soon as Config returns.
    delete m_pEditor.data();
}

CDrawView* CDlgButtonProperties::View() const
{
    return m_pEditor ? m_pEditor->View() : nullptr;
}

void CDlgButtonProperties::OnInitDialog()
{
    if (m_bInitialised)
        return;

    // 1. The editor window: a window of its own beside the dialog. It belongs to the dialog
    // all the same, so that the dialog's modal loop leaves it open to the mouse and keys.
    CPreviewWnd* editor = nullptr;
    try {
        editor = Factory() ? Factory()(m_pParams, nullptr) : new CPreviewWnd(m_pParams, nullptr, this);
    } catch (const std::exception&) {
        editor = nullptr;
    }
    m_pEditor = editor;
    if (editor) {
        editor->setAttribute(Qt::WA_ShowWithoutActivating);
        editor->show();
        editor->SetCreated(true);
    } else {
        widget::ShowWindowPrompt(this, tr("Failure"), QMessageBox::NoIcon);
    }

    // 2.
    m_bInitialised = true;

    // 3. The sheet, 9 pixels in from the left and 7 down from the top.
    m_pSheet = new CMenuPropertySheet(this, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(9, 7, 9, 7);
    layout->addWidget(m_pSheet);
    m_pSheet->Start();
    if (m_pEditor)
        m_pEditor->SetPageCoupling(m_pSheet);
    adjustSize();

    // 4. The dialog at its stored position, pulled onto the screen.
    // Positions are client top-left corners, as StorePosition keeps them.
    const auto& pos = m_pParams->m_nWindowPos;
    setGeometry(QRect(PlaceOnScreen(pos[4], pos[5], ScreenFor(this)), size()));

    // 5. The editor at its stored position with a client area of the applet's size.
    if (m_pEditor)
        m_pEditor->PlaceFromModel();
}

int CDlgButtonProperties::Exec()
{
    OnInitDialog();
    return exec();
}

void CDlgButtonProperties::ResizeEditorClient(int width, int height)
{
    if (!m_pEditor)
        return;
    const QWidget* client = m_pEditor->centralWidget();
    const QSize extra = client ? m_pEditor->size() - client->size() : QSize();
    m_pEditor->resize(QSize(width, height) + extra);
}

void CDlgButtonProperties::OnApplicationStateChanged(Qt::ApplicationState state)
{
    if (!m_bInitialised || !m_pEditor || !isVisible())
        return;
    if (state == Qt::ApplicationActive) {
        m_pEditor->setWindowState(m_pEditor->windowState() & ~Qt::WindowMinimized);
        m_pEditor->show();
    } else
        m_pEditor->hide();
}

void CDlgButtonProperties::done(int result)
{
    if (!m_bEnding) {
        m_bEnding = true;
        // The editor window goes first; it stores its own and the palette's position.
        CloseEditor();
        StorePosition();
    }
    QDialog::done(result);
}

void CDlgButtonProperties::closeEvent(QCloseEvent* event)
{
    event->accept();
    done(QDialog::Accepted);
}

void CDlgButtonProperties::StorePosition()
{
    if (!m_bInitialised)
        return;
    const QPoint origin = ScreenFor(this)->availableGeometry().topLeft();
    const QPoint topLeft = geometry().topLeft();
    m_pParams->m_nWindowPos[4] = topLeft.x() - origin.x();
    m_pParams->m_nWindowPos[5] = topLeft.y() - origin.y();
}

}  // namespace snippo
