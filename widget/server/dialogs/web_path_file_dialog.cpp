#include "widget/server/dialogs/web_path_file_dialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "widget/server/dialogs/ui_services.h"

namespace snippo {

QStringList NameFiltersFrom(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        patterns.replace(u';', u' ');
        filters << description + QStringLiteral(" (") + patterns + QStringLiteral(")");
    }
    return filters;
}

QString NormaliseWebPath(const QString& path)
{
    if (path.isEmpty())
        return path;
    QString p = path;
    p.replace(u'\\', u'/');
    if (!p.endsWith(u'/'))
        p += u'/';
    return p;
}

CWebPathFileDialog::CWebPathFileDialog(const QString& localPath, const QString& webPath, const QString& filter,
                                       QWidget* parent)
    : QFileDialog(parent), m_strWebPath(webPath)
{
    setObjectName(QStringLiteral("CWebPathFileDialog"));
    // Qt's own dialog, so that the web path field can sit below its controls.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::ReadOnly, false);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilters(NameFiltersFrom(filter));
    if (!localPath.isEmpty()) {
        const QFileInfo info(localPath);
        if (info.dir().exists())
            setDirectory(info.dir());
        selectFile(info.fileName());
    }

    m_pWebPath = new QLineEdit(webPath, this);
    m_pWebPath->setObjectName(QStringLiteral("webPathEdit"));
    auto* label = new QLabel(tr("Web Path:"), this);
    label->setObjectName(QStringLiteral("webPathLabel"));
    label->setBuddy(m_pWebPath);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(m_pWebPath, row, 1, 1, grid->columnCount() - 1);
    }
    // The text typed last counts, whatever happens to the dialog afterwards.
    connect(m_pWebPath, &QLineEdit::textChanged, this, [this](const QString& text) { m_strWebPath = text; });
}

int CWebPathFileDialog::Exec()
{
    return ModalRunner::Run(*this);
}

QString CWebPathFileDialog::GetPathName() const
{
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

QString CWebPathFileDialog::GetWebPath() const
{
    return NormaliseWebPath(m_strWebPath);
}

}  // namespace snippo
