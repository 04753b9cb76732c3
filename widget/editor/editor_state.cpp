#include "widget/editor/editor_state.h"

namespace snippo {

namespace {

int& LastState()
{
    static int state = 1;
    return state;
}

HelpHandler& Handler()
{
    static HelpHandler handler;
    return handler;
}

}  // namespace

int LastShownState()
{
    return LastState();
}

void SetLastShownState(int state)
{
    if (state >= 1 && state <= 3)
        LastState() = state;
}

RememberedPages& SharedPages()
{
    static RememberedPages pages;
    return pages;
}

void SetEditorHelpHandler(HelpHandler handler)
{
    Handler() = std::move(handler);
}

bool ShowEditorHelp(unsigned context)
{
    if (!Handler())
        return false;
    Handler()(context);
    return true;
}

}  // namespace snippo
