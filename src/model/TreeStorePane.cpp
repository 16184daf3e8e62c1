// CTreeStore: keeping the tree pane's items in step with the node array.
#include <vector>

#include "model/TreeStore.h"
#include "platform/TreeControl.h"

namespace qm {

TreeItem CTreeStore::InsertItems(int first, int end, TreeItem parentItem, TreeItem after,
                                 const ItemMask* mask) {
  struct Open {
    int level;
    TreeItem item;
    bool expanded;
  };
  std::vector<Open> open;
  bool topExpanded = false;
  TreeItem lastTop = 0;
  int leftOutLevel = -1;  // the level of the node whose branch is being left out
  for (int j = first; j < end; ++j) {
    CDirData& node = N(j);
    const int level = node.GetLevel();
    if (leftOutLevel >= 0 && level > leftOutLevel) continue;
    leftOutLevel = -1;
    if (mask != nullptr && !(*mask)[static_cast<size_t>(j - first)]) {
      leftOutLevel = level;
      continue;
    }
    while (!open.empty() && open.back().level >= level) open.pop_back();
    const TreeItem parent = open.empty() ? parentItem : open.back().item;
    const TreeItem position = open.empty() ? (lastTop != 0 ? lastTop : after) : TreeControl::kLast;
    const int image = node.GetImage(HasChildren(j));
    node.m_hItem = m_pane->InsertItem(parent, position, DisplayText(j), image, image);
    if (node.m_hItem == 0) continue;
    if (node.m_nMark != 0) m_pane->SetItemStateImage(node.m_hItem, 1);
    // A shown node opens its parent's item; open each parent once.
    bool& parentExpanded = open.empty() ? topExpanded : open.back().expanded;
    if (node.m_bExpand != 0 && parent != 0 && !parentExpanded) {
      m_pane->Expand(parent, true);
      parentExpanded = true;
    }
    if (open.empty()) lastTop = node.m_hItem;
    open.push_back({level, node.m_hItem, false});
  }
  return lastTop;
}

void CTreeStore::ForgetItems(int first, int end) {
  for (int j = first; j < end; ++j) N(j).m_hItem = 0;
}

bool CTreeStore::PassesCheckFilter(int i) const {
  const bool checked = (N(i).m_nFlags & kFlagChecked) != 0;
  switch (m_checkFilter) {
    case kCheckFilterChecked:
      return checked;
    case kCheckFilterUnchecked:
      return !checked;
    default:
      return true;
  }
}

CTreeStore::ItemMask CTreeStore::CheckFilterMask() const {
  ItemMask mask(static_cast<size_t>(Count()), false);
  // The nodes on the way from the root to the current one, by level.
  std::vector<int> line;
  for (int j = 0; j < Count(); ++j) {
    const int level = GetLevel(j);
    line.resize(static_cast<size_t>(level) + 1);
    line[static_cast<size_t>(level)] = j;
    if (!PassesCheckFilter(j)) continue;
    // Ancestors already marked have had theirs marked too.
    for (int k = level; k >= 0 && !mask[static_cast<size_t>(line[static_cast<size_t>(k)])]; --k) {
      mask[static_cast<size_t>(line[static_cast<size_t>(k)])] = true;
    }
  }
  if (!mask.empty()) mask[0] = true;
  return mask;
}

CTreeStore::ItemMask CTreeStore::ItemsHeld(int first, int end) const {
  ItemMask held;
  held.reserve(static_cast<size_t>(end - first));
  for (int j = first; j < end; ++j) held.push_back(N(j).m_hItem != 0);
  return held;
}

bool CTreeStore::IsInPane(int i) const { return !ShowingPane() || N(i).m_hItem != 0; }

int CTreeStore::NearestInPane(int i) const {
  while (i > 0 && !IsInPane(i)) i = GetParent(i);
  return i;
}

TreeItem CTreeStore::ItemBefore(int i) const {
  for (int j = GetPrevSibling(i); j > 0; j = GetPrevSibling(j)) {
    if (N(j).m_hItem != 0) return N(j).m_hItem;
  }
  return TreeControl::kFirst;
}

void CTreeStore::EnsureItem(int i) {
  if (i <= 0 || !ShowingPane() || N(i).m_hItem != 0) return;
  const int parent = GetParent(i);
  EnsureItem(parent);
  if (N(parent).m_hItem == 0) return;
  InsertItems(i, i + 1, N(parent).m_hItem, ItemBefore(i));
}

void CTreeStore::RebuildTree() {
  m_built = false;
  ForgetItems(0, Count());
  if (m_showChapters) RecountChapters();
  if (m_pane != nullptr) {
    m_pane->SetRedraw(false);
    m_pane->DeleteAllItems();
    if (m_checkFilter == kCheckFilterAll) {
      InsertItems(0, Count(), 0, TreeControl::kLast);
    } else {
      const ItemMask mask = CheckFilterMask();
      InsertItems(0, Count(), 0, TreeControl::kLast, &mask);
    }
    m_pane->SetRedraw(true);
  }
  m_built = true;
}

bool CTreeStore::RefreshImageChecked(int i) {
  if (m_pane == nullptr || N(i).m_hItem == 0) return true;
  const int image = N(i).GetImage(HasChildren(i));
  return m_pane->SetItemImage(N(i).m_hItem, image, image);
}

void CTreeStore::RefreshImage(int i) { RefreshImageChecked(i); }

int CTreeStore::GetSelected() const {
  return m_pane == nullptr ? -1 : FindItem(m_pane->GetSelectedItem());
}

void CTreeStore::Select(int i) {
  if (m_pane == nullptr || i < 0 || i >= Count() || N(i).m_hItem == 0) return;
  m_pane->SelectItem(N(i).m_hItem);
  m_pane->EnsureVisible(N(i).m_hItem);
}

void CTreeStore::RefreshItemText(int i) {
  if (m_pane != nullptr && N(i).m_hItem != 0) m_pane->SetItemText(N(i).m_hItem, DisplayText(i));
}

void CTreeStore::RefreshBranchText(int i, bool recount) {
  if (recount) RecountChapters();
  if (m_pane == nullptr) return;
  const int end = GetBranchEnd(i, true);
  for (int j = i; j < end; ++j) RefreshItemText(j);
}

int CTreeStore::MarkChildrenExpanded(int i) {
  const int end = GetBranchEnd(i, true);
  const int childLevel = GetLevel(i) + 1;
  int last = -1;
  for (int j = i + 1; j < end; ++j) {
    if (GetLevel(j) != childLevel) continue;
    N(j).m_bExpand = 1;
    last = j;
  }
  return last;
}

void CTreeStore::ExpandChildren(int i) {
  const int last = MarkChildrenExpanded(i);
  if (m_pane == nullptr || N(i).m_hItem == 0 || last < 0) return;
  m_pane->Expand(N(i).m_hItem, true);
  // The children come into view as far as they fit below the node, which
  // stays in view itself: scrolling to each child in turn would leave a
  // long list scrolled to its end, far from the node the user opened.
  if (N(last).m_hItem != 0) m_pane->EnsureVisible(N(last).m_hItem);
  m_pane->EnsureVisible(N(i).m_hItem);
}

void CTreeStore::CollapseAll(int i) {
  const int end = GetBranchEnd(i, true);
  for (int j = i + 1; j < end; ++j) {
    N(j).m_bExpand = 0;
    if (m_pane != nullptr && N(j).m_hItem != 0 && HasChildren(j)) {
      m_pane->Expand(N(j).m_hItem, false);
    }
  }
  if (m_pane != nullptr && N(i).m_hItem != 0) m_pane->Expand(N(i).m_hItem, false);
}

void CTreeStore::ExpandAll(int i) {
  const int end = GetBranchEnd(i, true);
  for (int j = i + 1; j < end; ++j) N(j).m_bExpand = 1;
  if (m_pane == nullptr) return;
  for (int j = i; j < end; ++j) {
    if (N(j).m_hItem != 0 && HasChildren(j)) m_pane->Expand(N(j).m_hItem, true);
  }
}

void CTreeStore::Reveal(int i) {
  // Showing a node opens its parent, which shows all of its siblings; go up
  // until an ancestor is shown already.
  int current = i;
  while (current > 0) {
    const int parent = GetParent(current);
    const int end = GetBranchEnd(parent, true);
    const int childLevel = GetLevel(parent) + 1;
    for (int j = parent + 1; j < end; ++j) {
      if (GetLevel(j) == childLevel) N(j).m_bExpand = 1;
    }
    if (m_pane != nullptr && N(parent).m_hItem != 0) m_pane->Expand(N(parent).m_hItem, true);
    if (parent == 0 || N(parent).m_bExpand != 0) break;
    current = parent;
  }
  Select(i);
}

}  // namespace qm
