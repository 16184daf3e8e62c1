// Fuzzes the outline file reader: any bytes must load into a well-formed
// tree within the read budget (or be refused as too large), reading the
// bytes a line at a time must give what reading their decoded text gives,
// and a save of what was loaded must read back to the same bytes.
#include <cstdint>
#include <cstdlib>

#include "OutlineInvariants.h"
#include "model/OutlineFile.h"
#include "platform/CodePage.h"
#include "platform/MemorySettingsStore.h"
#include "support/FakeClock.h"
#include "support/FakeTreeControl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Large inputs only slow the search down; long lines are covered by tests.
  if (size > (1u << 20)) return 0;
  static qm::MemorySettingsStore settings;
  static qm::test::FakeClock clock;
  qm::test::FakeTreeControl pane;
  qm::CTreeStore store(settings, clock);
  store.SetPane(&pane);

  qm::CodePage codePage;
  const QString text = codePage.Decode(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  qm::ReadBudget budget(text.size());
  qm::FileReport report;
  // A refusal (an outline far larger than the text) leaves nothing to check.
  if (!qm::ReadOutlineText(text, store, &budget, &report)) return 0;
  if (store.FinishLoading(QStringLiteral("fuzz.qmp"), &budget) < 0) return 0;
  qm::fuzz::CheckWellFormed(store);
  qm::fuzz::CheckWithinBudget(store, text.size());

  {
    qm::CTreeStore fromBytes(settings, clock);
    qm::ReadBudget bytesBudget(text.size());
    qm::FileReport bytesReport;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!qm::ReadOutlineFile(bytes, fromBytes, bytesBudget, bytesReport)) std::abort();
    if (fromBytes.FinishLoading(QStringLiteral("fuzz.qmp"), &bytesBudget) < 0) std::abort();
    if (qm::fuzz::SavedOutline(fromBytes) != qm::fuzz::SavedOutline(store)) std::abort();
    if (bytesReport.unreadLines != report.unreadLines ||
        bytesReport.linesUnread != report.linesUnread ||
        bytesReport.charactersDropped != report.charactersDropped ||
        bytesReport.settingsUnclosed != report.settingsUnclosed ||
        bytesReport.bodyUnclosed != report.bodyUnclosed)
      std::abort();
  }

  // The first input byte also picks display options, so one corpus covers them.
  const uint8_t options = size > 0 ? data[0] : 0;
  store.SetShowsChapters(options & 1);
  store.SetTimeDisplay(options >> 1 & 3);
  store.RebuildTree();
  if (pane.ItemCount() != store.GetCount()) std::abort();

  qm::fuzz::CheckStableSave(store, settings, clock);
  return 0;
}
