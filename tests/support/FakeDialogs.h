// FakeDialogs: the one fake of every dialog port (the editing layer's and
// the settings sheet's). It answers each dialog from a script and records
// every request; with the script empty, every dialog is cancelled.
#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

#include "app/DateDialogs.h"
#include "app/KeyCustomisationDialogs.h"
#include "app/SettingsDialogs.h"
#include "editing/CategoryDialogs.h"
#include "editing/FileDialogs.h"
#include "editing/LinkFileDialogs.h"
#include "editing/NodeEdit.h"
#include "editing/PasteDialogs.h"
#include "editing/SearchDialogs.h"
#include "editing/SplitDialogs.h"
#include "editing/TextOutputDialogs.h"
#include "editing/TimestampDialogs.h"
#include "editing/WebDialogs.h"

namespace qm::test {

// One dialog: the requests it was shown and the answers still to give,
// std::nullopt standing for Cancel.
template <typename Request, typename Answer>
class ScriptedDialog {
 public:
  std::optional<Answer> Show(const Request& request) {
    requests.push_back(request);
    if (m_answers.empty()) return std::nullopt;
    std::optional<Answer> answer = m_answers.front();
    m_answers.pop_front();
    return answer;
  }
  void Script(std::initializer_list<std::optional<Answer>> answers) {
    m_answers.insert(m_answers.end(), answers.begin(), answers.end());
  }
  std::vector<Request> requests;

