#include "host_test_support.h"

#include "platform/com/guid.h"
#include "platform/com/runtime.h"
#include "platform/help/help.h"
#include "platform/registry/registry.h"

#include <QApplication>
#include <QTest>

#include <cstdlib>
#include <deque>
#include <dlfcn.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace hosttest {

namespace {

constexpr const char* kFakeClsid = "{3D0C1E2F-4A5B-4C6D-8E9F-011223344556}";

// Per test program: a root folder with a copy of each server library, and for each a registry
// folder holding its registration, copied into every case's own registry.
struct Environment {
    fs::path root;
    fs::path realFolder, fakeFolder;
    fs::path realRegistry, fakeRegistry;
    bool bReal = false;

    Environment()
    {
        std::string pattern = (fs::temp_directory_path() / "snippo-host-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root = pattern;
        fakeFolder = root / "fake";
        fakeRegistry = root / "fake-registry";
        fs::create_directories(fakeFolder);
        fs::create_directories(fakeRegistry);
        fs::copy_file(FAKE_SERVER_PATH, fakeFolder / "libFakeGlimButton.so");
        setenv("SNIPPO_REGISTRY", fakeRegistry.c_str(), 1);
        using namespace snippo;
        RegSetDefault(HKEY_CLASSES_ROOT, "SnippoServer.GlimButton\\CLSID", kFakeClsid);
        RegSetDefault(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kFakeClsid + "\\ProgID", "SnippoServer.GlimButton");
        RegSetDefault(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kFakeClsid + "\\InprocServer32",
                      (fakeFolder / "libFakeGlimButton.so").string());
        fs::path real = REAL_SERVER_PATH;
        realFolder = root / "server";
        realRegistry = root / "real-registry";
        fs::create_directories(realFolder / "Sample");
        fs::create_directories(realRegistry);
        fs::copy_file(real, realFolder / real.filename());
        fs::copy_file(real.parent_path() / "qlnbtn.class", realFolder / "qlnbtn.class");
        fs::copy_file(real.parent_path() / "qlnbtn.js", realFolder / "qlnbtn.js");
        fs::copy_file(real.parent_path() / "Sample" / "sample.htm", realFolder / "Sample" / "sample.htm");
        std::string command = std::string("SNIPPO_REGISTRY='") + realRegistry.string() + "' '" + REGSVR_PATH + "' '" +
                              (realFolder / real.filename()).string() + "' > /dev/null";
        bReal = std::system(command.c_str()) == 0;
        unsetenv("SNIPPO_REGISTRY");
    }
    ~Environment()
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

Environment& env()
{
    static Environment e;
    return e;
}

struct PromptQueues {
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<QString> fileNames;
    std::deque<std::function<void(QDialog&)>> drivers;
    std::vector<PromptRecord> record;
};

PromptQueues& queues()
{
    static PromptQueues q;
    return q;
}

QMessageBox::StandardButton answerMessage(const snippo::PromptRequest& request)
{
    PromptQueues& q = queues();
    PromptRecord rec{PromptRecord::Kind::Message, request.title, request.text, request.buttons, request.icon,
                     request.defaultButton};
    QMessageBox::StandardButton answer = snippo::EscapeButton(request.buttons);
    if (q.answers.empty()) {
        rec.bAnswered = false;
    } else {
        answer = q.answers.front();
        q.answers.pop_front();
    }
    q.record.push_back(rec);
    return answer;
}

QString answerFile(const snippo::FilePromptRequest& request)
{
    using Kind = snippo::FilePromptRequest::Kind;
    PromptQueues& q = queues();
    PromptRecord::Kind kind = request.kind == Kind::OpenFile   ? PromptRecord::Kind::OpenFile
                              : request.kind == Kind::SaveFile ? PromptRecord::Kind::SaveFile
                              : request.kind == Kind::Folder   ? PromptRecord::Kind::Folder
                                                               : PromptRecord::Kind::Executable;
    PromptRecord rec{kind, request.title, request.filter};
    QString name;
    if (q.fileNames.empty()) {
        rec.bAnswered = false;
    } else {
        name = q.fileNames.front();
        q.fileNames.pop_front();
    }
    q.record.push_back(rec);
    return name;
}

void driveDialog(QDialog& dialog)
{
    PromptQueues& q = queues();
    PromptRecord rec{PromptRecord::Kind::Dialog, dialog.windowTitle(), dialog.objectName()};
    std::function<void(QDialog&)> driver;
    if (!q.drivers.empty()) {
        driver = std::move(q.drivers.front());
        q.drivers.pop_front();
    }
    rec.bAnswered = static_cast<bool>(driver);
    q.record.push_back(rec);
    if (driver)
        driver(dialog);
}

}  // namespace

void Prompts::PushAnswer(QMessageBox::StandardButton answer)
{
    queues().answers.push_back(answer);
}

void Prompts::PushFileName(const QString& path)
{
    queues().fileNames.push_back(path);
}

void Prompts::PushDialogDriver(std::function<void(QDialog&)> driver)
{
    queues().drivers.push_back(std::move(driver));
}

const std::vector<PromptRecord>& Prompts::Record()
{
    return queues().record;
}

QStringList Prompts::Messages()
{
    QStringList texts;
    for (const PromptRecord& rec : queues().record)
        if (rec.kind == PromptRecord::Kind::Message)
            texts << rec.strText;
    return texts;
}

void Prompts::ClearRecord()
{
    queues().record.clear();
}

Prompts::Script::Script() : m_messages(&answerMessage), m_files(&answerFile), m_dialogs(&driveDialog)
{
    queues() = PromptQueues();
}

Prompts::Script::~Script()
{
    queues() = PromptQueues();
}

bool HasRealServer()
{
    return env().bReal;
}

fs::path ServerFolder(Server server)
{
    return server == Server::Real ? env().realFolder : env().fakeFolder;
}

fs::path ServerLibrary(Server server)
{
    if (server == Server::Real)
        return env().realFolder / fs::path(REAL_SERVER_PATH).filename();
    return env().fakeFolder / "libFakeGlimButton.so";
}

FakeWidgetControl& Fake()
{
    env();
    void* handle = dlopen(ServerLibrary(Server::Fake).c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        handle = dlopen(ServerLibrary(Server::Fake).c_str(), RTLD_NOW | RTLD_NODELETE);
    auto* get = reinterpret_cast<FakeWidgetControl* (*)()>(dlsym(handle, "FakeWidget"));
    return *get();
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void SetText(QWidget& parent, const char* name, const QString& text)
{
    if (auto* edit = Child<QLineEdit>(parent, name))
        edit->setText(text);
}

void Click(QWidget& parent, const char* name)
{
    if (auto* button = Child<QPushButton>(parent, name))
        button->click();
}

void HostTest::SetUp()
{
    if (Kind() == Server::Real && !HasRealServer())
        GTEST_SKIP() << "the widget server library is not built";
    std::string pattern = (fs::temp_directory_path() / "snippo-case-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    tmp = pattern;
    registry = tmp / "registry";
    programFolder = tmp / "program";
    fs::create_directories(programFolder);
    fs::copy(Kind() == Server::Real ? env().realRegistry : env().fakeRegistry, registry, fs::copy_options::recursive);
    setenv("SNIPPO_REGISTRY", registry.c_str(), 1);
    serverFolder = ServerFolder(Kind());
    for (const auto& entry : fs::directory_iterator(serverFolder))
        if (entry.path().extension() == ".qwd" || entry.path().extension() == ".QWD")
            fs::remove(entry.path());
    startFolder = fs::current_path();
    fs::current_path(tmp);
    prompts = std::make_unique<Prompts::Script>();
}

void HostTest::TearDown()
{
    Stop();
    snippo::WinHelp(nullptr, "", snippo::HELP_QUIT, 0);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    prompts.reset();
    if (!startFolder.empty())
        fs::current_path(startFolder);
    unsetenv("SNIPPO_REGISTRY");
    std::error_code ec;
    if (!tmp.empty())
        fs::remove_all(tmp, ec);
}

bool HostTest::Start(const QStringList& args)
{
    app = std::make_unique<snippo::CTessalyToolApp>();
    app->m_fnShellExecute = [this](const QString& op, const QString& file, const QString& params, const QString& dir,
                                   int) {
        shellCalls.push_back({op.toStdString(), file.toStdString(), params.toStdString(), dir.toStdString()});
        return 42;
    };
    QStringList arguments{"TessalyTool"};
    arguments += args;
    bool started = app->InitInstance(arguments, QString::fromStdString((programFolder / "TessalyTool").string()));
    QApplication::processEvents();
    return started;
}

void HostTest::Stop()
{
    if (!app)
        return;
    app->ExitInstance();
    app.reset();
    QApplication::processEvents();
}

bool HostTest::Restart(const QStringList& args)
{
    Stop();
    return Start(args);
}

QStringList HostTest::Dialogs() const
{
    QStringList names;
    for (const PromptRecord& rec : Prompts::Record())
        if (rec.kind == PromptRecord::Kind::Dialog)
            names << rec.strText;
    return names;
}

fs::path HostTest::OwnPreviewFolder() const
{
    return programFolder / "tmp" / std::to_string(getpid());
}

fs::path HostTest::MakeWidgetFile(const fs::path& path, const std::string& title, const std::string& description,
                                  const std::string& progId)
{
    if (Kind() == Server::Fake) {
        WriteFile(path, "ProgID=" + progId + "\r\nTitle=" + title + "\r\nDescription=" + description + "\r\n");
        return path;
    }
    snippo::CoInitialize();  // counted: harmless when the program has done it
    {
        snippo::CSnippo proxy;
        EXPECT_TRUE(proxy.CreateDispatch("SnippoServer.GlimButton"));
        proxy.SetTitle(QString::fromStdString(title));
        proxy.SetDescription(QString::fromStdString(description));
        EXPECT_TRUE(proxy.WriteConfigFile(QString::fromStdString(path.string())));
        if (progId != "SnippoServer.GlimButton") {
            std::string text = ReadFile(path);
            std::string from = "ProgID = SnippoServer.GlimButton";
            std::size_t at = text.find(from);
            EXPECT_NE(at, std::string::npos);
            if (at != std::string::npos)
                text.replace(at, from.size(), "ProgID = " + progId);
            WriteFile(path, text);
        }
    }
    snippo::CoUninitialize();
    return path;
}

fs::path HostTest::MakeTemplate(const std::string& fileStem, const std::string& title, const std::string& description)
{
    return MakeWidgetFile(serverFolder / (fileStem + ".qwd"), title, description);
}

void FakeHostTest::SetUp()
{
    HostTest::SetUp();
    Fake() = FakeWidgetControl();
    Fake().resources = {{"fake.class", "/srv/", ""}, {"a.gif", "/srv/img", "img/"}};
}

}  // namespace hosttest
