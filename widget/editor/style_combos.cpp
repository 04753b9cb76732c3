#include "widget/editor/style_combos.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "widget/editor/paint.h"

namespace snippo {

namespace {

// Paints the drop-down list's items through the combo box that owns them.
class StyleItemDelegate : public QStyledItemDelegate {
public:
    explicit StyleItemDelegate(CStyleComboBase* combo) : QStyledItemDelegate(combo), m_combo(combo) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_combo->PaintItem(*p, option.rect, index.data(Qt::UserRole).toInt(),
                           option.state.testFlag(QStyle::State_Selected),
                           option.state.testFlag(QStyle::State_HasFocus));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), kStyleItemHeight);
    }

private:
    CStyleComboBase* m_combo;
};

QColor Inverted(const QColor& c)
{
    return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue());
}

CRect ToCRect(const QRect& r)
{
    return CRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

CStyleComboBase::CStyleComboBase(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new StyleItemDelegate(this));
    setMinimumWidth(80);
}

void CStyleComboBase::Initialise()
{
    FillStyles();
    setCurrentIndex(1);
}

void CStyleComboBase::AddStyles(int first, int last)
{
    for (int style = first; style <= last; ++style) {
        if (count() >= maxCount())
            break;
        addItem(QString(), style);
    }
}

int CStyleComboBase::SelectedStyle() const
{
    const int index = currentIndex();
    return index < 0 ? 0 : itemData(index).toInt();
}

void CStyleComboBase::Rebuild()
{
    const int selected = currentIndex();
    const QSignalBlocker block(this);
    clear();
    FillStyles();
    setCurrentIndex(selected >= 0 ? selected : 1);
    update();
}

void CStyleComboBase::PaintItem(QPainter& p, const QRect& rect, int style, bool selected, bool focus) const
{
    if (rect.isEmpty())
        return;
    const QPalette& pal = palette();
    const QColor windowText = pal.color(QPalette::Text);
    const QColor text = selected ? Inverted(windowText) : windowText;
    const QColor background = selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);

    // Composed off screen and copied in one block, like the buttons.
    QImage buffer(rect.size(), QImage::Format_RGB32);
    QPainter* target = &p;
    QPainter bp;
    if (!buffer.isNull()) {
        bp.begin(&buffer);
        bp.translate(-rect.topLeft());
        target = &bp;
    }
    QPainter& q = *target;
    q.fillRect(rect, background);
    const QRect inner = rect.adjusted(2, 2, -2, -2);
    if (focus)
        DrawFocusRect(q, ToCRect(inner));
    PaintSample(q, rect, inner, style, text);
    if (target == &bp) {
        bp.end();
        p.drawImage(rect.topLeft(), buffer);
    }
}

void CStyleComboBase::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0)
        PaintItem(painter, field, itemData(currentIndex()).toInt(), false, hasFocus());
}

// --- background styles -----------------------------------------------------------------

CBackStyleCombo::CBackStyleCombo(QWidget* parent) : CBackStyleCombo(parent, 0)
{
    setObjectName(QStringLiteral("backStyleCombo"));
    Initialise();
}

CBackStyleCombo::CBackStyleCombo(QWidget* parent, int firstStyle) : CStyleComboBase(parent), m_nFirstStyle(firstStyle)
{
}

void CBackStyleCombo::FillStyles()
{
    AddStyles(0, 5);
}

void CBackStyleCombo::SetStyle(int style, COLORREF back, COLORREF fade)
{
    if (back != m_crBack || fade != m_crFade) {
        m_crBack = back;
        m_crFade = fade;
        Rebuild();
    }
    if (style < 0 || style > 5)
        style = 1;
    setCurrentIndex(style - m_nFirstStyle);
}

void CBackStyleCombo::SetBackColour(COLORREF colour)
{
    m_crBack = colour;
    Rebuild();
}

void CBackStyleCombo::SetFadeColour(COLORREF colour)
{
    m_crFade = colour;
    Rebuild();
}

void CBackStyleCombo::SwapColours()
{
    std::swap(m_crBack, m_crFade);
    Rebuild();
}

void CBackStyleCombo::BlackWhite()
{
    m_crBack = 0x000000;
    m_crFade = 0xFFFFFF;
    Rebuild();
}

void CBackStyleCombo::PaintSample(QPainter& p, const QRect& item, const QRect& inner, int style,
                                  const QColor& text) const
{
    if (style == 0) {
        p.save();
        p.setPen(text);
        p.setBackgroundMode(Qt::TransparentMode);
        p.drawText(QRect(item.left() + item.width() / 6 + 2, item.top() + 2, item.width(), item.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, tr("Transparent"));
        p.restore();
        return;
    }
    FillBackground(p, ToCRect(inner), m_crBack, m_crFade, style);
}

CAppletBackStyleCombo::CAppletBackStyleCombo(QWidget* parent) : CBackStyleCombo(parent, 1)
{
    setObjectName(QStringLiteral("appletBackStyleCombo"));
    Initialise();
}

void CAppletBackStyleCombo::FillStyles()
{
    AddStyles(1, 5);
}

// --- border styles ---------------------------------------------------------------------

CBorderStyleCombo::CBorderStyleCombo(QWidget* parent) : CStyleComboBase(parent)
{
    setObjectName(QStringLiteral("borderStyleCombo"));
    Initialise();
}

void CBorderStyleCombo::FillStyles()
{
    AddStyles(0, 6);
}

void CBorderStyleCombo::SetStyle(int style, COLORREF colour)
{
    if (colour != m_crBorder) {
        m_crBorder = colour;
        Rebuild();
    }
    if (style < 0 || style > 6)
        style = 1;
    setCurrentIndex(style);
}

void CBorderStyleCombo::SetColour(COLORREF colour)
{
    m_crBorder = colour;
    Rebuild();
}

void CBorderStyleCombo::PaintSample(QPainter& p, const QRect& item, const QRect& inner, int style,
                                    const QColor& text) const
{
    if (style == 0) {
        p.save();
        p.setPen(text);
        p.setBackgroundMode(Qt::TransparentMode);
        p.drawText(QRect(item.left() + item.width() / 4 + 2, item.top() + 2, item.width(), item.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, tr("Plain"));
        p.restore();
        return;
    }
    DrawBorder(p, ToCRect(inner), m_crBorder, 6, style);
}

}  // namespace snippo
