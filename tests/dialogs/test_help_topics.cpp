// F1 in the dialog, its pages and the editor window reaches a real help topic.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace snippo
