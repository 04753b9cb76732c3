// Every question the program asks the user goes through here: message boxes, the file and
// folder choosers, and the modal dialogs of the program (CDialog::DoModal). Normally they are
// shown; once a test has armed the prompts, nothing is shown: answers come from queues the
// test fills, and every prompt is recorded with its exact text.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace snippo {

// The button sets of a message box; answers carry the platform's numbers.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct PromptRecord {
    enum class Kind { Message, OpenFile, SaveFile, Folder, Executable, Dialog };
    Kind kind;
    QString strTitle;     // caption of the box, title of the file dialog or the dialog
    QString strText;      // text of a message box; the filter of a file dialog; object name of a dialog
    MsgButtons buttons = MsgButtons::Ok;
    bool bAnswered = true;   // false: the queue was empty and the escape answer was taken
};

class CPrompts {
public:
    // A message box with the application title as its caption. Ok and OkCancel boxes carry a
    // warning sign, the others a question mark.
    static MsgAnswer MessageBox(QWidget* parent, const QString& text, MsgButtons buttons = MsgButtons::Ok);

    // File choosers; each returns the chosen full path, or "" when cancelled. `filter` is the
    // program's filter text (a description with its pattern in parentheses).
    static QString GetOpenFileName(QWidget* parent, const QString& title, const QString& filter);
    // Appends `defaultExtension` (".qwd") to a chosen name that has no extension.
    static QString GetSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                   const QString& defaultExtension, const QString& proposedName);
    static QString GetExistingDirectory(QWidget* parent, const QString& title);
    // An executable file: the filter's "*.EXE" means "an executable program" on this system.
    static QString GetExecutableFileName(QWidget* parent, const QString& title, const QString& filter);

    // --- for tests -------------------------------------------------------------------------
    static void Arm();
    static void Disarm();   // also empties the queues and the record
    static bool IsArmed();
    static void PushAnswer(MsgAnswer answer);
    static void PushFileName(const QString& path);   // for any chooser; "" cancels
    // Called with a dialog after its initialisation, while it is shown without a modal loop.
    // The driver fills controls and clicks buttons; a dialog still open afterwards is cancelled.
    static void PushDialogDriver(std::function<void(QDialog&)> driver);
    static const std::vector<PromptRecord>& Record();
    static QStringList Messages();   // texts of the message boxes, in order
    static void ClearRecord();

    // Used by CDialog::DoModal.
    static void RecordDialog(const QString& title, const QString& objectName, bool driven);
    static std::function<void(QDialog&)> TakeDialogDriver();
};

}  // namespace snippo
