// Drop-down lists that show background and border styles as samples painted in the current
// colours, with the same rules that paint the buttons, so that a style looks as it will on
// the button. Each item carries its style number as item data (Qt::UserRole).
#pragma once

#include <QComboBox>

#include "widget/model/colour.h"

namespace snippo {

// Item height of the style lists.
inline constexpr int kStyleItemHeight = 20;

class CStyleComboBase : public QComboBox {
    Q_OBJECT

public:
    // The style of the selected item, or 0 when nothing is selected.
    int SelectedStyle() const;
    // Paints one item: its background (highlighted when selected), a focus outline, and the
    // sample of `style` inside a 2-pixel margin. Used by the list and by the closed box.
    void PaintItem(QPainter& p, const QRect& rect, int style, bool selected, bool focus) const;
    // Empties and refills the list, keeping the selected index (index 1 when none was).
    void Rebuild();

protected:
    explicit CStyleComboBase(QWidget* parent);
    // Adds the items; stops early when the list is full.
    virtual void FillStyles() = 0;
    virtual void PaintSample(QPainter& p, const QRect& item, const QRect& inner, int style,
                             const QColor& text) const = 0;
    // Fills the list and selects index 1, as when the control is attached to its page.
    void Initialise();
    void AddStyles(int first, int last);
    void paintEvent(QPaintEvent* event) override;
};

class CBackStyleCombo : public CStyleComboBase {
    Q_OBJECT

public:
    explicit CBackStyleCombo(QWidget* parent = nullptr);

    // A style outside 0..5 is shown as 1; the colours are taken when they differ.
    void SetStyle(int style, COLORREF back, COLORREF fade);
    void SetBackColour(COLORREF colour);
    void SetFadeColour(COLORREF colour);
    void SwapColours();
    void BlackWhite();
    COLORREF BackColour() const { return m_crBack; }
    COLORREF FadeColour() const { return m_crFade; }
    int FirstStyle() const { return m_nFirstStyle; }

protected:
    CBackStyleCombo(QWidget* parent, int firstStyle);
    void FillStyles() override;
    void PaintSample(QPainter& p, const QRect& item, const QRect& inner, int style, const QColor& text) const override;

private:
    COLORREF m_crBack = 0x404080;
    COLORREF m_crFade = 0x80FFFF;
    int m_nFirstStyle;
};

// The applet's background has no transparent style: the list starts at style 1.
class CAppletBackStyleCombo : public CBackStyleCombo {
    Q_OBJECT

public:
    explicit CAppletBackStyleCombo(QWidget* parent = nullptr);

protected:
    void FillStyles() override;
};

class CBorderStyleCombo : public CStyleComboBase {
    Q_OBJECT

public:
    explicit CBorderStyleCombo(QWidget* parent = nullptr);

    // A style outside 0..6 is shown as 1; the colour is taken when it differs.
    void SetStyle(int style, COLORREF colour);
    void SetColour(COLORREF colour);
    COLORREF Colour() const { return m_crBorder; }

protected:
    void FillStyles() override;
    void PaintSample(QPainter& p, const QRect& item, const QRect& inner, int style, const QColor& text) const override;

private:
    COLORREF m_crBorder = 0x426F8C;
};

}  // namespace snippo
