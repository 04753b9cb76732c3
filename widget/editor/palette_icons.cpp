#include "widget/editor/palette_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

#include "widget/editor/editor_commands.h"

namespace snippo {

namespace {

const QColor kInk(40, 40, 40);
const QColor kAccent(200, 40, 40);
const QColor kBox(70, 110, 190);
const QColor kGrey(160, 160, 160);
const QColor kPaper(250, 250, 250);

void Arrow(QPainter& p, QPointF from, QPointF to)
{
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0)
        return;
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    QPolygonF head;
    head << to << to - 3 * u + 2.5 * n << to - 3 * u - 2.5 * n;
    p.drawPolygon(head);
}

// Layered squares: `order` lists the squares from back to front; the accent one is the
// selected button.
void Stack(QPainter& p, std::initializer_list<std::pair<QRect, bool>> order)
{
    for (const auto& [r, accent] : order) {
        p.setBrush(accent ? kAccent : kGrey);
        p.drawRect(r);
    }
}

void Bars(QPainter& p, const QRect& a, const QRect& b, const QRect& c)
{
    p.setBrush(kBox);
    for (const QRect& r : {a, b, c})
        if (!r.isNull())
            p.drawRect(r);
}

void Paint(QPainter& p, EditorCommand id)
{
    p.setPen(QPen(kInk, 1));
    switch (id) {
    case EditorCommand::Cut:
        p.setRenderHint(QPainter::Antialiasing);
        p.drawLine(QPointF(4, 1), QPointF(10, 10));
        p.drawLine(QPointF(12, 1), QPointF(6, 10));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kAccent, 1.5));
        p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
        p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
        break;
    case EditorCommand::Copy:
        p.setBrush(kPaper);
        p.drawRect(1, 1, 8, 10);
        p.drawRect(6, 4, 8, 10);
        p.drawLine(8, 7, 12, 7);
        p.drawLine(8, 9, 12, 9);
        p.drawLine(8, 11, 11, 11);
        break;
    case EditorCommand::Paste:
        p.setBrush(QColor(170, 120, 60));
        p.drawRect(2, 2, 11, 13);
        p.setBrush(kGrey);
        p.drawRect(5, 1, 5, 3);
        p.setBrush(kPaper);
        p.drawRect(7, 6, 7, 8);
        break;
    case EditorCommand::Duplicate:
        p.setBrush(kGrey);
        p.drawRect(1, 1, 9, 7);
        p.setBrush(kBox);
        p.drawRect(5, 7, 9, 7);
        break;
    case EditorCommand::Select: {
        p.setRenderHint(QPainter::Antialiasing);
        QPolygonF arrow;
        arrow << QPointF(4, 1) << QPointF(4, 13) << QPointF(7, 10) << QPointF(9.5, 15) << QPointF(11, 14.3)
              << QPointF(8.7, 9.5) << QPointF(12.5, 9.5);
        p.setBrush(Qt::white);
        p.drawPolygon(arrow);
        break;
    }
    case EditorCommand::RectButton:
        p.fillRect(1, 4, 14, 9, kBox);
        p.fillRect(1, 4, 14, 1, QColor(200, 215, 245));
        p.fillRect(1, 4, 1, 9, QColor(200, 215, 245));
        p.fillRect(1, 12, 14, 1, QColor(20, 40, 90));
        p.fillRect(14, 4, 1, 9, QColor(20, 40, 90));
        break;
    case EditorCommand::Undo:
    case EditorCommand::Redo: {
        p.setRenderHint(QPainter::Antialiasing);
        if (id == EditorCommand::Redo) {
            p.translate(16, 0);
            p.scale(-1, 1);
        }
        p.setPen(QPen(kBox, 2));
        p.setBrush(Qt::NoBrush);
        QPainterPath path(QPointF(4, 6));
        path.cubicTo(QPointF(9, 2), QPointF(15, 6), QPointF(12, 13));
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(kBox);
        p.drawPolygon(QPolygonF({QPointF(1, 7), QPointF(7, 2), QPointF(7.5, 9.5)}));
        break;
    }
    case EditorCommand::MoveBackward:
        Stack(p, {{QRect(5, 5, 9, 9), true}, {QRect(1, 1, 9, 9), false}});
        break;
    case EditorCommand::MoveForward:
        Stack(p, {{QRect(1, 1, 9, 9), false}, {QRect(5, 5, 9, 9), true}});
        break;
    case EditorCommand::MoveToBack:
        Stack(p, {{QRect(6, 6, 8, 8), true}, {QRect(3, 3, 8, 8), false}, {QRect(0, 0, 8, 8), false}});
        break;
    case EditorCommand::MoveToFront:
        Stack(p, {{QRect(0, 0, 8, 8), false}, {QRect(3, 3, 8, 8), false}, {QRect(6, 6, 8, 8), true}});
        break;
    case EditorCommand::AlignLeft:
        Bars(p, QRect(2, 2, 11, 4), QRect(2, 9, 7, 4), QRect());
        p.fillRect(1, 0, 1, 16, kAccent);
        break;
    case EditorCommand::AlignRight:
        Bars(p, QRect(2, 2, 11, 4), QRect(6, 9, 7, 4), QRect());
        p.fillRect(14, 0, 1, 16, kAccent);
        break;
    case EditorCommand::AlignTop:
        Bars(p, QRect(2, 2, 4, 11), QRect(9, 2, 4, 7), QRect());
        p.fillRect(0, 1, 16, 1, kAccent);
        break;
    case EditorCommand::AlignBottom:
        Bars(p, QRect(2, 2, 4, 11), QRect(9, 6, 4, 7), QRect());
        p.fillRect(0, 14, 16, 1, kAccent);
        break;
    case EditorCommand::SameWidth:
        Bars(p, QRect(2, 1, 11, 4), QRect(2, 11, 11, 4), QRect());
        p.setBrush(kAccent);
        p.setPen(kAccent);
        Arrow(p, QPointF(7.5, 8), QPointF(14, 8));
        Arrow(p, QPointF(7.5, 8), QPointF(1, 8));
        break;
    case EditorCommand::SameHeight:
        Bars(p, QRect(1, 2, 4, 11), QRect(11, 2, 4, 11), QRect());
        p.setBrush(kAccent);
        p.setPen(kAccent);
        Arrow(p, QPointF(8, 7.5), QPointF(8, 14));
        Arrow(p, QPointF(8, 7.5), QPointF(8, 1));
        break;
    case EditorCommand::SameSize:
        Bars(p, QRect(1, 1, 6, 6), QRect(8, 8, 6, 6), QRect());
        p.setBrush(kAccent);
        p.setPen(kAccent);
        Arrow(p, QPointF(9, 5), QPointF(14, 5));
        Arrow(p, QPointF(4, 9), QPointF(4, 14));
        break;
    case EditorCommand::SpaceAcross:
        Bars(p, QRect(0, 4, 3, 8), QRect(6, 4, 3, 8), QRect(12, 4, 3, 8));
        p.fillRect(3, 14, 3, 1, kAccent);
        p.fillRect(9, 14, 3, 1, kAccent);
        break;
    case EditorCommand::SpaceDown:
        Bars(p, QRect(4, 0, 8, 3), QRect(4, 6, 8, 3), QRect(4, 12, 8, 3));
        p.fillRect(14, 3, 1, 3, kAccent);
        p.fillRect(14, 9, 1, 3, kAccent);
        break;
    case EditorCommand::CenterVertical:
        p.fillRect(0, 0, 16, 1, kInk);
        p.fillRect(0, 15, 16, 1, kInk);
        Bars(p, QRect(3, 5, 10, 5), QRect(), QRect());
        p.fillRect(8, 2, 1, 2, kAccent);
        p.fillRect(8, 12, 1, 2, kAccent);
        break;
    case EditorCommand::CenterHorizontal:
        p.fillRect(0, 0, 1, 16, kInk);
        p.fillRect(15, 0, 1, 16, kInk);
        Bars(p, QRect(5, 3, 5, 10), QRect(), QRect());
        p.fillRect(2, 8, 2, 1, kAccent);
        p.fillRect(12, 8, 2, 1, kAccent);
        break;
    default:
        break;
    }
}

}  // namespace

QImage PaletteIconImage(EditorCommand commandId)
{
    bool known = false;
    for (EditorCommand id : kPaletteLayout)
        known = known || (id != kPaletteSeparator && id == commandId);
    if (!known)
        return {};
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    Paint(p, commandId);
    return image;
}

QIcon PaletteIcon(EditorCommand commandId)
{
    const QImage image = PaletteIconImage(commandId);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

}  // namespace snippo
