// The editor's clipboard commands and its private format.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

#include "editor_test_util.h"
#include "widget/editor/button_clipboard.h"
#include "widget/editor/draw_obj_paint.h"
#include "widget/editor/editor_commands.h"

namespace snippo::test {
namespace {

class ClipboardTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        QGuiApplication::clipboard()->clear();
        QApplication::processEvents();
    }
    void PutRaw(const QByteArray& bytes)
    {
        auto* mime = new QMimeData;
        mime->setData(QString::fromLatin1(kClipboardMimeType), bytes);
        QGuiApplication::clipboard()->setMimeData(mime);
        QApplication::processEvents();
        view->UpdateCommandUI();
    }
};

TEST_F(ClipboardTest, PasteIsEnabledOnlyForOurFormat)
{
    view->UpdateCommandUI();
    EXPECT_FALSE(view->IsCommandEnabled(EditorCommand::Paste));
    QGuiApplication::clipboard()->setText(QStringLiteral("not buttons"));
    QApplication::processEvents();
    EXPECT_FALSE(view->IsCommandEnabled(EditorCommand::Paste));
    EXPECT_FALSE(view->RunCommand(EditorCommand::Paste));
    EXPECT_TRUE(params.m_listDrawObjects.empty());

    CDrawObj* a = AddButton(params, CRect{1, 2, 30, 40});
    view->Select(a);
    ASSERT_TRUE(view->RunCommand(EditorCommand::Copy));
    QApplication::processEvents();
    EXPECT_TRUE(view->IsCommandEnabled(EditorCommand::Paste));
    EXPECT_TRUE(view->Action(EditorCommand::Paste)->isEnabled());
    EXPECT_TRUE(
        QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("application/x-snippo-glimbutton-preview")));
}

TEST_F(ClipboardTest, ButtonsTravelAlsoUnderTheFormatName)
{
    CDrawObj* a = AddButton(params, CRect{1, 2, 30, 40});
    view->Select(a);
    ASSERT_TRUE(view->RunCommand(EditorCommand::Copy));
    const QMimeData* ours = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(ours->hasFormat(QStringLiteral("GlimButton Preview")));
    EXPECT_EQ(ours->data(QStringLiteral("GlimButton Preview")),
              ours->data(QStringLiteral("application/x-snippo-glimbutton-preview")));

    // Another client offers the data under the name alone: Paste takes it.
    auto* foreign = new QMimeData;
    foreign->setData(QStringLiteral("GlimButton Preview"), ours->data(QStringLiteral("GlimButton Preview")));
    QGuiApplication::clipboard()->setMimeData(foreign);
    QApplication::processEvents();
    view->UpdateCommandUI();
    EXPECT_TRUE(view->IsCommandEnabled(EditorCommand::Paste));
    ASSERT_TRUE(view->RunCommand(EditorCommand::Paste));
    ASSERT_EQ(params.m_listDrawObjects.size(), 2u);
    EXPECT_EQ(params.m_listDrawObjects[1]->m_position, (CRect{1, 2, 30, 40}));
}

TEST_F(ClipboardTest, CopyAndPasteLandExactlyOnTheCopiedButtons)
{
    CDrawObj* a = AddButton(params, CRect{5, 6, 30, 20});
    CDrawObj* b = AddButton(params, CRect{40, 50, 90, 70});
    a->m_pMenu->m_items.front()->m_strLabel = "One\r\nTwo";
    b->m_pMenu->m_styleOver.crFade = RGB(9, 8, 7);
    OpenHistory();
    view->Select(b);
    view->Select(a, true);
    ASSERT_TRUE(view->RunCommand(EditorCommand::Copy));
    EXPECT_EQ(UndoDepth(), 1u);  // copying changes nothing

    ASSERT_TRUE(view->RunCommand(EditorCommand::Paste));
    ASSERT_EQ(params.m_listDrawObjects.size(), 4u);
    CDrawObj* pastedB = params.m_listDrawObjects[2].get();
    CDrawObj* pastedA = params.m_listDrawObjects[3].get();
    EXPECT_EQ(pastedB->m_position, b->m_position);
    EXPECT_EQ(pastedA->m_position, a->m_position);
    EXPECT_EQ(pastedA->m_pMenu->m_items.front()->m_strLabel, "One\r\nTwo");
    EXPECT_EQ(pastedB->m_pMenu->m_styleOver.crFade, RGB(9, 8, 7));
    EXPECT_EQ(pastedA->m_pOwner, &params);
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{pastedB, pastedA}));
    EXPECT_EQ(UndoDepth(), 2u);
}

TEST_F(ClipboardTest, DuplicateLandsOnTopAndReplacesTheClipboard)
{
    CDrawObj* a = AddButton(params, CRect{5, 6, 30, 20});
    CDrawObj* b = AddButton(params, CRect{40, 50, 90, 70});
    OpenHistory();
    view->Select(a);
    ASSERT_TRUE(view->RunCommand(EditorCommand::Copy));
    view->Select(b);
    ASSERT_TRUE(view->RunCommand(EditorCommand::Duplicate));

    ASSERT_EQ(params.m_listDrawObjects.size(), 3u);
    CDrawObj* copy = params.m_listDrawObjects.back().get();
    EXPECT_EQ(copy->m_position, (CRect{40, 50, 90, 70}));
    EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{copy}));
    EXPECT_EQ(params.ObjectAt(CPoint{50, 60}), copy);
    const auto onClipboard = ReadButtons(ClipboardButtonData());
    ASSERT_EQ(onClipboard.size(), 1u);
    EXPECT_EQ(onClipboard.front()->m_position, (CRect{40, 50, 90, 70}));
    EXPECT_EQ(UndoDepth(), 2u);
}

