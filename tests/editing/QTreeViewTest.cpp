// Behaviour of the tree pane: adding, editing, deleting, moving and undoing
// nodes, label editing, selection, taps and keys, and the pane's other commands.
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "editing/KeyTable.h"
#include "editing/NodeEdit.h"
#include "editing/PaneHost.h"
#include "editing/QTreeView.h"
#include "editing/QuillmapDoc.h"
#include "fakes/FakeDialogs.h"
#include "model/StoreFixture.h"
#include "res/Strings.h"

namespace qm::test {
namespace {

// Reports selection changes to the pane as the window's tree widget does,
// including the control moving the selection off an item being deleted.
class ReportingTree : public FakeTreeControl {
 public:
  void SelectItem(TreeItem item) override {
    const TreeItem old = GetSelectedItem();
    if (item == old) return;
    view->OnSelectionChanging(old);
    FakeTreeControl::SelectItem(item);
    view->OnSelectionChanged(item);
  }
  void DeleteItem(TreeItem item) override {
    for (TreeItem i = GetSelectedItem(); i != 0 && Exists(item); i = Get(i).parent) {
      if (i == item) {
        SelectItem(Neighbour(item));
        break;
      }
    }
    FakeTreeControl::DeleteItem(item);
  }
  CQTreeView* view = nullptr;

 private:
  TreeItem Neighbour(TreeItem item) const {
    const TreeItem parent = Get(item).parent;
    const auto& siblings = parent == 0 ? TopItems() : Get(parent).children;
    const auto it = std::find(siblings.begin(), siblings.end(), item);
    if (it + 1 != siblings.end()) return *(it + 1);
    return it != siblings.begin() ? *(it - 1) : parent;
  }
};

// Shows the current node's body on every update, as the body pane does.
class BodyStub : public DocumentView, public BodyViewRole {
 public:
  explicit BodyStub(CQuillmapDoc& d) : doc(d) {}
  void OnUpdate(const DocumentView*, int) override { text = doc.BodyOfCurrentNode(); }
  BodyViewRole* BodyRole() override { return this; }
  QString BodyText() const override { return text; }
  int CaretPosition() const override { return 0; }
  void ApplyFirstLineTitle() override {}
  CQuillmapDoc& doc;
  QString text;
};

class HostStub : public PaneHost {
 public:
  void FocusBodyPane() override { focused << "body"; }
  void FocusTreePane() override { focused << "tree"; }
  bool BodyPaneHasFocus() const override { return false; }
  void SendToFrame(int id) override { sent.push_back(id); }
  void CloseMainWindow() override {}
  void SetWaitCursor(bool) override {}
  bool IsLandscape() const override { return landscape; }
  QStringList focused;
  std::vector<int> sent;
  bool landscape = true;
};

// Ctrl+Enter is bound to command 33225.
class KeysStub : public KeyTable {
 public:
  int CommandFor(const KeyPress& key) const override {
    return key.code == kKeyEnter && key.ctrl && !key.alt && !key.shift ? 33225 : 0;
  }
};

const QString kUntitled = res::kUntitledNode.toString();

class TreePane : public ::testing::Test {
 protected:
  TreePane() : doc(settings, clock, prompt, dialogs), body(doc) {
    doc.Store().SetPane(&tree);
    doc.AddView(&body);
    tree.view = &view;
    view.SetMarksMenuRebuild([this] { ++marksRebuilt; });
  }

  // Nodes as "path" or "path=body", "/" standing for the path separator.
  void Build(std::initializer_list<const char*> nodes) {
    CTreeStore& store = doc.Store();
    store.Clear();
    for (const char* text : nodes) {
      const QStringList parts = QString::fromUtf8(text).split(u'=');
      auto node = std::make_unique<CDirData>();
      node->m_strPath = P(parts[0].toUtf8().constData());
      if (parts.size() > 1) node->m_strBody = parts[1];
      store.AppendLoaded(std::move(node));
    }
    store.FinishLoading(QStringLiteral("t.qmp"));
    view.InitialLoad();
    body.OnUpdate(nullptr, kHintAll);
  }
  int Index(const char* path) const { return doc.Store().FindPath(P(path)); }
  CDirData& Node(const char* path) { return doc.Store().GetNode(Index(path)); }
  void Select(const char* path) { tree.SelectItem(doc.Store().GetItem(Index(path))); }
  QString Selected() const { return Paths().value(doc.Store().GetSelected()); }
  QStringList Paths() const {
    QStringList out;
    for (int i = 0; i < doc.Store().GetCount(); ++i) {
      out << QString(doc.Store().GetPath(i)).replace(kPathSeparator, u'/');
    }
    return out;
  }

