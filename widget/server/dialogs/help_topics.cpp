#include "widget/server/dialogs/help_topics.h"

#include <string>
#include <vector>

#include "platform/help/help.h"
#include "widget/editor/editor_state.h"
#include "widget/server/dialogs/ui_services.h"

namespace snippo {

namespace {

constexpr const char* kHelpFile = "SnippoGlimButton.hlp";

// The controls that the three state pages share.
constexpr const char* kStateControls =
    "Text and Image: Text Align and Image Align place the label and the picture in the button; Text "
    "Offset and Image Offset move them (-500 to 500).\n\nBackground: Back Color, Fade Color (<------> "
    "swaps them, B/W makes them black and white) and Style of the fill. Border: its Color and Style.\n\n"
    "Font.. chooses the font of the label.";

std::vector<HelpTopic> Topics()
{
    return {
        {0x20FA3,
         "Button Properties",
         "Button Properties holds the editor window, where you draw and arrange the buttons, and "
         "seven pages that edit the selected button, its hint and the applet.\n\nEvery change is "
         "applied at once; close the dialog when you are done.",
         {"configure", "dialog"}},
        {0x2008D,
         "General Info",
         "Where the selected button lies and what it says.\n\nX-coordinate and Y-coordinate: its top-left "
         "corner in the applet; Width and Height: its size; Border Thick: the width of its border (each 0 to "
         "1200). A Width or Height of 0 leaves the button where and as large as it was; everything else you "
         "type is kept.\n\nLabel: the button's text; it may have several lines. Description, Link to: the "
         "button's description and the page it opens, shown in the Target Frame.\n\nImage... and Audio... "
         "choose the button's pictures and sounds.",
         {"label", "link", "position"}},
        {0x20090,
         "Normal",
         "How the button looks when the mouse is away from it.\n\n" + std::string(kStateControls) +
             "\n\nApply To all status copies this look to Mouse Over and Clicked.",
         {"state", "colour", "gradient"}},
        {0x20093,
         "Mouse Over",
         "How the button looks while the mouse is over it.\n\n" + std::string(kStateControls),
         {"state"}},
        {0x20094, "Clicked", "How the button looks while it is clicked.\n\n" + std::string(kStateControls), {"state"}},
        {0x20FA4,
         "Hint",
         "The hint that pops up over the button.\n\nHint: its Label (several lines are allowed); X-pos and "
         "Y-pos, its place relative to the button (-1000 to 1000); Align, the alignment of its text; Width and "
         "Height, its size (1 to 1200). Auto Calculate sets Width and Height to fit the label and the border."
         "\n\nBackground: Back Color, Fade Color (<------> swaps them, B/W makes them black and white) and "
         "Style of the fill. Border: its Color, Style and Thick.\n\nFont.. chooses the font of the hint.",
         {"tooltip"}},
        {0x20067,
         "Applet Parameters",
         "The applet as a whole.\n\nSize: Width and Height of the applet in the page (1 to 1200) and its "
         "Align (center, left or right).\n\nBackground: Back Color, Fade Color (<------> swaps them, B/W "
         "makes them black and white) and Style of the applet's background. Border: its Color, Style and "
         "Thick.",
         {"applet", "size"}},
        {0x20FA5,
         "Applet More",
         "Background Image and Background Audio: a picture behind the buttons and a sound played with the "
         "page; \"...\" picks each file with its web path. Image Position: Specify puts the picture at X and "
         "Y, Tile repeats it over the applet.\n\nClass Web Path: the web path of the applet's class file "
         "qlnbtn.class, as the published page will find it; a closing \"/\" is added when you leave the field."
         "\n\nWhile Loading: the Message shown until the applet has started, optionally With progress bar."
         "\n\nThe web runtime qlnbtn.js, when added, makes the buttons work in current browsers, which no "
         "longer run applets.",
         {"background image", "sound", "class web path", "web runtime"}},
        {0x2008B,
         "Font",
         "Font Name, Font Color, Font Size, Font Style (plain, bold or italic) and Special Effects of the "
         "text.",
         {"font"}},
        {0x20096,
         "Image",
         "The images shown in the normal, mouse-over and clicked states; \"...\" picks each file together "
         "with the web path that the published page puts before its name. Apply to: only this button or "
         "all the buttons.",
         {"image", "web path"}},
        {0x20097,
         "Audio",
         "The sounds played when the mouse enters the button and when it is clicked, for this "
         "button only or for all the buttons.",
         {"sound", "audio"}},
        {0x20FA6,
         "Copy Resources",
         "Files of the same name already lie in the widget's folder. Rename the ones to copy "
         "under a new name, or leave them to overwrite the files there; Escape copies nothing.",
         {"conflict", "rename"}},
        {0x20263,
         "Browse Files",
         "Lists the files that already lie in the destination folder, so that you can see which names are "
         "taken before you rename a file to copy.",
         {"browse"}},
        {0x30FA4,
         "Editor window",
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
