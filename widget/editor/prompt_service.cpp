#include "widget/editor/prompt_service.h"

#include <QWidget>

namespace snippo::widget {

QMessageBox::StandardButton ShowPrompt(QWidget* parent, const PromptRequest& request)
{
    if (const PromptHandler& responder = ScopedPromptResponder::Current())
        return responder(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    box.setObjectName(QStringLiteral("promptMessageBox"));
    box.setDefaultButton(request.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton ShowWindowPrompt(QWidget* parent, const QString& text, QMessageBox::Icon icon)
{
    const QString title = parent ? parent->window()->windowTitle() : QString();
    return ShowPrompt(parent, {title, text, icon, QMessageBox::Ok, QMessageBox::Ok});
}

}  // namespace snippo::widget
