// The document: New (with and without templates, cancelled), Open (valid, missing, written by
// another widget), Save and Save As, the save question and the recent-file list.
#include "host_test_support.h"

#include "platform/com/dispatch.h"
#include "platform/registry/registry.h"

#include <QLabel>
#include <QTest>
#include <QListWidget>
#include <QMenu>

using namespace snippo;
using namespace hosttest;

namespace {

std::string bitmapFileName(CSnippo* widget)
{
    Variant result;
    EXPECT_EQ(AutomationInvoke(widget->Dispatch(), dispid::BitmapFileName, DISPATCH_PROPERTYGET, {}, &result), S_OK);
    std::string text;
    result.ToUtf8(&text);
    return text;
}

std::string recentFile(int n)
{
    CProfile profile("Quillon", "Tessaly GlimButton");
    return profile.GetProfileString("Recent File List", "File" + QString::number(n), "<none>").toStdString();
}

const QString kUntitled = "Untitled_SnippoServer.GlimButton - Tessaly GlimButton";

}  // namespace

using Document = HostTest;
using FakeDocument = FakeHostTest;

TEST_F(Document, NewWithoutTemplatesNamesTheFreshWidget)
{
    ASSERT_TRUE(Start());
    QStringList seen;
    Prompts::PushDialogDriver([&](QDialog& d) {
        // Typing replaces the preset name: it starts selected.
        QTest::keyClicks(Child<QLineEdit>(d, "nameEdit"), "Typed");
        seen << Child<QLineEdit>(d, "nameEdit")->text();
        seen << d.windowTitle() << Child<QLineEdit>(d, "descriptionEdit")->text()
             << QString::number(Child<QListWidget>(d, "templateList")->count())
             << Child<QLabel>(d, "templateDescription")->text();
        SetText(d, "nameEdit", "Blue1");
        SetText(d, "descriptionEdit", "Blue menu");
        Click(d, "okButton");
    });
    Command(res::ID_FILE_NEW);
    EXPECT_EQ(seen, (QStringList{"Typed", "New ", "", "0", ""}));
    EXPECT_EQ(Dialogs(), QStringList{"dlgNew"});
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(View()->m_pName->text(), "Blue1");
    EXPECT_EQ(View()->m_pDescription->text(), "Blue menu");
    EXPECT_EQ(Widget()->GetPreviewPath(), "");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Title(), kUntitled);
}

TEST_F(Document, NewDialogRefusesNamesThatAreNotAlphanumeric)
{
    ASSERT_TRUE(Start());
    bool stillOpen[3] = {};
    Prompts::PushDialogDriver([&](QDialog& d) {
        const char* refused[] = {"", "my_menu", "my menu"};
        for (int i = 0; i < 3; ++i) {
            SetText(d, "nameEdit", refused[i]);
            Click(d, "okButton");
            stillOpen[i] = d.isVisible();
        }
        SetText(d, "nameEdit", "Menu2000");
        Click(d, "okButton");
    });
    Command(res::ID_FILE_NEW);
    EXPECT_TRUE(stillOpen[0] && stillOpen[1] && stillOpen[2]);
    const QString widgetMessage =
        "The name of widget is not valid.It accept only alphanumeric characters.\n"
        "You have entered an invalid character, such as '-', '_', ':', ';', '#', (), [], or ?, in the name.\n";
    EXPECT_EQ(Messages(), (QStringList{"You must enter a name!", widgetMessage, widgetMessage}));
    EXPECT_EQ(View()->m_pName->text(), "Menu2000");
}

