// The viewers behind WinHelp: the window stays usable beside modal dialogs, and Qt Assistant
// gets the right remote-control commands (a stand-in program records what it is sent).
#include "platform/help/help.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <signal.h>

using namespace snippo;

namespace {

const char* const kFile = "/opt/tool/Tool.HLP";

class EnvGuard {
public:
    EnvGuard(const char* name, const QByteArray& value)
        : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~EnvGuard()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

class HelpViewers : public ::testing::Test {
protected:
    void SetUp() override
    {
        HelpRegisterTopics(kFile, "Tool Help",
                           {{0x18001, "Saving", "Save keeps your work.", {"store"}},
                            {0x18002, "Opening", "Open reads a file.", {}},
                            {0x20080, "Main window", "The main window.", {"overview"}}});
    }
    void TearDown() override
    {
        WinHelp(nullptr, "", HELP_QUIT, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        HelpUnregister(kFile);
    }
};

// A click on a line of the help window's contents, delivered as the window system delivers it,
// so that a window blocked by a modal dialog does not get it.
void clickContentsLine(int row)
{
    QWidget* help = HelpWindow();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    auto* contents = help->findChild<QListWidget*>("helpContents");
    QPoint at = contents->viewport()->mapTo(help, contents->visualItemRect(contents->item(row)).center());
    QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, at);
}

// Runs `body` inside the modal loop of a new dialog, then ends the loop.
void insideModalDialog(QWidget* parent, const std::function<void(QDialog&)>& body)
{
    QDialog dialog(parent);
    dialog.setWindowModality(Qt::ApplicationModal);
    QTimer::singleShot(0, &dialog, [&] {
        body(dialog);
        dialog.reject();
    });
    dialog.exec();
}

QStringList lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

TEST_F(HelpViewers, WindowStaysUsableBesideModalDialogs)
{
    EnvGuard window("SNIPPO_HELP_VIEWER", "window");
    insideModalDialog(nullptr, [](QDialog& properties) {
        // F1 on a page of a modal dialog.
        ASSERT_TRUE(WinHelp(nullptr, kFile, HELP_CONTEXT, 0x18001));
        ASSERT_NE(HelpWindow(), nullptr);
        EXPECT_TRUE(HelpWindow()->windowFlags() & Qt::WindowStaysOnTopHint) << "in front of the editor";
        clickContentsLine(2);
        EXPECT_EQ(HelpCurrentContext(), 0x20080u);

        // A second dialog on top of the first (Font on a page), then back to the first.
        insideModalDialog(&properties, [](QDialog&) {
            clickContentsLine(1);
            EXPECT_EQ(HelpCurrentContext(), 0x18002u);
        });
        clickContentsLine(0);
        EXPECT_EQ(HelpCurrentContext(), 0x18001u);
    });
    // The window outlives the dialogs and still answers.
    clickContentsLine(2);
    EXPECT_EQ(HelpCurrentContext(), 0x20080u);
    HelpWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(HelpWindow(), nullptr);
}

TEST_F(HelpViewers, AssistantIsDrivenByRemoteControl)
{
    if (!QFileInfo(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/qhelpgenerator").isExecutable())
        GTEST_SKIP() << "qhelpgenerator is not installed";
    QTemporaryDir temp;
    const QString record = temp.filePath("commands");
    const QString starts = temp.filePath("starts");
    const QString fake = temp.filePath("assistant");
    {
        QFile script(fake);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QString("#!/bin/sh\necho \"$$ $*\" >> '%1'\nexec cat >> '%2'\n").arg(starts, record).toUtf8());
    }
    QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EnvGuard viewer("SNIPPO_HELP_VIEWER", fake.toUtf8());
    EnvGuard cache("XDG_CACHE_HOME", temp.filePath("cache").toUtf8());
    auto sent = [&](int count) {
        (void)QTest::qWaitFor([&] { return lines(record).size() >= count; }, 5000);
        return lines(record);
    };
    const QString base = "qthelp://org.tessaly.snippo.tool/help/";

    ASSERT_TRUE(WinHelp(nullptr, kFile, HELP_CONTEXT, 0x18001));
    EXPECT_EQ(HelpWindow(), nullptr);
    EXPECT_EQ(HelpCurrentContext(), 0x18001u);
    EXPECT_EQ(sent(2), (QStringList{"setSource " + base + "topic-18001.html", "syncContents"}));
    QStringList started = lines(starts);
    ASSERT_EQ(started.size(), 1);
    const QString collection = temp.filePath("cache/snippo-help/tool/tool.qhc");
    EXPECT_EQ(started[0].section(' ', 1), "-collectionFile " + collection + " -enableRemoteControl");
    EXPECT_TRUE(QFileInfo::exists(collection));
    EXPECT_TRUE(QFileInfo::exists(temp.filePath("cache/snippo-help/tool/tool.qch")));

    static const char kPartial[] = "sav";
    ASSERT_TRUE(WinHelp(nullptr, "tool.hlp", HELP_PARTIALKEY, reinterpret_cast<std::uintptr_t>(kPartial)));
    static const char kNone[] = "";
    ASSERT_TRUE(WinHelp(nullptr, "tool.hlp", HELP_PARTIALKEY, reinterpret_cast<std::uintptr_t>(kNone)));
    ASSERT_TRUE(WinHelp(nullptr, "tool.hlp", HELP_FINDER, 0));
    ASSERT_TRUE(WinHelp(nullptr, "tool.hlp", HELP_CONTEXT, 0x1ABCD));
    EXPECT_EQ(HelpCurrentContext(), 0u);
    EXPECT_EQ(sent(8).mid(2), (QStringList{"show index", "activateKeyword sav", "show index", "show contents",
                                           "show contents", "setSource " + base + "contents.html"}));
    EXPECT_EQ(lines(starts).size(), 1) << "one Assistant serves every request";

    // Topics added later give a new collection, which a new Assistant shows.
    HelpRegisterTopics(kFile, "", {{0x18003, "Printing", "Print sends the widget to paper.", {}}});
    ASSERT_TRUE(WinHelp(nullptr, kFile, HELP_CONTEXT, 0x18003));
    EXPECT_EQ(sent(10).mid(8), (QStringList{"setSource " + base + "topic-18003.html", "syncContents"}));
    started = lines(starts);
    ASSERT_EQ(started.size(), 2);
    QFile topic(temp.filePath("cache/snippo-help/tool/topic-18003.html"));
    ASSERT_TRUE(topic.open(QIODevice::ReadOnly));
    EXPECT_TRUE(topic.readAll().contains("<p>Print sends the widget to paper.</p>"));

    // HELP_QUIT ends Assistant.
    const pid_t pid = started[1].section(' ', 0, 0).toInt();
    ASSERT_GT(pid, 0);
    EXPECT_EQ(::kill(pid, 0), 0);
    EXPECT_TRUE(WinHelp(nullptr, "", HELP_QUIT, 0));
    EXPECT_NE(::kill(pid, 0), 0);
}
