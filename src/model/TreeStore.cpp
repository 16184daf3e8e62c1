// CTreeStore: navigation, editing and numbering over the node array.
#include "model/TreeStore.h"

#include <algorithm>

#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "platform/TreeControl.h"
#include "res/Strings.h"

namespace qm {

CTreeStore::CTreeStore(SettingsStore& settings, const Clock& clock)
    : m_settingsStore(settings), m_clock(clock), m_settings(settings), m_categories(settings) {
  m_styles.LoadDefaults(settings);
  m_timeDisplay = Read(settings, settings::kViewTime);
  m_showChapters = Read(settings, settings::kViewShoStr) != 0;
}

CTreeStore::~CTreeStore() = default;

void CTreeStore::CopyFrom(const CTreeStore& other) {
  if (this == &other) return;
  m_nodes.clear();
  m_nodes.reserve(other.m_nodes.size());
  for (const auto& node : other.m_nodes) m_nodes.push_back(std::make_unique<CDirData>(*node));
  m_categories = other.m_categories;
  m_styles = other.m_styles;
  m_checkFilter = other.m_checkFilter;
  m_built = other.m_built;
  m_numberStruck = other.m_numberStruck;
  m_pane = other.m_pane;
  m_settings = other.m_settings;
  // The time display and the chapter characters in the tree are the user's
  // view settings ("View"/"Time", "View"/"ViewShoStr"), not part of the
  // outline: Undo must not switch them back.
  m_lastInsert = other.m_lastInsert;
  m_spare = other.m_spare;
  m_loadedUndecodable = other.m_loadedUndecodable;
}

// ---- Access ----

CDirData& CTreeStore::GetNode(int i) { return N(i); }
const QString& CTreeStore::GetPath(int i) const { return N(i).m_strPath; }
const QString& CTreeStore::GetLink(int i) const { return N(i).m_strLink; }
const QString& CTreeStore::GetBody(int i) const { return N(i).m_strBody; }

void CTreeStore::SetBody(int i, const QString& text) {
  N(i).m_strBody = CDirData::SanitizeBody(text);
}

void CTreeStore::SetLink(int i, const QString& text) {
  N(i).m_strLink = CDirData::SanitizeLine(text);
  RefreshImage(i);
}

QString CTreeStore::GetTitle(int i) const { return N(i).GetTitle(); }
int CTreeStore::GetCount() const { return Count(); }
int CTreeStore::GetSpare() const { return m_spare; }
int CTreeStore::GetLevel(int i) const { return N(i).GetLevel(); }
const QString& CTreeStore::GetChapter(int i) const { return N(i).m_strChapter; }
TreeItem CTreeStore::GetItem(int i) const { return N(i).m_hItem; }
bool CTreeStore::IsBuilt() const { return m_built; }
void CTreeStore::SetBuilt() { m_built = true; }
int CTreeStore::GetMark(int i) const { return N(i).m_nMark; }
bool CTreeStore::IsTitleOnly(int i) const { return (N(i).m_nFlags & kFlagTitleOnly) != 0; }
bool CTreeStore::IsNoTitle(int i) const { return (N(i).m_nFlags & kFlagNoTitle) != 0; }

// ---- Paths and navigation ----

QString CTreeStore::ParentPathOf(const QString& path) const {
  const qsizetype last = path.lastIndexOf(kPathSeparator);
  return last < 0 ? path : path.left(last);
}

QString CTreeStore::TitleOf(const QString& path) const {
  return path.sliced(path.lastIndexOf(kPathSeparator) + 1);
}

int CTreeStore::PathPosition(int i, int depth) const {
  const QString& path = N(i).m_strPath;
  qsizetype position = 0;
  for (int d = 0; d < depth; ++d) {
    const qsizetype next = path.indexOf(kPathSeparator, position);
    if (next < 0) return static_cast<int>(path.size());
    position = next + 1;
  }
  return static_cast<int>(position);
}

QString CTreeStore::GetPathPart(int i, int depth) const {
  const QString& path = N(i).m_strPath;
  const qsizetype start = PathPosition(i, depth < 0 ? GetLevel(i) : depth);
  qsizetype end = start;
  while (end < path.size()) {
    const char16_t c = path[end].unicode();
    if (c == 0x01 || c == 0x02 || c == 0x03) break;
    ++end;
  }
  return path.sliced(start, end - start);
}

int CTreeStore::GetTextExtent(int i) const {
  return static_cast<int>(GetPathPart(i, -1).size()) + 2 * GetLevel(i);
}

bool CTreeStore::HasChildren(int i) const {
  return i + 1 < Count() && GetLevel(i + 1) == GetLevel(i) + 1;
}

int CTreeStore::GetPrevSibling(int i) const {
  if (i <= 0) return 0;
  const int level = GetLevel(i);
  for (int j = i - 1; j >= 0; --j) {
    const int l = GetLevel(j);
    if (l == level) return j;
    if (l < level) return -1;
  }
  return -1;
}

int CTreeStore::GetBranchEnd(int i, bool whole) const {
  const int level = GetLevel(i);
  int end = i + 1;
  while (end < Count() && GetLevel(end) > level) ++end;
  if (whole) return end;
  return end < Count() && GetLevel(end) == level ? end : -1;
}

int CTreeStore::GetParent(int i) const {
  const int level = GetLevel(i);
  for (int j = i - 1; j >= 0; --j) {
    if (GetLevel(j) == level - 1) return j;
  }
  return 0;
}

int CTreeStore::FindPath(const QString& path) const {
  for (int i = 0; i < Count(); ++i) {
    if (N(i).m_strPath == path) return i;
  }
  return -1;
}

int CTreeStore::FindPathReverse(const QString& path) const {
  for (int i = 0; i < Count(); ++i) {
    const QString& candidate = N(i).m_strPath;
    if (candidate.size() != path.size()) continue;
    qsizetype k = path.size();
    while (k > 0 && candidate[k - 1] == path[k - 1]) --k;
    if (k == 0) return i;
  }
  return -1;
}

int CTreeStore::FindItem(TreeItem item) const {
  if (item == 0) return -1;
  for (int i = 0; i < Count(); ++i) {
    if (N(i).m_hItem == item) return i;
  }
  return -1;
}

bool CTreeStore::IsStruckBranch(int i) const {
  int level = GetLevel(i);
  if (N(i).m_nFlags & kFlagStruck) return true;
  for (int j = i - 1; j >= 0 && level > 0; --j) {
    if (GetLevel(j) != level - 1) continue;
    if (N(j).m_nFlags & kFlagStruck) return true;
    --level;
  }
  return false;
}

// ---- Insertion ----

void CTreeStore::AddRoot(const QString& title) {
  auto node = std::make_unique<CDirData>();
  node->m_strPath = CDirData::SanitizeLine(title);
  node->m_bExpand = 1;
  m_nodes.push_back(std::move(node));
}

void CTreeStore::ReadIdAndTimes(CDirData& node, const QString& text) const {
  // "%06X%06X%d", then optionally U+0001 and update (14), creation (14) and
  // stamp (17) digits; all zeros stands for unset.
  const qsizetype split = text.indexOf(kPathSeparator);
  node.SetIdText(split < 0 ? QStringView(text) : QStringView(text).first(split));
  if (split < 0) return;
  node.ReadTimesText(QStringView(text).sliced(split + 1));
}

int CTreeStore::InsertNewNode(int parent, int at, TreeItem after, const QString& title,
                              const QString& link, const QString& body, qint32 flags, qint32 mark,
                              const QString& idText) {
  auto node = std::make_unique<CDirData>();
  node->m_strPath = N(parent).m_strPath + kPathSeparator + CDirData::SanitizeLine(title);
  node->m_strLink = CDirData::SanitizeLine(link);
  node->m_strBody = CDirData::SanitizeBody(body);
  node->m_nFlags = flags;
  node->m_nMark = mark;
  node->m_bExpand = 1;
  const qint32 now = m_clock.Now();
  node->SetCreateTime(now);
  node->SetUpdateTime(now);
  if (!idText.isEmpty()) ReadIdAndTimes(*node, idText);
  m_nodes.insert(m_nodes.begin() + at, std::move(node));

  if (ShowingPane()) {
    // A new node always shows, whatever the check filter left out.
    EnsureItem(parent);
    if (N(parent).m_hItem != 0) {
      InsertItems(at, at + 1, N(parent).m_hItem, after);
      RefreshImage(parent);
    }
  }
  RefreshChaptersIfShown(parent);
  return at;
}

int CTreeStore::InsertChild(int i, const QString& title, const QString& link, const QString& body,
                            qint32 flags, qint32 mark, const QString& idText) {
  return InsertNewNode(i, GetBranchEnd(i, true), TreeControl::kLast, title, link, body, flags, mark,
                       idText);
}

int CTreeStore::InsertSibling(int i, const QString& title, const QString& link, const QString& body,
                              qint32 flags, qint32 mark, const QString& idText) {
  if (i <= 0) return 0;
  const TreeItem after = N(i).m_hItem != 0 ? N(i).m_hItem : ItemBefore(i);
  return InsertNewNode(GetParent(i), GetBranchEnd(i, true), after, title, link, body, flags, mark,
                       idText);
}

int CTreeStore::InsertNode(int i, const QString& title, const QString& link, const QString& body,
                           qint32 flags, qint32 mark, bool consecutive) {
  int index;
  if (consecutive) {
    const int from = m_lastInsert >= 0 && m_lastInsert < Count() ? m_lastInsert : i;
    index = InsertSibling(from, title, link, body, flags, mark);
  } else {
    index = InsertChild(i, title, link, body, flags, mark);
  }
  m_lastInsert = index;
  return index;
}

// ---- Removal and renaming ----

void CTreeStore::DeleteBranch(int i) {
  if (i <= 0 || i >= Count()) return;
  const QString top = N(i).m_strPath;
  const int parent = GetParent(i);
  if (m_pane != nullptr && N(i).m_hItem != 0) m_pane->DeleteItem(N(i).m_hItem);
  int end = i + 1;
  while (end < Count() && IsPathBelow(N(end).m_strPath, top)) ++end;
  m_nodes.erase(m_nodes.begin() + i, m_nodes.begin() + end);
  if (m_lastInsert >= i) m_lastInsert = -1;
  RefreshImage(parent);
  RefreshChaptersIfShown(parent);
}

void CTreeStore::DeleteByPath(const QString& path) {
  const int i = FindPath(path);
  if (i >= 0) DeleteBranch(i);
}

void CTreeStore::Rename(int i, const QString& title) { SetTitleAndLink(i, title, N(i).m_strLink); }

void CTreeStore::SetTitleAndLink(int i, const QString& title, const QString& link) {
  const QString oldPath = N(i).m_strPath;
  const qsizetype last = oldPath.lastIndexOf(kPathSeparator);
  const QString clean = CDirData::SanitizeLine(title);
  QString newPath = last < 0 ? clean : oldPath.left(last + 1) + clean;
  if (newPath != oldPath) {
    for (int j = i + 1; j < Count() && IsPathBelow(N(j).m_strPath, oldPath); ++j) {
      N(j).m_strPath.replace(0, oldPath.size(), newPath);
    }
    N(i).m_strPath = std::move(newPath);
  }
  N(i).m_strLink = CDirData::SanitizeLine(link);
  RefreshImage(i);
  RefreshItemText(i);
}

// ---- Replacing text ----

int CTreeStore::Replace(QString& text, const QString& before, const QString& after) const {
  if (before.isEmpty()) return 0;
  const int count = static_cast<int>(text.count(before));
  if (count > 0) text.replace(before, after);
  return count;
}

int CTreeStore::ReplaceInBranch(int i, const QString& before, const QString& after, bool bodies) {
  const int end = GetBranchEnd(i, true);
  const QString cleanAfter = CDirData::SanitizeLine(after);
  const int baseLevel = GetLevel(i);
  // New paths of the nodes on the current line of descent, by depth below i.
  std::vector<QString> lineage;
  int total = 0;
  for (int j = i; j < end; ++j) {
    CDirData& node = N(j);
    QString title = TitleOf(node.m_strPath);
    total += Replace(title, before, cleanAfter);
    const int depth = node.GetLevel() - baseLevel;
    lineage.resize(static_cast<size_t>(depth) + 1);
    const QString& parentPath =
        depth == 0 ? ParentPathOf(node.m_strPath) : lineage[static_cast<size_t>(depth) - 1];
    lineage[static_cast<size_t>(depth)] =
        node.GetLevel() == 0 ? title : parentPath + kPathSeparator + title;
    node.m_strPath = lineage[static_cast<size_t>(depth)];
    if (bodies) {
      const int inBody = Replace(node.m_strBody, before, CDirData::SanitizeBody(after));
      total += inBody;
    }
  }
  if (total > 0 && m_pane != nullptr && m_built) RebuildTree();
  return total;
}

// ---- Moving ----

int CTreeStore::MoveRange(int a, int b) {
  const int low = std::min(a, b);
  const int high = std::max(a, b);
  if (low <= 0 || high >= Count() || low == high) return 0;
  const int level = GetLevel(low);
  if (GetLevel(high) != level) return 0;
  for (int j = low + 1; j < high; ++j) {
    if (GetLevel(j) < level) return 0;  // not under the same parent
  }
  const int highEnd = GetBranchEnd(high, true);
  const int moved = highEnd - high;
  const int parent = GetParent(low);
  TreeItem after = TreeControl::kFirst;
  ItemMask held;
  if (ShowingPane()) {
    // low itself may have no item while the check filter leaves it out.
    after = ItemBefore(low);
    held = ItemsHeld(high, highEnd);
    if (N(high).m_hItem != 0) m_pane->DeleteItem(N(high).m_hItem);
  }
  ForgetItems(high, highEnd);
  std::rotate(m_nodes.begin() + low, m_nodes.begin() + high, m_nodes.begin() + highEnd);
  if (ShowingPane() && N(parent).m_hItem != 0) {
    InsertItems(low, low + moved, N(parent).m_hItem, after, &held);
  }
  m_lastInsert = -1;
  RefreshChaptersIfShown(parent);
  return moved;
}

int CTreeStore::LevelUp(int i) {
  const int level = GetLevel(i);
  if (i <= 0 || level <= 1) return i;
  const int parent = GetParent(i);
  const int grandparent = GetParent(parent);
  const int end = GetBranchEnd(i, true);
  const int parentEnd = GetBranchEnd(parent, true);
  const qsizetype oldPrefix = N(parent).m_strPath.size();
  const QString& newPrefix = N(grandparent).m_strPath;
  for (int j = i; j < end; ++j) {
    N(j).m_strPath.replace(0, oldPrefix, newPrefix);
  }
  const ItemMask held = ItemsHeld(i, end);
  if (m_pane != nullptr && N(i).m_hItem != 0) m_pane->DeleteItem(N(i).m_hItem);
  ForgetItems(i, end);
  std::rotate(m_nodes.begin() + i, m_nodes.begin() + end, m_nodes.begin() + parentEnd);
  const int newIndex = parentEnd - (end - i);
  if (ShowingPane() && N(grandparent).m_hItem != 0) {
    const TreeItem after = N(parent).m_hItem != 0 ? N(parent).m_hItem : TreeControl::kLast;
    InsertItems(newIndex, parentEnd, N(grandparent).m_hItem, after, &held);
  }
  RefreshImage(parent);
  RefreshImage(grandparent);
  m_lastInsert = -1;
  RefreshChaptersIfShown(grandparent);
  return newIndex;
}

int CTreeStore::LevelDown(int i) {
  if (i <= 0) return -1;
  if (ShowingPane() && N(i).m_hItem != 0 && m_pane->GetPrevSiblingItem(N(i).m_hItem) == 0) {
    return i;
  }
  const int sibling = GetPrevSibling(i);
  if (sibling < 0) return -1;
  const int end = GetBranchEnd(i, true);
  const qsizetype oldPrefix = ParentPathOf(N(i).m_strPath).size();
  const QString& newPrefix = N(sibling).m_strPath;
  for (int j = i; j < end; ++j) {
    N(j).m_strPath.replace(0, oldPrefix, newPrefix);
  }
  const ItemMask held = ItemsHeld(i, end);
  if (m_pane != nullptr && N(i).m_hItem != 0) m_pane->DeleteItem(N(i).m_hItem);
  ForgetItems(i, end);
  if (ShowingPane()) {
    // The check filter may have left the new parent out; a shown node
    // going under it brings it back rather than vanishing.
    if (held.front()) EnsureItem(sibling);
    if (N(sibling).m_hItem != 0) InsertItems(i, end, N(sibling).m_hItem, TreeControl::kLast, &held);
  }
  RefreshImage(sibling);
  m_lastInsert = -1;
  RefreshChaptersIfShown(GetParent(sibling));
  return i;
}

// ---- Flags and marks ----

void CTreeStore::SetBranchFlag(int i, qint32 bit, bool on) {
  const int end = GetBranchEnd(i, true);
  for (int j = i; j < end; ++j) {
    N(j).m_nFlags = on ? (N(j).m_nFlags | bit) : (N(j).m_nFlags & ~bit);
    RefreshImage(j);
  }
}

bool CTreeStore::ToggleCheck(int i, bool wholeBranch) {
  N(i).m_nFlags ^= kFlagChecked;
  const bool shown = RefreshImageChecked(i);
  if (wholeBranch && HasChildren(i)) {
    SetBranchFlag(i, kFlagChecked, (N(i).m_nFlags & kFlagChecked) != 0);
  }
  return shown;
}

void CTreeStore::ToggleStrike(int i, bool wholeBranch) {
  N(i).m_nFlags ^= kFlagStruck;
  RefreshImage(i);
  if (wholeBranch && HasChildren(i)) {
    SetBranchFlag(i, kFlagStruck, (N(i).m_nFlags & kFlagStruck) != 0);
  }
  RefreshChaptersIfShown(GetParent(i));
}

void CTreeStore::SetMark(int i, int mark) {
  N(i).m_nMark = mark;
  if (m_pane != nullptr && N(i).m_hItem != 0) {
    m_pane->SetItemStateImage(N(i).m_hItem, mark != 0 ? 1 : 0);
  }
}

void CTreeStore::ClearMarks(int i) {
  const int end = GetBranchEnd(i, true);
  for (int j = i; j < end; ++j) SetMark(j, 0);
}

void CTreeStore::SetTitleOnly(int i, bool on) {
  N(i).m_nFlags = on ? (N(i).m_nFlags | kFlagTitleOnly) : (N(i).m_nFlags & ~kFlagTitleOnly);
}

void CTreeStore::SetNoTitle(int i, bool on) {
  N(i).m_nFlags = on ? (N(i).m_nFlags | kFlagNoTitle) : (N(i).m_nFlags & ~kFlagNoTitle);
}

void CTreeStore::SetTitleOutput(int i, int kind) {
  switch (kind) {
    case 0:
      SetTitleOnly(i, false);
      SetNoTitle(i, false);
      break;
    case 1:
      SetTitleOnly(i, true);
      SetNoTitle(i, false);
      break;
    case 2:
      SetTitleOnly(i, true);
      SetNoTitle(i, true);
      break;
    default:
      break;
  }
}

void CTreeStore::RenumberCategory(int from, int to) {
  for (auto& node : m_nodes) {
    if (node->GetCategory() == from + 1) node->SetCategory(to + 1);
  }
}

// ---- Clearing ----

void CTreeStore::Clear() {
  m_nodes.clear();
  m_loadedUndecodable.clear();
  if (m_pane != nullptr) m_pane->DeleteAllItems();
  m_built = false;
  m_settings.Reset(m_settingsStore);
  m_categories = CCategoryList(m_settingsStore);
  m_styles.LoadDefaults(m_settingsStore);
  m_lastInsert = -1;
}

// ---- Chapter characters ----

void CTreeStore::RecountChapters() {
  int counts[CChapterStyles::kMaxLevels] = {};
  int previousLevel = 0;
  // Whether the nearest ancestor at each level is struck through, so a
  // struck branch costs nothing extra per node.
  bool struck[CChapterStyles::kMaxLevels + 1] = {};
  if (Count() > 0) N(0).m_strChapter.clear();
  for (int i = 1; i < Count(); ++i) {
    CDirData& node = N(i);
    const int level = node.GetLevel();
    const bool inTable = level >= 1 && level <= CChapterStyles::kMaxLevels;
    if (!inTable) {
      node.m_strChapter.clear();
      continue;
    }
    // Counts deeper than the previous node are zero already.
    if (previousLevel > level) std::fill(counts + level, counts + previousLevel, 0);
    previousLevel = level;
    struck[level] = (node.m_nFlags & kFlagStruck) != 0 || (level > 1 && struck[level - 1]);
    const bool skip = (node.m_nFlags & (kFlagTitleOnly | kFlagNoTitle)) != 0 ||
                      (!m_numberStruck && struck[level]);
    if (skip) {
      node.m_strChapter.clear();
      continue;
    }
    ++counts[level - 1];
    node.m_strChapter = m_styles.Format(level, counts);
  }
}

QString CTreeStore::DisplayText(int i) const {
  return m_showChapters ? N(i).m_strChapter + TitleLabel(i) : TitleLabel(i);
}

QString CTreeStore::TitleLabel(int i) const {
  const CDirData& node = N(i);
  QString text = m_categories.DisplayText(node.GetCategory());
  text += node.GetTitle();
  if (m_timeDisplay == kTimeDisplayUpdated && node.HasUpdateTime()) {
    text += QStringLiteral(" (") + FormatDisplayTime(node.m_tmUpdate) + u')';
  } else if (m_timeDisplay == kTimeDisplayCreated && node.HasCreateTime()) {
    text += QStringLiteral(" (") + FormatDisplayTime(node.m_tmCreate) + u')';
  }
  return text;
}

void CTreeStore::RefreshChaptersIfShown(int branch) {
  if (m_showChapters) RefreshBranchText(branch, true);
}

}  // namespace qm
