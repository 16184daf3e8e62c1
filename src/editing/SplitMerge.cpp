// CSplitMerge: splitting a piece of the body off into a node, and merging
// the next node into the current one.
#include "editing/SplitMerge.h"

#include <algorithm>
#include <vector>

#include "editing/DocumentView.h"
#include "editing/PaneHost.h"
#include "editing/QuillmapDoc.h"
#include "editing/TreePane.h"
#include "model/TreeStore.h"
#include "platform/EditControl.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {
namespace {

constexpr QStringView kCrLf = u"\r\n";
const QString kLineBreak = kCrLf.toString();

// The first non-empty line of a text and where the text after that line
// (and its break) starts; an empty title when every line is empty.
struct TitleLine {
  QString title;
  qsizetype rest = 0;
};

TitleLine FindTitleLine(QStringView text) {
  qsizetype from = 0;
  while (from < text.size()) {
    const qsizetype end = text.indexOf(kCrLf, from);
    const qsizetype lineEnd = end < 0 ? text.size() : end;
    if (lineEnd > from) {
      return {text.sliced(from, lineEnd - from).toString(),
              end < 0 ? text.size() : end + kCrLf.size()};
    }
    from = lineEnd + kCrLf.size();
  }
  return {{}, text.size()};
}

QStringView WithoutLeadingBreaks(QStringView text) {
  while (text.startsWith(kCrLf)) text = text.sliced(kCrLf.size());
  return text;
}

}  // namespace

std::optional<QString> ValidateSplit(const SplitAnswer& answer) {
  if (CDirData::SanitizeLine(answer.title).isEmpty()) return res::kNoTitleEntered.toString();
  return std::nullopt;
}

CSplitMerge::CSplitMerge(CQuillmapDoc& doc, CQTreeView& tree, EditControl& edit,
                         SettingsStore& settings, SplitDialogs& dialogs, PaneHost& host)
    : m_doc(doc),
      m_tree(tree),
      m_edit(edit),
      m_settings(settings),
      m_dialogs(dialogs),
      m_host(host) {}

bool CSplitMerge::CanMerge() const {
  const int current = m_doc.CurrentNode();
  return current >= 0 && current + 1 < m_doc.Store().GetCount();
}

// ---- Split ----

bool CSplitMerge::Split() { return SplitSelection(m_edit.FirstVisibleLine()); }

bool CSplitMerge::SplitBelowCaret() {
  // The view the user had, not the one scrolled to the end, comes back.
  const int firstVisible = m_edit.FirstVisibleLine();
  m_edit.SetSelection(m_edit.SelectionStart(), static_cast<int>(m_edit.Text().size()));
  m_edit.ScrollCaretIntoView();
  return SplitSelection(firstVisible);
}

bool CSplitMerge::SplitSelection(int firstVisibleLine) {
  CTreeStore& store = m_doc.Store();
  const int current = m_doc.CurrentNode();
  if (current < 0 || current >= store.GetCount()) return false;
  m_doc.WriteBodyBack();
  const int start = m_edit.SelectionStart();
  const QString selected = m_edit.Text().mid(start, m_edit.SelectionEnd() - start);
  const TitleLine proposed = FindTitleLine(selected);

  SplitAnswer options;
  options.title = proposed.title;
  options.dropFirstLine = Read(m_settings, settings::kSplitDell) != 0;
  options.moveCaret = Read(m_settings, settings::kSplitMove) != 0;
  options.sameLevel = Read(m_settings, settings::kSplitSameLevel) != 0;
  if (Read(m_settings, settings::kSplitDlg) != 0) {
    const std::optional<SplitAnswer> answer = m_dialogs.SplitNode(
        {options.title, options.dropFirstLine, options.moveCaret, options.sameLevel});
    if (!answer) return false;
    options = *answer;
    Write(m_settings, settings::kSplitDlg, options.dontAskAgain ? 0 : 1);
    Write(m_settings, settings::kSplitDell, options.dropFirstLine ? 1 : 0);
    Write(m_settings, settings::kSplitMove, options.moveCaret ? 1 : 0);
    Write(m_settings, settings::kSplitSameLevel, options.sameLevel ? 1 : 0);
  }
  const QString title = CDirData::SanitizeLine(options.title);
  if (title.isEmpty()) return false;

  QString body;
  if (store.Settings().firstLine != 0) {
    // The body's first line is the node's title; an empty line in front
    // would rename the new node "(無題)" as soon as the user left it.
    body = WithoutLeadingBreaks(selected).toString();
    if (title != proposed.title) body.prepend(title + kLineBreak);
  } else if (options.dropFirstLine) {
    body = selected.sliced(proposed.rest);
  } else {
    body = selected;
  }

  m_doc.TakeSnapshot();
  m_edit.ReplaceSelection(QString());
  m_doc.WriteBodyBack();
  // The top node has no siblings; its split-off text becomes its child.
  const int added = options.sameLevel && current != 0
                        ? store.InsertSibling(current, title, {}, body, 0, 0)
                        : store.InsertChild(current, title, {}, body, 0, 0);
  Follow(added);
  m_doc.SetModified();
  if (!options.moveCaret) {
    Follow(current);
    const int caret = std::min(start, static_cast<int>(m_edit.Text().size()));
    m_edit.SetSelection(caret, caret);
    m_edit.SetFirstVisibleLine(firstVisibleLine);
  }
  // The text taken out of the editor is part of the split: Undo in the
  // body pane takes the split back until the user edits again.
  m_doc.EndUndoableChange();
  m_host.FocusBodyPane();
  return true;
}

