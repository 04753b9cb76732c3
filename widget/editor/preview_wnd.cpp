#include "widget/editor/preview_wnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <algorithm>

#include "widget/editor/draw_view.h"
#include "widget/editor/editor_state.h"
#include "widget/editor/palette_bar.h"
#include "widget/editor/palette_icons.h"

namespace snippo {

namespace {

const QScreen* ScreenOf(const QWidget* w)
{
    const QScreen* screen = w->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

QPoint WorkAreaOrigin(const QScreen* screen)
{
    return screen ? screen->availableGeometry().topLeft() : QPoint();
}

}  // namespace

QPoint PlaceOnScreen(int storedX, int storedY, const QScreen* screen)
{
    if (!screen)
        return QPoint(std::max(storedX, 0), std::max(storedY, 0));
    const QRect work = screen->availableGeometry();
    const QSize size = screen->geometry().size();
    const int icon = QApplication::style() ? QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize) : 32;
    int x = storedX + work.left();
    int y = storedY + work.top();
    x = std::max(std::min(x, size.width() - icon), 0);
    y = std::max(std::min(y, size.height() - icon), 0);
    return QPoint(x, y);
}

CPreviewWnd::CPreviewWnd(CAppletParameters* params, EditorPageCoupling* coupling, QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_pParams(params), m_pCoupling(coupling)
{
    setObjectName(QStringLiteral("previewWnd"));
    setWindowTitle(tr("Preview windows"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(PaletteIcon(EditorCommand::RectButton));
    setDockNestingEnabled(false);

    m_pPaletteFrame = new CPaletteFrame(this);

    m_pView = new CDrawView(params, this);
    m_pView->SetPageCoupling(coupling);
    setCentralWidget(m_pView);
    m_pView->SetActive(true);
    m_pView->setFocus();

    // The palette's buttons are the view's actions; its shortcuts work in either window.
    m_pPaletteFrame->Bar()->LoadCommands(*m_pView);
    PlacePalette();

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setObjectName(QStringLiteral("previewHelp"));
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [] { ShowEditorHelp(kPreviewWndHelpContext); });

    resize(params->m_nWidth, params->m_nHeight);
}

CPreviewWnd::~CPreviewWnd() = default;

CPaletteBar* CPreviewWnd::Palette() const
{
    return m_pPaletteFrame->Bar();
}

void CPreviewWnd::SetPageCoupling(EditorPageCoupling* coupling)
{
    m_pCoupling = coupling;
    m_pView->SetPageCoupling(coupling);
}

void CPreviewWnd::PlacePalette()
{
    const auto& pos = m_pParams->m_nWindowPos;
    m_pPaletteFrame->adjustSize();
    m_pPaletteFrame->setGeometry(QRect(PlaceOnScreen(pos[2], pos[3], ScreenOf(this)), m_pPaletteFrame->size()));
}

void CPreviewWnd::PlaceFromModel()
{
    const auto& pos = m_pParams->m_nWindowPos;
    setGeometry(QRect(PlaceOnScreen(pos[0], pos[1], ScreenOf(this)), QSize(m_pParams->m_nWidth, m_pParams->m_nHeight)));
}

void CPreviewWnd::CloseByOwner()
{
    // Positions are kept relative to the work area, the way they are placed next time.
    auto& pos = m_pParams->m_nWindowPos;
    const QPoint origin = WorkAreaOrigin(ScreenOf(this));
    const QPoint client = geometry().topLeft();
    pos[0] = client.x() - origin.x();
    pos[1] = client.y() - origin.y();
    const QPoint palette = m_pPaletteFrame->geometry().topLeft();
    pos[2] = palette.x() - origin.x();
    pos[3] = palette.y() - origin.y();
    m_bClosingByOwner = true;
    close();
}

void CPreviewWnd::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!m_bCreated)
        return;
    const QSize client = centralWidget() ? centralWidget()->size() : size();
    m_pParams->m_nWidth = client.width();
    m_pParams->m_nHeight = client.height();
    if (m_pCoupling)
        m_pCoupling->ReloadPage(kPageAppletParameters);
}

void CPreviewWnd::closeEvent(QCloseEvent* event)
{
    // The window closes with the dialog that made it; the pages work on its view until then.
    if (!m_bClosingByOwner) {
        event->ignore();
        return;
    }
    m_pPaletteFrame->hide();
    QMainWindow::closeEvent(event);
}

void CPreviewWnd::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A palette that the window system minimised anyway comes back with the window.
    m_pPaletteFrame->setWindowState(m_pPaletteFrame->windowState() & ~Qt::WindowMinimized);
    m_pPaletteFrame->show();
}

void CPreviewWnd::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    m_pPaletteFrame->hide();
}

}  // namespace snippo
