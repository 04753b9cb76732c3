#include "host/prompts.h"

#include "host/resource.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QSortFilterProxyModel>

namespace snippo {

namespace {

struct PromptState {
    bool bArmed = false;
    std::deque<MsgAnswer> answers;
    std::deque<QString> fileNames;
    std::deque<std::function<void(QDialog&)>> drivers;
    std::vector<PromptRecord> record;
};

PromptState& state()
{
    static PromptState s;
    return s;
}

// What Escape would give: the answer of a box that nobody answered.
MsgAnswer escapeAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    default:
        return MsgAnswer::Cancel;
    }
}

QString takeFileName(PromptRecord::Kind kind, const QString& title, const QString& filter)
{
    PromptState& s = state();
    PromptRecord rec{kind, title, filter};
    QString name;
    if (s.fileNames.empty()) {
        rec.bAnswered = false;
    } else {
        name = s.fileNames.front();
        s.fileNames.pop_front();
    }
    s.record.push_back(rec);
    return name;
}

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

// "Tessaly Widgets File(*.qwd) " -> the patterns inside the parentheses, for Qt's own parser,
// which needs the text to end with the closing parenthesis.
QString qtFilter(const QString& filter)
{
    return filter.trimmed();
}

QString withExtension(const QString& path, const QString& extension)
{
    if (path.isEmpty() || extension.isEmpty())
        return path;
    return QFileInfo(path).fileName().contains('.') ? path : path + extension;
}

}  // namespace

MsgAnswer CPrompts::MessageBox(QWidget* parent, const QString& text, MsgButtons buttons)
{
    PromptState& s = state();
    if (s.bArmed) {
        PromptRecord rec{PromptRecord::Kind::Message, text::kAppTitle, text, buttons};
        MsgAnswer answer = escapeAnswer(buttons);
        if (s.answers.empty()) {
            rec.bAnswered = false;
        } else {
            answer = s.answers.front();
            s.answers.pop_front();
        }
        s.record.push_back(rec);
        return answer;
    }

    QMessageBox box(parent);
    box.setObjectName("messageBox");
    box.setWindowTitle(text::kAppTitle);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    bool question = buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel;
    box.setIcon(question ? QMessageBox::Question : QMessageBox::Warning);
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return escapeAnswer(buttons);
    }
}

QString CPrompts::GetOpenFileName(QWidget* parent, const QString& title, const QString& filter)
{
    if (state().bArmed)
        return takeFileName(PromptRecord::Kind::OpenFile, title, filter);
    QFileDialog dialog(parent, title, QDir::currentPath());
    dialog.setObjectName("openFileDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({qtFilter(filter), "All Files (*)"});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::cleanPath(dialog.selectedFiles().front());
}

QString CPrompts::GetSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& defaultExtension, const QString& proposedName)
{
    if (state().bArmed)
        return withExtension(takeFileName(PromptRecord::Kind::SaveFile, title, filter), defaultExtension);
    QFileDialog dialog(parent, title, QDir::currentPath());
    dialog.setObjectName("saveFileDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({qtFilter(filter), "All Files (*)"});
    dialog.setDefaultSuffix(defaultExtension.mid(defaultExtension.startsWith('.') ? 1 : 0));
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return withExtension(QDir::cleanPath(dialog.selectedFiles().front()), defaultExtension);
}

QString CPrompts::GetExistingDirectory(QWidget* parent, const QString& title)
{
    if (state().bArmed)
        return takeFileName(PromptRecord::Kind::Folder, title, {});
    return QFileDialog::getExistingDirectory(parent, title, QDir::currentPath());
}

QString CPrompts::GetExecutableFileName(QWidget* parent, const QString& title, const QString& filter)
{
    if (state().bArmed)
        return takeFileName(PromptRecord::Kind::Executable, title, filter);
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

void CPrompts::Arm()
{
    state().bArmed = true;
}

void CPrompts::Disarm()
{
    state() = PromptState();
}

bool CPrompts::IsArmed()
{
    return state().bArmed;
}

void CPrompts::PushAnswer(MsgAnswer answer)
{
    state().answers.push_back(answer);
}

void CPrompts::PushFileName(const QString& path)
{
    state().fileNames.push_back(path);
}

void CPrompts::PushDialogDriver(std::function<void(QDialog&)> driver)
{
    state().drivers.push_back(std::move(driver));
}

const std::vector<PromptRecord>& CPrompts::Record()
{
    return state().record;
}

QStringList CPrompts::Messages()
{
    QStringList texts;
    for (const PromptRecord& rec : state().record)
        if (rec.kind == PromptRecord::Kind::Message)
            texts << rec.strText;
    return texts;
}

void CPrompts::ClearRecord()
{
    state().record.clear();
}

void CPrompts::RecordDialog(const QString& title, const QString& objectName, bool driven)
{
    PromptRecord rec{PromptRecord::Kind::Dialog, title, objectName};
    rec.bAnswered = driven;
    state().record.push_back(rec);
}

std::function<void(QDialog&)> CPrompts::TakeDialogDriver()
{
    PromptState& s = state();
    if (s.drivers.empty())
        return {};
    auto driver = std::move(s.drivers.front());
    s.drivers.pop_front();
    return driver;
}

}  // namespace snippo
