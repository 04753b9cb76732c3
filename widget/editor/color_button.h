// CColorButton: a push button that shows a colour inside a raised 2-pixel frame. The page that
// owns it sets the colour and handles the click (a colour dialog).
#pragma once

#include <QPushButton>

#include "widget/model/colour.h"

namespace snippo {

class CColorButton : public QPushButton {
    Q_OBJECT

public:
    explicit CColorButton(QWidget* parent = nullptr);

    void SetColour(COLORREF colour);
    COLORREF Colour() const { return m_crColour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COLORREF m_crColour = 0;
};

}  // namespace snippo
