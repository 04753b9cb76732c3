// The Web Browser dialog: the system's default browser, one of the known browsers, or a
// browser program the user names.
#pragma once

#include "host/dialog.h"

#include <QStringList>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace snippo {

class CDlgWebBrowser : public CDialog {
    Q_OBJECT
public:
    explicit CDlgWebBrowser(QWidget* parent);

    int m_nChoice = 0;       // 0 default browser, 1 known browser, 2 user's browser
    int m_nKnownIndex = -1;  // selected line of the known-browser list
    QString m_strPath;       // the user's browser program

    QStringList m_arrKnownNames;  // as listed

    // Presets from the program's settings (mode, known index, path).
    void Preset(int browserMode, int knownBrowser, const QString& browserPath);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void UpdateData(bool save);
    void OnBrowse();

    QRadioButton* m_pDefault;
    QRadioButton* m_pKnown;
    QRadioButton* m_pSpecified;
    QComboBox* m_pKnownList;
    QLineEdit* m_pPath;
};

}  // namespace snippo
