// Behaviour of the mark, check and strike-through commands, the marks list,
// branch visibility and the check filter, with the tree pane and a body pane
// stand-in around them.
#include <QTemporaryDir>
#include <tuple>

#include "editing/BranchVisibility.h"
#include "editing/MarkCommands.h"
#include "res/Strings.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

class MarksTest : public TreePaneFixture {
 protected:
  MarksTest() {
    // As the window wires them: the marks menu follows the tree pane's changes.
    tree.SetMarksMenuRebuild([this] { marks.RebuildMarksMenu(); });
    marks.SetLabelsSink([this](const QStringList& list) { labels = list; });
  }

  int StateImage(const char* path) { return pane.Get(doc.Store().GetItem(Index(path))).stateImage; }

  MarkCommands marks{doc, prompt};
  BranchVisibility visibility{doc, marks};
  QStringList labels;
};

TEST_F(MarksTest, CheckAnsweredNoChangesOnlyTheNodeAndCanBeUndone) {
  Build({"R", "R/A", "R/A/a"});
  Select("R/A");
  prompt.Script({PromptAnswer::No});
  marks.ToggleCheck();
  EXPECT_EQ(Node("R/A").m_nFlags, kFlagChecked);
  EXPECT_EQ(Node("R/A/a").m_nFlags, 0);
  ASSERT_TRUE(doc.IsModified() && doc.RestoreSnapshot());
  EXPECT_EQ(Node("R/A").m_nFlags, 0);
}

TEST_F(MarksTest, CheckAndStrikeAskAboutTheBranchOnlyForParentsAndTakeItOnlyOnYes) {
  Build({"R", "R/A", "R/A/a", "R/A/a/x", "R/B"});
  Select("R/B");
  marks.ToggleCheck();
  marks.ToggleStrike();
  EXPECT_TRUE(prompt.Asked().isEmpty());  // nothing below to ask about
  EXPECT_EQ(Node("R/B").m_nFlags, kFlagChecked | kFlagStruck);

  Select("R/A");
  prompt.Script({PromptAnswer::Yes, PromptAnswer::No});
  marks.ToggleCheck();
  marks.ToggleStrike();
  EXPECT_EQ(prompt.Asked(), QStringList(2, res::kApplyToChildren.toString()));
  EXPECT_EQ(Node("R/A").m_nFlags, kFlagChecked | kFlagStruck);
  EXPECT_EQ(Node("R/A/a").m_nFlags, kFlagChecked);
  EXPECT_EQ(Node("R/A/a/x").m_nFlags, kFlagChecked);
}