  MemorySettingsStore settings;
  FakeClock clock;
  FakePrompt prompt;
  FakeDialogs dialogs;
  ReportingTree tree;
  HostStub host;
  KeysStub keys;
  CQuillmapDoc doc;
  BodyStub body;
  CQTreeView view{doc, settings, clock, prompt, dialogs, host, keys};
  int marksRebuilt = 0;
};

using TreeAdding = TreePane;

TEST_F(TreeAdding, ChildFromTheDialogIsLastChildSelectedAndStamped) {
  Build({"R", "R/A", "R/A/A1"});
  doc.Store().Categories().Entries() << Category{"Work", {}};
  Select("R/A");
  view.AddChild();  // cancelled: no trace
  EXPECT_FALSE(view.CanUndo() || doc.IsModified());
  clock.Set(1700000000);
  dialogs.ScriptEditNode({NodeEditResult{"New", "x.qmp", 2, 1}});
  view.AddChild();

  EXPECT_EQ(dialogs.EditNodeRequests().at(1).categories,
            (QStringList{res::kNoCategory.toString(), "Work"}));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/New"}));
  EXPECT_EQ(Selected(), "R/A/New");
  EXPECT_EQ(doc.CurrentNode(), 3);
  const CDirData& added = Node("R/A/New");
  EXPECT_EQ(added.m_nFlags, kFlagTitleOnly | kFlagNoTitle | (1 << kCategoryShift));
  EXPECT_EQ(added.m_tmCreate, 1700000000);
  EXPECT_EQ(added.m_tmUpdate, 1700000000);
  EXPECT_TRUE(doc.IsModified() && view.CanUndo());
}

TEST_F(TreeAdding, WithoutAddAndMoveAChildLeavesTheParentSelectedButASiblingIsSelected) {
  settings.WriteInt("View", "AddMove", 0);
  Build({"R", "R/A", "R/B"});
  view.AddSibling();  // the top node has no siblings: not even the dialog opens
  Select("R/A");
  settings.WriteInt("System", "bAddNoTitle", 1);
  view.AddChild();
  EXPECT_TRUE(dialogs.EditNodeRequests().empty());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/" + kUntitled, "R/B"}));
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_TRUE(tree.Get(doc.Store().GetItem(1)).expanded);
  view.AddSibling();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/" + kUntitled, "R/" + kUntitled, "R/B"}));
  EXPECT_EQ(Selected(), "R/" + kUntitled);
}

TEST_F(TreeAdding, FirstLineAsTitleStartsTheBodyWithTheTitleUnlessUntitled) {
  settings.WriteInt("System", "bAddIni", 1);
  Build({"R=R"});
  doc.Store().Settings().firstLine = 1;
  dialogs.ScriptEditNode({NodeEditResult{"Plan", {}, 0, 0}, NodeEditResult{kUntitled, {}, 0, 0}});
  view.AddChild();
  EXPECT_EQ(dialogs.EditNodeRequests().at(0).title, kUntitled);
  EXPECT_EQ(doc.Store().GetBody(Index("R/Plan")), "Plan");
  Select("R");
  view.AddChild();
  EXPECT_EQ(doc.Store().GetBody(Index(("R/" + kUntitled).toUtf8().constData())), "");
}

using TreeEditing = TreePane;

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
  view.EditNode();

