// CQEditView: the body pane's behaviour — the editor that always shows the
// body of the document's current node.
//
// The pane loads the current node's body on every view update, hands what
// the user typed to the document only when the document asks (write-back),
// keeps the node's title in step with the body's first line while the
// document's first-line-is-title option is on, indents new lines, inserts
// text files, saves its text to a file, and passes bound keys on to the main
// frame. It registers itself with the document on construction and leaves
// on destruction. Nothing here is owned: the document, the edit control,
// the settings store, the prompt, the dialogs, the host and the key table
// must outlive the pane.
//
// The window's editor widget forwards its events here:
// - every text change to OnTextChanged;
// - every key press first to OnKeyDown; when that returns true the key and
//   its character are gone. Otherwise Enter (with or without Shift) goes to
//   OnEnter, the widget never breaking a line itself, and any other key is
//   handled by the widget, which then calls OnKeyHandled;
// - focus changes to OnFocusGained and OnFocusLost.
// Commands reach the pane as plain method calls made by the application's
// command routing. Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>

#include "editing/DocumentView.h"
#include "editing/KeyTable.h"

namespace qm {

class CQuillmapDoc;
class FileDialogs;
class EditControl;
class PaneHost;
class Prompt;
class SettingsStore;

// The pane's colours ("Edit"/"TextColor", "Edit"/"BackColor"), 0x00BBGGRR.
struct BodyPaneColours {
  int text = 0x000000;
  int back = 0xFFFFFF;
};

class CQEditView : public DocumentView, public BodyViewRole {
 public:
  // Longest title the first body line may give a node, in UTF-16 units.
  static constexpr int kMaxTitleLength = 255;

  CQEditView(CQuillmapDoc& doc, EditControl& edit, SettingsStore& settings, Prompt& prompt,
             FileDialogs& dialogs, PaneHost& host, const KeyTable& keys);
  ~CQEditView() override;

  // ---- Life cycle ----

  // When the pane is first shown: applies margins, tab stops and wrapping
  // from the settings, loads the current node's body and, when the user
  // wants it ("System"/"AutoFirst" and "System"/"FirstCursor"), puts the
  // caret where the file last had it. Until this has run the pane ignores
  // view updates and answers for the stored body instead of its editor.
  void InitialLoad();
  // Reloads the current node's body with the caret at the start, unless
  // sender is this pane or the pane has not been loaded yet.
  void OnUpdate(const DocumentView* sender, int hint) override;
  BodyViewRole* BodyRole() override { return this; }
  BodyPaneColours Colours() const;

  // ---- For the document ----

  QString BodyText() const override;
  int CaretPosition() const override;
  // With the option on, renames the current node after the first line of
  // the editor (at most kMaxTitleLength units; an empty line gives
  // "(無題)") when that differs from its title. The editor's text, caret,
  // selection, scroll position and modified flag stay as they are.
  void ApplyFirstLineTitle() override;

  // ---- Editor events ----

  // A change that the user made marks the document modified at once; the
  // pane's own loading does not.
  void OnTextChanged();
  // Breaks the line at the selection. With "View"/"AutoIndent" the new line
  // starts with the blanks, tabs and ideographic spaces that begin the old
  // one, up to the caret, copied one for one.
  void OnEnter();
  // Returns true when the key was turned into a command (or a pane switch)
  // and must not reach the editor.
  bool OnKeyDown(const KeyPress& key);
  // key: the virtual-key code the editor has just handled.
  void OnKeyHandled(int key);
  void OnFocusGained();
  void OnFocusLost();

  // ---- Commands ----

  // Writes the body back, then leaves for the tree pane: in text-only
  // layout by switching the frame to tree only, otherwise by focusing it.
  void SwitchPanes();
  // Switches the frame to the tree-only layout.
  void ShowTreeOnly();
  // Gives the editor the focus.
  void Focus();
  bool CanUndo() const;
  void Undo();
  // Asks for a text file and puts its lines, each ended with CR LF, in
  // place of the selection. On failure to read it says so and returns
  // false with the editor unchanged; cancel returns false.
  bool InsertFile();
  // Asks for a file name (proposed from the node's title) and writes the
  // editor's text there in the code page, replacing any old file only once
  // the new one is complete. Characters the code page cannot hold are
  // written as "?" only after the user agreed. On success returns true;
  // cancel, a refused loss or a failed write (which the user is told about)
  // return false.
  bool SaveTextArea();
  // Switches the document's first-line-is-title option. On: every body
  // whose first line is not its node's title gets the title as a new first
  // line. Off: after the user agrees, every first line that equals its
  // node's title is removed. Either way the document is modified (the
  // option travels with the file) and the pane shows the rewritten body.
  // Nothing happens when the option already has that value.
  void SetFirstLineIsTitle(bool on);

 private:
  bool FirstLineIsTitle() const;
  bool InReadingMode() const;
  // The line where the selection starts: the line that typing changes.
  int CaretLine() const;
  void LoadBody();
  void ShowBodyFromStart();
  // Sends the key's bound command to the main frame; false when unbound.
  bool SendBoundCommand(const KeyPress& key);
  void Tell(const QString& text, bool error);

  CQuillmapDoc& m_doc;
  EditControl& m_edit;
  SettingsStore& m_settings;
  Prompt& m_prompt;
  FileDialogs& m_dialogs;
  PaneHost& m_host;
  const KeyTable& m_keys;

  bool m_initialised = false;
  bool m_loading = false;
  // True once a key left the caret on line 0: leaving the line renames the node.
  bool m_onFirstLine = false;
};

}  // namespace qm
