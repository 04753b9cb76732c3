#include "host/dialog.h"

#include "host/app.h"
#include "host/automation_error.h"
#include "host/prompt_service.h"

#include "platform/help/help.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace snippo {

DialogUnits::DialogUnits(const QFont& font)
{
    QFontMetrics metrics(font);
    static const QString kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    m_nBaseX = (metrics.horizontalAdvance(kAlphabet) / 26 + 1) / 2;
    m_nBaseY = metrics.height();
}

CDialog::CDialog(int idTemplate, QWidget* parent, const QString& title, int widthDlu, int heightDlu)
    : QDialog(parent), m_nIDTemplate(idTemplate), m_units(font())
{
    setWindowTitle(title);
    m_size = QSize(m_units.X(widthDlu), m_units.Y(heightDlu));
    setFixedSize(m_size);
}

int CDialog::DoModal()
{
    m_bInitialising = true;
    bool keepOpen = OnInitDialog();
    m_bInitialising = false;
    if (m_bEndedInInit || !keepOpen)
        return m_bEndedInInit ? m_nResult : QDialog::Rejected;

    const DialogResponder responder = CurrentDialogResponder();
    if (!responder)
        return exec();
    setResult(QDialog::Rejected);
    show();
    responder(*this);
    if (isVisible())
        EndDialog(QDialog::Rejected);
    return result();
}

void CDialog::EndDialog(int result)
{
    m_nResult = result;
    if (m_bInitialising) {
        m_bEndedInInit = true;
        return;
    }
    done(result);
}

void CDialog::reject()
{
    RunGuarded(this, [this] { OnCancel(); });
}

void CDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        if (CTessalyToolApp* app = CTessalyToolApp::Instance())
            app->WinHelp(HID_BASE_RESOURCE + static_cast<std::uint32_t>(m_nIDTemplate));
        return;
    }
    QDialog::keyPressEvent(event);
}

QLabel* CDialog::AddStatic(const QString& text, const QString& name, int w, int h)
{
    auto* label = new QLabel(text, this);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setMinimumSize(m_units.X(w), m_units.Y(h));
    return label;
}

QLineEdit* CDialog::AddEdit(const QString& name, int w, int h)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    FixSize(edit, w, h);
    return edit;
}

QPushButton* CDialog::AddButton(const QString& text, const QString& name, int w, int h)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    FixSize(button, w, h);
    return button;
}

void CDialog::FixSize(QWidget* control, int w, int h) const
{
    control->setFixedSize(m_units.X(w), m_units.Y(h));
}

CDialog::NameFields CDialog::AddNameFields(int labelWidth, int labelGap, int rowGap)
{
    NameFields fields{AddEdit("nameEdit", 78, 12), AddEdit("descriptionEdit", 78, 12), NewColumn()};
    auto addRow = [&](const QString& caption, const QString& name, QLineEdit* edit) {
        QHBoxLayout* row = NewRow();
        row->addWidget(AddStatic(caption, name, labelWidth));
        if (labelGap > 0)
            Gap(row, labelGap);
        row->addWidget(edit);
        fields.m_pColumn->addLayout(row);
    };
    addRow(tr("Name:"), "nameLabel", fields.m_pName);
    Gap(fields.m_pColumn, rowGap);
    addRow(tr("Description:"), "descriptionLabel", fields.m_pDescription);
    setTabOrder(fields.m_pName, fields.m_pDescription);
    return fields;
}

QListWidget* CDialog::AddTemplateList(int w, int h)
{
    auto* list = new QListWidget(this);
    list->setObjectName("templateList");
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    FixSize(list, w, h);
    return list;
}

QBoxLayout* CDialog::AddOkCancel(bool withCancel, bool stacked)
{
    QBoxLayout* box = stacked ? static_cast<QBoxLayout*>(NewColumn()) : NewRow();
    if (!stacked)
        box->addStretch();
    m_pOk = AddButton(tr("OK"), "okButton", 50, 14);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, [this] { RunGuarded(this, [this] { OnOK(); }); });
    box->addWidget(m_pOk);
    if (withCancel) {
        Gap(box, stacked ? 3 : 6);
        m_pCancel = AddButton(tr("Cancel"), "cancelButton", 50, 14);
        connect(m_pCancel, &QPushButton::clicked, this, [this] { reject(); });
        box->addWidget(m_pCancel);
    }
    if (stacked)
        box->addStretch();
    return box;
}

QHBoxLayout* CDialog::BesideOkCancel(QLayout* fields)
{
    QHBoxLayout* row = NewRow();
    row->addLayout(fields);
    row->addStretch();
    row->addLayout(AddOkCancel());
    return row;
}

QHBoxLayout* CDialog::NewRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->setContentsMargins(0, 0, 0, 0);
    return row;
}

QVBoxLayout* CDialog::NewColumn()
{
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    column->setContentsMargins(0, 0, 0, 0);
    return column;
}

void CDialog::Gap(QBoxLayout* box, int dlu) const
{
    bool across = box->direction() == QBoxLayout::LeftToRight || box->direction() == QBoxLayout::RightToLeft;
    box->addSpacing(across ? m_units.X(dlu) : m_units.Y(dlu));
}

void CDialog::SetDialogLayout(QBoxLayout* layout, int left, int top, int right, int bottom)
{
    layout->setContentsMargins(m_units.X(left), m_units.Y(top), m_units.X(right), m_units.Y(bottom));
    setLayout(layout);
    setFixedSize(m_size.expandedTo(layout->minimumSize()));
}

void CDialog::SetEditText(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}

}  // namespace snippo
