#include "widget/server/dialogs/style_controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "widget/editor/color_button.h"
#include "widget/editor/style_combos.h"
#include "widget/server/dialogs/property_page.h"
#include "widget/server/dialogs/ui_services.h"

namespace snippo {

namespace {

CColorButton* MakeSwatch(const QString& name, QWidget* parent)
{
    auto* b = new CColorButton(parent);
    b->setObjectName(name);
    b->setFixedSize(40, 22);
    return b;
}

}  // namespace

CStyleControls::CStyleControls(QWidget* page, bool appletBackground, std::function<void()> apply)
    : QObject(page), m_pPage(page), m_apply(std::move(apply))
{
    m_pBackGroup = new QGroupBox(tr("Background"), page);
    m_pBackGroup->setObjectName(QStringLiteral("backgroundGroup"));
    m_pBackButton = MakeSwatch(QStringLiteral("backColorButton"), m_pBackGroup);
    m_pFadeButton = MakeSwatch(QStringLiteral("fadeColorButton"), m_pBackGroup);
    m_pSwapButton = new QPushButton(QStringLiteral("<------>"), m_pBackGroup);
    m_pSwapButton->setObjectName(QStringLiteral("swapColorsButton"));
    m_pBlackWhiteButton = new QPushButton(tr("B/W"), m_pBackGroup);
    m_pBlackWhiteButton->setObjectName(QStringLiteral("blackWhiteButton"));
    m_pBackStyle = appletBackground ? new CAppletBackStyleCombo(m_pBackGroup) : new CBackStyleCombo(m_pBackGroup);
    m_pBackStyle->setObjectName(QStringLiteral("backStyleCombo"));
    m_pBackStyle->setMinimumWidth(110);
    for (QPushButton* b : {m_pSwapButton, m_pBlackWhiteButton})
        b->setAutoDefault(false);

    auto* back = new QGridLayout(m_pBackGroup);
    back->addWidget(MakeLabel(tr("Back Color"), m_pBackButton, m_pBackGroup), 0, 0);
    back->addWidget(m_pSwapButton, 0, 1);
    back->addWidget(MakeLabel(tr("Fade Color"), m_pFadeButton, m_pBackGroup), 0, 2);
    back->addWidget(m_pBackButton, 1, 0, Qt::AlignHCenter);
    back->addWidget(m_pBlackWhiteButton, 1, 1);
    back->addWidget(m_pFadeButton, 1, 2, Qt::AlignHCenter);
    back->addWidget(MakeLabel(tr("Style"), m_pBackStyle, m_pBackGroup), 2, 0);
    back->addWidget(m_pBackStyle, 2, 1, 1, 2);

    m_pBorderGroup = new QGroupBox(tr("Border"), page);
    m_pBorderGroup->setObjectName(QStringLiteral("borderGroup"));
    m_pBorderButton = MakeSwatch(QStringLiteral("borderColorButton"), m_pBorderGroup);
    m_pBorderStyle = new CBorderStyleCombo(m_pBorderGroup);
    m_pBorderStyle->setObjectName(QStringLiteral("borderStyleCombo"));
    m_pBorderStyle->setMinimumWidth(110);
    auto* border = new QGridLayout(m_pBorderGroup);
    border->addWidget(MakeLabel(tr("Color"), m_pBorderButton, m_pBorderGroup), 0, 0);
    border->addWidget(m_pBorderButton, 0, 1, Qt::AlignLeft);
    border->addWidget(MakeLabel(tr("Style"), m_pBorderStyle, m_pBorderGroup), 1, 0);
    border->addWidget(m_pBorderStyle, 1, 1);

    m_pBackButton->SetColour(m_crBack);
    m_pFadeButton->SetColour(m_crFade);
    m_pBorderButton->SetColour(m_crBorder);

    connect(m_pBackButton, &QPushButton::clicked, this, [this] { ChooseColour(m_pBackButton, &m_crBack); });
    connect(m_pFadeButton, &QPushButton::clicked, this, [this] { ChooseColour(m_pFadeButton, &m_crFade); });
    connect(m_pBorderButton, &QPushButton::clicked, this, [this] { ChooseColour(m_pBorderButton, &m_crBorder); });
    connect(m_pSwapButton, &QPushButton::clicked, this, &CStyleControls::OnSwap);
    connect(m_pBlackWhiteButton, &QPushButton::clicked, this, &CStyleControls::OnBlackWhite);
    connect(m_pBackStyle, &QComboBox::currentIndexChanged, this, [this] { m_apply(); });
    connect(m_pBorderStyle, &QComboBox::currentIndexChanged, this, [this] { m_apply(); });
}

void CStyleControls::Show(COLORREF back, COLORREF fade, COLORREF border, int backStyle, int borderStyle)
{
    m_crBack = back;
    m_crFade = fade;
    m_crBorder = border;
    m_pBackButton->SetColour(back);
    m_pFadeButton->SetColour(fade);
    m_pBorderButton->SetColour(border);
    m_pBackStyle->SetStyle(backStyle, back, fade);
    m_pBorderStyle->SetStyle(borderStyle, border);
}

int CStyleControls::BackStyle() const
{
    return m_pBackStyle->SelectedStyle();
}

int CStyleControls::BorderStyle() const
{
    return m_pBorderStyle->SelectedStyle();
}

void CStyleControls::ChooseColour(CColorButton* button, COLORREF* colour)
{
    COLORREF chosen = *colour;
    if (!ColourChooser::Choose(m_pPage, *colour, &chosen))
        return;
    *colour = chosen;
    button->SetColour(chosen);
    if (button == m_pBackButton)
        m_pBackStyle->SetBackColour(chosen);
    else if (button == m_pFadeButton)
        m_pBackStyle->SetFadeColour(chosen);
    else
        m_pBorderStyle->SetColour(chosen);
    m_apply();
}

void CStyleControls::OnSwap()
{
    std::swap(m_crBack, m_crFade);
    m_pBackButton->SetColour(m_crBack);
    m_pFadeButton->SetColour(m_crFade);
    m_pBackStyle->SwapColours();
    m_apply();
}

void CStyleControls::OnBlackWhite()
{
    m_crBack = RGB(0, 0, 0);
    m_crFade = RGB(255, 255, 255);
    m_pBackButton->SetColour(m_crBack);
    m_pFadeButton->SetColour(m_crFade);
    m_pBackStyle->BlackWhite();
    m_apply();
}

}  // namespace snippo
