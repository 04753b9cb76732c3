// A failing automation call ends the command in progress: the proxy throws, and the code that
// started the command (a menu command, a dialog button) reports the error in a message box.
#pragma once

#include "platform/com/hresult.h"

#include <functional>
#include <stdexcept>
#include <string>

class QWidget;

namespace snippo {

class CAutomationException : public std::runtime_error {
public:
    // `description` is the error's own text, "" when it has none.
    CAutomationException(HRESULT hr, const std::string& description);
    HRESULT m_hr;
    std::string m_strDescription;
    // What the user is told: the description, the meaning of the result code, or
    // "Command failed.".
    std::string Message() const;
};

// Runs `command`; an automation failure inside it is shown in a message box and ends it.
// Returns false when the command ended that way.
bool RunGuarded(QWidget* parent, const std::function<void()>& command);

}  // namespace snippo
