#include "widget/editor/draw_obj_paint.h"

#include <utility>

#include "widget/editor/draw_view.h"
#include "widget/editor/editor_state.h"
#include "widget/editor/paint.h"

namespace snippo {

int ResolveShownState(int requested)
{
    if (requested >= 1 && requested <= 3)
        SetLastShownState(requested);
    return LastShownState();
}

const GlimStateStyle& StateStyle(const CGlimMenu& menu, int state)
{
    switch (state) {
    case 2:
        return menu.m_styleOver;
    case 3:
        return menu.m_styleClick;
    default:
        return menu.m_styleNormal;
    }
}

namespace {

void PaintFace(QPainter& p, const CGlimMenu& menu, const CRect& r, int state)
{
    const GlimStateStyle& s = StateStyle(menu, state);
    FillBackground(p, r, s.crBack, s.crFade, s.nBackStyle);
    DrawBorder(p, r, s.crBorder, menu.m_nBorderThick, s.nBorderStyle);
    const std::string label = menu.m_items.empty() ? std::string() : menu.m_items.front()->m_strLabel;
    DrawLabel(p, label, r, s.nTextAlign, s.nTextOffset, s.crFont, s.nFontName, s.nFontSize, s.nFontStyle,
              menu.m_nBorderThick);
    // Images, sounds and text effects belong to the applet; the editor shows none of them.
}

}  // namespace

void DrawButton(QPainter& p, const CDrawObj& obj, int requestedState)
{
    const CRect r = obj.m_position.Normalized();
    if (r.IsRectEmpty())
        return;
    const int state = ResolveShownState(requestedState);
    const QRect area = ToQRect(r);

    auto* target = p.device() && p.device()->devType() == QInternal::Image ? static_cast<QImage*>(p.device()) : nullptr;
    if (!target || p.transform().type() > QTransform::TxTranslate) {
        PaintFace(p, *obj.Menu(), r, state);
        return;
    }

    // Start from what the target shows, so that a transparent background keeps it visible.
    const QRect deviceArea = p.transform().mapRect(area);
    QImage buffer = std::as_const(*target).copy(deviceArea);
    if (buffer.isNull()) {
        PaintFace(p, *obj.Menu(), r, state);
        return;
    }
    {
        QPainter bp(&buffer);
        bp.translate(-r.left, -r.top);
        bp.setClipRect(area);
        PaintFace(bp, *obj.Menu(), r, state);
    }
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(area.topLeft(), buffer);
    p.restore();
}

void DrawHandles(QPainter& p, const CDrawObj& obj, int state)
{
    if (state != 1 && state != 2)
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (int n = 1; n <= obj.HandleCount(); ++n) {
        const CPoint h = obj.HandlePoint(n);
        p.fillRect(QRect(h.x - 3, h.y - 3, 7, 7), Qt::black);
    }
    p.restore();
}

Qt::CursorShape HandleCursor(int handle)
{
    switch (handle) {
    case 1:
    case 5:
        return Qt::SizeFDiagCursor;
    case 2:
    case 6:
        return Qt::SizeVerCursor;
    case 3:
    case 7:
        return Qt::SizeBDiagCursor;
    case 4:
    case 8:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}

void SetPosition(CDrawObj& obj, const CRect& rect, CDrawView* view)
{
    if (rect == obj.m_position)
        return;
    if (view)
        view->InvalidateObject(&obj);
    obj.m_position = rect;
    if (view)
        view->InvalidateObject(&obj);
}

void DragHandleTo(CDrawObj& obj, int handle, CPoint point, CDrawView* view)
{
    const CRect before = obj.m_position;
    obj.DragHandleTo(handle, point);
    const CRect after = obj.m_position;
    obj.m_position = before;
    SetPosition(obj, after, view);
}

void PaintApplet(QPainter& p, CAppletParameters& params, const CRect& client, int requestedState, bool withHandles,
                 const QRect& area)
{
    FillBackground(p, client, params.m_crBack, params.m_crFade, params.m_nBackStyle);
    DrawBorder(p, client, params.m_crBorder, params.m_nBorderThick, params.m_nBorderStyle);
    for (const auto& obj : params.m_listDrawObjects) {
        // Handles reach 3 pixels (and one more for the inverted square) beyond the rectangle.
        if (area.isValid() && !ToQRect(obj->m_position.Normalized()).adjusted(-4, -4, 4, 4).intersects(area))
            continue;
        DrawButton(p, *obj, requestedState);
        if (withHandles && params.IsSelected(obj.get()))
            DrawHandles(p, *obj, 1);
    }
}

QImage RenderApplet(CAppletParameters& params, int state)
{
    QImage image(params.m_nWidth, params.m_nHeight, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    // Anything the applet background leaves unpainted stays white.
    image.fill(Qt::white);
    QPainter p(&image);
    PaintApplet(p, params, CRect{0, 0, params.m_nWidth, params.m_nHeight}, state, false);
    return image;
}

}  // namespace snippo
