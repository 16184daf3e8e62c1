// Behaviour of the outline store: navigation, editing, flags, numbering and
// the tree pane it keeps in step.
#include "res/Strings.h"
#include "support/StoreFixture.h"

namespace qm::test {
namespace {

using TreeStoreNavigation = StoreFixture;

TEST_F(TreeStoreNavigation, RootOnlyOutline) {
  Build({"R"});
  EXPECT_FALSE(store.HasChildren(0));
  EXPECT_EQ(store.GetBranchEnd(0, true), 1);
  EXPECT_EQ(store.GetBranchEnd(0, false), -1);
  EXPECT_EQ(store.GetPrevSibling(0), 0);
  EXPECT_EQ(store.GetParent(0), 0);
}

TEST_F(TreeStoreNavigation, FamilyRelations) {
  Build({"R", "R/A", "R/A/A1", "R/A/A2", "R/B", "R/B/B1"});
  EXPECT_EQ(store.GetParent(Index("R/A/A2")), Index("R/A"));
  EXPECT_EQ(store.GetPrevSibling(Index("R/B")), Index("R/A"));
  EXPECT_EQ(store.GetPrevSibling(Index("R/A/A1")), -1);
  EXPECT_EQ(store.GetBranchEnd(Index("R/A"), true), Index("R/B"));
  EXPECT_EQ(store.GetBranchEnd(Index("R/A"), false), Index("R/B"));
  EXPECT_EQ(store.GetBranchEnd(Index("R/B"), false), -1);
  EXPECT_TRUE(store.HasChildren(Index("R/A")));
  EXPECT_FALSE(store.HasChildren(Index("R/A/A2")));
}

TEST_F(TreeStoreNavigation, PathPartsAndPositions) {
  Build({"R", "R/Alpha", "R/Alpha/Beta"});
  const int beta = Index("R/Alpha/Beta");
  EXPECT_EQ(store.GetPathPart(beta, 1), QStringLiteral("Alpha"));
  EXPECT_EQ(store.GetPathPart(beta, -1), QStringLiteral("Beta"));
  EXPECT_EQ(store.PathPosition(beta, 0), 0);
  EXPECT_EQ(store.PathPosition(beta, 2), 8);
  EXPECT_EQ(store.GetTextExtent(beta), 4 + 2 * 2);
  EXPECT_EQ(store.ParentPathOf(P("R/Alpha/Beta")), P("R/Alpha"));
  EXPECT_EQ(store.TitleOf(P("R/Alpha/Beta")), QStringLiteral("Beta"));
  EXPECT_EQ(store.ParentPathOf(QStringLiteral("R")), QStringLiteral("R"));
}

TEST_F(TreeStoreNavigation, FindsPathsEitherWayAndItems) {
  Build({"R", "R/A", "R/A/B", "R/AB"});
  EXPECT_EQ(store.FindPath(P("R/A/B")), 2);
  EXPECT_EQ(store.FindPathReverse(P("R/A/B")), 2);
  EXPECT_EQ(store.FindPathReverse(P("R/X")), -1);
  EXPECT_EQ(store.FindItem(store.GetItem(2)), 2);
  EXPECT_EQ(store.FindItem(0), -1);
}

using TreeStoreEditing = StoreFixture;

TEST_F(TreeStoreEditing, InsertChildAppendsUnderParentWithFreshTimes) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  clock.Set(1750000000);
  const int added = store.InsertChild(Index("R/A"), QStringLiteral("A2"), {}, QStringLiteral("b"),
                                      kFlagChecked, 1);
  EXPECT_EQ(added, 3);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/A2", "R/B"}));
  const CDirData& node = store.GetNode(added);
  EXPECT_EQ(node.m_tmCreate, 1750000000);
  EXPECT_TRUE(node.HasUpdateTime());
  EXPECT_EQ(node.m_bExpand, 1);
  // The pane shows it as the last child of A, with its check and mark.
  const auto& a = pane.Get(store.GetItem(Index("R/A")));
  ASSERT_EQ(a.children.size(), 2u);
  EXPECT_EQ(a.children.back(), store.GetItem(added));
  EXPECT_EQ(pane.Get(store.GetItem(added)).image, 2);
}

TEST_F(TreeStoreEditing, InsertSiblingGoesAfterTheWholeBranch) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  const int added = store.InsertSibling(Index("R/A"), QStringLiteral("C"), {}, {}, 0, 0);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/C", "R/B"}));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "A1", "C", "B"}));
  EXPECT_EQ(store.GetItem(added) != 0, true);
  EXPECT_EQ(store.InsertSibling(0, QStringLiteral("X"), {}, {}, 0, 0), 0);
  EXPECT_EQ(store.GetCount(), 5);
}

