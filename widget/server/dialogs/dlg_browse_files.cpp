#include "widget/server/dialogs/dlg_browse_files.h"

#include <QApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

#include "widget/editor/prompt_service.h"
#include "widget/server/dialogs/ui_services.h"

namespace snippo {

CDlgBrowseFiles::CDlgBrowseFiles(const QString& folder, const QString& patterns, QWidget* parent)
    : QDialog(parent), m_strFolder(folder), m_strPatterns(patterns)
{
    setObjectName(QStringLiteral("CDlgBrowseFiles"));
    setWindowTitle(tr("Browse Files"));
    auto* label = new QLabel(tr("Files Existing in the Destination Directory:"), this);
    label->setObjectName(QStringLiteral("filesLabel"));
    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("fileList"));
    m_pList->setViewMode(QListView::ListMode);
    m_pList->setFlow(QListView::TopToBottom);
    m_pList->setWrapping(true);
    m_pList->setResizeMode(QListView::Adjust);
    label->setBuddy(m_pList);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pList, 1);
    resize(420, 260);
}

bool CDlgBrowseFiles::OnInitDialog()
{
    if (m_strFolder.isEmpty() || m_strPatterns.isEmpty()) {
        widget::ShowWindowPrompt(this, tr("The directory and file type can not be blank!"));
        return false;
    }
    if (!m_strFolder.endsWith(u'/'))
        m_strFolder += u'/';
    if (!m_strPatterns.endsWith(u';'))
        m_strPatterns += u';';
    const QDir dir(m_strFolder.left(m_strFolder.size() - 1).isEmpty() ? QStringLiteral("/")
                                                                      : m_strFolder.left(m_strFolder.size() - 1));
    if (!dir.exists()) {
        widget::ShowWindowPrompt(this, tr("Directory %1 does not exist!").arg(m_strFolder));
        return false;
    }

    const int icon = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
    m_pList->setIconSize(QSize(icon, icon));
    QFileIconProvider provider;
    m_pList->clear();
    for (const QString& pattern : m_strPatterns.split(u';', Qt::SkipEmptyParts)) {
        const QFileInfoList files = dir.entryInfoList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
        if (files.isEmpty())
            continue;
        // The first file of a pattern gives the icon of every file of that pattern.
        QIcon typeIcon = provider.icon(files.front());
        if (typeIcon.isNull())
            typeIcon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
        for (const QFileInfo& file : files) {
            auto* item = new QListWidgetItem(typeIcon, file.fileName(), m_pList);
            item->setToolTip(file.filePath());
        }
    }
    return true;
}

int CDlgBrowseFiles::Exec()
{
    if (!OnInitDialog())
        return QDialog::Rejected;
    return ModalRunner::Run(*this);
}

}  // namespace snippo
