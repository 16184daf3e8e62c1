// Behaviour of the tree pane's clipboard: copying and cutting branches,
// pasting them below or beside a node, and pasting plain text as nodes.
#include <tuple>

#include "editing/BranchClipboard.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

constexpr int kBelow = CBranchClipboard::kPasteBelow;
constexpr int kSame = CBranchClipboard::kPasteSameLevel;

class BranchClipboard : public PanesFixture {
 protected:
  // Pastes with the place dialog answered.
  void PasteAt(const char* target, int level) {
    Select(target);
    dialogs.ScriptPastePlace({PastePlaceAnswer{level, false}});
    clip.Paste();
  }
  void PasteText(const char* target, int level, const QString& text, int mode) {
    clipboard.SetText(text);
    dialogs.ScriptTextPasteMode({TextPasteAnswer{mode}});
    PasteAt(target, level);
  }
  int Setting(const IntSetting& setting) const { return Read(settings, setting); }

  CBranchClipboard clip{doc, tree, clipboard, settings, prompt, dialogs, host};
};

TEST_F(BranchClipboard, CutLeavesTheBranchOnTheClipboardWhenTheDeleteDoesNotHappen) {
  Build({"R", "R/A"});
  Select("R/A");
  prompt.Script({PromptAnswer::Cancel});
  clip.Cut();
  EXPECT_EQ(clipboard.Text(), doc.Store().GetBranchText(1, true));
  Select("R");
  clip.Cut();
  EXPECT_EQ(prompt.Asked(),
            (QStringList{res::kAskDeleteTree.toString(), res::kCannotDeleteTop.toString()}));
  EXPECT_TRUE(clipboard.Text()->startsWith("R"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
}

TEST_F(BranchClipboard, CopiedBranchPastedBelowIsNewWhileACutOneKeepsItsTimes) {
  Build({"R", "R/A=old", "R/A/A1", "R/B"});
  const qint32 made = clock.Now();
  Select("R/A");
  edit.Type("typed ");
  clip.Copy();
  clock.Advance(600);
  PasteAt("R/A", kBelow);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/A", "R/A/A/A1", "R/B"}));
  EXPECT_EQ(Body("R/A/A"), "typed old");
  EXPECT_EQ(std::tuple(Node("R/A/A").m_tmCreate, Node("R/A/A").m_tmUpdate),
            std::tuple(made + 600, made + 600));

  Node("R/A/A/A1").SetUpdateTime(made - 100);
  Select("R/A/A");
  clip.Cut();
  clock.Advance(600);
  PasteAt("R/B", kBelow);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/B", "R/B/A", "R/B/A/A1"}));
  EXPECT_EQ(std::tuple(Node("R/B/A").m_tmCreate, Node("R/B/A/A1").m_tmUpdate),
            std::tuple(made + 600, made - 100));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "A1", "B", "A", "A1"}));
}

TEST_F(BranchClipboard, SameLevelFollowsTheTargetsBranchExceptOnTheTopNode) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  Select("R/A/A1");
  clip.Copy();
  PasteAt("R/A", kSame);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A1", "R/B"}));
  EXPECT_EQ(Selected(), "R/A");
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
  EXPECT_EQ(dialogs.PastePlaceRequests().at(0).level, kSame);
  EXPECT_EQ(std::tuple(Setting(settings::kPasteLevel), Setting(settings::kPasteDlg)),
            std::tuple(kBelow, 0));
  Write(settings, settings::kPasteLevel, kSame);
  clip.Paste();  // no dialog: the stored level decides
  EXPECT_EQ(dialogs.PastePlaceRequests().size(), 1u);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/B", "R/B", "R/B"}));
}

