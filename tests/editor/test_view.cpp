// Mouse and keyboard interaction with the editor view.
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "editor_test_util.h"
#include "widget/editor/button_clipboard.h"
#include "widget/editor/draw_obj_paint.h"
#include "widget/editor/editor_commands.h"

namespace snippo::test {
namespace {

using ViewInteraction = ViewTest;

TEST_F(ViewInteraction, RectToolDrawsOneButtonWithOneUndoStep)
{
    OpenHistory();
    FakeCoupling sheet;
    sheet.active = kPageGeneralInfo;
    view->SetPageCoupling(&sheet);
    ASSERT_TRUE(view->RunCommand(EditorCommand::RectButton));
    EXPECT_TRUE(view->Action(EditorCommand::RectButton)->isChecked());
    EXPECT_FALSE(view->Action(EditorCommand::Select)->isChecked());

    Drag(view.get(), QPoint(10, 10), QPoint(60, 40));
    ASSERT_EQ(params.m_listDrawObjects.size(), 1u);
    CDrawObj* obj = params.m_listDrawObjects.front().get();
    EXPECT_EQ(Pos(obj), (CRect{10, 10, 60, 40}));
    EXPECT_EQ(obj->m_pMenu->m_items.front()->m_strLabel, "Button");
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{obj}));
    EXPECT_EQ(UndoDepth(), 2u);
    EXPECT_EQ(SharedToolState().currentTool, kToolRect);  // the tool stays for the next button
    EXPECT_EQ(sheet.activated, (std::vector<int>{1}));    // the last state shown: Normal

    ASSERT_TRUE(view->RunCommand(EditorCommand::Undo));
    EXPECT_TRUE(params.m_listDrawObjects.empty());
}

TEST_F(ViewInteraction, RectToolClickOrStraightDragCreatesNothing)
{
    CDrawObj* existing = AddButton(params, CRect{50, 50, 80, 70});
    OpenHistory();
    const std::pair<QPoint, QPoint> gestures[] = {
        {QPoint(10, 10), QPoint(10, 10)}, {QPoint(10, 10), QPoint(40, 10)}, {QPoint(10, 10), QPoint(10, 40)}};
    for (const auto& [from, to] : gestures) {
        DrawTool::SetCurrent(kToolRect);
        Drag(view.get(), from, to);
        EXPECT_EQ(params.m_listDrawObjects.size(), 1u);
        EXPECT_EQ(SharedToolState().currentTool, kToolSelect);
        EXPECT_EQ(UndoDepth(), 1u);
    }
    // A click of the rectangle tool on a button selects it, as the select tool would.
    DrawTool::SetCurrent(kToolRect);
    Click(view.get(), QPoint(60, 60));
    EXPECT_EQ(params.m_listDrawObjects.size(), 1u);
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{existing}));
    EXPECT_EQ(SharedToolState().currentTool, kToolSelect);
}

TEST_F(ViewInteraction, MovingTakesOneUndoStepAndAPlainClickNone)
{
    CDrawObj* obj = AddButton(params, CRect{10, 10, 40, 30});
    OpenHistory();
    Click(view.get(), QPoint(20, 20));
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{obj}));
    EXPECT_EQ(UndoDepth(), 1u);

    Press(view.get(), QPoint(20, 20));
    Move(view.get(), QPoint(22, 21));
    Move(view.get(), QPoint(25, 27));
    Move(view.get(), QPoint(26, 28));
    Release(view.get(), QPoint(26, 28));
    EXPECT_EQ(obj->m_position, (CRect{16, 18, 46, 38}));
    EXPECT_EQ(UndoDepth(), 2u);
}

