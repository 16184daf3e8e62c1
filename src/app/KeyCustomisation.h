// CKeyCustomisation: the user's key bindings in the running program — the
// key binding table and the edit-area keys, loaded at start and kept at
// exit, the frame's first look at every key press, the key customisation
// command, and the key texts the menus show.
//
// A key press meets three stages in turn. The frame comes first: from the
// tree pane it takes every bound combination, from the body pane only the
// edit-area keys (bindings of the pane switch), so that letters bound to
// other commands are still typed as text; a binding to command 0 passes on.
// The panes' own rules follow (CQTreeView::OnKey, CQEditView::OnKeyDown).
//
// Settings store, prompt and dialogs must outlive the object. Not
// thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/KeyBindings.h"
#include "app/Pane.h"

namespace qm {

class CommandTarget;
class FileDialogs;
class KeyCustomisationDialogs;
class Prompt;
class SettingsStore;

class CKeyCustomisation {
 public:
  CKeyCustomisation(SettingsStore& settings, Prompt& prompt, FileDialogs& files,
                    KeyCustomisationDialogs& dialogs);
  ~CKeyCustomisation();
  CKeyCustomisation(const CKeyCustomisation&) = delete;
  CKeyCustomisation& operator=(const CKeyCustomisation&) = delete;

  CKeyBindingTable& Table() { return m_table; }
  const CKeyBindingTable& Table() const { return m_table; }

  // Runs after every change of the bindings (the menus show key texts).
  void SetBindingsSink(std::function<void()> sink) { m_bindingsChanged = std::move(sink); }

  // Start-up: loads the key definition file (System/Keycust, else the one
  // in programFolder) and builds the edit-area keys. A file that is not
  // there leaves the table empty without a word; one that is there but
  // cannot be used is named to the user, and the table stays empty too.
  KeyFileResult Start(const QString& programFolder);
  // The program is closing: keeps the table's path in System/Keycust.
  void Exit();
  // Call after any change to the table made past this object.
  void BindingsChanged();

  // The frame's stage: the command a key press in the focused pane runs
  // before the pane sees it, or 0 to let the pane have the key.
  int FrameCommandFor(Pane focused, const KeyPress& key) const;

  // The key text a menu item of command shows after a tab: the first
  // binding's, or empty. The find-next item also shows the key of the
  // repeat-find command, which runs find next.
  QString MenuKeyTextFor(int command) const;

  // The key customisation dialog; the edit-area keys and the menus follow
  // whatever it changed, whichever way it closed.
  void Customise();
  // The command target of the key customisation command.
  std::unique_ptr<CommandTarget> MakeCommands();

 private:
  Prompt& m_prompt;
  FileDialogs& m_files;
  KeyCustomisationDialogs& m_dialogs;
  CKeyBindingTable m_table;
  EditAreaKeys m_editArea;
  std::function<void()> m_bindingsChanged;
};

}  // namespace qm
