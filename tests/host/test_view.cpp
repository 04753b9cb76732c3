// The form view and its Edit commands, Copy Support Files to and Preview.
#include "host_test_support.h"

#include "host/dlg_rename.h"

#include <QPlainTextEdit>
#include <QTreeWidget>

using namespace snippo;
using namespace hosttest;

namespace {

QString edit(QPlainTextEdit* e)
{
    return e->toPlainText();
}

QString lf(QString text)
{
    return text.replace("\r\n", "\n");
}

QStringList rows(QTreeWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list->topLevelItem(i);
        out << row->text(0) + "|" + row->text(1) + "|" + row->text(2);
    }
    return out;
}

}  // namespace

using View_ = HostTest;
using FakeView = FakeHostTest;

TEST_F(View_, RenameShowsTheNewNameAndMarksTheDocument)
{
    ASSERT_TRUE(Start());
    QStringList seen;
    Prompts::PushDialogDriver([&](QDialog& d) {
        seen << d.windowTitle() << Child<QLineEdit>(d, "nameEdit")->text()
             << Child<QLineEdit>(d, "descriptionEdit")->text();
        SetText(d, "nameEdit", "Bad Name");
        Click(d, "okButton");
        seen << (d.isVisible() ? "open" : "closed");
        SetText(d, "nameEdit", "Top10");
        SetText(d, "descriptionEdit", "Ten best: anything goes here!");
        Click(d, "okButton");
    });
    Command(res::ID_EDIT_RENAME);
    EXPECT_EQ(seen, (QStringList{"Rename", "Normal", "", "open"}));
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith("The name of widget is not valid."));
    EXPECT_EQ(View()->m_pName->text(), "Top10");
    EXPECT_EQ(View()->m_pDescription->text(), "Ten best: anything goes here!");
    EXPECT_EQ(Widget()->GetTitle(), "Top10");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(View_, RenameWithUnchangedValuesStillMarksTheDocumentAndCancelDoesNot)
{
    ASSERT_TRUE(Start());
    Prompts::PushDialogDriver([](QDialog& d) { Click(d, "cancelButton"); });
    Command(res::ID_EDIT_RENAME);
    EXPECT_FALSE(Doc()->IsModified());
    Prompts::PushDialogDriver([](QDialog& d) { Click(d, "okButton"); });
    Command(res::ID_EDIT_RENAME);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Widget()->GetTitle(), "Normal");
}

TEST(GetLocalHtml, PreviewPathIsNormalised)
{
    EXPECT_EQ(CDlgGetLocalHtml::NormalisePreviewPath(""), "");
    EXPECT_EQ(CDlgGetLocalHtml::NormalisePreviewPath("images\\buttons"), "images/buttons/");
    EXPECT_EQ(CDlgGetLocalHtml::NormalisePreviewPath("C:\\Web\\Site"), "C:/Web/Site/");
    EXPECT_EQ(CDlgGetLocalHtml::NormalisePreviewPath("images/buttons/"), "images/buttons/");
    EXPECT_EQ(CDlgGetLocalHtml::NormalisePreviewPath("img"), "img/");
}

TEST_F(View_, GetLocalHtmlSetsThePreviewPathAndGetWebHtmlShowsTheWebForm)
{
    ASSERT_TRUE(Start());
    QString shown;
    Prompts::PushDialogDriver([&](QDialog& d) {
        shown = d.windowTitle() + "|" + Child<QLineEdit>(d, "previewPathEdit")->text();
        SetText(d, "previewPathEdit", "images\\buttons");
        Click(d, "okButton");
    });
    Command(res::ID_EDIT_GET_LOCAL_HTML);
    EXPECT_EQ(shown, "Get Local HTML|");
    EXPECT_EQ(Widget()->GetPreviewPath(), "images/buttons/");
    EXPECT_TRUE(Doc()->IsModified());
    const QString local = Widget()->GetHTMLBody(0, 0);
    EXPECT_TRUE(local.contains("images/buttons/"));
    EXPECT_EQ(edit(View()->m_pBody), lf(local));

    Doc()->SetModifiedFlag(false);
    Command(res::ID_EDIT_GET_WEB_HTML);
    EXPECT_EQ(edit(View()->m_pBody), lf(Widget()->GetHTMLBody(0, 1)));
    EXPECT_NE(edit(View()->m_pBody), lf(local));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Widget()->GetPreviewPath(), "images/buttons/");

    // The dialog opens with the current path; a cancel changes nothing.
    Prompts::PushDialogDriver([&](QDialog& d) {
        shown = Child<QLineEdit>(d, "previewPathEdit")->text();
        Click(d, "cancelButton");
    });
    Command(res::ID_EDIT_GET_LOCAL_HTML);
    EXPECT_EQ(shown, "images/buttons/");
    EXPECT_EQ(edit(View()->m_pBody), lf(Widget()->GetHTMLBody(0, 1))) << "web HTML stays until a refresh";
}

