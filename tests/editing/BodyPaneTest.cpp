// Behaviour of the body pane: the body hand-over, the first line as title,
// auto indent, keys, and the text file commands.
#include <QFile>
#include <QTemporaryDir>
#include <tuple>
#include <vector>

#include "platform/FileIo.h"
#include "res/CommandIds.h"
#include "res/Strings.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

const QString kUntitled = res::kUntitledNode.toString();

class BodyPane : public PanesFixture {
 protected:
  BodyPane() {
    // The tests move the document's current node themselves, as the body
    // pane sees it happen, without the tree pane reacting in between.
    pane.view = nullptr;
    host.bodyHasFocus = true;
  }

  // The editor handles a key that the pane let through.
  void EditorKey(int key, int caret) {
    ASSERT_FALSE(body.OnKeyDown({key}));
    edit.MoveCaret(caret);
    body.OnKeyHandled(key);
  }
  // Every node's body in outline order.
  QStringList Bodies() const {
    QStringList out;
    for (int i = 0; i < doc.Store().GetCount(); ++i) out << doc.Store().GetBody(i);
    return out;
  }
  QString Title(int i) const { return doc.Store().GetTitle(i); }
};

using BodyHandOver = BodyPane;

TEST_F(BodyHandOver, TypingMarksModifiedButReachesTheStoreOnlyAtWriteBack) {
  Build({"R=old"});
  edit.MoveCaret(3);
  edit.Type("er");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Body("R"), "old");
  doc.WriteBodyBack();
  EXPECT_EQ(Body("R"), "older");
}

TEST_F(BodyHandOver, ReloadsOnUpdatesFromOthersOnly) {
  Build({"R=root body", "R/A=a body"});
  doc.SetCurrentNode(1);
  doc.UpdateAllViews(&body, kHintBodyOnly);
  body.OnUpdate(&body, kHintBodyOnly);
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
  EXPECT_EQ(Body("R"), "kept");
  EXPECT_EQ(body.CaretPosition(), 2);
}

TEST_F(BodyHandOver, InitialLoadRestoresTheStoredCaretOnlyWhenAsked) {
  Build({"R=abc\r\ndef"});
  doc.Store().Settings().firstCursor = 99;  // the file was changed elsewhere
  body.InitialLoad();
  EXPECT_EQ(edit.SelectionEnd(), 8);
  settings.WriteInt("System", "FirstCursor", 0);
  body.InitialLoad();
  EXPECT_EQ(edit.SelectionEnd(), 0);
}

using AutoIndent = BodyPane;

TEST_F(AutoIndent, CopiesBlanksTabsAndIdeographicSpacesOneForOne) {
  settings.WriteInt("View", "AutoIndent", 1);
  Build({"R=x\r\n  \t\u3000\u3000item"});
  edit.MoveCaret(static_cast<int>(edit.Text().size()));
  body.OnEnter();
  EXPECT_EQ(edit.Text(), "x\r\n  \t\u3000\u3000item\r\n  \t\u3000\u3000");
  // Only the indent before the caret: the rest moves down with its own.
  edit.SetText("    a");
  edit.MoveCaret(2);
  body.OnEnter();
  EXPECT_EQ(edit.Text(), "  \r\n    a");
}

TEST_F(AutoIndent, OffBreaksPlainlyAndEnterOnTheFirstLineRenames) {
  Build({"R=  Title rest"});
  doc.Store().Settings().firstLine = 1;
  edit.MoveCaret(7);
  body.OnEnter();
  EXPECT_EQ(edit.Text(), "  Title\r\n rest");
  EXPECT_EQ(Title(0), "  Title");
}

using FirstLineTitle = BodyPane;

TEST_F(FirstLineTitle, LeavingLineZeroAfterTypingRenamesAndKeepsTheEditor) {
  Build({"R=Old\r\nbody", "R/A"});
  doc.Store().Settings().firstLine = 1;
  edit.MoveCaret(3);
  edit.Type("er");
  EditorKey('R', 5);
  EXPECT_EQ(Title(0), "R");  // still on the line: not yet
  edit.SetFirstVisibleLine(1);
  edit.SetModified(false);
  EditorKey(40 /* Down */, 10);
  EXPECT_EQ(Title(0), "Older");
  EXPECT_EQ(Body("Older"), "Older\r\nbody");
  EXPECT_EQ(pane.Texts().front(), "Older");
  EXPECT_EQ(std::tuple(edit.SelectionStart(), edit.SelectionEnd(), edit.FirstVisibleLine()),
            std::tuple(10, 10, 1));
  EXPECT_FALSE(edit.IsModified());
}

TEST_F(FirstLineTitle, CutsAt255WithoutSplittingAPairAndNamesEmptyLinesUntitled) {
  Build({"R"});
  doc.Store().Settings().firstLine = 1;
  edit.SetText(QString(300, u'a'));
  body.OnFocusLost();
  EXPECT_EQ(Title(0), QString(255, u'a'));
  edit.SetText(QString(254, u'b') + QStringLiteral("\U0001F600\r\nx"));
  body.ApplyFirstLineTitle();
  EXPECT_EQ(Title(0), QString(254, u'b'));
  edit.SetText("\r\nsecond");
  body.ApplyFirstLineTitle();
  EXPECT_EQ(Title(0), kUntitled);
}

using SwitchingFirstLineTitle = BodyPane;

