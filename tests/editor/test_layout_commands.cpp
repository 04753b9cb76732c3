// The layout commands through the view: arithmetic, enabling rules and undo steps.
#include <gtest/gtest.h>

#include "editor_test_util.h"
#include "widget/editor/editor_commands.h"
#include "widget/editor/layout_commands.h"

namespace snippo::test {
namespace {

using LayoutCommands = ViewTest;

TEST_F(LayoutCommands, AlignmentTakesTheFirstSelectedButtonAsReference)
{
    CDrawObj* a = AddButton(params, CRect{10, 10, 30, 20});
    CDrawObj* b = AddButton(params, CRect{50, 40, 90, 70});
    OpenHistory();
    view->Select(b);
    view->Select(a, true);  // b was selected first: it is the reference

    EXPECT_TRUE(view->RunCommand(EditorCommand::AlignLeft));
    EXPECT_EQ(Pos(a), (CRect{50, 10, 70, 20}));
    EXPECT_TRUE(view->RunCommand(EditorCommand::AlignBottom));
    EXPECT_EQ(Pos(a), (CRect{50, 60, 70, 70}));
    EXPECT_TRUE(view->RunCommand(EditorCommand::AlignRight));
    EXPECT_EQ(Pos(a), (CRect{70, 60, 90, 70}));
    EXPECT_TRUE(view->RunCommand(EditorCommand::AlignTop));
    EXPECT_EQ(Pos(a), (CRect{70, 40, 90, 50}));
    EXPECT_EQ(Pos(b), (CRect{50, 40, 90, 70}));
    EXPECT_EQ(UndoDepth(), 5u);
}

TEST_F(LayoutCommands, SizingMatchesTheReferenceAndNormalisesFirst)
{
    CDrawObj* ref = AddButton(params, CRect{0, 0, 40, 25});
    CDrawObj* other = AddButton(params, CRect{80, 70, 60, 60});  // inverted
    view->Select(ref);
    view->Select(other, true);
    EXPECT_TRUE(view->RunCommand(EditorCommand::SameWidth));
    EXPECT_EQ(other->m_position, (CRect{60, 60, 100, 70}));
    EXPECT_TRUE(view->RunCommand(EditorCommand::SameHeight));
    EXPECT_EQ(other->m_position, (CRect{60, 60, 100, 85}));
    other->m_position = CRect{5, 5, 6, 6};
    EXPECT_TRUE(view->RunCommand(EditorCommand::SameSize));
    EXPECT_EQ(other->m_position, (CRect{5, 5, 45, 30}));
}

TEST_F(LayoutCommands, SpaceAcrossSortsTheSelectionAndSpacesEvenly)
{
    CDrawObj* right = AddButton(params, CRect{100, 0, 110, 10});
    CDrawObj* left = AddButton(params, CRect{0, 30, 10, 40});
    CDrawObj* middle = AddButton(params, CRect{15, 60, 25, 70});
    view->Select(right);
    view->Select(middle, true);
    view->Select(left, true);

    EXPECT_TRUE(view->RunCommand(EditorCommand::SpaceAcross));
    // 10 + (100 - 10 - 10) / 2 = 50; the outer buttons stay.
    EXPECT_EQ(Pos(middle), (CRect{50, 60, 60, 70}));
    EXPECT_EQ(Pos(left), (CRect{0, 30, 10, 40}));
    EXPECT_EQ(Pos(right), (CRect{100, 0, 110, 10}));
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{left, middle, right}));

    // The leftmost button is now the reference, whatever the order of selection was.
    EXPECT_TRUE(view->RunCommand(EditorCommand::AlignLeft));
    EXPECT_EQ(Pos(middle).left, 0);
    EXPECT_EQ(Pos(right).left, 0);
}

