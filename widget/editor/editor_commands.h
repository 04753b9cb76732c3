// The layout editor's command table: identifiers shared by the palette, the shortcuts and the
// status texts, with the texts and keys as the editor stores them.
#pragma once

#include <QString>
#include <array>
#include <vector>

namespace snippo {

// The numbers are the ones stored with the commands and shown in the palette.
enum class EditorCommand : int {
    Select = 32770,
    RectButton = 32772,
    Cut = 57635,
    Copy = 57634,
    Paste = 57637,
    Duplicate = 32790,
    Delete = 57632,
    SelectAll = 57642,
    Undo = 32796,
    Redo = 32797,
    MoveBackward = 32775,
    MoveForward = 32776,
    MoveToBack = 32778,
    MoveToFront = 32777,
    AlignLeft = 32779,
    AlignRight = 32780,
    AlignTop = 32781,
    AlignBottom = 32782,
    SameWidth = 32785,
    SameHeight = 32786,
    SameSize = 32787,
    SpaceAcross = 32791,
    SpaceDown = 32792,
    CenterVertical = 32788,
    CenterHorizontal = 32795,
};

// What a command needs before it can run; the view enables its action by this rule.
enum class EnableRule {
    Always,
    AnySelected,       // at least one button selected
    OneSelected,       // exactly one
    TwoSelected,       // at least two
    ThreeSelected,     // at least three
    ClipboardButtons,  // the clipboard holds buttons
    AnyButton,         // the applet has a button
    UndoStep,          // there is a step to undo
    RedoStep,          // there is a step to redo
};

struct EditorCommandInfo {
    EditorCommand id;
    const char* objectName;  // of the command's action
    const char* strings;     // status text, "\n", tool tip; null when the command has none
    int key;                 // the shortcut as a combined Qt key, 0 for none
    EnableRule enable;
};

const std::vector<EditorCommandInfo>& EditorCommandTable();
const EditorCommandInfo* FindEditorCommand(EditorCommand id);
// The text shown in the status line, and the palette's tool tip; empty when there is none.
QString CommandStatusText(EditorCommand id);
QString CommandToolTip(EditorCommand id);

// The palette's buttons in order, with separators between the groups.
inline constexpr EditorCommand kPaletteSeparator{0};
inline constexpr std::array<EditorCommand, 29> kPaletteLayout = [] {
    using enum EditorCommand;
    constexpr EditorCommand gap = kPaletteSeparator;
    return std::array<EditorCommand, 29>{
        Cut,          Copy,        Paste,          Duplicate,
        gap,  //
        Select,       RectButton,
        gap,  //
        Undo,         Redo,
        gap,  //
        MoveBackward, MoveForward, MoveToBack,     MoveToFront,
        gap,  //
        AlignLeft,    AlignRight,  AlignTop,       AlignBottom,
        gap,  //
        SameWidth,    SameHeight,  SameSize,
        gap,  //
        SpaceAcross,  SpaceDown,   CenterVertical, CenterHorizontal,
    };
}();

}  // namespace snippo
