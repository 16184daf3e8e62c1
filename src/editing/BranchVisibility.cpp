// BranchVisibility: branch opening and closing, and the check filter.
#include "editing/BranchVisibility.h"

#include <algorithm>

#include "editing/DocumentView.h"
#include "editing/MarkCommands.h"
#include "editing/QuillmapDoc.h"
#include "model/TreeStore.h"

namespace qm {

BranchVisibility::BranchVisibility(CQuillmapDoc& doc, MarkCommands& marks)
    : m_doc(doc), m_marks(marks) {}

int BranchVisibility::CheckFilter() const { return m_doc.Store().CheckFilter(); }

bool BranchVisibility::HasSelection() const { return m_doc.Store().GetSelected() >= 0; }

int BranchVisibility::BeginCommand() {
  m_doc.WriteBodyBack();
  return m_doc.Store().GetSelected();
}

void BranchVisibility::ShowChildren() {
  if (const int current = BeginCommand(); current >= 0) m_doc.Store().ExpandChildren(current);
}

void BranchVisibility::ShowWholeBranch() {
  if (const int current = BeginCommand(); current >= 0) m_doc.Store().ExpandAll(current);
}

void BranchVisibility::HideBranch() {
  if (const int current = BeginCommand(); current >= 0) m_doc.Store().CollapseAll(current);
}

void BranchVisibility::SetCheckFilter(int filter) {
  m_doc.WriteBodyBack();
  CTreeStore& store = m_doc.Store();
  int current = store.GetSelected();
  if (current < 0) current = m_doc.CurrentNode();
  store.SetCheckFilter(filter);
  // Filtering never moves nodes in the array, so current still names the
  // same node after the build.
  store.RebuildTree();
  if (store.GetCount() > 0) {
    const int target = store.NearestInPane(std::clamp(current, 0, store.GetCount() - 1));
    // The pane selects first: the control reports the change while the
    // document still names the node whose text was written back.
    store.Select(target);
    m_doc.SetCurrentNode(target);
  }
  m_marks.RebuildMarksMenu();
  m_doc.UpdateAllViews(nullptr, kHintAll);
}

}  // namespace qm
