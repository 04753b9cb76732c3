#include "widget/server/dialogs/dlg_hint.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widget/editor/draw_view.h"
#include "widget/editor/paint.h"
#include "widget/model/applet_parameters.h"
#include "widget/server/dialogs/dlg_font.h"
#include "widget/server/dialogs/dlg_item_state.h"
#include "widget/server/dialogs/int_edit.h"
#include "widget/server/dialogs/style_controls.h"

namespace snippo {

CDlgHint::CDlgHint(CDlgButtonProperties* owner) : CPlacementPage(owner, 4, tr("Hint "), 4004, {-1000, 1000, 1, 1200})
{
    setObjectName(QStringLiteral("CDlgHint"));
    m_pStyles = new CStyleControls(this, false, [this] { Apply(); });

    auto* hint = new QGroupBox(tr("Hint"), this);
    hint->setObjectName(QStringLiteral("hintGroup"));
    m_pLabel = new QPlainTextEdit(hint);
    m_pLabel->setObjectName(QStringLiteral("hintLabelEdit"));
    m_pLabel->setTabChangesFocus(true);
    m_pLabel->setFixedHeight(44);
    MakePlacementFields(QStringLiteral("hint"), hint, m_pStyles->BorderGroup());
    m_pAlign = new QComboBox(hint);
    m_pAlign->setObjectName(QStringLiteral("hintAlignCombo"));
    m_pAlign->addItems(AlignmentEntries());
    m_pFontButton = new QPushButton(tr("Font.."), this);
    m_pFontButton->setObjectName(QStringLiteral("hintFontButton"));
    m_pAutoButton = new QPushButton(tr("Auto Calculate"), hint);
    m_pAutoButton->setObjectName(QStringLiteral("autoCalculateButton"));

    auto* grid = new QGridLayout(hint);
    grid->addWidget(MakeLabel(tr("Label:"), m_pLabel, hint), 0, 0, Qt::AlignTop);
    grid->addWidget(m_pLabel, 0, 1, 1, 5);
    AddPlacementField(grid, 1, 0, tr("X-pos:"), m_pX, m_pXSpin, hint);
    AddPlacementField(grid, 1, 2, tr("Y-pos:"), m_pY, m_pYSpin, hint);
    grid->addWidget(MakeLabel(tr("Align:"), m_pAlign, hint), 1, 4);
    grid->addWidget(m_pAlign, 1, 5);
    AddPlacementField(grid, 2, 0, tr("Width:"), m_pWidth, m_pWidthSpin, hint);
    AddPlacementField(grid, 2, 2, tr("Height:"), m_pHeight, m_pHeightSpin, hint);
    grid->addWidget(m_pAutoButton, 2, 4, 1, 2);

    auto* thick = new QHBoxLayout;
    thick->setSpacing(0);
    thick->addWidget(m_pThick);
    thick->addWidget(m_pThickSpin);
    auto* border = qobject_cast<QGridLayout*>(m_pStyles->BorderGroup()->layout());
    border->addWidget(MakeLabel(tr("Thick:"), m_pThick, m_pStyles->BorderGroup()), 2, 0);
    border->addLayout(thick, 2, 1, Qt::AlignLeft);

    auto* top = new QHBoxLayout;
    top->addWidget(m_pStyles->BackgroundGroup());
    top->addWidget(m_pStyles->BorderGroup(), 0, Qt::AlignTop);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_pFontButton);
    bottom->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->addStretch(1);

    for (QLineEdit* e : {m_pX, m_pY, m_pWidth, m_pHeight, m_pThick})
        ApplyOn(e);
    ApplyOn(m_pLabel);
    ApplyOn(m_pAlign);
    connect(m_pFontButton, &QPushButton::clicked, this, &CDlgHint::OnFont);
    connect(m_pAutoButton, &QPushButton::clicked, this, &CDlgHint::OnAutoCalculate);
}

void CDlgHint::OnInitDialog()
{
    SetPlacementRanges();
    CPropertyPage::OnInitDialog();
}

