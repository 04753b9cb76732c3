#include "widget/editor/editor_commands.h"

#include <Qt>

namespace snippo {

namespace {

constexpr int Key(QKeyCombination k)
{
    return k.toCombined();
}

}  // namespace

const std::vector<EditorCommandInfo>& EditorCommandTable()
{
    static const std::vector<EditorCommandInfo> table = {
        {kCmdSelect, "commandSelect", "Select buttons\nSelect", Key(Qt::CTRL | Qt::Key_S)},
        {kCmdRectButton, "commandRectButton", "Draw a Rect Button\nRect Button", Key(Qt::CTRL | Qt::Key_R)},
        {kCmdCut, "commandCut", "Cut the selection and put it on the Clipboard\nCut", Key(Qt::CTRL | Qt::Key_X)},
        {kCmdCopy, "commandCopy", "Copy the selection and put it on the Clipboard\nCopy", Key(Qt::CTRL | Qt::Key_C)},
        {kCmdPaste, "commandPaste", "Insert Clipboard contents\nPaste", Key(Qt::CTRL | Qt::Key_V)},
        {kCmdDuplicate, "commandDuplicate", "Duplicate the selection\nDuplicate", Key(Qt::CTRL | Qt::Key_D)},
        {kCmdDelete, "commandDelete", nullptr, Key(QKeyCombination(Qt::Key_Delete))},
        {kCmdSelectAll, "commandSelectAll", nullptr, Key(Qt::CTRL | Qt::Key_A)},
        {kCmdUndo, "commandUndo", "Undo\nUndo", Key(Qt::CTRL | Qt::Key_Z)},
        {kCmdRedo, "commandRedo", "Redo\nRedo", Key(Qt::CTRL | Qt::Key_Y)},
        {kCmdMoveBackward, "commandMoveBackward", "Move Backward\nMove Backward", 0},
        {kCmdMoveForward, "commandMoveForward", "Move Foreward\nMove Foreward", 0},
        {kCmdMoveToBack, "commandMoveToBack", "Move to Back\nMove to Back", 0},
        {kCmdMoveToFront, "commandMoveToFront", "Move to Front\nMove to Front", 0},
        {kCmdAlignLeft, "commandAlignLeft",
         "Aligns left edges of the selected buttons with the first button\nAlign Left(Ctrl+Left Arrow))",
         Key(Qt::CTRL | Qt::Key_Left)},
        {kCmdAlignRight, "commandAlignRight",
         "Aligns right edges of the selected buttons with the first button\nAlign Right(Ctrl+Right Arrow)",
         Key(Qt::CTRL | Qt::Key_Right)},
        {kCmdAlignTop, "commandAlignTop",
         "Aligns top edges of the selected buttons with the first button\nAlign Top(Ctrl+Up Arrow)",
         Key(Qt::CTRL | Qt::Key_Up)},
        {kCmdAlignBottom, "commandAlignBottom",
         "Aligns bottom edges of the selected buttons with the first button\nAlign Bottom(Ctrl+Down Arrow)",
         Key(Qt::CTRL | Qt::Key_Down)},
        {kCmdSameWidth, "commandSameWidth",
         "Resizes the seleceted buttons to have the same width as the first button\nMake Same Width", 0},
        {kCmdSameHeight, "commandSameHeight",
         "Resizes the seleceted buttons to have the same height as the first button\nMake Same Height", 0},
        {kCmdSameSize, "commandSameSize",
         "Resizes the seleceted buttons to have the same size as the first button\nMake Same Size", 0},
        {kCmdSpaceAcross, "commandSpaceAcross",
         "Evenly spaces the selected buttons horizontally\nSpace Across(Alt+Right Arrow)",
         Key(Qt::ALT | Qt::Key_Right)},
        {kCmdSpaceDown, "commandSpaceDown", "Evenly spaces the selected buttons vertical\nSpace Down(Alt+Up Arrow)",
         Key(Qt::ALT | Qt::Key_Up)},
        {kCmdCenterVertical, "commandCenterVertical",
         "Centers the selected buttons vertically\nCenter Vertical(Ctrl+F9)", Key(Qt::CTRL | Qt::Key_F9)},
        {kCmdCenterHorizontal, "commandCenterHorizontal",
         "Centers the selected buttons horizontally\nCenter Horizontal(Ctrl+Shift+F9)",
         Key(Qt::CTRL | Qt::SHIFT | Qt::Key_F9)},
    };
    return table;
}

const EditorCommandInfo* FindEditorCommand(int id)
{
    for (const EditorCommandInfo& info : EditorCommandTable())
        if (info.id == id)
            return &info;
    return nullptr;
}

QString CommandStatusText(int id)
{
    const EditorCommandInfo* info = FindEditorCommand(id);
    if (!info || !info->strings)
        return {};
    return QString::fromLatin1(info->strings).section(QLatin1Char('\n'), 0, 0);
}

QString CommandToolTip(int id)
{
    const EditorCommandInfo* info = FindEditorCommand(id);
    if (!info || !info->strings)
        return {};
    return QString::fromLatin1(info->strings).section(QLatin1Char('\n'), 1);
}

}  // namespace snippo