void CSplitMerge::Follow(int index) {
  // Selecting in the tree normally makes the document and the body pane
  // follow; a control that keeps quiet about it must not leave them behind.
  m_doc.Store().Select(index);
  if (m_doc.CurrentNode() == index) return;
  m_doc.SetCurrentNode(index);
  m_doc.UpdateAllViews(nullptr, kHintBodyOnly);
}

// ---- Merge ----

bool CSplitMerge::Merge() {
  if (!CanMerge()) return false;
  m_doc.WriteBodyBack();
  CTreeStore& store = m_doc.Store();
  const int current = m_doc.CurrentNode();
  const int next = current + 1;
  m_doc.TakeSnapshot();

  QString added;
  if (store.Settings().firstLine == 0) added = store.GetTitle(next) + kLineBreak;
  if (!store.GetBody(next).isEmpty()) added += kLineBreak + store.GetBody(next);
  const QString merged = m_edit.Text() + kLineBreak + added;
  const int selectionStart = m_edit.SelectionStart();
  const int selectionEnd = m_edit.SelectionEnd();
  const int firstVisible = m_edit.FirstVisibleLine();
  const bool marked = store.GetMark(current) != 0 || store.GetMark(next) != 0;

  // Items are deleted and re-inserted on the way; the selection changes
  // that causes must neither write the editor into a node nor reload it.
  m_tree.SetRebuildingItems(true);
  const int index = MergeStructure(current);
  m_doc.SetCurrentNode(index < 0 ? current : index);
  m_tree.SetRebuildingItems(false);
  if (index < 0) {
    m_doc.UpdateAllViews(nullptr, kHintBodyOnly);
    return false;
  }

  m_edit.SetText(merged);
  m_doc.WriteBodyBack();
  m_doc.SetModified();
  if (marked) m_tree.RebuildMarksMenu();
  // The merged text is part of the merge: Undo in the body pane takes the
  // merge back until the user edits again.
  m_doc.EndUndoableChange();
  m_host.FocusBodyPane();
  m_edit.SetSelection(selectionStart, selectionEnd);
  m_edit.SetFirstVisibleLine(firstVisible);
  return true;
}

int CSplitMerge::MergeStructure(int current) {
  CTreeStore& store = m_doc.Store();
  const int next = current + 1;
  const auto fail = [this] {
    m_doc.RestoreSnapshot();
    return -1;
  };
  if (!store.HasChildren(next)) {
    store.DeleteBranch(next);
    return current;
  }

  if (current == 0) {
    // The top node cannot be replaced: it stays, and the merged node's
    // children move up to it. Last first, so that each lands right after
    // the merged node's branch and before the ones moved already.
    const int childLevel = store.GetLevel(next) + 1;
    std::vector<int> children;
    const int end = store.GetBranchEnd(next, true);
    for (int j = next + 1; j < end; ++j) {
      if (store.GetLevel(j) == childLevel) children.push_back(j);
    }
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      store.LevelUp(*it);
      if (store.GetLevel(*it) != childLevel - 1) return fail();
    }
    store.DeleteBranch(next);
    return current;
  }

  const int level = store.GetLevel(current);
  const QString title = store.GetTitle(current);
  const QString link = store.GetLink(current);
  if (store.GetLevel(next) == level + 1) {
    // The next node is the current node's first child. Its later siblings
    // go under it, after its own children, before it moves up a level;
    // otherwise deleting the current node would take them along.
    for (;;) {
      const int other = store.GetBranchEnd(next, true);
      if (other >= store.GetCount() || store.GetLevel(other) != level + 1) break;
      store.LevelDown(other);
      if (store.GetLevel(other) != level + 2) return fail();
    }
    store.LevelUp(next);
    if (store.GetLevel(next) != level) return fail();
  }
  while (store.GetLevel(next) < level) {
    const int before = store.GetLevel(next);
    store.LevelDown(next);
    if (store.GetLevel(next) != before + 1) return fail();
  }
  // The current node has no children left, so only it goes.
  store.DeleteBranch(current);
  store.SetTitleAndLink(current, title, link);
  return current;
}

}  // namespace qm
