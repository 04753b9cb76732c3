#include "host/dlg_rename.h"

#include "host/names.h"
#include "host/resource.h"

#include <QLineEdit>

namespace snippo {

CDlgRename::CDlgRename(QWidget* parent) : CDialog(res::IDD_RENAME, parent, "Rename", 191, 68)
{
    setObjectName("dlgRename");
    AddStatic("Name:", 7, 9, 44, 8, "nameLabel");
    m_pName = AddEdit("nameEdit", 52, 7, 78, 12);
    AddStatic("Description:", 7, 27, 44, 8, "descriptionLabel");
    m_pDescription = AddEdit("descriptionEdit", 52, 25, 78, 12);
    AddOkCancel(134, 7);
    setTabOrder(m_pName, m_pDescription);
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
    : CDialog(res::IDD_GET_LOCAL_HTML, parent, "Get Local HTML", 186, 63)
{
    setObjectName("dlgGetLocalHtml");
    AddStatic("Current Preview Path:", 7, 7, 120, 8, "previewPathLabel");
    m_pPath = AddEdit("previewPathEdit", 7, 18, 172, 12);
    AddOkCancel(73, 42, true, false);
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
