// Behaviour of the body pane: the body hand-over, the first line as title,
// auto indent, keys, and the text file commands.
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <tuple>
#include <vector>

#include "editing/KeyTable.h"
#include "editing/PaneHost.h"
#include "editing/QEditView.h"
#include "editing/QuillmapDoc.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeEditControl.h"
#include "model/StoreFixture.h"
#include "res/Strings.h"

namespace qm::test {
namespace {

class FakeKeys : public KeyTable {
 public:
  int CommandFor(const KeyPress& key) const override {
    const auto found = bindings.find({key.code, key.alt, key.shift, key.ctrl});
    return found == bindings.end() ? 0 : found->second;
  }
  std::map<std::tuple<int, bool, bool, bool>, int> bindings;
};

class FakeHost : public PaneHost {
 public:
  void FocusBodyPane() override {}
  void FocusTreePane() override {}
  bool BodyPaneHasFocus() const override { return true; }
  void SendToFrame(int id) override { sent.push_back(id); }
  void CloseMainWindow() override {}
  void SetWaitCursor(bool) override {}
  bool IsLandscape() const override { return !portrait; }
  std::vector<int> sent;
  bool portrait = false;
};

const QString kUntitled = res::kUntitledNode.toString();

class BodyPane : public ::testing::Test {
 protected:
  BodyPane()
      : doc(settings, clock, prompt, dialogs),
        view(doc, edit, settings, prompt, dialogs, host, keys) {
    doc.Store().SetPane(&pane);
    edit.onTextChanged = [this] { view.OnTextChanged(); };
  }

  // A root and its children as {title, body}; the root is shown.
  void Show(std::initializer_list<std::pair<const char*, const char*>> nodes,
            bool firstLine = false) {
    CTreeStore& store = doc.Store();
    store.Clear();
    for (const auto& [title, body] : nodes) {
      if (store.GetCount() == 0) {
        store.AddRoot(QString::fromUtf8(title));
        store.SetBody(0, QString::fromUtf8(body));
      } else {
        store.InsertChild(0, QString::fromUtf8(title), {}, QString::fromUtf8(body), 0, 0);
      }
    }
    store.Settings().firstLine = firstLine ? 1 : 0;
    store.RebuildTree();
    doc.SetCurrentNode(0);
    view.InitialLoad();
    doc.SetModified(false);
  }
  // The editor handles a key that the pane let through.
  void EditorKey(int key, int caret) {
    ASSERT_FALSE(view.OnKeyDown({key}));
    edit.MoveCaret(caret);
    view.OnKeyHandled(key);
  }
  QString Body(int i) const { return doc.Store().GetBody(i); }
  QString Title(int i) const { return doc.Store().GetTitle(i); }

