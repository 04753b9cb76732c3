#include "widget/editor/editor_model.h"

#include <algorithm>

namespace snippo {

EditorModel::EditorModel(CAppletParameters* model, QObject* parent) : QObject(parent), m_pModel(model)
{
    Sync();
}

void EditorModel::Sync()
{
    const auto& list = m_pModel->m_listDrawObjects;
    const bool sameObjects = std::equal(list.begin(), list.end(), m_objects.begin(), m_objects.end(),
                                        [](const auto& owned, const CDrawObj* seen) { return owned.get() == seen; });
    static const UndoHistory::Snapshot kNone;
    const auto& stack = m_pModel->History().UndoStack();
    const UndoHistory::Snapshot& current = stack.empty() ? kNone : stack.front();
    const bool historyMoved = current != m_current;
    const bool selectionSame = m_pModel->m_listSelection == m_selection;
    const bool canUndo = m_pModel->History().CanUndo();
    const bool canRedo = m_pModel->History().CanRedo();
    const bool undoStateSame = canUndo == m_bCanUndo && canRedo == m_bCanRedo;

    if (!sameObjects) {
        m_objects.clear();
        for (const auto& obj : list)
            m_objects.push_back(obj.get());
    }
    m_selection = m_pModel->m_listSelection;
    if (historyMoved)
        m_current = current;
    m_bCanUndo = canUndo;
    m_bCanRedo = canRedo;

    if (!sameObjects || historyMoved)
        emit changed();
    if (!selectionSame)
        emit selectionChanged();
    if (!undoStateSame)
        emit undoStateChanged();
}

}  // namespace snippo
