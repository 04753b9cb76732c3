#include "host/dlg_new.h"

#include "host/automation_error.h"
#include "host/names.h"
#include "host/resource.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace snippo {

namespace {

int selectedRow(QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

}  // namespace

CDlgNew::CDlgNew(QWidget* parent, CSnippo* documentWidget)
    : CDialog(res::IDD_NEW, parent, tr("New "), 191, 170), m_pDocumentWidget(documentWidget)
{
    setObjectName("dlgNew");
    const NameFields names = AddNameFields(45, 0, 4);
    m_pName = names.m_pName;
    m_pDescription = names.m_pDescription;
    m_pList = AddTemplateList(123, 78);
    m_pTemplateDescription = AddStatic("", "templateDescription", 177, 29);
    m_pTemplateDescription->setWordWrap(true);
    m_pTemplateDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QVBoxLayout* fields = names.m_pColumn;
    Gap(fields, 7);
    fields->addWidget(AddStatic(tr("Select a Template:"), "templateListLabel", 100, 8), 0, Qt::AlignLeft);
    Gap(fields, 2);
    fields->addWidget(m_pList);
    QVBoxLayout* dialog = NewColumn();
    dialog->addLayout(BesideOkCancel(fields));
    Gap(dialog, 4);
    dialog->addWidget(m_pTemplateDescription);
    dialog->addStretch();
    SetDialogLayout(dialog);

    setTabOrder(m_pDescription, m_pList);
    connect(m_pList, &QListWidget::itemSelectionChanged, this, [this] { OnSelChange(); });
}

void CDlgNew::UpdateData(bool save)
{
    if (save) {
        m_strName = m_pName->text();
        m_strDescription = m_pDescription->text();
        m_nSelect = selectedRow(m_pList);
    } else {
        SetEditText(m_pName, m_strName);
        SetEditText(m_pDescription, m_strDescription);
        m_pList->clearSelection();
        if (m_nSelect >= 0 && m_nSelect < m_pList->count())
            m_pList->setCurrentRow(m_nSelect);
    }
}

bool CDlgNew::OnInitDialog()
{
    if (!m_snippo.CreateDispatch(text::kProgID)) {
        EndDialog(QDialog::Rejected);
        return false;
    }
    m_strName = m_snippo.GetTitle();
    m_strDescription = m_snippo.GetDescription();
    m_arrTemplates = m_snippo.ListTemplates();
    const QSignalBlocker blocker(m_pList);
    for (const CTemplateEntry& entry : m_arrTemplates)
        m_pList->addItem(entry.m_strName);
    if (!m_arrTemplates.isEmpty()) {
        m_nSelect = 0;
        m_pTemplateDescription->setText(m_arrTemplates.front().m_strDescription);
    }
    UpdateData(false);
    // The preset name is selected, so that typing replaces it.
    m_pName->setFocus();
    m_pName->selectAll();
    return true;
}

void CDlgNew::OnSelChange()
{
    int row = selectedRow(m_pList);
    if (row == m_nSelect)
        return;
    m_pTemplateDescription->setText(row >= 0 ? m_arrTemplates[row].m_strDescription : QString());
    m_nSelect = row;
}

void CDlgNew::OnOK()
{
    UpdateData(true);
    if (!CheckName(this, m_strName, text::kInvalidWidgetName))
        return;
    if (m_nSelect >= 0 && m_nSelect < m_arrTemplates.size())
        m_pDocumentWidget->ReadConfigFile(m_arrTemplates[m_nSelect].m_strPath);
    m_pDocumentWidget->SetTitle(m_strName);
    m_pDocumentWidget->SetDescription(m_strDescription);
    m_pDocumentWidget->SetPreviewPath("");
    EndDialog(QDialog::Accepted);
}

}  // namespace snippo