TEST_F(ViewInteraction, DragRepaintsOnlyTheOldAndNewAreas)
{
    for (int i = 0; i < 20; ++i)
        AddButton(params, CRect{0, i * 10, 20, i * 10 + 8});
    CDrawObj* obj = AddButton(params, CRect{60, 100, 90, 120});
    view->Select(obj);
    QApplication::processEvents();
    Press(view.get(), QPoint(70, 110));
    QApplication::processEvents();
    PaintRecorder recorder(view.get());
    Move(view.get(), QPoint(72, 113));
    QApplication::processEvents();
    Release(view.get(), QPoint(72, 113));

    ASSERT_FALSE(recorder.regions.empty());
    const QRect painted = recorder.Union().boundingRect();
    // Old and new rectangles with the handle margin: (60-5, 100-6) to (92+6, 123+5).
    EXPECT_EQ(painted, QRect(QPoint(55, 94), QPoint(97, 127)));
}

TEST_F(ViewInteraction, ResizingThroughAHandle)
{
    CDrawObj* obj = AddButton(params, CRect{10, 10, 40, 30});
    OpenHistory();
    view->Select(obj);
    Drag(view.get(), QPoint(40, 30), QPoint(55, 50));  // handle 5, bottom-right
    EXPECT_EQ(obj->m_position, (CRect{10, 10, 55, 50}));
    EXPECT_EQ(UndoDepth(), 2u);

    Drag(view.get(), QPoint(32, 10), QPoint(99, 4));  // handle 2 at 10 + 45 / 2 moves the top only
    EXPECT_EQ(obj->m_position, (CRect{10, 4, 55, 50}));
    EXPECT_EQ(UndoDepth(), 3u);

    Click(view.get(), QPoint(10, 4));  // a press on a handle without moving: no step
    EXPECT_EQ(UndoDepth(), 3u);
}

TEST_F(ViewInteraction, HandlesAreHitOnlyWithASingleSelection)
{
    CDrawObj* a = AddButton(params, CRect{10, 10, 40, 30});
    CDrawObj* b = AddButton(params, CRect{50, 10, 80, 30});
    view->Select(a);
    view->Select(b, true);
    // (39, 29) is inside a and on its handle 5; with two selected it moves both.
    Drag(view.get(), QPoint(39, 29), QPoint(44, 33));
    EXPECT_EQ(a->m_position, (CRect{15, 14, 45, 34}));
    EXPECT_EQ(b->m_position, (CRect{55, 14, 85, 34}));
}

TEST_F(ViewInteraction, HoveringOverAHandleShowsItsCursor)
{
    CDrawObj* obj = AddButton(params, CRect{10, 10, 40, 30});
    view->Select(obj);
    Move(view.get(), QPoint(40, 20), Qt::NoModifier, Qt::NoButton);
    EXPECT_EQ(view->cursor().shape(), Qt::SizeHorCursor);
    Move(view.get(), QPoint(25, 20), Qt::NoModifier, Qt::NoButton);
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ViewInteraction, RubberBandSelectsWhatItTouches)
{
    CDrawObj* a = AddButton(params, CRect{10, 10, 20, 20});
    CDrawObj* b = AddButton(params, CRect{50, 50, 60, 60});
    CDrawObj* c = AddButton(params, CRect{80, 80, 90, 90});

    Drag(view.get(), QPoint(30, 30), QPoint(19, 19));  // overlaps a by one pixel
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a}));
    Drag(view.get(), QPoint(30, 30), QPoint(20, 20));  // only touches a's exclusive corner
    EXPECT_TRUE(params.m_listSelection.empty());

    Drag(view.get(), QPoint(45, 45), QPoint(55, 55));
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{b}));
    Drag(view.get(), QPoint(100, 100), QPoint(85, 85), Qt::ShiftModifier);  // adds
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{b, c}));
    Drag(view.get(), QPoint(5, 5), QPoint(15, 15));  // replaces
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a}));
    EXPECT_TRUE(view->RubberBand().isNull());
}

