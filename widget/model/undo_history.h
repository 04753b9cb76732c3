// Snapshot history of the layout editor. A snapshot is an archive of the buttons and the
// selection; the newest snapshot on the undo stack is the state currently shown.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/archive/archive.h"

namespace snippo {

class UndoHistory {
public:
    using Snapshot = std::vector<std::uint8_t>;

    static constexpr std::size_t kGrowSize = 32768;
    static constexpr std::size_t kDepth = 4;  // undo steps kept; the stack holds one more

    // The history of `state`, whose Serialize writes a snapshot and reads one back (the
    // reading side starts from an empty state); `clear` empties the state. The state
    // outlives its history.
    UndoHistory(CObject& state, std::function<void()> clear);
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Writes a snapshot of the current state, pushes it and empties the redo stack.
    void Checkpoint();
    // Empties both stacks, then takes one checkpoint: the editor opens with nothing to undo.
    void ResetHistory();
    bool CanUndo() const { return m_undo.size() > 1; }
    bool CanRedo() const { return !m_redo.empty(); }
    // Both return false and change nothing when they are not enabled.
    bool Undo();
    bool Redo();
    // Replaces the current state by the one held in `snapshot`.
    void Restore(const Snapshot& snapshot);

    const std::deque<Snapshot>& UndoStack() const { return m_undo; }  // newest first
    const std::deque<Snapshot>& RedoStack() const { return m_redo; }  // most recent first

private:
    void PushUndo(Snapshot snapshot);

    CObject& m_state;
    std::function<void()> m_clear;

    std::deque<Snapshot> m_undo;
    std::deque<Snapshot> m_redo;
};

}  // namespace snippo
