// FakeDialogs: answers dialogs from a script and records every request.
//
// With the script empty, every dialog is cancelled.
#pragma once

#include <deque>
#include <vector>

#include "platform/Dialogs.h"

namespace qm::test {

class FakeDialogs : public Dialogs {
 public:
  std::optional<QString> ChooseSaveFileName(const SaveFileRequest& request) override {
    m_saveRequests.push_back(request);
    if (m_saveAnswers.empty()) return std::nullopt;
    std::optional<QString> answer = m_saveAnswers.front();
    m_saveAnswers.pop_front();
    return answer;
  }

  // The next answers of ChooseSaveFileName; std::nullopt stands for Cancel.
  void ScriptSaveFileName(std::initializer_list<std::optional<QString>> answers) {
    m_saveAnswers.insert(m_saveAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<SaveFileRequest>& SaveRequests() const { return m_saveRequests; }

 private:
  std::deque<std::optional<QString>> m_saveAnswers;
  std::vector<SaveFileRequest> m_saveRequests;
};

}  // namespace qm::test
