// The latest-updated list: picking the newest nodes in one pass.
#include "editing/LatestUpdated.h"

#include <QtGlobal>
#include <algorithm>

#include "model/TreeStore.h"

namespace qm {

std::vector<int> CollectLatestUpdated(const CTreeStore& store, int limit) {
  struct Entry {
    qint32 time;
    int index;
  };
  std::vector<Entry> kept;
  if (limit <= 0) return {};
  kept.reserve(static_cast<size_t>(limit) + 1);
  const int count = store.GetCount();
  for (int i = 0; i < count; ++i) {
    const CDirData& node = store.GetNode(i);
    if (!node.HasUpdateTime()) continue;
    const qint32 time = node.m_tmUpdate;
    // Before the first kept entry that is older: an equal time met earlier
    // stays in front.
    const auto at = std::partition_point(kept.begin(), kept.end(),
                                         [time](const Entry& e) { return e.time >= time; });
    if (at == kept.end() && static_cast<int>(kept.size()) >= limit) continue;
    kept.insert(at, Entry{time, i});
    if (static_cast<int>(kept.size()) > limit) kept.pop_back();
  }
  std::vector<int> indices;
  indices.reserve(kept.size());
  for (const Entry& entry : kept) indices.push_back(entry.index);
  return indices;
}

}  // namespace qm
