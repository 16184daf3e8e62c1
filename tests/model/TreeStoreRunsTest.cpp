// Behaviour of inserting runs of new nodes with levels of their own, and of
// branch text inserted as last children.
#include <map>
#include <tuple>
#include <vector>

#include "model/StoreFixture.h"

namespace qm::test {
namespace {

class NodeRuns : public StoreFixture {
 protected:
  // Every node's item hangs under its parent's item, in array order.
  void ExpectPaneMirrorsStore() {
    std::map<TreeItem, std::vector<TreeItem>> children;
    std::vector<TreeItem> line{store.GetItem(0)};  // items of the line of descent
    for (int i = 1; i < store.GetCount(); ++i) {
      const auto level = static_cast<size_t>(store.GetLevel(i));
      ASSERT_NE(store.GetItem(i), 0u) << i;
      ASSERT_LE(level, line.size()) << i;
      line.resize(level);
      EXPECT_EQ(pane.Get(store.GetItem(i)).parent, line.back()) << i;
      children[line.back()].push_back(store.GetItem(i));
      line.push_back(store.GetItem(i));
    }
    for (const auto& [parent, items] : children) EXPECT_EQ(pane.Get(parent).children, items);
    EXPECT_EQ(pane.ItemCount(), store.GetCount());
  }

  std::vector<CTreeStore::RunNode> Run(std::initializer_list<std::pair<const char*, int>> nodes) {
    std::vector<CTreeStore::RunNode> run;
    for (const auto& [title, level] : nodes) run.push_back({QString::fromUtf8(title), {}, level});
    return run;
  }
};

TEST_F(NodeRuns, LevelsNeverSkipAndNeverRiseAboveTheFollowingNode) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  // After A's branch, before B: deeper than the node before plus one is
  // cut back, shallower than B (level 1) is raised to it.
  const int at = store.GetBranchEnd(Index("R/A"), true);
  EXPECT_EQ(store.InsertRun(at, Run({{"x", 4}, {"y", 3}, {"z", 0}, {"w", 2}})), 3);
  EXPECT_EQ(Paths(),
            (QStringList{"R", "R/A", "R/A/A1", "R/A/A1/x", "R/A/A1/y", "R/z", "R/z/w", "R/B"}));
  ExpectPaneMirrorsStore();
  EXPECT_EQ(store.GetParent(Index("R/B")), 0);
}

TEST_F(NodeRuns, InsideABranchTheFollowingSiblingKeepsItsParent) {
  Build({"R", "R/A", "R/A/A1", "R/A/A2"});
  EXPECT_EQ(store.InsertRun(Index("R/A/A2"), Run({{"n", 1}, {"m", 3}})), 3);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/n", "R/A/n/m", "R/A/A2"}));
  ExpectPaneMirrorsStore();
}

TEST_F(NodeRuns, NewNodesAreFreshAndCleanAndParentsGetTheirIcon) {
  Build({"R", "R/A"});
  clock.Set(1800000000);
  const int at =
      store.InsertRun(2, {{QStringLiteral("t\x01i\rt\nle"), QStringLiteral("b\x05ody"), 2}});
  const CDirData& node = store.GetNode(at);
  EXPECT_EQ(node.GetTitle(), QStringLiteral("title"));
  EXPECT_EQ(node.m_strBody, QStringLiteral("body"));
  EXPECT_EQ(std::tuple(node.m_tmCreate, node.m_tmUpdate), std::tuple(1800000000, 1800000000));
  EXPECT_EQ(std::tuple(node.m_nFlags, node.m_nMark, node.m_bExpand), std::tuple(0, 0, 1));
  EXPECT_EQ(pane.Get(store.GetItem(1)).image, 1);  // A has a child now
  EXPECT_EQ(store.InsertRun(2, {}), -1);
}

TEST_F(NodeRuns, ShownChapterCharactersAreRecounted) {
  Build({"R", "R/A", "R/B"});
  store.SetShowsChapters(true);
  store.RebuildTree();
  store.InsertRun(2, Run({{"n", 1}}));
  EXPECT_EQ(pane.Texts().mid(1), (QStringList{store.GetChapter(1) + "A", store.GetChapter(2) + "n",
                                              store.GetChapter(3) + "B"}));
  EXPECT_NE(store.GetChapter(3), store.GetChapter(2));
}

TEST_F(NodeRuns, TenThousandNodesInOnePass) {
  Build({"R", "R/A"});
  std::vector<CTreeStore::RunNode> run;
  for (int i = 0; i < 10000; ++i) run.push_back({QString::number(i), {}, 2 + i % 3});
  store.InsertRun(2, run);
  EXPECT_EQ(store.GetCount(), 10002);
  EXPECT_EQ(store.GetPath(4), P("R/A/0/1/2"));
  ExpectPaneMirrorsStore();
}

using BranchTextBelow = StoreFixture;

TEST_F(BranchTextBelow, GoesAfterTheLastChildOrIsTheFirstChild) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  const QString text = Marks("x\\7x\\1y\\7");
  EXPECT_EQ(store.InsertBranchTextBelow(Index("R/A"), text), 3);
  EXPECT_EQ(store.InsertBranchTextBelow(Index("R/B"), text), 6);
  EXPECT_EQ(Paths(),
            (QStringList{"R", "R/A", "R/A/A1", "R/A/x", "R/A/x/y", "R/B", "R/B/x", "R/B/x/y"}));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "A1", "x", "y", "B", "x", "y"}));
  EXPECT_EQ(store.InsertBranchTextBelow(0, Marks("broken")), -1);
  EXPECT_EQ(store.GetCount(), 8);
}

}  // namespace
}  // namespace qm::test
