// Every question the program asks the user goes through here: message boxes, the file and
// folder choosers, and the program's modal dialogs (CDialog::DoModal). Normally they are shown.
// While a scoped responder lives, the prompts of its kind are not shown: the responder answers
// them (tests install one of each kind, so that nothing ever waits for a user).
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

#include "platform/prompt/prompt_request.h"
#include "platform/prompt/scoped_responder.h"

class QDialog;
class QWidget;

namespace snippo {

// Shows the message box and returns the button pressed; a box closed without a choice
// answers what Escape would.
QMessageBox::StandardButton ShowPrompt(QWidget* parent, const PromptRequest& request);

// The program's usual box: the application title as its caption, the first button the
// default. Ok and Ok/Cancel boxes carry a warning sign, Yes/No boxes a question mark.
QMessageBox::StandardButton AskUser(QWidget* parent, const QString& text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// The answer of a box with these buttons that nobody answered.
QMessageBox::StandardButton EscapeButton(QMessageBox::StandardButtons buttons);

struct FilePromptRequest {
    enum class Kind { OpenFile, SaveFile, Folder, Executable };
    Kind kind;
    QString title;
    QString filter;  // the program's filter text: a description with its pattern in parentheses
};

// Each returns the chosen full path, or "" when cancelled.
QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& filter);
// Appends `defaultExtension` (".qwd") to a chosen name that has no extension.
QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& filter, const QString& defaultExtension,
                       const QString& proposedName);
QString ChooseFolder(QWidget* parent, const QString& title);
// An executable file: the filter's "*.EXE" means "an executable program" on this system.
QString ChooseExecutable(QWidget* parent, const QString& title, const QString& filter);

using PromptResponder = PromptHandler;
using FilePromptResponder = std::function<QString(const FilePromptRequest&)>;
// Called with a dialog after its initialisation, while it is shown without a modal loop; a
// dialog still open afterwards is cancelled.
using DialogResponder = std::function<void(QDialog&)>;

// Each installs a responder for as long as it lives; the one before it comes back afterwards.
using ScopedPromptResponder = ScopedResponder<PromptResponder>;
using ScopedFilePromptResponder = ScopedResponder<FilePromptResponder>;
using ScopedDialogResponder = ScopedResponder<DialogResponder>;

// The dialog responder in place, or an empty one; used by CDialog::DoModal.
const DialogResponder& CurrentDialogResponder();

}  // namespace snippo
