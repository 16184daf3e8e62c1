// KeyBindings: the user's key bindings — the key binding table the
// application owns, loaded from and saved to its key definition file, the
// edit-area keys the frame lets through to the body pane, and the texts that
// show a binding (key names, key texts, menu texts).
//
// The table is an ordered list of owned CKeycust records. Later records never
// override earlier ones: every lookup takes the first match, so of two
// records for one combination only the first is ever used. A record whose
// command is 0 binds the key to nothing. There are no built-in bindings; the
// program ships its defaults as a key definition file.
//
// Not thread-safe: the user-interface thread owns the table. The settings
// store must outlive it.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "app/KeyFile.h"
#include "editing/KeyTable.h"
#include "platform/FileIo.h"

namespace qm {

class SettingsStore;

// ---- Texts ----

// The key's name in the key name table ("F2", "A", "PageUp", "NUMPAD0"), or
// empty for a code the table does not name.
QString KeyName(int code);

// The modifier words of a combination: "Alt+", "Shift+", "Ctrl+" in this
// order, each where its flag is non-zero.
QString KeyPrefix(int alt, int shift, int ctrl);

// The display text of a record's key combination: KeyPrefix and KeyName
// ("Alt+Shift+Ctrl+F2"). A code without a name shows its prefix alone.
QString KeyText(const CKeycust& record);

// The combination a key text names (command 0): the inverse of KeyText for
// every key in the key name table. nullopt for a text that names no key,
// repeats a modifier or puts them out of order.
std::optional<CKeycust> ParseKeyText(QStringView text);

// A menu item's text showing keyText: with an empty keyText the text before
// the first tab; otherwise the text up to and including its first tab (a tab
// is appended when there is none) followed by keyText.
QString MenuTextWithKey(QStringView itemText, QStringView keyText);

// The row of command in res::kKeyCommandNames, or -1 when no row names it.
// The dialog's command list shows the row one below it, after "（なし）".
int CommandNameRow(int command);

// ---- Files ----

// The bindings the program ships (res::kDefaultKeys), in row order; nullopt
// when a row's key text names no key.
std::optional<std::vector<CKeycust>> DefaultKeyRecords();

// The key definition file in folder: folder, a "/" unless it ends in one,
// and "quillmap.key".
QString DefaultKeyFilePath(const QString& folder);

// How a load or save went.
struct KeyFileResult {
  enum class Error { None, File, Malformed };
  Error error = Error::None;
  FileFailure failure;  // why the file could not be read or written (Error::File)

  bool Ok() const { return error == Error::None; }
  explicit operator bool() const { return Ok(); }
};

// The message for a failed load: "読み込めません" and the reason. Empty for success.
QString KeyFileLoadErrorText(const KeyFileResult& result);
// The message for a failed save: "保存できません" and the reason. Empty for success.
QString KeyFileSaveErrorText(const KeyFileResult& result);

// ---- The table ----

class CKeyBindingTable final : public KeyTable {
 public:
  explicit CKeyBindingTable(SettingsStore& settings);

  const std::vector<CKeycust>& Records() const { return m_records; }
  int Count() const { return static_cast<int>(m_records.size()); }
  // REQUIRES: 0 <= index < Count().
  const CKeycust& At(int index) const { return m_records[static_cast<size_t>(index)]; }

  void Append(const CKeycust& record) { m_records.push_back(record); }
  // REQUIRES: 0 <= index < Count().
  void RemoveAt(int index);
  // REQUIRES: 0 <= index < Count().
  void SetCommandAt(int index, int command);
  void Clear() { m_records.clear(); }

  // The customisation dialog's choice of a command for a combination. When
  // the combination has a record (the first one for it), command 0 removes
  // that record and any other command replaces its command; when it has
  // none, a command other than 0 appends a record and 0 changes nothing.
  // Returns the command the combination ran before, or 0: the menu item
  // whose key text may have to change.
  int Choose(int key, int alt, int shift, int ctrl, int command);

  // The command of the first record whose key code and flags all equal
  // these, or 0 when none does.
  int LookUp(int key, int alt, int shift, int ctrl) const;
  // The index of the first such record at or after start, or -1.
  int FindIndex(int key, int alt, int shift, int ctrl, int start = 0) const;
  // The index of the first record with command at or after start, or -1.
  int FindByCommand(int command, int start = 0) const;
  // The key text of the first record with command, or empty when the command
  // has none: what the command's menu item shows after a tab.
  QString KeyTextFor(int command) const;

  // KeyTable: LookUp with the press's flags as 0 or 1.
  int CommandFor(const KeyPress& key) const override;

  // The key definition file that Save without a path writes.
  const QString& Path() const { return m_path; }
  void SetPath(const QString& path) { m_path = path; }

  // Reads the key definition file at path. On success the records are the
  // file's, the table's path is path, and path is written to
  // "System"/"Keycust". On failure (the file cannot be read, is over
  // kMaxKeyFileBytes, or is not a key definition file) nothing changes: not
  // the records, nor the path, so that a later save does not write the
  // bindings over a file that could not be read.
  KeyFileResult Load(const QString& path);
  // Writes the records to path (the table's path becomes path) or, with an
  // empty path, to the table's path. The file is replaced only once the new
  // one is complete. On failure the old file is untouched.
  KeyFileResult Save(const QString& path = {});

  // Start-up: the path is "System"/"Keycust", with the key definition file
  // of programFolder as its default and in its place when no file exists
  // there; the table takes that path and loads it. A failed load leaves the
  // table empty, with that path, so that saving creates the file there.
  KeyFileResult LoadAtStart(const QString& programFolder);
  // Writes the table's path to "System"/"Keycust"; the program is closing.
  void StorePath() const;

 private:
  SettingsStore& m_settings;
  std::vector<CKeycust> m_records;
  QString m_path;
};

// The edit-area keys: the main table's records whose command is the pane
// switch (kCmdSwitchPanes). From the body pane the frame takes only these
// combinations before the pane sees them (and then runs what the main
// table binds them to first). Holds copies, so a table that changes or
// reloads meanwhile never leaves it pointing at records that are gone;
// Rebuild after every change the dialog may have made.
class EditAreaKeys {
 public:
  void Rebuild(const CKeyBindingTable& table);
  void Clear() { m_records.clear(); }
  int Count() const { return static_cast<int>(m_records.size()); }
  bool Contains(const KeyPress& key) const;

 private:
  std::vector<CKeycust> m_records;
};

}  // namespace qm