TEST_F(LayoutCommands, SpacingPutsTheRemainderInTheLastGapAndAllowsOverlap)
{
    CDrawObj* a = AddButton(params, CRect{0, 0, 10, 10});
    CDrawObj* b = AddButton(params, CRect{0, 20, 10, 27});
    CDrawObj* c = AddButton(params, CRect{0, 102, 10, 112});
    view->Select(a);
    view->Select(b, true);
    view->Select(c, true);
    EXPECT_TRUE(view->RunCommand(EditorCommand::SpaceDown));
    // gap = (102 - 7 - 10) / 2 = 42; the last gap takes the remaining 43.
    EXPECT_EQ(Pos(b), (CRect{0, 52, 10, 59}));

    CDrawObj* d = AddButton(params, CRect{0, 0, 40, 5});
    CDrawObj* e = AddButton(params, CRect{10, 0, 50, 5});
    CDrawObj* f = AddButton(params, CRect{50, 0, 90, 5});
    view->Select(d);
    view->Select(e, true);
    view->Select(f, true);
    EXPECT_TRUE(view->RunCommand(EditorCommand::SpaceAcross));
    // (50 - 40 - 40) / 2 = -15: the middle button overlaps both neighbours.
    EXPECT_EQ(Pos(e), (CRect{25, 0, 65, 5}));
}

TEST(SortByEdge, EqualEdgesKeepTheirOrder)
{
    CDrawRect a(CRect{5, 0, 6, 1}), b(CRect{1, 0, 2, 1}), c(CRect{5, 3, 6, 4}), d(CRect{1, 9, 2, 10});
    std::vector<CDrawObj*> objects{&a, &b, &c, &d};
    SortByEdge(objects, true);
    EXPECT_EQ(objects, (std::vector<CDrawObj*>{&b, &d, &c, &a}));  // a selection sort swaps a behind c
    SortByEdge(objects, false);
    EXPECT_EQ(objects, (std::vector<CDrawObj*>{&b, &a, &c, &d}));
}

TEST_F(LayoutCommands, CentringMovesTheSelectionsBoundingBoxToTheMiddle)
{
    CDrawObj* a = AddButton(params, CRect{3, 7, 23, 27});
    view->Select(a);
    EXPECT_TRUE(view->RunCommand(EditorCommand::CenterHorizontal));
    EXPECT_EQ(Pos(a), (CRect{42, 7, 62, 27}));  // (105 - 20) / 2 = 42
    EXPECT_TRUE(view->RunCommand(EditorCommand::CenterVertical));
    EXPECT_EQ(Pos(a), (CRect{42, 97, 62, 117}));  // (215 - 20) / 2 = 97

    CDrawObj* b = AddButton(params, CRect{0, 0, 10, 10});
    CDrawObj* c = AddButton(params, CRect{30, 5, 51, 8});
    view->Select(b);
    view->Select(c, true);
    EXPECT_TRUE(view->RunCommand(EditorCommand::CenterHorizontal));
    // The box 0..51 moves by (0 + 105 - 51) / 2 - 0 = 27.
    EXPECT_EQ(Pos(b).left, 27);
    EXPECT_EQ(Pos(c).left, 57);
}

