// Behaviour of the tree pane's clipboard: copying and cutting branches,
// pasting them below or beside a node, and pasting plain text as nodes.
#include <tuple>

#include "PanesFixture.h"
#include "editing/BranchClipboard.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm::test {
namespace {

constexpr int kBelow = CBranchClipboard::kPasteBelow;
constexpr int kSame = CBranchClipboard::kPasteSameLevel;

class BranchClipboard : public PanesFixture {
 protected:
  // Pastes with the place dialog answered (level, do not ask again).
  void PasteAt(const char* target, int level) {
    Select(target);
    dialogs.ScriptPastePlace({PastePlaceAnswer{level, false}});
    clip.Paste();
  }
  // Pastes text as plain text in the given mode.
  void PasteText(const char* target, int level, const QString& text, int mode) {
    clipboard.SetText(text);
    dialogs.ScriptTextPasteMode({TextPasteAnswer{mode}});
    PasteAt(target, level);
  }
  int Setting(const IntSetting& setting) const { return Read(settings, setting); }

  CBranchClipboard clip{doc, tree, clipboard, settings, prompt, dialogs, host};
};

// ---- Copy and cut ----

TEST_F(BranchClipboard, CopyTakesTheBranchWithWhatWasJustTypedButNoTimes) {
  Build({"R", "R/A=old", "R/A/A1", "R/B"});
  Select("R/A");
  edit.MoveCaret(3);
  edit.Type("er");
  clip.Copy();
  EXPECT_EQ(Body("R/A"), "older");
  EXPECT_EQ(clipboard.Text(), doc.Store().GetBranchText(Index("R/A"), false));
  EXPECT_TRUE(clipboard.Text()->contains("older"));
  EXPECT_EQ(clipboard.Text()->count(QChar(0x07)), 2);
  EXPECT_EQ(Paths().size(), 4);
  EXPECT_EQ(host.waitCursor, 0);
}

TEST_F(BranchClipboard, CutDeletesAfterAskingAndKeepsTheTimes) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  Select("R/A");
  const QString withTimes = doc.Store().GetBranchText(Index("R/A"), true);
  clip.Cut();
  EXPECT_EQ(clipboard.Text(), withTimes);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kAskDeleteTree.toString()});
  EXPECT_EQ(Paths(), (QStringList{"R", "R/B"}));
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(BranchClipboard, CutLeavesTheBranchOnTheClipboardWhenTheDeleteDoesNotHappen) {
  Build({"R", "R/A"});
  Select("R/A");
  prompt.Script({PromptAnswer::Cancel});
  clip.Cut();
  EXPECT_TRUE(clipboard.Text()->startsWith("A"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));

  Select("R");
  clip.Cut();
  EXPECT_TRUE(clipboard.Text()->startsWith("R"));
  EXPECT_EQ(prompt.Asked().last(), res::kCannotDeleteTop.toString());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
}

// ---- Pasting branches ----

TEST_F(BranchClipboard, CopiedBranchPastedBelowIsNewAndCutOneKeepsItsTimes) {
  Build({"R", "R/A=a", "R/A/A1", "R/B"});
  const qint32 made = clock.Now();
  Select("R/A");
  clip.Copy();
  clock.Advance(600);
  PasteAt("R/A", kBelow);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/A", "R/A/A/A1", "R/B"}));
  EXPECT_EQ(Body("R/A/A"), "a");
  EXPECT_EQ(Node("R/A/A").m_tmCreate, made + 600);
  EXPECT_EQ(Node("R/A/A").m_tmUpdate, made + 600);

  Node("R/A/A/A1").SetUpdateTime(made - 100);
  Select("R/A/A");
  clip.Cut();
  clock.Advance(600);
  PasteAt("R/B", kBelow);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/B", "R/B/A", "R/B/A/A1"}));
  EXPECT_EQ(Node("R/B/A").m_tmCreate, made + 600);
  EXPECT_EQ(Node("R/B/A/A1").m_tmUpdate, made - 100);
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "A1", "B", "A", "A1"}));
}

TEST_F(BranchClipboard, SameLevelPasteFollowsTheTargetsBranchAndKeepsItSelected) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  Select("R/A/A1");
  clip.Copy();
  PasteAt("R/A", kSame);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A1", "R/B"}));
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "A1", "A1", "B"}));
  // The top node has no level of its own: its paste goes below it.
  PasteAt("R", kSame);
  EXPECT_EQ(Paths().last(), "R/A1");
  EXPECT_EQ(Paths().size(), 6);
}

