#include "widget/model/undo_history.h"

namespace snippo {

UndoHistory::UndoHistory(CObject& state, std::function<void()> clear) : m_state(state), m_clear(std::move(clear))
{
}

void UndoHistory::PushUndo(Snapshot snapshot)
{
    if (m_undo.size() > kDepth)
        m_undo.pop_back();
    m_undo.push_front(std::move(snapshot));
}

void UndoHistory::Checkpoint()
{
    Snapshot snapshot;
    snapshot.reserve(kGrowSize);
    CArchive ar(snapshot, CArchive::store);
    m_state.Serialize(ar);
    snapshot.shrink_to_fit();
    PushUndo(std::move(snapshot));
    m_redo.clear();
}

void UndoHistory::ResetHistory()
{
    m_undo.clear();
    m_redo.clear();
    Checkpoint();
}

bool UndoHistory::Undo()
{
    if (!CanUndo())
        return false;
    m_redo.push_front(std::move(m_undo.front()));
    m_undo.pop_front();
    Restore(m_undo.front());
    return true;
}

bool UndoHistory::Redo()
{
    if (!CanRedo())
        return false;
    Snapshot snapshot = std::move(m_redo.front());
    m_redo.pop_front();
    PushUndo(std::move(snapshot));
    Restore(m_undo.front());
    return true;
}

void UndoHistory::Restore(const Snapshot& snapshot)
{
    m_clear();
    CArchive ar(snapshot);
    try {
        m_state.Serialize(ar);
    } catch (const ArchiveError&) {
        // Snapshots are written by this process; a failure here leaves an empty model
        // rather than a half-read one.
        m_clear();
        throw;
    }
}

}  // namespace snippo
