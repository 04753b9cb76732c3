// The editor behaviour of a draw object (the record lives in the model): painting a button
// the way the applet shows it in one state, its eight resize handles and their cursors, and
// moving or resizing it with repainting.
#pragma once

#include <QImage>
#include <QPainter>

#include "widget/model/applet_parameters.h"
#include "widget/model/draw_obj.h"

namespace snippo {

class CDrawView;

// The state (1..3) to paint when the view asks for `requested`: a state outside 1..3 keeps
// the one painted last by any button. The answer is remembered for the next button.
int ResolveShownState(int requested);
const GlimStateStyle& StateStyle(const CGlimMenu& menu, int state);

// Paints the button into its normalised rectangle. On an image the button is composed off
// screen over a copy of what lies beneath and copied back in one block; on any other device
// it is painted directly. A button of zero width or height paints nothing.
void DrawButton(QPainter& p, const CDrawObj& obj, int requestedState);

// State 0 draws nothing; 1 (selected) and 2 (active) invert a 7 x 7 square around each handle,
// so a second call erases them.
void DrawHandles(QPainter& p, const CDrawObj& obj, int state);
Qt::CursorShape HandleCursor(int handle);

// Moves the object to `rect`, repainting the old and the new area through the view (when
// one is given). An unchanged rectangle repaints nothing.
void SetPosition(CDrawObj& obj, const CRect& rect, CDrawView* view);
// Moves one handle to `point` with repainting.
void DragHandleTo(CDrawObj& obj, int handle, CPoint point, CDrawView* view);

// The applet panel as the editor shows it: background and border over `client`, then every
// button, back to front, each followed by its handles when `withHandles` and it is selected.
// With a valid `area`, buttons (and handles) that lie wholly outside it are skipped: a drag
// step repaints two small areas, and walking a thousand buttons for them would cost as much
// as a full repaint.
void PaintApplet(QPainter& p, CAppletParameters& params, const CRect& client, int requestedState, bool withHandles,
                 const QRect& area = QRect());

// The applet panel (no handles) in an image of the applet's size, m_nWidth x m_nHeight.
QImage RenderApplet(CAppletParameters& params, int state);

}  // namespace snippo
