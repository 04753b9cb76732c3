// "Normal", "Mouse Over" and "Clicked": one design that edits one style group of the
// selected button (colours, background and border styles, text and image alignment and
// offset, font). "Normal" adds "Apply To all status", which copies its group to the others.
#pragma once

#include "widget/model/glim_menu.h"
#include "widget/server/dialogs/property_page.h"

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace snippo {

class CStyleControls;
class CUpDown;

class CDlgItemState : public CPropertyPage {
    Q_OBJECT

public:
    CStyleControls* Styles() const { return m_pStyles; }
    QComboBox* m_pTextAlign;
    QLineEdit* m_pTextOffset;
    CUpDown* m_pTextOffsetSpin;
    QComboBox* m_pImageAlign;
    QLineEdit* m_pImageOffset;
    CUpDown* m_pImageOffsetSpin;
    QPushButton* m_pFontButton;

    void OnInitDialog() override;
    void OnFont();

protected:
    // `group` is the style group of the selected button that the page edits.
    CDlgItemState(CDlgButtonProperties* owner, int index, const QString& caption, int templateId, const QString& name,
                  GlimStateStyle CGlimMenu::*group);
    GlimStateStyle& Group(CGlimMenu& menu) const { return menu.*m_group; }
    void LoadPage() override;
    bool ApplyPage() override;
    // Reads every control into the page; false (after the message) on the first bad field.
    bool ReadControls();
    void ShowValues();
    QGridLayout* ExtraRow() const { return m_pExtra; }

private:
    GlimStateStyle CGlimMenu::*m_group;
    CStyleControls* m_pStyles;
    QGridLayout* m_pExtra;
    std::int32_t m_nTextAlign = 0;
    std::int32_t m_nTextOffset = 0;
    std::int32_t m_nImageAlign = 0;
    std::int32_t m_nImageOffset = 0;
};

class CDlgItemNormal : public CDlgItemState {
    Q_OBJECT

public:
    explicit CDlgItemNormal(CDlgButtonProperties* owner);
    QPushButton* m_pApplyAllButton;
    void OnApplyToAll();
};

class CDlgItemMouseOver : public CDlgItemState {
    Q_OBJECT

public:
    explicit CDlgItemMouseOver(CDlgButtonProperties* owner);
};

class CDlgItemClick : public CDlgItemState {
    Q_OBJECT

public:
    explicit CDlgItemClick(CDlgButtonProperties* owner);
};

// The three entries of an alignment list, by list position.
QStringList AlignmentEntries();

}  // namespace snippo