TEST_F(LayoutCommands, CommandsBelowTheirMinimumAreDisabledAndDoNothing)
{
    CDrawObj* a = AddButton(params, CRect{0, 0, 10, 10});
    CDrawObj* b = AddButton(params, CRect{20, 20, 30, 30});
    OpenHistory();
    view->Select(a);
    view->UpdateCommandUI();
    for (EditorCommand id : {EditorCommand::AlignLeft, EditorCommand::AlignRight, EditorCommand::AlignTop,
                             EditorCommand::AlignBottom, EditorCommand::SameWidth, EditorCommand::SameHeight,
                             EditorCommand::SameSize, EditorCommand::SpaceAcross, EditorCommand::SpaceDown}) {
        EXPECT_FALSE(view->IsCommandEnabled(id)) << id;
        EXPECT_FALSE(view->Action(id)->isEnabled()) << id;
        EXPECT_FALSE(view->RunCommand(id)) << id;
    }
    EXPECT_TRUE(view->IsCommandEnabled(EditorCommand::MoveToBack));
    EXPECT_TRUE(view->IsCommandEnabled(EditorCommand::CenterVertical));

    view->Select(b, true);
    EXPECT_TRUE(view->IsCommandEnabled(EditorCommand::AlignLeft));
    EXPECT_FALSE(view->IsCommandEnabled(EditorCommand::SpaceAcross));
    EXPECT_FALSE(view->IsCommandEnabled(EditorCommand::MoveToBack));
    EXPECT_FALSE(view->RunCommand(EditorCommand::MoveToFront));

    view->Select(nullptr);
    EXPECT_FALSE(view->IsCommandEnabled(EditorCommand::CenterHorizontal));
    EXPECT_FALSE(view->IsCommandEnabled(EditorCommand::Cut));
    EXPECT_TRUE(view->IsCommandEnabled(EditorCommand::SelectAll));
    EXPECT_EQ(Pos(a), (CRect{0, 0, 10, 10}));
    EXPECT_EQ(Pos(b), (CRect{20, 20, 30, 30}));
    EXPECT_EQ(UndoDepth(), 1u);

    // The handlers check their own minimum too.
    EXPECT_FALSE(AlignSelection(params, AlignEdge::Left));
    EXPECT_FALSE(SpaceSelection(params, true));
    EXPECT_FALSE(CenterSelection(params, true));
    EXPECT_FALSE(MoveInStack(params, StackMove::ToFront));
}

TEST_F(LayoutCommands, StackingOrderMovesTheSingleSelectedButton)
{
    CDrawObj* a = AddButton(params, CRect{0, 0, 10, 10});
    CDrawObj* b = AddButton(params, CRect{0, 0, 10, 10});
    CDrawObj* c = AddButton(params, CRect{0, 0, 10, 10});
    auto order = [&] {
        std::vector<CDrawObj*> ids;
        for (const auto& o : params.m_listDrawObjects)
            ids.push_back(o.get());
        return ids;
    };
    OpenHistory();
    view->Select(a);
    EXPECT_TRUE(view->RunCommand(EditorCommand::MoveForward));
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{b, a, c}));
    EXPECT_TRUE(view->RunCommand(EditorCommand::MoveToFront));
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{b, c, a}));
    EXPECT_TRUE(view->RunCommand(EditorCommand::MoveBackward));
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{b, a, c}));
    EXPECT_TRUE(view->RunCommand(EditorCommand::MoveToBack));
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{a, b, c}));
    EXPECT_EQ(UndoDepth(), 5u);

    // Already at the back: nothing moves, but the step is still recorded.
    params.History().ResetHistory();
    EXPECT_TRUE(view->RunCommand(EditorCommand::MoveToBack));
    EXPECT_TRUE(view->RunCommand(EditorCommand::MoveBackward));
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{a, b, c}));
    EXPECT_EQ(UndoDepth(), 3u);
}

TEST_F(LayoutCommands, UndoIsDisabledAtOpeningAndKeepsFourSteps)
{
    CDrawObj* a = AddButton(params, CRect{0, 0, 10, 10});
    OpenHistory();
    view->UpdateCommandUI();
    EXPECT_FALSE(view->IsCommandEnabled(EditorCommand::Undo));
    EXPECT_FALSE(view->Action(EditorCommand::Undo)->isEnabled());
    EXPECT_FALSE(view->IsCommandEnabled(EditorCommand::Redo));

    view->Select(a);
    ASSERT_TRUE(view->RunCommand(EditorCommand::CenterHorizontal));
    EXPECT_TRUE(view->Action(EditorCommand::Undo)->isEnabled());
    ASSERT_TRUE(view->RunCommand(EditorCommand::Undo));
    ASSERT_EQ(params.m_listDrawObjects.size(), 1u);
    EXPECT_EQ(Pos(params.m_listDrawObjects.front().get()), (CRect{0, 0, 10, 10}));
    EXPECT_FALSE(view->IsCommandEnabled(EditorCommand::Undo));
    EXPECT_TRUE(view->Action(EditorCommand::Redo)->isEnabled());
    ASSERT_TRUE(view->RunCommand(EditorCommand::Redo));
    EXPECT_EQ(Pos(params.m_listDrawObjects.front().get()).left, 47);

    // Five changes; only the last four can be undone.
    params.History().ResetHistory();
    CDrawObj* obj = params.m_listDrawObjects.front().get();
    view->Select(obj);
    for (int i = 1; i <= 5; ++i) {
        obj->m_position.OffsetRect(1, 0);
        params.History().Checkpoint();
    }
    int undone = 0;
    while (view->RunCommand(EditorCommand::Undo))
        ++undone;
    EXPECT_EQ(undone, 4);
    EXPECT_EQ(Pos(params.m_listDrawObjects.front().get()).left, 48);  // the state after the first change
}

