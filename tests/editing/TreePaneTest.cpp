// Behaviour of the tree pane: adding, editing, deleting, moving and undoing
// nodes, label editing, selection, taps and keys, and the pane's other commands.
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <tuple>
#include <vector>

#include "editing/NodeEdit.h"
#include "res/CommandIds.h"
#include "res/Strings.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

const QString kUntitled = res::kUntitledNode.toString();

using TreeAdding = TreePaneFixture;

TEST_F(TreeAdding, ChildFromTheDialogIsLastChildSelectedAndStamped) {
  Build({"R", "R/A", "R/A/A1"});
  doc.Store().Categories().Entries() << Category{"Work", {}};
  Select("R/A");
  tree.AddChild();  // cancelled: no trace
  EXPECT_FALSE(tree.CanUndo() || doc.IsModified());
  clock.Set(1700000000);
  dialogs.ScriptEditNode({NodeEditResult{"New", "x.qmp", 2, 1}});
  tree.AddChild();

  EXPECT_EQ(dialogs.EditNodeRequests().at(1).categories,
            (QStringList{res::kNoCategory.toString(), "Work"}));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/New"}));
  EXPECT_EQ(Selected(), "R/A/New");
  EXPECT_EQ(doc.CurrentNode(), 3);
  const CDirData& added = Node("R/A/New");
  EXPECT_EQ(added.m_nFlags, kFlagTitleOnly | kFlagNoTitle | (1 << kCategoryShift));
  EXPECT_EQ(added.m_tmCreate, 1700000000);
  EXPECT_EQ(added.m_tmUpdate, 1700000000);
  EXPECT_TRUE(doc.IsModified() && tree.CanUndo());
}

TEST_F(TreeAdding, WithoutAddAndMoveAChildLeavesTheParentSelectedButASiblingIsSelected) {
  settings.WriteInt("View", "AddMove", 0);
  Build({"R", "R/A", "R/B"});
  tree.AddSibling();  // the top node has no siblings: not even the dialog opens
  Select("R/A");
  settings.WriteInt("System", "bAddNoTitle", 1);
  tree.AddChild();
  EXPECT_TRUE(dialogs.EditNodeRequests().empty());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/" + kUntitled, "R/B"}));
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_TRUE(pane.Get(doc.Store().GetItem(1)).expanded);
  tree.AddSibling();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/" + kUntitled, "R/" + kUntitled, "R/B"}));
  EXPECT_EQ(Selected(), "R/" + kUntitled);
}

TEST_F(TreeAdding, FirstLineAsTitleStartsTheBodyWithTheTitleUnlessUntitled) {
  settings.WriteInt("System", "bAddIni", 1);
  Build({"R=R"});
  doc.Store().Settings().firstLine = 1;
  dialogs.ScriptEditNode({NodeEditResult{"Plan", {}, 0, 0}, NodeEditResult{kUntitled, {}, 0, 0}});
  tree.AddChild();
  EXPECT_EQ(dialogs.EditNodeRequests().at(0).title, kUntitled);
  EXPECT_EQ(doc.Store().GetBody(Index("R/Plan")), "Plan");
  Select("R");
  tree.AddChild();
  EXPECT_EQ(doc.Store().GetBody(Index(("R/" + kUntitled).toUtf8().constData())), "");
}

using TreeEditing = TreePaneFixture;

