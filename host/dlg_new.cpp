#include "host/dlg_new.h"

#include "host/automation_error.h"
#include "host/names.h"
#include "host/resource.h"

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
    : CDialog(res::IDD_NEW, parent, "New ", 191, 170), m_pDocumentWidget(documentWidget)
{
    setObjectName("dlgNew");
    AddStatic("Name:", 7, 9, 42, 8, "nameLabel");
    m_pName = AddEdit("nameEdit", 52, 7, 78, 12);
    AddStatic("Description:", 7, 25, 44, 8, "descriptionLabel");
    m_pDescription = AddEdit("descriptionEdit", 52, 23, 78, 12);
    AddStatic("Select a Template:", 7, 42, 100, 8, "templateListLabel");
    m_pList = new QListWidget(this);
    m_pList->setObjectName("templateList");
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    Place(m_pList, 7, 52, 123, 78);
    m_pTemplateDescription = AddStatic("", 7, 134, 177, 29, "templateDescription");
    m_pTemplateDescription->setWordWrap(true);
    m_pTemplateDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    AddOkCancel(134, 7);
    setTabOrder(m_pName, m_pDescription);
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
    m_strName = QString::fromStdString(m_snippo.GetTitle());
    m_strDescription = QString::fromStdString(m_snippo.GetDescription());
    m_snippo.ListTemplates(m_arrNames, m_arrDescriptions, m_arrPaths);
    const QSignalBlocker blocker(m_pList);
    for (const std::string& name : m_arrNames)
        m_pList->addItem(QString::fromStdString(name));
    if (!m_arrNames.empty()) {
        m_nSelect = 0;
        m_pTemplateDescription->setText(QString::fromStdString(m_arrDescriptions[0]));
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
    m_pTemplateDescription->setText(row >= 0 ? QString::fromStdString(m_arrDescriptions[static_cast<std::size_t>(row)])
                                             : QString());
    m_nSelect = row;
}

void CDlgNew::OnOK()
{
    UpdateData(true);
    if (!CheckName(this, m_strName, text::kInvalidWidgetName))
        return;
    if (m_nSelect >= 0 && m_nSelect < static_cast<int>(m_arrPaths.size()))
        m_pDocumentWidget->ReadConfigFile(m_arrPaths[static_cast<std::size_t>(m_nSelect)]);
    m_pDocumentWidget->SetTitle(m_strName.toStdString());
    m_pDocumentWidget->SetDescription(m_strDescription.toStdString());
    m_pDocumentWidget->SetPreviewPath("");
    EndDialog(QDialog::Accepted);
}

}  // namespace snippo
