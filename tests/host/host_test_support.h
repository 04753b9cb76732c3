// Test base for the host: each case gets a registry of its own (with the widget server
// registered), a program folder of its own, scripted prompts (nothing is shown, answers are
// queued, every prompt is recorded) and a recorder in place of the shell.
//
// The server library is copied once per test program into a folder of its own, which is then
// the template folder: the cases write templates there without touching the build tree.
#pragma once

#include "host/app.h"
#include "host/doc.h"
#include "host/mainframe.h"
#include "host/prompt_service.h"
#include "host/resource.h"
#include "host/snippo.h"
#include "host/view.h"
#include "fake_widget.h"

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hosttest {

namespace fs = std::filesystem;

enum class Server { Real, Fake };

// A shell request as the shell library receives it: texts in UTF-8.
struct ShellCall {
    std::string strOperation;
    std::string strFile;
    std::string strParameters;
    std::string strDirectory;
    bool operator==(const ShellCall&) const = default;
};

// Every prompt the program showed, in order.
struct PromptRecord {
    enum class Kind { Message, OpenFile, SaveFile, Folder, Executable, Dialog };
    Kind kind;
    QString strTitle;  // caption of the box, title of the file dialog or the dialog
    QString strText;   // text of a message box; the filter of a file dialog; object name of a dialog
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool bAnswered = true;  // false: the queue was empty and the escape answer was taken
};

// The prompts' responders while a case runs: answers come from queues the case fills.
class Prompts {
public:
    static void PushAnswer(QMessageBox::StandardButton answer);
    static void PushFileName(const QString& path);  // for any chooser; "" cancels
    // Called with a dialog after its initialisation; the driver fills controls and clicks
    // buttons. A dialog without a driver is cancelled.
    static void PushDialogDriver(std::function<void(QDialog&)> driver);
    static const std::vector<PromptRecord>& Record();
    static QStringList Messages();  // texts of the message boxes, in order
    static void ClearRecord();

    // Empty queues and record, and the responders installed while it lives.
    class Script {
    public:
        Script();
        ~Script();

    private:
        snippo::ScopedPromptResponder m_messages;
        snippo::ScopedFilePromptResponder m_files;
        snippo::ScopedDialogResponder m_dialogs;
    };
};

bool HasRealServer();
fs::path ServerFolder(Server server);
fs::path ServerLibrary(Server server);
FakeWidgetControl& Fake();

std::string ReadFile(const fs::path& path);
void WriteFile(const fs::path& path, const std::string& text);

// Finds a child by object name, failing the test when there is none.
template <class T> T* Child(QObject& parent, const char* name)
{
    T* child = parent.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << "no child named " << name;
    return child;
}

void SetText(QWidget& parent, const char* name, const QString& text);
void Click(QWidget& parent, const char* name);

class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual Server Kind() const { return Server::Real; }

    // Starts the program as the command line `args` (after the program name) says.
    bool Start(const QStringList& args = {});
    // Ends the program as its message loop would end, and starts it again.
    bool Restart(const QStringList& args = {});
    void Stop();

    snippo::CMainFrame* Frame() const { return app->MainFrame(); }
    snippo::CTessalyToolDoc* Doc() const { return app->Document(); }
    snippo::CTessalyToolView* View() const { return app->View(); }
    snippo::CSnippo* Widget() const { return Doc()->GetSnippo(); }
    void Command(int id) { Frame()->OnCommand(id); }
    QStringList Messages() const { return Prompts::Messages(); }
    // Names of the dialogs shown since the last ClearRecord, in order.
    QStringList Dialogs() const;
    QString Title() const { return Frame()->windowTitle(); }
    // This process's preview folder in the program folder.
    fs::path OwnPreviewFolder() const;

    // A widget file of the given kind written without the program ("key=value" for the fake,
    // a real widget file through a private proxy for the real server).
    fs::path MakeWidgetFile(const fs::path& path, const std::string& title, const std::string& description,
                            const std::string& progId = "SnippoServer.GlimButton");
    // Writes a template of this widget kind into the template folder.
    fs::path MakeTemplate(const std::string& fileStem, const std::string& title, const std::string& description);

    fs::path tmp;
    fs::path registry;
    fs::path programFolder;
    fs::path serverFolder;
    fs::path startFolder;
    std::unique_ptr<Prompts::Script> prompts;
    std::unique_ptr<snippo::CTessalyToolApp> app;
    std::vector<ShellCall> shellCalls;
};

class FakeHostTest : public HostTest {
protected:
    void SetUp() override;
    Server Kind() const override { return Server::Fake; }
};

}  // namespace hosttest