TEST_F(View_, CopySupportFilesLeavesTheFilesButNoCopyresFile)
{
    ASSERT_TRUE(Start());
    fs::path target = tmp / "site";
    fs::create_directories(target);
    Frame()->UpdateCommandUI();
    EXPECT_TRUE(Frame()->Action(res::ID_FILE_COPY_SUPPORT_FILES)->isEnabled());
    Prompts::PushFileName(QString::fromStdString(target.string()));
    Command(res::ID_FILE_COPY_SUPPORT_FILES);
    const PromptRecord& chooser = Prompts::Record().front();
    EXPECT_EQ(chooser.kind, PromptRecord::Kind::Folder);
    EXPECT_EQ(chooser.strTitle, "Choose a directory");
    EXPECT_EQ(Messages(),
              QStringList{"Copy support files to " + QString::fromStdString(target.string()) + " success!"});
    EXPECT_TRUE(fs::exists(target / "qlnbtn.class"));
    EXPECT_FALSE(fs::exists(target / "copyres.qwd"));
    EXPECT_FALSE(Doc()->IsModified());

    // Cancelled, or a folder that is not there: nothing happens.
    Prompts::ClearRecord();
    Prompts::PushFileName("");
    Command(res::ID_FILE_COPY_SUPPORT_FILES);
    Prompts::PushFileName(QString::fromStdString((tmp / "absent").string()));
    Command(res::ID_FILE_COPY_SUPPORT_FILES);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_FALSE(fs::exists(tmp / "absent"));

    // A folder that takes no widget file, for any account (the name is a folder's with
    // something in it), as a read-only one takes none.
    fs::create_directories(target / "copyres.qwd" / "inside");
    Prompts::PushFileName(QString::fromStdString(target.string()));
    Command(res::ID_FILE_COPY_SUPPORT_FILES);
    EXPECT_EQ(Messages(),
              QStringList{"Copy support files to " + QString::fromStdString(target.string()) + " failure!"});
    EXPECT_TRUE(fs::exists(target / "copyres.qwd" / "inside"));
}

TEST_F(FakeView, CopySupportFilesIsDisabledWithoutResourcesAndReportsAWriteThatFails)
{
    Fake().resources.clear();
    ASSERT_TRUE(Start());
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(Frame()->Action(res::ID_FILE_COPY_SUPPORT_FILES)->isEnabled());
    Doc()->OnFileCopySupportFiles();
    EXPECT_TRUE(Prompts::Record().empty());

    Fake().resources = {{"fake.class", "/srv/", ""}};
    Frame()->UpdateCommandUI();
    EXPECT_TRUE(Frame()->Action(res::ID_FILE_COPY_SUPPORT_FILES)->isEnabled());
    Fake().bWriteFails = true;
    Prompts::PushFileName(QString::fromStdString(tmp.string()));
    Command(res::ID_FILE_COPY_SUPPORT_FILES);
    EXPECT_EQ(Messages(), QStringList{"Copy support files to " + QString::fromStdString(tmp.string()) + " failure!"});
    EXPECT_FALSE(fs::exists(tmp / "copyres.qwd"));
}

