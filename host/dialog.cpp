#include "host/dialog.h"

#include "host/app.h"
#include "host/automation_error.h"
#include "host/prompts.h"

#include "platform/help/help.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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
    setFixedSize(m_units.X(widthDlu), m_units.Y(heightDlu));
}

int CDialog::DoModal()
{
    m_bInitialising = true;
    bool keepOpen = OnInitDialog();
    m_bInitialising = false;
    if (m_bEndedInInit || !keepOpen)
        return m_bEndedInInit ? m_nResult : QDialog::Rejected;

    if (!CPrompts::IsArmed()) {
        int result = exec();
        return result;
    }
    auto driver = CPrompts::TakeDialogDriver();
    CPrompts::RecordDialog(windowTitle(), objectName(), static_cast<bool>(driver));
    setResult(QDialog::Rejected);
    show();
    if (driver)
        driver(*this);
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

QLabel* CDialog::AddStatic(const QString& text, int x, int y, int w, int h, const QString& name)
{
    auto* label = new QLabel(text, this);
    if (!name.isEmpty())
        label->setObjectName(name);
    Place(label, x, y, w, h);
    return label;
}

QLineEdit* CDialog::AddEdit(const QString& name, int x, int y, int w, int h)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    Place(edit, x, y, w, h);
    return edit;
}

QPushButton* CDialog::AddButton(const QString& text, const QString& name, int x, int y, int w, int h)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    Place(button, x, y, w, h);
    return button;
}

void CDialog::AddOkCancel(int x, int y, bool withCancel, bool stacked)
{
    m_pOk = AddButton("OK", "okButton", x, y, 50, 14);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, [this] { RunGuarded(this, [this] { OnOK(); }); });
    if (withCancel) {
        m_pCancel = stacked ? AddButton("Cancel", "cancelButton", x, y + 17, 50, 14)
                            : AddButton("Cancel", "cancelButton", x + 56, y, 50, 14);
        connect(m_pCancel, &QPushButton::clicked, this, [this] { reject(); });
    }
}

void CDialog::SetEditText(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}

void CDialog::Place(QWidget* control, int x, int y, int w, int h)
{
    control->setGeometry(m_units.Rect(x, y, w, h));
}

}  // namespace snippo