TEST_F(MarksTest, ACheckThePaneCannotShowIsToldAndStillMade) {
  Build({"R", "R/A"});
  Select("R/A");
  pane.FailImageCalls(true);
  marks.ToggleCheck();
  EXPECT_EQ(prompt.Asked(), QStringList{res::kSetItemImageError.toString()});
  EXPECT_EQ(Node("R/A").m_nFlags, kFlagChecked);
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(MarksTest, MarkTogglesOnlyNoneAndOneAndClearingTakesTheBranchAfterAsking) {
  Build({"R", "R/A", "R/A/a#2", "R/B#m"});
  EXPECT_EQ(labels, QStringList{"B"});  // mark 2 has no entry
  Select("R/A/a");
  marks.ToggleMark();
  EXPECT_EQ(Node("R/A/a").m_nMark, 2);
  Select("R/A");
  marks.ToggleMark();
  EXPECT_EQ(StateImage("R/A"), 1);
  EXPECT_EQ(labels, (QStringList{"A", "B"}));

  prompt.Script({PromptAnswer::Cancel});
  marks.ClearMarksInBranch();
  EXPECT_EQ(Node("R/A").m_nMark, 1);
  marks.ClearMarksInBranch();
  EXPECT_EQ(prompt.Asked().last(), res::kAskClearMarksInBranch.toString());
  EXPECT_EQ(Node("R/A/a").m_nMark, 0);
  EXPECT_EQ(StateImage("R/A/a"), 0);
  EXPECT_EQ(StateImage("R/B"), 1);
  EXPECT_EQ(labels, QStringList{"B"});
}

TEST_F(MarksTest, NextAndPreviousWrapAroundAndNeverFindTheTopNode) {
  Build({"R#m", "R/A", "R/B#m", "R/C", "R/D#2"});
  Select("R/B");
  marks.NextMark();
  EXPECT_EQ(Selected(), "R/D");
  marks.NextMark();
  EXPECT_EQ(Selected(), "R/B");
  marks.PreviousMark();
  EXPECT_EQ(Selected(), "R/D");
  doc.Store().SetMark(Index("R/B"), 0);
  doc.Store().SetMark(Index("R/D"), 0);
  marks.PreviousMark();
  EXPECT_EQ(prompt.Asked(), QStringList{res::kNotFound.toString()});
  EXPECT_EQ(Selected(), "R/D");
}

TEST_F(MarksTest, VisitingOpensTheWayAndLeavesTypedTextWithItsNode) {
  Build({"R", "R/A", "R/B", "R/B/b#m=b"});
  visibility.HideBranch();
  Select("R/A");
  body.text = QStringLiteral("typed");
  marks.NextMark();
  EXPECT_EQ(Node("R/A").m_strBody, "typed");
  EXPECT_EQ(Node("R/B/b").m_strBody, "b");
  EXPECT_EQ(Node("R/B").m_bExpand, 1);
  EXPECT_EQ(doc.CurrentNode(), Index("R/B/b"));
  EXPECT_EQ(body.text, "b");
}

TEST_F(MarksTest, OpeningByHandLeavesTheScrollButShowChildrenKeepsTheNodeInView) {
  Build({"R", "R/A", "R/A/A1", "R/A/A1/x", "R/A/A2", "R/B"});
  Select("R/A");
  visibility.HideBranch();
  const TreeItem a = doc.Store().GetItem(Index("R/A"));
  const TreeItem seen = pane.LastEnsuredVisible();
  tree.OnItemExpanded(a, true);  // the user opened A in the pane
  EXPECT_EQ(
      std::tuple(Node("R/A/A1").m_bExpand, Node("R/A/A1/x").m_bExpand, Node("R/A/A2").m_bExpand),
      std::tuple(1, 0, 1));
  EXPECT_EQ(pane.LastEnsuredVisible(), seen);

  visibility.HideBranch();
  visibility.ShowChildren();
  EXPECT_TRUE(pane.Get(a).expanded);
  EXPECT_EQ(Node("R/A/A2").m_bExpand, 1);
  EXPECT_EQ(pane.LastEnsuredVisible(), a);  // after its children, so it stays on screen
}

TEST_F(MarksTest, EntriesLeadToTheirNodeAmongSameTitlesAfterInserts) {
  Build({"R", "R/T", "R/T#m=second", "R/X"});
  doc.Store().InsertSibling(1, QStringLiteral("new"), {}, {}, 0, 0);
  marks.GoToMarkEntry(0);
  EXPECT_EQ(doc.Store().GetSelected(), 3);
  EXPECT_EQ(body.text, "second");
}

TEST_F(MarksTest, FilterKeepsTheSelectionOrTakesTheNearestShownAncestor) {
  Build({"R=r", "R/A#c=a", "R/A/a", "R/B#m", "R/C#cm"});
  Select("R/A/a");
  visibility.SetCheckFilter(CTreeStore::kCheckFilterChecked);
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "C"}));
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_EQ(body.text, "a");
  EXPECT_EQ(labels, QStringList{"C"});  // B is left out: no entry, no visit
  marks.NextMark();
  marks.NextMark();
  EXPECT_EQ(Selected(), "R/C");
  doc.Store().GetNode(Index("R/C")).m_nFlags = 0;
  visibility.SetCheckFilter(CTreeStore::kCheckFilterChecked);  // again: applies the change
  EXPECT_EQ(Selected(), "R");
  EXPECT_FALSE(doc.IsUndoAvailable());
}

TEST_F(MarksTest, LeftOutNodesSurviveEditUndoAndSave) {
  Build({"R", "R/A#c", "R/B=kept", "R/B/b"});
  Select("R/A");
  marks.ToggleMark();
  visibility.SetCheckFilter(CTreeStore::kCheckFilterChecked);
  ASSERT_TRUE(doc.RestoreSnapshot());  // takes back the mark, not the filter chosen since
  EXPECT_EQ(doc.Store().CheckFilter(), CTreeStore::kCheckFilterChecked);
  doc.SetCurrentNode(Index("R/B/b"));  // left out: its nearest shown ancestor instead
  EXPECT_EQ(doc.CurrentNode(), 0);

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("f.qmp"));
  ASSERT_TRUE(doc.DoSave(path));
  CTreeStore reread(settings, clock);
  ASSERT_EQ(reread.Load(path, 0), 4);
  EXPECT_EQ(reread.GetBody(reread.FindPath(P("R/B"))), "kept\r\n");
}

}  // namespace
}  // namespace qm::test
