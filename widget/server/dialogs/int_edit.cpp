#include "widget/server/dialogs/int_edit.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

#include "widget/editor/prompt_service.h"

namespace snippo {

namespace {

constexpr const char* kNumberFieldProperty = "snippoNumberField";
bool g_quietReading = false;
QPointer<QLineEdit>& RejectedField()
{
    static QPointer<QLineEdit> field;
    return field;
}

}  // namespace

QuietIntReading::QuietIntReading() : m_was(g_quietReading)
{
    g_quietReading = true;
}

QuietIntReading::~QuietIntReading()
{
    g_quietReading = m_was;
}

bool IsIncompleteNumber(const QString& text)
{
    const QString t = text.trimmed();
    return t.isEmpty() || t == QStringLiteral("-") || t == QStringLiteral("+");
}

bool IsNumberField(const QLineEdit* edit)
{
    return edit && edit->property(kNumberFieldProperty).toBool();
}

QLineEdit* LastRejectedField()
{
    return RejectedField().data();
}

CUpDown::CUpDown(QLineEdit* buddy, QWidget* parent) : QWidget(parent), m_buddy(buddy)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 11);
        layout->addWidget(b);
    }
    if (!buddy->objectName().isEmpty()) {
        setObjectName(buddy->objectName() + QStringLiteral("UpDown"));
        m_up->setObjectName(objectName() + QStringLiteral("Up"));
        m_down->setObjectName(objectName() + QStringLiteral("Down"));
    }
    buddy->setProperty(kNumberFieldProperty, true);
    // The last number the edit held is where a click on text that is not a number starts.
    connect(buddy, &QLineEdit::textChanged, this, [this](const QString& text) {
        std::int32_t v = 0;
        if (ParseIntegerText(text, &v))
            m_pos = v;
    });
    connect(m_up, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void CUpDown::SetRange(int low, int high)
{
    m_low = low;
    m_high = high;
    m_pos = std::clamp(m_pos, std::min(low, high), std::max(low, high));
}

void CUpDown::StepBy(int steps)
{
    std::int32_t current = 0;
    if (ParseIntegerText(m_buddy->text(), &current))
        m_pos = current;
    const long long next = static_cast<long long>(m_pos) + steps;
    m_pos = static_cast<int>(std::clamp<long long>(next, std::min(m_low, m_high), std::max(m_low, m_high)));
    ShowInt(m_buddy, m_pos);
}

bool ParseIntegerText(const QString& text, std::int32_t* value)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i >= t.size())
        return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9')
            return false;
        v = v * 10 + (t[i].unicode() - u'0');
        if (v > static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return false;
    *value = static_cast<std::int32_t>(v);
    return true;
}

namespace {

bool FailOn(QLineEdit* edit, const QString& text)
{
    if (g_quietReading)
        return false;
    RejectedField() = edit;
    widget::ShowWindowPrompt(edit, text, QMessageBox::Warning);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    return false;
}

}  // namespace

bool ReadIntField(QLineEdit* edit, std::int32_t low, std::int32_t high, std::int32_t& value)
{
    std::int32_t v = 0;
    if (!ParseIntegerText(edit->text(), &v)) {
        return FailOn(edit, QCoreApplication::translate("IntegerField", "Please enter an integer."));
    }
    if (v < low || v > high) {
        return FailOn(edit, QCoreApplication::translate("IntegerField", "Please enter an integer between %1 and %2.")
                                .arg(low)
                                .arg(high));
    }
    value = v;
    return true;
}

bool ReadIntField(QLineEdit* edit, std::int32_t& value)
{
    return ReadIntField(edit, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                        value);
}

void ShowInt(QLineEdit* edit, std::int32_t value)
{
    const QString text = QString::number(value);
    if (edit->text() != text)
        edit->setText(text);
}

QLineEdit* MakeNumberEdit(const QString& name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(56);
    return e;
}

QHBoxLayout* EditWithUpDown(QLineEdit* edit, CUpDown* spin)
{
    auto* box = new QHBoxLayout;
    box->setSpacing(0);
    box->addWidget(edit);
    box->addWidget(spin);
    box->addStretch(1);
    return box;
}

}  // namespace snippo
