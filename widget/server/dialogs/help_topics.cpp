#include "widget/server/dialogs/help_topics.h"

#include <string>
#include <vector>

#include "platform/help/help.h"
#include "widget/editor/editor_state.h"
#include "widget/server/dialogs/ui_services.h"

namespace snippo {

namespace {

constexpr const char* kHelpFile = "SnippoGlimButton.hlp";

std::vector<HelpTopic> Topics()
{
    return {
        {0x20FA3, "Button Properties",
         "Button Properties holds the editor window, where you draw and arrange the buttons, and "
         "seven pages that edit the selected button, its hint and the applet.\n\nEvery change is "
         "applied at once; close the dialog when you are done.",
         {"configure", "dialog"}},
        {0x2008D, "General Info",
         "Position, size and border thickness of the selected button, its label (several lines "
         "are allowed), description, link and target frame, and its images and sounds.",
         {"label", "link", "position"}},
        {0x20090, "Normal",
         "How the button looks when the mouse is away: background colours and style, border "
         "colour and style, text and image alignment and offsets, and the font.\n\n\"Apply To all "
         "status\" copies this look to Mouse Over and Clicked.",
         {"state", "colour", "gradient"}},
        {0x20093, "Mouse Over", "How the button looks while the mouse is over it.", {"state"}},
        {0x20094, "Clicked", "How the button looks while it is clicked.", {"state"}},
        {0x20FA4, "Hint",
         "The hint that pops up over the button: its text, position relative to the button, size, "
         "colours, border and font. Width or height 0 lets the applet size the hint itself.",
         {"tooltip"}},
        {0x20067, "Applet Parameters",
         "Size and alignment of the applet in the page, its background and border, and the web "
         "path of the applet class file.",
         {"applet", "size", "class web path"}},
        {0x20FA5, "Applet More",
         "Background image (at a given position or tiled), background sound, the loading message "
         "and the progress bar.",
         {"background image", "sound"}},
        {0x2008B, "Font", "Font name, size and style of the button's text.", {"font"}},
        {0x20096, "Image",
         "The images shown in the normal, mouse-over and clicked states, each with the web path "
         "that the published page puts before its name.",
         {"image", "web path"}},
        {0x20097, "Audio",
         "The sounds played when the mouse enters the button and when it is clicked, for this "
         "button only or for all the buttons.",
         {"sound", "audio"}},
        {0x20FA6, "Copy Resources",
         "Files of the same name already lie in the widget's folder. Rename the ones to copy "
         "under a new name, or leave them to overwrite the files there; Escape copies nothing.",
         {"conflict", "rename"}},
        {0x20263, "Browse Files", "Pick a file from a folder of support files.", {"browse"}},
        {0x30FA4, "Editor window",
         "Draw buttons with the rectangle tool, select them with the arrow, drag to move them and "
         "their handles to resize them. The Palette aligns, sizes, spaces, centres and stacks the "
         "selected buttons; Ctrl+Z and Ctrl+Y undo and redo the last four changes.",
         {"palette", "align", "undo"}},
    };
}

void ShowHelp(unsigned context)
{
    WinHelp(nullptr, kHelpFile, HELP_CONTEXT, context);
}

}  // namespace

void InstallGlimButtonHelp()
{
    HelpRegisterTopics(kHelpFile, "Tessaly GlimButton", Topics());
    SetDialogHelpHandler(&ShowHelp);
    SetEditorHelpHandler(&ShowHelp);
}

}  // namespace snippo
