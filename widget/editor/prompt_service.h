// Every message box of the widget library goes through here. Normally the box is shown; while
// a ScopedPromptResponder lives, its handler answers instead and nothing is shown, so a test
// can read the exact request and choose the button.
#pragma once

#include <QMessageBox>
#include <QString>

#include "platform/prompt/prompt_request.h"
#include "platform/prompt/scoped_responder.h"

class QWidget;

namespace snippo::widget {

using snippo::PromptHandler;
using snippo::PromptRequest;
struct WidgetPrompts;  // the slot of the library's own responder

// Shows the request as a modal message box over `parent` and returns the button pressed.
QMessageBox::StandardButton ShowPrompt(QWidget* parent, const PromptRequest& request);

// A box with OK only, titled like the window of `parent` that asks.
QMessageBox::StandardButton ShowWindowPrompt(QWidget* parent, const QString& text,
                                             QMessageBox::Icon icon = QMessageBox::Warning);

// Answers every prompt with its handler while it lives; the handler in place before comes
// back when it is destroyed, so responders nest.
using ScopedPromptResponder = ScopedResponder<PromptHandler, WidgetPrompts>;

}  // namespace snippo::widget
