// BranchVisibility: opening and closing the selected node's branch in the
// tree pane, and the check filter that decides which nodes the pane holds.
//
// The branch commands act on the selected node and do nothing when none is
// selected; they change only the nodes' expanded records and the pane, so
// they take no undo snapshot. Choosing a check filter (CTreeStore's
// kCheckFilter... values) builds the pane anew under it, also when it is the
// filter in use, which brings the view up to date with checks changed
// since; the selection stays on its node when the node is still in the
// pane, else moves to its nearest ancestor that is. The filter is a way of
// viewing the outline: the document keeps every node and is not modified.
//
// The document and the mark commands (whose list follows what the pane
// holds) are not owned and must outlive this object. Not thread-safe: the
// user-interface thread owns it.
#pragma once

namespace qm {

class CQuillmapDoc;
class MarkCommands;

class BranchVisibility {
 public:
  BranchVisibility(CQuillmapDoc& doc, MarkCommands& marks);
  BranchVisibility(const BranchVisibility&) = delete;
  BranchVisibility& operator=(const BranchVisibility&) = delete;

  // Opens the node: its direct children show.
  void ShowChildren();
  // Opens the node's whole branch.
  void ShowWholeBranch();
  // Closes the node's whole branch.
  void HideBranch();
  void SetCheckFilter(int filter);

  int CheckFilter() const;
  bool HasSelection() const;

 private:
  // Writes the body back and returns the selected node, or -1.
  int BeginCommand();

  CQuillmapDoc& m_doc;
  MarkCommands& m_marks;
};

}  // namespace qm
