// MarkCommands: the tree pane's commands on a node's check, strike-through
// and mark, visiting marked nodes, and the marks list behind the marks menu.
//
// Every command acts on the selected node and does nothing when none is
// selected, except going to a marks list entry. Each first writes the body
// pane's text back; the four that change flags or marks take the
// document's undo snapshot before the change and set its modified flag.
//
// The marks list holds the nodes whose mark is exactly 1 and that the tree
// pane shows (the check filter may leave some out, and those cannot be
// selected), in outline order. An entry remembers its node itself, so
// inserts, moves and renames since the list was made still lead to the
// right node, even among siblings of the same title; only when that node is
// gone does the entry fall back to the first node with its path.
//
// The document and the prompt are not owned and must outlive this object.
// Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace qm {

class CQuillmapDoc;
class CTreeStore;
class Prompt;

class MarkCommands {
 public:
  // Receives the marks list's labels in list order whenever it is rebuilt.
  using LabelsSink = std::function<void(const QStringList& labels)>;

  MarkCommands(CQuillmapDoc& doc, Prompt& prompt);
  MarkCommands(const MarkCommands&) = delete;
  MarkCommands& operator=(const MarkCommands&) = delete;

  void SetLabelsSink(LabelsSink sink) { m_sink = std::move(sink); }

  // Flips the check (strike-through); a node with children asks whether its
  // whole branch should follow.
  void ToggleCheck();
  void ToggleStrike();
  // Marks an unmarked node and unmarks a node marked 1; other mark values
  // are left as they are.
  void ToggleMark();
  // Asks first; then the selected node and its whole branch lose their marks.
  void ClearMarksInBranch();
  // Selects the next (previous) node with any mark, wrapping around; the top
  // node never counts. With none, says so and keeps the selection.
  void NextMark();
  void PreviousMark();
  // Selects the node of entry k (from 0) and shows it; nothing when there is
  // no such entry or its node is gone.
  void GoToMarkEntry(int k);

  // Makes the list anew from the outline and hands the labels to the sink.
  void RebuildMarksMenu();
  int MarkEntryCount() const { return static_cast<int>(m_entries.size()); }
  QStringList MarkLabels() const;
  bool HasSelection() const;

 private:
  // For a node with children, asks whether its branch should follow.
  bool AskWholeBranch(int i);

  struct Entry {
    quintptr node;  // the node's address: compared, never followed
    QString path;
    QString label;
  };

  CTreeStore& Store();
  const CTreeStore& Store() const;
  // The first node from `from` towards `to` (exclusive), one step at a
  // time, that has a mark and is in the pane; -1 when none.
  int FindMark(int from, int to, int step) const;
  int FindEntry(const Entry& entry) const;
  // Selects i, opens its ancestors, and makes the document and views follow.
  void GoTo(int i, int hint);

  CQuillmapDoc& m_doc;
  Prompt& m_prompt;
  LabelsSink m_sink;
  std::vector<Entry> m_entries;
};

}  // namespace qm