TEST_F(TreeStoreEditing, ConsecutiveInsertsFollowEachOther) {
  Build({"R", "R/A"});
  store.InsertNode(0, QStringLiteral("1"), {}, {}, 0, 0, false);
  store.InsertNode(0, QStringLiteral("2"), {}, {}, 0, 0, true);
  store.InsertNode(0, QStringLiteral("3"), {}, {}, 0, 0, true);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/1", "R/2", "R/3"}));
}

TEST_F(TreeStoreEditing, SeparatorsAndLineBreaksNeverEnterTitlesOrBodies) {
  Build({"R"});
  const int i =
      store.InsertChild(0, QStringLiteral("a\u0001b\u0005c\r\nd"), QStringLiteral("x\u0002y"),
                        QStringLiteral("\u0004line\r\n\u0008x"), 0, 0);
  EXPECT_EQ(store.GetTitle(i), QStringLiteral("abcd"));
  EXPECT_EQ(store.GetLevel(i), 1);
  EXPECT_EQ(store.GetLink(i), QStringLiteral("xy"));
  EXPECT_EQ(store.GetBody(i), QStringLiteral("line\r\nx"));
}

TEST_F(TreeStoreEditing, RenameRewritesTheBranchButNotLookalikeSiblings) {
  Build({"R", "R/A", "R/A/A1", "R/A/A1/x", "R/AB", "R/AB/y"});
  store.Rename(Index("R/A"), QStringLiteral("Z"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/Z", "R/Z/A1", "R/Z/A1/x", "R/AB", "R/AB/y"}));
  EXPECT_EQ(pane.Get(store.GetItem(1)).text, QStringLiteral("Z"));
}

TEST_F(TreeStoreEditing, RenameRootKeepsLevels) {
  Build({"R", "R/A"});
  store.SetTitleAndLink(0, QStringLiteral("New"), QStringLiteral("f.txt"));
  EXPECT_EQ(Paths(), (QStringList{"New", "New/A"}));
  EXPECT_EQ(store.GetLink(0), QStringLiteral("f.txt"));
  EXPECT_EQ(pane.Get(store.GetItem(0)).image, 1 + 4);
}

TEST_F(TreeStoreEditing, DeleteRemovesBranchFromArrayAndPane) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  store.DeleteBranch(Index("R/A"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/B"}));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "B"}));
  store.DeleteBranch(0);  // the root stays
  EXPECT_EQ(store.GetCount(), 2);
  store.DeleteByPath(P("R/B"));
  store.DeleteByPath(P("R/none"));
  EXPECT_EQ(Paths(), (QStringList{"R"}));
  EXPECT_EQ(pane.Get(store.GetItem(0)).image, 0);  // no children any more
}

TEST_F(TreeStoreEditing, MoveRangeSwapsNeighbouringSiblings) {
  Build({"R", "R/A", "R/A/A1", "R/B", "R/B/B1", "R/B/B2", "R/C"});
  EXPECT_EQ(store.MoveRange(Index("R/B"), Index("R/A")), 3);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/B", "R/B/B1", "R/B/B2", "R/A", "R/A/A1", "R/C"}));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "B", "B1", "B2", "A", "A1", "C"}));
  // Not siblings: nothing moves.
  EXPECT_EQ(store.MoveRange(Index("R/A/A1"), Index("R/C")), 0);
}

TEST_F(TreeStoreEditing, LevelUpMakesNextSiblingOfParent) {
  Build({"R", "R/A", "R/A/A1", "R/A/A1/x", "R/A/A2", "R/B"});
  const int moved = store.LevelUp(Index("R/A/A1"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A2", "R/A1", "R/A1/x", "R/B"}));
  EXPECT_EQ(moved, 3);
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "A2", "A1", "x", "B"}));
}

TEST_F(TreeStoreEditing, LevelUpOfFirstLevelDoesNothing) {
  Build({"R", "R/A", "R/B"});
  EXPECT_EQ(store.LevelUp(Index("R/B")), Index("R/B"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/B"}));
}

TEST_F(TreeStoreEditing, LevelDownMakesLastChildOfPreviousSibling) {
  Build({"R", "R/A", "R/A/A1", "R/B", "R/B/B1"});
  EXPECT_EQ(store.LevelDown(Index("R/B")), 3);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/B", "R/A/B/B1"}));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "A1", "B", "B1"}));
  // The first child has no previous item in the pane: nothing happens.
  EXPECT_EQ(store.LevelDown(Index("R/A")), Index("R/A"));
  store.SetPane(nullptr);
  EXPECT_EQ(store.LevelDown(Index("R/A")), -1);
}

TEST_F(TreeStoreEditing, ReplaceInBranchCountsAndRewritesPaths) {
  Build({"R", "R/cat", "R/cat/cat food", "R/dog"});
  store.SetBody(Index("R/cat/cat food"), QStringLiteral("a cat"));
  EXPECT_EQ(
      store.ReplaceInBranch(Index("R/cat"), QStringLiteral("cat"), QStringLiteral("lion"), false),
      2);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/lion", "R/lion/lion food", "R/dog"}));
  EXPECT_EQ(store.ReplaceInBranch(0, QStringLiteral("cat"), QStringLiteral("x"), true), 1);
  EXPECT_EQ(store.GetBody(2), QStringLiteral("a x"));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "lion", "lion food", "dog"}));
  EXPECT_EQ(store.ReplaceInBranch(0, QString(), QStringLiteral("x"), true), 0);
}

using TreeStoreFlags = StoreFixture;

TEST_F(TreeStoreFlags, ToggleCheckSpreadsToTheBranchOnlyWhenAsked) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  EXPECT_TRUE(store.ToggleCheck(Index("R/B"), false));
  EXPECT_EQ(pane.Get(store.GetItem(Index("R/B"))).image, 2);

  store.ToggleCheck(Index("R/A"), false);
  EXPECT_EQ(store.GetNode(Index("R/A/A1")).m_nFlags & kFlagChecked, 0);

  store.ToggleCheck(Index("R/A"), true);  // off again, and the branch follows
  store.ToggleCheck(Index("R/A"), true);  // on for everyone
  EXPECT_NE(store.GetNode(Index("R/A/A1")).m_nFlags & kFlagChecked, 0);
  EXPECT_EQ(pane.Get(store.GetItem(Index("R/A/A1"))).image, 2);
}

