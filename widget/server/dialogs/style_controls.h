// The Background and Border groups that the state pages, the "Hint " page and the "Applet
// Parameters" page share: back, fade and border colour swatches, "<------>", "B/W" and the
// two style lists. The group keeps the colours the page shows; every change asks the page to
// apply.
#pragma once

#include <QObject>
#include <functional>

#include "widget/model/colour.h"

class QGroupBox;
class QPushButton;
class QWidget;

namespace snippo {

class CBackStyleCombo;
class CBorderStyleCombo;
class CColorButton;

class CStyleControls : public QObject {
    Q_OBJECT

public:
    // `appletBackground` offers the applet's background styles (no transparent one).
    CStyleControls(QWidget* page, bool appletBackground, std::function<void()> apply);

    QGroupBox* BackgroundGroup() const { return m_pBackGroup; }
    QGroupBox* BorderGroup() const { return m_pBorderGroup; }

    // Shows the colours in the swatches and the styles with their samples in the lists.
    void Show(COLORREF back, COLORREF fade, COLORREF border, int backStyle, int borderStyle);
    COLORREF Back() const { return m_crBack; }
    COLORREF Fade() const { return m_crFade; }
    COLORREF Border() const { return m_crBorder; }
    // The styles chosen in the lists, 0 when none is chosen.
    int BackStyle() const;
    int BorderStyle() const;

    CColorButton* m_pBackButton;
    CColorButton* m_pFadeButton;
    CColorButton* m_pBorderButton;
    QPushButton* m_pSwapButton;
    QPushButton* m_pBlackWhiteButton;
    CBackStyleCombo* m_pBackStyle;
    CBorderStyleCombo* m_pBorderStyle;

private:
    void ChooseColour(CColorButton* button, COLORREF* colour);
    void OnSwap();
    void OnBlackWhite();

    QWidget* m_pPage;
    std::function<void()> m_apply;
    QGroupBox* m_pBackGroup;
    QGroupBox* m_pBorderGroup;
    // What a page shows before any button has been loaded.
    COLORREF m_crBack = RGB(128, 64, 64);
    COLORREF m_crFade = RGB(255, 255, 128);
    COLORREF m_crBorder = RGB(140, 111, 66);
};

}  // namespace snippo