TEST_F(ClipboardTest, AButtonWithAVeryDeepHintTreePaintsDuplicatesAndUndoes)
{
    const QImage empty = RenderApplet(params, 1);
    // The hint's item has a sub-menu with one item, and so on, 100,000 levels down.
    CDrawObj* a = AddButton(params, CRect{5, 6, 60, 30});
    a->m_pMenu->m_items.front()->m_strLabel = "Deep";
    CGlimMenuItem* item = a->m_pMenu->m_items[0]->m_pSubMenu->m_items[0].get();
    const int levels = 100000;
    for (int i = 1; i <= levels; ++i) {
        item = item->m_pSubMenu->InsertNewItemAtFront();
        item->m_strLabel = "L" + std::to_string(i);
    }
    OpenHistory();
    view->Select(a);
    const QImage shown = view->grab().toImage();
    EXPECT_NE(RenderApplet(params, 1), empty);  // the button itself is painted

    ASSERT_TRUE(view->RunCommand(EditorCommand::Duplicate));
    ASSERT_EQ(params.m_listDrawObjects.size(), 2u);
    CDrawObj* copy = params.m_listDrawObjects.back().get();
    ASSERT_NE(copy, a);
    std::size_t depth = 0;
    const CGlimMenuItem* last = nullptr;
    for (const CGlimMenu* m = copy->Menu(); !m->m_items.empty(); m = m->m_items[0]->SubMenu()) {
        last = m->m_items[0].get();
        ++depth;
    }
    EXPECT_EQ(depth, std::size_t(levels + 2));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->m_strLabel, "L100000");
    EXPECT_NE(last, item);
    // The copy lies exactly on the original and takes over the selection.
    EXPECT_EQ(view->grab().toImage(), shown);

    ASSERT_TRUE(view->RunCommand(EditorCommand::Undo));
    EXPECT_EQ(params.m_listDrawObjects.size(), 1u);
    ASSERT_TRUE(view->RunCommand(EditorCommand::Redo));
    EXPECT_EQ(params.m_listDrawObjects.size(), 2u);
}

TEST_F(ClipboardTest, CutCopiesThenDeletes)
{
    AddButton(params, CRect{0, 0, 10, 10});
    CDrawObj* b = AddButton(params, CRect{20, 20, 30, 30});
    OpenHistory();
    view->Select(b);
    ASSERT_TRUE(view->RunCommand(EditorCommand::Cut));
    EXPECT_EQ(params.m_listDrawObjects.size(), 1u);
    EXPECT_TRUE(params.m_listSelection.empty());
    EXPECT_EQ(UndoDepth(), 2u);
    ASSERT_TRUE(view->RunCommand(EditorCommand::Paste));
    EXPECT_EQ(params.m_listDrawObjects.back()->m_position, (CRect{20, 20, 30, 30}));
}

TEST_F(ClipboardTest, DamagedDataIsRefusedWithAMessageAndAddsNothing)
{
    CDrawObj* a = AddButton(params, CRect{5, 6, 30, 20});
    AddButton(params, CRect{40, 50, 90, 70});
    const QByteArray good = WriteButtons({a});
    OpenHistory();
    view->Select(a);
    PromptRecorder prompts;

    const QByteArray damaged[] = {
        QByteArray("\x05\x00\x00\x00garbage", 11),  // five buttons promised, none there
        good.left(good.size() / 2),                 // cut short
        good + QByteArray("\x01", 1),               // trailing bytes
        QByteArray(),                               // empty
    };
    for (const QByteArray& bytes : damaged) {
        PutRaw(bytes);
        ASSERT_TRUE(view->IsCommandEnabled(EditorCommand::Paste));
        prompts.Reset();
        prompts.QueueAnswer(QMessageBox::Ok);
        view->RunCommand(EditorCommand::Paste);
        EXPECT_EQ(prompts.Count(), 1);
        EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("The buttons on the Clipboard cannot be read: ")))
            << prompts.LastText().toStdString();
        EXPECT_TRUE(prompts.LastText().endsWith(QStringLiteral("\nNothing was pasted.")));
        EXPECT_EQ(prompts.LastTitle(), QStringLiteral("Paste"));
        EXPECT_EQ(prompts.LastIcon(), QMessageBox::Warning);
        EXPECT_EQ(params.m_listDrawObjects.size(), 2u);
        EXPECT_EQ(params.m_listSelection, (std::vector<CDrawObj*>{a}));
        EXPECT_EQ(UndoDepth(), 1u);
    }

    PutRaw(good);
    prompts.Reset();
    ASSERT_TRUE(view->RunCommand(EditorCommand::Paste));
    EXPECT_EQ(prompts.Count(), 0);
    EXPECT_EQ(params.m_listDrawObjects.size(), 3u);
}

TEST(ButtonArchive, ReadingRejectsReferencesAndForeignObjects)
{
    CDrawRect a(CRect{1, 2, 3, 4});
    // The same button twice is written as one object and one reference.
    EXPECT_THROW(ReadButtons(WriteButtons({&a, &a})), ArchiveError);

    std::vector<std::uint8_t> bytes;
    {
        CArchive ar(bytes, CArchive::store);
        ar.WriteUInt32(1);
        CGlimMenu menu;
        ar.WriteObject(&menu);
    }
    EXPECT_THROW(ReadButtons(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))),
                 ArchiveError);

    const auto back = ReadButtons(WriteButtons({&a}));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back.front()->m_position, (CRect{1, 2, 3, 4}));
    EXPECT_TRUE(ReadButtons(WriteButtons({})).empty());
}

}  // namespace
}  // namespace snippo::test
