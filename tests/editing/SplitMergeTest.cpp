// Behaviour of split and merge: a piece of the body becoming a node, and
// the next node poured into the current one.
#include <tuple>

#include "editing/SplitMerge.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

class SplitMergeFixture : public PanesFixture {
 protected:
  void SelectText(const char* path, int start, int end) {
    Select(path);
    edit.SetSelection(start, end);
  }
  int Setting(const IntSetting& setting) const { return Read(settings, setting); }
  std::tuple<int, int, int> CaretAndScroll() const {
    return {edit.SelectionStart(), edit.SelectionEnd(), edit.FirstVisibleLine()};
  }

  CSplitMerge splitMerge{doc, tree, edit, settings, dialogs, host};
};

using Split = SplitMergeFixture;

TEST_F(Split, DroppingTheFirstLineLeavesItAsTheTitleOnly) {
  Build({"R", "R/A=keep\r\n\r\na\r\nb\r\nc"});
  Write(settings, settings::kSplitDlg, 0);
  Write(settings, settings::kSplitDell, 1);
  clock.Set(1800000000);
  SelectText("R/A", 6, 15);
  EXPECT_TRUE(splitMerge.Split());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/a"}));
  EXPECT_EQ(Body("R/A/a"), "b\r\nc");
  EXPECT_EQ(Body("R/A"), "keep\r\n");
  EXPECT_EQ(std::tuple(Node("R/A/a").m_tmCreate, Node("R/A/a").m_tmUpdate),
            std::tuple(1800000000, 1800000000));
}

TEST_F(Split, TheDialogProposesAndItsAnswerIsKept) {
  Build({"R", "R/A=one\r\ntwo", "R/A/A1", "R/B"});
  Write(settings, settings::kSplitDell, 1);
  SelectText("R/A", 5, 8);
  dialogs.ScriptSplit({SplitAnswer{QStringLiteral("Typed"), false, true, true, true}});
  EXPECT_TRUE(splitMerge.Split());
  const SplitRequest& request = dialogs.SplitRequests().at(0);
  EXPECT_EQ(std::tuple(request.title, request.dropFirstLine, request.moveCaret, request.sameLevel),
            std::tuple(QStringLiteral("two"), true, false, false));
  EXPECT_EQ(std::tuple(Setting(settings::kSplitDlg), Setting(settings::kSplitDell),
                       Setting(settings::kSplitMove), Setting(settings::kSplitSameLevel)),
            std::tuple(0, 0, 1, 1));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/Typed", "R/B"}));
  EXPECT_EQ(
      std::tuple(Current(), Selected(), edit.Text()),
      std::tuple(QStringLiteral("R/Typed"), QStringLiteral("R/Typed"), QStringLiteral("two")));
  EXPECT_EQ(Body("R/A"), "one\r\n");
}

TEST_F(Split, CancelOrNoTitleChangesNothing) {
  Build({"R", "R/A=\r\n\r\n"});
  SelectText("R/A", 0, 4);
  EXPECT_FALSE(splitMerge.Split());  // the dialog is cancelled
  Write(settings, settings::kSplitDlg, 0);
  EXPECT_FALSE(splitMerge.Split());  // only empty lines: no title
  EXPECT_EQ(std::tuple(Paths().size(), edit.Text()), std::tuple(2, QStringLiteral("\r\n\r\n")));
  EXPECT_FALSE(doc.IsUndoAvailable());
  EXPECT_EQ(ValidateSplit({QStringLiteral("\x01\r\n")}), res::kNoTitleEntered.toString());
  EXPECT_EQ(ValidateSplit({QStringLiteral("t")}), std::nullopt);
}

TEST_F(Split, WithoutMovingTheSplitNodeStaysWithCaretAndScroll) {
  QString lines;
  for (int i = 10; i < 40; ++i) lines += QStringLiteral("line%1\r\n").arg(i);
  Build({"R", "R/A"});
  doc.Store().SetBody(1, lines);
  Select("R/A");
  Write(settings, settings::kSplitDlg, 0);
  edit.SetFirstVisibleLine(12);
  edit.SetSelection(8 * 15, 8 * 18);  // lines 15 to 17
  EXPECT_TRUE(splitMerge.Split());
  EXPECT_EQ(Body("R/A/line25"), "line25\r\nline26\r\nline27\r\n");
  EXPECT_EQ(std::tuple(Current(), Selected(), edit.Text()),
            std::tuple(QStringLiteral("R/A"), QStringLiteral("R/A"), Body("R/A")));
  EXPECT_EQ(CaretAndScroll(), std::tuple(8 * 15, 8 * 15, 12));
  EXPECT_EQ(host.focus, "B");
}

TEST_F(Split, BelowTheCaretAndFromTheTopNode) {
  Build({"R=top\r\nbottom\r\nend", "R/A"});
  Write(settings, settings::kSplitDlg, 0);
  Write(settings, settings::kSplitSameLevel, 1);  // the top node has no level to share
  SelectText("R", 5, 5);
  EXPECT_TRUE(splitMerge.SplitBelowCaret());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/bottom"}));
  EXPECT_EQ(std::tuple(Body("R"), Body("R/bottom")),
            std::tuple(QStringLiteral("top\r\n"), QStringLiteral("bottom\r\nend")));
}

