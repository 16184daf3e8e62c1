// FakeDialogs: answers dialogs from a script and records every request.
//
// With the script empty, every dialog is cancelled.
#pragma once

#include <deque>
#include <functional>
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

 private:
  std::deque<std::optional<QString>> m_saveAnswers;
  std::vector<SaveFileRequest> m_saveRequests;
  std::deque<std::optional<QString>> m_openAnswers;
  std::deque<std::optional<OpenDocumentAnswer>> m_documentAnswers;
  int m_lastFilterIndex = -1;
  std::vector<OpenFileRequest> m_openRequests;
  std::deque<std::optional<NodeEditResult>> m_nodeEditAnswers;
  std::vector<NodeEditRequest> m_nodeEditRequests;

  // ---- Timestamps and categories ----
 public:
  std::optional<int> ChooseLatestUpdated(const LatestUpdatedRequest& request) override {
    m_latestRequests.push_back(request);
    if (m_latestAnswers.empty()) return std::nullopt;
    const std::optional<int> answer = m_latestAnswers.front();
    m_latestAnswers.pop_front();
    return answer;
  }
  // The next answers of ChooseLatestUpdated: a row to jump to, or std::nullopt for Close.
  void ScriptLatestUpdated(std::initializer_list<std::optional<int>> answers) {
    m_latestAnswers.insert(m_latestAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<LatestUpdatedRequest>& LatestRequests() const { return m_latestRequests; }

  // Runs the next scripted user on the session, then closes the dialog with
  // the texts CloseCategoriesWith gave, or else with the texts it showed.
  using CategoriesUser = std::function<void(CategoryListSession&)>;
  void EditCategories(CategoryListSession& session) override {
    if (!m_categoryUsers.empty()) {
      const CategoriesUser user = m_categoryUsers.front();
      m_categoryUsers.pop_front();
      user(session);
    }
    const QString before = m_closingBefore.value_or(session.Before());
    const QString after = m_closingAfter.value_or(session.After());
    m_closingBefore.reset();
    m_closingAfter.reset();
    session.Close(before, after);
  }
  void ScriptCategories(CategoriesUser user) { m_categoryUsers.push_back(std::move(user)); }
  void CloseCategoriesWith(const QString& before, const QString& after) {
    m_closingBefore = before;
    m_closingAfter = after;
  }

  std::optional<CategoryEntryText> EditCategoryEntry(const CategoryEntryText& request) override {
    m_categoryEntryRequests.push_back(request);
    if (m_categoryEntryAnswers.empty()) return std::nullopt;
    std::optional<CategoryEntryText> answer = m_categoryEntryAnswers.front();
    m_categoryEntryAnswers.pop_front();
    return answer;
  }
  // The next answers of EditCategoryEntry; std::nullopt stands for Cancel.
  void ScriptCategoryEntry(std::initializer_list<std::optional<CategoryEntryText>> answers) {
    m_categoryEntryAnswers.insert(m_categoryEntryAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<CategoryEntryText>& CategoryEntryRequests() const {
    return m_categoryEntryRequests;
  }

 private:
  std::deque<std::optional<int>> m_latestAnswers;
  std::vector<LatestUpdatedRequest> m_latestRequests;
  std::deque<CategoriesUser> m_categoryUsers;
  std::optional<QString> m_closingBefore;
  std::optional<QString> m_closingAfter;
  std::deque<std::optional<CategoryEntryText>> m_categoryEntryAnswers;
  std::vector<CategoryEntryText> m_categoryEntryRequests;
};

}  // namespace qm::test
