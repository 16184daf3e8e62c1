// CSearchCommands: Find, Find next, Find previous and the search list in both panes.
#include "editing/SearchCommands.h"

#include <QStringList>

#include "editing/DocumentView.h"
#include "editing/PaneHost.h"
#include "editing/QuillmapDoc.h"
#include "editing/SearchDialogs.h"
#include "model/TreeStore.h"
#include "platform/EditControl.h"
#include "platform/Prompt.h"
#include "platform/RecentList.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {
namespace {

RecentList RecentWords(const SettingsStore& settings) {
  RecentList words(settings::kSearchWord, CSearchCommands::kRecentWords);
  words.Load(settings);
  return words;
}

}  // namespace

CSearchCommands::CSearchCommands(CQuillmapDoc& doc, EditControl& edit, SettingsStore& settings,
                                 Prompt& prompt, SearchDialogs& dialogs, PaneHost& host)
    : m_doc(doc),
      m_edit(edit),
      m_settings(settings),
      m_prompt(prompt),
      m_dialogs(dialogs),
      m_host(host) {
  m_query.caseSensitive = Read(m_settings, settings::kISearch) != 0;
  const int titleFallback = Read(m_settings, settings::kTitle) == 0 ? 1 : 0;
  m_query.inTitles = Read(m_settings, settings::kTitleSearch, titleFallback) != 0;
  m_query.inBodies = Read(m_settings, settings::kTextAreaSearch) != 0;
  m_query.inLinks = Read(m_settings, settings::kLinkNameSearch) != 0;
}

// ---- The dialog and the stored choices ----

bool CSearchCommands::AskForQuery(QStringView caption, const QString& proposedWord,
                                  bool fromTreePane) {
  RecentList words = RecentWords(m_settings);
  SearchRequest request;
  request.caption = caption.toString();
  request.word = proposedWord;
  request.recentWords = words.Entries();
  request.caseSensitive = m_query.caseSensitive;
  request.inTitles = m_query.inTitles;
  request.inBodies = m_query.inBodies;
  request.inLinks = m_query.inLinks;
  const std::optional<SearchAnswer> answer = m_dialogs.AskSearch(request);
  if (!answer) return false;

  m_query.word = answer->word;
  m_query.caseSensitive = answer->caseSensitive;
  m_query.inTitles = answer->inTitles;
  m_query.inBodies = answer->inBodies;
  m_query.inLinks = answer->inLinks;
  if (!answer->word.isEmpty()) {
    words.Add(answer->word);
    words.Save(m_settings);
  }
  Write(m_settings, settings::kTitleSearch, answer->inTitles ? 1 : 0);
  Write(m_settings, settings::kTextAreaSearch, answer->inBodies ? 1 : 0);
  Write(m_settings, settings::kLinkNameSearch, answer->inLinks ? 1 : 0);
  if (fromTreePane) {
    Write(m_settings, settings::kISearch, answer->caseSensitive ? 1 : 0);
    Write(m_settings, settings::kTitle, answer->inTitles ? 1 : 0);
  }
  return true;
}

QString CSearchCommands::ProposedWord() const {
  if (!m_query.word.isEmpty()) return m_query.word;
  return RecentWords(m_settings).Entries().value(0);
}

QString CSearchCommands::SelectedBodyText() const {
  const int start = m_edit.SelectionStart();
  const int end = m_edit.SelectionEnd();
  if (end <= start) return {};
  const QString text = m_edit.Text();
  const QStringView selected = QStringView(text).sliced(start, end - start);
  // The word box holds one line.
  qsizetype lineEnd = 0;
  while (lineEnd < selected.size() && selected[lineEnd] != u'\r' && selected[lineEnd] != u'\n') {
    ++lineEnd;
  }
  return selected.first(lineEnd).toString();
}

// ---- Moving to what was found ----

int CSearchCommands::Selected() const { return m_doc.Store().GetSelected(); }

void CSearchCommands::ShowNode(int index) {
  // Selecting in the pane first lets the pane's own selection handling write
  // the old node back while it is still the current one.
  m_doc.Store().Reveal(index);
  m_doc.SetCurrentNode(index);
  m_doc.UpdateAllViews(nullptr, kHintAll);
}

void CSearchCommands::ShowTreeMatch(const NodeMatch& match) {
  if (match.index < 0) {
    TellNotFound();
    return;
  }
  ShowNode(match.index);
  if (match.inBody) {
    // The body pane has just loaded the node with the caret at the start.
    SelectNextMatchInBody();
    m_host.FocusBodyPane();
  }
}