TEST_F(Document, NewFromATemplateReadsItIntoTheDocumentsWidget)
{
    ASSERT_TRUE(Start());
    MakeTemplate("Alpha_SnippoServer.GlimButton", "Alpha", "First");
    {
        CSnippo writer;
        ASSERT_TRUE(writer.CreateDispatch("SnippoServer.GlimButton"));
        writer.SetTitle("Beta");
        writer.SetDescription("Second");
        writer.SetPreviewPath("images/");
        ASSERT_EQ(
            AutomationInvoke(writer.Dispatch(), dispid::BitmapFileName, DISPATCH_PROPERTYPUT, {Variant("pic.gif")}),
            S_OK);
        ASSERT_TRUE(writer.WriteConfigFile(
            QString::fromStdString((serverFolder / "Beta_SnippoServer.GlimButton.qwd").string())));
    }
    QString firstDescription, afterSelect, nameAfterSelect;
    QStringList listed;
    Prompts::PushDialogDriver([&](QDialog& d) {
        auto* list = Child<QListWidget>(d, "templateList");
        for (int i = 0; i < list->count(); ++i)
            listed << list->item(i)->text();
        firstDescription = Child<QLabel>(d, "templateDescription")->text();
        EXPECT_EQ(list->currentRow(), 0);
        SetText(d, "nameEdit", "Gamma");
        list->setCurrentRow(listed.indexOf("Beta"));
        afterSelect = Child<QLabel>(d, "templateDescription")->text();
        nameAfterSelect = Child<QLineEdit>(d, "nameEdit")->text();
        Click(d, "okButton");
    });
    Command(res::ID_FILE_NEW);
    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed.contains("Alpha") && listed.contains("Beta"));
    EXPECT_EQ(firstDescription, listed[0] == "Alpha" ? "First" : "Second");
    EXPECT_EQ(afterSelect, "Second");
    EXPECT_EQ(nameAfterSelect, "Gamma");
    EXPECT_EQ(bitmapFileName(Widget()), "pic.gif");
    EXPECT_EQ(Widget()->GetTitle(), "Gamma");
    EXPECT_EQ(Widget()->GetDescription(), "");
    EXPECT_EQ(Widget()->GetPreviewPath(), "");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(Document, CancelledNewStillReplacesTheDocumentWithAFreshWidget)
{
    fs::path shop = MakeWidgetFile(tmp / "Shop.qwd", "Shop", "Shop menu");
    ASSERT_TRUE(Start());
    ASSERT_NE(app->OpenDocumentFile(QString::fromStdString(shop.string())), nullptr);
    Prompts::PushDialogDriver([](QDialog& d) {
        SetText(d, "nameEdit", "Ignored");
        Click(d, "cancelButton");
    });
    Command(res::ID_FILE_NEW);
    EXPECT_EQ(Dialogs(), QStringList{"dlgNew"});
    EXPECT_EQ(View()->m_pName->text(), "Normal");
    EXPECT_EQ(Widget()->GetTitle(), "Normal");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    EXPECT_EQ(Title(), kUntitled);
}

