#include "widget/editor/paint.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace snippo {

namespace {

// Far enough outside any panel for a label not to show, near enough that adding a rectangle's
// position to it cannot overflow.
constexpr long long kFarOff = 1 << 28;

int Channel(COLORREF c, int shift)
{
    return static_cast<int>((c >> shift) & 0xFF);
}

COLORREF Adjust(COLORREF c, int amount)
{
    auto clamp = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
    return RGB(clamp(Channel(c, 0) + amount), clamp(Channel(c, 8) + amount), clamp(Channel(c, 16) + amount));
}

// A horizontal line at y from x1 towards x2, x2 itself excluded (either direction).
void HLine(QPainter& p, int y, int x1, int x2, const QColor& c)
{
    if (x2 > x1)
        p.fillRect(QRect(x1, y, x2 - x1, 1), c);
    else if (x2 < x1)
        p.fillRect(QRect(x2 + 1, y, x1 - x2, 1), c);
}

void VLine(QPainter& p, int x, int y1, int y2, const QColor& c)
{
    if (y2 > y1)
        p.fillRect(QRect(x, y1, 1, y2 - y1), c);
    else if (y2 < y1)
        p.fillRect(QRect(x, y2 + 1, 1, y1 - y2), c);
}

// One ring at inset j: top and left edges in the top-left colour, then bottom and right edges
// and the bottom-right corner pixel in the bottom-right colour.
void Ring(QPainter& p, const CRect& r, int j, COLORREF topLeft, COLORREF bottomRight)
{
    const int l = r.left + j;
    const int t = r.top + j;
    const int rr = r.right - 1 - j;
    const int b = r.bottom - 1 - j;
    const QColor tl = ToQColor(topLeft);
    const QColor br = ToQColor(bottomRight);
    HLine(p, t, l, rr, tl);
    VLine(p, l, t, b, tl);
    HLine(p, b, l, rr, br);
    VLine(p, rr, t, b, br);
    p.fillRect(QRect(rr, b, 1, 1), br);
}

}  // namespace

COLORREF Lighten(COLORREF c, int amount)
{
    return Adjust(c, amount);
}

COLORREF Darken(COLORREF c, int amount)
{
    return Adjust(c, -amount);
}

void GradientFill(QPainter& p, const CRect& rect, COLORREF c1, COLORREF c2, bool horizontalLines, bool mirrored)
{
    const CRect r = rect.Normalized();
    const int extent = horizontalLines ? r.Height() : r.Width();
    const int n = mirrored ? (extent + 1) / 2 : extent;
    if (n <= 0)
        return;

    const int from[3] = {Channel(c1, 0), Channel(c1, 8), Channel(c1, 16)};
    const int to[3] = {Channel(c2, 0), Channel(c2, 8), Channel(c2, 16)};
    double step[3];
    for (int k = 0; k < 3; ++k)
        step[k] = static_cast<double>(to[k] - from[k]) / n;

    for (int i = 0; i < n; ++i) {
        int v[3];
        for (int k = 0; k < 3; ++k) {
            v[k] = static_cast<int>(from[k] + i * step[k]);  // truncates toward zero
            v[k] = from[k] <= to[k] ? std::min(v[k], to[k]) : std::max(v[k], to[k]);
        }
        const QColor c(v[0], v[1], v[2]);
        if (horizontalLines) {
            HLine(p, r.top + i, r.left, r.right, c);
            if (mirrored)
                HLine(p, r.bottom - 1 - i, r.left, r.right, c);
        } else {
            VLine(p, r.left + i, r.top, r.bottom, c);
            if (mirrored)
                VLine(p, r.right - 1 - i, r.top, r.bottom, c);
        }
    }
}

void FillBackground(QPainter& p, const CRect& rect, COLORREF back, COLORREF fade, int style)
{
    switch (style) {
    case 1:
        GradientFill(p, rect, back, back, true, false);
        break;
    case 2:
        GradientFill(p, rect, back, fade, true, false);
        break;
    case 3:
        GradientFill(p, rect, back, fade, true, true);
        break;
    case 4:
        GradientFill(p, rect, back, fade, false, false);
        break;
    case 5:
        GradientFill(p, rect, back, fade, false, true);
        break;
    default:
        break;  // transparent
    }
}

