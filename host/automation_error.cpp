#include "host/automation_error.h"

#include "host/prompt_service.h"

#include <QCoreApplication>

namespace snippo {

CAutomationException::CAutomationException(HRESULT hr, const QString& description)
    : std::runtime_error(description.isEmpty() ? HResultToString(hr) : description.toStdString()), m_hr(hr),
      m_strDescription(description)
{
}

QString CAutomationException::Message() const
{
    if (!m_strDescription.isEmpty())
        return m_strDescription;
    // "DISP_E_MEMBERNOTFOUND (Member not found)" -> "Member not found."
    const QString text = QString::fromStdString(HResultText(m_hr));
    const qsizetype open = text.indexOf('(');
    const qsizetype close = text.lastIndexOf(')');
    if (open < 0 || close < 0 || close <= open + 1)
        return QCoreApplication::translate("snippo::CAutomationException", "Command failed.");
    return text.mid(open + 1, close - open - 1) + ".";
}

bool RunGuarded(QWidget* parent, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const CAutomationException& e) {
        AskUser(parent, e.Message());
        return false;
    }
}

}  // namespace snippo
