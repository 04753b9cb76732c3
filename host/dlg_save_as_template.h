// The Save as Template dialog: the template's name and description, the file it will be
// written to, and the existing templates of this widget kind for information.
#pragma once

#include "host/dialog.h"
#include "host/snippo.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace snippo {

class CDlgSaveAsTemplate : public CDialog {
    Q_OBJECT
public:
    explicit CDlgSaveAsTemplate(QWidget* parent);

    QString m_strName;         // preset by the caller
    QString m_strDescription;  // preset by the caller
    QString m_strTargetPath;   // template folder + "/" + name + "_" + identifier + ".qwd"

    // The target path for `name` ("" gives the folder and a '/').
    QString TargetPath(const QString& name) const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void UpdateData(bool save);
    void OnChangeName();

    CSnippo m_snippo;  // private proxy: template folder, identifier, listing
    QLineEdit* m_pName;
    QLineEdit* m_pDescription;
    QLabel* m_pTarget;
    QListWidget* m_pList;
};

}  // namespace snippo
