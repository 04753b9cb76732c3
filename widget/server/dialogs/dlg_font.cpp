#include "widget/server/dialogs/dlg_font.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widget/editor/color_button.h"
#include "widget/server/dialogs/int_edit.h"
#include "widget/server/dialogs/property_page.h"
#include "widget/server/dialogs/ui_services.h"

namespace snippo {

CDlgFont::CDlgFont(QWidget* parent) : CHelpDialog(parent, kTemplate)
{
    setObjectName(QStringLiteral("CDlgFont"));
    setWindowTitle(tr("Font"));

    m_pFontName = new QComboBox(this);
    m_pFontName->setObjectName(QStringLiteral("fontNameCombo"));
    m_pFontName->addItems({QStringLiteral("TimesRoman"), QStringLiteral("Helvetica"), QStringLiteral("Courier")});
    m_pColor = new CColorButton(this);
    m_pColor->setObjectName(QStringLiteral("fontColorButton"));
    m_pColor->setFixedSize(40, 22);
    m_pColor->setAutoDefault(false);
    m_pSize = new QLineEdit(this);
    m_pSize->setObjectName(QStringLiteral("fontSizeEdit"));
    m_pSize->setFixedWidth(60);
    m_pSizeSpin = new CUpDown(m_pSize, this);
    m_pEffect = new QComboBox(this);
    m_pEffect->setObjectName(QStringLiteral("effectCombo"));
    m_pEffect->addItems({tr("Normal"), tr("Outline"), tr("Sunken"), tr("Bulge"), tr("With Shadow")});

    auto* style = new QGroupBox(tr("Font Style"), this);
    style->setObjectName(QStringLiteral("fontStyleGroup"));
    m_pPlain = new QRadioButton(tr("Plain"), style);
    m_pPlain->setObjectName(QStringLiteral("plainRadio"));
    m_pBold = new QRadioButton(tr("Bold"), style);
    m_pBold->setObjectName(QStringLiteral("boldRadio"));
    m_pItalic = new QRadioButton(tr("Italic"), style);
    m_pItalic->setObjectName(QStringLiteral("italicRadio"));
    auto* radios = new QVBoxLayout(style);
    radios->addWidget(m_pPlain);
    radios->addWidget(m_pBold);
    radios->addWidget(m_pItalic);

    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel(tr("Font Name:"), m_pFontName, this), 0, 0);
    grid->addWidget(m_pFontName, 0, 1, 1, 2);
    grid->addWidget(MakeLabel(tr("Font Color"), m_pColor, this), 1, 0);
    grid->addWidget(m_pColor, 1, 1, Qt::AlignLeft);
    grid->addWidget(MakeLabel(tr("Font Size:"), m_pSize, this), 2, 0);
    auto* size = new QHBoxLayout;
    size->setSpacing(0);
    size->addWidget(m_pSize);
    size->addWidget(m_pSizeSpin);
    size->addStretch(1);
    grid->addLayout(size, 2, 1, 1, 2);
    grid->addWidget(MakeLabel(tr("Special Effects:"), m_pEffect, this), 3, 0);
    grid->addWidget(m_pEffect, 3, 1, 1, 2);
    grid->addWidget(style, 0, 3, 4, 1);

    QDialogButtonBox* buttons = MakeButtonColumn();
    connect(m_pColor, &QPushButton::clicked, this, &CDlgFont::OnColour);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
}

int CDlgFont::Exec()
{
    m_pSizeSpin->SetRange(0, 5000);
    ShowValues();
    return ModalRunner::Run(*this);
}

void CDlgFont::ShowValues()
{
    m_pFontName->setCurrentIndex(m_nFontName >= 0 && m_nFontName < m_pFontName->count() ? m_nFontName : -1);
    m_pColor->SetColour(m_crFont);
    ShowInt(m_pSize, m_nFontSize);
    m_pEffect->setCurrentIndex(m_nEffect >= 0 && m_nEffect < m_pEffect->count() ? m_nEffect : -1);
    // A style outside the group leaves every choice clear.
    for (QRadioButton* b : {m_pPlain, m_pBold, m_pItalic})
        b->setAutoExclusive(false);
    m_pPlain->setChecked(m_nFontStyle == 0);
    m_pBold->setChecked(m_nFontStyle == 1);
    m_pItalic->setChecked(m_nFontStyle == 2);
    for (QRadioButton* b : {m_pPlain, m_pBold, m_pItalic})
        b->setAutoExclusive(true);
}

void CDlgFont::OnColour()
{
    COLORREF chosen = m_crFont;
    if (!ColourChooser::Choose(this, m_crFont, &chosen))
        return;
    m_crFont = chosen;
    m_pColor->SetColour(chosen);
}

void CDlgFont::accept()
{
    std::int32_t size = m_nFontSize;
    if (!ReadIntField(m_pSize, size))
        return;
    m_nFontName = m_pFontName->currentIndex();
    m_nFontSize = size;
    m_nEffect = m_pEffect->currentIndex();
    m_nFontStyle = m_pPlain->isChecked() ? 0 : m_pBold->isChecked() ? 1 : m_pItalic->isChecked() ? 2 : -1;
    QDialog::accept();
}

bool CDlgFont::EditStyleFont(QWidget* parent, GlimStateStyle& g)
{
    CDlgFont dlg(parent);
    dlg.m_crFont = g.crFont;
    dlg.m_nFontName = g.nFontName;
    dlg.m_nFontSize = g.nFontSize;
    dlg.m_nFontStyle = g.nFontStyle;
    dlg.m_nEffect = g.nEffect;
    if (dlg.Exec() != QDialog::Accepted)
        return false;
    g.crFont = dlg.m_crFont;
    g.nFontName = dlg.m_nFontName;
    g.nFontSize = dlg.m_nFontSize;
    g.nFontStyle = dlg.m_nFontStyle;
    g.nEffect = dlg.m_nEffect;
    return true;
}

}  // namespace snippo
