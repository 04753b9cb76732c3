// The few places where the dialogs hand control to the user outside their own windows: the
// colour dialog, the modal run of a sub-dialog and help (message boxes go through
// widget/editor/prompt_service.h). Each goes through a small class here, so that a test can
// answer in advance and read what would have been shown. In normal use every answer comes
// from the user.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "widget/model/colour.h"

class QDialog;
class QWidget;

namespace snippo {

class ColourChooser {
public:
    // The platform colour dialog, fully open, with `initial` preselected. True with the colour
    // in `chosen` on OK; false and `chosen` untouched on Cancel.
    static bool Choose(QWidget* parent, COLORREF initial, COLORREF* chosen);

    // The next dialog is not shown: a colour means OK with it, nullopt means Cancel.
    static void SetNextAnswer(std::optional<COLORREF> answer);
    static COLORREF LastInitial();
    static int ShownCount();
};

// Runs a dialog of ours modally. A test can stand in for the user: the handler gets the
// dialog, set up but not shown, fills it in as a user would and returns the result code.
class ModalRunner {
public:
    using Handler = std::function<int(QDialog&)>;
    static int Run(QDialog& dialog);
    // Used for the next run only; several handlers queue up.
    static void SetNextHandler(Handler handler);
    static void ClearHandlers();
};

// Help requests (F1) of the dialogs and pages go to this handler with their context number
// (the resource help base 0x20000 plus the dialog's template number). Unset: F1 does nothing.
using DialogHelpHandler = std::function<void(unsigned context)>;
void SetDialogHelpHandler(DialogHelpHandler handler);
// Calls the handler if one is set; returns whether one was.
bool ShowDialogHelp(unsigned context);

inline constexpr unsigned kHelpResourceBase = 0x20000;

}  // namespace snippo
