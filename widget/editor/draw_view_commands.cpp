// The editor commands of CDrawView: their actions, enabling rules and handlers.
#include <QAction>
#include <QKeySequence>

#include "widget/editor/button_clipboard.h"
#include "widget/editor/draw_tool.h"
#include "widget/editor/draw_view.h"
#include "widget/editor/layout_commands.h"
#include "widget/editor/message_box.h"
#include "widget/editor/palette_icons.h"

namespace snippo {

void CDrawView::CreateActions()
{
    for (const EditorCommandInfo& info : EditorCommandTable()) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(info.objectName));
        action->setData(info.id);
        const QString tip = CommandToolTip(info.id);
        action->setText(tip.isEmpty() ? QString::fromLatin1(info.objectName + 7) : tip);
        action->setToolTip(tip);
        action->setStatusTip(CommandStatusText(info.id));
        action->setIcon(PaletteIcon(info.id));
        if (info.key != 0) {
            action->setShortcut(QKeySequence(QKeyCombination::fromCombined(info.key)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (info.id == kCmdSelect || info.id == kCmdRectButton)
            action->setCheckable(true);
        const int id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        addAction(action);
        m_actions.push_back(action);
        m_actionById[id] = action;
    }
}

QAction* CDrawView::Action(int id) const
{
    auto it = m_actionById.find(id);
    return it == m_actionById.end() ? nullptr : it->second;
}

void CDrawView::OnClipboardChanged()
{
    m_bClipboardHasButtons = ClipboardHasButtons();
    UpdateCommandUI();
}

bool CDrawView::IsCommandEnabled(int id) const
{
    const std::size_t selected = m_pModel->m_listSelection.size();
    switch (id) {
    case kCmdSelect:
    case kCmdRectButton:
        return true;
    case kCmdCut:
    case kCmdCopy:
    case kCmdDuplicate:
    case kCmdDelete:
    case kCmdCenterVertical:
    case kCmdCenterHorizontal:
        return selected > 0;
    case kCmdPaste:
        return m_bClipboardHasButtons;
    case kCmdSelectAll:
        return !m_pModel->m_listDrawObjects.empty();
    case kCmdUndo:
        return m_pModel->History().CanUndo();
    case kCmdRedo:
        return m_pModel->History().CanRedo();
    case kCmdMoveBackward:
    case kCmdMoveForward:
    case kCmdMoveToBack:
    case kCmdMoveToFront:
        return selected == 1;
    case kCmdAlignLeft:
    case kCmdAlignRight:
    case kCmdAlignTop:
    case kCmdAlignBottom:
    case kCmdSameWidth:
    case kCmdSameHeight:
    case kCmdSameSize:
        return selected >= 2;
    case kCmdSpaceAcross:
    case kCmdSpaceDown:
        return selected >= 3;
    default:
        return false;
    }
}

bool CDrawView::IsCommandChecked(int id) const
{
    if (id == kCmdSelect)
        return SharedToolState().currentTool == kToolSelect;
    if (id == kCmdRectButton)
        return SharedToolState().currentTool == kToolRect;
    return false;
}

void CDrawView::UpdateCommandUI()
{
    for (QAction* action : m_actions) {
        const int id = action->data().toInt();
        action->setEnabled(IsCommandEnabled(id));
        if (action->isCheckable())
            action->setChecked(IsCommandChecked(id));
    }
}

bool CDrawView::RunCommand(int id)
{
    if (!IsCommandEnabled(id)) {
        UpdateCommandUI();
        return false;
    }
    const bool hadSelection = !m_pModel->m_listSelection.empty();
    switch (id) {
    case kCmdSelect: DrawTool::SetCurrent(kToolSelect); break;
    case kCmdRectButton: DrawTool::SetCurrent(kToolRect); break;
    case kCmdCut: OnEditCut(); break;
    case kCmdCopy: OnEditCopy(); break;
    case kCmdPaste: OnEditPaste(); break;
    case kCmdDuplicate: OnEditDuplicate(); break;
    case kCmdDelete: OnEditClear(); break;
    case kCmdSelectAll: OnEditSelectAll(); break;
    case kCmdUndo: OnEditUndo(); break;
    case kCmdRedo: OnEditRedo(); break;
    case kCmdMoveBackward:
    case kCmdMoveForward:
    case kCmdMoveToBack:
    case kCmdMoveToFront: OnStack(id); break;
    case kCmdAlignLeft:
    case kCmdAlignRight:
    case kCmdAlignTop:
    case kCmdAlignBottom:
    case kCmdSameWidth:
    case kCmdSameHeight:
    case kCmdSameSize: OnAlign(id); break;
    case kCmdSpaceAcross: OnSpace(true); break;
    case kCmdSpaceDown: OnSpace(false); break;
    case kCmdCenterVertical: OnCenter(false); break;
    case kCmdCenterHorizontal: OnCenter(true); break;
    default: return false;
    }
    // The sheet must never keep showing a button that a command replaced or removed: with
    // nothing selected any more (a delete, an undo back to an empty applet) the applet shows.
    if (hadSelection && m_pModel->m_listSelection.empty())
        ShowAppletPage();
    RefreshPropertyPage();
    UpdateCommandUI();
    return true;
}

// --- clipboard -------------------------------------------------------------------------

void CDrawView::CopySelection()
{
    if (m_pModel->m_listSelection.empty())
        return;
    PutButtonsOnClipboard(m_pModel->m_listSelection);
    m_bClipboardHasButtons = true;
}

bool CDrawView::PasteFromClipboard()
{
    if (!ClipboardHasButtons())
        return false;
    std::vector<std::unique_ptr<CDrawObj>> pasted;
    try {
        pasted = ReadButtons(ClipboardButtonData());
    } catch (const ArchiveError& error) {
        EditorMessageBox::Show(this,
                               QStringLiteral("The buttons on the Clipboard cannot be read: %1\nNothing was pasted.")
                                   .arg(QString::fromUtf8(error.what())),
                               QStringLiteral("Paste"));
        return false;
    }
    Refresh(2);
    auto& selection = m_pModel->m_listSelection;
    selection.clear();
    for (auto& obj : pasted) {
        CDrawObj* added = m_pModel->AddObject(std::move(obj));
        selection.push_back(added);
        InvalidateObject(added);
    }
    RefreshPropertyPage();
    return true;
}

void CDrawView::OnEditCopy()
{
    CopySelection();
}

void CDrawView::OnEditPaste()
{
    if (PasteFromClipboard())
        m_pModel->History().Checkpoint();
}

void CDrawView::OnEditCut()
{
    if (m_pModel->m_listSelection.empty())
        return;
    CopySelection();
    OnEditClear();
}

void CDrawView::OnEditDuplicate()
{
    if (m_pModel->m_listSelection.empty())
        return;
    CopySelection();
    OnEditPaste();
}

void CDrawView::OnEditClear()
{
    auto& selection = m_pModel->m_listSelection;
    if (selection.empty())
        return;
    Refresh(2);
    const std::vector<CDrawObj*> doomed = selection;
    for (CDrawObj* obj : doomed)
        m_pModel->RemoveObject(obj);   // the returned owner deletes it
    selection.clear();
    m_pModel->History().Checkpoint();
}

void CDrawView::OnEditSelectAll()
{
    if (m_pModel->m_listDrawObjects.empty())
        return;
    for (const auto& obj : m_pModel->m_listDrawObjects)
        Select(obj.get(), true);
    m_pModel->History().Checkpoint();
}

void CDrawView::OnEditUndo()
{
    if (m_pModel->History().Undo())
        Refresh(0);
}

void CDrawView::OnEditRedo()
{
    if (m_pModel->History().Redo())
        Refresh(0);
}

// --- layout ----------------------------------------------------------------------------

void CDrawView::OnStack(int id)
{
    const StackMove move = id == kCmdMoveBackward  ? StackMove::Backward
                           : id == kCmdMoveForward ? StackMove::Forward
                           : id == kCmdMoveToBack  ? StackMove::ToBack
                                                   : StackMove::ToFront;
    if (!MoveInStack(*m_pModel, move))
        return;
    InvalidateObject(m_pModel->m_listSelection.front());
    m_pModel->History().Checkpoint();
}

void CDrawView::OnAlign(int id)
{
    bool done = false;
    switch (id) {
    case kCmdAlignLeft: done = AlignSelection(*m_pModel, AlignEdge::Left); break;
    case kCmdAlignRight: done = AlignSelection(*m_pModel, AlignEdge::Right); break;
    case kCmdAlignTop: done = AlignSelection(*m_pModel, AlignEdge::Top); break;
    case kCmdAlignBottom: done = AlignSelection(*m_pModel, AlignEdge::Bottom); break;
    case kCmdSameWidth: done = MatchSelectionSize(*m_pModel, SizeMatch::Width); break;
    case kCmdSameHeight: done = MatchSelectionSize(*m_pModel, SizeMatch::Height); break;
    case kCmdSameSize: done = MatchSelectionSize(*m_pModel, SizeMatch::Both); break;
    default: break;
    }
    if (!done)
        return;
    Refresh(0);
    m_pModel->History().Checkpoint();
}

void CDrawView::OnSpace(bool across)
{
    if (!SpaceSelection(*m_pModel, across))
        return;
    Refresh(0);
    m_pModel->History().Checkpoint();
}

void CDrawView::OnCenter(bool horizontal)
{
    if (!CenterSelection(*m_pModel, horizontal))
        return;
    Refresh(0);
    m_pModel->History().Checkpoint();
}

}  // namespace snippo
