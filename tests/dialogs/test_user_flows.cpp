// The dialog and the editor window driven as a person drives them: the window system's close
// requests, Configure after Configure, numbers typed key by key, Enter and Tab in the fields,
// the page keys of the sheet.
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "dialogs_fixture.h"
#include "widget/editor/editor_commands.h"
#include "widget/editor/palette_bar.h"
#include "widget/server/dialogs/dlg_applet_more.h"
#include "widget/server/dialogs/dlg_item_state.h"
#include "widget/server/dialogs/dlg_menu_style.h"

namespace snippo::test {
namespace {

class UserFlowTest : public DialogTest {
protected:
    // Opens the dialog and makes it the active window, so that fields take the focus.
    void OpenActive()
    {
        Open();
        m_dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dlg.get()));
    }
    // Clicks into a field, selects what it holds and types `keys`, one key at a time.
    static void TypeInto(QWidget* field, const QString& keys)
    {
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, keys);
    }
    static void PressTab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    void PressKeys(int key, Qt::KeyboardModifiers modifiers)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Sheet()->TabBar();
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        DrainEvents();
    }
    // A click on one of the palette's buttons.
    void ClickPalette(EditorCommand command)
    {
        CPreviewWnd* editor = m_dlg->EditorWindow();
        QWidget* button = editor->Palette()->widgetForAction(View()->Action(command));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        DrainEvents();
    }
};