TEST_F(LayoutCommands, UndoLeavesAppletSettingsAlone)
{
    CDrawObj* a = AddButton(params, CRect{0, 0, 10, 10});
    OpenHistory();
    view->Select(a);
    ASSERT_TRUE(view->RunCommand(EditorCommand::CenterVertical));
    params.m_crBack = RGB(1, 2, 3);
    params.m_nWidth = 300;
    params.m_nHeight = 99;
    ASSERT_TRUE(view->RunCommand(EditorCommand::Undo));
    EXPECT_EQ(params.m_crBack, RGB(1, 2, 3));
    EXPECT_EQ(params.m_nWidth, 300);
    EXPECT_EQ(params.m_nHeight, 99);
    EXPECT_EQ(Pos(params.m_listDrawObjects.front().get()).top, 0);
}

TEST_F(LayoutCommands, SelectAllAndDelete)
{
    OpenHistory();
    EXPECT_FALSE(view->RunCommand(EditorCommand::SelectAll));
    EXPECT_EQ(UndoDepth(), 1u);

    CDrawObj* a = AddButton(params, CRect{0, 0, 10, 10});
    CDrawObj* b = AddButton(params, CRect{20, 0, 30, 10});
    OpenHistory();
    view->Select(b);
    EXPECT_TRUE(view->RunCommand(EditorCommand::SelectAll));
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{b, a}));
    EXPECT_EQ(UndoDepth(), 2u);

    EXPECT_TRUE(view->RunCommand(EditorCommand::Delete));
    EXPECT_TRUE(params.m_listDrawObjects.empty());
    EXPECT_TRUE(params.m_listSelection.empty());
    EXPECT_EQ(UndoDepth(), 3u);
    EXPECT_FALSE(view->RunCommand(EditorCommand::Delete));
    ASSERT_TRUE(view->RunCommand(EditorCommand::Undo));
    EXPECT_EQ(params.m_listDrawObjects.size(), 2u);
    EXPECT_EQ(params.m_listSelection.size(), 2u);  // the selection is part of the snapshot
}

TEST_F(LayoutCommands, KeysRunEnabledCommandsOnly)
{
    CDrawObj* a = AddButton(params, CRect{0, 0, 10, 10});
    CDrawObj* b = AddButton(params, CRect{30, 30, 40, 40});
    OpenHistory();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->setFocus();

    view->Select(b);
    view->UpdateCommandUI();
    QTest::keyClick(view.get(), Qt::Key_Left, Qt::ControlModifier);  // disabled with one selected
    EXPECT_EQ(Pos(a), (CRect{0, 0, 10, 10}));
    EXPECT_EQ(UndoDepth(), 1u);

    view->Select(a, true);
    view->UpdateCommandUI();
    QTest::keyClick(view.get(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Pos(a), (CRect{30, 0, 40, 10}));
    QTest::keyClick(view.get(), Qt::Key_F9, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Pos(a).left, 47);
    QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Pos(params.m_listDrawObjects.front().get()).left, 30);
}

}  // namespace
}  // namespace snippo::test