 private:
  std::deque<std::optional<Answer>> m_answers;
};

class FakeDialogs : public FileDialogs,
                    public NodeEditDialogs,
                    public SearchDialogs,
                    public LinkFileDialogs,
                    public PasteDialogs,
                    public SplitDialogs,
                    public TimestampDialogs,
                    public CategoryDialogs,
                    public TextOutputDialogs,
                    public KeyCustomisationDialogs,
                    public DateDialogs,
                    public SettingsDialogs,
                    public WebDialogs {
 public:
  template <typename Answer>
  using Answers = std::initializer_list<std::optional<Answer>>;

  // ---- Files. The open dialogs share one list of requests. ----
  std::optional<QString> ChooseSaveFileName(const SaveFileRequest& request) override {
    return m_save.Show(request);
  }
  std::optional<QString> ChooseOpenFileName(const OpenFileRequest& request) override {
    return m_open.Show(request);
  }
  std::optional<OpenDocumentAnswer> ChooseDocumentToOpen(const OpenFileRequest& request,
                                                         int filterIndex) override {
    m_lastFilterIndex = filterIndex;
    m_open.requests.push_back(request);
    return m_document.Show(request);
  }
  void ScriptSaveFileName(Answers<QString> answers) { m_save.Script(answers); }
  void ScriptOpenFileName(Answers<QString> answers) { m_open.Script(answers); }
  void ScriptDocumentToOpen(Answers<OpenDocumentAnswer> answers) { m_document.Script(answers); }
  const std::vector<SaveFileRequest>& SaveRequests() const { return m_save.requests; }
  const std::vector<OpenFileRequest>& OpenRequests() const { return m_open.requests; }
  int LastFilterIndex() const { return m_lastFilterIndex; }

  // ---- The node edit dialog ----
  std::optional<NodeEditResult> EditNode(const NodeEditRequest& request) override {
    return m_nodeEdit.Show(request);
  }
  void ScriptEditNode(Answers<NodeEditResult> answers) { m_nodeEdit.Script(answers); }
  const std::vector<NodeEditRequest>& EditNodeRequests() const { return m_nodeEdit.requests; }

  // ---- Search ----
  std::optional<SearchAnswer> AskSearch(const SearchRequest& request) override {
    return m_search.Show(request);
  }
  std::optional<int> ShowSearchList(const SearchListRequest& request) override {
    return m_searchList.Show(request);
  }
  void ScriptSearch(Answers<SearchAnswer> answers) { m_search.Script(answers); }
  // The chosen entry to jump to; std::nullopt stands for Close.
  void ScriptSearchList(Answers<int> answers) { m_searchList.Script(answers); }
  const std::vector<SearchRequest>& SearchRequests() const { return m_search.requests; }
  const std::vector<SearchListRequest>& SearchListRequests() const { return m_searchList.requests; }

  // ---- Link files ----
  std::optional<QString> AskLinkFileName(const LinkFileNameRequest& request) override {
    return m_linkName.Show(request);
  }
  std::optional<NewLinkFileAnswer> AskNewLinkFile(const NewLinkFileRequest& request) override {
    return m_newLink.Show(request);
  }
  void ScriptLinkFileName(Answers<QString> answers) { m_linkName.Script(answers); }
  void ScriptNewLinkFile(Answers<NewLinkFileAnswer> answers) { m_newLink.Script(answers); }
  const std::vector<LinkFileNameRequest>& LinkFileNameRequests() const {
    return m_linkName.requests;
  }
  const std::vector<NewLinkFileRequest>& NewLinkFileRequests() const { return m_newLink.requests; }

  // ---- Branch clipboard and split ----
  std::optional<PastePlaceAnswer> ChoosePastePlace(const PastePlaceRequest& request) override {
    return m_pastePlace.Show(request);
  }
  std::optional<TextPasteAnswer> ChooseTextPasteMode(const TextPasteRequest& request) override {
    return m_textPaste.Show(request);
  }
  std::optional<SplitAnswer> SplitNode(const SplitRequest& request) override {
    return m_split.Show(request);
  }
  void ScriptPastePlace(Answers<PastePlaceAnswer> answers) { m_pastePlace.Script(answers); }
  void ScriptTextPasteMode(Answers<TextPasteAnswer> answers) { m_textPaste.Script(answers); }
  void ScriptSplit(Answers<SplitAnswer> answers) { m_split.Script(answers); }
  const std::vector<PastePlaceRequest>& PastePlaceRequests() const { return m_pastePlace.requests; }
  const std::vector<TextPasteRequest>& TextPasteRequests() const { return m_textPaste.requests; }
  const std::vector<SplitRequest>& SplitRequests() const { return m_split.requests; }

  // ---- Text output ----
  std::optional<TextFormat> EditTextFormat(const TextFormat& current) override {
    return m_textFormat.Show(current);
  }
  void ScriptTextFormat(Answers<TextFormat> answers) { m_textFormat.Script(answers); }
  const std::vector<TextFormat>& TextFormatRequests() const { return m_textFormat.requests; }

  // ---- Timestamps and categories ----
  std::optional<int> ChooseLatestUpdated(const LatestUpdatedRequest& request) override {
    return m_latest.Show(request);
  }
  // A row to jump to, or std::nullopt for Close.
  void ScriptLatestUpdated(Answers<int> answers) { m_latest.Script(answers); }
  const std::vector<LatestUpdatedRequest>& LatestRequests() const { return m_latest.requests; }

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
    return m_categoryEntry.Show(request);
  }
  void ScriptCategoryEntry(Answers<CategoryEntryText> answers) { m_categoryEntry.Script(answers); }
  const std::vector<CategoryEntryText>& CategoryEntryRequests() const {
    return m_categoryEntry.requests;
  }

  // ---- Key customisation: runs the next scripted user on the session;
  // without one the dialog is closed at once, as with Cancel. ----
  using KeysUser = std::function<void(KeyCustomisationSession&)>;
  void CustomiseKeys(KeyCustomisationSession& session) override {
    ++keyDialogsShown;
    if (m_keysUsers.empty()) return;
    const KeysUser user = m_keysUsers.front();
    m_keysUsers.pop_front();
    user(session);
  }
  void ScriptKeys(KeysUser user) { m_keysUsers.push_back(std::move(user)); }
  int keyDialogsShown = 0;