TEST_F(SwitchingFirstLineTitle, OnPrependsDifferingTitlesIncludingWhatWasTyped) {
  Build({"R=typed", "R/A=A\r\nx", "R/B=other", "R/C"});
  edit.MoveCaret(5);
  edit.Type("!");
  body.SetFirstLineIsTitle(true);
  EXPECT_EQ(Bodies(), (QStringList{"R\r\ntyped!", "A\r\nx", "B\r\nother", "C\r\n"}));
  EXPECT_EQ(edit.Text(), "R\r\ntyped!");
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(SwitchingFirstLineTitle, OnAgainAfterKeepingTheLinesAddsNothing) {
  Build({"R=x", "R/A"});
  body.SetFirstLineIsTitle(true);
  prompt.Script({PromptAnswer::Cancel});
  body.SetFirstLineIsTitle(false);
  EXPECT_EQ(doc.Store().Settings().firstLine, 0);
  body.SetFirstLineIsTitle(true);
  EXPECT_EQ(Bodies(), (QStringList{"R\r\nx", "A\r\n"}));
}

TEST_F(SwitchingFirstLineTitle, OffWithOkRemovesExactlyTheLinesEqualToTitles) {
  Build({"R=R\r\nrest", "R/A=A", "R/B=Bx\r\nB", "R/C=x\r\nC", "R/D=D\r\n"});
  doc.Store().Settings().firstLine = 1;
  prompt.Script({PromptAnswer::Ok});
  body.SetFirstLineIsTitle(false);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kAskDeleteTitleLines.toString()});
  EXPECT_EQ(Bodies(), (QStringList{"rest", "", "Bx\r\nB", "x\r\nC", ""}));
  EXPECT_EQ(edit.Text(), "rest");
  EXPECT_TRUE(doc.IsModified());
}

using BodyKeys = BodyPane;

TEST_F(BodyKeys, OnlyModifiedAndFunctionKeysAskTheTableExceptInReadingMode) {
  keys.Bind({'S', false, false, true}, kCmdSave);
  keys.Bind({'A'}, kCmdSelectAll);
  keys.Bind({27 /* Esc */}, kCmdFind);
  keys.Bind({113 /* F2 */}, kCmdFindNext);
  settings.WriteInt("System", "ViewMode", 1);
  Build({"R"});
  EXPECT_TRUE(body.OnKeyDown({'S', false, false, true}));
  EXPECT_FALSE(body.OnKeyDown({'A'}));
  EXPECT_FALSE(body.OnKeyDown({'X', true}));  // unbound: the editor's
  EXPECT_TRUE(body.OnKeyDown({113}));
  EXPECT_FALSE(body.OnKeyDown({27}));
  EXPECT_FALSE(body.OnKeyDown({13}));
  host.landscape = false;
  EXPECT_TRUE(body.OnKeyDown({13}));
  EXPECT_FALSE(body.OnKeyDown({13, false, true}));  // Shift+Enter breaks the line
  EXPECT_TRUE(body.OnKeyDown({27}));
  EXPECT_EQ(host.sent, (std::vector<int>{kCmdSave, kCmdFindNext, kCmdSwitchPanes, kCmdFind}));
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
  Build({"R=[sel]"});
  edit.SetSelection(0, 5);
  dialogs.ScriptOpenFileName({Write("in.txt", "a\r\nb\n\x93\xfa\x96\x7b\r\r\nend\x1a junk\nlast"),
                              dir.filePath("missing.txt")});
  ASSERT_TRUE(body.InsertFile());
  EXPECT_EQ(edit.Text(), "a\r\nb\r\n日本\r\r\nend\r\nlast\r\n");
  EXPECT_TRUE(prompt.Asked().isEmpty());
  EXPECT_FALSE(body.InsertFile());
  EXPECT_EQ(prompt.Asked(),
            QStringList{res::kFileNotFound.toString() +
                        FailureReason(FileFailure{FileFailure::Kind::NotFound, 0, {}})});
  EXPECT_EQ(edit.Text(), "a\r\nb\r\n日本\r\r\nend\r\nlast\r\n");
}

TEST_F(TextFiles, SaveProposesACleanNameAndWritesTheCodePage) {
  Build({"R=日本\r\n", "R/.hidden", "R/long"});
  doc.Store().Rename(2, QString(200, u'長'));
  doc.Store().Rename(0, "a/b:c*d v1.2");  // "/" is no separator in a title
  const QString path = dir.filePath("out.txt");
  dialogs.ScriptSaveFileName({path, std::nullopt, std::nullopt});
  ASSERT_TRUE(body.SaveTextArea());
  EXPECT_EQ(Read(path), QByteArray("\x93\xfa\x96\x7b\r\n"));
  for (int node : {1, 2}) {
    doc.SetCurrentNode(node);
    body.SaveTextArea();
  }
  const auto& asked = dialogs.SaveRequests();
  EXPECT_EQ(asked.at(0).proposedName, "a_b_c_d v1.txt");
  EXPECT_EQ(asked.at(1).proposedName, kUntitled + ".txt");
  EXPECT_LE(asked.at(2).proposedName.toUtf8().size(), 255);
  EXPECT_TRUE(asked.at(2).proposedName.endsWith(u"長.txt"));
}

TEST_F(TextFiles, SaveFailureSaysCannotOpenAndLossNeedsConsent) {
  Build({"R=\u00e9"});
  const QString path = dir.filePath("lossy.txt");
  dialogs.ScriptSaveFileName({dir.filePath("no/such/dir.txt"), path, path});
  prompt.Script({PromptAnswer::Ok, PromptAnswer::Ok, PromptAnswer::Cancel, PromptAnswer::Ok});
  EXPECT_FALSE(body.SaveTextArea());
  EXPECT_EQ(prompt.Asked().last(),
            res::kCannotOpenFile.toString() +
                FailureReason(FileFailure{FileFailure::Kind::NotFound, 0, {}}));
  EXPECT_FALSE(body.SaveTextArea());
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_TRUE(body.SaveTextArea());
  EXPECT_EQ(Read(path), "?");
}

}  // namespace
}  // namespace qm::test
