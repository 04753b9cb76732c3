#include "widget/editor/editor_commands.h"

#include <QCoreApplication>
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
        {EditorCommand::Select, "commandSelect", QT_TRANSLATE_NOOP("EditorCommand", "Select buttons\nSelect"),
         Key(Qt::CTRL | Qt::Key_S), EnableRule::Always},
        {EditorCommand::RectButton, "commandRectButton",
         QT_TRANSLATE_NOOP("EditorCommand", "Draw a Rect Button\nRect Button"), Key(Qt::CTRL | Qt::Key_R),
         EnableRule::Always},
        {EditorCommand::Cut, "commandCut",
         QT_TRANSLATE_NOOP("EditorCommand", "Cut the selection and put it on the Clipboard\nCut"),
         Key(Qt::CTRL | Qt::Key_X), EnableRule::AnySelected},
        {EditorCommand::Copy, "commandCopy",
         QT_TRANSLATE_NOOP("EditorCommand", "Copy the selection and put it on the Clipboard\nCopy"),
         Key(Qt::CTRL | Qt::Key_C), EnableRule::AnySelected},
        {EditorCommand::Paste, "commandPaste", QT_TRANSLATE_NOOP("EditorCommand", "Insert Clipboard contents\nPaste"),
         Key(Qt::CTRL | Qt::Key_V), EnableRule::ClipboardButtons},
        {EditorCommand::Duplicate, "commandDuplicate",
         QT_TRANSLATE_NOOP("EditorCommand", "Duplicate the selection\nDuplicate"), Key(Qt::CTRL | Qt::Key_D),
         EnableRule::AnySelected},
        {EditorCommand::Delete, "commandDelete", nullptr, Key(QKeyCombination(Qt::Key_Delete)),
         EnableRule::AnySelected},
        {EditorCommand::SelectAll, "commandSelectAll", nullptr, Key(Qt::CTRL | Qt::Key_A), EnableRule::AnyButton},
        {EditorCommand::Undo, "commandUndo", QT_TRANSLATE_NOOP("EditorCommand", "Undo\nUndo"),
         Key(Qt::CTRL | Qt::Key_Z), EnableRule::UndoStep},
        {EditorCommand::Redo, "commandRedo", QT_TRANSLATE_NOOP("EditorCommand", "Redo\nRedo"),
         Key(Qt::CTRL | Qt::Key_Y), EnableRule::RedoStep},
        {EditorCommand::MoveBackward, "commandMoveBackward",
         QT_TRANSLATE_NOOP("EditorCommand", "Move Backward\nMove Backward"), 0, EnableRule::OneSelected},
        {EditorCommand::MoveForward, "commandMoveForward",
         QT_TRANSLATE_NOOP("EditorCommand", "Move Foreward\nMove Foreward"), 0, EnableRule::OneSelected},
        {EditorCommand::MoveToBack, "commandMoveToBack",
         QT_TRANSLATE_NOOP("EditorCommand", "Move to Back\nMove to Back"), 0, EnableRule::OneSelected},
        {EditorCommand::MoveToFront, "commandMoveToFront",
         QT_TRANSLATE_NOOP("EditorCommand", "Move to Front\nMove to Front"), 0, EnableRule::OneSelected},
        {EditorCommand::AlignLeft, "commandAlignLeft",
         QT_TRANSLATE_NOOP(
             "EditorCommand",
             "Aligns left edges of the selected buttons with the first button\nAlign Left(Ctrl+Left Arrow))"),
         Key(Qt::CTRL | Qt::Key_Left), EnableRule::TwoSelected},
        {EditorCommand::AlignRight, "commandAlignRight",
         QT_TRANSLATE_NOOP(
             "EditorCommand",
             "Aligns right edges of the selected buttons with the first button\nAlign Right(Ctrl+Right Arrow)"),
         Key(Qt::CTRL | Qt::Key_Right), EnableRule::TwoSelected},
        {EditorCommand::AlignTop, "commandAlignTop",
         QT_TRANSLATE_NOOP("EditorCommand",
                           "Aligns top edges of the selected buttons with the first button\nAlign Top(Ctrl+Up Arrow)"),
         Key(Qt::CTRL | Qt::Key_Up), EnableRule::TwoSelected},
        {EditorCommand::AlignBottom, "commandAlignBottom",
         QT_TRANSLATE_NOOP(
             "EditorCommand",
             "Aligns bottom edges of the selected buttons with the first button\nAlign Bottom(Ctrl+Down Arrow)"),
         Key(Qt::CTRL | Qt::Key_Down), EnableRule::TwoSelected},
        {EditorCommand::SameWidth, "commandSameWidth",
         QT_TRANSLATE_NOOP("EditorCommand",
                           "Resizes the seleceted buttons to have the same width as the first button\nMake Same Width"),
         0, EnableRule::TwoSelected},
        {EditorCommand::SameHeight, "commandSameHeight",
         QT_TRANSLATE_NOOP(
             "EditorCommand",
             "Resizes the seleceted buttons to have the same height as the first button\nMake Same Height"),
         0, EnableRule::TwoSelected},
        {EditorCommand::SameSize, "commandSameSize",
         QT_TRANSLATE_NOOP("EditorCommand",
                           "Resizes the seleceted buttons to have the same size as the first button\nMake Same Size"),
         0, EnableRule::TwoSelected},
        {EditorCommand::SpaceAcross, "commandSpaceAcross",
         QT_TRANSLATE_NOOP("EditorCommand",
                           "Evenly spaces the selected buttons horizontally\nSpace Across(Alt+Right Arrow)"),
         Key(Qt::ALT | Qt::Key_Right), EnableRule::ThreeSelected},
        {EditorCommand::SpaceDown, "commandSpaceDown",
         QT_TRANSLATE_NOOP("EditorCommand", "Evenly spaces the selected buttons vertical\nSpace Down(Alt+Up Arrow)"),
         Key(Qt::ALT | Qt::Key_Up), EnableRule::ThreeSelected},
        {EditorCommand::CenterVertical, "commandCenterVertical",
         QT_TRANSLATE_NOOP("EditorCommand", "Centers the selected buttons vertically\nCenter Vertical(Ctrl+F9)"),
         Key(Qt::CTRL | Qt::Key_F9), EnableRule::AnySelected},
        {EditorCommand::CenterHorizontal, "commandCenterHorizontal",
         QT_TRANSLATE_NOOP("EditorCommand",
                           "Centers the selected buttons horizontally\nCenter Horizontal(Ctrl+Shift+F9)"),
         Key(Qt::CTRL | Qt::SHIFT | Qt::Key_F9), EnableRule::AnySelected},
    };
    return table;
}

const EditorCommandInfo* FindEditorCommand(EditorCommand id)
{
    for (const EditorCommandInfo& info : EditorCommandTable())
        if (info.id == id)
            return &info;
    return nullptr;
}

QString CommandStatusText(EditorCommand id)
{
    const EditorCommandInfo* info = FindEditorCommand(id);
    if (!info || !info->strings)
        return {};
    return QCoreApplication::translate("EditorCommand", info->strings).section(QLatin1Char('\n'), 0, 0);
}

QString CommandToolTip(EditorCommand id)
{
    const EditorCommandInfo* info = FindEditorCommand(id);
    if (!info || !info->strings)
        return {};
    return QCoreApplication::translate("EditorCommand", info->strings).section(QLatin1Char('\n'), 1);
}

}  // namespace snippo
