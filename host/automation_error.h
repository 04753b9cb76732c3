// A failing automation call ends the command in progress: the proxy throws, and the code that
// started the command (a menu command, a dialog button) reports the error in a message box.
#pragma once

#include "platform/com/hresult.h"

#include <QString>

#include <functional>
#include <stdexcept>

class QWidget;

namespace snippo {

class CAutomationException : public std::runtime_error {
public:
    // `description` is the error's own text, empty when it has none.
    CAutomationException(HRESULT hr, const QString& description);
    HRESULT m_hr;
    QString m_strDescription;
    // What the user is told: the description, the meaning of the result code, or
    // "Command failed." in the user's language.
    QString Message() const;
};

// Runs `command`; an automation failure inside it is shown in a message box and ends it.
// Returns false when the command ended that way.
bool RunGuarded(QWidget* parent, const std::function<void()>& command);

}  // namespace snippo