TEST_F(ViewInteraction, RubberBandRepaintsEveryEdgeInEveryDirection)
{
    // From the press point down-right, then up-right: each move repaints all four dotted
    // lines of the old band (to erase them) and of the new one (to draw them).
    const struct {
        QPoint down, first, second;
    } drags[] = {{{10, 10}, {60, 50}, {90, 80}}, {{10, 90}, {60, 50}, {90, 20}}};
    for (const auto& d : drags) {
        Press(view.get(), d.down);
        Move(view.get(), d.first);
        QApplication::processEvents();
        PaintRecorder recorder(view.get());
        Move(view.get(), d.second);
        QApplication::processEvents();
        const QRegion painted = recorder.Union();
        for (const QPoint corner : {d.first, d.second}) {
            const QRect band = QRect(d.down, corner).normalized();
            const int l = band.left(), t = band.top();
            const int r = std::max(d.down.x(), corner.x()) - 1;  // the last column painted
            const int b = std::max(d.down.y(), corner.y()) - 1;  // the last row painted
            const int mx = (l + r) / 2, my = (t + b) / 2;
            for (const QPoint edge : {QPoint(mx, t), QPoint(mx, b), QPoint(l, my), QPoint(r, my)})
                EXPECT_TRUE(painted.contains(edge)) << "edge point " << edge.x() << "," << edge.y();
        }
        Release(view.get(), d.second);
    }
}

TEST_F(ViewInteraction, ShiftClickAddsAndShiftDoubleClickDeselects)
{
    CDrawObj* a = AddButton(params, CRect{10, 10, 20, 20});
    CDrawObj* b = AddButton(params, CRect{50, 50, 60, 60});
    Click(view.get(), QPoint(15, 15));
    Click(view.get(), QPoint(55, 55), Qt::ShiftModifier);
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a, b}));
    Click(view.get(), QPoint(55, 55));  // already selected: the selection stays
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a, b}));

    QTest::mouseDClick(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(15, 15));
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a, b}));
    QTest::mouseDClick(view.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(15, 15));
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{b}));
}

TEST_F(ViewInteraction, ThePressTakesTheTopmostButton)
{
    AddButton(params, CRect{10, 10, 40, 40});
    CDrawObj* top = AddButton(params, CRect{30, 30, 60, 60});
    Click(view.get(), QPoint(35, 35));
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{top}));
}

TEST_F(ViewInteraction, CtrlDragMovesACopyAndLeavesTheSource)
{
    CDrawObj* source = AddButton(params, CRect{10, 10, 40, 30});
    source->m_pMenu->m_items.front()->m_strLabel = "Home";
    OpenHistory();
    Press(view.get(), QPoint(20, 20), Qt::ControlModifier);
    Move(view.get(), QPoint(30, 25), Qt::ControlModifier);
    Move(view.get(), QPoint(40, 60), Qt::ControlModifier);
    Release(view.get(), QPoint(40, 60), Qt::ControlModifier);

    ASSERT_EQ(params.m_listDrawObjects.size(), 2u);
    CDrawObj* copy = params.m_listDrawObjects.back().get();
    EXPECT_EQ(source->m_position, (CRect{10, 10, 40, 30}));
    EXPECT_EQ(copy->m_position, (CRect{30, 50, 60, 70}));
    EXPECT_EQ(copy->m_pMenu->m_items.front()->m_strLabel, "Home");
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{copy}));
    EXPECT_EQ(UndoDepth(), 2u);

    const auto onClipboard = ReadButtons(ClipboardButtonData());
    ASSERT_EQ(onClipboard.size(), 1u);
    EXPECT_EQ(onClipboard.front()->m_position, (CRect{10, 10, 40, 30}));
}

TEST_F(ViewInteraction, CtrlClickWithoutMovingStillRecordsTheCopy)
{
    AddButton(params, CRect{10, 10, 40, 30});
    OpenHistory();
    Click(view.get(), QPoint(20, 20), Qt::ControlModifier);
    EXPECT_EQ(params.m_listDrawObjects.size(), 2u);
    EXPECT_EQ(UndoDepth(), 2u);
    ASSERT_TRUE(view->RunCommand(EditorCommand::Undo));
    EXPECT_EQ(params.m_listDrawObjects.size(), 1u);
}

