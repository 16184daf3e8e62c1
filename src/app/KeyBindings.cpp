// KeyBindings: the key binding table, its file, and the texts that show it.
#include "app/KeyBindings.h"

#include <QFileInfo>

#include "model/ReadBudget.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/DefaultKeys.h"
#include "res/KeyStrings.h"

namespace qm {
namespace {

bool Matches(const CKeycust& record, int key, int alt, int shift, int ctrl) {
  return record.key == key && record.alt == alt && record.shift == shift && record.ctrl == ctrl;
}

QString WithReason(QStringView message, const QString& reason) {
  return message.toString() + res::kFileReason.arg(reason);
}

}  // namespace

QString KeyName(int code) {
  for (const res::KeyName& entry : res::kKeyNames) {
    if (entry.code == code) return entry.name.toString();
  }
  return {};
}

QString KeyPrefix(int alt, int shift, int ctrl) {
  QString text;
  if (alt != 0) text += res::kKeyAltPrefix;
  if (shift != 0) text += res::kKeyShiftPrefix;
  if (ctrl != 0) text += res::kKeyCtrlPrefix;
  return text;
}

QString KeyText(const CKeycust& record) {
  return KeyPrefix(record.alt, record.shift, record.ctrl) + KeyName(record.key);
}

std::optional<CKeycust> ParseKeyText(QStringView text) {
  CKeycust record;
  // In KeyText's order, so each modifier may appear once and only there.
  for (auto [prefix, flag] :
       {std::pair{res::kKeyAltPrefix, &record.alt}, std::pair{res::kKeyShiftPrefix, &record.shift},
        std::pair{res::kKeyCtrlPrefix, &record.ctrl}}) {
    // "+" names a key too: a prefix is taken only when a name follows it.
    if (text.startsWith(prefix) && text.size() > prefix.size()) {
      *flag = 1;
      text = text.sliced(prefix.size());
    }
  }
  for (const res::KeyName& entry : res::kKeyNames) {
    if (entry.name == text) {
      record.key = entry.code;
      return record;
    }
  }
  return std::nullopt;
}

QString MenuTextWithKey(QStringView itemText, QStringView keyText) {
  const qsizetype tab = itemText.indexOf(u'\t');
  if (keyText.isEmpty()) return (tab < 0 ? itemText : itemText.first(tab)).toString();
  QString text = (tab < 0 ? itemText : itemText.first(tab + 1)).toString();
  if (tab < 0) text += u'\t';
  text += keyText;
  return text;
}

int CommandNameRow(int command) {
  int row = 0;
  for (const res::KeyCommandName& entry : res::kKeyCommandNames) {
    if (entry.command == command) return row;
    ++row;
  }
  return -1;
}

std::optional<std::vector<CKeycust>> DefaultKeyRecords() {
  std::vector<CKeycust> records;
  for (const res::DefaultKey& row : res::kDefaultKeys) {
    std::optional<CKeycust> record = ParseKeyText(row.keyText);
    if (!record) return std::nullopt;
    record->command = row.command;
    records.push_back(*record);
  }
  return records;
}

QString DefaultKeyFilePath(const QString& folder) {
  QString path = folder;
  if (!path.endsWith(u'/')) path += u'/';
  path += res::kDefaultKeyFileName;
  return path;
}

QString KeyFileLoadErrorText(const KeyFileResult& result) {
  switch (result.error) {
    case KeyFileResult::Error::None:
      break;
    case KeyFileResult::Error::File:
      return res::kCannotReadKeyFile.toString() + FailureReason(result.failure);
    case KeyFileResult::Error::Malformed:
      return WithReason(res::kCannotReadKeyFile, res::kKeyFileReasonMalformed.toString());
  }
  return {};
}

QString KeyFileSaveErrorText(const KeyFileResult& result) {
  if (result.Ok()) return {};
  return res::kCannotSaveKeyFile.toString() + FailureReason(result.failure);
}

CKeyBindingTable::CKeyBindingTable(SettingsStore& settings) : m_settings(settings) {}

void CKeyBindingTable::RemoveAt(int index) { m_records.erase(m_records.begin() + index); }

void CKeyBindingTable::SetCommandAt(int index, int command) {
  m_records[static_cast<size_t>(index)].command = command;
}

int CKeyBindingTable::Choose(int key, int alt, int shift, int ctrl, int command) {
  const int index = FindIndex(key, alt, shift, ctrl);
  if (index < 0) {
    if (command != 0) Append(CKeycust{key, alt, ctrl, shift, command});
    return 0;
  }
  const int former = At(index).command;
  if (command == 0) {
    RemoveAt(index);
  } else {
    SetCommandAt(index, command);
  }
  return former;
}

int CKeyBindingTable::LookUp(int key, int alt, int shift, int ctrl) const {
  const int index = FindIndex(key, alt, shift, ctrl);
  return index < 0 ? 0 : At(index).command;
}

int CKeyBindingTable::FindIndex(int key, int alt, int shift, int ctrl, int start) const {
  for (int i = std::max(start, 0); i < Count(); ++i) {
    if (Matches(At(i), key, alt, shift, ctrl)) return i;
  }
  return -1;
}

int CKeyBindingTable::FindByCommand(int command, int start) const {
  for (int i = std::max(start, 0); i < Count(); ++i) {
    if (At(i).command == command) return i;
  }
  return -1;
}

QString CKeyBindingTable::KeyTextFor(int command) const {
  const int index = FindByCommand(command);
  return index < 0 ? QString() : KeyText(At(index));
}

int CKeyBindingTable::CommandFor(const KeyPress& key) const {
  return LookUp(key.code, key.alt ? 1 : 0, key.shift ? 1 : 0, key.ctrl ? 1 : 0);
}

KeyFileResult CKeyBindingTable::Load(const QString& path) {
  KeyFileResult result;
  const ReadResult read = ReadFile(path, kMaxKeyFileBytes);
  if (!read) {
    result.error = KeyFileResult::Error::File;
    result.failure = read.failure;
    return result;
  }
  ReadBudget budget(read.bytes.size());
  std::optional<std::vector<CKeycust>> records = DecodeKeyFile(read.bytes, budget);
  if (!records) {
    result.error = KeyFileResult::Error::Malformed;
    return result;
  }
  m_records = std::move(*records);
  m_path = path;
  Write(m_settings, settings::kKeyFile, m_path);
  return result;
}

KeyFileResult CKeyBindingTable::Save(const QString& path) {
  if (!path.isEmpty()) m_path = path;
  KeyFileResult result;
  const WriteResult written = WriteFileReplacing(m_path, EncodeKeyFile(m_records));
  if (!written) {
    result.error = KeyFileResult::Error::File;
    result.failure = written.failure;
  }
  return result;
}

KeyFileResult CKeyBindingTable::LoadAtStart(const QString& programFolder) {
  const QString fallback = DefaultKeyFilePath(programFolder);
  QString path = Read(m_settings, settings::kKeyFile, fallback);
  if (path.isEmpty() || !QFileInfo::exists(path)) path = fallback;
  m_path = path;
  return Load(path);
}

void CKeyBindingTable::StorePath() const { Write(m_settings, settings::kKeyFile, m_path); }

void EditAreaKeys::Rebuild(const CKeyBindingTable& table) {
  m_records.clear();
  for (const CKeycust& record : table.Records()) {
    if (record.command == kCmdSwitchPanes) m_records.push_back(record);
  }
}

bool EditAreaKeys::Contains(const KeyPress& key) const {
  for (const CKeycust& record : m_records) {
    if (Matches(record, key.code, key.alt ? 1 : 0, key.shift ? 1 : 0, key.ctrl ? 1 : 0)) {
      return true;
    }
  }
  return false;
}

}  // namespace qm
