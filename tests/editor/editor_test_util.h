// Shared fixtures of the editor tests: a model with buttons, a fake property sheet, a shown
// view, and functions that deliver presses, drags and releases to it.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

#include "widget/editor/draw_tool.h"
#include "widget/editor/draw_view.h"
#include "widget/editor/editor_state.h"
#include "widget/editor/page_coupling.h"
#include "widget/model/applet_parameters.h"
#include "prompt_recorder.h"

namespace snippo {

// Commands print as their numbers in test messages.
inline std::ostream& operator<<(std::ostream& out, EditorCommand id)
{
    return out << static_cast<int>(id);
}

}  // namespace snippo

namespace snippo::test {

inline CDrawObj* AddButton(CAppletParameters& params, CRect rect)
{
    return params.AddObject(std::make_unique<CDrawRect>(rect));
}

inline CRect Pos(const CDrawObj* obj)
{
    return obj->m_position.Normalized();
}

// A property sheet that only records what the editor asks of it. A page that becomes active
// remembers itself, as the real pages do.
class FakeCoupling : public EditorPageCoupling {
public:
    int ActivePage() const override { return active; }
    void ActivatePage(int index) override
    {
        activated.push_back(index);
        active = index;
        if (index >= 0 && index <= 4)
            SharedPages().buttonPage = index;
        else if (index == 5 || index == 6)
            SharedPages().appletPage = index;
    }
    void ReloadPage(int index) override { reloaded.push_back(index); }
    // The user clicks a tab.
    void UserChooses(int index)
    {
        ActivatePage(index);
        activated.pop_back();
    }

    int active = 0;
    std::vector<int> activated;
    std::vector<int> reloaded;
};

// Resets the process-wide editor state between tests.
inline void ResetEditorState()
{
    SharedToolState() = ToolState{};
    SharedPages() = RememberedPages{};
    SetLastShownState(1);
}

// Records the area of every paint event a widget receives.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            regions.push_back(static_cast<QPaintEvent*>(e)->region());
        return false;
    }
    QRegion Union() const
    {
        QRegion all;
        for (const QRegion& r : regions)
            all += r;
        return all;
    }
    std::vector<QRegion> regions;
};

inline void Press(QWidget* w, QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::mousePress(w, Qt::LeftButton, m, p);
}

inline void Release(QWidget* w, QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::mouseRelease(w, Qt::LeftButton, m, p);
}

// A move with the left button held (or none, for hovering).
inline void Move(QWidget* w, QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier,
                 Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, buttons, m);
    QApplication::sendEvent(w, &event);
}

inline void Drag(QWidget* w, QPoint from, QPoint to, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    Press(w, from, m);
    Move(w, (from + to) / 2, m);
    Move(w, to, m);
    Release(w, to, m);
}

inline void Click(QWidget* w, QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    Press(w, p, m);
    Release(w, p, m);
}

// A model with a shown, active view of the applet's size and a fresh undo history.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        view = std::make_unique<CDrawView>(&params);
        view->resize(params.m_nWidth, params.m_nHeight);
        view->SetActive(true);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }
    void TearDown() override
    {
        view.reset();
        ResetEditorState();
    }
    // Opens the history on the current buttons, as the configuration dialog does.
    void OpenHistory() { params.History().ResetHistory(); }
    std::size_t UndoDepth() const { return params.History().UndoStack().size(); }

    CAppletParameters params;
    std::unique_ptr<CDrawView> view;
};

}  // namespace snippo::test
