#include "host/dlg_manage_templates.h"

#include "host/automation_error.h"
#include "host/names.h"
#include "host/prompt_service.h"
#include "host/resource.h"

#include <QBoxLayout>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace snippo {

CDlgManageTemplates::CDlgManageTemplates(QWidget* parent)
    : CDialog(res::IDD_MANAGE_TEMPLATES, parent, tr("Manage Templates"), 207, 151)
{
    setObjectName("dlgManageTemplates");
    m_pList = AddTemplateList(100, 127);
    m_pName = AddEdit("nameEdit", 86, 12);
    m_pDescription = AddEdit("descriptionEdit", 86, 12);
    m_pRename = AddButton(tr("Rename"), "renameButton", 50, 14);
    m_pDelete = AddButton(tr("Delete"), "deleteButton", 50, 14);

    QVBoxLayout* fields = NewColumn();
    fields->addWidget(AddStatic(tr("Name:"), "nameLabel", 60, 8), 0, Qt::AlignLeft);
    Gap(fields, 2);
    fields->addWidget(m_pName);
    Gap(fields, 6);
    fields->addWidget(AddStatic(tr("Description:"), "descriptionLabel", 60, 8), 0, Qt::AlignLeft);
    Gap(fields, 2);
    fields->addWidget(m_pDescription);
    Gap(fields, 11);
    fields->addWidget(m_pRename);
    Gap(fields, 4);
    fields->addWidget(m_pDelete);
    fields->addStretch();
    fields->addLayout(AddOkCancel(false, false));
    QHBoxLayout* columns = NewRow();
    columns->addWidget(m_pList);
    Gap(columns, 7);
    columns->addLayout(fields);
    QVBoxLayout* dialog = NewColumn();
    dialog->addWidget(AddStatic(tr("Templates List:"), "templateListLabel", 90, 8), 0, Qt::AlignLeft);
    Gap(dialog, 2);
    dialog->addLayout(columns);
    SetDialogLayout(dialog);

    connect(m_pList, &QListWidget::itemSelectionChanged, this, [this] { OnSelChange(); });
    connect(m_pRename, &QPushButton::clicked, this, [this] { RunGuarded(this, [this] { OnRename(); }); });
    connect(m_pDelete, &QPushButton::clicked, this, [this] { RunGuarded(this, [this] { OnDelete(); }); });
}

void CDlgManageTemplates::UpdateData(bool save)
{
    if (save) {
        m_strName = m_pName->text();
        m_strDescription = m_pDescription->text();
        const QList<QListWidgetItem*> selected = m_pList->selectedItems();
        m_nSelect = selected.isEmpty() ? -1 : m_pList->row(selected.front());
    } else {
        const QSignalBlocker blocker(m_pList);
        SetEditText(m_pName, m_strName);
        SetEditText(m_pDescription, m_strDescription);
        m_pList->clearSelection();
        if (m_nSelect >= 0 && m_nSelect < m_pList->count())
            m_pList->setCurrentRow(m_nSelect);
    }
}

bool CDlgManageTemplates::OnInitDialog()
{
    if (!m_snippo.CreateDispatch(text::kProgID)) {
        AskUser(this, tr("Manage templates failure!"));
        EndDialog(QDialog::Rejected);
        return false;
    }
    m_arrTemplates = m_snippo.ListTemplates();
    {
        const QSignalBlocker blocker(m_pList);
        for (const CTemplateEntry& entry : m_arrTemplates)
            m_pList->addItem(entry.m_strName);
    }
    if (!m_arrTemplates.isEmpty())
        m_nSelect = 0;
    ShowSelected();
    return true;
}

void CDlgManageTemplates::ShowSelected()
{
    if (m_nSelect >= 0 && m_nSelect < m_arrTemplates.size()) {
        m_strName = m_pList->item(m_nSelect)->text();
        m_strDescription = m_arrTemplates[m_nSelect].m_strDescription;
    } else {
        m_strName.clear();
        m_strDescription.clear();
    }
    UpdateData(false);
}

void CDlgManageTemplates::OnSelChange()
{
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    int row = selected.isEmpty() ? -1 : m_pList->row(selected.front());
    if (row == m_nSelect || row < 0)
        return;
    m_nSelect = row;
    ShowSelected();
}

void CDlgManageTemplates::OnDelete()
{
    UpdateData(true);
    if (m_nSelect < 0) {
        AskUser(this, tr("Please select a template first!"));
        return;
    }
    QString question = tr("Are you sure to delete \"%1\" template?").arg(m_arrTemplates[m_nSelect].m_strName);
    if (AskUser(this, question, QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    // The entry goes only with its file: the list shows what the folder holds.
    const QString path = m_arrTemplates[m_nSelect].m_strPath;
    if (!QFile::remove(path) && QFileInfo(path).exists()) {
        AskUser(this, tr("Delete Failure!"));
        return;
    }
    m_arrTemplates.removeAt(m_nSelect);
    {
        const QSignalBlocker blocker(m_pList);
        delete m_pList->takeItem(m_nSelect);
    }
    if (m_nSelect >= m_pList->count())
        m_nSelect = m_pList->count() - 1;
    ShowSelected();
}

void CDlgManageTemplates::OnRename()
{
    UpdateData(true);
    if (m_nSelect < 0) {
        AskUser(this, tr("Please select a template first!"));
        return;
    }
    if (!CheckName(this, m_strName, text::kInvalidTemplateName))
        return;
    CTemplateEntry& entry = m_arrTemplates[m_nSelect];
    const QString newPath = m_snippo.TemplatePath(m_strName);
    if (QFileInfo::exists(newPath)) {
        AskUser(this, tr("The %1 template has been there,please give a new name!").arg(m_strName));
        return;
    }
    QString question = tr("Are you sure to rename \"%1\" template to \"%2\"?").arg(entry.m_strName, m_strName);
    if (AskUser(this, question, QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    // A fresh widget reads the file, so the template keeps nothing of another one.
    if (!m_snippo.Renew() || !m_snippo.ReadConfigFile(entry.m_strPath)) {
        AskUser(this, tr("Rename Failure!"));
        return;
    }
    m_snippo.SetTitle(m_strName);
    m_snippo.SetDescription(m_strDescription);
    if (!m_snippo.WriteConfigFile(newPath)) {
        AskUser(this, tr("Rename Failure!"));
        return;
    }
    QFile::remove(entry.m_strPath);
    entry = {m_strName, m_strDescription, newPath};
    {
        const QSignalBlocker blocker(m_pList);
        for (int row = m_pList->count() - 1; row >= 0; --row)
            delete m_pList->takeItem(row);
        for (const CTemplateEntry& each : m_arrTemplates)
            m_pList->addItem(each.m_strName);
    }
    UpdateData(false);
}

}  // namespace snippo