TEST_F(Document, NewAsksToSaveChangesFirst)
{
    ASSERT_TRUE(Start());
    Doc()->SetModifiedFlag(true);
    Prompts::PushAnswer(QMessageBox::Cancel);
    Command(res::ID_FILE_NEW);
    EXPECT_EQ(Messages(), QStringList{"Save changes to Untitled_SnippoServer.GlimButton?"});
    const PromptRecord& question = Prompts::Record().back();
    EXPECT_EQ(question.strTitle, "Tessaly GlimButton");
    EXPECT_EQ(question.buttons, (QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
    EXPECT_EQ(question.icon, QMessageBox::Question);
    EXPECT_EQ(question.defaultButton, QMessageBox::Yes);
    EXPECT_TRUE(Dialogs().isEmpty());
    EXPECT_TRUE(Doc()->IsModified());

    Prompts::ClearRecord();
    Prompts::PushAnswer(QMessageBox::No);
    Prompts::PushDialogDriver([](QDialog& d) { Click(d, "okButton"); });
    Command(res::ID_FILE_NEW);
    EXPECT_EQ(Dialogs(), QStringList{"dlgNew"});
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(Document, OpenShowsTheFileAndItsName)
{
    ASSERT_TRUE(Start());
    fs::path file = MakeWidgetFile(tmp / "Shop.qwd", "Shop", "Shop menu");
    Prompts::PushFileName(QString::fromStdString(file.string()));
    Command(res::ID_FILE_OPEN);
    const PromptRecord& chooser = Prompts::Record().front();
    EXPECT_EQ(chooser.kind, PromptRecord::Kind::OpenFile);
    EXPECT_EQ(chooser.strTitle, "Open");
    EXPECT_EQ(chooser.strText, "Tessaly Widgets File(*.qwd) ");
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Title(), "Shop.qwd - Tessaly GlimButton");
    EXPECT_EQ(View()->m_pName->text(), "Shop");
    EXPECT_EQ(View()->m_pDescription->text(), "Shop menu");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(recentFile(1), file.string());
}

TEST_F(Document, OpenOfAMissingFileKeepsTheDocument)
{
    ASSERT_TRUE(Start());
    Doc()->SetModifiedFlag(true);
    Prompts::PushAnswer(QMessageBox::No);
    std::string missing = (tmp / "nowhere" / "Gone.qwd").string();
    EXPECT_EQ(app->OpenDocumentFile(QString::fromStdString(missing)), nullptr);
    EXPECT_EQ(Messages(),
              (QStringList{"Save changes to Untitled_SnippoServer.GlimButton?",
                           QString::fromStdString(missing) +
                               "\nThis file cannot be found.\nCheck that the path and the file name are correct."}));
    EXPECT_EQ(Title(), kUntitled);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_NE(Widget(), nullptr);
    EXPECT_EQ(recentFile(1), "<none>");
}

TEST_F(Document, FailedOpenKeepsTheDocumentsWidgetAndSavingWithoutOneFails)
{
    fs::path shop = MakeWidgetFile(tmp / "Shop.qwd", "Shop", "");
    ASSERT_TRUE(Start({"Shop.qwd"}));
    CSnippo* before = Widget();
    Widget()->SetPreviewPath("pics/");
    fs::path other = MakeWidgetFile(tmp / "Clock.qwd", "Clock", "", "SnippoServer.DigitalClock");
    EXPECT_EQ(app->OpenDocumentFile(QString::fromStdString(other.string())), nullptr);
    EXPECT_EQ(Messages(), QStringList{"This File is not saved by Tessaly GlimButton!"});
    ASSERT_EQ(Widget(), before);
    EXPECT_EQ(Widget()->GetTitle(), "Shop");
    EXPECT_EQ(Widget()->GetPreviewPath(), "pics/");
    EXPECT_EQ(Title(), "Shop.qwd - Tessaly GlimButton");
    EXPECT_EQ(Doc()->GetPathName().toStdString(), shop.string());
    EXPECT_EQ(View()->m_pName->text(), "Shop") << "the view still shows what it showed";

    // What Save As writes is what the view shows.
    Prompts::PushFileName(QString::fromStdString((tmp / "ghost").string()));
    Command(res::ID_FILE_SAVE_AS);
    EXPECT_NE(ReadFile(tmp / "ghost.qwd").find("Title = Shop\r\n"), std::string::npos);
    EXPECT_EQ(Title(), "ghost.qwd - Tessaly GlimButton");

    // A New that cannot create its widget leaves the document without one: the widget's
    // commands do nothing, and a save writes nothing and says so.
    ASSERT_EQ(RegDeleteTree(HKEY_CLASSES_ROOT, "SnippoServer.GlimButton"), ERROR_SUCCESS);
    Prompts::ClearRecord();
    Command(res::ID_FILE_NEW);
    ASSERT_EQ(Widget(), nullptr);
    EXPECT_EQ(Messages(), QStringList{"Create the dispatch of the SnippoServer.GlimButton Error!"});
    Prompts::ClearRecord();
    Command(res::ID_EDIT_RENAME);
    Command(res::ID_FILE_SAVE_AS_TEMPLATE);
    Command(res::ID_EDIT_PREVIEW);
    Command(res::ID_HELP_VIEW_SAMPLE);
    EXPECT_TRUE(Prompts::Record().empty());
    EXPECT_TRUE(shellCalls.empty());
    EXPECT_FALSE(Frame()->Action(res::ID_FILE_COPY_SUPPORT_FILES)->isEnabled());
    QString title = Title();
    std::string ghost2 = (tmp / "ghost2.qwd").string();
    Prompts::PushFileName(QString::fromStdString(ghost2));
    Command(res::ID_FILE_SAVE_AS);
    EXPECT_EQ(Messages(), QStringList{"Save to " + QString::fromStdString(ghost2) + " Error!"});
    EXPECT_FALSE(fs::exists(ghost2));
    EXPECT_EQ(Title(), title);
    EXPECT_EQ(recentFile(1), (tmp / "ghost.qwd").string());
}

TEST_F(FakeDocument, SaveThatWritesNothingIsAFailedSave)
{
    MakeWidgetFile(tmp / "Shop.qwd", "Shop", "");
    ASSERT_TRUE(Start({"Shop.qwd"}));
    Doc()->SetModifiedFlag(true);
    Fake().bWriteNothing = true;
    std::string ghost = (tmp / "ghost.qwd").string();
    Prompts::PushFileName(QString::fromStdString(ghost));
    Command(res::ID_FILE_SAVE_AS);
    EXPECT_EQ(Messages(), QStringList{"Save to " + QString::fromStdString(ghost) + " Error!"});
    EXPECT_EQ(Title(), "Shop.qwd - Tessaly GlimButton");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(recentFile(1), (tmp / "Shop.qwd").string());
    EXPECT_EQ(recentFile(2), "<none>");
}

TEST_F(FakeDocument, WidgetThatCannotReadTheFileIsReported)
{
    ASSERT_TRUE(Start());
    CSnippo* before = Widget();
    int live = Fake().nLiveObjects;
    fs::path file = MakeWidgetFile(tmp / "Broken.qwd", "Broken", "");
    Fake().bReadFails = true;
    EXPECT_EQ(app->OpenDocumentFile(QString::fromStdString(file.string())), nullptr);
    EXPECT_EQ(Messages(), QStringList{"Open " + QString::fromStdString(file.string()) + " Error!"});
    EXPECT_EQ(Widget(), before);
    EXPECT_EQ(Fake().nLiveObjects, live) << "the reader of the failed file is gone";
}

TEST_F(Document, SaveAsksForANameThenSavesToTheFile)
{
    ASSERT_TRUE(Start());
    Doc()->SetModifiedFlag(true);
    Prompts::PushFileName(QString::fromStdString((tmp / "Mine").string()));
    double before = CurrentOleDate();
    Command(res::ID_FILE_SAVE);
    const PromptRecord& chooser = Prompts::Record().front();
    EXPECT_EQ(chooser.kind, PromptRecord::Kind::SaveFile);
    EXPECT_EQ(chooser.strTitle, "Save As");
    EXPECT_EQ(chooser.strText, "Tessaly Widgets File(*.qwd) ");
    fs::path saved = tmp / "Mine.qwd";
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_TRUE(fs::exists(tmp / "qlnbtn.class")) << "the widget places its support files beside the file";
    std::string text = ReadFile(saved);
    EXPECT_NE(text.find("ProgID = SnippoServer.GlimButton\r\n"), std::string::npos);
    EXPECT_NE(text.find("Title = Normal\r\n"), std::string::npos);
    std::size_t at = text.find("LastUpdateTime = ");
    ASSERT_NE(at, std::string::npos);
    double stamp = std::stod(text.substr(at + 17));
    EXPECT_NEAR(stamp, before, 2.0 / 86400);
    EXPECT_EQ(Title(), "Mine.qwd - Tessaly GlimButton");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(recentFile(1), saved.string());

    // Saved once, Save writes to the same file without asking.
    Prompts::ClearRecord();
    Widget()->SetTitle("Again");
    Doc()->SetModifiedFlag(true);
    Command(res::ID_FILE_SAVE);
    EXPECT_TRUE(Prompts::Record().empty());
    EXPECT_NE(ReadFile(saved).find("Title = Again\r\n"), std::string::npos);

    // A file that has gone since is asked for again.
    fs::remove(saved);
    Prompts::PushFileName("");
    Command(res::ID_FILE_SAVE);
    ASSERT_EQ(Prompts::Record().size(), 1u);
    EXPECT_EQ(Prompts::Record()[0].kind, PromptRecord::Kind::SaveFile);
}

TEST_F(Document, SaveAsMovesTheDocumentAndAFailedSaveKeepsItModified)
{
    MakeWidgetFile(tmp / "Shop.qwd", "Shop", "");
    ASSERT_TRUE(Start({"Shop.qwd"}));
    std::string bad = (tmp / "no such folder" / "Copy.qwd").string();
    Prompts::PushFileName(QString::fromStdString(bad));
    Doc()->SetModifiedFlag(true);
    Command(res::ID_FILE_SAVE_AS);
    EXPECT_EQ(Messages(), QStringList{"Save to " + QString::fromStdString(bad) + " Error!"});
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Title(), "Shop.qwd - Tessaly GlimButton");

    Prompts::PushFileName(QString::fromStdString((tmp / "Copy.qwd").string()));
    Command(res::ID_FILE_SAVE_AS);
    EXPECT_EQ(Title(), "Copy.qwd - Tessaly GlimButton");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(fs::exists(tmp / "Copy.qwd"));

    // Cancelling the chooser changes nothing.
    Prompts::PushFileName("");
    Doc()->SetModifiedFlag(true);
    Command(res::ID_FILE_SAVE_AS);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Title(), "Copy.qwd - Tessaly GlimButton");
}

