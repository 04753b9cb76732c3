// The painting rules that the editor, the style pickers and snippo-render share, so that a
// button looks the same in every one of them. All coordinates are editor coordinates: the
// painter's transform maps them to device pixels. Lines are one pixel wide and drawn without
// antialiasing, and a line excludes its end point, so that the edges of a ring meet without
// overlapping.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <string>

#include "widget/model/colour.h"
#include "widget/model/geometry.h"

namespace snippo {

inline QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline COLORREF FromQColor(const QColor& c)
{
    return RGB(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue()));
}
inline QRect ToQRect(const CRect& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Each channel raised by `amount`, at most 255 / lowered, at least 0.
COLORREF Lighten(COLORREF c, int amount);
COLORREF Darken(COLORREF c, int amount);

// Lines of colour stepping from c1 to c2: horizontal lines from the top down, or vertical
// lines from the left; mirrored, the same ramp runs in from both edges.
void GradientFill(QPainter& p, const CRect& rect, COLORREF c1, COLORREF c2, bool horizontalLines, bool mirrored);

// Background styles: 1 solid `back`, 2 top-to-bottom gradient back to fade, 3 the same
// mirrored, 4 left-to-right gradient, 5 the same mirrored; anything else paints nothing.
void FillBackground(QPainter& p, const CRect& rect, COLORREF back, COLORREF fade, int style);

// `thickness` concentric one-pixel bevel rings inside `rect`, styles 1..6; other styles and
// a thickness of 0 or less draw nothing.
void DrawBorder(QPainter& p, const CRect& rect, COLORREF colour, int thickness, int style);

// The font of a label: size - 3 points (at 96 pixels per inch); a request of zero height
// takes the default height. Index 0 "Times New Roman", 1 "Arial", else "Courier"; style 1
// bold, 2 italic.
QFont LabelFont(int fontIndex, int size, int fontStyle);
// The pixel height that LabelFont asks for; 0 means the default height.
int LabelFontPixelHeight(int size);

// A (possibly multi-line, CR LF separated) label placed inside `rect`: alignment 0 left,
// 1 centre, 2 right; `margin` (the border thickness) keeps it off the left and right edges.
void DrawLabel(QPainter& p, const std::string& text, const CRect& rect, int alignment, int offset, COLORREF colour,
               int fontIndex, int size, int fontStyle, int margin);

// A dotted outline of `rect` made by inverting every other pixel; a second call erases it.
void DrawFocusRect(QPainter& p, const CRect& rect);

}  // namespace snippo
