// Behaviour of the timestamp display modes and of the latest-updated list:
// which nodes it lists, in what order, and the jump to one of them.
#include <algorithm>
#include <vector>

#include "editing/LatestUpdated.h"
#include "editing/Timestamps.h"
#include "res/Strings.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

constexpr qint32 kMorning = 1733616000;  // 2024-12-08 09:00 in Tokyo

class Timestamps : public TreePaneFixture {
 protected:
  CTimestamps timestamps{doc, tree, settings, prompt, dialogs};
};

TEST_F(Timestamps, ModesShowTheirTimeKeepTheSelectionAndAreRemembered) {
  Build({"R", "R/A=a", "R/B=b"});
  Node("R/A").SetUpdateTime(kMorning);
  Node("R/A").SetCreateTime(kMorning - 86400);
  Node("R/B").SetCreateTime(kMorning + 60);  // never updated
  Select("R/B");
  timestamps.SetDisplayMode(CTreeStore::kTimeDisplayCreated);
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A (2024/12/07 09:00)", "B (2024/12/08 09:01)"}));
  EXPECT_EQ(settings.ReadInt("View", "Time", -1), 2);
  EXPECT_EQ(body.fullUpdates, 2);  // the load, then the mode
  timestamps.SetDisplayMode(CTreeStore::kTimeDisplayUpdated);
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A (2024/12/08 09:00)", "B"}));
  EXPECT_FALSE(doc.IsModified());
  clock.Set(kMorning + 3600);
  body.text = "typed";
  doc.WriteBodyBack();  // the label shows the new time at once
  EXPECT_EQ(pane.Texts()[2], "B (2024/12/08 10:00)");
  timestamps.SetDisplayMode(CTreeStore::kTimeDisplayNone);
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "B"}));
  EXPECT_EQ(Selected(), "R/B");
  EXPECT_EQ(doc.CurrentNode(), 2);
  EXPECT_EQ(body.text, "typed");
  EXPECT_EQ(settings.ReadInt("View", "Time", -1), 0);
}

TEST_F(Timestamps, UndoLeavesTheViewSettingsAsTheUserLastChoseThem) {
  Build({"R", "R/A", "R/B"});
  Node("R/A").SetUpdateTime(kMorning);
  timestamps.SetDisplayMode(CTreeStore::kTimeDisplayUpdated);
  Select("R/B");
  tree.DeleteBranch();  // the snapshot is taken while times are shown
  timestamps.SetDisplayMode(CTreeStore::kTimeDisplayNone);
  tree.ToggleChapterCharacters();
  tree.Undo();
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "Ⅰ.A", "Ⅱ.B"}));
}

class LatestCollection : public StoreFixture {
 protected:
  // One node under the root per time; 0 stands for a node never updated.
  void BuildTimes(const std::vector<qint32>& times) {
    Build({"R"});
    for (const qint32 time : times) {
      const int added = store.InsertChild(0, QStringLiteral("n"), {}, {}, 0, 0);
      store.GetNode(added).m_nUpdateStatus = kTimeUnset;
      if (time != 0) store.GetNode(added).SetUpdateTime(time);
    }
  }
};

TEST_F(LatestCollection, NewestFirstEqualTimesInOutlineOrderUnsetSkipped) {
  BuildTimes({500, 700, 0, 700, 300, 900});
  EXPECT_EQ(CollectLatestUpdated(store), (std::vector<int>{6, 2, 4, 1, 5}));
  // A node as old as the last of a full list comes too late for it.
  EXPECT_EQ(CollectLatestUpdated(store, 3), (std::vector<int>{6, 2, 4}));

  // 150 distinct times, scrambled; times before 1970 count too.
  std::vector<qint32> times;
  for (int i = 0; i < 150; ++i) times.push_back(-5000 + ((i * 37) % 150) * 1000);
  BuildTimes(times);
  const std::vector<int> latest = CollectLatestUpdated(store);
  ASSERT_EQ(latest.size(), 100u);
  std::sort(times.rbegin(), times.rend());
  for (size_t k = 0; k < latest.size(); ++k) {
    EXPECT_EQ(store.GetNode(latest[k]).m_tmUpdate, times[k]) << k;
  }
}

TEST_F(Timestamps, ListWithoutUpdateTimesSaysSoAndShowsNoList) {
  Build({"R", "R/A"});
  timestamps.ShowLatestUpdated();
  EXPECT_EQ(prompt.Asked(), QStringList{res::kNoUpdatedTrees.toString()});
  EXPECT_TRUE(dialogs.LatestRequests().empty());
}

TEST_F(Timestamps, ListRowsShowTimeTitleAndBodyAndTheJumpOpensTheWay) {
  Build({"R", "R/A", "R/A/Deep", "R/B=b"});
  Store().Categories().Entries() << Category{"Work", {}};
  Node("R/A/Deep").SetCategory(1);
  Node("R/B").SetUpdateTime(kMorning - 60);
  Store().CollapseAll(0);
  tree.ToggleChapterCharacters();
  Select("R/A/Deep");
  body.text = "typed";  // handed over first, so this node is the newest
  clock.Set(kMorning);
  dialogs.ScriptLatestUpdated({std::nullopt, 0});
  timestamps.ShowLatestUpdated();
  Select("R/B");
  timestamps.ShowLatestUpdated();

  const std::vector<LatestUpdatedRow>& rows = dialogs.LatestRequests().at(0).rows;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(std::tie(rows[0].time, rows[0].title, rows[0].body),
            std::tuple("2024/12/08 09:00", "Deep", "typed"));
  EXPECT_EQ(Selected(), "R/A/Deep");
  EXPECT_EQ(body.text, "typed");
  EXPECT_EQ(Node("R/A/Deep").m_bExpand, 1);
  EXPECT_TRUE(pane.Get(Store().GetItem(Index("R/A"))).expanded);
}

TEST_F(Timestamps, JumpFindsTheListedNodeAmongSiblingsOfTheSameTitle) {
  Build({"R", "R/Same=first", "R/Same=second"});
  Store().GetNode(1).SetUpdateTime(kMorning - 60);
  Store().GetNode(2).SetUpdateTime(kMorning);
  dialogs.ScriptLatestUpdated({1, 0});
  timestamps.ShowLatestUpdated();
  EXPECT_EQ(body.text, "first");
  timestamps.ShowLatestUpdated();
  EXPECT_EQ(body.text, "second");
}

}  // namespace
}  // namespace qm::test
