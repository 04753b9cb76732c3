#include "host/program_icon.h"

#include <QLinearGradient>
#include <QPainter>

namespace snippo::icons {

void PaintGlimButton(QPainter& p, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(255, 236, 140));
    g.setColorAt(1, QColor(230, 120, 20));
    p.setPen(QPen(QColor(120, 60, 0), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, r.height() / 4, r.height() / 4);
}

void PaintProgram(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 230, 250));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    PaintGlimButton(p, QRectF(4.5, 6.5, 23, 9));
    PaintGlimButton(p, QRectF(4.5, 18.5, 23, 9));
    p.setPen(QPen(QColor(0, 0, 255), 2));
    p.drawLine(QPointF(9, 11), QPointF(22, 11));
    p.drawLine(QPointF(9, 23), QPointF(18, 23));
}

}  // namespace snippo::icons