TEST_F(TreeStoreFlags, ACheckThePaneCannotShowIsStillSetAndReported) {
  Build({"R", "R/A"});
  pane.FailImageCalls(true);
  EXPECT_FALSE(store.ToggleCheck(Index("R/A"), false));
  EXPECT_NE(store.GetNode(Index("R/A")).m_nFlags & kFlagChecked, 0);
}

TEST_F(TreeStoreFlags, StrikeAppliesToTheWholeBranch) {
  Build({"R", "R/A", "R/A/A1"});
  store.ToggleStrike(Index("R/A"), true);
  EXPECT_TRUE(store.IsStruckBranch(Index("R/A/A1")));
  EXPECT_NE(store.GetNode(Index("R/A/A1")).m_nFlags & kFlagStruck, 0);
  EXPECT_EQ(pane.Get(store.GetItem(Index("R/A"))).image, 1 + 8);
}

TEST_F(TreeStoreFlags, MarksShowStateImageAndClearInBranchOnly) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  store.SetMark(Index("R/A/A1"), 1);
  store.SetMark(Index("R/B"), 2);
  EXPECT_EQ(pane.Get(store.GetItem(Index("R/A/A1"))).stateImage, 1);
  EXPECT_EQ(pane.Get(store.GetItem(Index("R/B"))).stateImage, 1);
  store.ClearMarks(Index("R/A"));
  EXPECT_EQ(store.GetMark(Index("R/A/A1")), 0);
  EXPECT_EQ(pane.Get(store.GetItem(Index("R/A/A1"))).stateImage, 0);
  EXPECT_EQ(store.GetMark(Index("R/B")), 2);
}

TEST_F(TreeStoreFlags, TitleOutputKinds) {
  Build({"R", "R/A"});
  const int a = Index("R/A");
  store.SetTitleOutput(a, 2);
  EXPECT_TRUE(store.IsTitleOnly(a) && store.IsNoTitle(a));
  store.SetTitleOutput(a, 1);
  EXPECT_TRUE(store.IsTitleOnly(a) && !store.IsNoTitle(a));
  store.SetTitleOutput(a, 7);
  EXPECT_TRUE(store.IsTitleOnly(a));
  store.SetTitleOutput(a, 0);
  EXPECT_FALSE(store.IsTitleOnly(a) || store.IsNoTitle(a));
}

