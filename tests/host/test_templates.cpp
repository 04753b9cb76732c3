// Templates: the proxy's listing, Save as Template and Manage Templates.
#include "host_test_support.h"

#include <QLabel>
#include <QListWidget>

#include <algorithm>
#include <random>

using namespace snippo;
using namespace hosttest;

namespace {

const QString kTemplateMessage =
    "The template name of widget is not valid.It accept only alphanumeric characters.\n"
    "You have entered an invalid character, such as '-', '_', ':', ';', '#', (), [], or ?, in the name.\n";

QStringList listed(QDialog& d)
{
    QStringList names;
    auto* list = Child<QListWidget>(d, "templateList");
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

// The proxy's listing, one column a vector.
void listTemplates(CSnippo& proxy, std::vector<std::string>& names, std::vector<std::string>& descriptions,
                   std::vector<std::string>& paths)
{
    for (const CTemplateEntry& entry : proxy.ListTemplates()) {
        names.push_back(entry.m_strName.toStdString());
        descriptions.push_back(entry.m_strDescription.toStdString());
        paths.push_back(entry.m_strPath.toStdString());
    }
}

std::vector<std::string> sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

using Templates = HostTest;
using FakeTemplates = FakeHostTest;

TEST_F(Templates, ListingTakesOnlyThisWidgetKindAndKeepsDuplicates)
{
    ASSERT_TRUE(Start());
    MakeTemplate("Blue1_SnippoServer.GlimButton", "Blue1", "blue");
    MakeTemplate("Other_SnippoServer.GlimButton", "Blue1", "same title, other file");
    MakeTemplate("oddname", "Odd", "named against the rule");
    MakeWidgetFile(serverFolder / "Clock_SnippoServer.DigitalClock.qwd", "Clock", "", "SnippoServer.DigitalClock");
    WriteFile(serverFolder / "notes.txt", "not a template");

    CSnippo proxy;
    ASSERT_TRUE(proxy.CreateDispatch("SnippoServer.GlimButton"));
    std::vector<std::string> names, descriptions, paths;
    listTemplates(proxy, names, descriptions, paths);
    EXPECT_EQ(sorted(names), (std::vector<std::string>{"Blue1", "Blue1", "Odd"}));
    ASSERT_EQ(paths.size(), 3u);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(fs::path(paths[i]).parent_path(), serverFolder);
        if (names[i] == "Odd") {
            EXPECT_EQ(fs::path(paths[i]).filename(), "oddname.qwd");
        }
    }
}

TEST_F(FakeTemplates, UnreadableTemplateIsSkippedAndTheRestListed)
{
    ASSERT_TRUE(Start());
    MakeTemplate("A", "A", "");
    fs::create_directory(serverFolder / "Folder.qwd");  // cannot be read as a file
    MakeTemplate("B", "B", "");
    CSnippo proxy;
    ASSERT_TRUE(proxy.CreateDispatch("SnippoServer.GlimButton"));
    std::vector<std::string> names, descriptions, paths;
    listTemplates(proxy, names, descriptions, paths);
    fs::remove(serverFolder / "Folder.qwd");
    EXPECT_EQ(sorted(names), (std::vector<std::string>{"A", "B"}));

    // A second CreateDispatch keeps the object and fills the fields again.
    int live = Fake().nLiveObjects;
    proxy.m_strNameText.clear();
    ASSERT_TRUE(proxy.CreateDispatch("SnippoServer.GlimButton"));
    EXPECT_EQ(Fake().nLiveObjects, live);
    EXPECT_EQ(proxy.m_strNameText, "Fake Button 1.0");
    EXPECT_EQ(proxy.GetTitle(), "Normal");
    EXPECT_EQ(proxy.m_strSamplePage, "") << "the fake's folder has no sample page";
}

TEST_F(FakeTemplates, UnknownIdentifierFailsWithoutAMessage)
{
    CSnippo proxy;
    EXPECT_FALSE(proxy.CreateDispatch("Nobody.Registered"));
    EXPECT_FALSE(proxy.HasDispatch());
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(Templates, SaveAsTemplateWritesTheTemplateAndRestoresTheName)
{
    MakeWidgetFile(tmp / "Shop.qwd", "Shop", "Shop menu");
    ASSERT_TRUE(Start({"Shop.qwd"}));
    MakeTemplate("Old_SnippoServer.GlimButton", "Old", "");
    QStringList seen;
    Prompts::PushDialogDriver([&](QDialog& d) {
        seen << d.windowTitle() << Child<QLineEdit>(d, "nameEdit")->text()
             << Child<QLineEdit>(d, "descriptionEdit")->text() << Child<QLabel>(d, "targetPath")->text()
             << listed(d).join(",");
        SetText(d, "nameEdit", "Red7");
        seen << Child<QLabel>(d, "targetPath")->text();
        SetText(d, "descriptionEdit", "Red buttons");
        Click(d, "okButton");
    });
    Command(res::ID_FILE_SAVE_AS_TEMPLATE);
    QString folder = QString::fromStdString(serverFolder.string());
    EXPECT_EQ(seen, (QStringList{"Save as Template", "Shop", "Shop menu", folder + "/Shop_SnippoServer.GlimButton.qwd",
                                 "Old", folder + "/Red7_SnippoServer.GlimButton.qwd"}));
    EXPECT_EQ(Messages(), QStringList{"Save as the template success!"});
    fs::path written = serverFolder / "Red7_SnippoServer.GlimButton.qwd";
    ASSERT_TRUE(fs::exists(written));
    std::string text = ReadFile(written);
    EXPECT_NE(text.find("Title = Red7\r\n"), std::string::npos);
    EXPECT_NE(text.find("Description = Red buttons\r\n"), std::string::npos);
    EXPECT_EQ(Widget()->GetTitle(), "Shop");
    EXPECT_EQ(Widget()->GetDescription(), "Shop menu");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Title(), "Shop.qwd - Tessaly GlimButton");
}

TEST_F(Templates, SaveAsTemplateNameRules)
{
    ASSERT_TRUE(Start());
    MakeTemplate("Taken_SnippoServer.GlimButton", "Taken", "");
    QString emptyTarget;
    bool openAfterEach = true;
    Prompts::PushDialogDriver([&](QDialog& d) {
        SetText(d, "nameEdit", "");
        emptyTarget = Child<QLabel>(d, "targetPath")->text();
        for (const char* name : {"", "red_7", "red 7", "Taken"}) {
            SetText(d, "nameEdit", name);
            Click(d, "okButton");
            openAfterEach = openAfterEach && d.isVisible();
        }
        Click(d, "cancelButton");
    });
    Command(res::ID_FILE_SAVE_AS_TEMPLATE);
    QString folder = QString::fromStdString(serverFolder.string());
    EXPECT_EQ(emptyTarget, folder + "/");
    EXPECT_TRUE(openAfterEach);
    EXPECT_EQ(Messages(), (QStringList{"You must enter a name!", kTemplateMessage, kTemplateMessage,
                                       folder + "/Taken_SnippoServer.GlimButton.qwd" +
                                           " is already exist.Please enter a new template name.\n"}));
}

TEST_F(FakeTemplates, TemplateThatCannotBeWrittenIsReportedAndTheNameRestored)
{
    ASSERT_TRUE(Start());
    Prompts::PushDialogDriver([](QDialog& d) {
        SetText(d, "nameEdit", "Nope");
        SetText(d, "descriptionEdit", "never written");
        Click(d, "okButton");
    });
    Fake().bWriteFails = true;
    Command(res::ID_FILE_SAVE_AS_TEMPLATE);
    EXPECT_EQ(Messages(), QStringList{"Save as the template failure!"});
    EXPECT_EQ(Widget()->GetTitle(), "Normal");
    EXPECT_EQ(Widget()->GetDescription(), "");
}

TEST_F(Templates, ManageTemplatesDeletesAndMovesTheSelection)
{
    ASSERT_TRUE(Start());
    for (const char* name : {"One", "Two", "Three"})
        MakeTemplate(std::string(name) + "_SnippoServer.GlimButton", name, std::string(name) + " text");
    QStringList before, after;
    int selectedAfterLast = -2, selectedAfterOnly = -2;
    QString nameAfterOnly = "x";
    Prompts::PushDialogDriver([&](QDialog& d) {
        auto* list = Child<QListWidget>(d, "templateList");
        before = listed(d);
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(Child<QLineEdit>(d, "nameEdit")->text(), before[0]);
        EXPECT_EQ(Child<QLineEdit>(d, "descriptionEdit")->text(), before[0] + " text");
        // Delete the last line: the selection steps back to the new last line.
        list->setCurrentRow(2);
        Prompts::PushAnswer(QMessageBox::Ok);
        Click(d, "deleteButton");
        selectedAfterLast = list->currentRow();
        after = listed(d);
        EXPECT_EQ(Child<QLineEdit>(d, "nameEdit")->text(), after[1]);
        // A cancelled question deletes nothing.
        Prompts::PushAnswer(QMessageBox::Cancel);
        Click(d, "deleteButton");
        EXPECT_EQ(list->count(), 2);
        Prompts::PushAnswer(QMessageBox::Ok);
        Click(d, "deleteButton");
        Prompts::PushAnswer(QMessageBox::Ok);
        Click(d, "deleteButton");
        selectedAfterOnly = list->selectedItems().isEmpty() ? -1 : list->currentRow();
        nameAfterOnly = Child<QLineEdit>(d, "nameEdit")->text() + Child<QLineEdit>(d, "descriptionEdit")->text();
        Click(d, "deleteButton");  // nothing left to delete
        Click(d, "okButton");
    });
    Command(res::ID_OPTION_TEMPLATE);
    ASSERT_EQ(before.size(), 3);
    EXPECT_EQ(after, before.mid(0, 2));
    EXPECT_EQ(selectedAfterLast, 1);
    EXPECT_EQ(selectedAfterOnly, -1);
    EXPECT_EQ(nameAfterOnly, "");
    QStringList messages = Messages();
    ASSERT_EQ(messages.size(), 5);
    EXPECT_EQ(messages[0], "Are you sure to delete \"" + before[2] + "\" template?");
    EXPECT_EQ(messages[4], "Please select a template first!");
    for (const char* name : {"One", "Two", "Three"})
        EXPECT_FALSE(fs::exists(serverFolder / (std::string(name) + "_SnippoServer.GlimButton.qwd")));
}

TEST_F(Templates, ManageTemplatesRenames)
{
    ASSERT_TRUE(Start());
    MakeTemplate("oddname", "Odd", "odd one");
    MakeTemplate("Keep_SnippoServer.GlimButton", "Keep", "kept");
    QStringList after;
    Prompts::PushDialogDriver([&](QDialog& d) {
        auto* list = Child<QListWidget>(d, "templateList");
        int odd = listed(d).indexOf("Odd");
        int keep = 1 - odd;
        // Only the description changed: the file exists already.
        list->setCurrentRow(keep);
        SetText(d, "descriptionEdit", "new text");
        Click(d, "renameButton");
        // Refused names and a name that is taken.
        SetText(d, "nameEdit", "");
        Click(d, "renameButton");
        SetText(d, "nameEdit", "Odd-2");
        Click(d, "renameButton");
        // A template named against the rule gets a proper file name.
        list->setCurrentRow(odd);
        SetText(d, "nameEdit", "Even");
        SetText(d, "descriptionEdit", "even one");
        Prompts::PushAnswer(QMessageBox::Ok);
        Click(d, "renameButton");
        after = listed(d);
        EXPECT_EQ(list->currentRow(), odd);
        EXPECT_EQ(Child<QLineEdit>(d, "nameEdit")->text(), "Even");
        Click(d, "okButton");
    });
    Command(res::ID_OPTION_TEMPLATE);
    EXPECT_EQ(Messages(),
              (QStringList{"The Keep template has been there,please give a new name!", "You must enter a name!",
                           kTemplateMessage, "Are you sure to rename \"Odd\" template to \"Even\"?"}));
    EXPECT_TRUE(after.contains("Even") && after.contains("Keep") && after.size() == 2);
    EXPECT_FALSE(fs::exists(serverFolder / "oddname.qwd"));
    fs::path renamed = serverFolder / "Even_SnippoServer.GlimButton.qwd";
    ASSERT_TRUE(fs::exists(renamed));
    EXPECT_NE(ReadFile(renamed).find("Description = even one\r\n"), std::string::npos);
    EXPECT_NE(ReadFile(serverFolder / "Keep_SnippoServer.GlimButton.qwd").find("Description = kept\r\n"),
              std::string::npos);
}

TEST_F(FakeTemplates, ManageTemplatesCannotRenameATemplateItCannotRead)
{
    ASSERT_TRUE(Start());
    MakeTemplate("Stale_SnippoServer.GlimButton", "Stale", "");
    Prompts::PushDialogDriver([](QDialog& d) {
        Fake().bReadFails = true;
        SetText(d, "nameEdit", "Fresh");
        Prompts::PushAnswer(QMessageBox::Ok);
        Click(d, "renameButton");
        Click(d, "okButton");
    });
    Command(res::ID_OPTION_TEMPLATE);
    EXPECT_EQ(Messages().back(), "Rename Failure!");
    EXPECT_TRUE(fs::exists(serverFolder / "Stale_SnippoServer.GlimButton.qwd"));
    EXPECT_FALSE(fs::exists(serverFolder / "Fresh_SnippoServer.GlimButton.qwd"));
}

TEST_F(Templates, DamagedFileIsNotListedAsACopyOfTheTemplateReadBeforeIt)
{
    ASSERT_TRUE(Start());
    fs::path wide = MakeTemplate("Wide333_SnippoServer.GlimButton", "Wide333", "three wide buttons");
    // Random bytes. The fault shows only when such a file is read after a good one, so more
    // are added until the folder's order puts one there.
    std::mt19937 random(333);
    auto damaged = [&](const std::string& name) {
        std::string bytes(4096, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        WriteFile(serverFolder / name, bytes);
    };
    auto damagedAfterTemplate = [&] {
        bool seen = false;
        for (const auto& entry : fs::directory_iterator(serverFolder)) {
            seen = seen || entry.path() == wide;
            if (seen && entry.path().filename().string().find("damaged") != std::string::npos)
                return true;
        }
        return false;
    };
    damaged("zz_damaged.qwd");
    for (int n = 0; n < 20 && !damagedAfterTemplate(); ++n)
        damaged("zz_damaged" + std::to_string(n) + ".qwd");
    ASSERT_TRUE(damagedAfterTemplate());

    QStringList inNew, inManage;
    QString description;
    Prompts::PushDialogDriver([&](QDialog& d) {
        inNew = listed(d);
        Click(d, "cancelButton");
    });
    Command(res::ID_FILE_NEW);
    Prompts::PushDialogDriver([&](QDialog& d) {
        inManage = listed(d);
        description = Child<QLineEdit>(d, "descriptionEdit")->text();
        Prompts::PushAnswer(QMessageBox::Ok);
        Click(d, "deleteButton");
        Click(d, "okButton");
    });
    Command(res::ID_OPTION_TEMPLATE);
    EXPECT_EQ(inNew, QStringList{"Wide333"});
    EXPECT_EQ(inManage, QStringList{"Wide333"});
    EXPECT_EQ(description, "three wide buttons");
    EXPECT_FALSE(fs::exists(wide));
    EXPECT_TRUE(fs::exists(serverFolder / "zz_damaged.qwd"));
}

TEST_F(Templates, TemplateThatCannotBeDeletedStaysListed)
{
    ASSERT_TRUE(Start());
    fs::path stuck = MakeTemplate("Stuck_SnippoServer.GlimButton", "Stuck", "");
    fs::path gone = MakeTemplate("Gone_SnippoServer.GlimButton", "Gone", "");
    QStringList before, afterStuck, afterGone;
    Prompts::PushDialogDriver([&](QDialog& d) {
        before = listed(d);
        auto* list = Child<QListWidget>(d, "templateList");
        // Between the listing and Delete the file has become something that cannot be
        // removed (a folder with something in it; the superuser cannot remove it either),
        // as in a template folder the user may not write to.
        fs::remove(stuck);
        fs::create_directories(stuck / "inside");
        list->setCurrentRow(before.indexOf("Stuck"));
        Prompts::PushAnswer(QMessageBox::Ok);
        Click(d, "deleteButton");
        afterStuck = listed(d);
        EXPECT_EQ(Child<QLineEdit>(d, "nameEdit")->text(), "Stuck");
        // A file that someone else removed meanwhile leaves the list without a word.
        fs::remove(gone);
        list->setCurrentRow(afterStuck.indexOf("Gone"));
        Prompts::PushAnswer(QMessageBox::Ok);
        Click(d, "deleteButton");
        afterGone = listed(d);
        Click(d, "okButton");
    });
    Command(res::ID_OPTION_TEMPLATE);
    EXPECT_EQ(afterStuck, before);
    EXPECT_EQ(afterGone, QStringList{"Stuck"});
    EXPECT_EQ(Messages(), (QStringList{"Are you sure to delete \"Stuck\" template?", "Delete Failure!",
                                       "Are you sure to delete \"Gone\" template?"}));
    fs::remove_all(stuck);
}

TEST_F(Templates, TextsAndFileNamesBeyondAsciiCrossTheProxyUnchanged)
{
    // Letters outside Latin-1 and outside the basic plane, in the title, the description and
    // the template's file name: the widget keeps them, the folder holds the name in UTF-8.
    const std::string stem = "Gr\u00fc\u00dfe\u65e5_SnippoServer.GlimButton";
    const std::string title = "Gr\u00fc\u00dfe \U0001F600";
    const std::string description = "\u00dcberall \u00ab\u65e5\u672c\u00bb";
    ASSERT_TRUE(Start());
    fs::path file = MakeTemplate(stem, title, description);
    ASSERT_TRUE(fs::exists(serverFolder / (stem + ".qwd")));
    EXPECT_EQ(file.filename().string(), stem + ".qwd");

    CSnippo proxy;
    ASSERT_TRUE(proxy.CreateDispatch("SnippoServer.GlimButton"));
    const QList<CTemplateEntry> listing = proxy.ListTemplates();
    ASSERT_EQ(listing.size(), 1);
    EXPECT_EQ(listing[0].m_strName, QString::fromStdString(title));
    EXPECT_EQ(listing[0].m_strName.size(), 8) << "the emoji is one surrogate pair";
    EXPECT_EQ(listing[0].m_strDescription, QString::fromStdString(description));
    EXPECT_EQ(listing[0].m_strPath, QString::fromStdString((serverFolder / (stem + ".qwd")).string()));
    EXPECT_EQ(proxy.TemplatePath(QString::fromStdString(title)),
              QString::fromStdString(serverFolder.string() + "/" + title + "_SnippoServer.GlimButton.qwd"));

    // New shows the template's description; the document's widget reads the template's file
    // by its path and takes the texts typed.
    QString shown;
    const QString typed = QString::fromStdString("\u65b0\u3057\u3044 \U0001F680");
    Prompts::PushDialogDriver([&](QDialog& d) {
        shown = Child<QLabel>(d, "templateDescription")->text();
        SetText(d, "nameEdit", "Fresh2");
        SetText(d, "descriptionEdit", typed);
        Click(d, "okButton");
    });
    Command(res::ID_FILE_NEW);
    EXPECT_EQ(shown, QString::fromStdString(description));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Widget()->GetTitle(), "Fresh2");
    EXPECT_EQ(Widget()->GetDescription(), typed);
}
