// The Qt face of the model the layout editor works on. The model knows nothing of Qt and
// tells no one when it changes; the editor calls Sync after each step that may have changed
// it, and this object emits a signal for each kind of state that differs from the last Sync.
// Actions and views connect to the signals and so keep themselves up to date.
#pragma once

#include <QObject>
#include <vector>

#include "widget/model/applet_parameters.h"

namespace snippo {

class EditorModel : public QObject {
    Q_OBJECT

public:
    // `model` is not owned and must outlive this object.
    explicit EditorModel(CAppletParameters* model, QObject* parent = nullptr);

    CAppletParameters* Model() const { return m_pModel; }

    // Compares the model with the state seen at the last Sync and emits what changed.
    void Sync();

signals:
    // Buttons were added, removed or restacked, or the history's current state is another one
    // (each step that moves or resizes a button takes a checkpoint).
    void changed();
    void selectionChanged();
    // Whether there is a step to undo or to redo changed.
    void undoStateChanged();

private:
    CAppletParameters* m_pModel;  // not owned
    std::vector<const CDrawObj*> m_objects;
    std::vector<CDrawObj*> m_selection;
    UndoHistory::Snapshot m_current;  // the newest snapshot of the history
    bool m_bCanUndo = false;
    bool m_bCanRedo = false;
};

}  // namespace snippo
