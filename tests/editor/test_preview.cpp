// The preview window, its palette and the command table.
#include <QGuiApplication>
#include <QWindow>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <gtest/gtest.h>

#include "editor_test_util.h"
#include "widget/editor/editor_commands.h"
#include "widget/editor/palette_bar.h"
#include "widget/editor/palette_icons.h"
#include "widget/editor/preview_wnd.h"

namespace snippo::test {
namespace {

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        wnd = new CPreviewWnd(&params, &sheet);
    }
    void TearDown() override
    {
        delete wnd.data();
        SetEditorHelpHandler(nullptr);
        ResetEditorState();
    }
    void ShowCreated()
    {
        wnd->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(wnd.data()));
        wnd->SetCreated(true);
        wnd->PlaceFromModel();
    }

    CAppletParameters params;
    FakeCoupling sheet;
    QPointer<CPreviewWnd> wnd;
};

TEST_F(PreviewTest, IsASmallCaptionToolWindowWithoutCloseBox)
{
    EXPECT_EQ(wnd->windowTitle(), QStringLiteral("Preview windows"));
    EXPECT_EQ(wnd->objectName(), QStringLiteral("previewWnd"));
    const Qt::WindowFlags flags = wnd->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinMaxButtonsHint));
    ASSERT_NE(wnd->View(), nullptr);
    EXPECT_EQ(wnd->centralWidget(), wnd->View());
    EXPECT_TRUE(wnd->View()->IsActive());
    EXPECT_EQ(wnd->size(), QSize(105, 215));

    const Qt::WindowFlags paletteFlags = wnd->PaletteFrame()->windowFlags();
    EXPECT_EQ(wnd->PaletteFrame()->windowTitle(), QStringLiteral("Palette"));
    EXPECT_FALSE(paletteFlags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(wnd->Palette()->allowedAreas(), Qt::NoToolBarArea);
}

TEST_F(PreviewTest, PaletteHoldsTheCommandsInTheirOrderAndGroups)
{
    const std::vector<int> expected = {57635, 57634, 57637, 32790, 0,     32770, 32772, 0,     32796, 32797,
                                       0,     32775, 32776, 32778, 32777, 0,     32779, 32780, 32781, 32782,
                                       0,     32785, 32786, 32787, 0,     32791, 32792, 32788, 32795};
    EXPECT_EQ(wnd->Palette()->Layout(), expected);
    int buttons = 0;
    for (int id : expected) {
        if (id == 0)
            continue;
        ++buttons;
        EXPECT_FALSE(PaletteIconImage(EditorCommand(id)).isNull()) << id;
        QAction* action = wnd->View()->Action(EditorCommand(id));
        ASSERT_NE(action, nullptr) << id;
        QWidget* button = wnd->Palette()->widgetForAction(action);
        ASSERT_NE(button, nullptr) << id;
    }
    EXPECT_EQ(buttons, 23);
    EXPECT_TRUE(PaletteIconImage(EditorCommand::Delete).isNull());
}

