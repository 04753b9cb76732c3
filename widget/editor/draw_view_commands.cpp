// The editor commands of CDrawView: their actions, enabling rules and handlers.
#include <QAction>
#include <QKeySequence>

#include "widget/editor/button_clipboard.h"
#include "widget/editor/draw_tool.h"
#include "widget/editor/draw_view.h"
#include "widget/editor/layout_commands.h"
#include "widget/editor/palette_icons.h"
#include "widget/editor/prompt_service.h"

namespace snippo {

void CDrawView::CreateActions()
{
    for (const EditorCommandInfo& info : EditorCommandTable()) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(info.objectName));
        action->setData(static_cast<int>(info.id));
        const QString tip = CommandToolTip(info.id);
        action->setText(tip.isEmpty() ? QString::fromLatin1(info.objectName + 7) : tip);
        action->setToolTip(tip);
        action->setStatusTip(CommandStatusText(info.id));
        action->setIcon(PaletteIcon(info.id));
        if (info.key != 0) {
            action->setShortcut(QKeySequence(QKeyCombination::fromCombined(info.key)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (info.id == EditorCommand::Select || info.id == EditorCommand::RectButton)
            action->setCheckable(true);
        const EditorCommand id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        addAction(action);
        m_actions.push_back(action);
        m_actionById[id] = action;
        BindEnabling(action, info);
    }
}

void CDrawView::BindEnabling(QAction* action, const EditorCommandInfo& info)
{
    const EditorCommand id = info.id;
    auto update = [this, action, id] { action->setEnabled(IsCommandEnabled(id)); };
    switch (info.enable) {
    case EnableRule::Always:
        break;
    case EnableRule::AnySelected:
    case EnableRule::OneSelected:
    case EnableRule::TwoSelected:
    case EnableRule::ThreeSelected:
        connect(m_pEditorModel, &EditorModel::selectionChanged, action, update);
        break;
    case EnableRule::AnyButton:
        connect(m_pEditorModel, &EditorModel::changed, action, update);
        break;
    case EnableRule::UndoStep:
    case EnableRule::RedoStep:
        connect(m_pEditorModel, &EditorModel::undoStateChanged, action, update);
        break;
    case EnableRule::ClipboardButtons:
        connect(this, &CDrawView::clipboardButtonsChanged, action, update);
        break;
    }
    update();
}

QAction* CDrawView::Action(EditorCommand id) const
{
    auto it = m_actionById.find(id);
    return it == m_actionById.end() ? nullptr : it->second;
}

void CDrawView::OnClipboardChanged()
{
    SetClipboardHasButtons(ClipboardHasButtons());
}

void CDrawView::SetClipboardHasButtons(bool has)
{
    if (has == m_bClipboardHasButtons)
        return;
    m_bClipboardHasButtons = has;
    emit clipboardButtonsChanged();
}

bool CDrawView::IsCommandEnabled(EditorCommand id) const
{
    const EditorCommandInfo* info = FindEditorCommand(id);
    if (!info)
        return false;
    const std::size_t selected = m_pModel->m_listSelection.size();
    switch (info->enable) {
    case EnableRule::Always:
        return true;
    case EnableRule::AnySelected:
        return selected > 0;
    case EnableRule::OneSelected:
        return selected == 1;
    case EnableRule::TwoSelected:
        return selected >= 2;
    case EnableRule::ThreeSelected:
        return selected >= 3;
    case EnableRule::ClipboardButtons:
        return m_bClipboardHasButtons;
    case EnableRule::AnyButton:
        return !m_pModel->m_listDrawObjects.empty();
    case EnableRule::UndoStep:
        return m_pModel->History().CanUndo();
    case EnableRule::RedoStep:
        return m_pModel->History().CanRedo();
    }
    return false;
}

bool CDrawView::IsCommandChecked(EditorCommand id) const
{
    if (id == EditorCommand::Select)
        return SharedToolState().currentTool == kToolSelect;
    if (id == EditorCommand::RectButton)
        return SharedToolState().currentTool == kToolRect;
    return false;
}

void CDrawView::UpdateCommandUI()
{
    m_pEditorModel->Sync();
    for (QAction* action : m_actions)
        if (action->isCheckable())
            action->setChecked(IsCommandChecked(static_cast<EditorCommand>(action->data().toInt())));
}

bool CDrawView::RunCommand(EditorCommand id)
{
    if (!IsCommandEnabled(id)) {
        UpdateCommandUI();
        return false;
    }
    const bool hadSelection = !m_pModel->m_listSelection.empty();
    switch (id) {
    case EditorCommand::Select:
        DrawTool::SetCurrent(kToolSelect);
        break;
    case EditorCommand::RectButton:
        DrawTool::SetCurrent(kToolRect);
        break;
    case EditorCommand::Cut:
        OnEditCut();
        break;
    case EditorCommand::Copy:
        OnEditCopy();
        break;
    case EditorCommand::Paste:
        OnEditPaste();
        break;
    case EditorCommand::Duplicate:
        OnEditDuplicate();
        break;
    case EditorCommand::Delete:
        OnEditClear();
        break;
    case EditorCommand::SelectAll:
        OnEditSelectAll();
        break;
    case EditorCommand::Undo:
        OnEditUndo();
        break;
    case EditorCommand::Redo:
        OnEditRedo();
        break;
    case EditorCommand::MoveBackward:
    case EditorCommand::MoveForward:
    case EditorCommand::MoveToBack:
    case EditorCommand::MoveToFront:
        OnStack(id);
        break;
    case EditorCommand::AlignLeft:
    case EditorCommand::AlignRight:
    case EditorCommand::AlignTop:
    case EditorCommand::AlignBottom:
    case EditorCommand::SameWidth:
    case EditorCommand::SameHeight:
    case EditorCommand::SameSize:
        OnAlign(id);
        break;
    case EditorCommand::SpaceAcross:
        OnSpace(true);
        break;
    case EditorCommand::SpaceDown:
        OnSpace(false);
        break;
    case EditorCommand::CenterVertical:
        OnCenter(false);
        break;
    case EditorCommand::CenterHorizontal:
        OnCenter(true);
        break;
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
    SetClipboardHasButtons(true);
}

bool CDrawView::PasteFromClipboard()
{
    if (!ClipboardHasButtons())
        return false;
    std::vector<std::unique_ptr<CDrawObj>> pasted;
    try {
        pasted = ReadButtons(ClipboardButtonData());
    } catch (const ArchiveError& error) {
        widget::ShowPrompt(this, {tr("Paste"),
                                  tr("The buttons on the Clipboard cannot be read: %1\nNothing was pasted.")
                                      .arg(QString::fromUtf8(error.what())),
                                  QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok});
        return false;
    }
    Refresh(RefreshHint::Objects);
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
    Refresh(RefreshHint::Objects);
    const std::vector<CDrawObj*> doomed = selection;
    for (CDrawObj* obj : doomed)
        m_pModel->RemoveObject(obj);  // the returned owner deletes it
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
        Refresh(RefreshHint::All);
}

void CDrawView::OnEditRedo()
{
    if (m_pModel->History().Redo())
        Refresh(RefreshHint::All);
}

// --- layout ----------------------------------------------------------------------------

void CDrawView::OnStack(EditorCommand id)
{
    const StackMove move = id == EditorCommand::MoveBackward  ? StackMove::Backward
                           : id == EditorCommand::MoveForward ? StackMove::Forward
                           : id == EditorCommand::MoveToBack  ? StackMove::ToBack
                                                              : StackMove::ToFront;
    if (!MoveInStack(*m_pModel, move))
        return;
    InvalidateObject(m_pModel->m_listSelection.front());
    m_pModel->History().Checkpoint();
}

void CDrawView::OnAlign(EditorCommand id)
{
    bool done = false;
    switch (id) {
    case EditorCommand::AlignLeft:
        done = AlignSelection(*m_pModel, AlignEdge::Left);
        break;
    case EditorCommand::AlignRight:
        done = AlignSelection(*m_pModel, AlignEdge::Right);
        break;
    case EditorCommand::AlignTop:
        done = AlignSelection(*m_pModel, AlignEdge::Top);
        break;
    case EditorCommand::AlignBottom:
        done = AlignSelection(*m_pModel, AlignEdge::Bottom);
        break;
    case EditorCommand::SameWidth:
        done = MatchSelectionSize(*m_pModel, SizeMatch::Width);
        break;
    case EditorCommand::SameHeight:
        done = MatchSelectionSize(*m_pModel, SizeMatch::Height);
        break;
    case EditorCommand::SameSize:
        done = MatchSelectionSize(*m_pModel, SizeMatch::Both);
        break;
    default:
        break;
    }
    if (!done)
        return;
    Refresh(RefreshHint::All);
    m_pModel->History().Checkpoint();
}

void CDrawView::OnSpace(bool across)
{
    if (!SpaceSelection(*m_pModel, across))
        return;
    Refresh(RefreshHint::All);
    m_pModel->History().Checkpoint();
}

void CDrawView::OnCenter(bool horizontal)
{
    if (!CenterSelection(*m_pModel, horizontal))
        return;
    Refresh(RefreshHint::All);
    m_pModel->History().Checkpoint();
}

}  // namespace snippo
