#include "widget/server/dialogs/placement_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "widget/server/dialogs/int_edit.h"

namespace snippo {

namespace {

constexpr std::int32_t kThickLow = 0;
constexpr std::int32_t kThickHigh = 1200;

}  // namespace

CPlacementPage::CPlacementPage(CDlgButtonProperties* owner, int index, const QString& caption, int templateId,
                               Ranges ranges)
    : CPropertyPage(owner, index, caption, templateId), m_ranges(ranges)
{
}

void CPlacementPage::MakePlacementFields(const QString& prefix, QWidget* parent, QWidget* thickParent)
{
    auto name = [&prefix](const char* field) {
        QString n = prefix + QLatin1String(field);
        n[0] = n[0].toLower();
        return n;
    };
    m_pX = MakeNumberEdit(name("XEdit"), parent);
    m_pY = MakeNumberEdit(name("YEdit"), parent);
    m_pWidth = MakeNumberEdit(name("WidthEdit"), parent);
    m_pHeight = MakeNumberEdit(name("HeightEdit"), parent);
    m_pThick = MakeNumberEdit(name("ThickEdit"), thickParent);
    m_pXSpin = new CUpDown(m_pX, parent);
    m_pYSpin = new CUpDown(m_pY, parent);
    m_pWidthSpin = new CUpDown(m_pWidth, parent);
    m_pHeightSpin = new CUpDown(m_pHeight, parent);
    m_pThickSpin = new CUpDown(m_pThick, thickParent);
}

void CPlacementPage::AddPlacementField(QGridLayout* grid, int row, int column, const QString& label, QLineEdit* edit,
                                       CUpDown* spin, QWidget* parent)
{
    grid->addWidget(MakeLabel(label, edit, parent), row, column);
    grid->addLayout(EditWithUpDown(edit, spin), row, column + 1);
}

void CPlacementPage::SetPlacementRanges()
{
    m_pXSpin->SetRange(m_ranges.positionLow, m_ranges.positionHigh);
    m_pYSpin->SetRange(m_ranges.positionLow, m_ranges.positionHigh);
    m_pWidthSpin->SetRange(m_ranges.sizeLow, m_ranges.sizeHigh);
    m_pHeightSpin->SetRange(m_ranges.sizeLow, m_ranges.sizeHigh);
    m_pThickSpin->SetRange(kThickLow, kThickHigh);
}

void CPlacementPage::ShowPlacement()
{
    ShowInt(m_pX, m_nX);
    ShowInt(m_pY, m_nY);
    ShowInt(m_pWidth, m_nWidth);
    ShowInt(m_pHeight, m_nHeight);
    ShowInt(m_pThick, m_nThick);
}

bool CPlacementPage::ReadPlacement()
{
    const Ranges& r = m_ranges;
    return ReadIntField(m_pX, r.positionLow, r.positionHigh, m_nX) &&
           ReadIntField(m_pY, r.positionLow, r.positionHigh, m_nY) &&
           ReadIntField(m_pWidth, r.sizeLow, r.sizeHigh, m_nWidth) &&
           ReadIntField(m_pHeight, r.sizeLow, r.sizeHigh, m_nHeight) &&
           ReadIntField(m_pThick, kThickLow, kThickHigh, m_nThick);
}

}  // namespace snippo
