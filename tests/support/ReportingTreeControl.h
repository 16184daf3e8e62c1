// ReportingTreeControl: a FakeTreeControl that reports selection changes to
// the tree pane, as the window's tree widget does.
#pragma once

#include <algorithm>

#include "editing/TreePane.h"
#include "support/FakeTreeControl.h"

namespace qm::test {

class ReportingTreeControl : public FakeTreeControl {
 public:
  void SelectItem(TreeItem item) override {
    const TreeItem old = GetSelectedItem();
    if (item == old) return;
    if (view != nullptr) view->OnSelectionChanging(old);
    FakeTreeControl::SelectItem(item);
    if (view != nullptr) view->OnSelectionChanged(item);
  }
  // Like the widget, moves the selection off an item being deleted (or
  // off its descendants) first, and reports that move.
  void DeleteItem(TreeItem item) override {
    for (TreeItem i = GetSelectedItem(); i != 0 && Exists(item); i = Get(i).parent) {
      if (i == item) {
        SelectItem(Neighbour(item));
        break;
      }
    }
    FakeTreeControl::DeleteItem(item);
  }

  // The pane told; nothing is reported while null.
  CQTreeView* view = nullptr;

 private:
  // The next sibling, else the previous one, else the parent.
  TreeItem Neighbour(TreeItem item) const {
    const TreeItem parent = Get(item).parent;
    const auto& siblings = parent == 0 ? TopItems() : Get(parent).children;
    const auto it = std::find(siblings.begin(), siblings.end(), item);
    if (it + 1 != siblings.end()) return *(it + 1);
    return it != siblings.begin() ? *(it - 1) : parent;
  }
};

}  // namespace qm::test
