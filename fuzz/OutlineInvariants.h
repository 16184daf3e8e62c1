// Checks shared by the fuzzers: the outline store must always hold a
// well-formed tree, whatever input it was given.
#pragma once

#include <cstdlib>

#include "model/TreeStore.h"

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

}  // namespace qm::fuzz
