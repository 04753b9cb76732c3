// The base of the pages that edit a box: where it lies, how large it is and how thick its
// border is ("General Info" for the button, "Hint " for its hint). Five integer fields with
// their up-downs, shown and read together.
#pragma once

#include <cstdint>

#include "widget/server/dialogs/property_page.h"

class QGridLayout;

namespace snippo {

class CUpDown;

class CPlacementPage : public CPropertyPage {
    Q_OBJECT

public:
    QLineEdit* m_pX = nullptr;
    QLineEdit* m_pY = nullptr;
    QLineEdit* m_pWidth = nullptr;
    QLineEdit* m_pHeight = nullptr;
    QLineEdit* m_pThick = nullptr;
    CUpDown* m_pXSpin = nullptr;
    CUpDown* m_pYSpin = nullptr;
    CUpDown* m_pWidthSpin = nullptr;
    CUpDown* m_pHeightSpin = nullptr;
    CUpDown* m_pThickSpin = nullptr;

protected:
    // What the fields accept; the border is 0 to 1200 thick on every page.
    struct Ranges {
        std::int32_t positionLow;
        std::int32_t positionHigh;
        std::int32_t sizeLow;
        std::int32_t sizeHigh;
    };

    CPlacementPage(CDlgButtonProperties* owner, int index, const QString& caption, int templateId, Ranges ranges);

    // Makes the fields and their up-downs, the thickness in `thickParent`. Their names begin
    // with `prefix`: "hint" gives "hintXEdit", none gives "xEdit".
    void MakePlacementFields(const QString& prefix, QWidget* parent, QWidget* thickParent);
    // A labelled field with its up-down in `grid`, taking two columns from `column`.
    static void AddPlacementField(QGridLayout* grid, int row, int column, const QString& label, QLineEdit* edit,
                                  CUpDown* spin, QWidget* parent);
    void SetPlacementRanges();
    void ShowPlacement();
    // X, Y, width, height and thickness in this order; false (after the message) at the first
    // bad field, whose value is then left alone.
    bool ReadPlacement();

    std::int32_t m_nX = 0;
    std::int32_t m_nY = 0;
    std::int32_t m_nWidth = 0;
    std::int32_t m_nHeight = 0;
    std::int32_t m_nThick = 0;

private:
    Ranges m_ranges;
};

}  // namespace snippo
