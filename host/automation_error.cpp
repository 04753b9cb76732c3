#include "host/automation_error.h"

#include "host/prompt_service.h"

#include <QCoreApplication>

namespace snippo {

CAutomationException::CAutomationException(HRESULT hr, const std::string& description)
    : std::runtime_error(description.empty() ? HResultToString(hr) : description), m_hr(hr),
      m_strDescription(description)
{
}

std::string CAutomationException::Message() const
{
    if (!m_strDescription.empty())
        return m_strDescription;
    // "DISP_E_MEMBERNOTFOUND (Member not found)" -> "Member not found."
    std::string text = HResultText(m_hr);
    std::size_t open = text.find('(');
    std::size_t close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close <= open + 1)
        return QT_TRANSLATE_NOOP("snippo::CAutomationException", "Command failed.");
    return text.substr(open + 1, close - open - 1) + ".";
}

bool RunGuarded(QWidget* parent, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const CAutomationException& e) {
        // The program's own fallback text is marked for translation; other texts pass unchanged.
        AskUser(parent, QCoreApplication::translate("snippo::CAutomationException", e.Message().c_str()));
        return false;
    }
}

}  // namespace snippo
