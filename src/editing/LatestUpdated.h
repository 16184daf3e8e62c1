// The latest-updated list: the nodes with the newest update times.
#pragma once

#include <vector>

namespace qm {

class CTreeStore;

// How many nodes the latest-updated list shows at most.
inline constexpr int kLatestUpdatedLimit = 100;

// The indices of at most limit nodes of store whose update time is set,
// newest first; among equal times the node that comes first in the outline
// comes first. Nodes without an update time are never taken. Costs one pass
// over the outline with a binary search into the kept entries per node.
// REQUIRES: limit >= 0.
std::vector<int> CollectLatestUpdated(const CTreeStore& store, int limit = kLatestUpdatedLimit);

}  // namespace qm