TEST_F(View_, PreviewWritesThePageAndLaunchesTheBrowserOnIt)
{
    ASSERT_TRUE(Start());
    Widget()->SetWebRuntime(false);  // the applet alone: one segment, nothing for the head
    Widget()->SetPreviewPath("images/");
    std::string body;
    {
        // What the widget gives for an empty preview path: bare file names.
        Widget()->SetPreviewPath("");
        body = Widget()->GetHTMLBody(0, 0).toStdString();
        Widget()->SetPreviewPath("images/");
    }
    Command(res::ID_EDIT_PREVIEW);
    fs::path folder = OwnPreviewFolder();
    fs::path page = folder / "preview.htm";
    ASSERT_TRUE(fs::exists(page));
    const std::string expected =
        "<HTML>\r\n<HEAD>\r\n<TITLE>Preview</TITLE>\r\n\r\n\r\n</HEAD>\r\n<BODY>\r\n" + body + "\r\n</BODY>\r\n</HTML>";
    EXPECT_EQ(ReadFile(page), expected);
    EXPECT_TRUE(fs::exists(folder / "preview.qwd"));
    EXPECT_TRUE(fs::exists(folder / "qlnbtn.class"));
    EXPECT_EQ(Widget()->GetPreviewPath(), "images/");
    EXPECT_FALSE(Doc()->IsModified());
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0], (ShellCall{"open", page.string(), "", ""}));

    // A second preview overwrites the same page.
    WriteFile(page, std::string(10000, 'x'));
    Command(res::ID_EDIT_PREVIEW);
    EXPECT_EQ(ReadFile(page), expected);
    EXPECT_EQ(shellCalls.size(), 2u);
}

TEST_F(FakeView, PreviewFailureWhenThePageCannotBeCreated)
{
    ASSERT_TRUE(Start());
    fs::create_directories(OwnPreviewFolder() / "preview.htm");  // a folder where the page goes
    fs::permissions(OwnPreviewFolder(), fs::perms::owner_all);
    Command(res::ID_EDIT_PREVIEW);
    EXPECT_EQ(Messages(), QStringList{"Preview Failure!"});
    EXPECT_TRUE(shellCalls.empty());
}

TEST_F(FakeView, HeadSegmentsGoToTheHeadPaneAndThePreviewHead)
{
    Fake().segments = {{"style", "<STYLE>s{PATH}</STYLE>"},
                       {"cursor", "<P>{PATH}first</P>"},
                       {"elsewhere", "<P>never shown</P>"},
                       {"script", "<SCRIPT>x</SCRIPT>\r\n"},
                       {"cursor", "<P>{PATH}second</P>"}};
    ASSERT_TRUE(Start());
    Widget()->SetPreviewPath("pics/");
    View()->FillHtml(0);
    EXPECT_EQ(edit(View()->m_pBody), "<P>pics/second</P>") << "a later cursor segment replaces an earlier one";
    EXPECT_EQ(edit(View()->m_pHead), "<STYLE>spics/</STYLE>\n<SCRIPT>x</SCRIPT>\n");
    View()->FillHtml(1);
    EXPECT_EQ(edit(View()->m_pBody), "<P>web/second</P>");

    Command(res::ID_EDIT_PREVIEW);
    EXPECT_EQ(ReadFile(OwnPreviewFolder() / "preview.htm"),
              "<HTML>\r\n<HEAD>\r\n<TITLE>Preview</TITLE>\r\n<STYLE>s</STYLE>\r\n<SCRIPT>x</SCRIPT>\r\n\r\n</HEAD>\r\n"
              "<BODY>\r\n<P>second</P>\r\n</BODY>\r\n</HTML>");
    EXPECT_EQ(Widget()->GetPreviewPath(), "pics/");
}