CGlimMenu* CDlgHint::HintMenu() const
{
    CDrawObj* obj = SelectedObject();
    if (!obj || obj->Menu()->m_items.empty())
        return nullptr;
    return obj->Menu()->m_items.front()->SubMenu();
}

void CDlgHint::ShowValues()
{
    if (m_pLabel->toPlainText() != m_strLabel)
        m_pLabel->setPlainText(m_strLabel);
    ShowPlacement();
    m_pAlign->setCurrentIndex(m_nAlign);
}

void CDlgHint::LoadPage()
{
    CGlimMenu* h = HintMenu();
    if (!h)
        return;
    h->ApplyNormalStyleToAllStates();
    m_strLabel = h->m_items.empty() ? QString() : ModelToEditText(h->m_items.front()->m_strLabel);
    m_nX = h->m_nX;
    m_nY = h->m_nY;
    m_nWidth = h->m_nWidth;
    m_nHeight = h->m_nHeight;
    m_nAlign = h->m_styleNormal.nTextAlign;
    m_nThick = h->m_nBorderThick;
    const GlimStateStyle& g = h->m_styleNormal;
    m_pStyles->Show(g.crBack, g.crFade, g.crBorder, g.nBackStyle, g.nBorderStyle);
    ShowValues();
}

bool CDlgHint::ReadControls()
{
    m_strLabel = m_pLabel->toPlainText();
    m_nAlign = m_pAlign->currentIndex();
    return ReadPlacement();
}

bool CDlgHint::ApplyPage()
{
    CGlimMenu* h = HintMenu();
    if (!h)
        return true;
    const bool valid = ReadControls();
    h->m_nBorderThick = m_nThick;
    GlimStateStyle& g = h->m_styleNormal;
    g.crBack = m_pStyles->Back();
    g.crBorder = m_pStyles->Border();
    g.nBackStyle = m_pStyles->BackStyle();
    g.nBorderStyle = m_pStyles->BorderStyle();
    g.crFade = m_pStyles->Fade();
    // A button read from a file may have an empty hint menu; typing a hint gives it its item.
    if (h->m_items.empty() && !m_strLabel.isEmpty())
        h->InsertNewItemAtFront();
    if (!h->m_items.empty())
        h->m_items.front()->m_strLabel = EditToModelText(m_strLabel);
    h->m_nX = m_nX;
    h->m_nY = m_nY;
    h->m_nWidth = m_nWidth == 0 ? 10 : m_nWidth;
    h->m_nHeight = m_nHeight == 0 ? 10 : m_nHeight;
    g.nTextAlign = m_nAlign;
    g.nTextOffset = 0;
    h->ApplyNormalStyleToAllStates();
    return valid;
}

void CDlgHint::OnFont()
{
    CGlimMenu* h = HintMenu();
    if (!IsInitialised() || !h)
        return;
    ReadControls();
    GlimStateStyle& g = h->m_styleNormal;
    if (CDlgFont::EditStyleFont(this, g))
        Apply();
}

void CDlgHint::OnAutoCalculate()
{
    CGlimMenu* h = HintMenu();
    if (!IsInitialised() || !h)
        return;
    ReadControls();
    const GlimStateStyle& g = h->m_styleNormal;
    const QFont font = LabelFont(g.nFontName, g.nFontSize, g.nFontStyle);
    // Measured as the editor lays labels out: lines break only where the label breaks.
    const QFontMetrics metrics = View() ? QFontMetrics(font, View()) : QFontMetrics(font);
    QRect r = m_strLabel.isEmpty() ? QRect()
                                   : metrics.boundingRect(QRect(0, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, m_strLabel);
    r = r.normalized();
    if (r.width() == 0 || r.height() == 0) {
        m_nWidth = 10;
        m_nHeight = 10;
    } else {
        m_nWidth = r.width() + 2 * m_nThick;
        m_nHeight = r.height() + 2 * m_nThick;
    }
    WithoutApply([this] { ShowValues(); });
    Apply();
}

}  // namespace snippo