void DrawBorder(QPainter& p, const CRect& rect, COLORREF colour, int f, int style)
{
    if (f <= 0)
        return;
    const CRect& r = rect;
    // A ring set in further than the rectangle is wide and high lies wholly outside it, and
    // a lightening or darkening past 255 changes nothing more: a huge thickness read from a
    // file costs no more than one as large as the button (and needs no wider integers).
    const long long extent = std::max(std::llabs(static_cast<long long>(r.right) - r.left),
                                      std::llabs(static_cast<long long>(r.bottom) - r.top));
    const int n = static_cast<int>(std::min<long long>(f, extent + 1));
    const int g = f / 2;
    auto by = [](int unit, long long k) { return static_cast<int>(std::min<long long>(unit * k, 255)); };
    auto up = [&](int unit, long long k) { return Lighten(colour, by(unit, k)); };
    auto down = [&](int unit, long long k) { return Darken(colour, by(unit, k)); };
    const long long last = static_cast<long long>(f) - 1;
    switch (style) {
    case 1:
        for (int j = 0; j < n; ++j)
            Ring(p, r, j, up(10, j), down(10, j));
        break;
    case 2:
        for (int j = 0; j < n; ++j)
            Ring(p, r, j, down(10, j), up(10, j));
        break;
    case 3:
        for (int j = n - 1; j >= 0; --j)
            Ring(p, r, j, up(15, last - j), down(15, last - j));
        break;
    case 4:
        for (int j = n - 1; j >= 0; --j)
            Ring(p, r, j, down(15, last - j), up(15, last - j));
        break;
    case 5:
        for (int j = std::min(g, n) - 1; j >= 0; --j)
            Ring(p, r, j, up(15, g - 1 - j), down(15, g - 1 - j));
        for (int j = g; j < n; ++j)
            Ring(p, r, j, down(15, j - g), up(15, j - g));
        break;
    case 6:
        for (int j = std::min(g, n) - 1; j >= 0; --j)
            Ring(p, r, j, up(15, g - 1 - j), down(15, g - 1 - j));
        for (int j = n - 1; j >= g; --j)
            Ring(p, r, j, up(15, last - j), down(15, last - j));
        break;
    default:
        break;
    }
}

int LabelFontPixelHeight(int size)
{
    // Tenths of a point converted at 96 pixels per inch, rounded like an integer MulDiv.
    const long tenths = std::labs(static_cast<long>(size) * 10 - 30);
    return static_cast<int>((tenths * 96 + 360) / 720);
}

QFont LabelFont(int fontIndex, int size, int fontStyle)
{
    const char* face = fontIndex == 0 ? "Times New Roman" : fontIndex == 1 ? "Arial" : "Courier";
    QFont font(QString::fromLatin1(face));
    const int pixels = LabelFontPixelHeight(size);
    if (pixels > 0)
        font.setPixelSize(pixels);
    else
        font.setPointSizeF(QFont().pointSizeF());  // a zero-height request: the default size
    font.setWeight(fontStyle == 1 ? QFont::Bold : QFont::Normal);
    font.setItalic(fontStyle == 2);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void DrawLabel(QPainter& p, const std::string& text, const CRect& rect, int alignment, int offset, COLORREF colour,
               int fontIndex, int size, int fontStyle, int margin)
{
    const CRect r = rect.Normalized();
    QString label = QString::fromStdString(text);
    label.replace(QLatin1String("\r\n"), QLatin1String("\n"));

    const QFont font = LabelFont(fontIndex, size, fontStyle);
    const QFontMetrics metrics(font, p.device());
    const int lineAlign = alignment == 2 ? Qt::AlignRight : alignment == 1 ? Qt::AlignHCenter : Qt::AlignLeft;
    const QRect measured = metrics.boundingRect(QRect(0, 0, 0x3FFFFFFF, 0x3FFFFFFF), lineAlign | Qt::AlignTop, label);
    const int w = measured.width();
    const int h = measured.height();

    // Margins and offsets come from the widget file and may be as large as an int holds: the
    // sums are made wide, and a label that far off lands well outside any panel.
    long long wide;
    if (alignment == 2)
        wide = static_cast<long long>(r.Width()) - w - margin - 3;
    else if (alignment == 1)
        wide = (static_cast<long long>(r.Width()) - w) / 2;
    else
        wide = static_cast<long long>(margin) + 3;
    wide += offset;
    const int dx = static_cast<int>(std::clamp(wide, -kFarOff, kFarOff));
    const int dy = (r.Height() - h) / 2;

    p.save();
    p.setFont(font);
    p.setPen(ToQColor(colour));
    p.setBackgroundMode(Qt::TransparentMode);
    p.drawText(QRect(r.left + dx, r.top + dy, w, h), lineAlign | Qt::AlignTop | Qt::TextDontClip, label);
    p.restore();
}

void DrawFocusRect(QPainter& p, const CRect& rect)
{
    const CRect r = rect.Normalized();
    if (r.IsRectEmpty())
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    auto dot = [&p](int x, int y) {
        if (((x + y) & 1) == 0)
            p.fillRect(QRect(x, y, 1, 1), Qt::black);
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top)
            dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left)
            dot(r.right - 1, y);
    }
    p.restore();
}

}  // namespace snippo
