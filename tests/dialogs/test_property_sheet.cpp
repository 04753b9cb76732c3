// The "Button Properties" dialog and its sheet: pages in order, the page that follows the
// editor's selection, window placement, help, closing.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTabBar>

#include "dialogs_fixture.h"
#include "widget/server/dialogs/dlg_applet_param.h"
#include "widget/server/dialogs/dlg_item_state.h"

namespace snippo::test {
namespace {

using SheetTest = DialogTest;

TEST_F(SheetTest, SevenPagesInOrderAndTheFirstConfigOpensOnGeneralInfo)
{
    Open();
    EXPECT_EQ(m_dlg->windowTitle(), "Button Properties");
    ASSERT_NE(Sheet(), nullptr);
    ASSERT_NE(m_dlg->EditorWindow(), nullptr);
    const QStringList captions{"General Info",      "Normal",     "Mouse Over", "Clicked", "Hint ",
                               "Applet Parameters", "Applet More"};
    const QStringList classes{"CDlgMenuStyle", "CDlgItemNormal",  "CDlgItemMouseOver", "CDlgItemClick",
                              "CDlgHint",      "CDlgAppletParam", "CDlgAppletMore"};
    ASSERT_EQ(Sheet()->TabBar()->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Sheet()->TabBar()->tabText(i), captions[i]);
        EXPECT_EQ(Sheet()->GetPage(i)->objectName(), classes[i]);
        EXPECT_EQ(Sheet()->GetPage(i)->Index(), i);
    }
    EXPECT_EQ(Active(), 0);
    EXPECT_EQ(SharedPages().buttonPage, 0);
    // Help contexts: the resource base plus each template.
    const unsigned contexts[] = {0x2008D, 0x20090, 0x20093, 0x20094, 0x20FA4, 0x20067, 0x20FA5};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Sheet()->GetPage(i)->HelpContext(), contexts[i]);
}

TEST_F(SheetTest, PageFollowsTheSelectionAndComesBackToTheLastOfEachKind)
{
    AddButton({10, 10, 60, 30});
    AddButton({10, 50, 60, 70});
    Open();
    ASSERT_EQ(Active(), 0);

    ClickView({20, 20});  // one button: a button page stays
    EXPECT_EQ(m_params->m_listSelection.size(), 1u);
    EXPECT_EQ(Active(), 0);
    ClickView({90, 150});  // nothing: "Applet Parameters"
    EXPECT_TRUE(m_params->m_listSelection.empty());
    EXPECT_EQ(Active(), 5);

    // "Mouse Over", deselect, select again: back on "Mouse Over".
    ClickView({20, 20});
    EXPECT_EQ(Active(), 0);
    ActivatePage(2);
    ASSERT_EQ(Active(), 2);
    ClickView({90, 150});
    EXPECT_EQ(Active(), 5);
    ClickView({20, 60});
    EXPECT_EQ(Active(), 2);

    // "Applet More", select a button, deselect: back on "Applet More".
    ClickView({90, 150});
    ActivatePage(6);
    ASSERT_EQ(Active(), 6);
    ClickView({20, 20});
    EXPECT_EQ(Active(), 2);
    ClickView({90, 150});
    EXPECT_EQ(Active(), 6);
}

TEST_F(SheetTest, DrawingANewButtonShowsTheStatePageLastPainted)
{
    Open();
    ActivatePage(6);
    View()->RunCommand(EditorCommand::RectButton);
    DragView({10, 10}, {70, 40});
    ASSERT_EQ(m_params->m_listDrawObjects.size(), 1u);
    EXPECT_EQ(Active(), 1);  // the normal state was painted last
}

TEST_F(SheetTest, StoredPositionsArePulledOntoTheScreen)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect work = screen->availableGeometry();
    const int icon = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);

    m_params->m_nWindowPos[4] = 5000;
    m_params->m_nWindowPos[5] = 5000;
    m_params->m_nWindowPos[0] = 5000;
    m_params->m_nWindowPos[1] = 5000;
    Open();
    // Positions are those of the client areas.
    EXPECT_EQ(m_dlg->geometry().topLeft(),
              QPoint(screen->geometry().width() - icon, screen->geometry().height() - icon));
    EXPECT_EQ(m_dlg->EditorWindow()->geometry().topLeft(),
              QPoint(screen->geometry().width() - icon, screen->geometry().height() - icon));
    m_dlg->close();
    m_dlg.reset();
    DrainEvents();

    ASSERT_EQ(work.topLeft(), QPoint(0, 0));
    m_params->m_nWindowPos[4] = -100;
    m_params->m_nWindowPos[5] = -100;
    Open();
    // Placed at (0, 0), the platform keeps the window's frame on the screen.
    EXPECT_EQ(m_dlg->frameGeometry().topLeft(), QPoint(0, 0));
}

