#include "host/dlg_save_as_template.h"

#include "host/automation_error.h"
#include "host/names.h"
#include "host/prompt_service.h"
#include "host/resource.h"

#include <QBoxLayout>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace snippo {

CDlgSaveAsTemplate::CDlgSaveAsTemplate(QWidget* parent)
    : CDialog(res::IDD_SAVE_AS_TEMPLATE, parent, tr("Save as Template"), 190, 150)
{
    setObjectName("dlgSaveAsTemplate");
    const NameFields names = AddNameFields(43, 0, 4);
    m_pName = names.m_pName;
    m_pDescription = names.m_pDescription;
    m_pTarget = AddStatic("", "targetPath", 176, 22);
    m_pTarget->setWordWrap(true);
    m_pTarget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pTarget->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pList = AddTemplateList(121, 54);

    QVBoxLayout* fields = names.m_pColumn;
    fields->addStretch();
    QVBoxLayout* dialog = NewColumn();
    dialog->addLayout(BesideOkCancel(fields));
    Gap(dialog, 4);
    dialog->addWidget(AddStatic(tr("Widget's parameters will stored in:"), "targetPathLabel", 150, 8), 0,
                      Qt::AlignLeft);
    Gap(dialog, 2);
    dialog->addWidget(m_pTarget);
    Gap(dialog, 5);
    dialog->addWidget(AddStatic(tr("Existing Templates:"), "templateListLabel", 100, 8), 0, Qt::AlignLeft);
    Gap(dialog, 2);
    dialog->addWidget(m_pList, 0, Qt::AlignLeft);
    dialog->addStretch();
    SetDialogLayout(dialog);

    connect(m_pName, &QLineEdit::textChanged, this, [this] { RunGuarded(this, [this] { OnChangeName(); }); });
}

QString CDlgSaveAsTemplate::TargetPath(const QString& name) const
{
    return m_snippo.TemplatePath(name);
}

void CDlgSaveAsTemplate::UpdateData(bool save)
{
    if (save) {
        m_strName = m_pName->text();
        m_strDescription = m_pDescription->text();
    } else {
        const QSignalBlocker blocker(m_pName);  // showing the fields is no edit
        SetEditText(m_pName, m_strName);
        SetEditText(m_pDescription, m_strDescription);
        m_pTarget->setText(m_strTargetPath);
    }
}

bool CDlgSaveAsTemplate::OnInitDialog()
{
    if (!m_snippo.CreateDispatch(text::kProgID)) {
        AskUser(this, tr("Save as template failure!"));
        EndDialog(QDialog::Rejected);
        return false;
    }
    m_strTargetPath = TargetPath(m_strName);
    for (const CTemplateEntry& entry : m_snippo.ListTemplates())
        m_pList->addItem(entry.m_strName);
    UpdateData(false);
    return true;
}

void CDlgSaveAsTemplate::OnChangeName()
{
    UpdateData(true);
    m_strTargetPath = TargetPath(m_strName);
    m_pTarget->setText(m_strTargetPath);
}

void CDlgSaveAsTemplate::OnOK()
{
    UpdateData(true);
    m_strTargetPath = TargetPath(m_strName);
    if (!CheckName(this, m_strName, text::kInvalidTemplateName))
        return;
    if (QFileInfo::exists(m_strTargetPath)) {
        AskUser(this, tr("%1 is already exist.Please enter a new template name.\n").arg(m_strTargetPath));
        return;
    }
    EndDialog(QDialog::Accepted);
}

}  // namespace snippo
