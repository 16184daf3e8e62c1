// KeyCustomisationSession: the behaviour of the key customisation dialog —
// the key list with the chosen modifiers, the command list, the choice of a
// command for a combination, and saving and loading key definition files.
//
// The dialog edits the key binding table in place: a choice takes effect at
// once and stays in force when the dialog is cancelled (only the file is
// left as it was). bindingsChanged runs after every change of the table so
// that the menus can show the new key texts. The table, prompt and file
// dialogs must outlive the session. Not thread-safe.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace qm {

class CKeyBindingTable;
class FileDialogs;
class Prompt;

class KeyCustomisationSession {
 public:
  KeyCustomisationSession(CKeyBindingTable& table, Prompt& prompt, FileDialogs& files,
                          std::function<void()> bindingsChanged);

  // Every key of the key name table, in its order, each shown with the
  // modifiers now chosen ("Shift+Ctrl+F2").
  QStringList KeyListTexts() const;
  // "（なし）" and then every command name, in the command-name table's order.
  static QStringList CommandListTexts();

  // The selected row of the key list (the first at the start).
  int SelectedKey() const { return m_keyRow; }
  // REQUIRES: 0 <= row < KeyListTexts().size().
  void SelectKey(int row);
  bool Ctrl() const { return m_ctrl; }
  bool Shift() const { return m_shift; }
  bool Alt() const { return m_alt; }
  void SetModifiers(bool ctrl, bool shift, bool alt);

  // The command list's row of the selected combination's command: its row
  // in the command-name table plus one, or 0 ("（なし）") when the
  // combination runs nothing or a command the list does not name.
  int CommandRow() const;
  // The user chose a row of the command list for the selected combination
  // (CKeyBindingTable::Choose). Out-of-range rows are ignored.
  void ChooseCommandRow(int row);

  // "保存(&S)": asks for a file and writes the table there; tells the user
  // when that fails.
  void SaveToChosenFile();
  // "読込(&R)": asks for a file and reads the table from it; tells the user
  // when that fails (the bindings then stay as they were).
  void LoadFromChosenFile();
  // "OK": writes the table to its file; tells the user when that fails. The
  // dialog closes either way.
  void Ok();

 private:
  int SelectedKeyCode() const;

  CKeyBindingTable& m_table;
  Prompt& m_prompt;
  FileDialogs& m_files;
  std::function<void()> m_bindingsChanged;
  int m_keyRow = 0;
  bool m_ctrl = false;
  bool m_shift = false;
  bool m_alt = false;
};

}  // namespace qm
