// CSearchCommands: the search commands of the tree pane and the body pane,
// and the search (word and where to look) that both share.
//
// The tree pane searches node by node from the top (Find) or from its
// selected node (Find next, Find previous). The body pane searches the
// editor's text from the selection first and only then moves on to the
// next or previous node. A found node is selected with its ancestors
// opened and the views are told (kHintAll), so the body pane shows it; a
// match in a body is then selected in the editor and the body pane takes
// the focus. When nothing is found the user hears "見つかりません" and the
// selection stays. Every node search writes the body back first and shows
// the wait cursor while it runs.
//
// The search dialog offers the 20 most recent words ("Search"/"str1" ...,
// newest first) and the stored choices ("System"/"ISearch",
// "TitleSearch", "TextAreaSearch", "LinkNameSearch"); starting a search
// stores the word and those choices, and a search started from the tree
// pane also "ISearch" and "Title" (the in-titles choice). The search
// starts out with the stored choices and no word.
//
// Nothing here is owned: the document, the body pane's edit control, the
// settings store, the prompt, the dialogs and the host must outlive this
// object. Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

#include "editing/Search.h"

namespace qm {

class CQuillmapDoc;
class SearchDialogs;
class EditControl;
class PaneHost;
class Prompt;
class SettingsStore;

class CSearchCommands {
 public:
  // How many recent words the search dialog offers and keeps.
  static constexpr int kRecentWords = 20;

  CSearchCommands(CQuillmapDoc& doc, EditControl& edit, SettingsStore& settings, Prompt& prompt,
                  SearchDialogs& dialogs, PaneHost& host);
  CSearchCommands(const CSearchCommands&) = delete;
  CSearchCommands& operator=(const CSearchCommands&) = delete;

  // ---- Tree pane ----

  // Asks for the word, then searches from the top node, its title included.
  void TreeFind();
  // Searches on from the selected node: its body, then the following nodes.
  void TreeFindNext();
  // Searches back from the node before the selected one (from the top node
  // when that is selected); a match in a body selects its last occurrence.
  void TreeFindPrevious();
  // Asks for the word (proposing the text selected in the body), lists every
  // matching node and selects the one the user jumps to.
  void SearchList();

  // ---- Body pane ----

  // Asks for the word, then searches on from the caret as BodyFindNext.
  void BodyFind();
  // The next match after the selection in this body, else the first
  // matching node after the selected one.
  void BodyFindNext();
  // The last match before the selection in this body, else the tree pane
  // takes the focus and searches back from the node before.
  void BodyFindPrevious();
  // Selects the first match after the editor's selection and scrolls it
  // into view. Returns false, the editor unchanged, when there is none.
  bool SelectNextMatchInBody();

  const SearchQuery& Query() const { return m_query; }

 private:
  // Shows the search dialog; on start stores the answer as the search.
  // Returns false on cancel.
  bool AskForQuery(QStringView caption, const QString& proposedWord, bool fromTreePane);
  QString ProposedWord() const;
  // The first line of the editor's selection; empty when nothing is selected.
  QString SelectedBodyText() const;
  bool SelectPreviousMatchInBody();
  int Selected() const;
  // Selects the node with its ancestors opened and tells the views.
  void ShowNode(int index);
  // The tree pane's ending of a forward search.
  void ShowTreeMatch(const NodeMatch& match);
  void TellNotFound();

  CQuillmapDoc& m_doc;
  EditControl& m_edit;
  SettingsStore& m_settings;
  Prompt& m_prompt;
  SearchDialogs& m_dialogs;
  PaneHost& m_host;
  SearchQuery m_query;
};

}  // namespace qm
