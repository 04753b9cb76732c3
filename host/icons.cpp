#include "host/icons.h"

#include "host/program_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace snippo::icons {

namespace {

QIcon draw(int size, const std::function<void(QPainter&)>& paint)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    paint(p);
    p.end();
    return QIcon(pixmap);
}

void page(QPainter& p)
{
    QPainterPath sheet;
    sheet.moveTo(3.5, 1.5);
    sheet.lineTo(10.5, 1.5);
    sheet.lineTo(13.5, 4.5);
    sheet.lineTo(13.5, 14.5);
    sheet.lineTo(3.5, 14.5);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
    p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
}

}  // namespace

QIcon Program()
{
    return draw(32, PaintProgram);
}

QIcon FileNew()
{
    return draw(16, [](QPainter& p) { page(p); });
}

QIcon FileOpen()
{
    return draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(110, 80, 0), 1));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(1.5, 4.5, 11, 9));
        p.setBrush(QColor(255, 225, 120));
        QPolygonF lid{QPointF(3.5, 7.5), QPointF(14.5, 7.5), QPointF(12.5, 13.5), QPointF(1.5, 13.5)};
        p.drawPolygon(lid);
    });
}

QIcon FileSave()
{
    return draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(20, 20, 70), 1));
        p.setBrush(QColor(70, 90, 170));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
    });
}

QIcon SaveAsTemplate()
{
    return draw(16, [](QPainter& p) {
        page(p);
        PaintGlimButton(p, QRectF(5.5, 6.5, 7, 3));
        PaintGlimButton(p, QRectF(5.5, 10.5, 7, 3));
    });
}

QIcon Configure()
{
    return draw(16, [](QPainter& p) {
        PaintGlimButton(p, QRectF(1.5, 3.5, 9, 4));
        PaintGlimButton(p, QRectF(1.5, 9.5, 9, 4));
        p.setPen(QPen(QColor(60, 60, 60), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 2.5), QPointF(12, 13.5));
        p.setPen(QPen(QColor(0, 0, 200), 1));
        p.setBrush(QColor(120, 160, 255));
        p.drawRect(QRectF(10.5, 5.5, 3, 4));
    });
}

QIcon Preview()
{
    return draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(QColor(200, 220, 255));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(0, 0, 160));
        p.drawRect(QRectF(1.5, 2.5, 13, 2));
        PaintGlimButton(p, QRectF(4.5, 7.5, 7, 3));
    });
}

QIcon WorkWithTessaly()
{
    return draw(16, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 110, 60));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(4.5, 5), QPointF(11.5, 5));
        p.drawLine(QPointF(8, 5), QPointF(8, 12.5));
    });
}

}  // namespace snippo::icons