TEST_F(UserFlowTest, TheEditorWindowOutlivesCloseRequestsAndThePagesKeepWorking)
{
    AddButton({10, 10, 60, 30});
    OpenActive();
    QPointer<CPreviewWnd> editor = m_dlg->EditorWindow();
    ASSERT_TRUE(editor);
    const Qt::WindowFlags flags = editor->windowFlags();
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(editor->PaletteFrame()->windowFlags() & Qt::WindowCloseButtonHint);
    CDrawView* view = editor->View();

    // The close box or Alt+F4 of a window manager arrives as a close event: refused.
    QCloseEvent close;
    QApplication::sendEvent(editor, &close);
    DrainEvents();
    EXPECT_FALSE(close.isAccepted());
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(m_dlg->View(), view);

    // Page switches and edits still reach the same view and model.
    ClickView({20, 20});
    PressKeys(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Active(), 1);
    TypeInto(Sheet()->NormalPage()->m_pTextOffset, "7");
    EXPECT_EQ(m_params->m_listDrawObjects[0]->m_pMenu->m_styleNormal.nTextOffset, 7);
    PressKeys(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Active(), 2);
    PressKeys(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    PressKeys(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Active(), 0);

    // A palette minimised anyway comes back when the editor window is shown again.
    editor->PaletteFrame()->showMinimized();
    m_dlg->OnApplicationStateChanged(Qt::ApplicationInactive);
    m_dlg->OnApplicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(editor->PaletteFrame()->isVisible());
    EXPECT_FALSE(editor->PaletteFrame()->windowState() & Qt::WindowMinimized);

    // Should the window be gone all the same, the pages hold no pointer to its view.
    delete editor.data();
    for (int page = 0; page < CMenuPropertySheet::kPageCount; ++page)
        ActivatePage(page);
    EXPECT_EQ(Active(), 6);
    EXPECT_EQ(m_dlg->View(), nullptr);
}

TEST_F(UserFlowTest, TenConfiguresLeaveEveryWindowWhereItWas)
{
    m_params->m_nWindowPos = {100, 120, 300, 90, 400, 200};
    struct Places {
        QRect dialog, editor, palette;
        bool operator==(const Places&) const = default;
    };
    // Under a real window system (QT_QPA_PLATFORM=xcb with a window manager) frames and moves
    // arrive late: give them time there.
    auto settle = [] {
        DrainEvents();
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QTest::qWait(400);
    };
    auto openAndRead = [this, &settle] {
        Open();
        settle();
        const Places p{m_dlg->frameGeometry(), m_dlg->EditorWindow()->frameGeometry(),
                       m_dlg->EditorWindow()->PaletteFrame()->frameGeometry()};
        return p;
    };
    // The user puts the windows somewhere of his own in the first session.
    openAndRead();
    m_dlg->move(m_dlg->pos() + QPoint(13, 27));
    m_dlg->EditorWindow()->move(m_dlg->EditorWindow()->pos() + QPoint(-9, 31));
    CPaletteFrame* palette = m_dlg->EditorWindow()->PaletteFrame();
    palette->move(palette->pos() + QPoint(5, 44));
    settle();
    const Places chosen{m_dlg->frameGeometry(), m_dlg->EditorWindow()->frameGeometry(), palette->frameGeometry()};
    m_dlg->close();
    m_dlg.reset();
    DrainEvents();
    for (int cycle = 1; cycle <= 10; ++cycle) {
        const Places now = openAndRead();
        EXPECT_EQ(now.dialog.topLeft(), chosen.dialog.topLeft()) << "cycle " << cycle;
        EXPECT_EQ(now.editor.topLeft(), chosen.editor.topLeft()) << "cycle " << cycle;
        EXPECT_EQ(now.palette.topLeft(), chosen.palette.topLeft()) << "cycle " << cycle;
        m_dlg->close();
        m_dlg.reset();
        DrainEvents();
    }
}

TEST_F(UserFlowTest, NumbersAreTypedKeyByKeyAndCheckedWhenTheFieldIsLeft)
{
    CDrawRect* button = AddButton({10, 10, 60, 30});
    OpenActive();
    ClickView({20, 20});
    ActivatePage(1);
    auto* page = Sheet()->NormalPage();
    const GlimStateStyle& normal = button->m_pMenu->m_styleNormal;
    EXPECT_EQ(page->m_pTextOffset->text(), "0");

    // A sign alone is still being typed: no message, nothing stored; the number then is.
    TypeInto(page->m_pTextOffset, "-");
    EXPECT_TRUE(m_prompts.Texts().isEmpty());
    EXPECT_EQ(normal.nTextOffset, 0);
    QTest::keyClicks(page->m_pTextOffset, "12");
    EXPECT_EQ(normal.nTextOffset, -12);
    PressTab();
    EXPECT_TRUE(m_prompts.Texts().isEmpty());

    // 501 is reported once, when the field is left, and the offset stays as it was.
    TypeInto(page->m_pTextOffset, "501");
    EXPECT_TRUE(m_prompts.Texts().isEmpty());
    PressTab();
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Please enter an integer between -500 and 500."});
    EXPECT_EQ(normal.nTextOffset, -12);
    EXPECT_EQ(page->m_pTextOffset->text(), "501");
    EXPECT_TRUE(page->m_pTextOffset->hasFocus());

    // An emptied field left alone shows the stored value again, without a word.
    m_prompts.Reset();
    QTest::keyClick(page->m_pTextOffset, Qt::Key_Backspace);
    PressTab();
    EXPECT_TRUE(m_prompts.Texts().isEmpty());
    EXPECT_EQ(page->m_pTextOffset->text(), "-12");

    // Not a number: reported when the page is left, which is then refused.
    TypeInto(page->m_pImageOffset, "4x");
    EXPECT_TRUE(m_prompts.Texts().isEmpty());
    PressKeys(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Please enter an integer."});
    EXPECT_EQ(Active(), 1);
    EXPECT_EQ(normal.nImageOffset, 0);

    // Closing the dialog over a bad number reports nothing more.
    TypeInto(page->m_pTextOffset, "502");
    m_prompts.Reset();
    m_dlg->close();
    DrainEvents();
    EXPECT_TRUE(m_prompts.Texts().isEmpty());
    EXPECT_EQ(normal.nTextOffset, 50);  // the last complete value typed
}

TEST_F(UserFlowTest, FieldsKeepWhatIsTypedAndEnterPressesNoButton)
{
    CDrawRect* button = AddButton({10, 10, 60, 30});
    OpenActive();
    ClickView({20, 20});
    ActivatePage(0);
    auto* info = Sheet()->GeneralInfoPage();
    int dialogsRun = 0;
    ModalRunner::SetNextHandler([&](QDialog&) {
        ++dialogsRun;
        return int(QDialog::Rejected);
    });

    // A label typed while the width is 0 is kept; the size is not.
    TypeInto(info->m_pWidth, "0");
    PressTab();
    TypeInto(info->m_pLabel, "Kept");
    EXPECT_EQ(button->m_pMenu->m_items.front()->m_strLabel, "Kept");
    EXPECT_EQ(button->m_position, (CRect{10, 10, 60, 30}));
    EXPECT_TRUE(m_prompts.Texts().isEmpty());

    // Enter in a one-line field ends its editing and opens nothing.
    for (QLineEdit* field : {info->m_pDescription, info->m_pLink, info->m_pX}) {
        TypeInto(field, "1");
        QTest::keyClick(field, Qt::Key_Return);
    }
    EXPECT_EQ(dialogsRun, 0);
    EXPECT_EQ(button->m_pMenu->m_items.front()->m_strDescription, "1");
    for (QPushButton* b : Sheet()->findChildren<QPushButton*>())
        EXPECT_FALSE(b->autoDefault()) << b->objectName().toStdString();

    // Class Web Path gets its "/" when its editing ends, and only one.
    ActivatePage(6);
    auto* more = Sheet()->AppletMorePage();
    TypeInto(more->m_pClassWebPath, "classes/");
    EXPECT_EQ(more->m_pClassWebPath->text(), "classes/");
    PressTab();
    EXPECT_EQ(more->m_pClassWebPath->text(), "classes/");
    EXPECT_EQ(m_params->m_strClassWebPath, "classes/");
    TypeInto(more->m_pClassWebPath, "lib\\java");
    QTest::keyClick(more->m_pClassWebPath, Qt::Key_Return);
    EXPECT_EQ(more->m_pClassWebPath->text(), "lib/java/");
    EXPECT_EQ(m_params->m_strClassWebPath, "lib/java/");
}

TEST_F(UserFlowTest, PagesShowTheSelectionAndTheKeyboardReadsThemRowByRow)
{
    m_params->History().ResetHistory();  // as Config starts
    OpenActive();
    // A state page shown for the first time, nothing selected: offsets 0, not blanks.
    ActivatePage(2);
    EXPECT_EQ(Sheet()->MouseOverPage()->m_pTextOffset->text(), "0");
    EXPECT_EQ(Sheet()->MouseOverPage()->m_pImageOffset->text(), "0");

    // Draw a button, style it, undo back to an empty applet: the applet page shows.
    ClickPalette(EditorCommand::RectButton);
    DragView({20, 20}, {80, 50});
    ASSERT_EQ(m_params->m_listDrawObjects.size(), 1u);
    EXPECT_EQ(Active(), 2);
    TypeInto(Sheet()->MouseOverPage()->m_pTextOffset, "33");
    View()->UpdateCommandUI();
    ClickPalette(EditorCommand::Undo);
    EXPECT_TRUE(m_params->m_listDrawObjects.empty());
    EXPECT_EQ(Active(), 5);

    // Tab reads General Info row by row; Alt and a caption's letter reach its field.
    ActivatePage(0);
    auto* info = Sheet()->GeneralInfoPage();
    info->m_pX->setFocus();
    std::vector<QWidget*> order{QApplication::focusWidget()};
    for (int i = 0; i < 4; ++i) {
        PressTab();
        order.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(order, (std::vector<QWidget*>{info->m_pX, info->m_pY, info->m_pThick, info->m_pWidth, info->m_pHeight}));
    PressKeys(Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), info->m_pWidth);
    PressKeys(Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), info->m_pDescription);
    auto* widthLabel = Find<QLabel>(info, "widthEditLabel");
    ASSERT_NE(widthLabel, nullptr);
    EXPECT_EQ(widthLabel->text().remove(u'&'), "Width:");
}

}  // namespace
}  // namespace snippo::test