TEST_F(Split, WithTheFirstLineAsTitleTheBodyStartsWithTheTitle) {
  Build({"R=R", "R/A=A\r\nx\r\ny"});
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

using Merge = SplitMergeFixture;

TEST_F(Merge, AppendsTheNextTitleAndBodyAndRemovesIt) {
  Build({"R", "R/A=aa", "R/B=bb", "R/C"});
  Select("R/A");
  clock.Set(1800000000);
  EXPECT_TRUE(splitMerge.Merge());
  EXPECT_TRUE(splitMerge.Merge());  // an empty body adds only the title
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
  EXPECT_EQ(Body("R/A"), "aa\r\nB\r\n\r\nbb\r\nC\r\n");
  EXPECT_EQ(std::tuple(edit.Text(), Node("R/A").m_tmUpdate), std::tuple(Body("R/A"), 1800000000));
  EXPECT_FALSE(splitMerge.CanMerge());
  EXPECT_FALSE(splitMerge.Merge());  // nothing after the last node
}

TEST_F(Merge, WithTheFirstLineAsTitleTheTitleIsNotRepeated) {
  Build({"R=R", "R/A=A", "R/B=B\r\nb"});
  doc.Store().Settings().firstLine = 1;
  Select("R/A");
  splitMerge.Merge();
  EXPECT_EQ(Body("R/A"), "A\r\n\r\nB\r\nb");
}

TEST_F(Merge, TheChildrenOfBothSurviveInOrder) {
  Build({"R", "R/A=a", "R/A/N", "R/A/N/n1", "R/A/C2", "R/A/C2/c", "R/Z", "R/Z/z1"});
  Node("R/A").m_strLink = QStringLiteral("a.txt");
  Select("R/A");
  EXPECT_TRUE(splitMerge.Merge());  // the first child, with a child and siblings
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/n1", "R/A/C2", "R/A/C2/c", "R/Z", "R/Z/z1"}));
  Select("R/A/C2/c");
  EXPECT_TRUE(splitMerge.Merge());  // a shallower node comes down
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/n1", "R/A/C2", "R/A/C2/c", "R/A/C2/c/z1"}));
  EXPECT_EQ(Node("R/A").m_strLink, "a.txt");
  EXPECT_EQ(Body("R/A/C2/c"), "\r\nZ\r\n");
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "n1", "C2", "c", "z1"}));
  EXPECT_EQ(Current(), "R/A/C2/c");
}

TEST_F(Merge, OnTheTopNodeTheChildrenMoveUp) {
  Build({"R=r", "R/A=a", "R/A/A1", "R/A/A1/x", "R/A/A2", "R/B"});
  EXPECT_TRUE(splitMerge.Merge());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A1", "R/A1/x", "R/A2", "R/B"}));
  EXPECT_EQ(Body("R"), "r\r\nA\r\n\r\na");
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A1", "x", "A2", "B"}));
}

TEST_F(Merge, CaretScrollAndFocusAreKeptAndUndoRestores) {
  Build({"R", "R/A=a\r\nb\r\nc", "R/B=x", "R/B/B1"});
  Node("R/B").m_nMark = 1;
  Select("R/A");
  edit.SetSelection(2, 4);
  edit.SetFirstVisibleLine(1);
  marksRebuilt = 0;
  splitMerge.Merge();
  EXPECT_EQ(CaretAndScroll(), std::tuple(2, 4, 1));
  EXPECT_EQ(std::tuple(host.focus, marksRebuilt), std::tuple(QStringLiteral("B"), 1));
  tree.Undo();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/B", "R/B/B1"}));
  EXPECT_EQ(Body("R/A"), "a\r\nb\r\nc");
}

// The body pane's Undo takes a split or merge back while it is fresh (the
// window wires that); these check only when the document says it is.
using BodyUndoAfterSplitOrMerge = SplitMergeFixture;

TEST_F(BodyUndoAfterSplitOrMerge, IsFreshDespiteTheChangedTextUntilTheUserTypes) {
  Build({"R", "R/A=keep\r\n", "R/B=b"});
  Write(settings, settings::kSplitDlg, 0);
  Select("R/A");
  edit.MoveCaret(6);
  edit.Type("cut");  // typing before the change does not count against it
  EXPECT_FALSE(doc.IsUndoFresh());
  edit.SetSelection(6, 9);
  ASSERT_TRUE(splitMerge.Split());
  EXPECT_EQ(edit.Text(), "keep\r\n");
  EXPECT_TRUE(doc.IsUndoFresh());
  edit.Type("x");
  EXPECT_FALSE(doc.IsUndoFresh());

  ASSERT_TRUE(splitMerge.Merge());  // takes the split-off child back in
  EXPECT_TRUE(edit.Text().contains(u"cut"));
  EXPECT_TRUE(doc.IsUndoFresh());
  edit.Type("y");
  EXPECT_FALSE(doc.IsUndoFresh());
}

}  // namespace
}  // namespace qm::test