  MemorySettingsStore settings;
  FakeClock clock;
  FakePrompt prompt;
  FakeDialogs dialogs;
  FakeTreeControl pane;
  FakeEditControl edit;
  FakeKeys keys;
  FakeHost host;
  CQuillmapDoc doc;
  CQEditView view;
};

using BodyHandOver = BodyPane;

TEST_F(BodyHandOver, TypingMarksModifiedButReachesTheStoreOnlyAtWriteBack) {
  Show({{"R", "old"}});
  edit.MoveCaret(3);
  edit.Type("er");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Body(0), "old");
  doc.WriteBodyBack();
  EXPECT_EQ(Body(0), "older");
}

TEST_F(BodyHandOver, ReloadsOnUpdatesFromOthersOnly) {
  Show({{"R", "root body"}, {"A", "a body"}});
  doc.SetCurrentNode(1);
  doc.UpdateAllViews(&view, kHintBodyOnly);
  view.OnUpdate(&view, kHintBodyOnly);
  EXPECT_EQ(edit.Text(), "root body");
  edit.MoveCaret(4);
  doc.UpdateAllViews(nullptr, kHintBodyOnly);
  EXPECT_EQ(edit.Text(), "a body");
  EXPECT_EQ(edit.SelectionEnd(), 0);
  EXPECT_FALSE(doc.IsModified());  // loading is no edit
}

TEST_F(BodyHandOver, SaveBeforeTheFirstLoadKeepsBodyAndStoredCaret) {
  CTreeStore& store = doc.Store();
  store.AddRoot("R");
  store.SetBody(0, "kept");
  store.Settings().firstCursor = 2;
  store.RebuildTree();
  doc.SetCurrentNode(0);
  doc.UpdateAllViews(nullptr, kHintAll);  // ignored: not loaded yet
  EXPECT_TRUE(edit.Text().isEmpty());
  doc.WriteBodyBack();
  EXPECT_EQ(Body(0), "kept");
  EXPECT_EQ(view.CaretPosition(), 2);
}

TEST_F(BodyHandOver, InitialLoadRestoresTheStoredCaretOnlyWhenAsked) {
  Show({{"R", "abc\r\ndef"}});
  doc.Store().Settings().firstCursor = 99;  // the file was changed elsewhere
  view.InitialLoad();
  EXPECT_EQ(edit.SelectionEnd(), 8);
  settings.WriteInt("System", "FirstCursor", 0);
  view.InitialLoad();
  EXPECT_EQ(edit.SelectionEnd(), 0);
}

using AutoIndent = BodyPane;

TEST_F(AutoIndent, CopiesBlanksTabsAndIdeographicSpacesOneForOne) {
  settings.WriteInt("View", "AutoIndent", 1);
  Show({{"R", "x\r\n  \t\u3000\u3000item"}});
  edit.MoveCaret(static_cast<int>(edit.Text().size()));
  view.OnEnter();
  EXPECT_EQ(edit.Text(), "x\r\n  \t\u3000\u3000item\r\n  \t\u3000\u3000");
  // Only the indent before the caret: the rest moves down with its own.
  edit.SetText("    a");
  edit.MoveCaret(2);
  view.OnEnter();
  EXPECT_EQ(edit.Text(), "  \r\n    a");
}

TEST_F(AutoIndent, OffBreaksPlainlyAndEnterOnTheFirstLineRenames) {
  Show({{"R", "  Title rest"}}, true);
  edit.MoveCaret(7);
  view.OnEnter();
  EXPECT_EQ(edit.Text(), "  Title\r\n rest");
  EXPECT_EQ(Title(0), "  Title");
}

using FirstLineTitle = BodyPane;

TEST_F(FirstLineTitle, LeavingLineZeroAfterTypingRenamesAndKeepsTheEditor) {
  Show({{"R", "Old\r\nbody"}, {"A", ""}}, true);
  edit.MoveCaret(3);
  edit.Type("er");
  EditorKey('R', 5);
  EXPECT_EQ(Title(0), "R");  // still on the line: not yet
  edit.SetFirstVisibleLine(1);
  edit.SetModified(false);
  EditorKey(40 /* Down */, 10);
  EXPECT_EQ(Title(0), "Older");
  EXPECT_EQ(Body(0), "Older\r\nbody");
  EXPECT_EQ(pane.Texts().front(), "Older");
  EXPECT_EQ(std::tuple(edit.SelectionStart(), edit.SelectionEnd(), edit.FirstVisibleLine()),
            std::tuple(10, 10, 1));
  EXPECT_FALSE(edit.IsModified());
}

TEST_F(FirstLineTitle, CutsAt255WithoutSplittingAPairAndNamesEmptyLinesUntitled) {
  Show({{"R", ""}}, true);
  edit.SetText(QString(300, u'a'));
  view.OnFocusLost();
  EXPECT_EQ(Title(0), QString(255, u'a'));
  edit.SetText(QString(254, u'b') + QStringLiteral("\U0001F600\r\nx"));
  view.ApplyFirstLineTitle();
  EXPECT_EQ(Title(0), QString(254, u'b'));
  edit.SetText("\r\nsecond");
  view.ApplyFirstLineTitle();
  EXPECT_EQ(Title(0), kUntitled);
}

using SwitchingFirstLineTitle = BodyPane;

TEST_F(SwitchingFirstLineTitle, OnPrependsDifferingTitlesIncludingWhatWasTyped) {
  Show({{"R", "typed"}, {"A", "A\r\nx"}, {"B", "other"}, {"C", ""}});
  edit.MoveCaret(5);
  edit.Type("!");
  view.SetFirstLineIsTitle(true);
  EXPECT_EQ((QStringList{Body(0), Body(1), Body(2), Body(3)}),
            (QStringList{"R\r\ntyped!", "A\r\nx", "B\r\nother", "C\r\n"}));
  EXPECT_EQ(edit.Text(), "R\r\ntyped!");
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(SwitchingFirstLineTitle, OnAgainAfterKeepingTheLinesAddsNothing) {
  Show({{"R", "x"}, {"A", ""}});
  view.SetFirstLineIsTitle(true);
  prompt.Script({PromptAnswer::Cancel});
  view.SetFirstLineIsTitle(false);
  EXPECT_EQ(doc.Store().Settings().firstLine, 0);
  view.SetFirstLineIsTitle(true);
  EXPECT_EQ((QStringList{Body(0), Body(1)}), (QStringList{"R\r\nx", "A\r\n"}));
}

TEST_F(SwitchingFirstLineTitle, OffWithOkRemovesExactlyTheLinesEqualToTitles) {
  Show({{"R", "R\r\nrest"}, {"A", "A"}, {"B", "Bx\r\nB"}, {"C", "x\r\nC"}, {"D", "D\r\n"}}, true);
  prompt.Script({PromptAnswer::Ok});
  view.SetFirstLineIsTitle(false);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kAskDeleteTitleLines.toString()});
  EXPECT_EQ((QStringList{Body(0), Body(1), Body(2), Body(3), Body(4)}),
            (QStringList{"rest", "", "Bx\r\nB", "x\r\nC", ""}));
  EXPECT_EQ(edit.Text(), "rest");
  EXPECT_TRUE(doc.IsModified());
}

