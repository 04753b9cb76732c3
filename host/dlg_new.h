// The New dialog: the name and description of a new widget, and a template to start from.
// It lists the templates with a private proxy, so that reading them leaves the document's
// widget alone; on OK the document's widget reads the chosen template and takes the name.
#pragma once

#include "host/dialog.h"
#include "host/snippo.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace snippo {

class CDlgNew : public CDialog {
    Q_OBJECT
public:
    CDlgNew(QWidget* parent, CSnippo* documentWidget);

    QString m_strName;
    QString m_strDescription;
    int m_nSelect = -1;  // chosen template, -1 for none

    QList<CTemplateEntry> m_arrTemplates;  // as listed, in the list's order

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void UpdateData(bool save);
    void OnSelChange();

    CSnippo* m_pDocumentWidget;
    CSnippo m_snippo;  // private proxy for listing
    QLineEdit* m_pName;
    QLineEdit* m_pDescription;
    QListWidget* m_pList;
    QLabel* m_pTemplateDescription;
};

}  // namespace snippo
