#include "widget/server/dialogs/dlg_image.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widget/server/dialogs/property_page.h"
#include "widget/server/dialogs/ui_services.h"
#include "widget/server/dialogs/web_path_file_dialog.h"

namespace snippo {

CDlgResourceFiles::CDlgResourceFiles(QWidget* parent, const QString& caption, const QString& name, int templateId,
                                     const std::vector<RowLayout>& rows, const QString& filter)
    : CHelpDialog(parent, templateId), m_strFilter(filter)
{
    setObjectName(name);
    setWindowTitle(caption);

    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Row row;
        row.edit = new QLineEdit(this);
        row.edit->setObjectName(rows[i].name + QStringLiteral("Edit"));
        row.edit->setMinimumWidth(260);
        row.browse = new QPushButton(QStringLiteral("..."), this);
        row.browse->setObjectName(rows[i].name + QStringLiteral("Browse"));
        row.browse->setAutoDefault(false);
        row.browse->setFixedWidth(32);
        grid->addWidget(MakeLabel(rows[i].label, row.edit, this), int(i), 0);
        grid->addWidget(row.edit, int(i), 1);
        grid->addWidget(row.browse, int(i), 2);
        const int index = int(i);
        connect(row.browse, &QPushButton::clicked, this, [this, index] { OnBrowse(index); });
        m_rows.push_back(row);
    }

    auto* applyTo = new QGroupBox(tr("Apply to"), this);
    applyTo->setObjectName(QStringLiteral("applyToGroup"));
    m_pOnlyThis = new QRadioButton(tr("Only this button"), applyTo);
    m_pOnlyThis->setObjectName(QStringLiteral("onlyThisRadio"));
    m_pAllButtons = new QRadioButton(tr("All the buttons"), applyTo);
    m_pAllButtons->setObjectName(QStringLiteral("allButtonsRadio"));
    auto* radios = new QHBoxLayout(applyTo);
    radios->addWidget(m_pOnlyThis);
    radios->addWidget(m_pAllButtons);
    radios->addStretch(1);

    QDialogButtonBox* buttons = MakeButtonColumn();

    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addWidget(applyTo);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(buttons);
}

void CDlgResourceFiles::SetValue(int row, const std::string& path, const std::string& webPath)
{
    m_rows[row].path = path;
    m_rows[row].webPath = webPath;
}

std::string CDlgResourceFiles::Path(int row) const
{
    return m_rows[row].path;
}

std::string CDlgResourceFiles::WebPath(int row) const
{
    return m_rows[row].webPath;
}

int CDlgResourceFiles::Exec()
{
    ShowValues();
    return ModalRunner::Run(*this);
}

void CDlgResourceFiles::ShowValues()
{
    for (Row& row : m_rows) {
        const QString text = QString::fromStdString(row.path);
        if (row.edit->text() != text)
            row.edit->setText(text);
    }
    m_pOnlyThis->setChecked(m_nApplyTo == 0);
    m_pAllButtons->setChecked(m_nApplyTo == 1);
}

void CDlgResourceFiles::ReadControls()
{
    // A path typed by hand keeps the web path it had.
    for (Row& row : m_rows)
        row.path = row.edit->text().toStdString();
    m_nApplyTo = m_pOnlyThis->isChecked() ? 0 : m_pAllButtons->isChecked() ? 1 : -1;
}

void CDlgResourceFiles::OnBrowse(int index)
{
    ReadControls();
    Row& row = m_rows[index];
    CWebPathFileDialog dlg(QString::fromStdString(row.path), QString::fromStdString(row.webPath), m_strFilter, this);
    if (dlg.Exec() != QDialog::Accepted)
        return;
    row.path = dlg.GetPathName().toStdString();
    row.webPath = dlg.GetWebPath().toStdString();
    ShowValues();
}

void CDlgResourceFiles::accept()
{
    ReadControls();
    QDialog::accept();
}

CDlgImage::CDlgImage(QWidget* parent)
    : CDlgResourceFiles(parent, tr("Image"), QStringLiteral("CDlgImage"), kTemplate,
                        {{tr("Normal:"), QStringLiteral("normal")},
                         {tr("Mouse Over:"), QStringLiteral("mouseOver")},
                         {tr("Click:"), QStringLiteral("click")}},
                        FileFilter(kImageFilter))
{
}

CDlgAudio::CDlgAudio(QWidget* parent)
    : CDlgResourceFiles(parent, tr("Audio"), QStringLiteral("CDlgAudio"), kTemplate,
                        {{tr("Mouse Over:"), QStringLiteral("mouseOver")}, {tr("Click:"), QStringLiteral("click")}},
                        FileFilter(kAudioFilter))
{
}

}  // namespace snippo