TEST_F(BranchClipboard, ThePlaceDialogProposesRemembersAndCanBeSwitchedOff) {
  Build({"R", "R/A", "R/B"});
  clipboard.SetText(doc.Store().GetBranchText(Index("R/B"), false));
  Write(settings, settings::kPasteLevel, kSame);
  Select("R/A");
  dialogs.ScriptPastePlace({PastePlaceAnswer{kBelow, true}});
  clip.Paste();
  ASSERT_EQ(dialogs.PastePlaceRequests().size(), 1u);
  EXPECT_EQ(dialogs.PastePlaceRequests()[0].level, kSame);
  EXPECT_EQ(std::tuple(Setting(settings::kPasteLevel), Setting(settings::kPasteDlg)),
            std::tuple(kBelow, 0));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/B", "R/B"}));

  // Without the dialog the stored level decides.
  Write(settings, settings::kPasteLevel, kSame);
  clip.Paste();
  EXPECT_EQ(dialogs.PastePlaceRequests().size(), 1u);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/B", "R/B", "R/B"}));
}

TEST_F(BranchClipboard, NothingHappensWithoutPlaceClipboardTextOrConsent) {
  Build({"R", "R/A"});
  pane.SelectItem(0);
  clip.Paste();
  EXPECT_EQ(prompt.Asked(), QStringList{res::kSelectInsertPlace.toString()});
  EXPECT_TRUE(dialogs.PastePlaceRequests().empty());

  Select("R/A");
  clipboard.SetText(QStringLiteral("text"));
  clip.Paste();  // the place dialog is cancelled
  clipboard.SetText(QString());
  PasteAt("R/A", kBelow);  // the clipboard holds nothing
  EXPECT_EQ(dialogs.PastePlaceRequests().size(), 2u);
  EXPECT_TRUE(dialogs.TextPasteRequests().empty());
  EXPECT_FALSE(doc.IsUndoAvailable());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
}

TEST_F(BranchClipboard, APasteShowsTheTargetsBranchAndUndoTakesItBack) {
  Build({"R", "R/A", "R/A/A1", "R/A/A1/x", "R/B"});
  Node("R/A/A1").m_bExpand = 0;
  Node("R/A/A1/x").m_bExpand = 0;
  doc.Store().RebuildTree();
  Select("R/B");
  clipboard.SetText(
      Marks("N\\2\\4\\5"
            "0\\6"
            "1\\3\\7"));
  marksRebuilt = 0;
  PasteAt("R/A", kBelow);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/A1/x", "R/A/N", "R/B"}));
  EXPECT_EQ(Node("R/A/N").m_nMark, 1);
  EXPECT_EQ(marksRebuilt, 1);
  EXPECT_EQ(Node("R/A/A1/x").m_bExpand, 1);
  EXPECT_TRUE(pane.Get(doc.Store().GetItem(Index("R/A/A1"))).expanded);
  EXPECT_TRUE(doc.IsModified());
  tree.Undo();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/A1/x", "R/B"}));
}

TEST_F(BranchClipboard, ABrokenRecordEndsThePasteButKeepsTheCompleteOnes) {
  Build({"R", "R/A"});
  clipboard.SetText(Marks("X\\4x\\7Y\\4broken"));
  PasteAt("R/A", kBelow);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/X"}));
  EXPECT_EQ(Body("R/A/X"), "x");
}

// ---- Pasting plain text ----

using TextPaste = BranchClipboard;

TEST_F(TextPaste, TabsMakeAChainBelowTheTarget) {
  Build({"R", "R/N", "R/M"});
  clock.Set(1800000000);
  Write(settings, settings::kTextPasteMode, 2);
  PasteText("R/N", kBelow, QStringLiteral("a\r\n\tb\r\n\t\tc"), 0);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/N", "R/N/a", "R/N/a/b", "R/N/a/b/c", "R/M"}));
  ASSERT_EQ(dialogs.TextPasteRequests().size(), 1u);
  EXPECT_EQ(dialogs.TextPasteRequests()[0].mode, 2);
  EXPECT_EQ(Setting(settings::kTextPasteMode), 0);
  const CDirData& b = Node("R/N/a/b");
  EXPECT_EQ(std::tuple(b.m_tmCreate, b.m_tmUpdate, b.m_nFlags, b.m_strBody),
            std::tuple(1800000000, 1800000000, 0, QString()));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "N", "a", "b", "c", "M"}));
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(TextPaste, ANodeNeverSinksDeeperThanItsPlaceAllows) {
  Build({"R", "R/N", "R/T", "R/T/C"});
  // Below a node without children the first line cannot go down at all.
  PasteText("R/N", kBelow, QStringLiteral("\t\tx\r\n\t\t\t\ty\r\nz"), 0);
  EXPECT_EQ(Paths().mid(1, 4), (QStringList{"R/N", "R/N/x", "R/N/x/y", "R/N/z"}));
  // Below a node with children it may become the last child's child.
  PasteText("R/T", kBelow, QStringLiteral("\t\tw"), 0);
  EXPECT_EQ(Paths().mid(5), (QStringList{"R/T", "R/T/C", "R/T/C/w"}));
}

