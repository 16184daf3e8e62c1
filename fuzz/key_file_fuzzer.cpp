// Fuzzes the key definition file reader: any bytes are refused or give
// records within the read budget; what it accepts writes back to the same
// bytes (the long count form of a small count aside), reads back to the same
// records, and behaves as a key table whose lookups take the first match.
#include <cstdint>
#include <cstdlib>

#include "app/KeyBindings.h"
#include "model/ReadBudget.h"
#include "platform/MemorySettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The program reads no larger key file.
  if (size > static_cast<size_t>(qm::kMaxKeyFileBytes)) return 0;
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  qm::ReadBudget budget(bytes.size());
  const std::optional<std::vector<qm::CKeycust>> records = qm::DecodeKeyFile(bytes, budget);
  if (!records) return 0;
  const auto built = static_cast<qsizetype>(records->size()) * qm::kKeycustUnits;
  if (built > qm::ReadBudget::LimitFor(bytes.size())) std::abort();

  const QByteArray written = qm::EncodeKeyFile(*records);
  const bool longSmallCount =
      size >= 2 && data[0] == 0xFF && data[1] == 0xFF && records->size() < 0xFFFF;
  if (!longSmallCount && written != bytes) std::abort();
  qm::ReadBudget again(written.size());
  const auto reread = qm::DecodeKeyFile(written, again);
  if (!reread || *reread != *records || qm::EncodeKeyFile(*reread) != written) std::abort();

  static qm::MemorySettingsStore settings;
  qm::CKeyBindingTable table(settings);
  for (const qm::CKeycust& record : *records) table.Append(record);
  qm::EditAreaKeys editArea;
  editArea.Rebuild(table);
  for (int i = 0; i < table.Count() && i < 64; ++i) {
    const qm::CKeycust& record = table.At(i);
    const int first = table.FindIndex(record.key, record.alt, record.shift, record.ctrl);
    if (first < 0 || first > i) std::abort();
    if (table.LookUp(record.key, record.alt, record.shift, record.ctrl) !=
        table.At(first).command) {
      std::abort();
    }
    if (table.FindByCommand(record.command) > i) std::abort();
    (void)qm::MenuTextWithKey(u"x\ty", qm::KeyText(record));
  }
  return 0;
}
