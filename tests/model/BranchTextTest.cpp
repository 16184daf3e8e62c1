// Behaviour of branch text: making it from a branch and inserting it again,
// within one outline and into another.
#include "support/StoreFixture.h"

namespace qm::test {
namespace {

using BranchText = StoreFixture;

TEST_F(BranchText, RecordsOfABranchWithAndWithoutTimes) {
  Build({"R", "R/A", "R/A/B", "R/C"});
  store.SetBody(1, QStringLiteral("body"));
  store.SetLink(2, QStringLiteral("x.txt"));
  store.GetNode(2).m_nFlags = 5;
  store.GetNode(2).m_nMark = 1;
  store.GetNode(2).SetUpdateTime(1733650200);
  EXPECT_EQ(store.GetBranchText(1, false), Marks("A\\2\\4body\\5"
                                                 "0\\6"
                                                 "0\\3"
                                                 "0000000000000\\7"
                                                 "A\\1B\\2x.txt\\4\\5"
                                                 "5\\6"
                                                 "1\\3"
                                                 "0000000000000\\7"));
  EXPECT_EQ(store.GetChildrenText(1, true), Marks("B\\2x.txt\\4\\5"
                                                  "5\\6"
                                                  "1\\3"
                                                  "0000000000000\\1"
                                                  "2024120818300000000000000000"
                                                  "00000000000000000\\7"));
}

TEST_F(BranchText, InsertsBeforeOrAfterTheAnchorsBranch) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  const QString text = store.GetBranchText(Index("R/A"), true);
  EXPECT_EQ(store.InsertBranchText(Index("R/B"), text, true), 4);
  EXPECT_EQ(store.InsertBranchText(Index("R/A"), text, false), 1);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A", "R/A/A1", "R/B", "R/A", "R/A/A1"}));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "A1", "A", "A1", "B", "A", "A1"}));
}

TEST_F(BranchText, InsertOnTheRootAppendsItsChildren) {
  Build({"R", "R/A"});
  EXPECT_EQ(store.InsertBranchText(0, Marks("N\\1M\\7N\\7"), true), 2);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/M", "R/N"}));  // a first record cannot go deeper
}

TEST_F(BranchText, FieldsTimesAndIdentifierComeBack) {
  Build({"R", "R/A"});
  CDirData& a = store.GetNode(1);
  a.SetIdText(u"ABCDEF1234563");
  a.SetCreateTime(1733650200);
  a.m_nUpdateStatus = kTimeUnset;
  a.SetCategory(3);
  const QString text = store.GetBranchText(1, true);
  clock.Set(1800000000);
  const int at = store.InsertBranchText(1, text, true);
  const CDirData& copy = store.GetNode(at);
  EXPECT_EQ(copy.GetIdText(), QStringLiteral("ABCDEF1234563"));
  EXPECT_EQ(copy.m_tmCreate, 1733650200);
  EXPECT_FALSE(copy.HasUpdateTime());  // zeros read as unset
  EXPECT_EQ(copy.GetCategory(), 3);
  // Without times the copy is a node made now.
  const int fresh = store.InsertBranchText(1, store.GetBranchText(1, false), true);
  EXPECT_EQ(store.GetNode(fresh).m_tmCreate, 1800000000);
}

TEST_F(BranchText, ARecordWithoutItsEndFailsButKeepsTheCompleteOnes) {
  Build({"R", "R/A"});
  EXPECT_EQ(store.InsertBranchText(1, Marks("X\\4b\\7Y\\4broken"), true), -1);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/X"}));
  EXPECT_EQ(store.InsertBranchText(1, QString(), true), -1);
}

TEST_F(BranchText, ForeignTextCannotBreakTheTree) {
  Build({"R", "R/A"});
  // A record that skips levels, line breaks and stray separators in a path.
  store.InsertBranchText(1, Marks("a\\1b\\1c\\7x\r\ny\\7\\7"), true);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/c", "R/xy", "R/"}));
  for (int i = 1; i < store.GetCount(); ++i) {
    EXPECT_LE(store.GetLevel(i), store.GetLevel(i - 1) + 1);
  }
}

TEST_F(BranchText, CarriesABranchIntoAnotherOutline) {
  Build({"R", "R/A", "R/A/A1", "R/A/A1/x"});
  const QString text = store.GetBranchText(Index("R/A/A1"), true);
  FakeTreeControl otherPane;
  CTreeStore other(settings, clock);
  other.SetPane(&otherPane);
  other.AddRoot(QStringLiteral("Other"));
  other.InsertChild(0, QStringLiteral("Here"), {}, {}, 0, 0);
  other.RebuildTree();
  other.InsertBranchText(1, text, true);
  EXPECT_EQ(other.GetTitle(2), QStringLiteral("A1"));
  EXPECT_EQ(other.GetPath(3), P("Other/A1/x"));
  EXPECT_EQ(otherPane.Texts(), (QStringList{"Other", "Here", "A1", "x"}));
}

}  // namespace
}  // namespace qm::test
