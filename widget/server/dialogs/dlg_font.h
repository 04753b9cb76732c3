// "Font": the font of one state of a button (face, colour, size, effect, style). The caller
// fills the five values, runs the dialog and reads them back on OK.
#pragma once

#include <cstdint>

#include "widget/model/colour.h"
#include "widget/model/glim_menu.h"
#include "widget/server/dialogs/help_dialog.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace snippo {

class CColorButton;
class CUpDown;

class CDlgFont : public CHelpDialog {
    Q_OBJECT

public:
    static constexpr int kTemplate = 139;

    explicit CDlgFont(QWidget* parent = nullptr);

    // Shows the values in the controls and runs the dialog modally.
    int Exec();
    // Runs the dialog on the font fields of a state style; true when they were changed.
    static bool EditStyleFont(QWidget* parent, GlimStateStyle& style);
    void accept() override;

    std::int32_t m_nFontName = -1;  // 0 "TimesRoman", 1 "Helvetica", 2 "Courier"
    COLORREF m_crFont = 0;
    std::int32_t m_nFontSize = 0;
    std::int32_t m_nEffect = -1;     // 0 "Normal" ... 4 "With Shadow"
    std::int32_t m_nFontStyle = -1;  // 0 plain, 1 bold, 2 italic

    QComboBox* m_pFontName;
    CColorButton* m_pColor;
    QLineEdit* m_pSize;
    CUpDown* m_pSizeSpin;
    QComboBox* m_pEffect;
    QRadioButton* m_pPlain;
    QRadioButton* m_pBold;
    QRadioButton* m_pItalic;

private:
    void OnColour();
    void ShowValues();
};

}  // namespace snippo
