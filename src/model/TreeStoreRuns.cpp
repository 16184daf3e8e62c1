// CTreeStore: inserting a run of new nodes with levels of their own in one
// pass, so that thousands of pasted lines cost one array shift.
#include <algorithm>
#include <memory>
#include <vector>

#include "model/TreeStore.h"
#include "platform/Clock.h"
#include "platform/TreeControl.h"

namespace qm {

int CTreeStore::InsertRun(int at, const std::vector<RunNode>& run) {
  if (run.empty() || at < 1 || at > Count()) return -1;

  // line[l]: the latest node of level l on the line of descent that ends
  // just before `at`; a new node of level l hangs under line[l - 1] and
  // follows line[l] when there is one.
  int before = at - 1;
  std::vector<int> line(static_cast<size_t>(GetLevel(before)) + 1, 0);
  for (int level = GetLevel(before), j = before; j >= 0 && level >= 0; --j) {
    const int l = GetLevel(j);
    if (l > level) continue;
    line[static_cast<size_t>(l)] = j;
    level = l - 1;
  }
  const std::vector<int> oldLine = line;

  // The node that follows the run keeps its parent only while no new node
  // is shallower than it.
  const int floor = std::max(1, at < Count() ? GetLevel(at) : 1);
  const qint32 now = m_clock.Now();
  std::vector<QString> paths;
  paths.reserve(line.size() + 1);
  for (const int j : line) paths.push_back(N(j).m_strPath);
  std::vector<std::unique_ptr<CDirData>> made;
  made.reserve(run.size());
  int previous = GetLevel(before);
  int shallowest = previous + 1;
  for (const RunNode& wanted : run) {
    const int deepest = previous + 1;
    const int level = std::min(std::max(wanted.level, std::min(floor, deepest)), deepest);
    auto node = std::make_unique<CDirData>();
    paths.resize(static_cast<size_t>(level));
    node->m_strPath = paths.back() + kPathSeparator + CDirData::SanitizeLine(wanted.title);
    paths.push_back(node->m_strPath);
    node->m_strBody = CDirData::SanitizeBody(wanted.body);
    node->m_bExpand = 1;
    node->SetCreateTime(now);
    node->SetUpdateTime(now);
    made.push_back(std::move(node));
    previous = level;
    shallowest = std::min(shallowest, level);
  }
  const int count = static_cast<int>(made.size());
  m_nodes.insert(m_nodes.begin() + at, std::make_move_iterator(made.begin()),
                 std::make_move_iterator(made.end()));
  m_lastInsert = -1;

  if (ShowingPane()) {
    for (int j = at; j < at + count; ++j) {
      const auto level = static_cast<size_t>(GetLevel(j));
      const TreeItem parentItem = N(line[level - 1]).m_hItem;
      TreeItem after = TreeControl::kLast;
      if (level < line.size() && N(line[level]).m_hItem != 0) after = N(line[level]).m_hItem;
      if (parentItem != 0) InsertItems(j, j + 1, parentItem, after);
      line.resize(level);
      line.push_back(j);
    }
    // Nodes that had no children before may have them now.
    for (const int j : oldLine) RefreshImage(j);
  }
  RefreshChaptersIfShown(oldLine[static_cast<size_t>(shallowest) - 1]);
  return at;
}

}  // namespace qm
