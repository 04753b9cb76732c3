// "Hint ": the pop-up that the applet shows over the selected button, i.e. the sub-menu of
// the button's item. The hint has one style: the page writes the normal group and copies it
// to the other two.
#pragma once

#include "widget/server/dialogs/property_page.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace snippo {

class CGlimMenu;
class CStyleControls;
class CUpDown;

class CDlgHint : public CPropertyPage {
    Q_OBJECT

public:
    explicit CDlgHint(CDlgButtonProperties* owner);

    void OnInitDialog() override;
    void OnFont();
    void OnAutoCalculate();
    CStyleControls* Styles() const { return m_pStyles; }

    QPlainTextEdit* m_pLabel;
    QLineEdit* m_pX;
    QLineEdit* m_pY;
    QLineEdit* m_pWidth;
    QLineEdit* m_pHeight;
    QLineEdit* m_pThick;
    CUpDown* m_pXSpin;
    CUpDown* m_pYSpin;
    CUpDown* m_pWidthSpin;
    CUpDown* m_pHeightSpin;
    CUpDown* m_pThickSpin;
    QComboBox* m_pAlign;
    QPushButton* m_pFontButton;
    QPushButton* m_pAutoButton;

protected:
    void LoadPage() override;
    bool ApplyPage() override;

private:
    // The hint menu of the selected button, or null.
    CGlimMenu* HintMenu() const;
    bool ReadControls();
    void ShowValues();

    CStyleControls* m_pStyles;
    QString m_strLabel;
    std::int32_t m_nX = 0;
    std::int32_t m_nY = 0;
    std::int32_t m_nWidth = 0;
    std::int32_t m_nHeight = 0;
    std::int32_t m_nAlign = 0;
    std::int32_t m_nThick = 0;
};

}  // namespace snippo
