// Config through the real server library, as any automation client calls it: a scripted user
// works the dialog that the library shows; then the widget is saved and read back. And the
// same library in a client that has no display at all.
#include <dlfcn.h>

#include <QAction>
#include <QFileDialog>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <functional>

#include "dialogs_fixture.h"
#include "platform/com/comptr.h"
#include "platform/com/dispatch.h"
#include "platform/com/runtime.h"
#include "platform/com/server.h"
#include "widget/model/config_file.h"
#include "widget/model/widget_config.h"

namespace snippo::test {
namespace {

class ConfigEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_temp.Path() + "/registry");
        setenv("SNIPPO_REGISTRY", (m_temp.Path() + "/registry").c_str(), 1);
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        void* library = dlopen(SNIPPO_SERVER_LIBRARY, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        ASSERT_NE(library, nullptr) << dlerror();
        auto registerServer = reinterpret_cast<PFN_DllRegisterServer>(dlsym(library, "DllRegisterServer"));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), S_OK);
    }
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        CoUninitialize();
    }

    ComPtr<IDispatch> Create()
    {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID("SnippoServer.GlimButton", &clsid), S_OK);
        ComPtr<IDispatch> object;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, &object), S_OK) << CoGetLastErrorText();
        return object;
    }
    static Variant Call(IDispatch* o, DISPID id, std::vector<Variant> args = {})
    {
        Variant r;
        EXPECT_EQ(AutomationInvoke(o, id, DISPATCH_METHOD, args, &r), S_OK);
        return r;
    }
    static bool CallBool(IDispatch* o, DISPID id, std::vector<Variant> args = {})
    {
        bool b = false;
        Call(o, id, std::move(args)).ToBool(&b);
        return b;
    }
    static std::string Html(IDispatch* o, std::int16_t mode)
    {
        std::string text;
        Call(o, 19, {Variant(std::int16_t(0)), Variant(mode)}).ToUtf8(&text);
        return text;
    }

    TempDir m_temp;
};

// Closes whatever modal window is left, so that a script that lost its way fails instead of
// leaving Config waiting for a user.
void CloseAllModals()
{
    while (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "left open: " << modal->objectName().toStdString() << " "
                      << modal->windowTitle().toStdString();
        modal->close();
        QCoreApplication::processEvents();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}

// Runs `then` once the modal window named `name` is up.
void WhenModal(const QString& name, std::function<void(QWidget*)> then, int triesLeft = 3000)
{
    QTimer::singleShot(10, [name, then = std::move(then), triesLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == name && modal->isVisible()) {
            then(modal);
            return;
        }
        if (triesLeft > 0)
            WhenModal(name, std::move(then), triesLeft - 1);
        else {
            ADD_FAILURE() << "no modal window " << name.toStdString();
            CloseAllModals();
        }
    });
}

// Mouse input goes the way the window system delivers it, through the window, so that a
// window that the modal dialog blocks would not get it.
void Press(QWidget* view, QPoint p)
{
    QTest::mousePress(view->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, view->mapTo(view->window(), p));
}
void Release(QWidget* view, QPoint p)
{
    QTest::mouseRelease(view->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, view->mapTo(view->window(), p));
}
void Move(QWidget* view, QPoint p)
{
    QTest::mouseMove(view->window()->windowHandle(), view->mapTo(view->window(), p));
}

void Draw(QWidget* view, QPoint from, QPoint to)
{
    QAction* rect = view->findChild<QAction*>("commandRectButton");
    ASSERT_NE(rect, nullptr);
    rect->trigger();
    Press(view, from);
    Move(view, (from + to) / 2);
    Move(view, to);
    Release(view, to);
}

