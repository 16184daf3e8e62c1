// MarkCommands: checks, strike-through, marks and the marks list.
#include "editing/MarkCommands.h"

#include "editing/DocumentView.h"
#include "editing/QuillmapDoc.h"
#include "model/TreeStore.h"
#include "platform/Prompt.h"
#include "res/Strings.h"

namespace qm {
namespace {

quintptr AddressOf(const CDirData& node) { return reinterpret_cast<quintptr>(&node); }

}  // namespace

MarkCommands::MarkCommands(CQuillmapDoc& doc, Prompt& prompt) : m_doc(doc), m_prompt(prompt) {}

CTreeStore& MarkCommands::Store() { return m_doc.Store(); }
const CTreeStore& MarkCommands::Store() const { return m_doc.Store(); }

bool MarkCommands::HasSelection() const { return Store().GetSelected() >= 0; }

bool MarkCommands::AskWholeBranch(int i) {
  return Store().HasChildren(i) &&
         m_prompt.Ask(res::kApplyToChildren.toString(), PromptButtons::YesNo,
                      PromptIcon::Question) == PromptAnswer::Yes;
}

void MarkCommands::ToggleCheck() {
  m_doc.WriteBodyBack();
  const int current = Store().GetSelected();
  if (current < 0) return;
  m_doc.TakeSnapshot();
  if (!Store().ToggleCheck(current, AskWholeBranch(current))) {
    m_prompt.Ask(res::kSetItemImageError.toString(), PromptButtons::Ok, PromptIcon::Error);
  }
  m_doc.SetModified();
}

void MarkCommands::ToggleStrike() {
  m_doc.WriteBodyBack();
  const int current = Store().GetSelected();
  if (current < 0) return;
  m_doc.TakeSnapshot();
  Store().ToggleStrike(current, AskWholeBranch(current));
  m_doc.SetModified();
}

void MarkCommands::ToggleMark() {
  m_doc.WriteBodyBack();
  const int current = Store().GetSelected();
  if (current < 0) return;
  m_doc.TakeSnapshot();
  const int mark = Store().GetMark(current);
  // Marks above 1 come from files and belong to whoever set them.
  const int toggled = mark == 0 ? 1 : mark == 1 ? 0 : mark;
  Store().SetMark(current, toggled);
  RebuildMarksMenu();
  m_doc.SetModified();
}

void MarkCommands::ClearMarksInBranch() {
  m_doc.WriteBodyBack();
  const int current = Store().GetSelected();
  if (current < 0) return;
  if (m_prompt.Ask(res::kAskClearMarksInBranch.toString(), PromptButtons::OkCancel,
                   PromptIcon::Question) != PromptAnswer::Ok) {
    return;
  }
  m_doc.TakeSnapshot();
  Store().ClearMarks(current);
  RebuildMarksMenu();
  m_doc.SetModified();
}

int MarkCommands::FindMark(int from, int to, int step) const {
  const CTreeStore& store = Store();
  for (int i = from; i != to; i += step) {
    if (store.GetMark(i) != 0 && store.IsInPane(i)) return i;
  }
  return -1;
}

void MarkCommands::NextMark() {
  m_doc.WriteBodyBack();
  const int current = Store().GetSelected();
  if (current < 0) return;
  const int count = Store().GetCount();
  int found = FindMark(current + 1, count, 1);
  if (found < 0) found = FindMark(1, count, 1);
  if (found < 0) {
    m_prompt.Ask(res::kNotFound.toString(), PromptButtons::Ok, PromptIcon::Information);
    return;
  }
  GoTo(found, kHintBodyOnly);
}

void MarkCommands::PreviousMark() {
  m_doc.WriteBodyBack();
  const int current = Store().GetSelected();
  if (current < 0) return;
  // Searching down to index 1 only: the top node is never a mark to visit.
  int found = current > 1 ? FindMark(current - 1, 0, -1) : -1;
  if (found < 0) found = FindMark(Store().GetCount() - 1, 0, -1);
  if (found < 0) {
    m_prompt.Ask(res::kNotFound.toString(), PromptButtons::Ok, PromptIcon::Information);
    return;
  }
  GoTo(found, kHintBodyOnly);
}

int MarkCommands::FindEntry(const Entry& entry) const {
  const CTreeStore& store = Store();
  for (int i = 0; i < store.GetCount(); ++i) {
    // A node made since at the address of a removed one would not carry
    // the mark unless the list had been made anew.
    if (AddressOf(store.GetNode(i)) == entry.node && store.GetMark(i) == 1) return i;
  }
  return store.FindPath(entry.path);
}

void MarkCommands::GoToMarkEntry(int k) {
  m_doc.WriteBodyBack();
  if (k < 0 || k >= MarkEntryCount()) return;
  const int found = FindEntry(m_entries[static_cast<size_t>(k)]);
  if (found < 0) return;
  GoTo(found, kHintAll);
}

void MarkCommands::GoTo(int i, int hint) {
  // The pane selects first: the control reports the change while the
  // document still names the node whose text was written back, and only
  // then does the document follow.
  Store().Reveal(i);
  m_doc.SetCurrentNode(i);
  m_doc.UpdateAllViews(nullptr, hint);
}

void MarkCommands::RebuildMarksMenu() {
  m_entries.clear();
  const CTreeStore& store = Store();
  for (int i = 0; i < store.GetCount(); ++i) {
    if (store.GetMark(i) != 1 || !store.IsInPane(i)) continue;
    m_entries.push_back({AddressOf(store.GetNode(i)), store.GetPath(i), store.TitleLabel(i)});
  }
  if (m_sink) m_sink(MarkLabels());
}

QStringList MarkCommands::MarkLabels() const {
  QStringList labels;
  labels.reserve(static_cast<qsizetype>(m_entries.size()));
  for (const Entry& entry : m_entries) labels << entry.label;
  return labels;
}

}  // namespace qm