TEST_F(TreeEditing, DialogShowsTheNodeAndOkStoresEverything) {
  Build({"R", "R/A"});
  doc.Store().Categories().Entries() << Category{"Work", {}};
  CDirData& a = Node("R/A");
  a.m_strLink = "a.qmp";
  a.m_nFlags = kFlagTitleOnly | (1 << kCategoryShift);
  a.SetUpdateTime(1700000000);
  Select("R/A");
  dialogs.ScriptEditNode({NodeEditResult{"A2", "b.qmp", 0, 0}});
  clock.Set(1700001000);
  tree.EditNode();

  const NodeEditRequest& asked = dialogs.EditNodeRequests().at(0);
  EXPECT_EQ(std::tie(asked.title, asked.link, asked.titleOutput, asked.category, asked.updated),
            std::tuple("A", "a.qmp", 1, 1, "2023/11/15 07:13"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A2"}));
  EXPECT_EQ(std::tie(a.m_strLink, a.m_nFlags, a.m_tmUpdate), std::tuple("b.qmp", 0, 1700001000));
  EXPECT_TRUE(doc.IsModified() && tree.CanUndo());
  EXPECT_EQ(marksRebuilt, 1);  // the first load only: the node is not marked
}

TEST_F(TreeEditing, WithFirstLineAsTitleOnlyTheBodysFirstLineChanges) {
  Build({"R=R", "R/A=old\r\nrest"});
  doc.Store().Settings().firstLine = 1;
  doc.Store().SetMark(Index("R/A"), 1);
  Select("R/A");
  dialogs.ScriptEditNode({NodeEditResult{"New", {}, 0, 0}});
  tree.EditNode();
  EXPECT_EQ(doc.Store().GetBody(1), "New\r\nrest");
  EXPECT_EQ(body.text, "New\r\nrest");
  EXPECT_EQ(marksRebuilt, 2);
}

TEST(NodeEditCheck, TitleThatWouldBeEmptyKeepsTheDialogOpen) {
  EXPECT_EQ(ValidateNodeEdit({"", {}, 0, 0}), res::kNoTitleEntered.toString());
  EXPECT_EQ(ValidateNodeEdit({"\r\n\x01", {}, 0, 0}), res::kNoTitleEntered.toString());
  EXPECT_EQ(ValidateNodeEdit({" ", {}, 0, 0}), std::nullopt);
}

using TreeDeleting = TreePaneFixture;

TEST_F(TreeDeleting, SelectsTheFollowerOrTheNewLastNodeAndTheBodyFollows) {
  Build({"R", "R/A=a", "R/A/A1", "R/B=b", "R/C=c"});
  tree.DeleteBranch();  // the top node stays
  Select("R/A");
  tree.DeleteBranch();
  EXPECT_EQ(prompt.Asked(),
            (QStringList{res::kCannotDeleteTop.toString(), res::kAskDeleteTree.toString()}));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/B", "R/C"}));
  EXPECT_EQ(Selected(), "R/B");
  EXPECT_EQ(doc.CurrentNode(), 1);
  EXPECT_EQ(body.text, "b");
  Select("R/C");
  tree.DeleteBranch();
  EXPECT_EQ(Selected(), "R/B");
  EXPECT_EQ(doc.Store().GetBody(1), "b");
}

TEST_F(TreeDeleting, UndoAfterCancelRestoresTheStateBeforeTheQuestion) {
  Build({"R", "R/A", "R/B"});
  Select("R/A");
  dialogs.ScriptEditNode({NodeEditResult{"N", {}, 0, 0}});
  tree.AddChild();
  Select("R/B");
  prompt.Script({PromptAnswer::Cancel});
  tree.DeleteBranch();
  tree.Undo();  // the cancelled delete's snapshot replaced the one of the add
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/N", "R/B"}));
  EXPECT_FALSE(tree.CanUndo());
}

TEST_F(TreeDeleting, UndoBringsTheBranchBackWithWhatWasTyped) {
  Build({"R", "R/A=a", "R/A/A1", "R/B=b"});
  doc.Store().SetMark(Index("R/A/A1"), 1);
  Select("R/A");
  body.text = "typed";
  tree.DeleteBranch();
  EXPECT_EQ(marksRebuilt, 2);  // a marked descendant went with the branch
  tree.Undo();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/B"}));
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_EQ(body.text, "typed");
  EXPECT_EQ(doc.Store().GetBody(Index("R/B")), "b");
  EXPECT_EQ(marksRebuilt, 3);
}

using TreeMoving = TreePaneFixture;

TEST_F(TreeMoving, MoveDownOverABranchOfFourLandsFourFurther) {
  Build({"R", "R/A=a", "R/B=b", "R/B/1", "R/B/2", "R/B/2/x", "R/C"});
  Select("R/A");
  tree.MoveDown();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/B", "R/B/1", "R/B/2", "R/B/2/x", "R/A", "R/C"}));
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_EQ(doc.CurrentNode(), 5);
  EXPECT_EQ(body.text, "a");
  EXPECT_EQ(doc.Store().GetBody(1), "b");
  tree.MoveUp();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/B", "R/B/1", "R/B/2", "R/B/2/x", "R/C"}));
  EXPECT_EQ(Selected(), "R/A");
}

TEST_F(TreeMoving, UpdateRulesFollowSiblingsAndLevels) {
  Build({"R", "R/A", "R/A/A1", "R/A/A2", "R/B"});
  // {move up, move down, level up, level down} per node
  const std::map<QString, std::vector<bool>> expected{
      {"R", {false, false, false, false}},    {"R/A", {false, true, false, false}},
      {"R/A/A1", {false, true, true, false}}, {"R/A/A2", {true, false, true, true}},
      {"R/B", {true, false, false, true}},
  };
  for (const auto& [path, rules] : expected) {
    Select(path.toUtf8().constData());
    EXPECT_EQ((std::vector<bool>{tree.CanMoveUp(), tree.CanMoveDown(), tree.CanLevelUp(),
                                 tree.CanLevelDown()}),
              rules)
        << path.toStdString();
  }
}

TEST_F(TreeMoving, LevelChangesSelectTheNodeWhereItLands) {
  Build({"R", "R/A", "R/A/A1", "R/B=b"});
  doc.Store().SetMark(Index("R/B"), 1);
  Select("R/B");
  tree.LevelDown();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/B"}));
  EXPECT_EQ(Selected(), "R/A/B");
  EXPECT_EQ(marksRebuilt, 2);
  tree.LevelUp();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/B"}));
  EXPECT_EQ(Selected(), "R/B");
  EXPECT_EQ(body.text, "b");
}

TEST_F(TreeMoving, UndoSelectsTheMovedNodeAtItsOldPlaceNotTheOldSelectionsRow) {
  Build({"R", "R/A=a", "R/B=b", "R/B/1", "R/B/2", "R/C"});
  Select("R/A");
  tree.MoveDown();
  Select("R/B/1");  // row 2, where B stands again after the undo
  tree.Undo();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/B", "R/B/1", "R/B/2", "R/C"}));
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_EQ(Current(), "R/A");
  EXPECT_EQ(body.text, "a");
}

using TreeLabelEditing = TreePaneFixture;

TEST_F(TreeLabelEditing, DateSuffixIsCutAtItsOwnParenthesis) {
  Build({"R", "R/A", "R/B"});
  doc.Store().SetTimeDisplay(CTreeStore::kTimeDisplayUpdated);
  Node("R/A").SetUpdateTime(1700000000);
  Select("R/A");
  tree.OnLabelEdited("New (2023/11/15 07:13)");
  EXPECT_EQ(doc.Store().GetTitle(1), "New");
  EXPECT_TRUE(doc.IsModified());
  tree.OnLabelEdited("Plan (draft) (2023/11/15 07:13)");
  EXPECT_EQ(doc.Store().GetTitle(1), "Plan (draft)");
  tree.OnLabelEdited("No date");
  EXPECT_EQ(doc.Store().GetTitle(1), "Plan (draft)");
  Select("R/B");  // never dated, so it shows no suffix to cut
  tree.OnLabelEdited("Plan (draft)");
  EXPECT_EQ(doc.Store().GetTitle(2), "Plan (draft)");
}

TEST_F(TreeLabelEditing, EditLabelStartsOnTheSelectedItemOnly) {
  Build({"R", "R/A"});
  pane.SelectItem(0);
  tree.EditLabel();
  EXPECT_EQ(pane.EditedLabel(), 0);
  Select("R/A");
  tree.EditLabel();
  EXPECT_EQ(pane.EditedLabel(), Store().GetItem(Index("R/A")));
}

TEST_F(TreeLabelEditing, ChaptersAndCategoryInFrontAreNotTakenIntoTheTitle) {
  Build({"R=R", "R/A=old\r\nrest"});
  CTreeStore& store = doc.Store();
  store.Categories().Entries() << Category{"Work", {}};
  Node("R/A").SetCategory(1);
  store.Settings().firstLine = 1;
  tree.ToggleChapterCharacters();
  EXPECT_TRUE(tree.IsChapterCharactersShown());
  EXPECT_EQ(settings.ReadInt("View", "ViewShoStr", 0), 1);
  Select("R/A");
  ASSERT_FALSE(store.GetChapter(1).isEmpty());
  tree.OnLabelEdited(store.GetChapter(1) + store.Categories().DisplayText(1) + "Renamed");
  EXPECT_EQ(store.GetTitle(1), "Renamed");
  EXPECT_EQ(store.GetBody(1), "Renamed\r\nrest");
  EXPECT_EQ(body.text, "Renamed\r\nrest");
}

using TreeSelection = TreePaneFixture;

TEST_F(TreeSelection, LeavingANodeHandsItsBodyOverAndTheBodyFollows) {
  Build({"R", "R/A=a", "R/B=b"});
  Select("R/A");
  body.text = "typed";
  Select("R/B");
  EXPECT_EQ(doc.Store().GetBody(1), "typed");
  EXPECT_EQ(doc.CurrentNode(), 2);
  EXPECT_EQ(body.text, "b");
}

TEST_F(TreeSelection, WithFirstLineAsTitleTheNodeLeftTakesItsFirstLine) {
  Build({"R=R", "R/A=A", "R/B=B"});
  doc.Store().Settings().firstLine = 1;
  Select("R/A");
  body.text = "Head\r\nmore";
  Select("R/B");
  EXPECT_EQ(doc.Store().GetTitle(1), "Head");
  Select("R/Head");
  body.text = "";
  Select("R/B");
  EXPECT_EQ(doc.Store().GetTitle(1), kUntitled);
}

TEST_F(TreeSelection, InitialLoadSelectsTheSavedNodeWhenAsked) {
  Build({"R", "R/A", "R/B"});
  doc.Store().Settings().treeView = 2;
  tree.InitialLoad();
  EXPECT_EQ(doc.CurrentNode(), 2);
  doc.Store().Settings().treeView = 9;  // a node the file no longer has
  tree.InitialLoad();
  EXPECT_EQ(doc.CurrentNode(), 0);
  doc.Store().Settings().treeView = 2;
  settings.WriteInt("System", "AutoFirst", 0);
  tree.InitialLoad();
  EXPECT_EQ(Selected(), "R");
  EXPECT_EQ(marksRebuilt, 4);
}

using TreeTapsAndKeys = TreePaneFixture;

TEST_F(TreeTapsAndKeys, DoubleTapOnAParentOnlyOpensItUnlessAskedToEdit) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  Node("R/B").m_strLink = "b.qmp";
  Select("R/A");
  settings.WriteInt("System", "DblClk", 1);
  EXPECT_FALSE(tree.OnDoubleTap());
  EXPECT_TRUE(dialogs.EditNodeRequests().empty());
  settings.WriteInt("System", "FolderDblClk", 0);
  EXPECT_TRUE(tree.OnDoubleTap());
  EXPECT_EQ(dialogs.EditNodeRequests().size(), 1u);
  Select("R/B");
  settings.WriteInt("System", "DblClk", 0);
  EXPECT_TRUE(tree.OnDoubleTap());  // standard: the link file when there is one
  EXPECT_EQ(host.sent, std::vector<int>{kCmdOpenLinkFile});
}

TEST_F(TreeTapsAndKeys, BoundKeysGoToTheFrameEnterEditsDeleteDeletesAndIsPassedOn) {
  keys.Bind({kKeyEnter, false, false, true}, kCmdToggleChapterCharacters);
  Build({"R", "R/A", "R/B"});
  Select("R/A");
  EXPECT_TRUE(tree.OnKey({kKeyEnter, false, false, true}));
  EXPECT_FALSE(tree.OnKey({kKeyEnter, true, false, false}));  // unbound system key: the control's
  EXPECT_TRUE(tree.OnKey({kKeyEnter, false, false, false}));
  EXPECT_EQ(dialogs.EditNodeRequests().size(), 1u);
  EXPECT_EQ(host.sent, std::vector<int>{kCmdToggleChapterCharacters});
  EXPECT_FALSE(tree.OnKey({kKeyDelete, false, false, false}));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/B"}));
  settings.WriteInt("System", "ViewMode", 1);  // reading mode on a tall screen
  host.landscape = false;
  EXPECT_TRUE(tree.OnKey({kKeyEnter, false, false, false}));
  EXPECT_EQ(host.focus, "B");
}

using TreeCommands = TreePaneFixture;

TEST_F(TreeCommands, ReloadReadsTheFileAgainAfterAsking) {
  Build({"R"});
  tree.Reload();
  QTemporaryDir dir;
  ASSERT_TRUE(doc.OpenDocument(dir.filePath("missing.qmp")));
  tree.Reload();  // the untitled placeholder is no file either
  EXPECT_EQ(prompt.Asked()[2], res::kReloadNewFile.toString());
  prompt.ClearAsked();
  QFile file(dir.filePath("a.qmp"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray("\x08\r\n\x08\r\nR\r\nR/A\r\n").replace('/', '\x01'));
  file.close();
  ASSERT_TRUE(doc.OpenDocument(file.fileName()));
  tree.InitialLoad();
  Select("R/A");
  body.text = "typed";
  prompt.Script({PromptAnswer::Cancel});
  tree.Reload();
  EXPECT_TRUE(doc.IsModified());
  tree.Reload();
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
  EXPECT_TRUE(body.text.isEmpty());  // not the text typed into the outline thrown away
  EXPECT_EQ(prompt.Asked(), QStringList(2, res::kAskReload.toString()));
}

}  // namespace
}  // namespace qm::test
