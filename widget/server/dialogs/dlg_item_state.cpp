#include "widget/server/dialogs/dlg_item_state.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widget/model/draw_obj.h"
#include "widget/server/dialogs/dlg_font.h"
#include "widget/server/dialogs/int_edit.h"
#include "widget/server/dialogs/style_controls.h"

namespace snippo {

QStringList AlignmentEntries()
{
    return {CDlgItemState::tr("Left"), CDlgItemState::tr("Center"), CDlgItemState::tr("Right")};
}

CDlgItemState::CDlgItemState(CDlgButtonProperties* owner, int index, const QString& caption, int templateId,
                             const QString& name, GlimStateStyle CGlimMenu::*group)
    : CPropertyPage(owner, index, caption, templateId), m_group(group)
{
    setObjectName(name);
    m_pStyles = new CStyleControls(this, false, [this] { Apply(); });

    auto* text = new QGroupBox(tr("Text and Image"), this);
    text->setObjectName(QStringLiteral("textImageGroup"));
    m_pTextAlign = new QComboBox(text);
    m_pTextAlign->setObjectName(QStringLiteral("textAlignCombo"));
    m_pTextAlign->addItems(AlignmentEntries());
    m_pTextOffset = new QLineEdit(text);
    m_pTextOffset->setObjectName(QStringLiteral("textOffsetEdit"));
    m_pTextOffsetSpin = new CUpDown(m_pTextOffset, text);
    m_pImageAlign = new QComboBox(text);
    m_pImageAlign->setObjectName(QStringLiteral("imageAlignCombo"));
    m_pImageAlign->addItems(AlignmentEntries());
    m_pImageOffset = new QLineEdit(text);
    m_pImageOffset->setObjectName(QStringLiteral("imageOffsetEdit"));
    m_pImageOffsetSpin = new CUpDown(m_pImageOffset, text);
    for (QLineEdit* e : {m_pTextOffset, m_pImageOffset})
        e->setFixedWidth(60);
    auto* grid = new QGridLayout(text);
    grid->addWidget(MakeLabel(tr("Text Align: "), m_pTextAlign, text), 0, 0);
    grid->addWidget(m_pTextAlign, 0, 1);
    grid->addWidget(MakeLabel(tr("Text Offset:"), m_pTextOffset, text), 0, 2);
    grid->addWidget(m_pTextOffset, 0, 3);
    grid->addWidget(m_pTextOffsetSpin, 0, 4);
    grid->addWidget(MakeLabel(tr("Image Align:"), m_pImageAlign, text), 1, 0);
    grid->addWidget(m_pImageAlign, 1, 1);
    grid->addWidget(MakeLabel(tr("Image Offset:"), m_pImageOffset, text), 1, 2);
    grid->addWidget(m_pImageOffset, 1, 3);
    grid->addWidget(m_pImageOffsetSpin, 1, 4);
    grid->setColumnStretch(5, 1);
    m_pFontButton = new QPushButton(tr("Font.."), this);
    m_pFontButton->setObjectName(QStringLiteral("fontButton"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_pStyles->BackgroundGroup());
    top->addWidget(m_pStyles->BorderGroup(), 0, Qt::AlignTop);
    m_pExtra = new QGridLayout;
    m_pExtra->addWidget(m_pFontButton, 0, 0);
    m_pExtra->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(text);
    layout->addLayout(m_pExtra);
    layout->addStretch(1);

    ApplyOn(m_pTextAlign);
    ApplyOn(m_pTextOffset);
    ApplyOn(m_pImageAlign);
    ApplyOn(m_pImageOffset);
    connect(m_pFontButton, &QPushButton::clicked, this, &CDlgItemState::OnFont);
}

void CDlgItemState::OnInitDialog()
{
    m_pTextOffsetSpin->SetRange(-500, 500);
    m_pImageOffsetSpin->SetRange(-500, 500);
    // Before any button is loaded the fields show the page's own values, not blanks.
    WithoutApply([this] { ShowValues(); });
    CPropertyPage::OnInitDialog();
}

void CDlgItemState::ShowValues()
{
    m_pTextAlign->setCurrentIndex(m_nTextAlign);
    ShowInt(m_pTextOffset, m_nTextOffset);
    m_pImageAlign->setCurrentIndex(m_nImageAlign);
    ShowInt(m_pImageOffset, m_nImageOffset);
}

void CDlgItemState::LoadPage()
{
    CDrawObj* obj = SelectedObject();
    if (!obj)
        return;
    const GlimStateStyle& g = Group(*obj->Menu());
    m_nTextAlign = g.nTextAlign;
    m_nTextOffset = g.nTextOffset;
    m_nImageAlign = g.nImageAlign;
    m_nImageOffset = g.nImageOffset;
    m_pStyles->Show(g.crBack, g.crFade, g.crBorder, g.nBackStyle, g.nBorderStyle);
    ShowValues();
}

bool CDlgItemState::ReadControls()
{
    m_nTextAlign = m_pTextAlign->currentIndex();
    if (!ReadIntField(m_pTextOffset, -500, 500, m_nTextOffset))
        return false;
    m_nImageAlign = m_pImageAlign->currentIndex();
    return ReadIntField(m_pImageOffset, -500, 500, m_nImageOffset);
}

bool CDlgItemState::ApplyPage()
{
    CDrawObj* obj = SelectedObject();
    if (!obj)
        return true;
    const bool valid = ReadControls();
    GlimStateStyle& g = Group(*obj->Menu());
    g.crBack = m_pStyles->Back();
    g.crFade = m_pStyles->Fade();
    g.crBorder = m_pStyles->Border();
    g.nTextAlign = m_nTextAlign;
    g.nTextOffset = m_nTextOffset;
    g.nImageAlign = m_nImageAlign;
    g.nImageOffset = m_nImageOffset;
    g.nBackStyle = m_pStyles->BackStyle();
    g.nBorderStyle = m_pStyles->BorderStyle();
    RefreshEditor();
    return valid;
}

void CDlgItemState::OnFont()
{
    CDrawObj* obj = SelectedObject();
    if (!IsInitialised() || !obj)
        return;
    ReadControls();
    GlimStateStyle& g = Group(*obj->Menu());
    if (CDlgFont::EditStyleFont(this, g))
        Apply();
}

CDlgItemNormal::CDlgItemNormal(CDlgButtonProperties* owner)
    : CDlgItemState(owner, 1, tr("Normal"), 144, QStringLiteral("CDlgItemNormal"), &CGlimMenu::m_styleNormal)
{
    m_pApplyAllButton = new QPushButton(tr("Apply To all status"), this);
    m_pApplyAllButton->setObjectName(QStringLiteral("applyToAllButton"));
    ExtraRow()->addWidget(m_pApplyAllButton, 0, 1);
    connect(m_pApplyAllButton, &QPushButton::clicked, this, &CDlgItemNormal::OnApplyToAll);
}

void CDlgItemNormal::OnApplyToAll()
{
    if (!IsInitialised())
        return;
    if (CDrawObj* obj = SelectedObject())
        obj->Menu()->ApplyNormalStyleToAllStates();
}

CDlgItemMouseOver::CDlgItemMouseOver(CDlgButtonProperties* owner)
    : CDlgItemState(owner, 2, tr("Mouse Over"), 147, QStringLiteral("CDlgItemMouseOver"), &CGlimMenu::m_styleOver)
{
}

CDlgItemClick::CDlgItemClick(CDlgButtonProperties* owner)
    : CDlgItemState(owner, 3, tr("Clicked"), 148, QStringLiteral("CDlgItemClick"), &CGlimMenu::m_styleClick)
{
}

}  // namespace snippo
