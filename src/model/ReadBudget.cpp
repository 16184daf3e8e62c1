// ReadBudget: counting what a reader builds.
#include "model/ReadBudget.h"

#include "model/DirData.h"
#include "model/TreeStore.h"

namespace qm {

bool ReadBudget::SpendNode(const CDirData& node) { return Spend(NodeSize(node)); }

qsizetype ReadBudget::NodeSize(const CDirData& node) {
  return kNodeUnits + node.m_strPath.size() + node.m_strBody.size() + node.m_strLink.size();
}

qsizetype ReadBudget::OutlineSize(const CTreeStore& store) {
  qsizetype size = 0;
  for (int i = 0; i < store.GetCount(); ++i) size += NodeSize(store.GetNode(i));
  return size;
}

}  // namespace qm
