// State that the layout editor shares across every widget object of the process: the state
// last painted, the property pages last shown of each kind, and the help hook.
#pragma once

#include <functional>

namespace snippo {

// The button state (1 normal, 2 mouse over, 3 clicked) that the last button was painted in;
// initially 1. Buttons asked for a state outside 1..3 keep painting this one.
int LastShownState();
void SetLastShownState(int state);

// The button page (0..4) and applet page (5 or 6) last shown; initially 1 and 5. The pages of
// the property sheet store their index here when they become active.
struct RememberedPages {
    int buttonPage = 1;
    int appletPage = 5;
};
RememberedPages& SharedPages();

// Help requests of the editor windows go to this handler, with the context number.
using HelpHandler = std::function<void(unsigned context)>;
void SetEditorHelpHandler(HelpHandler handler);
// Calls the handler if one is set; returns whether one was.
bool ShowEditorHelp(unsigned context);

// Help context of the preview window: the resource help base plus its resource number.
inline constexpr unsigned kPreviewWndHelpContext = 0x30000 + 4004;

}  // namespace snippo
