#include "host/dlg_rename.h"

#include "host/names.h"
#include "host/resource.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace snippo {

CDlgRename::CDlgRename(QWidget* parent) : CDialog(res::IDD_RENAME, parent, tr("Rename"), 191, 68)
{
    setObjectName("dlgRename");
    const NameFields names = AddNameFields(44, 1, 6);
    m_pName = names.m_pName;
    m_pDescription = names.m_pDescription;
    QVBoxLayout* fields = names.m_pColumn;
    fields->addStretch();
    SetDialogLayout(BesideOkCancel(fields));
}

bool CDlgRename::OnInitDialog()
{
    SetEditText(m_pName, m_strName);
    SetEditText(m_pDescription, m_strDescription);
    m_pName->setFocus();
    m_pName->selectAll();
    return true;
}

void CDlgRename::OnOK()
{
    m_strName = m_pName->text();
    m_strDescription = m_pDescription->text();
    if (!CheckName(this, m_strName, text::kInvalidWidgetName))
        return;
    EndDialog(QDialog::Accepted);
}

CDlgGetLocalHtml::CDlgGetLocalHtml(QWidget* parent)
    : CDialog(res::IDD_GET_LOCAL_HTML, parent, tr("Get Local HTML"), 186, 63)
{
    setObjectName("dlgGetLocalHtml");
    m_pPath = AddEdit("previewPathEdit", 172, 12);
    QVBoxLayout* dialog = NewColumn();
    dialog->addWidget(AddStatic(tr("Current Preview Path:"), "previewPathLabel", 120, 8), 0, Qt::AlignLeft);
    Gap(dialog, 3);
    dialog->addWidget(m_pPath);
    dialog->addStretch();
    dialog->addLayout(AddOkCancel(true, false));
    SetDialogLayout(dialog);
}

bool CDlgGetLocalHtml::OnInitDialog()
{
    SetEditText(m_pPath, m_strPreviewPath);
    return true;
}

void CDlgGetLocalHtml::OnOK()
{
    m_strPreviewPath = m_pPath->text();
    EndDialog(QDialog::Accepted);
}

QString CDlgGetLocalHtml::NormalisePreviewPath(const QString& path)
{
    if (path.isEmpty())
        return path;
    QString result = path;
    result.replace('\\', '/');
    if (!result.endsWith('/'))
        result += '/';
    return result;
}

QString CDlgGetLocalHtml::GetPreviewPath() const
{
    return NormalisePreviewPath(m_strPreviewPath);
}

}  // namespace snippo
