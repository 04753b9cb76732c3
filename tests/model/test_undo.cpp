// The editor's snapshot history: depth, redo, and snapshots that reproduce the buttons and
// the selection.
#include <gtest/gtest.h>

#include "model_support.h"
#include "widget/model/applet_parameters.h"

using namespace snippo;
using namespace snippo::test;

namespace {

std::vector<std::int32_t> Lefts(const CAppletParameters& p)
{
    std::vector<std::int32_t> lefts;
    for (const auto& obj : p.m_listDrawObjects)
        lefts.push_back(obj->m_position.left);
    return lefts;
}

}  // namespace

TEST(Undo, OpensWithNothingToUndoAndKeepsFourSteps)
{
    CAppletParameters p;
    AddButton(p, {0, 0, 10, 10});
    p.History().ResetHistory();
    EXPECT_EQ(1u, p.History().UndoStack().size());
    EXPECT_FALSE(p.History().CanUndo());
    EXPECT_FALSE(p.History().CanRedo());
    EXPECT_FALSE(p.History().Undo());
    EXPECT_FALSE(p.History().Redo());
    EXPECT_EQ(1u, p.m_listDrawObjects.size());

    for (int change = 1; change <= 5; ++change) {
        AddButton(p, {change * 100, 0, change * 100 + 10, 10});
        p.History().Checkpoint();
        EXPECT_TRUE(p.History().CanUndo());
    }
    EXPECT_EQ(5u, p.History().UndoStack().size());
    for (int step = 0; step < 4; ++step)
        EXPECT_TRUE(p.History().Undo()) << step;
    EXPECT_FALSE(p.History().CanUndo());
    EXPECT_FALSE(p.History().Undo());
    // Back at the state after the first change: the opening state is gone.
    EXPECT_EQ((std::vector<std::int32_t>{0, 100}), Lefts(p));
    EXPECT_EQ(4u, p.History().RedoStack().size());

    EXPECT_TRUE(p.History().Redo());
    EXPECT_TRUE(p.History().Redo());
    EXPECT_EQ((std::vector<std::int32_t>{0, 100, 200, 300}), Lefts(p));
    EXPECT_EQ(2u, p.History().RedoStack().size());

    // A new change empties the redo stack.
    p.m_listDrawObjects[0]->m_position.OffsetRect(5, 0);
    p.History().Checkpoint();
    EXPECT_FALSE(p.History().CanRedo());
    EXPECT_FALSE(p.History().Redo());
    EXPECT_TRUE(p.History().Undo());
    EXPECT_EQ((std::vector<std::int32_t>{0, 100, 200, 300}), Lefts(p));
}

TEST(Undo, RedoOntoAFullStackDropsTheOldest)
{
    CAppletParameters p;
    p.History().ResetHistory();
    for (int change = 1; change <= 4; ++change) {
        AddButton(p, {change, 0, change + 10, 10});
        p.History().Checkpoint();
    }
    ASSERT_EQ(5u, p.History().UndoStack().size());
    ASSERT_TRUE(p.History().Undo());
    EXPECT_EQ(4u, p.History().UndoStack().size());
    ASSERT_TRUE(p.History().Redo());
    EXPECT_EQ(5u, p.History().UndoStack().size());
    EXPECT_EQ(4u, p.m_listDrawObjects.size());
    AddButton(p, {9, 0, 19, 10});
    p.History().Checkpoint();
    EXPECT_EQ(5u, p.History().UndoStack().size());
}

TEST(Undo, SnapshotsReproduceEveryFieldButTheIndex)
{
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CAppletParameters p, twin;
        ModelGenerator a(seed), b(seed);
        a.Fill(p, {"/x/a.gif", "y.au"}, true);
        b.Fill(twin, {"/x/a.gif", "y.au"}, true);
        for (const auto& obj : p.m_listDrawObjects)
            ForEachMenu(obj->Menu(), [](CGlimMenu* m) { m->m_nIndex = 77; });
        p.History().ResetHistory();

        // A change to the buttons and the selection, then back.
        p.m_listSelection.clear();
        if (!p.m_listDrawObjects.empty())
            p.RemoveObject(p.m_listDrawObjects.front().get());
        AddButton(p, {1, 1, 2, 2});
        p.m_listSelection.push_back(p.m_listDrawObjects.back().get());
        p.History().Checkpoint();
        ASSERT_TRUE(p.History().Undo());

        ExpectModelEqual(twin, p, {Storage::kSnapshot, ""});
        for (const auto& obj : p.m_listDrawObjects)
            ForEachMenu(obj->Menu(), [](CGlimMenu* m) { EXPECT_NE(77, m->m_nIndex); });
        if (HasFailure())
            break;
    }
}

TEST(Undo, ApplicationWideSettingsAreNotPartOfASnapshot)
{
    CAppletParameters p;
    AddButton(p, {0, 0, 10, 10});
    p.History().ResetHistory();
    AddButton(p, {20, 0, 30, 10});
    p.History().Checkpoint();
    p.m_nWidth = 500;
    p.m_crBack = 0x123456;
    ASSERT_TRUE(p.History().Undo());
    EXPECT_EQ(1u, p.m_listDrawObjects.size());
    EXPECT_EQ(500, p.m_nWidth);
    EXPECT_EQ(0x123456u, p.m_crBack);
}

TEST(Undo, ASnapshotIsACopyAndADamagedOneLeavesAnEmptyModel)
{
    CAppletParameters p;
    AddButton(p, {0, 0, 10, 10});
    p.History().Checkpoint();
    const UndoHistory::Snapshot before = p.History().UndoStack().front();
    p.m_listDrawObjects[0]->m_pMenu->m_items[0]->m_strLabel = "changed";
    EXPECT_EQ(before, p.History().UndoStack().front());

    p.History().Restore(before);
    EXPECT_EQ("Button", p.m_listDrawObjects[0]->m_pMenu->m_items[0]->m_strLabel);

    UndoHistory::Snapshot damaged(before.begin(), before.begin() + static_cast<long>(before.size() / 2));
    p.m_listSelection.push_back(p.m_listDrawObjects[0].get());
    EXPECT_THROW(p.History().Restore(damaged), ArchiveError);
    EXPECT_TRUE(p.m_listDrawObjects.empty());
    EXPECT_TRUE(p.m_listSelection.empty());
}

TEST(Undo, ObjectListOperations)
{
    CAppletParameters p;
    CDrawObj* back = AddButton(p, {0, 0, 50, 50});
    CDrawObj* front = AddButton(p, {25, 25, 75, 75});
    EXPECT_EQ(&p, back->m_pOwner);
    EXPECT_EQ(front, p.ObjectAt({30, 30}));  // the front-most wins
    EXPECT_EQ(back, p.ObjectAt({10, 10}));
    EXPECT_EQ(nullptr, p.ObjectAt({75, 75}));  // right and bottom are exclusive
    EXPECT_EQ(front, p.ObjectAt({74, 74}));

    p.m_listSelection = {back, front};
    EXPECT_TRUE(p.IsSelected(front));
    std::unique_ptr<CDrawObj> removed = p.RemoveObject(front);
    EXPECT_EQ(front, removed.get());
    EXPECT_FALSE(p.IsSelected(front));
    EXPECT_EQ(1u, p.m_listDrawObjects.size());
    EXPECT_EQ(nullptr, p.RemoveObject(front));
    EXPECT_EQ(back, p.ObjectAt({30, 30}));

    p.DeleteContents();
    EXPECT_TRUE(p.m_listDrawObjects.empty());
    EXPECT_TRUE(p.m_listSelection.empty());
}
