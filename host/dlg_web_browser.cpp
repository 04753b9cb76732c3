#include "host/dlg_web_browser.h"

#include "host/known_browsers.h"
#include "host/prompts.h"
#include "host/resource.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace snippo {

CDlgWebBrowser::CDlgWebBrowser(QWidget* parent) : CDialog(res::IDD_WEB_BROWSER, parent, "Web Browser", 228, 124)
{
    setObjectName("dlgWebBrowser");
    auto* group = new QGroupBox("Web Browser", this);
    group->setObjectName("browserGroup");
    Place(group, 7, 7, 158, 110);
    m_pDefault = new QRadioButton("Use default browser", this);
    m_pDefault->setObjectName("useDefaultRadio");
    Place(m_pDefault, 15, 20, 140, 10);
    m_pKnown = new QRadioButton("Choose from known browsers", this);
    m_pKnown->setObjectName("knownBrowsersRadio");
    Place(m_pKnown, 15, 36, 140, 10);
    m_pKnownList = new QComboBox(this);
    m_pKnownList->setObjectName("knownBrowserList");
    Place(m_pKnownList, 27, 49, 128, 13);
    m_pSpecified = new QRadioButton("User specified browser", this);
    m_pSpecified->setObjectName("userBrowserRadio");
    Place(m_pSpecified, 15, 68, 140, 10);
    AddStatic("Execute File:", 27, 83, 80, 8, "executeFileLabel");
    m_pPath = AddEdit("browserPathEdit", 27, 93, 108, 12);
    QPushButton* browse = AddButton("...", "browseButton", 138, 93, 18, 12);
    AddOkCancel(171, 7);
    auto* radios = new QButtonGroup(this);
    radios->addButton(m_pDefault, 0);
    radios->addButton(m_pKnown, 1);
    radios->addButton(m_pSpecified, 2);
    connect(browse, &QPushButton::clicked, this, [this] { OnBrowse(); });
}

void CDlgWebBrowser::Preset(int browserMode, int knownBrowser, const std::string& browserPath)
{
    m_nChoice = browserMode == 1 ? 0 : browserMode == 0 ? 2 : 1;
    m_nKnownIndex = knownBrowser;
    m_strPath = QString::fromStdString(browserPath);
}

void CDlgWebBrowser::UpdateData(bool save)
{
    if (save) {
        m_nChoice = m_pDefault->isChecked() ? 0 : m_pKnown->isChecked() ? 1 : m_pSpecified->isChecked() ? 2 : -1;
        m_nKnownIndex = m_pKnownList->currentIndex();
        m_strPath = m_pPath->text();
    } else {
        m_pDefault->setChecked(m_nChoice == 0);
        m_pKnown->setChecked(m_nChoice == 1);
        m_pSpecified->setChecked(m_nChoice == 2);
        m_pKnownList->setCurrentIndex(m_nKnownIndex >= 0 && m_nKnownIndex < m_pKnownList->count() ? m_nKnownIndex : -1);
        SetEditText(m_pPath, m_strPath);
    }
}

bool CDlgWebBrowser::OnInitDialog()
{
    CKnownBrowsers known;
    m_arrKnownNames = known.m_arrNames;
    for (const std::string& name : known.m_arrNames)
        m_pKnownList->addItem(QString::fromStdString(name));
    UpdateData(false);
    return true;
}

void CDlgWebBrowser::OnBrowse()
{
    UpdateData(true);
    QString file = CPrompts::GetExecutableFileName(this, "Open", "Web Browser(*.EXE) | *.EXE");
    if (file.isEmpty())
        return;
    m_strPath = file;
    UpdateData(false);
}

void CDlgWebBrowser::OnOK()
{
    UpdateData(true);
    if (m_nChoice == 2 && m_strPath.isEmpty()) {
        CPrompts::MessageBox(this, "You must specify the web browser's execute file!");
        return;
    }
    EndDialog(QDialog::Accepted);
}

}  // namespace snippo