  const NodeEditRequest& asked = dialogs.EditNodeRequests().at(0);
  EXPECT_EQ(std::tie(asked.title, asked.link, asked.titleOutput, asked.category, asked.updated),
            std::tuple("A", "a.qmp", 1, 1, "2023/11/15 07:13"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A2"}));
  EXPECT_EQ(std::tie(a.m_strLink, a.m_nFlags, a.m_tmUpdate), std::tuple("b.qmp", 0, 1700001000));
  EXPECT_TRUE(doc.IsModified() && view.CanUndo());
  EXPECT_EQ(marksRebuilt, 1);  // the first load only: the node is not marked
}

TEST_F(TreeEditing, WithFirstLineAsTitleOnlyTheBodysFirstLineChanges) {
  Build({"R=R", "R/A=old\r\nrest"});
  doc.Store().Settings().firstLine = 1;
  doc.Store().SetMark(Index("R/A"), 1);
  Select("R/A");
  dialogs.ScriptEditNode({NodeEditResult{"New", {}, 0, 0}});
  view.EditNode();
  EXPECT_EQ(doc.Store().GetBody(1), "New\r\nrest");
  EXPECT_EQ(body.text, "New\r\nrest");
  EXPECT_EQ(marksRebuilt, 2);
}

TEST(NodeEditCheck, TitleThatWouldBeEmptyKeepsTheDialogOpen) {
  EXPECT_EQ(ValidateNodeEdit({"", {}, 0, 0}), res::kNoTitleEntered.toString());
  EXPECT_EQ(ValidateNodeEdit({"\r\n\x01", {}, 0, 0}), res::kNoTitleEntered.toString());
  EXPECT_EQ(ValidateNodeEdit({" ", {}, 0, 0}), std::nullopt);
}

using TreeDeleting = TreePane;

TEST_F(TreeDeleting, SelectsTheFollowerOrTheNewLastNodeAndTheBodyFollows) {
  Build({"R", "R/A=a", "R/A/A1", "R/B=b", "R/C=c"});
  view.DeleteBranch();  // the top node stays
  Select("R/A");
  view.DeleteBranch();
  EXPECT_EQ(prompt.Asked(),
            (QStringList{res::kCannotDeleteTop.toString(), res::kAskDeleteTree.toString()}));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/B", "R/C"}));
  EXPECT_EQ(Selected(), "R/B");
  EXPECT_EQ(doc.CurrentNode(), 1);
  EXPECT_EQ(body.text, "b");
  Select("R/C");
  view.DeleteBranch();
  EXPECT_EQ(Selected(), "R/B");
  EXPECT_EQ(doc.Store().GetBody(1), "b");
}

TEST_F(TreeDeleting, UndoAfterCancelRestoresTheStateBeforeTheQuestion) {
  Build({"R", "R/A", "R/B"});
  Select("R/A");
  dialogs.ScriptEditNode({NodeEditResult{"N", {}, 0, 0}});
  view.AddChild();
  Select("R/B");
  prompt.Script({PromptAnswer::Cancel});
  view.DeleteBranch();
  view.Undo();  // the cancelled delete's snapshot replaced the one of the add
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/N", "R/B"}));
  EXPECT_FALSE(view.CanUndo());
}

TEST_F(TreeDeleting, UndoBringsTheBranchBackWithWhatWasTyped) {
  Build({"R", "R/A=a", "R/A/A1", "R/B=b"});
  doc.Store().SetMark(Index("R/A/A1"), 1);
  Select("R/A");
  body.text = "typed";
  view.DeleteBranch();
  EXPECT_EQ(marksRebuilt, 2);  // a marked descendant went with the branch
  view.Undo();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/B"}));
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_EQ(body.text, "typed");
  EXPECT_EQ(doc.Store().GetBody(Index("R/B")), "b");
  EXPECT_EQ(marksRebuilt, 3);
}

using TreeMoving = TreePane;

TEST_F(TreeMoving, MoveDownOverABranchOfFourLandsFourFurther) {
  Build({"R", "R/A=a", "R/B=b", "R/B/1", "R/B/2", "R/B/2/x", "R/C"});
  Select("R/A");
  view.MoveDown();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/B", "R/B/1", "R/B/2", "R/B/2/x", "R/A", "R/C"}));
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_EQ(doc.CurrentNode(), 5);
  EXPECT_EQ(body.text, "a");
  EXPECT_EQ(doc.Store().GetBody(1), "b");
  view.MoveUp();
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
    EXPECT_EQ((std::vector<bool>{view.CanMoveUp(), view.CanMoveDown(), view.CanLevelUp(),
                                 view.CanLevelDown()}),
              rules)
        << path.toStdString();
  }
}

TEST_F(TreeMoving, LevelChangesSelectTheNodeWhereItLands) {
  Build({"R", "R/A", "R/A/A1", "R/B=b"});
  doc.Store().SetMark(Index("R/B"), 1);
  Select("R/B");
  view.LevelDown();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/A/B"}));
  EXPECT_EQ(Selected(), "R/A/B");
  EXPECT_EQ(marksRebuilt, 2);
  view.LevelUp();
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/A/A1", "R/B"}));
  EXPECT_EQ(Selected(), "R/B");
  EXPECT_EQ(body.text, "b");
}

using TreeLabelEditing = TreePane;

TEST_F(TreeLabelEditing, DateSuffixIsCutAtItsOwnParenthesis) {
  Build({"R", "R/A", "R/B"});
  doc.Store().SetTimeDisplay(CTreeStore::kTimeDisplayUpdated);
  Node("R/A").SetUpdateTime(1700000000);
  Select("R/A");
  view.OnLabelEdited("New (2023/11/15 07:13)");
  EXPECT_EQ(doc.Store().GetTitle(1), "New");
  EXPECT_TRUE(doc.IsModified());
  view.OnLabelEdited("Plan (draft) (2023/11/15 07:13)");
  EXPECT_EQ(doc.Store().GetTitle(1), "Plan (draft)");
  view.OnLabelEdited("No date");
  EXPECT_EQ(doc.Store().GetTitle(1), "Plan (draft)");
  Select("R/B");  // never dated, so it shows no suffix to cut
  view.OnLabelEdited("Plan (draft)");
  EXPECT_EQ(doc.Store().GetTitle(2), "Plan (draft)");
}

TEST_F(TreeLabelEditing, ChaptersAndCategoryInFrontAreNotTakenIntoTheTitle) {
  Build({"R=R", "R/A=old\r\nrest"});
  CTreeStore& store = doc.Store();
  store.Categories().Entries() << Category{"Work", {}};
  Node("R/A").SetCategory(1);
  store.Settings().firstLine = 1;
  view.ToggleChapterCharacters();
  EXPECT_TRUE(view.IsChapterCharactersShown());
  EXPECT_EQ(settings.ReadInt("View", "ViewShoStr", 0), 1);
  Select("R/A");
  ASSERT_FALSE(store.GetChapter(1).isEmpty());
  view.OnLabelEdited(store.GetChapter(1) + store.Categories().DisplayText(1) + "Renamed");
  EXPECT_EQ(store.GetTitle(1), "Renamed");
  EXPECT_EQ(store.GetBody(1), "Renamed\r\nrest");
  EXPECT_EQ(body.text, "Renamed\r\nrest");
}

using TreeSelection = TreePane;

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
  view.InitialLoad();
  EXPECT_EQ(doc.CurrentNode(), 2);
  doc.Store().Settings().treeView = 9;  // a node the file no longer has
  view.InitialLoad();
  EXPECT_EQ(doc.CurrentNode(), 0);
  doc.Store().Settings().treeView = 2;
  settings.WriteInt("System", "AutoFirst", 0);
  view.InitialLoad();
  EXPECT_EQ(Selected(), "R");
  EXPECT_EQ(marksRebuilt, 4);
}

using TreeTapsAndKeys = TreePane;

TEST_F(TreeTapsAndKeys, DoubleTapOnAParentOnlyOpensItUnlessAskedToEdit) {
  Build({"R", "R/A", "R/A/A1", "R/B"});
  Node("R/B").m_strLink = "b.qmp";
  Select("R/A");
  settings.WriteInt("System", "DblClk", 1);
  EXPECT_FALSE(view.OnDoubleTap());
  EXPECT_TRUE(dialogs.EditNodeRequests().empty());
  settings.WriteInt("System", "FolderDblClk", 0);
  EXPECT_TRUE(view.OnDoubleTap());
  EXPECT_EQ(dialogs.EditNodeRequests().size(), 1u);
  Select("R/B");
  settings.WriteInt("System", "DblClk", 0);
  EXPECT_TRUE(view.OnDoubleTap());  // standard: the link file when there is one
  EXPECT_EQ(host.sent, std::vector<int>{kFrameCmdOpenLinkFile});
}

TEST_F(TreeTapsAndKeys, BoundKeysGoToTheFrameEnterEditsDeleteDeletesAndIsPassedOn) {
  Build({"R", "R/A", "R/B"});
  Select("R/A");
  EXPECT_TRUE(view.OnKey({kKeyEnter, false, false, true}));
  EXPECT_FALSE(view.OnKey({kKeyEnter, true, false, false}));  // unbound system key: the control's
  EXPECT_TRUE(view.OnKey({kKeyEnter, false, false, false}));
  EXPECT_EQ(dialogs.EditNodeRequests().size(), 1u);
  EXPECT_EQ(host.sent, std::vector<int>{33225});
  EXPECT_FALSE(view.OnKey({kKeyDelete, false, false, false}));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/B"}));
  settings.WriteInt("System", "ViewMode", 1);  // reading mode on a tall screen
  host.landscape = false;
  EXPECT_TRUE(view.OnKey({kKeyEnter, false, false, false}));
  EXPECT_EQ(host.focused, QStringList{"body"});
}

using TreeCommands = TreePane;

TEST_F(TreeCommands, ReloadReadsTheFileAgainAfterAsking) {
  Build({"R"});
  view.Reload();
  QTemporaryDir dir;
  ASSERT_TRUE(doc.OpenDocument(dir.filePath("missing.qmp")));
  view.Reload();  // the untitled placeholder is no file either
  EXPECT_EQ(prompt.Asked()[2], res::kReloadNewFile.toString());
  prompt.ClearAsked();
  QFile file(dir.filePath("a.qmp"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray("\x08\r\n\x08\r\nR\r\nR/A\r\n").replace('/', '\x01'));
  file.close();
  ASSERT_TRUE(doc.OpenDocument(file.fileName()));
  view.InitialLoad();
  Select("R/A");
  body.text = "typed";
  prompt.Script({PromptAnswer::Cancel});
  view.Reload();
  EXPECT_TRUE(doc.IsModified());
  view.Reload();
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
  EXPECT_TRUE(body.text.isEmpty());  // not the text typed into the outline thrown away
  EXPECT_EQ(prompt.Asked(), QStringList(2, res::kAskReload.toString()));
}

}  // namespace
}  // namespace qm::test