TEST_F(SheetTest, ClosingStoresBothPositionsAndTheEditorWindowGoesFirst)
{
    m_params->m_nWindowPos = {30, 40, 111, 159, 217, 221};
    m_params->m_nWidth = 150;
    m_params->m_nHeight = 120;
    Open();
    QPointer<CPreviewWnd> editor = m_dlg->EditorWindow();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->centralWidget()->size(), QSize(150, 120));
    EXPECT_EQ(editor->geometry().topLeft(), QPoint(30, 40));
    EXPECT_EQ(m_dlg->geometry().topLeft(), QPoint(217, 221));

    m_dlg->setGeometry(QRect(QPoint(300, 200), m_dlg->size()));
    editor->setGeometry(QRect(QPoint(50, 60), editor->size()));
    DrainEvents();
    m_dlg->close();
    DrainEvents();
    EXPECT_FALSE(editor);  // closed (and deleted) with the dialog
    EXPECT_EQ(m_params->m_nWindowPos[0], 50);
    EXPECT_EQ(m_params->m_nWindowPos[1], 60);
    EXPECT_EQ(m_params->m_nWindowPos[4], 300);
    EXPECT_EQ(m_params->m_nWindowPos[5], 200);
    EXPECT_EQ(m_dlg->result(), QDialog::Accepted);
}

TEST_F(SheetTest, EditorWindowHidesWhileTheApplicationIsInactive)
{
    Open();
    CPreviewWnd* editor = m_dlg->EditorWindow();
    ASSERT_TRUE(editor->isVisible());
    m_dlg->OnApplicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(editor->isVisible());
    m_dlg->OnApplicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(SheetTest, AnEditorWindowThatCannotBeMadeIsReportedAndTheSheetStays)
{
    CDlgButtonProperties::SetEditorFactory([](CAppletParameters*, EditorPageCoupling*) { return nullptr; });
    Open();
    CDlgButtonProperties::SetEditorFactory(nullptr);
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Failure"});
    ASSERT_NE(Sheet(), nullptr);
    EXPECT_EQ(m_dlg->EditorWindow(), nullptr);
    ActivatePage(5);
    EXPECT_EQ(Active(), 5);
}

TEST_F(SheetTest, HelpGoesToTheContextOfTheDialogOrOfThePage)
{
    std::vector<unsigned> asked;
    SetDialogHelpHandler([&](unsigned context) { asked.push_back(context); });
    Open();
    QTest::keyClick(m_dlg.get(), Qt::Key_F1);
    ActivatePage(5);
    auto* page = Sheet()->AppletParamPage();
    QTest::keyClick(page->m_pWidth, Qt::Key_F1);
    QTest::keyClick(Sheet()->TabBar(), Qt::Key_F1);  // on the sheet itself: nothing
    SetDialogHelpHandler(nullptr);
    EXPECT_EQ(asked, (std::vector<unsigned>{0x20FA3, 0x20067}));
}

TEST_F(SheetTest, AFieldThatDoesNotValidateKeepsItsPageActive)
{
    AddButton({10, 10, 60, 30});
    Open();
    ClickView({20, 20});
    ActivatePage(1);
    auto* page = Sheet()->NormalPage();
    m_prompts.Reset();
    Type(page->m_pTextOffset, "abc");
    EXPECT_TRUE(m_prompts.Texts().isEmpty());
    ActivatePage(3);
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Please enter an integer."});
    EXPECT_EQ(Active(), 1);
    EXPECT_EQ(Sheet()->TabBar()->currentIndex(), 1);
    Type(page->m_pTextOffset, "12");
    ActivatePage(3);
    EXPECT_EQ(Active(), 3);
    EXPECT_EQ(m_params->m_listDrawObjects[0]->m_pMenu->m_styleNormal.nTextOffset, 12);
}

TEST_F(SheetTest, EveryControlOfTheDialogHasAnObjectName)
{
    AddButton({10, 10, 60, 30});
    Open();
    QStringList unnamed;
    for (QWidget* w : Sheet()->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QComboBox*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                             qobject_cast<QGroupBox*>(w) || qobject_cast<QLabel*>(w);
        // Parts that Qt builds inside its own controls are not ours to name.
        QWidget* parent = w->parentWidget();
        const bool inner = parent && (qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractScrollArea*>(parent) ||
                                      parent->objectName() == "qt_scrollarea_viewport");
        if (control && !inner && w->objectName().isEmpty())
            unnamed << QString::fromLatin1(w->metaObject()->className()) + " in " + parent->objectName();
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
}

}  // namespace
}  // namespace snippo::test
