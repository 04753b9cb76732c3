#include "host/dlg_save_as_template.h"

#include "host/automation_error.h"
#include "host/names.h"
#include "host/prompts.h"
#include "host/resource.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace snippo {

CDlgSaveAsTemplate::CDlgSaveAsTemplate(QWidget* parent)
    : CDialog(res::IDD_SAVE_AS_TEMPLATE, parent, "Save as Template", 190, 150)
{
    setObjectName("dlgSaveAsTemplate");
    AddStatic("Name:", 7, 9, 40, 8, "nameLabel");
    m_pName = AddEdit("nameEdit", 50, 7, 78, 12);
    AddStatic("Description:", 7, 25, 42, 8, "descriptionLabel");
    m_pDescription = AddEdit("descriptionEdit", 50, 23, 78, 12);
    AddStatic("Widget's parameters will stored in:", 7, 42, 150, 8, "targetPathLabel");
    m_pTarget = AddStatic("", 7, 52, 176, 22, "targetPath");
    m_pTarget->setWordWrap(true);
    m_pTarget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pTarget->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    AddStatic("Existing Templates:", 7, 79, 100, 8, "templateListLabel");
    m_pList = new QListWidget(this);
    m_pList->setObjectName("templateList");
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    Place(m_pList, 7, 89, 121, 54);
    AddOkCancel(133, 7);
    setTabOrder(m_pName, m_pDescription);
    connect(m_pName, &QLineEdit::textChanged, this, [this] { RunGuarded(this, [this] { OnChangeName(); }); });
}

QString CDlgSaveAsTemplate::TargetPath(const QString& name) const
{
    QString folder = QString::fromStdString(m_snippo.m_strServerFolder) + "/";
    if (name.isEmpty())
        return folder;
    return folder + name + "_" + QString::fromStdString(m_snippo.m_strProgID) + "." + text::kTemplateExtension;
}

void CDlgSaveAsTemplate::UpdateData(bool save)
{
    if (save) {
        m_strName = m_pName->text();
        m_strDescription = m_pDescription->text();
    } else {
        const QSignalBlocker blocker(m_pName);   // showing the fields is no edit
        SetEditText(m_pName, m_strName);
        SetEditText(m_pDescription, m_strDescription);
        m_pTarget->setText(m_strTargetPath);
    }
}

bool CDlgSaveAsTemplate::OnInitDialog()
{
    if (!m_snippo.CreateDispatch(text::kProgID)) {
        CPrompts::MessageBox(this, "Save as template failure!");
        EndDialog(QDialog::Rejected);
        return false;
    }
    m_strTargetPath = TargetPath(m_strName);
    std::vector<std::string> names, descriptions, paths;
    m_snippo.ListTemplates(names, descriptions, paths);
    for (const std::string& name : names)
        m_pList->addItem(QString::fromStdString(name));
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
        CPrompts::MessageBox(this, m_strTargetPath + " is already exist.Please enter a new template name.\n");
        return;
    }
    EndDialog(QDialog::Accepted);
}

}  // namespace snippo
