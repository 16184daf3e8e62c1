// Behaviour of split and merge: a piece of the body becoming a node, and
// the next node poured into the current one.
#include <tuple>

#include "PanesFixture.h"
#include "editing/SplitMerge.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm::test {
namespace {

class SplitMergeFixture : public PanesFixture {
 protected:
  // Shows node path and selects [start, end) of its body.
  void SelectText(const char* path, int start, int end) {
    Select(path);
    edit.SetSelection(start, end);
  }
  int Setting(const IntSetting& setting) const { return Read(settings, setting); }

  CSplitMerge splitMerge{doc, tree, edit, settings, dialogs, host};
};

// ---- Split ----

using Split = SplitMergeFixture;

TEST_F(Split, DroppingTheFirstLineMakesItTheTitleOnly) {
  Build({"R", "R/A=keep\r\na\r\nb\r\nc"});
  Write(settings, settings::kSplitDlg, 0);
  Write(settings, settings::kSplitDell, 1);
  clock.Set(1800000000);
  SelectText("R/A", 6, 13);
  EXPECT_TRUE(splitMerge.Split());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/a"}));
  EXPECT_EQ(Body("R/A/a"), "b\r\nc");
  EXPECT_EQ(Body("R/A"), "keep\r\n");
  const CDirData& added = Node("R/A/a");
  EXPECT_EQ(std::tuple(added.m_tmCreate, added.m_tmUpdate), std::tuple(1800000000, 1800000000));
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(Split, TheTitleIsTheFirstNonEmptyLineAndLeadingEmptyLinesGoWithIt) {
  Build({"R", "R/A=\r\n\r\nHead\r\nrest", "R/B=\r\nHead"});
  Write(settings, settings::kSplitDlg, 0);
  SelectText("R/A", 0, 14);
  splitMerge.Split();
  EXPECT_EQ(Body("R/A/Head"), "\r\n\r\nHead\r\nrest");
  Write(settings, settings::kSplitDell, 1);
  SelectText("R/B", 0, 6);
  splitMerge.Split();
  EXPECT_EQ(Body("R/B/Head"), "");  // nothing follows the title's line
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/Head", "R/B", "R/B/Head"}));
}

TEST_F(Split, TheDialogProposesAndTheAnswerIsKept) {
  Build({"R", "R/A=one\r\ntwo", "R/A/A1", "R/B"});
  Write(settings, settings::kSplitDell, 1);
  Write(settings, settings::kSplitSameLevel, 1);
  SelectText("R/A", 5, 8);
  dialogs.ScriptSplit({SplitAnswer{QStringLiteral("Typed"), false, true, true, true}});
  EXPECT_TRUE(splitMerge.Split());
  ASSERT_EQ(dialogs.SplitRequests().size(), 1u);
  const SplitRequest& request = dialogs.SplitRequests()[0];
  EXPECT_EQ(std::tuple(request.title, request.dropFirstLine, request.moveCaret, request.sameLevel),
            std::tuple(QStringLiteral("two"), true, false, true));
  EXPECT_EQ(std::tuple(Setting(settings::kSplitDlg), Setting(settings::kSplitDell),
                       Setting(settings::kSplitMove), Setting(settings::kSplitSameLevel)),
            std::tuple(0, 0, 1, 1));
  // Same level: after the whole branch; moving the caret: the new node is shown.
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/Typed", "R/B"}));
  EXPECT_EQ(Body("R/Typed"), "two");
  EXPECT_EQ(Current(), "R/Typed");
  EXPECT_EQ(Selected(), "R/Typed");
  EXPECT_EQ(edit.Text(), "two");
  EXPECT_EQ(Body("R/A"), "one\r\n");
}

TEST_F(Split, CancelOrNoTitleChangesNothing) {
  Build({"R", "R/A=\r\n\r\n"});
  SelectText("R/A", 0, 4);
  EXPECT_FALSE(splitMerge.Split());  // the dialog is cancelled
  Write(settings, settings::kSplitDlg, 0);
  EXPECT_FALSE(splitMerge.Split());  // only empty lines: no title
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
  EXPECT_EQ(edit.Text(), "\r\n\r\n");
  EXPECT_FALSE(doc.IsUndoAvailable());
  EXPECT_EQ(Setting(settings::kSplitDlg), 0);
}

TEST_F(Split, TheDialogRefusesAnEmptyTitle) {
  EXPECT_EQ(ValidateSplit({QString()}), res::kNoTitleEntered.toString());
  EXPECT_EQ(ValidateSplit({QStringLiteral("\x01\r\n")}), res::kNoTitleEntered.toString());
  EXPECT_EQ(ValidateSplit({QStringLiteral("t")}), std::nullopt);
}

TEST_F(Split, WithoutMovingTheSplitNodeStaysWithCaretAndScroll) {
  QString lines;
  for (int i = 0; i < 30; ++i) lines += QStringLiteral("line%1\r\n").arg(i, 2, 10, QChar(u'0'));
  Build({"R", "R/A"});
  doc.Store().SetBody(Index("R/A"), lines);
  Select("R/A");
  Write(settings, settings::kSplitDlg, 0);
  edit.SetFirstVisibleLine(12);
  edit.SetSelection(8 * 15, 8 * 18);  // lines 15 to 17
  host.bodyFocused = 0;
  EXPECT_TRUE(splitMerge.Split());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/line15"}));
  EXPECT_EQ(Body("R/A/line15"), "line15\r\nline16\r\nline17\r\n");
  EXPECT_EQ(Current(), "R/A");
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_EQ(edit.Text(), Body("R/A"));
  EXPECT_EQ(std::tuple(edit.SelectionStart(), edit.SelectionEnd(), edit.FirstVisibleLine()),
            std::tuple(8 * 15, 8 * 15, 12));
  EXPECT_EQ(host.bodyFocused, 1);
}

TEST_F(Split, BelowTheCaretTakesTheRestOfTheText) {
  Build({"R", "R/A=top\r\nbottom\r\nend"});
  Write(settings, settings::kSplitDlg, 0);
  SelectText("R/A", 5, 5);
  EXPECT_TRUE(splitMerge.SplitBelowCaret());
  EXPECT_EQ(Body("R/A"), "top\r\n");
  EXPECT_EQ(Body("R/A/bottom"), "bottom\r\nend");
}

TEST_F(Split, FromTheTopNodeSameLevelStillMakesAChild) {
  Build({"R=a\r\nb", "R/A"});
  Write(settings, settings::kSplitDlg, 0);
  Write(settings, settings::kSplitSameLevel, 1);
  SelectText("R", 3, 4);
  EXPECT_TRUE(splitMerge.Split());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/b"}));
  EXPECT_EQ(Body("R"), "a\r\n");
}

TEST_F(Split, WithTheFirstLineAsTitleTheBodyStartsWithTheTitle) {
  Build({"R=R", "R/A=A\r\nx\r\ny\r\nz"});
  doc.Store().Settings().firstLine = 1;
  SelectText("R/A", 3, 6);
  dialogs.ScriptSplit({SplitAnswer{QStringLiteral("Other"), false, false, false, false}});
  splitMerge.Split();
  EXPECT_EQ(Body("R/A/Other"), "Other\r\nx\r\n");
  SelectText("R/A", 3, 4);
  dialogs.ScriptSplit({SplitAnswer{QStringLiteral("y"), false, false, false, false}});
  splitMerge.Split();
  EXPECT_EQ(Body("R/A/y"), "y");
}

TEST_F(Split, UndoBringsTheBodyAndTheOutlineBack) {
  Build({"R", "R/A=a\r\nb"});
  Write(settings, settings::kSplitDlg, 0);
  Write(settings, settings::kSplitMove, 1);
  SelectText("R/A", 3, 4);
  splitMerge.Split();
  tree.Undo();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
  EXPECT_EQ(Body("R/A"), "a\r\nb");
}

// ---- Merge ----

using Merge = SplitMergeFixture;

TEST_F(Merge, AppendsTheNextTitleAndBodyAndRemovesIt) {
  Build({"R", "R/A=aa", "R/B=bb", "R/C"});
  Select("R/A");
  clock.Set(1800000000);
  EXPECT_TRUE(splitMerge.Merge());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/C"}));
  EXPECT_EQ(Body("R/A"), "aa\r\nB\r\n\r\nbb");
  EXPECT_EQ(edit.Text(), Body("R/A"));
  EXPECT_EQ(Node("R/A").m_tmUpdate, 1800000000);
  EXPECT_EQ(Current(), "R/A");
  EXPECT_TRUE(splitMerge.Merge());  // an empty body adds only the title
  EXPECT_EQ(Body("R/A"), "aa\r\nB\r\n\r\nbb\r\nC\r\n");
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(Merge, WithTheFirstLineAsTitleTheTitleIsNotRepeated) {
  Build({"R=R", "R/A=A", "R/B=B\r\nb"});
  doc.Store().Settings().firstLine = 1;
  Select("R/A");
  splitMerge.Merge();
  EXPECT_EQ(Body("R/A"), "A\r\n\r\nB\r\nb");
}

TEST_F(Merge, ASiblingsChildrenComeUnderTheMergedNode) {
  Build({"R", "R/A=a", "R/B=b", "R/B/B1", "R/B/B2", "R/C"});
  Node("R/A").m_strLink = QStringLiteral("a.txt");
  Select("R/A");
  EXPECT_TRUE(splitMerge.Merge());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/B1", "R/A/B2", "R/C"}));
  EXPECT_EQ(Body("R/A"), "a\r\nB\r\n\r\nb");
  EXPECT_EQ(Node("R/A").m_strLink, "a.txt");
  EXPECT_EQ(Current(), "R/A");
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "B1", "B2", "C"}));
}