TEST_F(ConfigEndToEndTest, ScriptedUserThenSaveAndReadBack)
{
    const std::string picture = m_temp.File("pictures/star.gif", "GIF89a star");
    const std::string saveFolder = m_temp.Path() + "/site/";
    std::filesystem::create_directories(saveFolder);

    ComPtr<IDispatch> widget = Create();
    ASSERT_TRUE(widget);
    bool scripted = false;
    WhenModal("CDlgButtonProperties", [&](QWidget* dlg) {
        QWidget* editor = nullptr;
        for (QWidget* w : QApplication::allWidgets())
            if (w->objectName() == QLatin1String("previewWnd") && w->isVisible())
                editor = w;
        ASSERT_NE(editor, nullptr);
        QWidget* view = editor->findChild<QWidget*>("drawView");
        ASSERT_NE(view, nullptr);
        Draw(view, {10, 10}, {90, 40});
        Draw(view, {10, 60}, {90, 90});
        Press(view, {20, 20});
        Release(view, {20, 20});
        dlg->findChild<QTabBar*>("sheetTabs")->setCurrentIndex(0);
        dlg->findChild<QPlainTextEdit*>("labelEdit")->setPlainText("Hello, world\nline two");

        WhenModal("CDlgImage", [&](QWidget* image) {
            WhenModal("CWebPathFileDialog", [&](QWidget* w) {
                auto* files = static_cast<QFileDialog*>(w);
                // Typed into the file name field, as a user does.
                files->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(picture));
                files->findChild<QLineEdit*>("webPathEdit")->setText("img");
                static_cast<QDialog*>(files)->accept();  // as the Open button does
                if (files->isVisible())
                    CloseAllModals();
            });
            image->findChild<QPushButton*>("normalBrowse")->click();
            EXPECT_EQ(image->findChild<QLineEdit*>("normalEdit")->text().toStdString(), picture);
            image->findChild<QPushButton*>("okButton")->click();
        });
        dlg->findChild<QPushButton*>("imageButton")->click();
        scripted = true;
        dlg->close();
    });
    EXPECT_TRUE(CallBool(widget.Get(), 9));
    ASSERT_TRUE(scripted);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    const std::string html = Html(widget.Get(), 1);
    EXPECT_NE(html.find("Hello~@^` world|_#`line two"), std::string::npos) << html;
    EXPECT_NE(html.find("img/star.gif"), std::string::npos) << html;

    const std::string file = saveFolder + "button.qwd";
    ASSERT_TRUE(CallBool(widget.Get(), 8, {Variant(file)}));
    EXPECT_TRUE(std::filesystem::exists(saveFolder + "star.gif"));
    EXPECT_TRUE(std::filesystem::exists(saveFolder + "qlnbtn.class"));

    ComPtr<IDispatch> fresh = Create();
    ASSERT_TRUE(CallBool(fresh.Get(), 7, {Variant(file)}));
    EXPECT_EQ(Html(fresh.Get(), 0), Html(widget.Get(), 0));
    EXPECT_EQ(Html(fresh.Get(), 1), Html(widget.Get(), 1));
    EXPECT_NE(Html(fresh.Get(), 1).find("MStyle-3"), std::string::npos);  // two buttons, each with a hint
}

// A client with no display: Config returns TRUE and saving leaves clashing files alone; both
// say why on standard error, and the process goes on.
TEST_F(ConfigEndToEndTest, WithoutADisplayNothingIsShownAndNothingAborts)
{
    // A widget file whose button uses "pic.gif" beside it, and a save folder that has one.
    const std::string src = m_temp.Path() + "/src/";
    const std::string dest = m_temp.Path() + "/dest/";
    m_temp.File("src/pic.gif", "ours");
    m_temp.File("dest/pic.gif", "theirs");
    {
        CAppletParameters params;
        auto obj = std::make_unique<CDrawRect>(CRect{5, 5, 50, 25});
        obj->m_pMenu->m_items.front()->m_strImageNormal = src + "pic.gif";
        params.AddObject(std::move(obj));
        CWidgetConfig config;
        ASSERT_TRUE(WriteConfigFile(config, params, src + "w.qwd", nullptr));
    }
    const std::string in = m_temp.File("calls.txt", "Config\nReadConfigFile \"" + src + "w.qwd\"\nWriteConfigFile \"" +
                                                        dest + "w.qwd\"\n");
    const std::string out = m_temp.Path() + "/out.txt";
    const std::string err = m_temp.Path() + "/err.txt";
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM SNIPPO_REGISTRY='" +
                                m_temp.Path() + "/registry' '" SNIPPO_CALL_TOOL "' SnippoServer.GlimButton < '" + in +
                                "' > '" + out + "' 2> '" + err + "'";
    const int status = std::system(command.c_str());
    std::ifstream outText(out), errText(err);
    const std::string stdoutText((std::istreambuf_iterator<char>(outText)), std::istreambuf_iterator<char>());
    const std::string stderrText((std::istreambuf_iterator<char>(errText)), std::istreambuf_iterator<char>());
    EXPECT_EQ(status, 0) << stderrText;
    EXPECT_EQ(stdoutText, "true\ntrue\ntrue\n");
    EXPECT_NE(stderrText.find("SnippoGlimButton: the \"Button Properties\" dialog is not shown: no display"),
              std::string::npos)
        << stderrText;
    EXPECT_NE(stderrText.find("SnippoGlimButton: " + src + "pic.gif is not copied to " + dest +
                              ": a file named pic.gif is already there"),
              std::string::npos)
        << stderrText;
    std::ifstream kept(dest + "pic.gif");
    std::string keptText;
    kept >> keptText;
    EXPECT_EQ(keptText, "theirs");
}

// A client without a QApplication: the library makes one for the dialog.
TEST_F(ConfigEndToEndTest, AClientWithoutAnApplicationGetsOne)
{
    const std::string out = m_temp.Path() + "/client.txt";
    const std::string command = "env QT_QPA_PLATFORM=offscreen SNIPPO_REGISTRY='" + m_temp.Path() +
                                "/registry' '" SNIPPO_CONFIG_CLIENT "' > '" + out + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(out);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "Config: true, application: QApplication, dialog shown: yes");
}

}  // namespace
}  // namespace snippo::test
