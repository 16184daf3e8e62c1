// CQTreeView: the tree pane's behaviour — the structural commands (add, edit,
// delete, move, change level, undo), label editing, reload, the pane switch,
// and what the pane does when the user selects, opens, taps or types.
//
// The pane works on the outline only through the document (CQuillmapDoc) and
// its store; the store keeps the tree control's items in step, so the pane
// never touches items itself. The Qt tree widget forwards its notifications
// to the On... methods; the command router calls the command methods and
// asks the Can... / Is... update rules. A command acts on the selected node
// and does nothing when none is selected.
//
// The pane registers itself with the document for its lifetime. The
// document, settings store, clock, prompt, dialogs, host and key table are
// not owned and must outlive the pane. Not thread-safe: the user-interface
// thread owns it.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "editing/DocumentView.h"
#include "editing/KeyTable.h"
#include "editing/NodeEdit.h"
#include "platform/TreeControl.h"

namespace qm {

class CQuillmapDoc;
class CTreeStore;
class Clock;
class NodeEditDialogs;
class LinkFileActions;
class PaneHost;
class Prompt;
class SettingsStore;
struct IntSetting;

class CQTreeView : public DocumentView {
 public:
  // Called whenever the list behind the marks menu may have changed.
  using MarksMenuRebuild = std::function<void()>;

  CQTreeView(CQuillmapDoc& doc, SettingsStore& settings, const Clock& clock, Prompt& prompt,
             NodeEditDialogs& dialogs, PaneHost& host, const KeyTable& keys);
  ~CQTreeView() override;

  void SetMarksMenuRebuild(MarksMenuRebuild rebuild) { m_rebuildMarksMenu = std::move(rebuild); }

  // Link files: makes the node edit dialog's link buttons for a node (-1
  // while adding one). Without it the buttons stay disabled.
  using LinkActionsFactory = std::function<std::unique_ptr<LinkFileActions>(int node)>;
  void SetLinkActionsFactory(LinkActionsFactory factory) { m_linkActionsFor = std::move(factory); }
  // The node edit dialog's date button. Without it the button stays disabled.
  void SetTitleDating(TitleDating dating) { m_titleDating = std::move(dating); }

  // ---- Commands. Undoable ones take the document's snapshot just before
  // they change the outline. ----

  // Asks for a title (unless "System"/"bAddNoTitle") and adds a last child.
  // The new node is selected when "View"/"AddMove" (default 1) is on.
  void AddChild();
  // As AddChild, but after the selected node's branch on its level, and the
  // new node is always selected. Nothing happens on the top node.
  void AddSibling();
  void EditNode();
  // Asks first; the top node cannot be deleted. The node that followed the
  // branch, or the last node, is selected afterwards.
  void DeleteBranch();
  void MoveUp();
  void MoveDown();
  void LevelUp();
  void LevelDown();
  // Puts the snapshot back. The router sends it here only while the tree
  // pane has the focus; otherwise the body pane undoes its own typing.
  void Undo();
  void Reload();
  // Starts editing the selected node's label in place; OnLabelEdited gets
  // the result.
  void EditLabel();
  // Switches the frame to the text-only layout.
  void ShowTextOnly();
  void QuitWithConfirmation();
  // Closes the main window the usual way, which asks to save changes.
  void Quit();
  void SwitchPanes();
  void ToggleChapterCharacters();
  // Until the next InitialLoad the pane ignores the control's reports: the
  // outline behind its items is being replaced.
  void Unload() { m_ready = false; }
  // After Unload, when the outline was not replaced after all: the pane's
  // items are still the outline's, so it takes the control's reports again.
  void Resume() { m_ready = true; }
  // Builds the pane from the store and selects the node saved with the file
  // ("System"/"AutoFirst", default 1) or the top node. Run when the pane is
  // first shown and after every reload.
  void InitialLoad();

  // ---- Update rules. ----

  bool CanMoveUp() const;
  bool CanMoveDown() const;
  bool CanLevelUp() const;
  bool CanLevelDown() const;
  bool CanUndo() const;
  bool IsChapterCharactersShown() const;
  bool HasSelection() const { return Current() >= 0; }

  // ---- Notifications from the tree control. Items are the control's
  // handles; an item no node owns is ignored. ----

  void OnSelectionChanging(TreeItem oldItem);
  void OnSelectionChanged(TreeItem newItem);
  void OnItemExpanded(TreeItem item, bool expanded);
  // Returns true when the tap was used and the control must not open or
  // close the item.
  bool OnDoubleTap();
  // A key-down (or, with alt, system-key-down) before the control sees it.
  // Returns true when the key is used up.
  bool OnKey(const KeyPress& key);
  // In-place editing of the selected node's label ended with text (not
  // called on cancel). The control must not keep its edited text: the store
  // sets the item's label itself.
  void OnLabelEdited(const QString& text);

  // The store already keeps the items in step, so there is nothing to redo.
  void OnUpdate(const DocumentView* sender, int hint) override;

  bool IsReady() const { return m_ready; }

  // For commands kept in other files (clipboard, split and merge).
  // Tells whoever shows the marks menu that the marked nodes may have changed.
  void RebuildMarksMenu();
  // While on, the selection changes the control reports are ignored: the
  // command that deletes and re-inserts items sets the current node itself.
  void SetRebuildingItems(bool on) { m_rebuildingItems = on; }
  // ---- Timestamps and categories ----

  // Rebuilds the pane from the store and makes index the selected and
  // current node again (-1: none), ignoring the control's reports while
  // its items are replaced. The caller tells the views what changed.
  void RebuildAndSelect(int index);

 private:
  CTreeStore& Store();
  const CTreeStore& Store() const;
  int Current() const;
  int ReadSetting(const IntSetting& setting) const;
  bool FirstLineIsTitle() const;

  void AddNode(bool sibling);
  void ChangeLevel(bool up);
  // Selects index and makes the document and the body pane follow, after
  // the pane has rebuilt items itself.
  void ShowNode(int index);
  // The title left when the label's decorations are taken off, or nothing
  // when the edit must be ignored.
  std::optional<QString> TitleFromLabel(int index, const QString& label) const;
  // Puts node index's title in place of its body's first line.
  void TitleToFirstBodyLine(int index);
  void Tell(QStringView text);

  CQuillmapDoc& m_doc;
  SettingsStore& m_settings;
  const Clock& m_clock;
  Prompt& m_prompt;
  NodeEditDialogs& m_dialogs;
  PaneHost& m_host;
  const KeyTable& m_keys;
  MarksMenuRebuild m_rebuildMarksMenu;
  LinkActionsFactory m_linkActionsFor;
  TitleDating m_titleDating;

  bool m_ready = false;
  // True while a command deletes and re-inserts items itself: the selection
  // changes the control reports then are echoes of that work, and writing
  // the body back or following them would hit the wrong node.
  bool m_rebuildingItems = false;
};

}  // namespace qm