TEST_F(Merge, AFirstChildsChildrenAndItsSiblingsAllSurvive) {
  Build({"R", "R/A=a", "R/A/N=n", "R/A/N/n1", "R/A/C2", "R/A/C2/c", "R/A/C3", "R/Z"});
  Select("R/A");
  EXPECT_TRUE(splitMerge.Merge());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/n1", "R/A/C2", "R/A/C2/c", "R/A/C3", "R/Z"}));
  EXPECT_EQ(Body("R/A"), "a\r\nN\r\n\r\nn");
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "n1", "C2", "c", "C3", "Z"}));
  EXPECT_EQ(Current(), "R/A");
}

TEST_F(Merge, AShallowerNextNodeComesDownToTheCurrentLevel) {
  Build({"R", "R/A", "R/A/B", "R/A/B/C=c", "R/D=d", "R/D/d1", "R/E"});
  Select("R/A/B/C");
  EXPECT_TRUE(splitMerge.Merge());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/B", "R/A/B/C", "R/A/B/C/d1", "R/E"}));
  EXPECT_EQ(Body("R/A/B/C"), "c\r\nD\r\n\r\nd");
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "B", "C", "d1", "E"}));
}

TEST_F(Merge, OnTheTopNodeTheChildrenMoveUpInOrder) {
  Build({"R=r", "R/A=a", "R/A/A1", "R/A/A1/x", "R/A/A2", "R/B"});
  Select("R");
  EXPECT_TRUE(splitMerge.Merge());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A1", "R/A1/x", "R/A2", "R/B"}));
  EXPECT_EQ(Body("R"), "r\r\nA\r\n\r\na");
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A1", "x", "A2", "B"}));
}

