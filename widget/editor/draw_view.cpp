#include "widget/editor/draw_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "widget/editor/button_clipboard.h"
#include "widget/editor/draw_obj_paint.h"
#include "widget/editor/draw_tool.h"
#include "widget/editor/editor_state.h"
#include "widget/editor/paint.h"

namespace snippo {

CDrawView::CDrawView(CAppletParameters* model, QWidget* parent)
    : QWidget(parent), m_pModel(model), m_pEditorModel(new EditorModel(model, this))
{
    setObjectName(QStringLiteral("drawView"));
    // Painting covers the whole client area, so the background is never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    m_bClipboardHasButtons = ClipboardHasButtons();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CDrawView::OnClipboardChanged);
    CreateActions();
    UpdateCommandUI();
}

CDrawView::~CDrawView()
{
    if (m_pModel)
        m_pModel->m_listSelection.clear();
}

void CDrawView::SetActive(bool active)
{
    if (active == m_bActive)
        return;
    m_bActive = active;
    Refresh(RefreshHint::Objects);
}

// --- repainting ------------------------------------------------------------------------

void CDrawView::InvalidateObject(const CDrawObj* obj)
{
    CRect r = obj->m_position.Normalized();
    if (m_bActive && IsSelected(obj)) {
        // The handle squares reach outside the rectangle.
        r.left -= 4;
        r.top -= 5;
        r.right += 5;
        r.bottom += 4;
    }
    r.left -= 1;
    r.top -= 1;
    r.right += 1;
    r.bottom += 1;
    update(ToQRect(r));
}

void CDrawView::Refresh(RefreshHint hint, CDrawObj* obj, const std::vector<CDrawObj*>* list)
{
    switch (hint) {
    case RefreshHint::All:
        update();
        break;
    case RefreshHint::Object:
        if (obj)
            InvalidateObject(obj);
        break;
    case RefreshHint::Objects: {
        const std::vector<CDrawObj*>& objects = list ? *list : m_pModel->m_listSelection;
        for (const CDrawObj* o : objects)
            InvalidateObject(o);
        break;
    }
    case RefreshHint::ObjectsLeavingSelection:
        if (list && list != &m_pModel->m_listSelection) {
            for (CDrawObj* o : *list) {
                InvalidateObject(o);
                std::erase(m_pModel->m_listSelection, o);
            }
        }
        break;
    }
}

namespace {

// The band spans from the press point to the mouse, both as corners, in any direction.
CRect BandRect(const QRect& band)
{
    return CRect{std::min(band.left(), band.right()), std::min(band.top(), band.bottom()),
                 std::max(band.left(), band.right()), std::max(band.top(), band.bottom())};
}

}  // namespace

void CDrawView::UpdateOutline(const QRect& rect)
{
    if (rect.isNull())
        return;
    // Each of the four dotted lines that DrawFocusRect paints inside the band, with a pixel to
    // spare on either side.
    const CRect r = BandRect(rect);
    const int w = r.right - r.left + 2;
    const int h = r.bottom - r.top + 2;
    update(QRect(r.left - 1, r.top - 1, w, 3));
    update(QRect(r.left - 1, r.bottom - 2, w, 3));
    update(QRect(r.left - 1, r.top - 1, 3, h));
    update(QRect(r.right - 2, r.top - 1, 3, h));
}

void CDrawView::SetRubberBand(const QRect& rect)
{
    UpdateOutline(m_rubberBand);
    m_rubberBand = rect;
    UpdateOutline(m_rubberBand);
}

// --- painting --------------------------------------------------------------------------

void CDrawView::PaintArea(QPainter& p, const QRect& area)
{
    p.setClipRect(area);
    PaintApplet(p, *m_pModel, CRect{0, 0, width(), height()}, ShownState(), m_bActive, area);
    if (!m_rubberBand.isNull())
        DrawFocusRect(p, BandRect(m_rubberBand));
}

void CDrawView::paintEvent(QPaintEvent* event)
{
    const QRect area = event->rect();
    QImage buffer(area.size(), QImage::Format_RGB32);
    if (buffer.isNull()) {
        QPainter direct(this);
        PaintArea(direct, area);
        return;
    }
    buffer.fill(Qt::white);
    {
        QPainter bp(&buffer);
        bp.translate(-area.topLeft());
        PaintArea(bp, area);
    }
    QPainter p(this);
    p.drawImage(area.topLeft(), buffer);
}

QImage CDrawView::Render()
{
    QImage image(size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter p(&image);
    PaintArea(p, rect());
    return image;
}

// --- selection -------------------------------------------------------------------------

void CDrawView::Select(CDrawObj* obj, bool add)
{
    auto& selection = m_pModel->m_listSelection;
    if (!add) {
        Refresh(RefreshHint::Objects);
        selection.clear();
    }
    if (obj && !IsSelected(obj)) {
        selection.push_back(obj);
        InvalidateObject(obj);
    }
}

void CDrawView::Deselect(CDrawObj* obj)
{
    if (!IsSelected(obj))
        return;
    InvalidateObject(obj);
    std::erase(m_pModel->m_listSelection, obj);
}

bool CDrawView::IsSelected(const CDrawObj* obj) const
{
    return m_pModel->IsSelected(obj);
}

void CDrawView::SelectWithinRect(const CRect& rect, bool add)
{
    if (!add)
        Select(nullptr);
    const CRect r = rect.Normalized();  // device pixels are editor coordinates
    for (const auto& obj : m_pModel->m_listDrawObjects)
        if (obj->Intersects(r))
            Select(obj.get(), true);
}

void CDrawView::SelectNext()
{
    auto& list = m_pModel->m_listDrawObjects;
    if (list.empty())
        return;
    const std::vector<CDrawObj*> previous = m_pModel->m_listSelection;
    for (CDrawObj* obj : previous)
        Deselect(obj);
    CDrawObj* next = list.front().get();
    if (!previous.empty()) {
        auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == previous.back(); });
        if (it != list.end() && it + 1 != list.end())
            next = (it + 1)->get();
    }
    Select(next);
    RefreshPropertyPage();
}

