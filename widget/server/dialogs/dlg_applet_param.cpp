#include "widget/server/dialogs/dlg_applet_param.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "widget/model/applet_parameters.h"
#include "widget/server/dialogs/dlg_button_properties.h"
#include "widget/server/dialogs/int_edit.h"
#include "widget/server/dialogs/style_controls.h"

namespace snippo {

CDlgAppletParam::CDlgAppletParam(CDlgButtonProperties* owner) : CPropertyPage(owner, 5, tr("Applet Parameters"), 103)
{
    setObjectName(QStringLiteral("CDlgAppletParam"));
    m_pStyles = new CStyleControls(this, true, [this] { Apply(); });
    QGroupBox* border = m_pStyles->BorderGroup();
    m_pThick = MakeNumberEdit(QStringLiteral("appletThickEdit"), border);
    m_pThickSpin = new CUpDown(m_pThick, border);
    auto* borderGrid = qobject_cast<QGridLayout*>(border->layout());
    borderGrid->addWidget(MakeLabel(tr("Thick:"), m_pThick, border), 2, 0);
    borderGrid->addLayout(EditWithUpDown(m_pThick, m_pThickSpin), 2, 1);

    auto* size = new QGroupBox(tr("Size"), this);
    size->setObjectName(QStringLiteral("sizeGroup"));
    m_pWidth = MakeNumberEdit(QStringLiteral("appletWidthEdit"), size);
    m_pHeight = MakeNumberEdit(QStringLiteral("appletHeightEdit"), size);
    m_pWidthSpin = new CUpDown(m_pWidth, size);
    m_pHeightSpin = new CUpDown(m_pHeight, size);
    m_pAlign = new QComboBox(size);
    m_pAlign->setObjectName(QStringLiteral("appletAlignCombo"));
    m_pAlign->addItems({tr("Center"), tr("Left"), tr("Right")});
    auto* sizeGrid = new QGridLayout(size);
    sizeGrid->addWidget(MakeLabel(tr("Width:"), m_pWidth, size), 0, 0);
    sizeGrid->addLayout(EditWithUpDown(m_pWidth, m_pWidthSpin), 0, 1);
    sizeGrid->addWidget(MakeLabel(tr("Height:"), m_pHeight, size), 0, 2);
    sizeGrid->addLayout(EditWithUpDown(m_pHeight, m_pHeightSpin), 0, 3);
    sizeGrid->addWidget(MakeLabel(tr("Align:"), m_pAlign, size), 0, 4);
    sizeGrid->addWidget(m_pAlign, 0, 5);
    sizeGrid->setColumnStretch(6, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_pStyles->BackgroundGroup());
    top->addWidget(border, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(size);
    layout->addStretch(1);

    for (QLineEdit* e : {m_pThick, m_pWidth, m_pHeight})
        ApplyOn(e);
    ApplyOn(m_pAlign);
}

void CDlgAppletParam::OnInitDialog()
{
    m_pWidthSpin->SetRange(1, 1200);
    m_pHeightSpin->SetRange(1, 1200);
    m_pThickSpin->SetRange(0, 1200);
    CPropertyPage::OnInitDialog();
}

void CDlgAppletParam::ShowValues()
{
    m_pAlign->setCurrentIndex(m_nAlign);
    ShowInt(m_pWidth, m_nWidth);
    ShowInt(m_pHeight, m_nHeight);
    ShowInt(m_pThick, m_nThick);
}

void CDlgAppletParam::LoadPage()
{
    const CAppletParameters* p = Params();
    m_nAlign = p->m_nAlign;
    m_nWidth = p->m_nWidth;
    m_nHeight = p->m_nHeight;
    m_nThick = p->m_nBorderThick;
    m_pStyles->Show(p->m_crBack, p->m_crFade, p->m_crBorder, p->m_nBackStyle, p->m_nBorderStyle);
    ShowValues();
}

bool CDlgAppletParam::ApplyPage()
{
    m_nAlign = m_pAlign->currentIndex();
    const bool valid = ReadIntField(m_pThick, 0, 1200, m_nThick) && ReadIntField(m_pWidth, 1, 1200, m_nWidth) &&
                       ReadIntField(m_pHeight, 1, 1200, m_nHeight);
    CAppletParameters* p = Params();
    p->m_crBack = m_pStyles->Back();
    p->m_crFade = m_pStyles->Fade();
    p->m_crBorder = m_pStyles->Border();
    p->m_nAlign = m_nAlign;
    p->m_nHeight = m_nHeight;
    p->m_nWidth = m_nWidth;
    p->m_nBorderThick = m_nThick;
    p->m_nBackStyle = m_pStyles->BackStyle();
    p->m_nBorderStyle = m_pStyles->BorderStyle();
    p->m_strAppletName = "Glim Button";
    Owner()->ResizeEditorClient(p->m_nWidth, p->m_nHeight);
    RefreshEditor();
    return valid;
}

}  // namespace snippo