TEST_F(Merge, TheLastNodeHasNothingToMerge) {
  Build({"R", "R/A=a"});
  Select("R/A");
  EXPECT_FALSE(splitMerge.CanMerge());
  EXPECT_FALSE(splitMerge.Merge());
  EXPECT_EQ(Body("R/A"), "a");
  EXPECT_FALSE(doc.IsUndoAvailable());
  Select("R");
  EXPECT_TRUE(splitMerge.CanMerge());
}

TEST_F(Merge, CaretScrollAndFocusAreKeptAndUndoRestores) {
  Build({"R", "R/A=a\r\nb\r\nc", "R/B=x", "R/B/B1"});
  Node("R/B").m_nMark = 1;
  Select("R/A");
  edit.SetSelection(2, 4);
  edit.SetFirstVisibleLine(1);
  marksRebuilt = 0;
  host.bodyFocused = 0;
  splitMerge.Merge();
  EXPECT_EQ(std::tuple(edit.SelectionStart(), edit.SelectionEnd(), edit.FirstVisibleLine()),
            std::tuple(2, 4, 1));
  EXPECT_EQ(host.bodyFocused, 1);
  EXPECT_EQ(marksRebuilt, 1);
  tree.Undo();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/B", "R/B/B1"}));
  EXPECT_EQ(Body("R/A"), "a\r\nb\r\nc");
}

// A control that will not let an item go under its previous sibling.
class StubbornTree : public SelectionReportingTree {
 public:
  TreeItem GetPrevSiblingItem(TreeItem) const override { return 0; }
};

TEST_F(Merge, ARefusedLevelChangeRestoresTheOutline) {
  StubbornTree stubborn;
  stubborn.view = &tree;
  doc.Store().SetPane(&stubborn);
  Build({"R", "R/A", "R/A/B=b", "R/C=c", "R/C/C1"});
  stubborn.SelectItem(doc.Store().GetItem(Index("R/A/B")));
  EXPECT_FALSE(splitMerge.Merge());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/B", "R/C", "R/C/C1"}));
  EXPECT_EQ(Body("R/A/B"), "b");
  EXPECT_EQ(Current(), "R/A/B");
  EXPECT_EQ(edit.Text(), "b");
  doc.Store().SetPane(&pane);
}

}  // namespace
}  // namespace qm::test
