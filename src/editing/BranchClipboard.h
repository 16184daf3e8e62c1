// CBranchClipboard: the tree pane's copy, cut and paste of whole branches
// through the system clipboard, and the paste of any other text as nodes.
//
// Branches travel as branch text (the store's record form, recognised by
// its record end U+0007); copy leaves the times out, so pasted copies are
// new nodes, while cut takes them along, so a moved branch keeps them.
// Any other clipboard text is pasted as plain text in one of four ways the
// user picks. Paste goes below the selected node (as its last children) or
// on its level after its branch, as "System"/"PasteLevel" says or the user
// chooses.
//
// Plain text, one node per line: leading tabs give each line its depth
// below the first level of the paste (the target's children below, the
// target's own level otherwise), but a node never goes deeper than one
// level below the node before it, so a paste never skips a level. On the
// same level, the first lines may therefore become the last children of
// the target (or of its last descendants) when they start with tabs, just
// as lowering them one level at a time would. The top node has no level of
// its own to paste on: there, "same level" pastes below it.
//
// Commands act on the tree pane's selected node. The document, tree pane,
// clipboard and the other ports are not owned and must outlive this
// object. Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>

namespace qm {

class CQTreeView;
class CQuillmapDoc;
class Clipboard;
class PasteDialogs;
class PaneHost;
class Prompt;
class SettingsStore;

class CBranchClipboard {
 public:
  static constexpr int kPasteBelow = 0;
  static constexpr int kPasteSameLevel = 1;

  static constexpr int kTextNodePerLine = 0;
  static constexpr int kTextTitleAndRest = 1;
  static constexpr int kTextTitleAndAll = 2;
  static constexpr int kTextOneNode = 3;

  CBranchClipboard(CQuillmapDoc& doc, CQTreeView& tree, Clipboard& clipboard,
                   SettingsStore& settings, Prompt& prompt, PasteDialogs& dialogs, PaneHost& host);
  CBranchClipboard(const CBranchClipboard&) = delete;
  CBranchClipboard& operator=(const CBranchClipboard&) = delete;

  // Puts the selected node's branch on the clipboard without times. Does
  // nothing without a selected node.
  void Copy();
  // Puts the branch on the clipboard with its times, then deletes it as the
  // tree pane's Delete does (asking first; the top node stays). The branch
  // stays on the clipboard when the delete is refused or cancelled.
  void Cut();
  // Pastes the clipboard's text at the selected node; tells the user when
  // nothing is selected. Cancel in a dialog, or a clipboard without text,
  // changes nothing. Undo goes back to the outline before the paste.
  void Paste();

 private:
  void PasteBranchText(int target, int level, const QString& text);
  // Returns false when the user cancelled.
  bool PastePlainText(int target, int level, const QString& text);
  // Where new nodes of a paste on level go, and the level of the first.
  int FirstLevelOf(int target, int level) const;
  void Finish(int target);

  CQuillmapDoc& m_doc;
  CQTreeView& m_tree;
  Clipboard& m_clipboard;
  SettingsStore& m_settings;
  Prompt& m_prompt;
  PasteDialogs& m_dialogs;
  PaneHost& m_host;
};

}  // namespace qm
