// The rule for widget and template names: not empty, ASCII letters and digits only.
#pragma once

#include <QString>

class QWidget;

namespace snippo {

bool IsValidName(const QString& name);

// Checks `name` and tells the user what is wrong: "You must enter a name!" for an empty name,
// `invalidMessage` (the widget or the template wording) for any other character.
bool CheckName(QWidget* parent, const QString& name, const char* invalidMessage);

}  // namespace snippo