using BodyKeys = BodyPane;

TEST_F(BodyKeys, OnlyModifiedAndFunctionKeysAskTheTableExceptInReadingMode) {
  keys.bindings = {{{'S', false, false, true}, 57603},
                   {{'A', false, false, false}, 1},
                   {{27, false, false, false}, 2},
                   {{113, false, false, false}, 3}};
  settings.WriteInt("System", "ViewMode", 1);
  Show({{"R", ""}});
  EXPECT_TRUE(view.OnKeyDown({'S', false, false, true}));
  EXPECT_FALSE(view.OnKeyDown({'A'}));
  EXPECT_FALSE(view.OnKeyDown({'X', true}));  // unbound: the editor's
  EXPECT_TRUE(view.OnKeyDown({113}));
  EXPECT_FALSE(view.OnKeyDown({27}));
  EXPECT_FALSE(view.OnKeyDown({13}));
  host.portrait = true;
  EXPECT_TRUE(view.OnKeyDown({13}));
  EXPECT_FALSE(view.OnKeyDown({13, false, true}));  // Shift+Enter breaks the line
  EXPECT_TRUE(view.OnKeyDown({27}));
  EXPECT_EQ(host.sent, (std::vector<int>{57603, 3, 32845, 2}));
}

class TextFiles : public BodyPane {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }
  QString Write(const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
  }
  QTemporaryDir dir;
};

TEST_F(TextFiles, InsertEndsEveryLineWithCrLfAndAMissingFileIsNotFound) {
  Show({{"R", "[sel]"}});
  edit.SetSelection(0, 5);
  dialogs.ScriptOpenFileName({Write("in.txt", "a\r\nb\n\x93\xfa\x96\x7b\r\r\nend\x1a junk\nlast"),
                              dir.filePath("missing.txt")});
  ASSERT_TRUE(view.InsertFile());
  EXPECT_EQ(edit.Text(), "a\r\nb\r\n日本\r\r\nend\r\nlast\r\n");
  EXPECT_TRUE(prompt.Asked().isEmpty());
  EXPECT_FALSE(view.InsertFile());
  EXPECT_EQ(prompt.Asked(), QStringList{res::kFileNotFound.toString()});
  EXPECT_EQ(edit.Text(), "a\r\nb\r\n日本\r\r\nend\r\nlast\r\n");
}

TEST_F(TextFiles, SaveProposesACleanNameAndWritesTheCodePage) {
  Show({{"a/b:c*d v1.2", "日本\r\n"},
        {".hidden", ""},
        {QString(200, u'長').toUtf8().constData(), ""}});
  const QString path = dir.filePath("out.txt");
  dialogs.ScriptSaveFileName({path, std::nullopt, std::nullopt});
  ASSERT_TRUE(view.SaveTextArea());
  EXPECT_EQ(Read(path), QByteArray("\x93\xfa\x96\x7b\r\n"));
  for (int node : {1, 2}) {
    doc.SetCurrentNode(node);
    view.SaveTextArea();
  }
  const auto& asked = dialogs.SaveRequests();
  EXPECT_EQ(asked.at(0).proposedName, "a_b_c_d v1.txt");
  EXPECT_EQ(asked.at(1).proposedName, kUntitled + ".txt");
  EXPECT_LE(asked.at(2).proposedName.toUtf8().size(), 255);
  EXPECT_TRUE(asked.at(2).proposedName.endsWith(u"長.txt"));
}

TEST_F(TextFiles, SaveFailureSaysCannotOpenAndLossNeedsConsent) {
  Show({{"R", "\u00e9"}});
  const QString path = dir.filePath("lossy.txt");
  dialogs.ScriptSaveFileName({dir.filePath("no/such/dir.txt"), path, path});
  prompt.Script({PromptAnswer::Ok, PromptAnswer::Ok, PromptAnswer::Cancel, PromptAnswer::Ok});
  EXPECT_FALSE(view.SaveTextArea());
  EXPECT_EQ(prompt.Asked().last(), res::kCannotOpenFile.toString());
  EXPECT_FALSE(view.SaveTextArea());
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_TRUE(view.SaveTextArea());
  EXPECT_EQ(Read(path), "?");
}

}  // namespace
}  // namespace qm::test
