// Edit > Configure with the real widget server: the user draws in the widget's own dialog,
// closes it, and the form view shows the new HTML and resource list.
#include "host_test_support.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <functional>

using namespace snippo;
using namespace hosttest;

namespace {

// Runs `then` once the modal window named `name` is up; gives up (closing it) after ~30 s.
void WhenModal(const QString& name, std::function<void(QWidget*)> then, int triesLeft = 3000)
{
    QTimer::singleShot(10, [name, then = std::move(then), triesLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == name && modal->isVisible()) {
            then(modal);
            return;
        }
        if (triesLeft > 0) {
            WhenModal(name, std::move(then), triesLeft - 1);
            return;
        }
        ADD_FAILURE() << "no modal window " << name.toStdString();
        if (modal)
            modal->close();
    });
}

// Mouse input through the window, as the window system delivers it.
void Drag(QWidget* view, QPoint from, QPoint to)
{
    QWindow* window = view->window()->windowHandle();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, view->mapTo(view->window(), from));
    QTest::mouseMove(window, view->mapTo(view->window(), (from + to) / 2));
    QTest::mouseMove(window, view->mapTo(view->window(), to));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, view->mapTo(view->window(), to));
}

using Configure = HostTest;

TEST_F(Configure, DrawnButtonsReachTheFormView)
{
    ASSERT_TRUE(Start());
    auto* body = Child<QPlainTextEdit>(*View(), "bodyPane");
    auto* list = Child<QTreeWidget>(*View(), "resourceList");
    ASSERT_FALSE(body->toPlainText().contains("MStyle-0"));

    bool scripted = false;
    WhenModal("CDlgButtonProperties", [&](QWidget* dlg) {
        QWidget* view = nullptr;
        for (QWidget* w : QApplication::allWidgets())
            if (w->objectName() == QLatin1String("drawView") && w->isVisible())
                view = w;
        ASSERT_NE(view, nullptr);
        QAction* rect = view->findChild<QAction*>("commandRectButton");
        ASSERT_NE(rect, nullptr);
        rect->trigger();
        Drag(view, {10, 10}, {90, 40});
        dlg->findChild<QTabBar*>("sheetTabs")->setCurrentIndex(0);
        dlg->findChild<QPlainTextEdit*>("labelEdit")->setPlainText("Start");
        scripted = true;
        dlg->close();
    });
    Command(res::ID_EDIT_CONFIGURE);
    ASSERT_TRUE(scripted);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    const QString html = body->toPlainText();
    EXPECT_TRUE(html.contains("<param name=\"MStyle-0\" value=\"000000,00,0,0,10,10,80,30,5,6,000000,0,000000\">"))
        << html.toStdString();
    EXPECT_TRUE(html.contains("<param name=\"I0-0\" value=\"Start,,,,,,,_self,\">")) << html.toStdString();
    EXPECT_TRUE(html.contains("<param name=\"Misc\" value=\"2,1,1,-0,0-1,\">")) << html.toStdString();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "qlnbtn.class");
    EXPECT_EQ(list->topLevelItem(1)->text(0), "qlnbtn.js");
}

}  // namespace
