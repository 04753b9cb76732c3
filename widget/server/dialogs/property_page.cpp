#include "widget/server/dialogs/property_page.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "widget/editor/draw_view.h"
#include "widget/editor/editor_state.h"
#include "widget/server/dialogs/dlg_button_properties.h"
#include "widget/server/dialogs/int_edit.h"
#include "widget/server/dialogs/ui_services.h"

namespace snippo {

CPropertyPage::CPropertyPage(CDlgButtonProperties* owner, int index, const QString& caption, int templateId)
    : QWidget(nullptr), m_pOwner(owner), m_nIndex(index), m_strCaption(caption), m_nTemplate(templateId)
{
}

unsigned CPropertyPage::HelpContext() const
{
    return kHelpResourceBase + static_cast<unsigned>(m_nTemplate);
}

CAppletParameters* CPropertyPage::Params() const
{
    return m_pOwner->Params();
}

CDrawObj* CPropertyPage::SelectedObject() const
{
    CAppletParameters* params = Params();
    if (!params || params->m_listSelection.size() != 1)
        return nullptr;
    return params->m_listSelection.front();
}

CDrawView* CPropertyPage::View() const
{
    return m_pOwner->View();
}

void CPropertyPage::RefreshEditor() const
{
    if (CDrawView* view = View())
        view->Refresh(RefreshHint::All);
}

void CPropertyPage::OnInitDialog()
{
    m_bInitialised = true;
}

void CPropertyPage::OnSetActive()
{
    RememberedPages& pages = SharedPages();
    if (m_nIndex >= kPageAppletParameters)
        pages.appletPage = m_nIndex;
    else
        pages.buttonPage = m_nIndex;
    RefreshEditor();
    Load();
}

bool CPropertyPage::OnKillActive()
{
    return FinishEditing();
}

bool CPropertyPage::FinishEditing()
{
    if (!m_bInitialised || m_bLoading || m_bFinishing || m_pOwner->IsEnding())
        return true;
    m_bFinishing = true;
    // A number only begun is no entry: the field shows the stored value again.
    const bool begun = std::any_of(m_numberEdits.begin(), m_numberEdits.end(),
                                   [](const QPointer<QLineEdit>& e) { return e && IsIncompleteNumber(e->text()); });
    if (begun)
        Load();
    m_bLoading = true;
    const bool valid = ApplyPage();  // aloud: a bad number is reported here
    m_bLoading = false;
    if (!valid) {
        // What was applied while the bad number was typed is taken back: the model keeps the
        // value the field had when its editing began. The field keeps the text to be mended.
        QLineEdit* bad = LastRejectedField();
        const auto start = bad ? m_editStart.constFind(bad) : m_editStart.constEnd();
        if (start != m_editStart.constEnd()) {
            const QString typed = bad->text();
            WithoutApply([bad, &start] { bad->setText(*start); });
            Apply();
            WithoutApply([bad, &typed] {
                bad->setText(typed);
                bad->selectAll();
            });
        }
    }
    m_bFinishing = false;
    return valid;
}

bool CPropertyPage::eventFilter(QObject* watched, QEvent* event)
{
    // The focus that a rejected field gets back is no new beginning of its editing.
    if (event->type() == QEvent::FocusIn && !m_bFinishing)
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            m_editStart.insert(edit, edit->text());
    return QWidget::eventFilter(watched, event);
}

void CPropertyPage::Load()
{
    if (!m_bInitialised || m_bLoading)
        return;
    m_bLoading = true;
    LoadPage();
    m_bLoading = false;
}

bool CPropertyPage::Apply()
{
    if (!m_bInitialised || m_bLoading)
        return true;
    QuietIntReading quiet;
    // What the page writes can come back as a reload (the editor window follows the applet
    // size); the fields the user is typing in must not be overwritten by it.
    m_bLoading = true;
    const bool valid = ApplyPage();
    m_bLoading = false;
    return valid;
}

void CPropertyPage::WithoutApply(const std::function<void()>& show)
{
    const bool was = m_bLoading;
    m_bLoading = true;
    show();
    m_bLoading = was;
}

void CPropertyPage::ApplyOn(QLineEdit* edit)
{
    connect(edit, &QLineEdit::textChanged, this, [this] { Apply(); });
    if (!IsNumberField(edit))
        return;
    m_numberEdits.emplace_back(edit);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::editingFinished, this, [this] { FinishEditing(); });
}

void CPropertyPage::ApplyOn(QComboBox* combo)
{
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { Apply(); });
    if (combo->isEditable())
        connect(combo, &QComboBox::editTextChanged, this, [this] { Apply(); });
}

void CPropertyPage::ApplyOn(QPlainTextEdit* edit)
{
    connect(edit, &QPlainTextEdit::textChanged, this, [this] { Apply(); });
}

void CPropertyPage::ApplyOn(QAbstractButton* button)
{
    connect(button, &QAbstractButton::clicked, this, [this] { Apply(); });
}

void CPropertyPage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ShowDialogHelp(HelpContext());
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString ModelToEditText(const std::string& text)
{
    QString t = QString::fromStdString(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

std::string EditToModelText(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return t.toStdString();
}

QLabel* MakeLabel(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    if (buddy) {
        label->setBuddy(buddy);
        if (!buddy->objectName().isEmpty())
            label->setObjectName(buddy->objectName() + QStringLiteral("Label"));
    }
    return label;
}

}  // namespace snippo
