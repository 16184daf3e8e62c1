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
  std::optional<OpenDocumentAnswer> ChooseDocumentToOpen(const OpenFileRequest& request,
                                                         int filterIndex) override {
    m_openRequests.push_back(request);
    m_lastFilterIndex = filterIndex;
    if (m_documentAnswers.empty()) return std::nullopt;
    std::optional<OpenDocumentAnswer> answer = m_documentAnswers.front();
    m_documentAnswers.pop_front();
    return answer;
  }
  void ScriptDocumentToOpen(std::initializer_list<std::optional<OpenDocumentAnswer>> answers) {
    m_documentAnswers.insert(m_documentAnswers.end(), answers.begin(), answers.end());
  }
  int LastFilterIndex() const { return m_lastFilterIndex; }

  std::optional<QString> ChooseOpenFileName(const OpenFileRequest& request) override {
    m_openRequests.push_back(request);
    if (m_openAnswers.empty()) return std::nullopt;
    std::optional<QString> answer = m_openAnswers.front();
    m_openAnswers.pop_front();
    return answer;
  }

  std::optional<NodeEditResult> EditNode(const NodeEditRequest& request) override {
    m_nodeEditRequests.push_back(request);
    if (m_nodeEditAnswers.empty()) return std::nullopt;
    std::optional<NodeEditResult> answer = m_nodeEditAnswers.front();
    m_nodeEditAnswers.pop_front();
    return answer;
  }

  // The next answers of ChooseSaveFileName; std::nullopt stands for Cancel.
  void ScriptSaveFileName(std::initializer_list<std::optional<QString>> answers) {
    m_saveAnswers.insert(m_saveAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<SaveFileRequest>& SaveRequests() const { return m_saveRequests; }
  // The next answers of ChooseOpenFileName; std::nullopt stands for Cancel.
  void ScriptOpenFileName(std::initializer_list<std::optional<QString>> answers) {
    m_openAnswers.insert(m_openAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<OpenFileRequest>& OpenRequests() const { return m_openRequests; }

  // The next answers of EditNode; std::nullopt stands for Cancel.
  void ScriptEditNode(std::initializer_list<std::optional<NodeEditResult>> answers) {
    m_nodeEditAnswers.insert(m_nodeEditAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<NodeEditRequest>& EditNodeRequests() const { return m_nodeEditRequests; }

  // Text output format dialog.
  std::optional<TextFormat> EditTextFormat(const TextFormat& current) override {
    m_textFormatRequests.push_back(current);
    if (m_textFormatAnswers.empty()) return std::nullopt;
    std::optional<TextFormat> answer = m_textFormatAnswers.front();
    m_textFormatAnswers.pop_front();
    return answer;
  }
  // The next answers of EditTextFormat; std::nullopt stands for Cancel.
  void ScriptTextFormat(std::initializer_list<std::optional<TextFormat>> answers) {
    m_textFormatAnswers.insert(m_textFormatAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<TextFormat>& TextFormatRequests() const { return m_textFormatRequests; }

 private:
  std::deque<std::optional<QString>> m_saveAnswers;
  std::vector<SaveFileRequest> m_saveRequests;
  std::deque<std::optional<QString>> m_openAnswers;
  std::deque<std::optional<OpenDocumentAnswer>> m_documentAnswers;
  int m_lastFilterIndex = -1;
  std::vector<OpenFileRequest> m_openRequests;
  std::deque<std::optional<NodeEditResult>> m_nodeEditAnswers;
  std::vector<NodeEditRequest> m_nodeEditRequests;
  std::deque<std::optional<TextFormat>> m_textFormatAnswers;
  std::vector<TextFormat> m_textFormatRequests;
};

}  // namespace qm::test