TEST_F(TreeStoreFlags, RenumberCategoryMovesOnlyThatNumber) {
  Build({"R", "R/A", "R/B", "R/C"});
  store.GetNode(1).SetCategory(1);
  store.GetNode(2).SetCategory(2);
  store.GetNode(3).SetCategory(3);
  store.RenumberCategory(1, -1);
  store.RenumberCategory(2, 1);
  EXPECT_EQ(store.GetNode(1).GetCategory(), 1);
  EXPECT_EQ(store.GetNode(2).GetCategory(), 0);
  EXPECT_EQ(store.GetNode(3).GetCategory(), 2);
}

using TreeStoreVisibility = StoreFixture;

TEST_F(TreeStoreVisibility, RebuildOpensParentsOfShownNodes) {
  Build({"R", "R/A", "R/A/A1", "R/B", "R/B/B1"});
  store.GetNode(Index("R/B/B1")).m_bExpand = 0;
  store.RebuildTree();
  EXPECT_TRUE(pane.Get(store.GetItem(Index("R/A"))).expanded);
  EXPECT_FALSE(pane.Get(store.GetItem(Index("R/B"))).expanded);
  EXPECT_TRUE(pane.Get(store.GetItem(0)).expanded);
  EXPECT_TRUE(pane.RedrawOn());
  EXPECT_EQ(pane.RedrawOffCount(), 2);  // one per build
  EXPECT_TRUE(store.IsBuilt());
}

TEST_F(TreeStoreVisibility, CollapseAndExpandWholeBranch) {
  Build({"R", "R/A", "R/A/A1", "R/A/A1/x"});
  store.CollapseAll(Index("R/A"));
  EXPECT_EQ(store.GetNode(Index("R/A/A1")).m_bExpand, 0);
  EXPECT_EQ(store.GetNode(Index("R/A/A1/x")).m_bExpand, 0);
  EXPECT_EQ(store.GetNode(Index("R/A")).m_bExpand, 1);
  EXPECT_FALSE(pane.Get(store.GetItem(Index("R/A"))).expanded);
  store.ExpandAll(Index("R/A"));
  EXPECT_EQ(store.GetNode(Index("R/A/A1/x")).m_bExpand, 1);
  EXPECT_TRUE(pane.Get(store.GetItem(Index("R/A/A1"))).expanded);
}

TEST_F(TreeStoreVisibility, ExpandChildrenShowsDirectChildrenOnly) {
  Build({"R", "R/A", "R/A/A1", "R/A/A1/x"});
  store.CollapseAll(0);
  store.ExpandChildren(Index("R/A"));
  EXPECT_EQ(store.GetNode(Index("R/A/A1")).m_bExpand, 1);
  EXPECT_EQ(store.GetNode(Index("R/A/A1/x")).m_bExpand, 0);
  EXPECT_TRUE(pane.Get(store.GetItem(Index("R/A"))).expanded);
}

TEST_F(TreeStoreVisibility, RevealOpensHiddenAncestorsAndSelects) {
  Build({"R", "R/A", "R/A/A1", "R/A/A1/x", "R/B"});
  store.CollapseAll(0);
  const int x = Index("R/A/A1/x");
  store.Reveal(x);
  EXPECT_EQ(store.GetNode(x).m_bExpand, 1);
  EXPECT_EQ(store.GetNode(Index("R/A/A1")).m_bExpand, 1);
  EXPECT_EQ(store.GetNode(Index("R/A")).m_bExpand, 1);
  EXPECT_EQ(store.GetNode(Index("R/B")).m_bExpand, 1);  // A's sibling is shown with it
  EXPECT_EQ(store.GetSelected(), x);
}

using TreeStoreNumbering = StoreFixture;