TEST_F(FakeView, ConfigureRefreshesTheListWithoutLeftoverRows)
{
    Fake().resources = {{"fake.class", "/srv/", ""}, {"a.gif", "/srv/img", "img/"}, {"b.au", "/srv/snd", "snd/"}};
    Fake().resourcesAfterConfig = {{"fake.class", "/srv/", ""}, {"c.gif", "/home/pics", "pics/"}};
    ASSERT_TRUE(Start());
    EXPECT_EQ(rows(View()->m_pResources).size(), 3);
    View()->m_pName->setText("untouched");
    Command(res::ID_EDIT_CONFIGURE);
    EXPECT_EQ(rows(View()->m_pResources), (QStringList{"fake.class|/srv/|", "c.gif|/home/pics|pics/"}));
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(View()->m_pName->text(), "untouched") << "Configure leaves the name labels alone";

    // Configure that reports no change refreshes nothing.
    Doc()->SetModifiedFlag(false);
    Fake().bConfigResult = false;
    Fake().resources = {{"z.gif", "/z", ""}};
    Command(res::ID_EDIT_CONFIGURE);
    EXPECT_EQ(rows(View()->m_pResources).size(), 2);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(FakeView, FailingAutomationCallEndsTheCommandWithItsMessage)
{
    ASSERT_TRUE(Start());
    Fake().nFailDispid = dispid::Config;
    Fake().strFailText = "The editor window cannot be created.";
    Command(res::ID_EDIT_CONFIGURE);
    EXPECT_EQ(Messages(), QStringList{"The editor window cannot be created."});
    EXPECT_FALSE(Doc()->IsModified());

    Prompts::ClearRecord();
    Fake().nFailDispid = dispid::GetHTMLBody;
    Fake().strFailText.clear();
    Command(res::ID_EDIT_GET_WEB_HTML);
    EXPECT_EQ(Messages(), QStringList{"Unspecified error."});

    // Preview puts the preview path back even when the widget fails half-way.
    Prompts::ClearRecord();
    Widget()->SetPreviewPath("keep/");
    Command(res::ID_EDIT_PREVIEW);
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_EQ(Widget()->GetPreviewPath(), "keep/");
    EXPECT_TRUE(shellCalls.empty());
}

TEST_F(View_, ViewSampleShowsTheSamplePage)
{
    ASSERT_TRUE(Start());
    Command(res::ID_HELP_VIEW_SAMPLE);
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0], (ShellCall{"open", (serverFolder / "Sample" / "sample.htm").string(), "", ""}));
}

TEST_F(View_, NewWidgetsWorkInCurrentBrowsersUnlessTheOptionIsOff)
{
    ASSERT_TRUE(Start());
    // The first document already loads the runtime: the head pane shows the script line.
    EXPECT_TRUE(Widget()->GetWebRuntime());
    EXPECT_TRUE(View()->m_pHead->isVisibleTo(View()));
    EXPECT_EQ(edit(View()->m_pHead), "\n<script src=\"qlnbtn.js\" defer></script>\n");

    // Preview puts it into the page head and the runtime beside the page.
    Command(res::ID_EDIT_PREVIEW);
    const std::string page = ReadFile(OwnPreviewFolder() / "preview.htm");
    EXPECT_EQ(
        0u, page.find("<HTML>\r\n<HEAD>\r\n<TITLE>Preview</TITLE>\r\n\r\n<script src=\"qlnbtn.js\" defer></script>\r\n"
                      "\r\n</HEAD>\r\n<BODY>\r\n<p align=\"Center\">"))
        << page;
    EXPECT_TRUE(fs::is_regular_file(OwnPreviewFolder() / "qlnbtn.js"));

    // Turned off, the choice is kept and the next new widget is the plain applet.
    QAction* option = Frame()->findChild<QAction*>("actionOptionWebRuntime");
    ASSERT_NE(option, nullptr);
    EXPECT_TRUE(option->isChecked());
    option->trigger();
    EXPECT_EQ(0, app->Profile().GetProfileInt("Options", "Web Runtime", -1));
    Prompts::PushDialogDriver([](QDialog& d) { Click(d, "okButton"); });
    Command(res::ID_FILE_NEW);
    EXPECT_FALSE(Widget()->GetWebRuntime());
    EXPECT_EQ(1, Widget()->GetHTMLSegmentNumber());
    EXPECT_FALSE(View()->m_pHead->isVisibleTo(View()));
    ASSERT_TRUE(Restart());
    EXPECT_FALSE(app->m_bWebRuntime);
    EXPECT_FALSE(Widget()->GetWebRuntime());
}