void CSearchCommands::TellNotFound() {
  m_prompt.Ask(res::kNotFound.toString(), PromptButtons::Ok, PromptIcon::Information);
}

bool CSearchCommands::SelectNextMatchInBody() {
  const qsizetype at =
      FindWord(m_edit.Text(), m_query.word, m_query.caseSensitive, m_edit.SelectionEnd());
  if (at < 0) return false;
  m_edit.SetSelection(static_cast<int>(at), static_cast<int>(at + m_query.word.size()));
  m_edit.ScrollCaretIntoView();
  return true;
}

bool CSearchCommands::SelectPreviousMatchInBody() {
  const qsizetype at =
      FindWordBefore(m_edit.Text(), m_query.word, m_query.caseSensitive, m_edit.SelectionStart());
  if (at < 0) return false;
  m_edit.SetSelection(static_cast<int>(at), static_cast<int>(at + m_query.word.size()));
  m_edit.ScrollCaretIntoView();
  return true;
}

// ---- Tree pane ----

void CSearchCommands::TreeFind() {
  if (!AskForQuery(res::kSearchDialogTitle, ProposedWord(), true)) return;
  m_doc.WriteBodyBack();
  NodeMatch match;
  {
    WaitCursor wait(m_host);
    match = SearchForward(m_doc.Store(), m_query, 0, true);
  }
  ShowTreeMatch(match);
}

void CSearchCommands::TreeFindNext() {
  m_doc.WriteBodyBack();
  const int selected = Selected();
  NodeMatch match;
  {
    WaitCursor wait(m_host);
    // Without a selection the search starts at the top, which is then included.
    match = SearchForward(m_doc.Store(), m_query, selected, selected < 0);
  }
  ShowTreeMatch(match);
}

void CSearchCommands::TreeFindPrevious() {
  m_doc.WriteBodyBack();
  const int count = m_doc.Store().GetCount();
  const int selected = Selected();
  const int start = selected > 0 ? selected - 1 : (selected == 0 ? 0 : count - 1);
  NodeMatch match;
  {
    WaitCursor wait(m_host);
    match = SearchBackward(m_doc.Store(), m_query, start);
  }
  if (match.index < 0) {
    TellNotFound();
    return;
  }
  ShowNode(match.index);
  if (match.inBody) {
    const int end = static_cast<int>(m_edit.Text().size());
    m_edit.SetSelection(end, end);
    SelectPreviousMatchInBody();
    m_host.FocusBodyPane();
  }
}

void CSearchCommands::SearchList() {
  const QString selected = SelectedBodyText();
  if (!AskForQuery(res::kSearchListDialogTitle, selected.isEmpty() ? ProposedWord() : selected,
                   true)) {
    return;
  }
  m_doc.WriteBodyBack();
  const CTreeStore& store = m_doc.Store();
  std::vector<int> matches;
  {
    WaitCursor wait(m_host);
    matches = CollectMatches(store, m_query);
  }
  if (matches.empty()) {
    TellNotFound();
    return;
  }
  // The labels the tree pane shows, so that the user recognises the nodes.
  SearchListRequest request;
  for (const int index : matches) request.entries << store.DisplayText(index);
  const std::optional<int> chosen = m_dialogs.ShowSearchList(request);
  if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(matches.size())) return;
  ShowNode(matches[static_cast<size_t>(*chosen)]);
}

// ---- Body pane ----

void CSearchCommands::BodyFind() {
  if (!AskForQuery(res::kSearchDialogTitle, ProposedWord(), false)) return;
  BodyFindNext();
}

void CSearchCommands::BodyFindNext() {
  if (SelectNextMatchInBody()) return;
  m_doc.WriteBodyBack();
  const int selected = Selected();
  if (selected >= m_doc.Store().GetCount() - 1) {
    TellNotFound();
    return;
  }
  NodeMatch match;
  {
    WaitCursor wait(m_host);
    match = SearchForward(m_doc.Store(), m_query, selected + 1, true);
  }
  if (match.index < 0) {
    TellNotFound();
    return;
  }
  ShowNode(match.index);
  if (match.inBody) {
    SelectNextMatchInBody();
    m_host.FocusBodyPane();
  } else {
    m_host.FocusTreePane();
  }
}

void CSearchCommands::BodyFindPrevious() {
  if (SelectPreviousMatchInBody()) return;
  m_host.FocusTreePane();
  TreeFindPrevious();
}

}  // namespace qm
