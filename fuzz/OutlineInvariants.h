// Checks shared by the fuzzers: the outline store must always hold a
// well-formed tree within the read budget, whatever input it was given, and
// a save of what was loaded must read back as it was written.
#pragma once

#include <QByteArray>
#include <cstdlib>

#include "model/OutlineFile.h"
#include "model/ReadBudget.h"
#include "model/TreeStore.h"
#include "platform/CodePage.h"

namespace qm::fuzz {

// Aborts (so libFuzzer reports the input) unless the root is the only node
// of level 0 and every other node sits directly under the nearest node one
// level up, with that node's path as its prefix.
inline void CheckWellFormed(const CTreeStore& store) {
  if (store.GetCount() == 0 || store.GetLevel(0) != 0) std::abort();
  for (int i = 1; i < store.GetCount(); ++i) {
    const int level = store.GetLevel(i);
    if (level < 1 || level > store.GetLevel(i - 1) + 1) std::abort();
    const int parent = store.GetParent(i);
    if (store.GetLevel(parent) != level - 1) std::abort();
    if (!IsPathBelow(store.GetPath(i), store.GetPath(parent))) std::abort();
  }
}

// Aborts unless an outline read from a text of textSize units is within
// the budget the readers promise.
inline void CheckWithinBudget(const CTreeStore& store, qsizetype textSize) {
  if (ReadBudget::OutlineSize(store) > ReadBudget::LimitFor(textSize)) std::abort();
}

// The bytes an outline file save of the store writes, characters the code
// page cannot hold as "?".
inline QByteArray SavedOutline(const CTreeStore& store) {
  return CodePage().Encode(WriteOutlineText(store));
}

// Saves the store as an outline file, loads the save into a fresh store and
// saves that: aborts unless the load of the save is accepted and loses
// nothing, and the second save equals the first byte for byte.
template <typename Settings, typename Clock>
void CheckStableSave(const CTreeStore& store, Settings& settings, const Clock& clock) {
  const QByteArray first = SavedOutline(store);
  const QString text = CodePage().Decode(first);
  CTreeStore again(settings, clock);
  ReadBudget budget(text.size());
  FileReport report;
  if (!ReadOutlineText(text, again, &budget, &report)) std::abort();
  report.nodesReplaced = again.FinishLoading(QStringLiteral("saved.qmp"), &budget);
  if (report.nodesReplaced < 0 || report.Lossy()) std::abort();
  if (SavedOutline(again) != first) std::abort();
}

}  // namespace qm::fuzz
