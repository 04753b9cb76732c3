// "Applet Parameters": the applet panel's background, border, size and alignment in the
// page. The editor window follows the size at once, and the page follows the editor window
// when the user resizes it.
#pragma once

#include "widget/server/dialogs/property_page.h"

class QComboBox;
class QLineEdit;

namespace snippo {

class CStyleControls;
class CUpDown;

class CDlgAppletParam : public CPropertyPage {
    Q_OBJECT

public:
    explicit CDlgAppletParam(CDlgButtonProperties* owner);

    void OnInitDialog() override;
    CStyleControls* Styles() const { return m_pStyles; }

    QLineEdit* m_pThick;
    QLineEdit* m_pWidth;
    QLineEdit* m_pHeight;
    CUpDown* m_pThickSpin;
    CUpDown* m_pWidthSpin;
    CUpDown* m_pHeightSpin;
    QComboBox* m_pAlign;

protected:
    void LoadPage() override;
    bool ApplyPage() override;

private:
    void ShowValues();

    CStyleControls* m_pStyles;
    std::int32_t m_nAlign = 0;
    std::int32_t m_nWidth = 0;
    std::int32_t m_nHeight = 0;
    std::int32_t m_nThick = 0;
};

}  // namespace snippo
