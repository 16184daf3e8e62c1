// CSplitMerge: the body pane's split and merge — turning the selected part
// of the current node's body into a node of its own, and pouring the next
// node into the current one.
//
// Split takes the body pane's selection: its first non-empty line is the
// proposed title, the selection leaves the current body and becomes the
// new node's body, and the new node is added as the current node's last
// child or, with "System"/"SplitSameLevel", after its branch (the top node
// has no level of its own to share, so it always gets a child). With
// "System"/"SplitMove" the new node is selected afterwards; otherwise the
// node that was split stays current, with the caret where the split-off
// text was and the scroll position it had. "System"/"SplitDell" drops the
// split-off text's lines up to and including the title's line from the new
// body.
//
// Merge appends the next node's title and body to the current body and
// removes the next node. When that node has children they survive: the
// next node takes the current node's place, title and link file, and the
// children of both follow in order under it. On the top node the top node
// stays and the children of the merged node move up to it. On the last
// node merge does nothing.
//
// Both are undoable in one step. The document, tree pane, edit control and
// ports are not owned and must outlive this object. Not thread-safe: the
// user-interface thread owns it.
#pragma once

#include <QString>
#include <optional>

#include "editing/SplitDialogs.h"

namespace qm {

class CQTreeView;
class CQuillmapDoc;
class EditControl;
class PaneHost;
class SettingsStore;

// The rule the split dialog applies on OK: the message to show while the
// dialog stays open, or nothing when the answer may be accepted. A title
// made only of characters that titles cannot hold counts as empty.
std::optional<QString> ValidateSplit(const SplitAnswer& answer);

class CSplitMerge {
 public:
  CSplitMerge(CQuillmapDoc& doc, CQTreeView& tree, EditControl& edit, SettingsStore& settings,
              SplitDialogs& dialogs, PaneHost& host);
  CSplitMerge(const CSplitMerge&) = delete;
  CSplitMerge& operator=(const CSplitMerge&) = delete;

  // Splits the selected text off into a new node, asking for its title and
  // the options first unless "System"/"SplitDlg" is 0. Returns true when a
  // node was added; cancel, or no title, returns false with nothing changed.
  bool Split();
  // Selects from the start of the selection to the end of the text, then Split.
  bool SplitBelowCaret();
  // Merges the next node into the current one. Returns false, with nothing
  // changed, when the current node is the last one.
  bool Merge();
  // Merge's update rule: there is a current node and a node after it.
  bool CanMerge() const;

 private:
  bool SplitSelection(int firstVisibleLine);
  // Selects node index in the tree; the document and the body pane follow.
  void Follow(int index);
  // Rearranges the outline so that the next node is gone and its children
  // hang under the merged node. Returns the merged node's index, or -1 when
  // the tree control refused a level change (the outline is then restored).
  int MergeStructure(int current);

  CQuillmapDoc& m_doc;
  CQTreeView& m_tree;
  EditControl& m_edit;
  SettingsStore& m_settings;
  SplitDialogs& m_dialogs;
  PaneHost& m_host;
};

}  // namespace qm
