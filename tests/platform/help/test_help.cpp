// The help engine: the topic table and the help window.
#include "platform/help/help.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace snippo;

namespace {

std::vector<std::string> titles(const std::vector<HelpTopic>& topics)
{
    std::vector<std::string> out;
    for (const HelpTopic& t : topics)
        out.push_back(t.strTitle);
    return out;
}

class Help : public ::testing::Test {
protected:
    void SetUp() override
    {
        HelpRegisterTopics("/opt/tool/Tool.HLP", "Tool Help",
                           {{0x18001, "Saving", "Save keeps your work.\n\nIt asks for a name once.", {"store"}},
                            {0x18002, "Opening", "Open reads a file.", {}},
                            {0x20080, "Main window", "The main window.", {"overview"}}});
    }
    void TearDown() override
    {
        WinHelp(nullptr, "", HELP_QUIT, 0);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        HelpUnregister("tool.hlp");
        HelpUnregister("Widget.hlp");
    }
    QString shownText() const { return HelpWindow()->findChild<QTextBrowser*>("helpTopicText")->toPlainText(); }
};

using V = std::vector<std::string>;

}  // namespace

TEST_F(Help, TopicsAreFoundByContextInAnyFolderAndCase)
{
    HelpTopic topic;
    ASSERT_TRUE(HelpFindTopic("TOOL.hlp", 0x18002, &topic));
    EXPECT_EQ(topic.strTitle, "Opening");
    EXPECT_FALSE(HelpFindTopic("/elsewhere/Tool.HLP", 0x18003, nullptr));
    EXPECT_FALSE(HelpFindTopic("Other.HLP", 0x18002, nullptr));
    EXPECT_EQ(HelpTitle("tool.hlp"), "Tool Help");
    EXPECT_EQ(titles(HelpContents("Tool.HLP")), (V{"Saving", "Opening", "Main window"}));
}

TEST_F(Help, LaterRegistrationsAddAndReplace)
{
    HelpRegisterTopics("Tool.HLP", "", {{0x18002, "Opening files", "New text.", {}}, {0x30001, "Editor", "x", {}}});
    EXPECT_EQ(titles(HelpContents("Tool.HLP")), (V{"Saving", "Opening files", "Main window", "Editor"}));
    EXPECT_EQ(HelpTitle("Tool.HLP"), "Tool Help") << "an empty title keeps the first";
    HelpRegisterTopics("Widget.hlp", "Widget Help", {{0x20082, "Pages", "x", {}}});
    EXPECT_EQ(titles(HelpContents("Widget.hlp")), (V{"Pages"}));
    HelpUnregister("WIDGET.HLP");
    EXPECT_TRUE(HelpContents("Widget.hlp").empty());
}

TEST_F(Help, SearchMatchesTitlesAndKeywordsInAnyCase)
{
    EXPECT_EQ(titles(HelpSearch("Tool.HLP", "STOR")), (V{"Saving"}));
    EXPECT_EQ(titles(HelpSearch("Tool.HLP", "in")), (V{"Main window", "Opening", "Saving"}));
    EXPECT_TRUE(HelpSearch("Tool.HLP", "zebra").empty());
}

TEST_F(Help, WindowShowsTopicsByContext)
{
    EXPECT_FALSE(WinHelp(nullptr, "Nothing.HLP", HELP_CONTEXT, 0x18001));
    EXPECT_EQ(HelpWindow(), nullptr);

    ASSERT_TRUE(WinHelp(nullptr, "/opt/tool/Tool.HLP", HELP_CONTEXT, 0x18001));
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->windowTitle(), "Tool Help");
    EXPECT_EQ(HelpCurrentContext(), 0x18001u);
    EXPECT_EQ(shownText(), "Saving\nSave keeps your work.\nIt asks for a name once.");

    // A context without a topic says so and offers the contents.
    ASSERT_TRUE(WinHelp(nullptr, "Tool.HLP", HELP_CONTEXT, 0x1ABCD));
    EXPECT_EQ(HelpCurrentContext(), 0u);
    EXPECT_TRUE(shownText().contains("0x1ABCD"));
    EXPECT_EQ(HelpWindow()->findChild<QTabWidget*>("helpTabs")->currentIndex(), 0);

    // Choosing a line of the contents shows its topic.
    auto* contents = HelpWindow()->findChild<QListWidget*>("helpContents");
    ASSERT_EQ(contents->count(), 3);
    emit contents->itemActivated(contents->item(2));
    EXPECT_EQ(HelpCurrentContext(), 0x20080u);

    EXPECT_TRUE(WinHelp(nullptr, "Tool.HLP", HELP_QUIT, 0));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(HelpWindow(), nullptr);
}

TEST_F(Help, KeywordSearchOpensTheIndex)
{
    static const char kKeyword[] = "sav";
    ASSERT_TRUE(WinHelp(nullptr, "Tool.HLP", HELP_PARTIALKEY, reinterpret_cast<std::uintptr_t>(kKeyword)));
    EXPECT_EQ(HelpWindow()->findChild<QTabWidget*>("helpTabs")->currentIndex(), 1);
    EXPECT_EQ(HelpWindow()->findChild<QLineEdit*>("helpKeyword")->text(), "sav");
    auto* index = HelpWindow()->findChild<QListWidget*>("helpIndex");
    ASSERT_EQ(index->count(), 1);
    EXPECT_EQ(index->item(0)->text(), "Saving");

    // With no keyword every title and keyword is listed, sorted.
    static const char kNone[] = "";
    ASSERT_TRUE(WinHelp(nullptr, "Tool.HLP", HELP_PARTIALKEY, reinterpret_cast<std::uintptr_t>(kNone)));
    QStringList entries;
    for (int i = 0; i < index->count(); ++i)
        entries << index->item(i)->text();
    EXPECT_EQ(entries, (QStringList{"Main window", "Opening", "overview", "Saving", "store"}));

    // An exact keyword with one topic shows it at once.
    static const char kExact[] = "overview";
    ASSERT_TRUE(WinHelp(nullptr, "Tool.HLP", HELP_KEY, reinterpret_cast<std::uintptr_t>(kExact)));
    EXPECT_EQ(HelpCurrentContext(), 0x20080u);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
