// Paints the program icon (the same shapes as com.quillon.TessalyTool.svg, drawn on a 32 by 32
// grid) at the sizes the icon theme wants: icon_png SIZE OUT.png
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {

void glimButton(QPainter& p, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(255, 236, 140));
    g.setColorAt(1, QColor(230, 120, 20));
    p.setPen(QPen(QColor(120, 60, 0), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, r.height() / 4, r.height() / 4);
}

}  // namespace

int main(int argc, char** argv)
{
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: icon_png SIZE OUT.png  (SIZE 16 to 1024)\n");
        return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 230, 250));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    glimButton(p, QRectF(4.5, 6.5, 23, 9));
    glimButton(p, QRectF(4.5, 18.5, 23, 9));
    p.setPen(QPen(QColor(0, 0, 255), 2));
    p.drawLine(QPointF(9, 11), QPointF(22, 11));
    p.drawLine(QPointF(9, 23), QPointF(18, 23));
    p.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "icon_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
