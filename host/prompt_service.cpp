#include "host/prompt_service.h"

#include "host/resource.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace snippo {

namespace {

QString allFiles()
{
    return QCoreApplication::translate("snippo::PromptService", "All Files (*)");
}

QString withExtension(const QString& path, const QString& extension)
{
    if (path.isEmpty() || extension.isEmpty())
        return path;
    return QFileInfo(path).fileName().contains('.') ? path : path + extension;
}

QString answerFile(FilePromptRequest::Kind kind, const QString& title, const QString& filter)
{
    return ScopedFilePromptResponder::Current()(FilePromptRequest{kind, title, filter});
}

}  // namespace

const DialogResponder& CurrentDialogResponder()
{
    return ScopedDialogResponder::Current();
}

QMessageBox::StandardButton EscapeButton(QMessageBox::StandardButtons buttons)
{
    if (buttons.testFlag(QMessageBox::Cancel))
        return QMessageBox::Cancel;
    if (buttons.testFlag(QMessageBox::No))
        return QMessageBox::No;
    return QMessageBox::Ok;
}

QMessageBox::StandardButton ShowPrompt(QWidget* parent, const PromptRequest& request)
{
    if (const PromptResponder& responder = ScopedPromptResponder::Current())
        return responder(request);

    QMessageBox box(parent);
    box.setObjectName("messageBox");
    box.setWindowTitle(request.title);
    box.setText(request.text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(request.icon);
    box.setStandardButtons(request.buttons);
    box.setDefaultButton(request.defaultButton);
    auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    return request.buttons.testFlag(pressed) ? pressed : EscapeButton(request.buttons);
}

QMessageBox::StandardButton AskUser(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons)
{
    const bool question = buttons.testFlag(QMessageBox::Yes);
    return ShowPrompt(parent, PromptRequest{text::Tr(text::kAppTitle), text,
                                            question ? QMessageBox::Question : QMessageBox::Warning, buttons,
                                            question ? QMessageBox::Yes : QMessageBox::Ok});
}

QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& filter)
{
    if (ScopedFilePromptResponder::Current())
        return answerFile(FilePromptRequest::Kind::OpenFile, title, filter);
    QFileDialog dialog(parent, title, QDir::currentPath());
    dialog.setObjectName("openFileDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({filter.trimmed(), allFiles()});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::cleanPath(dialog.selectedFiles().front());
}

QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& filter, const QString& defaultExtension,
                       const QString& proposedName)
{
    if (ScopedFilePromptResponder::Current())
        return withExtension(answerFile(FilePromptRequest::Kind::SaveFile, title, filter), defaultExtension);
    QFileDialog dialog(parent, title, QDir::currentPath());
    dialog.setObjectName("saveFileDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({filter.trimmed(), allFiles()});
    dialog.setDefaultSuffix(defaultExtension.mid(defaultExtension.startsWith('.') ? 1 : 0));
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return withExtension(QDir::cleanPath(dialog.selectedFiles().front()), defaultExtension);
}

QString ChooseFolder(QWidget* parent, const QString& title)
{
    if (ScopedFilePromptResponder::Current())
        return answerFile(FilePromptRequest::Kind::Folder, title, {});
    return QFileDialog::getExistingDirectory(parent, title, QDir::currentPath());
}

namespace {

// Folders and the files that may be executed. QDir's permission filters cannot say this: with
// only Executable set they hide every readable entry, folders included.
class ExecutableFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (files == nullptr)
            return true;
        QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }
};

}  // namespace

QString ChooseExecutable(QWidget* parent, const QString& title, const QString& filter)
{
    if (ScopedFilePromptResponder::Current())
        return answerFile(FilePromptRequest::Kind::Executable, title, filter);
    QFileDialog dialog(parent, title, "/usr/bin");
    dialog.setObjectName("executableFileDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new ExecutableFilter(&dialog));
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Programs here carry no extension: the filter's description is kept, its pattern
    // becomes "any file that may be executed".
    QString description = filter.section('(', 0, 0).trimmed();
    dialog.setNameFilter(description + " (*)");
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::cleanPath(dialog.selectedFiles().front());
}

}  // namespace snippo