TEST_F(TreeStoreNumbering, TitleOnlyNodeDoesNotAdvanceTheCount) {
  Build({"R", "R/A", "R/A/a", "R/T", "R/B", "R/B/b"});
  store.SetTitleOnly(Index("R/T"), true);
  store.RecountChapters();
  EXPECT_EQ(store.GetChapter(0), QString());
  EXPECT_EQ(store.GetChapter(Index("R/A")), QStringLiteral("Ⅰ."));
  EXPECT_EQ(store.GetChapter(Index("R/A/a")), QStringLiteral("1."));
  EXPECT_EQ(store.GetChapter(Index("R/T")), QString());
  EXPECT_EQ(store.GetChapter(Index("R/B")), QStringLiteral("Ⅱ."));
  EXPECT_EQ(store.GetChapter(Index("R/B/b")), QStringLiteral("1."));
}

TEST_F(TreeStoreNumbering, StruckBranchesFollowTheSwitch) {
  Build({"R", "R/A", "R/A/a", "R/B"});
  store.GetNode(Index("R/A")).m_nFlags |= kFlagStruck;
  store.RecountChapters();
  EXPECT_EQ(store.GetChapter(Index("R/A/a")), QString());
  EXPECT_EQ(store.GetChapter(Index("R/B")), QStringLiteral("Ⅰ."));
  store.SetNumbersStruck(true);
  store.RecountChapters();
  EXPECT_EQ(store.GetChapter(Index("R/B")), QStringLiteral("Ⅱ."));
}

TEST_F(TreeStoreNumbering, DeepLevelsStayInsideTheTables) {
  QString path = QStringLiteral("R");
  store.Clear();
  store.AddRoot(path);
  for (int level = 1; level <= 260; ++level) {
    store.InsertChild(level - 1, QString::number(level), {}, {}, 0, 0);
  }
  store.RecountChapters();
  EXPECT_EQ(store.GetChapter(1), QStringLiteral("Ⅰ."));
  EXPECT_EQ(store.GetChapter(250), QString());
}

TEST_F(TreeStoreNumbering, DisplayTextCombinesChapterCategoryTitleAndTime) {
  settings.WriteString(QStringLiteral("System"), QStringLiteral("CategoryStrBefore"), "[");
  settings.WriteString(QStringLiteral("System"), QStringLiteral("CategoryStrAfter"), "]");
  Build({"R", "R/A", "R/B"});
  store.Categories().Entries() = {{QStringLiteral("Work"), {}}, {QString(), {}}};
  CDirData& a = store.GetNode(1);
  a.SetCategory(1);
  a.SetUpdateTime(1733650200);      // 2024-12-08 18:30 in Tokyo
  store.GetNode(2).SetCategory(2);  // an empty name shows nothing
  store.SetShowsChapters(true);
  store.SetTimeDisplay(CTreeStore::kTimeDisplayUpdated);
  store.RebuildTree();
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "Ⅰ.[Work]A (2024/12/08 18:30)", "Ⅱ.B"}));
  store.SetTimeDisplay(CTreeStore::kTimeDisplayCreated);  // A has no creation time
  EXPECT_EQ(store.DisplayText(1), QStringLiteral("Ⅰ.[Work]A"));
}

TEST_F(TreeStoreNumbering, InsertRefreshesChaptersWhenShown) {
  Build({"R", "R/A", "R/B"});
  store.SetShowsChapters(true);
  store.RebuildTree();
  store.InsertSibling(Index("R/A"), QStringLiteral("N"), {}, {}, 0, 0);
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "Ⅰ.A", "Ⅱ.N", "Ⅲ.B"}));
}

using TreeStoreCopy = StoreFixture;

TEST_F(TreeStoreCopy, SnapshotIsDeepAndRestoresEverything) {
  Build({"R", "R/A"});
  store.Categories().Entries() = {{QStringLiteral("c"), QStringLiteral("m")}};
  store.Settings().author = QStringLiteral("me");
  CTreeStore snapshot(settings, clock);
  snapshot.CopyFrom(store);
  store.Rename(1, QStringLiteral("changed"));
  store.Settings().author.clear();
  store.Categories().ClearEntries();
  EXPECT_EQ(snapshot.GetTitle(1), QStringLiteral("A"));
  store.CopyFrom(snapshot);
  EXPECT_EQ(store.GetTitle(1), QStringLiteral("A"));
  EXPECT_EQ(store.Settings().author, QStringLiteral("me"));
  EXPECT_EQ(store.Categories().Count(), 1);
  EXPECT_EQ(store.GetItem(1), snapshot.GetItem(1));
  EXPECT_EQ(store.Pane(), &pane);
}

}  // namespace
}  // namespace qm::test
