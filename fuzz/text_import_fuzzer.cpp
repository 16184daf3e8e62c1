// Fuzzes the plain-text import: any bytes must give a well-formed tree
// within the read budget whose nodes follow the order of their lines, or be
// refused as too large; a save of what was loaded must read back to the
// same bytes.
#include <cstdint>
#include <cstdlib>

#include "OutlineInvariants.h"
#include "model/TextImport.h"
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

  // The first byte also picks the chain-number separator, so one corpus
  // covers the usual one, none, and longer or double-byte ones.
  static const QString kSeparators[] = {QStringLiteral("-"), QStringLiteral("."), QString(),
                                        QStringLiteral("--"), QStringLiteral("・")};
  const uint8_t options = size > 0 ? data[0] : 0;
  const QString& separator = kSeparators[options % 5];

  qm::CodePage codePage;
  const QString text = codePage.Decode(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  qm::ReadBudget budget(text.size());
  // A refusal (an outline far larger than the text) leaves nothing to check.
  if (!qm::ReadPlainText(text, separator, store, &budget)) return 0;
  // The reader builds the tree itself: nothing may need re-placing.
  if (store.FinishLoading(QStringLiteral("fuzz.txt"), &budget) != 0) std::abort();
  qm::fuzz::CheckWellFormed(store);
  qm::fuzz::CheckWithinBudget(store, text.size());
  for (int i = 1; i < store.GetCount(); ++i) {
    if (store.GetNode(i).m_nLine <= store.GetNode(i - 1).m_nLine) std::abort();
  }

  store.SetShowsChapters(options & 0x80);
  store.RebuildTree();
  if (pane.ItemCount() != store.GetCount()) std::abort();

  qm::fuzz::CheckStableSave(store, settings, clock);
  return 0;
}
