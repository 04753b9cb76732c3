// How the layout editor talks to the property sheet of the configuration dialog. The dialog
// implements this; the editor only asks which page is active and asks for pages to be shown
// or reloaded. With no coupling set, the editor paints the normal state and does nothing else.
#pragma once

namespace snippo {

// Page indexes of the property sheet; 1 to 3 also name the button state that the editor paints.
enum PropertyPage : int {
    kPageGeneralInfo = 0,
    kPageNormal = 1,
    kPageMouseOver = 2,
    kPageClicked = 3,
    kPageHint = 4,
    kPageAppletParameters = 5,
    kPageAppletMore = 6,
};

class EditorPageCoupling {
public:
    virtual ~EditorPageCoupling() = default;
    // The index of the active page (0..6), or -1 when the sheet has no active page.
    virtual int ActivePage() const = 0;
    // Makes the page with this index the active one.
    virtual void ActivatePage(int index) = 0;
    // The page with this index reloads its fields from the model (the single selected button
    // for pages 0 to 4, the applet for pages 5 and 6).
    virtual void ReloadPage(int index) = 0;
};

}  // namespace snippo
