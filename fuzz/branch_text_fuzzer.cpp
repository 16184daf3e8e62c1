// Fuzzes branch text insertion, the text that arrives from the clipboard:
// any text must leave a well-formed tree, insert no more than the read
// budget allows, save and read back to the same bytes, and a branch copied
// out of the result must paste into another outline unchanged.
#include <cstdint>
#include <cstdlib>

#include "OutlineInvariants.h"
#include "platform/MemorySettingsStore.h"
#include "support/FakeClock.h"
#include "support/FakeTreeControl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (1u << 18)) return 0;  // big inputs only slow the search
  static qm::MemorySettingsStore settings;
  static qm::test::FakeClock clock;
  qm::test::FakeTreeControl pane;
  qm::CTreeStore store(settings, clock);
  store.SetPane(&pane);
  store.AddRoot(QStringLiteral("R"));
  store.InsertChild(0, QStringLiteral("A"), {}, {}, 0, 0);
  store.InsertChild(1, QStringLiteral("A1"), {}, {}, 0, 0);
  store.InsertChild(0, QStringLiteral("B"), {}, {}, 0, 0);
  // A long title, so that records re-placed under it weigh on the budget.
  if (data[0] & 0x20) store.Rename(1, QString(4096, u'a'));
  store.RebuildTree();

  // First byte: anchor node and before/after; the rest is UTF-16 text.
  const int anchor = data[0] % store.GetCount();
  const bool after = data[0] & 0x10;
  const QString text =
      QString(reinterpret_cast<const QChar*>(data + 1), static_cast<qsizetype>((size - 1) / 2));
  const qsizetype before = qm::ReadBudget::OutlineSize(store);
  store.InsertBranchText(anchor, text, after);
  qm::fuzz::CheckWellFormed(store);
  if (pane.ItemCount() != store.GetCount()) std::abort();
  const qsizetype inserted = qm::ReadBudget::OutlineSize(store) - before;
  if (inserted > qm::ReadBudget::LimitFor(text.size())) std::abort();
  qm::fuzz::CheckStableSave(store, settings, clock);

  // Copy the whole outline below the root and paste it into a fresh one.
  const QString copied = store.GetChildrenText(0, true);
  qm::CTreeStore other(settings, clock);
  other.AddRoot(QStringLiteral("R"));
  if (!copied.isEmpty()) {
    other.InsertChild(0, QStringLiteral("X"), {}, {}, 0, 0);
    other.InsertBranchText(1, copied, false);
    other.DeleteBranch(other.GetCount() - 1);
    if (other.GetChildrenText(0, true) != copied) std::abort();
  }
  return 0;
}