TEST_F(BranchClipboard, NothingHappensWithoutPlaceClipboardTextOrConsent) {
  Build({"R", "R/A"});
  pane.SelectItem(0);
  clip.Paste();
  EXPECT_EQ(prompt.Asked(), QStringList{res::kSelectInsertPlace.toString()});
  Select("R/A");
  clipboard.SetText(QStringLiteral("text"));
  clip.Paste();  // the place dialog is cancelled
  clipboard.SetText(QString());
  PasteAt("R/A", kBelow);
  EXPECT_EQ(dialogs.PastePlaceRequests().size(), 2u);
  EXPECT_FALSE(doc.IsUndoAvailable());
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(BranchClipboard, APasteShowsTheWholeBranchAndUndoTakesItBack) {
  Build({"R", "R/A", "R/A/A1", "R/A/A1/x", "R/B"});
  Node("R/A/A1").m_bExpand = 0;
  Node("R/A/A1/x").m_bExpand = 0;
  doc.Store().RebuildTree();
  clipboard.SetText(
      Marks("N\\2\\4\\5"
            "0\\6"
            "1\\3\\7Y\\4broken"));
  marksRebuilt = 0;
  PasteAt("R/A", kBelow);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/A1/x", "R/A/N", "R/B"}));
  EXPECT_EQ(std::tuple(Node("R/A/N").m_nMark, marksRebuilt, Node("R/A/A1/x").m_bExpand),
            std::tuple(1, 1, 1));
  EXPECT_TRUE(pane.Get(doc.Store().GetItem(Index("R/A/A1"))).expanded);
  EXPECT_TRUE(doc.IsModified());
  tree.Undo();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/A1/x", "R/B"}));
}

using TextPaste = BranchClipboard;

TEST_F(TextPaste, TabsMakeAChainOfFreshNodes) {
  Build({"R", "R/N", "R/M"});
  clock.Set(1800000000);
  Write(settings, settings::kTextPasteMode, 2);
  PasteText("R/N", kBelow, QStringLiteral("a\r\n\tb\r\n\t\tc"), 0);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/N", "R/N/a", "R/N/a/b", "R/N/a/b/c", "R/M"}));
  EXPECT_EQ(dialogs.TextPasteRequests().at(0).mode, 2);
  EXPECT_EQ(Setting(settings::kTextPasteMode), 0);
  EXPECT_EQ(std::tuple(Node("R/N/a/b").m_tmCreate, Node("R/N/a/b").m_tmUpdate),
            std::tuple(1800000000, 1800000000));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "N", "a", "b", "c", "M"}));
}

TEST_F(TextPaste, ANodeNeverSinksDeeperThanItsPlaceAllows) {
  Build({"R", "R/N", "R/T", "R/T/C", "R/U"});
  // Below a node without children the first line cannot go down at all.
  PasteText("R/N", kBelow, QStringLiteral("\t\tx\r\n\t\t\t\ty"), 0);
  EXPECT_EQ(Paths().mid(1, 3), (QStringList{"R/N", "R/N/x", "R/N/x/y"}));
  // On the same level tabs count from the target's level; a first line
  // with tabs joins the target's branch as low as the node before allows.
  PasteText("R/T", kSame, QStringLiteral("\t\t\tw\r\nv\r\n\t\t\tz"), 0);
  EXPECT_EQ(Paths().mid(4), (QStringList{"R/T", "R/T/C", "R/T/C/w", "R/v", "R/v/z", "R/U"}));
}

TEST_F(TextPaste, TheFourWaysToTurnTextIntoNodes) {
  Build({"R", "R/N"});
  PasteText("R/N", kBelow, QStringLiteral("a\n\n\t\t\nb\r\n\x01\n"), 0);
  EXPECT_EQ(Paths(), (QStringList{"R", "R/N", "R/N/a", "R/N/b"}));
  PasteText("R/N", kSame, QStringLiteral("ab\r\ncd\nef\r\n"), 3);
  EXPECT_EQ(Paths().last(), "R/abcdef");
  PasteText("R/N", kBelow, QStringLiteral("\r\n\r\nTitle\r\n\r\nBody\r\nmore"), 1);
  EXPECT_EQ(Body("R/N/Title"), "Body\r\nmore");
  PasteText("R/N", kBelow, QStringLiteral("Whole\nText"), 2);
  EXPECT_EQ(Body("R/N/Whole"), "Whole\r\nText");
  doc.Store().Settings().firstLine = 1;  // the body then always starts with the title
  PasteText("R/N", kBelow, QStringLiteral("Head\r\nrest"), 1);
  EXPECT_EQ(Body("R/N/Head"), "Head\r\nrest");
}

}  // namespace
}  // namespace qm::test