TEST_F(ViewInteraction, CharacterKeysStepTheSelection)
{
    CDrawObj* a = AddButton(params, CRect{0, 0, 10, 10});
    CDrawObj* b = AddButton(params, CRect{20, 0, 30, 10});
    CDrawObj* c = AddButton(params, CRect{40, 0, 50, 10});
    QTest::keyClick(view.get(), Qt::Key_N);
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a}));
    QTest::keyClick(view.get(), Qt::Key_N);
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{b}));
    view->Select(a, true);  // the last selected decides
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{b}));
    view->Select(c);
    QTest::keyClick(view.get(), Qt::Key_1);
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a}));  // wraps around
    QTest::keyClick(view.get(), Qt::Key_Down);                       // not a character
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a}));
}

TEST_F(ViewInteraction, RightButtonSelectsTheButtonUnderItAlone)
{
    CDrawObj* a = AddButton(params, CRect{0, 0, 10, 10});
    CDrawObj* b = AddButton(params, CRect{20, 0, 30, 10});
    CDrawObj* c = AddButton(params, CRect{40, 0, 50, 10});
    view->Select(a);
    view->Select(b, true);
    QTest::mouseClick(view.get(), Qt::RightButton, Qt::NoModifier, QPoint(25, 5));  // already selected
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a, b}));
    QTest::mouseClick(view.get(), Qt::RightButton, Qt::NoModifier, QPoint(45, 5));
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{c}));
    QTest::mouseClick(view.get(), Qt::RightButton, Qt::NoModifier, QPoint(80, 80));  // nothing there
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{c}));
}

TEST_F(ViewInteraction, AnInactiveViewIgnoresTheLeftButtonAndHidesHandles)
{
    CDrawObj* obj = AddButton(params, CRect{10, 10, 40, 30});
    view->Select(obj);
    const QImage active = view->Render();
    view->SetActive(false);
    Drag(view.get(), QPoint(20, 20), QPoint(50, 50));
    EXPECT_EQ(obj->m_position, (CRect{10, 10, 40, 30}));
    const QImage inactive = view->Render();
    EXPECT_NE(active.pixel(10, 10), inactive.pixel(10, 10));  // handle 1 is gone
    EXPECT_EQ(active.pixel(25, 20), inactive.pixel(25, 20));
}

TEST_F(ViewInteraction, ViewPaintsTheStateOfTheActivePage)
{
    CDrawObj* obj = AddButton(params, CRect{10, 10, 40, 30});
    obj->m_pMenu->m_styleNormal.nBackStyle = 1;
    obj->m_pMenu->m_styleNormal.crBack = RGB(10, 0, 0);
    obj->m_pMenu->m_styleClick.nBackStyle = 1;
    obj->m_pMenu->m_styleClick.crBack = RGB(30, 0, 0);
    obj->m_pMenu->m_items.front()->m_strLabel.clear();
    EXPECT_EQ(view->ShownState(), 1);  // without a sheet: normal
    EXPECT_EQ(QColor(view->Render().pixel(25, 20)).red(), 10);

    FakeCoupling sheet;
    view->SetPageCoupling(&sheet);
    sheet.active = kPageClicked;
    EXPECT_EQ(QColor(view->Render().pixel(25, 20)).red(), 30);
    sheet.active = kPageAppletMore;  // keeps the last state shown
    EXPECT_EQ(view->ShownState(), kPageAppletMore);
    EXPECT_EQ(QColor(view->Render().pixel(25, 20)).red(), 30);
}

TEST_F(ViewInteraction, PropertyPagesFollowTheSelection)
{
    AddButton(params, CRect{10, 10, 40, 30});
    FakeCoupling sheet;
    view->SetPageCoupling(&sheet);

    // First opening: General Info; selecting a button keeps it.
    Click(view.get(), QPoint(20, 20));
    EXPECT_TRUE(sheet.activated.empty());
    EXPECT_EQ(SharedPages().buttonPage, kPageGeneralInfo);
    EXPECT_EQ(sheet.reloaded, (std::vector<int>{0, 0}));  // after the press and the release

    // Mouse Over, deselect (an applet page comes up), select again: back to Mouse Over.
    sheet.UserChooses(kPageMouseOver);
    Click(view.get(), QPoint(20, 20));
    Click(view.get(), QPoint(80, 100));
    EXPECT_EQ(sheet.active, kPageAppletParameters);
    Click(view.get(), QPoint(20, 20));
    EXPECT_EQ(sheet.active, kPageMouseOver);

    // Applet More, select, deselect: back to Applet More.
    Click(view.get(), QPoint(80, 100));
    sheet.UserChooses(kPageAppletMore);
    Click(view.get(), QPoint(20, 20));
    EXPECT_EQ(sheet.active, kPageMouseOver);
    Click(view.get(), QPoint(80, 100));
    EXPECT_EQ(sheet.active, kPageAppletMore);
}

