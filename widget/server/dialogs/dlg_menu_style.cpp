#include "widget/server/dialogs/dlg_menu_style.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "widget/model/applet_parameters.h"
#include "widget/server/dialogs/dlg_image.h"
#include "widget/server/dialogs/int_edit.h"

namespace snippo {

CDlgMenuStyle::CDlgMenuStyle(CDlgButtonProperties* owner)
    : CPlacementPage(owner, 0, tr("General Info"), 141, {0, 1200, 0, 1200})
{
    setObjectName(QStringLiteral("CDlgMenuStyle"));
    MakePlacementFields(QString(), this, this);
    m_pLabel = new QPlainTextEdit(this);
    m_pLabel->setObjectName(QStringLiteral("labelEdit"));
    m_pLabel->setTabChangesFocus(true);
    m_pLabel->setFixedHeight(52);
    m_pDescription = new QLineEdit(this);
    m_pDescription->setObjectName(QStringLiteral("descriptionEdit"));
    m_pLink = new QLineEdit(this);
    m_pLink->setObjectName(QStringLiteral("linkEdit"));
    m_pTarget = new QComboBox(this);
    m_pTarget->setObjectName(QStringLiteral("targetCombo"));
    m_pTarget->setEditable(true);
    m_pTarget->setInsertPolicy(QComboBox::NoInsert);
    m_pTarget->addItems(
        {QStringLiteral("_self"), QStringLiteral("_parent"), QStringLiteral("_top"), QStringLiteral("_blank")});
    m_pTarget->setCurrentIndex(-1);
    m_pImageButton = new QPushButton(tr("Image..."), this);
    m_pImageButton->setObjectName(QStringLiteral("imageButton"));
    m_pAudioButton = new QPushButton(tr("Audio..."), this);
    m_pAudioButton->setObjectName(QStringLiteral("audioButton"));

    auto* grid = new QGridLayout(this);
    AddPlacementField(grid, 0, 0, tr("X-coordinate:"), m_pX, m_pXSpin, this);
    AddPlacementField(grid, 0, 2, tr("Y-coordinate:"), m_pY, m_pYSpin, this);
    AddPlacementField(grid, 0, 4, tr("Border Thick:"), m_pThick, m_pThickSpin, this);
    AddPlacementField(grid, 1, 0, tr("Width:"), m_pWidth, m_pWidthSpin, this);
    AddPlacementField(grid, 1, 2, tr("Height:"), m_pHeight, m_pHeightSpin, this);
    grid->addWidget(MakeLabel(tr("Label:"), m_pLabel, this), 2, 0, Qt::AlignTop);
    grid->addWidget(m_pLabel, 2, 1, 1, 5);
    grid->addWidget(MakeLabel(tr("Description:"), m_pDescription, this), 3, 0);
    grid->addWidget(m_pDescription, 3, 1, 1, 5);
    grid->addWidget(MakeLabel(tr("Link to:"), m_pLink, this), 4, 0);
    grid->addWidget(m_pLink, 4, 1, 1, 5);
    grid->addWidget(MakeLabel(tr("Target Frame:"), m_pTarget, this), 5, 0);
    grid->addWidget(m_pTarget, 5, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pImageButton);
    buttons->addWidget(m_pAudioButton);
    grid->addLayout(buttons, 5, 3, 1, 3);
    grid->setRowStretch(6, 1);

    for (QLineEdit* e : {m_pX, m_pY, m_pWidth, m_pHeight, m_pThick, m_pDescription, m_pLink})
        ApplyOn(e);
    ApplyOn(m_pLabel);
    ApplyOn(m_pTarget);
    connect(m_pImageButton, &QPushButton::clicked, this, &CDlgMenuStyle::OnImage);
    connect(m_pAudioButton, &QPushButton::clicked, this, &CDlgMenuStyle::OnAudio);
}

void CDlgMenuStyle::OnInitDialog()
{
    SetPlacementRanges();
    m_nX = m_nY = m_nWidth = m_nHeight = m_nThick = 0;
    ShowValues();
    CPropertyPage::OnInitDialog();
}

void CDlgMenuStyle::ShowValues()
{
    ShowPlacement();
    if (m_pLabel->toPlainText() != m_strLabel)
        m_pLabel->setPlainText(m_strLabel);
    if (m_pDescription->text() != m_strDescription)
        m_pDescription->setText(m_strDescription);
    if (m_pLink->text() != m_strLink)
        m_pLink->setText(m_strLink);
    if (m_pTarget->currentText() != m_strTarget) {
        const int entry = m_pTarget->findText(m_strTarget);
        m_pTarget->setCurrentIndex(entry);
        m_pTarget->setEditText(m_strTarget);
    }
}

void CDlgMenuStyle::LoadPage()
{
    CDrawObj* obj = SelectedObject();
    if (!obj)
        return;
    const CRect r = obj->m_position.Normalized();
    m_nX = r.left;
    m_nY = r.top;
    m_nWidth = r.Width();
    m_nHeight = r.Height();
    m_nThick = obj->Menu()->m_nBorderThick;
    if (!obj->Menu()->m_items.empty()) {
        const CGlimMenuItem* item = obj->Menu()->m_items.front().get();
        m_strLabel = ModelToEditText(item->m_strLabel);
        m_strLink = QString::fromStdString(item->m_strLink);
        m_strDescription = QString::fromStdString(item->m_strDescription);
        m_strTarget = QString::fromStdString(item->m_strTarget);
    }
    ShowValues();
}

bool CDlgMenuStyle::ReadControls()
{
    // The texts first: they never fail, so a bad number does not hold back what was typed.
    m_strLabel = m_pLabel->toPlainText();
    m_strDescription = m_pDescription->text();
    m_strLink = m_pLink->text();
    m_strTarget = m_pTarget->currentText();
    return ReadPlacement();
}

bool CDlgMenuStyle::ApplyPage()
{
    CDrawObj* obj = SelectedObject();
    if (!obj)
        return true;
    const bool valid = ReadControls();
    CGlimMenu* menu = obj->Menu();
    // A button is never given an empty size here; its texts and border are kept all the same.
    if (m_nWidth != 0 && m_nHeight != 0) {
        obj->m_position = CRect{m_nX, m_nY, m_nX + m_nWidth, m_nY + m_nHeight};
        menu->m_nX = m_nX;
        menu->m_nY = m_nY;
        menu->m_nWidth = m_nWidth;
        menu->m_nHeight = m_nHeight;
    }
    menu->m_nBorderThick = m_nThick;
    RefreshEditor();
    if (!menu->m_items.empty()) {
        CGlimMenuItem* item = menu->m_items.front().get();
        item->m_strLabel = EditToModelText(m_strLabel);
        item->m_strLink = m_strLink.toStdString();
        item->m_strDescription = m_strDescription.toStdString();
        item->m_strTarget = m_strTarget.toStdString();
    }
    return valid;
}

void CDlgMenuStyle::OnImage()
{
    CDlgImage dlg(this);
    EditResources(dlg, 0);  // image normal, over, click
}

void CDlgMenuStyle::OnAudio()
{
    CDlgAudio dlg(this);
    EditResources(dlg, 3);  // sound over, click
}

void CDlgMenuStyle::EditResources(CDlgResourceFiles& dlg, int first)
{
    CDrawObj* obj = SelectedObject();
    if (!IsInitialised() || !obj || obj->Menu()->m_items.empty())
        return;
    ReadControls();
    CGlimMenuItem* item = obj->Menu()->m_items.front().get();
    const int count = dlg.RowCount();
    for (int i = 0; i < count; ++i)
        dlg.SetValue(i, item->ResourcePath(first + i), item->ResourceWebPath(first + i));
    dlg.m_nApplyTo = 0;
    if (dlg.Exec() != QDialog::Accepted)
        return;
    auto write = [&dlg, first, count](CGlimMenuItem* target) {
        for (int i = 0; i < count; ++i) {
            target->ResourcePath(first + i) = dlg.Path(i);
            target->ResourceWebPath(first + i) = dlg.WebPath(i);
        }
    };
    if (dlg.m_nApplyTo == 1) {
        for (const auto& other : Params()->m_listDrawObjects)
            if (!other->Menu()->m_items.empty())
                write(other->Menu()->m_items.front().get());
    } else {
        write(item);
    }
}

}  // namespace snippo
