#include "widget/editor/color_button.h"

#include <QPainter>

#include "widget/editor/paint.h"

namespace snippo {

CColorButton::CColorButton(QWidget* parent) : QPushButton(parent)
{
    setObjectName(QStringLiteral("colorButton"));
    setMinimumSize(24, 20);
}

void CColorButton::SetColour(COLORREF colour)
{
    m_crColour = colour;
    update();
}

void CColorButton::paintEvent(QPaintEvent*)
{
    // A disabled button shows neither colour nor frame.
    if (!isEnabled())
        return;
    QPainter p(this);
    const QRect r = rect();
    const QRect inner = r.adjusted(5, 5, -5, -5);
    if (!inner.isEmpty())
        p.fillRect(inner, ToQColor(m_crColour));
    const QColor light = isDown() ? Qt::black : Qt::white;
    p.fillRect(QRect(r.left(), r.top(), r.width(), 2), light);
    p.fillRect(QRect(r.left(), r.top(), 2, r.height()), light);
    p.fillRect(QRect(r.right() - 1, r.top(), 2, r.height()), Qt::black);
    p.fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), Qt::black);
    if (hasFocus())
        DrawFocusRect(p, CRect{inner.left(), inner.top(), inner.left() + inner.width(), inner.top() + inner.height()});
}

}  // namespace snippo
