// The message boxes of the widget library: a responder stands in for the user, nests and goes
// away cleanly; without one the real box is shown with what was asked.
#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "prompt_recorder.h"
#include "widget/editor/prompt_service.h"

namespace snippo::test {
namespace {

using widget::PromptRequest;

const PromptRequest kQuestion{QStringLiteral("Title"), QStringLiteral("Replace it?"), QMessageBox::Question,
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No};

TEST(PromptService, AnInnerResponderAnswersUntilItGoesThenTheOuterOneAgain)
{
    PromptRecorder outer;
    {
        std::vector<QString> inner;
        widget::ScopedPromptResponder responder([&](const PromptRequest& request) {
            inner.push_back(request.text);
            return QMessageBox::Yes;
        });
        EXPECT_EQ(widget::ShowPrompt(nullptr, kQuestion), QMessageBox::Yes);
        EXPECT_EQ(inner, (std::vector<QString>{QStringLiteral("Replace it?")}));
        EXPECT_EQ(outer.Count(), 0);
    }
    outer.QueueAnswer(QMessageBox::No);
    EXPECT_EQ(widget::ShowPrompt(nullptr, kQuestion), QMessageBox::No);
    EXPECT_EQ(widget::ShowPrompt(nullptr, kQuestion), QMessageBox::Ok);  // the queue is empty
    ASSERT_EQ(outer.Count(), 2);
    EXPECT_EQ(outer.Requests()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(outer.Requests()[0].defaultButton, QMessageBox::No);
    EXPECT_EQ(outer.LastTitle(), QStringLiteral("Title"));
}

// What the user sees when no test answers: the box, modal, with the request's parts.
struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Reads the modal box as soon as it is shown and presses `press`.
void AnswerTheBox(SeenBox* seen, QMessageBox::StandardButton press)
{
    QTimer::singleShot(0, [seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                 box->standardButton(box->defaultButton())};
        box->button(press)->click();
    });
}

TEST(PromptService, WithoutAResponderTheBoxIsShownAndItsButtonReturned)
{
    SeenBox seen;
    AnswerTheBox(&seen, QMessageBox::Yes);
    EXPECT_EQ(widget::ShowPrompt(nullptr, kQuestion), QMessageBox::Yes);
    EXPECT_EQ(seen.title, QStringLiteral("Title"));
    EXPECT_EQ(seen.text, QStringLiteral("Replace it?"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.defaultButton, QMessageBox::No);

    QWidget owner;
    owner.setWindowTitle(QStringLiteral("Copy Support Files"));
    auto* field = new QWidget(&owner);
    AnswerTheBox(&seen, QMessageBox::Ok);
    EXPECT_EQ(widget::ShowWindowPrompt(field, QStringLiteral("Please select a file to rename first!")),
              QMessageBox::Ok);
    EXPECT_EQ(seen.title, QStringLiteral("Copy Support Files"));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

}  // namespace
}  // namespace snippo::test
