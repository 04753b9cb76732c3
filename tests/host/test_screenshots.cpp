// Pictures of the main window, each dialog and the About box, as a new user first sees them,
// written to <build>/screenshots/ for a person to look at.
#include "host_test_support.h"

#include "platform/help/help.h"

#include <QApplication>
#include <QPixmap>

using namespace snippo;
using namespace hosttest;

namespace {

fs::path shotFolder()
{
    fs::path folder = SCREENSHOT_DIR;
    fs::create_directories(folder);
    return folder;
}

bool save(QWidget& widget, const char* name)
{
    QApplication::processEvents();
    return widget.grab().save(QString::fromStdString((shotFolder() / name).string()));
}

class Screenshots : public HostTest {
protected:
    Server Kind() const override { return HasRealServer() ? Server::Real : Server::Fake; }

    // Runs command `id` and photographs the dialog it shows.
    void Shoot(int id, const char* file)
    {
        bool saved = false;
        CPrompts::PushDialogDriver([&](QDialog& d) {
            saved = save(d, file);
            d.reject();
        });
        Command(id);
        EXPECT_TRUE(saved) << file;
        EXPECT_TRUE(fs::exists(shotFolder() / file));
    }
};

}  // namespace

TEST_F(Screenshots, MainWindowDialogsAndAboutBox)
{
    MakeTemplate("Blue1_SnippoServer.GlimButton", "Blue1", "Blue buttons with white labels");
    MakeTemplate("Autumn_SnippoServer.GlimButton", "Autumn", "Warm colours, drop-down menus");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(save(*Frame(), "main_window.png"));
    Shoot(res::ID_FILE_NEW, "dlg_new.png");
    Shoot(res::ID_FILE_SAVE_AS_TEMPLATE, "dlg_save_as_template.png");
    Shoot(res::ID_OPTION_TEMPLATE, "dlg_manage_templates.png");
    Shoot(res::ID_EDIT_RENAME, "dlg_rename.png");
    Shoot(res::ID_EDIT_GET_LOCAL_HTML, "dlg_get_local_html.png");
    Shoot(res::ID_OPTION_WEB_BROWSER, "dlg_web_browser.png");
    Shoot(res::ID_APP_ABOUT, "dlg_about.png");

    Command(res::ID_HELP_TUTORIAL);
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_TRUE(save(*HelpWindow(), "help_window.png"));
}