TEST_F(TextPaste, OnTheSameLevelTabsCountFromTheTargetsLevel) {
  Build({"R", "R/T", "R/T/C", "R/U"});
  PasteText("R/T", kSame, QStringLiteral("x\r\n\ty\r\n\t\t\tz\r\nv"), 0);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/T", "R/T/C", "R/x", "R/x/y", "R/x/y/z", "R/v", "R/U"}));
  // A first line with tabs joins the target's branch, as low as it goes.
  PasteText("R/T", kSame, QStringLiteral("\t\t\tw"), 0);
  EXPECT_EQ(Paths().mid(1, 3), (QStringList{"R/T", "R/T/C", "R/T/C/w"}));
  // On the top node the lines go below it.
  PasteText("R", kSame, QStringLiteral("q"), 0);
  EXPECT_EQ(Paths().last(), "R/q");
}

TEST_F(TextPaste, EmptyAndTabOnlyLinesAreSkippedAndLoneLineFeedsBreakLines) {
  Build({"R", "R/N"});
  PasteText("R/N", kBelow, QStringLiteral("a\n\n\t\t\nb\r\n\r\n\x01\n"), 0);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/N", "R/N/a", "R/N/b"}));
}

TEST_F(TextPaste, AllLinesInOneNode) {
  Build({"R", "R/N"});
  PasteText("R/N", kBelow, QStringLiteral("ab\r\ncd\nef\r\n"), 3);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/N", "R/N/abcdef"}));
}

TEST_F(TextPaste, FirstLineTitleWithTheRestOrAllAsBody) {
  Build({"R", "R/N"});
  PasteText("R/N", kBelow, QStringLiteral("\r\n\r\nTitle\r\n\r\nBody\r\nmore"), 1);
  EXPECT_EQ(Paths().last(), "R/N/Title");
  EXPECT_EQ(Body("R/N/Title"), "Body\r\nmore");

  PasteText("R/N", kBelow, QStringLiteral("Whole\nText"), 2);
  EXPECT_EQ(Body("R/N/Whole"), "Whole\r\nText");

  PasteText("R/N", kSame, QStringLiteral("Alone"), 1);
  EXPECT_EQ(Paths().last(), "R/Alone");
  EXPECT_EQ(Body("R/Alone"), "");

  // With the first line as title, the body always starts with it.
  doc.Store().Settings().firstLine = 1;
  PasteText("R/N", kBelow, QStringLiteral("Head\r\nrest"), 1);
  EXPECT_EQ(Body("R/N/Head"), "Head\r\nrest");
}

TEST_F(TextPaste, CancellingTheTextDialogAddsNothing) {
  Build({"R", "R/N"});
  clipboard.SetText(QStringLiteral("a"));
  dialogs.ScriptTextPasteMode({std::nullopt});
  PasteAt("R/N", kBelow);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/N"}));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(Setting(settings::kTextPasteMode), 0);
}

TEST_F(TextPaste, TenThousandLinesBelowTheTopNode) {
  Build({"R", "R/N", "R/N/M"});
  QString text;
  for (int i = 0; i < 10000; ++i) text += QString(i % 4, u'\t') + QString::number(i) + "\r\n";
  PasteText("R", kBelow, text, 0);
  ASSERT_EQ(doc.Store().GetCount(), 10003);
  EXPECT_EQ(Paths().mid(3, 4), (QStringList{"R/0", "R/0/1", "R/0/1/2", "R/0/1/2/3"}));
  EXPECT_EQ(pane.ItemCount(), 10003);
}

}  // namespace
}  // namespace qm::test
