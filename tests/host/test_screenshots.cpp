// Pictures of the main window, each dialog and the About box, as a new user first sees them,
// written to <build>/screenshots/ for a person to look at; each dialog's layout is checked too.
#include "host_test_support.h"

#include "platform/help/help.h"

#include <QApplication>
#include <QGroupBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTreeWidget>

using namespace snippo;
using namespace hosttest;

namespace {

fs::path shotFolder()
{
    fs::path folder = SCREENSHOT_DIR;
    fs::create_directories(folder);
    return folder;
}

// The controls of `parent` lie wholly inside it and none covers another; the same for every
// group box among them.
void expectLaidOut(QWidget& parent, const char* file)
{
    std::vector<QWidget*> controls;
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            controls.push_back(child);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(parent.rect().contains(controls[i]->geometry()))
            << file << ": " << controls[i]->objectName().toStdString() << " sticks out";
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << file << ": " << controls[i]->objectName().toStdString() << " covers "
                << controls[j]->objectName().toStdString();
        if (auto* group = qobject_cast<QGroupBox*>(controls[i]))
            expectLaidOut(*group, file);
    }
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
        Prompts::PushDialogDriver([&](QDialog& d) {
            saved = save(d, file);
            expectLaidOut(d, file);
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
    // The main window's form, with the page head pane and without: every control where the
    // form's dialog units put it, none covering another.
    CTessalyToolView* view = View();
    const DialogUnits u(view->Form()->font());
    for (bool head : {true, false}) {
        Widget()->SetWebRuntime(head);
        view->FillHtml(0);
        SCOPED_TRACE(head ? "with head" : "without head");
        EXPECT_EQ(view->m_pHead->isHidden(), !head);
        EXPECT_EQ(view->Form()->size(), QSize(u.X(320), u.Y(216)));
        EXPECT_EQ(view->m_pName->geometry(), u.Rect(85, 7, 228, 10));
        EXPECT_EQ(view->m_pDescription->geometry(), u.Rect(85, 19, 228, 10));
        EXPECT_EQ(view->m_pCaptions[2]->pos(), u.Rect(6, 35, 0, 0).topLeft());
        EXPECT_EQ(view->m_pBody->geometry(), u.Rect(6, 45, 307, head ? 52 : 100));
        EXPECT_EQ(view->m_pCaptions[3]->pos(), u.Rect(6, 101, 0, 0).topLeft());
        EXPECT_EQ(view->m_pHead->geometry(), u.Rect(6, 111, 307, 35));
        EXPECT_EQ(view->m_pCaptions[4]->pos(), u.Rect(6, 150, 0, 0).topLeft());
        EXPECT_EQ(view->m_pResources->geometry(), u.Rect(6, 161, 307, 48));
        expectLaidOut(*view->Form(), "main_window.png");
    }
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

TEST(FormView, CaptionsKeepTheirWholeTextWhenTheFormFontShrinks)
{
    // The form measures its dialog units in the application font, its captions are drawn in
    // the system font: with a much smaller application font the captions need more than their
    // place, and the form makes room instead of clipping them.
    const QFont original = QApplication::font();
    QFont small = original;
    if (original.pointSizeF() > 0)
        small.setPointSizeF(original.pointSizeF() / 2);
    else
        small.setPixelSize(original.pixelSize() / 2);
    QApplication::setFont(small);
    const std::shared_ptr<void> restore(nullptr, [&](void*) { QApplication::setFont(original); });
    CTessalyToolView view;
    view.show();
    QApplication::processEvents();
    const DialogUnits u(view.Form()->font());
    ASSERT_LT(u.X(307), view.m_pCaptions[2]->sizeHint().width()) << "the test needs a caption wider than its place";
    for (CColorStatic* caption : view.m_pCaptions) {
        if (!caption->isHidden()) {
            EXPECT_GE(caption->width(), caption->sizeHint().width()) << caption->objectName().toStdString();
            EXPECT_GE(caption->height(), caption->sizeHint().height()) << caption->objectName().toStdString();
        }
    }
    EXPECT_GT(view.Form()->width(), u.X(320));
    EXPECT_GE(view.Form()->height(), u.Y(216));
    expectLaidOut(*view.Form(), "small form font");
}
