// The Manage Templates dialog: rename and delete the templates of this widget kind. Every
// change happens on disk at once; the dialog has no Cancel.
#pragma once

#include "host/dialog.h"
#include "host/snippo.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace snippo {

class CDlgManageTemplates : public CDialog {
    Q_OBJECT
public:
    explicit CDlgManageTemplates(QWidget* parent);

    QString m_strName;
    QString m_strDescription;
    int m_nSelect = -1;

    QList<CTemplateEntry> m_arrTemplates;  // as listed, in the list's order

protected:
    bool OnInitDialog() override;

private:
    void UpdateData(bool save);
    void OnSelChange();
    void OnDelete();
    void OnRename();
    // Name and description of the selected template, or empty fields when none is selected.
    void ShowSelected();

    CSnippo m_snippo;
    QListWidget* m_pList;
    QLineEdit* m_pName;
    QLineEdit* m_pDescription;
    QPushButton* m_pRename;
    QPushButton* m_pDelete;
};

}  // namespace snippo
