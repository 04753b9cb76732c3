// The program's icon as plain painting, shared by the window icon and the icon files the build
// writes for the desktop, so both always look the same.
#pragma once

#include <QRectF>

class QPainter;

namespace snippo::icons {

// A small glowing button, the widget's own look.
void PaintGlimButton(QPainter& p, const QRectF& r);

// The program icon on a 32 by 32 canvas; scale the painter for other sizes.
void PaintProgram(QPainter& p);

}  // namespace snippo::icons
