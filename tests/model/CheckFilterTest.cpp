// The check filter of the outline store: which nodes the pane holds, and how
// the pane follows inserts and moves while a filter leaves nodes out.
#include <gtest/gtest.h>

#include "support/StoreFixture.h"

namespace qm::test {
namespace {

class CheckFilter : public StoreFixture {
 protected:
  void Filter(int filter, std::initializer_list<const char*> checked) {
    for (const char* path : checked) store.GetNode(Index(path)).m_nFlags |= kFlagChecked;
    store.SetCheckFilter(filter);
    store.RebuildTree();
  }
  // The pane's items, indented two blanks per depth, each ended by "|".
  QString Shown() const {
    QString out;
    for (const QString& line : pane.Dump().split(u'\n', Qt::SkipEmptyParts)) {
      out += line.left(line.indexOf(u" [")) + u'|';
    }
    return out;
  }
};

TEST_F(CheckFilter, ShowsPassingNodesWithTheirAncestorsAndTheRoot) {
  Build({"R", "R/A", "R/A/a", "R/B", "R/C", "R/C/c"});
  Filter(CTreeStore::kCheckFilterChecked, {"R/A/a", "R/C"});
  EXPECT_EQ(Shown(), "R|  A|    a|  C|");
  EXPECT_EQ(store.NearestInPane(Index("R/C/c")), Index("R/C"));
  Filter(CTreeStore::kCheckFilterUnchecked, {});
  EXPECT_EQ(Shown(), "R|  A|  B|  C|    c|");  // C is checked but holds c
  Filter(CTreeStore::kCheckFilterChecked, {"R"});
  Filter(CTreeStore::kCheckFilterUnchecked, {"R/A", "R/A/a", "R/B", "R/C/c"});
  EXPECT_EQ(Shown(), "R|");
  EXPECT_EQ(store.GetCount(), 6);
}

TEST_F(CheckFilter, NewNodesShowAndBringALeftOutParentBackInPlace) {
  Build({"R", "R/A", "R/B", "R/C"});
  Filter(CTreeStore::kCheckFilterChecked, {"R/B"});
  store.InsertChild(Index("R/C"), QStringLiteral("c"), {}, {}, 0, 0);
  EXPECT_EQ(Shown(), "R|  B|  C|    c|");
  store.InsertSibling(Index("R/A"), QStringLiteral("after A"), {}, {}, 0, 0);
  EXPECT_EQ(Shown(), "R|  after A|  B|  C|    c|");
}

TEST_F(CheckFilter, MovesKeepThePaneInOrderAndKeepWhatWasShown) {
  Build({"R", "R/A", "R/B", "R/C", "R/C/x", "R/C/y"});
  Filter(CTreeStore::kCheckFilterChecked, {"R/A", "R/C", "R/C/y"});
  // C moves up past the left-out B: one item for it, after A.
  ASSERT_EQ(store.MoveRange(Index("R/B"), Index("R/C")), 3);
  EXPECT_EQ(Shown(), "R|  A|  C|    y|");
  ASSERT_EQ(store.MoveRange(Index("R/C"), Index("R/B")), 1);
  // C goes under the left-out B, which comes back rather than C vanishing.
  const int down = store.LevelDown(Index("R/C"));
  EXPECT_EQ(store.GetPath(down), P("R/B/C"));
  EXPECT_EQ(Shown(), "R|  A|  B|    C|      y|");
  store.LevelUp(down);
  EXPECT_EQ(Shown(), "R|  A|  B|  C|    y|");
  EXPECT_FALSE(store.IsInPane(Index("R/C/x")));
}

}  // namespace
}  // namespace qm::test
