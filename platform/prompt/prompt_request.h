// A message box as the program and the widget library ask it: what their prompt services show,
// or hand to a responder that stands in for the user.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

namespace snippo {

struct PromptRequest {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
};

using PromptHandler = std::function<QMessageBox::StandardButton(const PromptRequest&)>;

}  // namespace snippo