// --- property-sheet coupling -----------------------------------------------------------

int CDrawView::ShownState() const
{
    return m_pCoupling ? m_pCoupling->ActivePage() : kPageNormal;
}

void CDrawView::RefreshPropertyPage()
{
    if (!m_pCoupling)
        return;
    const int active = m_pCoupling->ActivePage();
    if (active >= kPageGeneralInfo && active <= kPageHint)
        m_pCoupling->ReloadPage(active);
}

void CDrawView::ShowButtonPage()
{
    if (!m_pCoupling)
        return;
    RememberedPages& pages = SharedPages();
    const int active = m_pCoupling->ActivePage();
    if (active == pages.buttonPage)
        return;
    if (active >= kPageGeneralInfo && active <= kPageHint)
        pages.buttonPage = active;
    else
        m_pCoupling->ActivatePage(pages.buttonPage);
}

void CDrawView::ShowStatePage()
{
    if (!m_pCoupling)
        return;
    const int active = m_pCoupling->ActivePage();
    const int state = LastShownState();
    if (active == state || (active >= kPageNormal && active <= kPageClicked))
        return;
    m_pCoupling->ActivatePage(state);
}

void CDrawView::ShowAppletPage()
{
    if (!m_pCoupling)
        return;
    RememberedPages& pages = SharedPages();
    const int active = m_pCoupling->ActivePage();
    if (active == pages.appletPage)
        return;
    if (active != kPageAppletParameters && active != kPageAppletMore)
        m_pCoupling->ActivatePage(pages.appletPage);
    else
        pages.appletPage = active;
}

// --- input -----------------------------------------------------------------------------

void CDrawView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        OnRightButton(point);
        return;
    }
    if (event->button() != Qt::LeftButton || !m_bActive)
        return;
    DrawTool::Current()->OnLButtonDown(this, event->modifiers(), point);
    RefreshPropertyPage();
    UpdateCommandUI();
}

void CDrawView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_bActive)
        return;
    DrawTool::Current()->OnLButtonUp(this, event->modifiers(), event->position().toPoint());
    RefreshPropertyPage();
    UpdateCommandUI();
}

void CDrawView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bActive)
        return;
    DrawTool::Current()->OnMouseMove(this, event->modifiers(), event->position().toPoint());
}

void CDrawView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_bActive)
        return;
    DrawTool::Current()->OnLButtonDblClk(this, event->modifiers(), event->position().toPoint());
}

void CDrawView::OnRightButton(QPoint point)
{
    window()->activateWindow();
    window()->raise();
    CDrawObj* obj = m_pModel->ObjectAt(CPoint{point.x(), point.y()});
    if (obj && !IsSelected(obj)) {
        Select(obj);
        // The sheet must not go on editing the button selected before.
        RefreshPropertyPage();
    }
    repaint();
    UpdateCommandUI();
}

void CDrawView::keyPressEvent(QKeyEvent* event)
{
    // Printable characters typed without a command modifier step the selection.
    const QString text = event->text();
    const bool commandModifier = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!commandModifier && text.size() == 1 && text.front().isPrint() && !m_pModel->m_listDrawObjects.empty()) {
        SelectNext();
        UpdateCommandUI();
    }
    QWidget::keyPressEvent(event);
}

}  // namespace snippo
