// Behaviour of inserting runs of new nodes with levels of their own.
#include <map>
#include <tuple>
#include <vector>

#include "support/StoreFixture.h"

namespace qm::test {
namespace {

class NodeRuns : public StoreFixture {
 protected:
  // Every node's item hangs under its parent's item, in array order.
  void ExpectPaneMirrorsStore() {
    std::map<TreeItem, std::vector<TreeItem>> children;
    std::vector<TreeItem> line{store.GetItem(0)};  // the items of the line of descent
    for (int i = 1; i < store.GetCount(); ++i) {
      line.resize(static_cast<size_t>(store.GetLevel(i)));
      EXPECT_EQ(pane.Get(store.GetItem(i)).parent, line.back()) << i;
      children[line.back()].push_back(store.GetItem(i));
      line.push_back(store.GetItem(i));
    }
    for (const auto& [parent, items] : children) EXPECT_EQ(pane.Get(parent).children, items);
    EXPECT_EQ(pane.ItemCount(), store.GetCount());
  }
};

TEST_F(NodeRuns, LevelsStayWithinWhatThePositionAllows) {
  Build({"R", "R/A", "R/A/A1", "R/A/A2", "R/B"});
  // Before A2 nothing may be shallower, or A2 would change parents.
  EXPECT_EQ(store.InsertRun(Index("R/A/A2"), {{"n", {}, 1}, {"m", {}, 5}}), 3);
  // After A's branch: deeper than one below the node before is cut back.
  store.InsertRun(store.GetBranchEnd(Index("R/A"), true),
                  {{"x", {}, 9}, {"z", {}, 0}, {"w", {}, 2}});
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/n", "R/A/n/m", "R/A/A2", "R/A/A2/x",
                                  "R/z", "R/z/w", "R/B"}));
  ExpectPaneMirrorsStore();
}

TEST_F(NodeRuns, NewNodesAreFreshAndClean) {
  Build({"R", "R/A"});
  clock.Set(1800000000);
  const int at =
      store.InsertRun(2, {{QStringLiteral("t\x01i\rtle"), QStringLiteral("b\x05ody"), 2}});
  const CDirData& node = store.GetNode(at);
  EXPECT_EQ(
      std::tuple(node.GetTitle(), node.m_strBody, node.m_tmCreate, node.m_tmUpdate, node.m_nFlags,
                 node.m_nMark),
      std::tuple(QStringLiteral("title"), QStringLiteral("body"), 1800000000, 1800000000, 0, 0));
  EXPECT_EQ(pane.Get(store.GetItem(1)).image, 1);  // A has a child now
  EXPECT_EQ(store.InsertRun(2, {}), -1);
}

}  // namespace
}  // namespace qm::test
