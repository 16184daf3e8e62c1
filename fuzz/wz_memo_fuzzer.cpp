// Fuzzes the memo reader and writer: any bytes must give a well-formed tree
// within the read budget, what the writer makes of it must read back to the
// same memo text, and an outline file save of it to the same bytes.
#include <cstdint>
#include <cstdlib>

#include "OutlineInvariants.h"
#include "model/WzMemo.h"
#include "platform/CodePage.h"
#include "platform/MemorySettingsStore.h"
#include "support/FakeClock.h"
#include "support/FakeTreeControl.h"

namespace {

const QString kFileName = QStringLiteral("fuzz");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Large inputs only slow the search down; long lines are covered by tests.
  if (size > (1u << 20)) return 0;
  static qm::MemorySettingsStore settings;
  static qm::test::FakeClock clock;
  qm::test::FakeTreeControl pane;
  qm::CTreeStore store(settings, clock);
  store.SetPane(&pane);

  // The first byte also picks the reader's and writer's options, so one
  // corpus covers them.
  const uint8_t options = size > 0 ? data[0] : 0;
  qm::CodePage codePage;
  const QString text = codePage.Decode(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  qm::ReadBudget budget(text.size());
  // A refusal (an outline far larger than the text) leaves nothing to check.
  if (!qm::ReadWzMemoText(text, {kFileName, (options & 1) != 0}, store, &budget)) return 0;
  if (store.FinishLoading(kFileName, &budget) != 0) std::abort();
  qm::fuzz::CheckWellFormed(store);
  qm::fuzz::CheckWithinBudget(store, text.size());
  store.RebuildTree();
  if (pane.ItemCount() != store.GetCount()) std::abort();
  // Dropping the first body line loses text by design; it only has to run.
  (void)qm::WriteWzMemoText(store, {(options & 2) != 0, (options & 4) != 0, true});

  // Read -> write -> read is stable when the reader names the root the way
  // the writer expects: after the file when the root line is left out, by
  // the root line otherwise. Protected periods keep body lines body lines.
  const bool skipRoot = store.GetTitle(0) == kFileName;
  const qm::WzWriteOptions write{skipRoot, true, false};
  const QString first = qm::WriteWzMemoText(store, write);
  qm::CTreeStore again(settings, clock);
  if (!qm::ReadWzMemoText(first, {kFileName, !skipRoot}, again)) return 0;
  if (again.FinishLoading(kFileName) != 0) std::abort();
  if (qm::WriteWzMemoText(again, write) != first) std::abort();

  qm::fuzz::CheckStableSave(store, settings, clock);
  return 0;
}