TEST_F(Document, SaveQuestionYesSavesBeforeClosing)
{
    ASSERT_TRUE(Start());
    Doc()->SetModifiedFlag(true);
    Prompts::PushAnswer(QMessageBox::Yes);
    Prompts::PushFileName(QString::fromStdString((tmp / "AtExit.qwd").string()));
    Command(res::ID_APP_EXIT);
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_TRUE(fs::exists(tmp / "AtExit.qwd"));
}

TEST_F(Document, RecentFileListKeepsFourEntriesAndDropsFilesThatFail)
{
    ASSERT_TRUE(Start());
    std::vector<fs::path> files;
    for (const char* name : {"One", "Two", "Three", "Four", "Five"}) {
        files.push_back(MakeWidgetFile(tmp / (std::string(name) + ".qwd"), name, ""));
        ASSERT_NE(app->OpenDocumentFile(QString::fromStdString(files.back().string())), nullptr);
    }
    EXPECT_EQ(recentFile(1), files[4].string());
    EXPECT_EQ(recentFile(4), files[1].string());
    EXPECT_EQ(recentFile(5), "<none>");

    Frame()->RebuildRecentFileMenu();
    QAction* third = Frame()->Action(res::ID_FILE_MRU_FILE1 + 2);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->text(), "&3 Three.qwd") << "files in the current folder show by name";
    EXPECT_EQ(third->statusTip(), "Open this document");
    third->trigger();
    EXPECT_EQ(Title(), "Three.qwd - Tessaly GlimButton");
    EXPECT_EQ(recentFile(1), files[2].string());

    fs::remove(files[3]);  // "Four" is now the third entry
    Frame()->RebuildRecentFileMenu();
    Frame()->Action(res::ID_FILE_MRU_FILE1 + 2)->trigger();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(recentFile(1), files[2].string());
    EXPECT_EQ(recentFile(3), files[1].string());
    EXPECT_EQ(recentFile(4), "<none>");
    EXPECT_EQ(app->RecentFiles().GetSize(), 3);
}

