#include "widget/server/dialogs/dlg_applet_more.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widget/model/applet_parameters.h"
#include "widget/server/dialogs/dlg_image.h"
#include "widget/server/dialogs/int_edit.h"
#include "widget/server/dialogs/web_path_file_dialog.h"

namespace snippo {

namespace {

QPushButton* BrowseButton(const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(name);
    b->setFixedWidth(32);
    b->setAutoDefault(false);
    return b;
}

void SetIfChanged(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

}  // namespace

CDlgAppletMore::CDlgAppletMore(CDlgButtonProperties* owner) : CPropertyPage(owner, 6, tr("Applet More"), 4005)
{
    setObjectName(QStringLiteral("CDlgAppletMore"));
    m_pBackImage = new QLineEdit(this);
    m_pBackImage->setObjectName(QStringLiteral("backImageEdit"));
    m_pBackImageBrowse = BrowseButton(QStringLiteral("backImageBrowse"), this);
    m_pBackAudio = new QLineEdit(this);
    m_pBackAudio->setObjectName(QStringLiteral("backAudioEdit"));
    m_pBackAudioBrowse = BrowseButton(QStringLiteral("backAudioBrowse"), this);
    m_pClassWebPath = new QLineEdit(this);
    m_pClassWebPath->setObjectName(QStringLiteral("classWebPathEdit"));

    auto* image = new QGroupBox(tr("Image Position"), this);
    image->setObjectName(QStringLiteral("imagePositionGroup"));
    m_pSpecify = new QRadioButton(tr("Specify"), image);
    m_pSpecify->setObjectName(QStringLiteral("specifyRadio"));
    m_pTile = new QRadioButton(tr("Tile"), image);
    m_pTile->setObjectName(QStringLiteral("tileRadio"));
    m_pX = new QLineEdit(image);
    m_pX->setObjectName(QStringLiteral("imageXEdit"));
    m_pX->setFixedWidth(56);
    m_pY = new QLineEdit(image);
    m_pY->setObjectName(QStringLiteral("imageYEdit"));
    m_pY->setFixedWidth(56);
    m_pXSpin = new CUpDown(m_pX, image);
    m_pYSpin = new CUpDown(m_pY, image);
    auto* position = new QHBoxLayout(image);
    position->addWidget(m_pSpecify);
    position->addWidget(m_pTile);
    position->addSpacing(12);
    position->addWidget(MakeLabel(tr("X :"), m_pX, image));
    position->addWidget(m_pX);
    position->addWidget(m_pXSpin);
    position->addWidget(MakeLabel(tr("Y :"), m_pY, image));
    position->addWidget(m_pY);
    position->addWidget(m_pYSpin);
    position->addStretch(1);

    auto* loading = new QGroupBox(tr("While Loading"), this);
    loading->setObjectName(QStringLiteral("loadingGroup"));
    m_pMessage = new QLineEdit(loading);
    m_pMessage->setObjectName(QStringLiteral("messageEdit"));
    m_pProgressBar = new QCheckBox(tr("With progress bar"), loading);
    m_pProgressBar->setObjectName(QStringLiteral("progressBarCheck"));
    auto* loadingRow = new QHBoxLayout(loading);
    loadingRow->addWidget(MakeLabel(tr("Message:"), m_pMessage, loading));
    loadingRow->addWidget(m_pMessage, 1);
    loadingRow->addWidget(m_pProgressBar);

    m_pWebRuntime =
        new QCheckBox(tr("Add the web runtime qlnbtn.js, so that the buttons work in current browsers"), this);
    m_pWebRuntime->setObjectName(QStringLiteral("webRuntimeCheck"));

    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel(tr("Background Image:"), m_pBackImage, this), 0, 0);
    grid->addWidget(m_pBackImage, 0, 1);
    grid->addWidget(m_pBackImageBrowse, 0, 2);
    grid->addWidget(MakeLabel(tr("Background Audio:"), m_pBackAudio, this), 1, 0);
    grid->addWidget(m_pBackAudio, 1, 1);
    grid->addWidget(m_pBackAudioBrowse, 1, 2);
    grid->addWidget(MakeLabel(tr("Class Web Path:"), m_pClassWebPath, this), 2, 0);
    grid->addWidget(m_pClassWebPath, 2, 1, 1, 2);
    grid->addWidget(m_pWebRuntime, 3, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(image);
    layout->addWidget(loading);
    layout->addStretch(1);

    for (QLineEdit* e : {m_pBackImage, m_pBackAudio, m_pX, m_pY, m_pMessage})
        ApplyOn(e);
    ApplyOn(m_pProgressBar);
    ApplyOn(m_pWebRuntime);
    // The path is normalised when its editing ends, so that the user's own "/" is not doubled.
    ApplyOn(m_pClassWebPath);
    connect(m_pClassWebPath, &QLineEdit::editingFinished, this, &CDlgAppletMore::OnClassWebPathChanged);
    for (QRadioButton* r : {m_pSpecify, m_pTile})
        connect(r, &QRadioButton::clicked, this, [this] {
            EnablePosition();
            Apply();
        });
    connect(m_pBackImageBrowse, &QPushButton::clicked, this, &CDlgAppletMore::OnBrowseImage);
    connect(m_pBackAudioBrowse, &QPushButton::clicked, this, &CDlgAppletMore::OnBrowseAudio);
}

void CDlgAppletMore::OnInitDialog()
{
    m_pXSpin->SetRange(0, 1200);
    m_pYSpin->SetRange(0, 1200);
    CPropertyPage::OnInitDialog();
}

void CDlgAppletMore::EnablePosition()
{
    const bool specify = m_pSpecify->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_pX, m_pY, m_pXSpin, m_pYSpin})
        w->setEnabled(specify);
}

