// The Rename dialog (the open widget's name and description) and the Get Local HTML dialog
// (the widget's preview path).
#pragma once

#include "host/dialog.h"

class QLineEdit;

namespace snippo {

class CDlgRename : public CDialog {
    Q_OBJECT
public:
    explicit CDlgRename(QWidget* parent);

    QString m_strName;
    QString m_strDescription;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QLineEdit* m_pName;
    QLineEdit* m_pDescription;
};

class CDlgGetLocalHtml : public CDialog {
    Q_OBJECT
public:
    explicit CDlgGetLocalHtml(QWidget* parent);

    QString m_strPreviewPath;

    // The edited path with forward slashes and a closing '/'; "" stays "".
    QString GetPreviewPath() const;
    static QString NormalisePreviewPath(const QString& path);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QLineEdit* m_pPath;
};

}  // namespace snippo
