#include "host/dlg_web_browser.h"

#include "host/known_browsers.h"
#include "host/prompt_service.h"
#include "host/resource.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace snippo {

CDlgWebBrowser::CDlgWebBrowser(QWidget* parent) : CDialog(res::IDD_WEB_BROWSER, parent, tr("Web Browser"), 228, 124)
{
    setObjectName("dlgWebBrowser");
    auto* group = new QGroupBox(tr("Web Browser"), this);
    group->setObjectName("browserGroup");
    FixSize(group, 158, 110);
    m_pDefault = new QRadioButton(tr("Use default browser"), group);
    m_pDefault->setObjectName("useDefaultRadio");
    FixSize(m_pDefault, 140, 10);
    m_pKnown = new QRadioButton(tr("Choose from known browsers"), group);
    m_pKnown->setObjectName("knownBrowsersRadio");
    FixSize(m_pKnown, 140, 10);
    m_pKnownList = new QComboBox(group);
    m_pKnownList->setObjectName("knownBrowserList");
    FixSize(m_pKnownList, 128, 13);
    m_pSpecified = new QRadioButton(tr("User specified browser"), group);
    m_pSpecified->setObjectName("userBrowserRadio");
    FixSize(m_pSpecified, 140, 10);
    QLabel* executeLabel = AddStatic(tr("Execute File:"), "executeFileLabel", 80, 8);
    m_pPath = AddEdit("browserPathEdit", 108, 12);
    QPushButton* browse = AddButton(tr("..."), "browseButton", 18, 12);

    // The choices sit 8 units in from the group's left edge and 13 below its top, whatever
    // room the group's frame and title take.
    QVBoxLayout* choices = NewColumn();
    const QMargins frame = group->contentsMargins();
    choices->setContentsMargins(std::max(0, Units().X(8) - frame.left()), std::max(0, Units().Y(13) - frame.top()), 0,
                                0);
    choices->addWidget(m_pDefault);
    Gap(choices, 6);
    choices->addWidget(m_pKnown);
    Gap(choices, 3);
    QHBoxLayout* knownRow = NewRow();
    Gap(knownRow, 12);
    knownRow->addWidget(m_pKnownList);
    knownRow->addStretch();
    choices->addLayout(knownRow);
    Gap(choices, 6);
    choices->addWidget(m_pSpecified);
    Gap(choices, 5);
    QHBoxLayout* labelRow = NewRow();
    Gap(labelRow, 12);
    labelRow->addWidget(executeLabel);
    labelRow->addStretch();
    choices->addLayout(labelRow);
    Gap(choices, 2);
    QHBoxLayout* pathRow = NewRow();
    Gap(pathRow, 12);
    pathRow->addWidget(m_pPath);
    Gap(pathRow, 3);
    pathRow->addWidget(browse);
    pathRow->addStretch();
    choices->addLayout(pathRow);
    choices->addStretch();
    group->setLayout(choices);

    QHBoxLayout* dialog = NewRow();
    dialog->addWidget(group);
    dialog->addStretch();
    dialog->addLayout(AddOkCancel());
    SetDialogLayout(dialog);

    auto* radios = new QButtonGroup(this);
    radios->addButton(m_pDefault, 0);
    radios->addButton(m_pKnown, 1);
    radios->addButton(m_pSpecified, 2);
    connect(browse, &QPushButton::clicked, this, [this] { OnBrowse(); });
}

void CDlgWebBrowser::Preset(int browserMode, int knownBrowser, const QString& browserPath)
{
    m_nChoice = browserMode == 1 ? 0 : browserMode == 0 ? 2 : 1;
    m_nKnownIndex = knownBrowser;
    m_strPath = browserPath;
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
    m_arrKnownNames += CKnownBrowsers().m_arrNames;
    m_pKnownList->addItems(m_arrKnownNames);
    UpdateData(false);
    return true;
}

void CDlgWebBrowser::OnBrowse()
{
    UpdateData(true);
    QString file = ChooseExecutable(this, tr("Open"), tr("Web Browser(*.EXE) | *.EXE"));
    if (file.isEmpty())
        return;
    m_strPath = file;
    UpdateData(false);
}

void CDlgWebBrowser::OnOK()
{
    UpdateData(true);
    if (m_nChoice == 2 && m_strPath.isEmpty()) {
        AskUser(this, tr("You must specify the web browser's execute file!"));
        return;
    }
    EndDialog(QDialog::Accepted);
}

}  // namespace snippo