TEST(EditorCommandTable, TextsKeysAndNamesAreTheStoredOnes)
{
    struct Row {
        EditorCommand id;
        const char* status;
        const char* tip;
        const char* key;
    };
    const Row rows[] = {
        {EditorCommand(32770), "Select buttons", "Select", "Ctrl+S"},
        {EditorCommand(32772), "Draw a Rect Button", "Rect Button", "Ctrl+R"},
        {EditorCommand(57635), "Cut the selection and put it on the Clipboard", "Cut", "Ctrl+X"},
        {EditorCommand(57634), "Copy the selection and put it on the Clipboard", "Copy", "Ctrl+C"},
        {EditorCommand(57637), "Insert Clipboard contents", "Paste", "Ctrl+V"},
        {EditorCommand(32790), "Duplicate the selection", "Duplicate", "Ctrl+D"},
        {EditorCommand(57632), "", "", "Del"},
        {EditorCommand(57642), "", "", "Ctrl+A"},
        {EditorCommand(32796), "Undo", "Undo", "Ctrl+Z"},
        {EditorCommand(32797), "Redo", "Redo", "Ctrl+Y"},
        {EditorCommand(32775), "Move Backward", "Move Backward", ""},
        {EditorCommand(32776), "Move Foreward", "Move Foreward", ""},
        {EditorCommand(32778), "Move to Back", "Move to Back", ""},
        {EditorCommand(32777), "Move to Front", "Move to Front", ""},
        {EditorCommand(32779), "Aligns left edges of the selected buttons with the first button",
         "Align Left(Ctrl+Left Arrow))", "Ctrl+Left"},
        {EditorCommand(32780), "Aligns right edges of the selected buttons with the first button",
         "Align Right(Ctrl+Right Arrow)", "Ctrl+Right"},
        {EditorCommand(32781), "Aligns top edges of the selected buttons with the first button",
         "Align Top(Ctrl+Up Arrow)", "Ctrl+Up"},
        {EditorCommand(32782), "Aligns bottom edges of the selected buttons with the first button",
         "Align Bottom(Ctrl+Down Arrow)", "Ctrl+Down"},
        {EditorCommand(32785), "Resizes the seleceted buttons to have the same width as the first button",
         "Make Same Width", ""},
        {EditorCommand(32786), "Resizes the seleceted buttons to have the same height as the first button",
         "Make Same Height", ""},
        {EditorCommand(32787), "Resizes the seleceted buttons to have the same size as the first button",
         "Make Same Size", ""},
        {EditorCommand(32791), "Evenly spaces the selected buttons horizontally", "Space Across(Alt+Right Arrow)",
         "Alt+Right"},
        {EditorCommand(32792), "Evenly spaces the selected buttons vertical", "Space Down(Alt+Up Arrow)", "Alt+Up"},
        {EditorCommand(32788), "Centers the selected buttons vertically", "Center Vertical(Ctrl+F9)", "Ctrl+F9"},
        {EditorCommand(32795), "Centers the selected buttons horizontally", "Center Horizontal(Ctrl+Shift+F9)",
         "Ctrl+Shift+F9"},
    };
    CAppletParameters params;
    CDrawView view(&params);
    EXPECT_EQ(EditorCommandTable().size(), std::size(rows));
    QSet<QString> names;
    for (const Row& row : rows) {
        EXPECT_EQ(CommandStatusText(row.id), QString::fromLatin1(row.status)) << row.id;
        EXPECT_EQ(CommandToolTip(row.id), QString::fromLatin1(row.tip)) << row.id;
        QAction* action = view.Action(row.id);
        ASSERT_NE(action, nullptr) << row.id;
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(row.key))) << row.id;
        EXPECT_EQ(action->statusTip(), QString::fromLatin1(row.status));
        if (*row.tip) {
            EXPECT_EQ(action->toolTip(), QString::fromLatin1(row.tip));
        }
        EXPECT_FALSE(action->objectName().isEmpty());
        names.insert(action->objectName());
    }
    EXPECT_EQ(names.size(), int(std::size(rows)));
}

TEST_F(PreviewTest, SizeChangesReachTheModelOnlyOnceCreated)
{
    wnd->resize(150, 90);
    EXPECT_EQ(params.m_nWidth, 105);
    EXPECT_EQ(params.m_nHeight, 215);
    EXPECT_TRUE(sheet.reloaded.empty());

    ShowCreated();
    EXPECT_EQ(wnd->View()->size(), QSize(105, 215));
    wnd->resize(160, 120);
    EXPECT_EQ(params.m_nWidth, 160);
    EXPECT_EQ(params.m_nHeight, 120);
    ASSERT_FALSE(sheet.reloaded.empty());
    EXPECT_EQ(sheet.reloaded.back(), kPageAppletParameters);
}

