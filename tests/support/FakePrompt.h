// FakePrompt: answers questions from a script and records every one asked.
//
// With the script empty, every question gets the default answer (Yes for
// Yes/No questions, Ok otherwise) unless SetDefault says otherwise.
#pragma once

#include <QStringList>
#include <deque>
#include <functional>

#include "platform/Prompt.h"

namespace qm::test {

class FakePrompt : public Prompt {
 public:
  PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon) override {
    if (onAsk) onAsk();
    m_asked << text;
    if (!m_script.empty()) {
      const PromptAnswer answer = m_script.front();
      m_script.pop_front();
      return answer;
    }
    if (m_hasDefault) return m_default;
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
               ? PromptAnswer::Yes
               : PromptAnswer::Ok;
  }

  void Script(std::initializer_list<PromptAnswer> answers) {
    m_script.insert(m_script.end(), answers.begin(), answers.end());
  }
  void SetDefault(PromptAnswer answer) {
    m_default = answer;
    m_hasDefault = true;
  }
  const QStringList& Asked() const { return m_asked; }
  // Runs as each question comes up: a look at the program at that moment.
  std::function<void()> onAsk;
  void ClearAsked() { m_asked.clear(); }

 private:
  std::deque<PromptAnswer> m_script;
  PromptAnswer m_default = PromptAnswer::Ok;
  bool m_hasDefault = false;
  QStringList m_asked;
};

}  // namespace qm::test
