// F1 in the dialog, its pages and the editor window reaches a real help topic, and each page's
// topic speaks of the page's own controls.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QWindow>
#include <QRegularExpression>

#include "dialogs_fixture.h"
#include "platform/help/help.h"
#include "widget/editor/editor_state.h"
#include "widget/server/dialogs/help_topics.h"
#include "widget/server/dialogs/ui_services.h"

namespace snippo {
namespace {

TEST(GlimButtonHelp, EveryContextOfTheWidgetHasATopic)
{
    InstallGlimButtonHelp();
    // 0x20000 + the templates of the dialog, the pages and the small dialogs; the editor
    // window's 0x30000-based context.
    for (std::uint32_t context : {0x20FA3u, 0x2008Du, 0x20090u, 0x20093u, 0x20094u, 0x20FA4u, 0x20067u, 0x20FA5u,
                                  0x2008Bu, 0x20096u, 0x20097u, 0x20FA6u, 0x20263u, 0x30FA4u}) {
        HelpTopic topic;
        EXPECT_TRUE(HelpFindTopic("SnippoGlimButton.hlp", context, &topic)) << std::hex << context;
        EXPECT_FALSE(topic.strText.empty());
    }
    EXPECT_TRUE(ShowDialogHelp(0x20067));
    EXPECT_EQ(HelpCurrentContext(), 0x20067u);
    WinHelp(nullptr, "SnippoGlimButton.hlp", HELP_QUIT, 0);
}

// The captions a user reads on a page: labels, group titles, buttons and boxes, without
// shortcut marks, colons and dots; long sentences are left out.
QStringList captions(QWidget* page)
{
    QStringList texts;
    for (QLabel* l : page->findChildren<QLabel*>())
        texts << l->text();
    for (QGroupBox* g : page->findChildren<QGroupBox*>())
        texts << g->title();
    for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
        texts << b->text();
    QStringList out;
    for (QString t : texts) {
        t.remove('&').remove(':').remove('.');
        t = t.trimmed();
        if (t.contains(QRegularExpression("[A-Za-z]")) && t.split(' ').size() <= 4 && !out.contains(t))
            out << t;
    }
    return out;
}

using test::DialogTest;

TEST_F(DialogTest, EachPageTopicNamesItsOwnControlsAndNoOtherPages)
{
    InstallGlimButtonHelp();
    AddButton(CRect{10, 10, 90, 40});
    Open();
    std::vector<QStringList> pageCaptions;
    std::vector<QString> topics;
    for (int i = 0; i < Sheet()->GetPageCount(); ++i) {
        ActivatePage(i);
        test::DrainEvents();
        CPropertyPage* page = Sheet()->GetPage(i);
        HelpTopic topic;
        ASSERT_TRUE(HelpFindTopic("SnippoGlimButton.hlp", page->HelpContext(), &topic)) << i;
        topics.push_back(QString::fromStdString(topic.strText));
        pageCaptions.push_back(captions(page));
        for (const QString& caption : pageCaptions.back())
            EXPECT_TRUE(topics.back().contains(caption, Qt::CaseInsensitive))
                << topic.strTitle << " does not name \"" << caption.toStdString() << "\"";
    }
    // A control found on one page only (and named by more than one word) belongs to that page's
    // topic alone: the class web path is described where it is.
    for (std::size_t i = 0; i < pageCaptions.size(); ++i) {
        for (const QString& caption : pageCaptions[i]) {
            if (!caption.contains(' '))
                continue;
            bool elsewhere = false;
            for (std::size_t j = 0; j < pageCaptions.size(); ++j)
                elsewhere = elsewhere || (j != i && pageCaptions[j].contains(caption));
            for (std::size_t j = 0; j < topics.size() && !elsewhere; ++j)
                EXPECT_TRUE(j == i || !topics[j].contains(caption, Qt::CaseInsensitive))
                    << "page " << j << "'s topic describes \"" << caption.toStdString() << "\" of page " << i;
        }
    }
    HelpTopic hint;
    ASSERT_TRUE(HelpFindTopic("SnippoGlimButton.hlp", 0x20FA4, &hint));
    EXPECT_NE(hint.strText.find("Width and Height, its size (1 to 1200)"), std::string::npos);
}

TEST_F(DialogTest, HelpFromAPageOfTheModalDialogIsUsableBesideIt)
{
    InstallGlimButtonHelp();
    AddButton(CRect{10, 10, 90, 40});
    Open();
    // As Config runs it: modal.
    m_dlg->hide();
    m_dlg->setWindowModality(Qt::ApplicationModal);
    m_dlg->show();
    test::DrainEvents();
    ActivatePage(4);
    test::DrainEvents();
    QTest::keyClick(Find<QLineEdit>(Sheet()->GetPage(4), "hintXEdit"), Qt::Key_F1);
    QWidget* help = HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(HelpCurrentContext(), 0x20FA4u);
    EXPECT_TRUE(help->windowFlags() & Qt::WindowStaysOnTopHint) << "in front of the editor and the palette";

    // The user picks another topic with the mouse while the dialog is still open.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    auto* contents = help->findChild<QListWidget*>("helpContents");
    auto more = contents->findItems("Applet More", Qt::MatchExactly);
    ASSERT_EQ(more.size(), 1);
    QPoint at = contents->viewport()->mapTo(help, contents->visualItemRect(more[0]).center());
    QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(HelpCurrentContext(), 0x20FA5u);
    WinHelp(nullptr, "SnippoGlimButton.hlp", HELP_QUIT, 0);
}

}  // namespace
}  // namespace snippo
