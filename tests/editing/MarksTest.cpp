// Behaviour of the mark, check and strike-through commands, the marks list,
// branch visibility and the check filter, with a reporting tree control and
// a body pane stand-in around them.
#include <QTemporaryDir>

#include "editing/BranchVisibility.h"
#include "editing/DocumentView.h"
#include "editing/MarkCommands.h"
#include "editing/QuillmapDoc.h"
#include "fakes/FakeDialogs.h"
#include "model/StoreFixture.h"
#include "res/Strings.h"

namespace qm::test {
namespace {

// Reports a selection change as the tree pane does: the body goes back to
// the node being left, then the document follows the new item.
class ReportingTree : public FakeTreeControl {
 public:
  void SelectItem(TreeItem item) override {
    if (item == GetSelectedItem()) return;
    doc->WriteBodyBack();
    FakeTreeControl::SelectItem(item);
    if (const int i = doc->Store().FindItem(item); i >= 0) {
      doc->SetCurrentNode(i);
      doc->UpdateAllViews(nullptr, kHintBodyOnly);
    }
  }
  CQuillmapDoc* doc = nullptr;
};

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

class MarksTest : public ::testing::Test {
 protected:
  MarksTest() : doc(settings, clock, prompt, dialogs), body(doc) {
    doc.Store().SetPane(&tree);
    doc.AddView(&body);
    tree.doc = &doc;
    marks.SetLabelsSink([this](const QStringList& list) { labels = list; });
  }

  // Nodes as "path#flags=body", "/" standing for the path separator; flags
  // m (mark 1), 2 (mark 2) and c (checked).
  void Build(std::initializer_list<const char*> nodes) {
    for (const char* text : nodes) {
      const QStringList parts = QString::fromUtf8(text).split(u'=');
      const QStringList head = parts[0].split(u'#');
      auto node = std::make_unique<CDirData>();
      node->m_strPath = P(head[0].toUtf8().constData());
      node->m_strBody = parts.value(1);
      const QString flags = head.value(1);
      node->m_nMark = flags.contains(u'm') ? 1 : flags.contains(u'2') ? 2 : 0;
      if (flags.contains(u'c')) node->m_nFlags |= kFlagChecked;
      doc.Store().AppendLoaded(std::move(node));
    }
    doc.Store().FinishLoading(QStringLiteral("t.qmp"));
    doc.Store().RebuildTree();
    doc.SetCurrentNode(0);
    marks.RebuildMarksMenu();
  }
  int Index(const char* path) const { return doc.Store().FindPath(P(path)); }
  CDirData& Node(const char* path) { return doc.Store().GetNode(Index(path)); }
  void Select(const char* path) { tree.SelectItem(doc.Store().GetItem(Index(path))); }
  QString Selected() const {
    return QString(doc.Store().GetPath(doc.Store().GetSelected())).replace(kPathSeparator, u'/');
  }
  int StateImage(const char* path) { return tree.Get(doc.Store().GetItem(Index(path))).stateImage; }

  MemorySettingsStore settings;
  FakeClock clock;
  FakePrompt prompt;
  FakeDialogs dialogs;
  ReportingTree tree;
  CQuillmapDoc doc;
  BodyStub body;
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
  EXPECT_EQ(tree.Texts(), (QStringList{"R", "A", "C"}));
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
  CTreeStore reread(settings, clock, prompt);
  ASSERT_EQ(reread.Load(path, 0), 4);
  EXPECT_EQ(reread.GetBody(reread.FindPath(P("R/B"))), "kept\r\n");
}

}  // namespace
}  // namespace qm::test