  // ---- Date insertion ----
  std::optional<DateInsertOptions> EditDateInsertFormat(const DateInsertOptions& current) override {
    return m_dateFormat.Show(current);
  }
  std::optional<CalendarDate> PickCalendarDate(const CalendarRequest& request) override {
    return m_calendar.Show(request);
  }
  void ScriptDateFormat(Answers<DateInsertOptions> answers) { m_dateFormat.Script(answers); }
  void ScriptCalendar(Answers<CalendarDate> answers) { m_calendar.Script(answers); }
  const std::vector<DateInsertOptions>& DateFormatRequests() const { return m_dateFormat.requests; }
  const std::vector<CalendarRequest>& CalendarRequests() const { return m_calendar.requests; }

  // ---- The settings sheet ----
  std::optional<SettingsValues> EditSettings(const SettingsSheetRequest& request) override {
    return m_settingsSheet.Show(request);
  }
  void ScriptSettings(Answers<SettingsValues> answers) { m_settingsSheet.Script(answers); }
  const std::vector<SettingsSheetRequest>& SettingsRequests() const {
    return m_settingsSheet.requests;
  }

  // ---- The web outline service ----
  struct WebTitleRequest {
    QString prompt;
    QString proposal;
  };
  std::optional<WebAccountAnswer> EditWebAccount(const WebAccountRequest& request) override {
    return m_webAccount.Show(request);
  }
  std::optional<int> ChooseWebFile(const QStringList& titles) override {
    return m_webFile.Show(titles);
  }
  std::optional<QString> AskWebTitle(const QString& prompt, const QString& proposal) override {
    return m_webTitle.Show({prompt, proposal});
  }
  void ScriptWebAccount(Answers<WebAccountAnswer> answers) { m_webAccount.Script(answers); }
  // The chosen file's index; std::nullopt stands for Cancel.
  void ScriptWebFile(Answers<int> answers) { m_webFile.Script(answers); }
  void ScriptWebTitle(Answers<QString> answers) { m_webTitle.Script(answers); }
  const std::vector<WebAccountRequest>& WebAccountRequests() const { return m_webAccount.requests; }
  const std::vector<QStringList>& WebFileRequests() const { return m_webFile.requests; }
  const std::vector<WebTitleRequest>& WebTitleRequests() const { return m_webTitle.requests; }

 private:
  ScriptedDialog<SaveFileRequest, QString> m_save;
  ScriptedDialog<OpenFileRequest, QString> m_open;
  ScriptedDialog<OpenFileRequest, OpenDocumentAnswer> m_document;
  int m_lastFilterIndex = -1;
  ScriptedDialog<NodeEditRequest, NodeEditResult> m_nodeEdit;
  ScriptedDialog<SearchRequest, SearchAnswer> m_search;
  ScriptedDialog<SearchListRequest, int> m_searchList;
  ScriptedDialog<LinkFileNameRequest, QString> m_linkName;
  ScriptedDialog<NewLinkFileRequest, NewLinkFileAnswer> m_newLink;
  ScriptedDialog<PastePlaceRequest, PastePlaceAnswer> m_pastePlace;
  ScriptedDialog<TextPasteRequest, TextPasteAnswer> m_textPaste;
  ScriptedDialog<SplitRequest, SplitAnswer> m_split;
  ScriptedDialog<TextFormat, TextFormat> m_textFormat;
  ScriptedDialog<LatestUpdatedRequest, int> m_latest;
  std::deque<CategoriesUser> m_categoryUsers;
  std::optional<QString> m_closingBefore;
  std::optional<QString> m_closingAfter;
  ScriptedDialog<CategoryEntryText, CategoryEntryText> m_categoryEntry;
  std::deque<KeysUser> m_keysUsers;
  ScriptedDialog<DateInsertOptions, DateInsertOptions> m_dateFormat;
  ScriptedDialog<CalendarRequest, CalendarDate> m_calendar;
  ScriptedDialog<SettingsSheetRequest, SettingsValues> m_settingsSheet;
  ScriptedDialog<WebAccountRequest, WebAccountAnswer> m_webAccount;
  ScriptedDialog<QStringList, int> m_webFile;
  ScriptedDialog<WebTitleRequest, QString> m_webTitle;
};

}  // namespace qm::test