TEST_F(PreviewTest, StoredPositionsAreKeptOnScreen)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const int icon = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
    const QSize size = screen->geometry().size();
    const QPoint origin = screen->availableGeometry().topLeft();
    EXPECT_EQ(PlaceOnScreen(5000, 5000, screen), QPoint(size.width() - icon, size.height() - icon));
    EXPECT_EQ(PlaceOnScreen(-100, -100, screen), QPoint(std::max(origin.x() - 100, 0), std::max(origin.y() - 100, 0)));
    EXPECT_EQ(PlaceOnScreen(30, 40, screen), origin + QPoint(30, 40));

    // The palette floats at its stored position, pulled back on screen.
    params.m_nWindowPos = {95, 221, 5000, 5000, 217, 221};
    CPreviewWnd other(&params);
    EXPECT_EQ(other.PaletteFrame()->geometry().topLeft(), QPoint(size.width() - icon, size.height() - icon));
}

TEST_F(PreviewTest, ClosingStoresTheWindowAndPalettePositions)
{
    params.m_nWindowPos = {10, 20, 30, 40, 217, 221};
    ShowCreated();
    EXPECT_TRUE(wnd->PaletteFrame()->isVisible());
    const QPoint origin = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    EXPECT_EQ(wnd->geometry().topLeft(), origin + QPoint(10, 20));
    wnd->setGeometry(QRect(origin + QPoint(123, 145), wnd->size()));
    wnd->PaletteFrame()->setGeometry(QRect(origin + QPoint(300, 310), wnd->PaletteFrame()->size()));
    // A close request of the window system is refused; the owner's close stores and closes.
    EXPECT_FALSE(wnd->close());
    EXPECT_EQ(params.m_nWindowPos[0], 10);
    wnd->CloseByOwner();
    EXPECT_EQ(params.m_nWindowPos, (std::array<std::int32_t, 6>{123, 145, 300, 310, 217, 221}));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(wnd.isNull());  // the window deletes itself

    // Reopening brings both back where they were.
    CPreviewWnd again(&params);
    again.show();
    again.SetCreated(true);
    again.PlaceFromModel();
    EXPECT_EQ(again.geometry().topLeft(), origin + QPoint(123, 145));
    EXPECT_EQ(again.PaletteFrame()->geometry().topLeft(), origin + QPoint(300, 310));
}

TEST_F(PreviewTest, ThePaletteShowsAndHidesWithTheWindowAndCannotBeClosed)
{
    ShowCreated();
    EXPECT_TRUE(wnd->PaletteFrame()->isVisible());
    wnd->hide();
    EXPECT_FALSE(wnd->PaletteFrame()->isVisible());
    wnd->show();
    EXPECT_TRUE(wnd->PaletteFrame()->isVisible());

    // A close request from the window system (the user) is refused.
    ASSERT_NE(wnd->PaletteFrame()->windowHandle(), nullptr);
    EXPECT_FALSE(wnd->PaletteFrame()->windowHandle()->close());
    EXPECT_TRUE(wnd->PaletteFrame()->isVisible());
}

TEST_F(PreviewTest, F1AsksForTheWindowsHelpTopic)
{
    std::vector<unsigned> asked;
    SetEditorHelpHandler([&](unsigned context) { asked.push_back(context); });
    ShowCreated();
    wnd->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(wnd.data()));
    QTest::keyClick(wnd->View(), Qt::Key_F1);
    EXPECT_EQ(asked, (std::vector<unsigned>{0x30FA4}));
    EXPECT_EQ(kPreviewWndHelpContext, 0x30FA4u);
}

TEST_F(PreviewTest, ThePaletteDrivesTheViewsCommands)
{
    ShowCreated();
    AddButton(params, CRect{3, 7, 23, 27});
    params.History().ResetHistory();
    wnd->View()->Select(params.m_listDrawObjects.front().get());
    wnd->View()->UpdateCommandUI();
    auto* button = qobject_cast<QToolButton*>(
        wnd->Palette()->widgetForAction(wnd->View()->Action(EditorCommand::CenterHorizontal)));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isEnabled());
    button->click();
    EXPECT_EQ(params.m_listDrawObjects.front()->m_position.left, 42);
    EXPECT_TRUE(wnd->View()->Action(EditorCommand::Undo)->isEnabled());
    auto* align =
        qobject_cast<QToolButton*>(wnd->Palette()->widgetForAction(wnd->View()->Action(EditorCommand::AlignLeft)));
    EXPECT_FALSE(align->isEnabled());
}

}  // namespace
}  // namespace snippo::test
