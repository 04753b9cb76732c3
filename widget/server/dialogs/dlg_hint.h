// "Hint ": the pop-up that the applet shows over the selected button, i.e. the sub-menu of
// the button's item. The hint has one style: the page writes the normal group and copies it
// to the other two.
#pragma once

#include "widget/server/dialogs/placement_page.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace snippo {

class CGlimMenu;
class CStyleControls;

class CDlgHint : public CPlacementPage {
    Q_OBJECT

public:
    explicit CDlgHint(CDlgButtonProperties* owner);

    void OnInitDialog() override;
    void OnFont();
    void OnAutoCalculate();
    CStyleControls* Styles() const { return m_pStyles; }

    QPlainTextEdit* m_pLabel;
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
    std::int32_t m_nAlign = 0;
};

}  // namespace snippo
