// FakeDialogs: the one fake of every dialog port of the editing layer. It
// answers each dialog from a script and records every request; with the
// script empty, every dialog is cancelled.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "editing/CategoryDialogs.h"
#include "editing/FileDialogs.h"
#include "editing/LinkFileDialogs.h"
#include "editing/NodeEdit.h"
#include "editing/PasteDialogs.h"
#include "editing/SearchDialogs.h"
#include "editing/SplitDialogs.h"
#include "editing/TextOutputDialogs.h"
#include "editing/TimestampDialogs.h"

namespace qm::test {

class FakeDialogs : public FileDialogs,
                    public NodeEditDialogs,
                    public SearchDialogs,
                    public LinkFileDialogs,
                    public PasteDialogs,
                    public SplitDialogs,
                    public TimestampDialogs,
                    public CategoryDialogs,
                    public TextOutputDialogs {
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

  // ---- Search ----

  std::optional<SearchAnswer> AskSearch(const SearchRequest& request) override {
    m_searchRequests.push_back(request);
    if (m_searchAnswers.empty()) return std::nullopt;
    std::optional<SearchAnswer> answer = m_searchAnswers.front();
    m_searchAnswers.pop_front();
    return answer;
  }
  std::optional<int> ShowSearchList(const SearchListRequest& request) override {
    m_searchListRequests.push_back(request);
    if (m_searchListAnswers.empty()) return std::nullopt;
    std::optional<int> answer = m_searchListAnswers.front();
    m_searchListAnswers.pop_front();
    return answer;
  }
  // The next answers of AskSearch; std::nullopt stands for Cancel.
  void ScriptSearch(std::initializer_list<std::optional<SearchAnswer>> answers) {
    m_searchAnswers.insert(m_searchAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<SearchRequest>& SearchRequests() const { return m_searchRequests; }
  // The next answers of ShowSearchList (the chosen entry); std::nullopt stands for Close.
  void ScriptSearchList(std::initializer_list<std::optional<int>> answers) {
    m_searchListAnswers.insert(m_searchListAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<SearchListRequest>& SearchListRequests() const { return m_searchListRequests; }
  // ---- Link files ----

  std::optional<QString> AskLinkFileName(const LinkFileNameRequest& request) override {
    m_linkNameRequests.push_back(request);
    if (m_linkNameAnswers.empty()) return std::nullopt;
    std::optional<QString> answer = m_linkNameAnswers.front();
    m_linkNameAnswers.pop_front();
    return answer;
  }
  std::optional<NewLinkFileAnswer> AskNewLinkFile(const NewLinkFileRequest& request) override {
    m_newLinkRequests.push_back(request);
    if (m_newLinkAnswers.empty()) return std::nullopt;
    std::optional<NewLinkFileAnswer> answer = m_newLinkAnswers.front();
    m_newLinkAnswers.pop_front();
    return answer;
  }
  // The next answers; std::nullopt stands for Cancel.
  void ScriptLinkFileName(std::initializer_list<std::optional<QString>> answers) {
    m_linkNameAnswers.insert(m_linkNameAnswers.end(), answers.begin(), answers.end());
  }
  void ScriptNewLinkFile(std::initializer_list<std::optional<NewLinkFileAnswer>> answers) {
    m_newLinkAnswers.insert(m_newLinkAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<LinkFileNameRequest>& LinkFileNameRequests() const {
    return m_linkNameRequests;
  }
  const std::vector<NewLinkFileRequest>& NewLinkFileRequests() const { return m_newLinkRequests; }
  // Branch clipboard and split: the next answers, std::nullopt standing for Cancel.
  std::optional<PastePlaceAnswer> ChoosePastePlace(const PastePlaceRequest& request) override {
    m_pastePlaceRequests.push_back(request);
    return Next(m_pastePlaceAnswers);
  }
  std::optional<TextPasteAnswer> ChooseTextPasteMode(const TextPasteRequest& request) override {
    m_textPasteRequests.push_back(request);
    return Next(m_textPasteAnswers);
  }
  std::optional<SplitAnswer> SplitNode(const SplitRequest& request) override {
    m_splitRequests.push_back(request);
    return Next(m_splitAnswers);
  }
  void ScriptPastePlace(std::initializer_list<std::optional<PastePlaceAnswer>> answers) {
    m_pastePlaceAnswers.insert(m_pastePlaceAnswers.end(), answers.begin(), answers.end());
  }
  void ScriptTextPasteMode(std::initializer_list<std::optional<TextPasteAnswer>> answers) {
    m_textPasteAnswers.insert(m_textPasteAnswers.end(), answers.begin(), answers.end());
  }
  void ScriptSplit(std::initializer_list<std::optional<SplitAnswer>> answers) {
    m_splitAnswers.insert(m_splitAnswers.end(), answers.begin(), answers.end());
  }
  const std::vector<PastePlaceRequest>& PastePlaceRequests() const { return m_pastePlaceRequests; }
  const std::vector<TextPasteRequest>& TextPasteRequests() const { return m_textPasteRequests; }
  const std::vector<SplitRequest>& SplitRequests() const { return m_splitRequests; }
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
  // Search.
  std::deque<std::optional<SearchAnswer>> m_searchAnswers;
  std::vector<SearchRequest> m_searchRequests;
  std::deque<std::optional<int>> m_searchListAnswers;
  std::vector<SearchListRequest> m_searchListRequests;
  std::deque<std::optional<QString>> m_linkNameAnswers;
  std::vector<LinkFileNameRequest> m_linkNameRequests;
  std::deque<std::optional<NewLinkFileAnswer>> m_newLinkAnswers;
  std::vector<NewLinkFileRequest> m_newLinkRequests;

  template <typename Answer>
  static std::optional<Answer> Next(std::deque<std::optional<Answer>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<Answer> answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::optional<PastePlaceAnswer>> m_pastePlaceAnswers;
  std::vector<PastePlaceRequest> m_pastePlaceRequests;
  std::deque<std::optional<TextPasteAnswer>> m_textPasteAnswers;
  std::vector<TextPasteRequest> m_textPasteRequests;
  std::deque<std::optional<SplitAnswer>> m_splitAnswers;
  std::vector<SplitRequest> m_splitRequests;

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
  std::deque<std::optional<TextFormat>> m_textFormatAnswers;
  std::vector<TextFormat> m_textFormatRequests;
};

}  // namespace qm::test