TEST_F(Document, RecentFileWithNonAsciiPathIsStoredInUtf8AndReopensAfterRestart)
{
    ASSERT_TRUE(Start());
    const std::string folder = tmp.string() + "/M\303\244ntel";  // "Mäntel", "Größe.qwd" in UTF-8
    fs::create_directories(folder);
    const fs::path file = MakeWidgetFile(folder + "/Gr\303\266\303\237e.qwd", "Coats", "");
    ASSERT_NE(app->OpenDocumentFile(QString::fromUtf8(file.string())), nullptr);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "Software\\Quillon\\Tessaly GlimButton\\Recent File List", &key),
              ERROR_SUCCESS);
    std::string stored;
    EXPECT_EQ(RegQueryString(key, "File1", &stored), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(stored, file.string());

    ASSERT_TRUE(Restart());
    ASSERT_EQ(app->RecentFiles().GetSize(), 1);
    EXPECT_EQ(app->RecentFiles()[0], QString::fromUtf8(file.string()));
    Frame()->RebuildRecentFileMenu();
    QAction* first = Frame()->Action(res::ID_FILE_MRU_FILE1);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->text().endsWith(QStringLiteral("/Gr\u00f6\u00dfe.qwd"))) << first->text().toStdString();
    first->trigger();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Title(), QStringLiteral("Gr\u00f6\u00dfe.qwd - Tessaly GlimButton"));
    EXPECT_EQ(View()->m_pName->text(), "Coats");
}