void CDlgAppletMore::ShowValues()
{
    SetIfChanged(m_pBackImage, m_strBackImage);
    SetIfChanged(m_pBackAudio, m_strBackAudio);
    SetIfChanged(m_pClassWebPath, m_strClassWebPath);
    m_pSpecify->setChecked(m_nImageMode == 0);
    m_pTile->setChecked(m_nImageMode == 1);
    ShowInt(m_pX, m_nImageX);
    ShowInt(m_pY, m_nImageY);
    SetIfChanged(m_pMessage, m_strLoadingMessage);
    m_pProgressBar->setChecked(m_bProgressBar != 0);
    m_pWebRuntime->setChecked(m_bWebRuntime);
}

void CDlgAppletMore::LoadPage()
{
    const CAppletParameters* p = Params();
    m_strBackImage = QString::fromStdString(p->m_strBackImage);
    m_strBackImageWeb = QString::fromStdString(p->m_strBackImageWeb);
    m_strBackAudio = QString::fromStdString(p->m_strBackAudio);
    m_strBackAudioWeb = QString::fromStdString(p->m_strBackAudioWeb);
    m_strClassWebPath = QString::fromStdString(p->m_strClassWebPath);
    m_nImageMode = p->m_nImageMode;
    m_nImageX = p->m_nImageX;
    m_nImageY = p->m_nImageY;
    m_bProgressBar = p->m_bProgressBar;
    m_strLoadingMessage = QString::fromStdString(p->m_strLoadingMessage);
    m_bWebRuntime = p->m_bWebRuntime;
    ShowValues();
    EnablePosition();
}

bool CDlgAppletMore::ReadControls()
{
    m_strBackImage = m_pBackImage->text();
    m_strBackAudio = m_pBackAudio->text();
    m_strClassWebPath = m_pClassWebPath->text();
    m_nImageMode = m_pTile->isChecked() ? 1 : m_pSpecify->isChecked() ? 0 : -1;
    m_strLoadingMessage = m_pMessage->text();
    m_bProgressBar = m_pProgressBar->isChecked() ? 1 : 0;
    m_bWebRuntime = m_pWebRuntime->isChecked();
    return ReadIntField(m_pX, 0, 1200, m_nImageX) && ReadIntField(m_pY, 0, 1200, m_nImageY);
}

bool CDlgAppletMore::ApplyPage()
{
    const bool valid = ReadControls();
    CAppletParameters* p = Params();
    p->m_strBackImage = m_strBackImage.toStdString();
    p->m_strBackImageWeb = m_strBackImageWeb.toStdString();
    p->m_strBackAudio = m_strBackAudio.toStdString();
    p->m_strBackAudioWeb = m_strBackAudioWeb.toStdString();
    p->m_strClassWebPath = NormaliseWebPath(m_strClassWebPath).toStdString();
    if (m_nImageMode >= 0)
        p->m_nImageMode = m_nImageMode;
    p->m_nImageX = m_nImageX;
    p->m_nImageY = m_nImageY;
    p->m_bProgressBar = m_bProgressBar;
    p->m_strLoadingMessage = m_strLoadingMessage.toStdString();
    p->m_bWebRuntime = m_bWebRuntime;
    return valid;
}

void CDlgAppletMore::OnClassWebPathChanged()
{
    if (!IsInitialised() || IsLoading())
        return;
    {
        QuietIntReading quiet;  // the numbers are checked when their own editing ends
        ReadControls();
    }
    m_strClassWebPath = NormaliseWebPath(m_strClassWebPath);
    WithoutApply([this] { ShowValues(); });
    Apply();
}

void CDlgAppletMore::OnBrowseImage()
{
    if (!IsInitialised())
        return;
    ReadControls();
    CWebPathFileDialog dlg(m_strBackImage, m_strBackImageWeb, FileFilter(kImageFilter), this);
    if (dlg.Exec() != QDialog::Accepted)
        return;
    m_strBackImage = dlg.GetPathName();
    m_strBackImageWeb = dlg.GetWebPath();
    WithoutApply([this] { ShowValues(); });
    Apply();
}

void CDlgAppletMore::OnBrowseAudio()
{
    if (!IsInitialised())
        return;
    ReadControls();
    CWebPathFileDialog dlg(m_strBackAudio, m_strBackAudioWeb, FileFilter(kAudioFilter), this);
    if (dlg.Exec() != QDialog::Accepted)
        return;
    m_strBackAudio = dlg.GetPathName();
    m_strBackAudioWeb = dlg.GetWebPath();
    WithoutApply([this] { ShowValues(); });
    Apply();
}

}  // namespace snippo