TEST_F(ViewInteraction, NoSheetMeansNoPageRequests)
{
    AddButton(params, CRect{10, 10, 40, 30});
    Click(view.get(), QPoint(20, 20));
    view->ShowAppletPage();
    view->ShowStatePage();
    view->RefreshPropertyPage();
    EXPECT_EQ(SharedPages().buttonPage, 1);
    EXPECT_EQ(SharedPages().appletPage, 5);
}

TEST_F(ViewInteraction, DestroyingTheViewEmptiesTheSelection)
{
    CDrawObj* obj = AddButton(params, CRect{10, 10, 40, 30});
    view->Select(obj);
    view.reset();
    EXPECT_TRUE(params.m_listSelection.empty());
    EXPECT_EQ(params.m_listDrawObjects.size(), 1u);
}

// The actions follow the model through its signals: the test never asks the view to update them.
TEST_F(ViewInteraction, ModelSignalsFollowEachStepAndTheActionsEnableThemselves)
{
    CDrawObj* a = AddButton(params, CRect{20, 20, 40, 40});
    CDrawObj* b = AddButton(params, CRect{60, 30, 80, 50});
    OpenHistory();
    view->UpdateCommandUI();  // the history was opened behind the view's back
    EditorModel* model = view->ModelSignals();
    QSignalSpy changed(model, &EditorModel::changed);
    QSignalSpy selection(model, &EditorModel::selectionChanged);
    QSignalSpy undoState(model, &EditorModel::undoStateChanged);
    QAction* alignLeft = view->Action(EditorCommand::AlignLeft);
    QAction* moveToBack = view->Action(EditorCommand::MoveToBack);
    QAction* undo = view->Action(EditorCommand::Undo);
    QAction* redo = view->Action(EditorCommand::Redo);
    EXPECT_FALSE(moveToBack->isEnabled());

    Click(view.get(), QPoint(30, 30));
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a}));
    EXPECT_EQ(selection.count(), 1);
    EXPECT_TRUE(moveToBack->isEnabled());
    EXPECT_FALSE(alignLeft->isEnabled());

    Click(view.get(), QPoint(70, 40), Qt::ShiftModifier);
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a, b}));
    EXPECT_EQ(selection.count(), 2);
    EXPECT_TRUE(alignLeft->isEnabled());
    EXPECT_FALSE(moveToBack->isEnabled());
    EXPECT_EQ(changed.count(), 0);  // clicks without a drag move nothing
    EXPECT_FALSE(undo->isEnabled());

    alignLeft->trigger();
    EXPECT_EQ(Pos(b).left, 20);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(undoState.count(), 1);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    undo->trigger();
    EXPECT_EQ(Pos(params.m_listDrawObjects.back().get()).left, 60);
    EXPECT_EQ(changed.count(), 2);  // the buttons are new objects read from the history
    EXPECT_EQ(undoState.count(), 2);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());

    // A change made outside the view reaches the actions at the next sync.
    params.m_listSelection.clear();
    while (!params.m_listDrawObjects.empty())
        params.RemoveObject(params.m_listDrawObjects.front().get());
    view->UpdateCommandUI();
    EXPECT_FALSE(view->Action(EditorCommand::SelectAll)->isEnabled());
    EXPECT_FALSE(view->Action(EditorCommand::Cut)->isEnabled());
    EXPECT_EQ(changed.count(), 3);
    view->UpdateCommandUI();
    EXPECT_EQ(changed.count(), 3);  // nothing new, no signal
}

}  // namespace
}  // namespace snippo::test
