// The layout editor's command table: identifiers shared by the palette, the shortcuts and the
// status texts, with the texts and keys as the editor stores them.
#pragma once

#include <QString>
#include <array>
#include <vector>

namespace snippo {

enum EditorCommand : int {
    kCmdSelect = 32770,
    kCmdRectButton = 32772,
    kCmdCut = 57635,
    kCmdCopy = 57634,
    kCmdPaste = 57637,
    kCmdDuplicate = 32790,
    kCmdDelete = 57632,
    kCmdSelectAll = 57642,
    kCmdUndo = 32796,
    kCmdRedo = 32797,
    kCmdMoveBackward = 32775,
    kCmdMoveForward = 32776,
    kCmdMoveToBack = 32778,
    kCmdMoveToFront = 32777,
    kCmdAlignLeft = 32779,
    kCmdAlignRight = 32780,
    kCmdAlignTop = 32781,
    kCmdAlignBottom = 32782,
    kCmdSameWidth = 32785,
    kCmdSameHeight = 32786,
    kCmdSameSize = 32787,
    kCmdSpaceAcross = 32791,
    kCmdSpaceDown = 32792,
    kCmdCenterVertical = 32788,
    kCmdCenterHorizontal = 32795,
};

struct EditorCommandInfo {
    int id;
    const char* objectName;   // of the command's action
    const char* strings;      // status text, "\n", tool tip; null when the command has none
    int key;                  // the shortcut as a combined Qt key, 0 for none
};

const std::vector<EditorCommandInfo>& EditorCommandTable();
const EditorCommandInfo* FindEditorCommand(int id);
// The text shown in the status line, and the palette's tool tip; empty when there is none.
QString CommandStatusText(int id);
QString CommandToolTip(int id);

// The palette's buttons in order; 0 stands for a separator.
inline constexpr std::array<int, 29> kPaletteLayout = {
    kCmdCut, kCmdCopy, kCmdPaste, kCmdDuplicate, 0,
    kCmdSelect, kCmdRectButton, 0,
    kCmdUndo, kCmdRedo, 0,
    kCmdMoveBackward, kCmdMoveForward, kCmdMoveToBack, kCmdMoveToFront, 0,
    kCmdAlignLeft, kCmdAlignRight, kCmdAlignTop, kCmdAlignBottom, 0,
    kCmdSameWidth, kCmdSameHeight, kCmdSameSize, 0,
    kCmdSpaceAcross, kCmdSpaceDown, kCmdCenterVertical, kCmdCenterHorizontal,
};

}  // namespace snippo
