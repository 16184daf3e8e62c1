// CTimestamps: the timestamp display modes of the tree pane and the
// latest-updated list with its jump.
//
// The display mode (none, updated times, created times) belongs to the
// outline store and is kept as "View"/"Time"; changing it rebuilds the tree
// pane on the same node. The latest-updated list shows the newest nodes in
// the TimestampDialogs port and selects the one the user jumps to.
//
// The document, tree pane, settings store, prompt and dialogs are not owned
// and must outlive this object. Not thread-safe: the user-interface thread
// owns it.
#pragma once

namespace qm {

class CQTreeView;
class CQuillmapDoc;
class TimestampDialogs;
class Prompt;
class SettingsStore;

class CTimestamps {
 public:
  CTimestamps(CQuillmapDoc& doc, CQTreeView& tree, SettingsStore& settings, Prompt& prompt,
              TimestampDialogs& dialogs);
  CTimestamps(const CTimestamps&) = delete;
  CTimestamps& operator=(const CTimestamps&) = delete;

  // The store's mode: CTreeStore::kTimeDisplayNone, ...Updated or ...Created.
  int DisplayMode() const;
  // Writes the body back, sets the mode (one of the three), rebuilds the
  // pane on the node that was selected, stores the mode as "View"/"Time"
  // and tells both panes. Other values change nothing.
  void SetDisplayMode(int mode);

  // Writes the body back and lists the nodes updated last. Without any
  // node that has an update time, says so instead. Jumping to a row
  // selects that node (opening its ancestors) and tells both panes.
  void ShowLatestUpdated();

 private:
  void JumpTo(int index);

  CQuillmapDoc& m_doc;
  CQTreeView& m_tree;
  SettingsStore& m_settings;
  Prompt& m_prompt;
  TimestampDialogs& m_dialogs;
};

}  // namespace qm