TEST(RecentFileList, MenuTextShortensLongPathsAndEscapesAmpersands)
{
    CProfile profile("Quillon", "Tessaly GlimButton");
    CRecentFileList list(profile, "Recent File List", 4);
    list.Add("/home/user/projects/web/site/menus/Top.qwd");
    list.Add("/srv/A&B.qwd");
    EXPECT_EQ(list.MenuText(0, "/elsewhere"), "&1 /srv/A&&B.qwd");
    EXPECT_EQ(list.MenuText(1, "/elsewhere"), "&2 /home/.../Top.qwd");
    EXPECT_EQ(list.MenuText(1, "/home/user/projects/web/site/menus"), "&2 Top.qwd");
    list.Add("/srv/A&B.qwd");
    EXPECT_EQ(list.GetSize(), 2) << "a listed file moves up instead of being listed twice";
}

TEST(PromptService, ResponderAnswersWhileItLivesThenTheOneBeforeIsBack)
{
    QStringList seen;
    {
        ScopedPromptResponder outer([&](const PromptRequest& r) {
            seen << "outer: " + r.text;
            return QMessageBox::Yes;
        });
        EXPECT_EQ(AskUser(nullptr, "first", QMessageBox::Yes | QMessageBox::No), QMessageBox::Yes);
        {
            ScopedPromptResponder inner([&](const PromptRequest& r) {
                seen << "inner: " + r.title + "|" + r.text;
                EXPECT_EQ(r.icon, QMessageBox::Warning);
                EXPECT_EQ(r.buttons, (QMessageBox::Ok | QMessageBox::Cancel));
                EXPECT_EQ(r.defaultButton, QMessageBox::Ok);
                return QMessageBox::Cancel;
            });
            EXPECT_EQ(AskUser(nullptr, "second", QMessageBox::Ok | QMessageBox::Cancel), QMessageBox::Cancel);
        }
        EXPECT_EQ(AskUser(nullptr, "third"), QMessageBox::Yes);
    }
    EXPECT_EQ(seen, (QStringList{"outer: first", "inner: Tessaly GlimButton|second", "outer: third"}));
    EXPECT_EQ(EscapeButton(QMessageBox::Yes | QMessageBox::No), QMessageBox::No);
    EXPECT_EQ(EscapeButton(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel), QMessageBox::Cancel);
    EXPECT_EQ(EscapeButton(QMessageBox::Ok), QMessageBox::Ok);
}
