// Stands in for the user at every message box of the widget library while it lives: nothing
// is shown, each request is kept, and the answer is the next queued one or else OK.
#pragma once

#include <QStringList>
#include <deque>
#include <vector>

#include "widget/editor/prompt_service.h"

namespace snippo::test {

class PromptRecorder {
public:
    PromptRecorder()
        : m_responder([this](const widget::PromptRequest& request) {
              m_requests.push_back(request);
              if (m_answers.empty())
                  return QMessageBox::Ok;
              const QMessageBox::StandardButton answer = m_answers.front();
              m_answers.pop_front();
              return answer;
          })
    {
    }

    void QueueAnswer(QMessageBox::StandardButton answer) { m_answers.push_back(answer); }
    void Reset()
    {
        m_requests.clear();
        m_answers.clear();
    }

    const std::vector<widget::PromptRequest>& Requests() const { return m_requests; }
    int Count() const { return static_cast<int>(m_requests.size()); }
    QStringList Texts() const
    {
        QStringList texts;
        for (const widget::PromptRequest& r : m_requests)
            texts.append(r.text);
        return texts;
    }
    QString LastText() const { return m_requests.empty() ? QString() : m_requests.back().text; }
    QString LastTitle() const { return m_requests.empty() ? QString() : m_requests.back().title; }
    QMessageBox::Icon LastIcon() const { return m_requests.empty() ? QMessageBox::NoIcon : m_requests.back().icon; }

private:
    std::vector<widget::PromptRequest> m_requests;
    std::deque<QMessageBox::StandardButton> m_answers;
    widget::ScopedPromptResponder m_responder;  // last, so it goes before what it fills
};

}  // namespace snippo::test
