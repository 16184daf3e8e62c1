// Behaviour of the document: new and open, saving and its failures, undo,
// and the hand-over of the body pane's text.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "res/Strings.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

class Document : public TreePaneFixture {
 protected:
  Document() {
    doc.SetRecentFileSink([this](const QString& path) { recent << path; });
  }
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  static QString Reason(QStringView why) { return res::kFileReason.toString().arg(why); }
  QString PathOf(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

  QString WriteFile(const char* name, const QByteArray& bytes) {
    QFile file(PathOf(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  // nodes: node lines, "/" standing for the path separator.
  QString WriteOutline(const char* name, const char* nodes) {
    return WriteFile(name, "\x08\r\n\x08\r\n" + QByteArray(nodes).replace('/', '\x01'));
  }
  static QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  void OpenAndShow(const QString& path) {
    ASSERT_TRUE(doc.OpenDocument(path));
    ShowLoaded();
  }

  QTemporaryDir dir;
  QStringList recent;
};

const QString kUntitled = res::kUntitledTop.toString();

using DocumentLifecycle = Document;

TEST_F(DocumentLifecycle, NewDocumentIsOneUntitledTopNodeAndNotModified) {
  OpenAndShow(WriteOutline("a.qmp", "R\r\nR/A\r\n"));
  doc.SetModified();
  ASSERT_TRUE(doc.NewDocument());
  EXPECT_EQ(Paths(), QStringList{kUntitled});
  EXPECT_EQ(pane.Texts(), QStringList{kUntitled});
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(doc.PathName().isEmpty());
  // The body pane still shows the old outline's text until it reloads.
  body.text = "old";
  doc.WriteBodyBack();
  EXPECT_TRUE(doc.Store().GetBody(0).isEmpty());
}

TEST_F(DocumentLifecycle, OpenTakesTheFileAndRemembersIt) {
  const QString path = WriteOutline("a.qmp", "R\r\nR/A\r\n");
  ASSERT_TRUE(doc.OpenDocument(path));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
  EXPECT_EQ(doc.PathName(), path);
  EXPECT_EQ(settings.ReadString("System", "IniFile", {}), path);
  EXPECT_EQ(recent, QStringList{path});
}

TEST_F(DocumentLifecycle, FailedOpenLeavesUntitledPlaceholderAndSaysWhy) {
  settings.WriteString("System", "IniFile", "/kept.qmp");
  const QString missing = PathOf("missing.qmp");
  EXPECT_TRUE(doc.OpenDocument(missing));
  EXPECT_EQ(Paths(), QStringList{kUntitled});
  EXPECT_EQ(doc.PathName(), res::kUntitledFileName.toString());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(prompt.Asked(), QStringList{res::kFileNotFound.toString() +
                                        Reason(res::kFileReasonNotFound) + u'\n' + missing});
  // The placeholder is nothing anyone could reopen.
  EXPECT_EQ(settings.ReadString("System", "IniFile", {}), QStringLiteral("/kept.qmp"));
  EXPECT_TRUE(recent.isEmpty());

  // The message keeps its words and says what stood in the way.
  EXPECT_TRUE(doc.OpenDocument(dir.path()));
  EXPECT_TRUE(prompt.Asked().last().startsWith(res::kFileNotFound.toString() +
                                               Reason(res::kFileReasonIsFolder)))
      << prompt.Asked().last().toStdString();
}

TEST_F(DocumentLifecycle, DamagedFileOpensWithOneWarning) {
  ASSERT_TRUE(doc.OpenDocument(WriteFile("bad.qmp", "\x08\r\n\x08\r\nR\xFF\r\nX\x01Y\r\n")));
  EXPECT_EQ(doc.Store().GetCount(), 2);
  ASSERT_EQ(prompt.Asked().size(), 1);
  EXPECT_TRUE(prompt.Asked()[0].contains(res::kUndecodableBytes.toString()));
  EXPECT_TRUE(prompt.Asked()[0].contains(res::kNodesReplaced.toString()));
}

TEST_F(DocumentLifecycle, WebPathsFailAndLeaveTheDocumentAlone) {
  OpenAndShow(WriteOutline("a.qmp", "R\r\n"));
  EXPECT_FALSE(doc.OpenDocument("net:42;Plans"));
  EXPECT_FALSE(doc.SaveDocument("net:;Plans"));
  EXPECT_EQ(Paths(), QStringList{"R"});
  EXPECT_EQ(prompt.Asked(), QStringList(2, res::kWebDocumentNotYetSupported.toString()));
}

TEST_F(DocumentLifecycle, SaveModifiedAsksOnlyWhenModifiedAndHonoursTheAnswer) {
  const QString path = WriteOutline("a.qmp", "R\r\n");
  OpenAndShow(path);
  EXPECT_TRUE(doc.SaveModified());
  EXPECT_TRUE(prompt.Asked().isEmpty());

  body.text = "new";
  doc.WriteBodyBack();
  const QByteArray before = Bytes(path);
  prompt.Script({PromptAnswer::Cancel, PromptAnswer::No, PromptAnswer::Yes});
  EXPECT_FALSE(doc.SaveModified());
  EXPECT_TRUE(doc.SaveModified());
  EXPECT_EQ(Bytes(path), before);
  EXPECT_TRUE(doc.SaveModified());
  EXPECT_NE(Bytes(path), before);
  EXPECT_EQ(prompt.Asked()[0], res::kAskSaveChanges.toString().arg("a.qmp"));
}

using DocumentUndo = Document;

TEST_F(DocumentUndo, UndoRestoresTheSnapshotOnceAndRebuildsThePane) {
  OpenAndShow(WriteOutline("a.qmp", "R\r\nR/A\r\nR/B\r\n"));
  doc.TakeSnapshot();
  doc.Store().DeleteBranch(1);
  EXPECT_TRUE(doc.RestoreSnapshot());
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/B"}));
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "A", "B"}));
  EXPECT_TRUE(doc.IsModified());

  doc.Store().DeleteBranch(1);
  EXPECT_FALSE(doc.RestoreSnapshot());
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "B"}));
}

TEST_F(DocumentUndo, UndoNeverBringsBackAnotherDocumentsOutline) {
  OpenAndShow(WriteOutline("a.qmp", "A\r\n"));
  doc.TakeSnapshot();
  ASSERT_TRUE(doc.OpenDocument(WriteOutline("b.qmp", "B\r\n")));
  EXPECT_FALSE(doc.RestoreSnapshot());
  EXPECT_EQ(Paths(), QStringList{"B"});

  doc.TakeSnapshot();
  doc.NewDocument();
  EXPECT_FALSE(doc.RestoreSnapshot());
  EXPECT_EQ(Paths(), QStringList{kUntitled});
}

using DocumentBody = Document;

TEST_F(DocumentBody, BodyIsStoredOnlyWhenChangedAndThenStamped) {
  OpenAndShow(WriteOutline("a.qmp", "R\r\nR/A\r\n"));
  doc.Store().SetTimeDisplay(CTreeStore::kTimeDisplayUpdated);
  Select("R/A");
  doc.WriteBodyBack();
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.Store().GetNode(1).HasUpdateTime());

  clock.Set(1750000000);
  body.text = "typed";
  doc.WriteBodyBack();
  EXPECT_EQ(doc.BodyOfCurrentNode(), QStringLiteral("typed"));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.Store().GetNode(1).m_tmUpdate, 1750000000);
  EXPECT_EQ(pane.Texts()[1], QStringLiteral("A (2025/06/16 00:06)"));

  // Separators never reach a body, so they are no change either.
  doc.SetModified(false);
  body.text = Marks("typed\\1");
  doc.WriteBodyBack();
  EXPECT_FALSE(doc.IsModified());
}

using DocumentSave = Document;

TEST_F(DocumentSave, SaveKeepsSelectionAndCaretForTheNextOpen) {
  const QString path = WriteOutline("a.qmp", "R\r\nR/A\r\nR/B\r\n");
  OpenAndShow(path);
  Select("R/B");
  body.caret = 7;
  settings.WriteString("System", "IniFile", {});
  ASSERT_TRUE(doc.FileSave());
  EXPECT_EQ(settings.ReadString("System", "IniFile", {}), path);

  ASSERT_TRUE(doc.OpenDocument(path));
  EXPECT_EQ(doc.Store().Settings().treeView, 2);
  EXPECT_EQ(doc.Store().Settings().firstCursor, 7);
}

TEST_F(DocumentSave, FailedSaveDisablesSaveUntilSaveAsSucceeds) {
  const QString path = WriteOutline("a.qmp", "R\r\n");
  OpenAndShow(path);
  doc.SetModified();
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(QDir(dir.path()).mkdir("a.qmp"));  // the file can no longer be written

  EXPECT_FALSE(doc.FileSave());
  EXPECT_FALSE(doc.CanSave());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(prompt.Asked(),
            QStringList{res::kDocumentSaveFailed.toString() + u'\n' + res::kCannotWrite.toString() +
                        Reason(res::kFileReasonIsFolder)});
  EXPECT_FALSE(doc.FileSave());
  EXPECT_EQ(prompt.Asked().last(), res::kSaveRefusedUseSaveAs.toString());

  const QString other = PathOf("b.qmp");
  dialogs.ScriptSaveFileName({other});
  EXPECT_TRUE(doc.FileSaveAs());
  EXPECT_TRUE(doc.CanSave());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.PathName(), other);
}

TEST_F(DocumentSave, UnencodableCharactersAreSavedAsQuestionMarksOnlyAfterOk) {
  const QString path = WriteOutline("a.qmp", "R\r\n");
  OpenAndShow(path);
  body.text = QStringLiteral("smile \U0001F600\r\n");
  const QByteArray before = Bytes(path);

  prompt.Script({PromptAnswer::Cancel});
  EXPECT_FALSE(doc.FileSave());
  EXPECT_EQ(Bytes(path), before);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.CanSave());
  ASSERT_EQ(prompt.Asked().size(), 1);
  EXPECT_TRUE(prompt.Asked()[0].contains(QStringLiteral("\U0001F600")));

  prompt.Script({PromptAnswer::Ok});
  EXPECT_TRUE(doc.FileSave());
  EXPECT_EQ(prompt.Asked().size(), 2);
  ASSERT_TRUE(doc.OpenDocument(path));
  EXPECT_EQ(doc.Store().GetBody(0), QStringLiteral("smile ?\r\n"));
}

// The stored default names a folder of the handheld; the browser then starts
// beside the document rather than in the home folder.
TEST_F(DocumentSave, SaveAsStartsBesideTheDocumentWithoutAChosenFolder) {
  const QString path = WriteOutline("a.qmp", "R\r\n");
  OpenAndShow(path);
  settings.WriteString("System", "InitDir", "\\My Documents");
  EXPECT_FALSE(doc.FileSaveAs());
  ASSERT_EQ(dialogs.SaveRequests().size(), 1u);
  EXPECT_EQ(dialogs.SaveRequests()[0].initialFolder, QFileInfo(path).absolutePath());
}

TEST_F(DocumentSave, SaveAsAsksWithThePreferredDialogAndCancelChangesNothing) {
  const QString path = WriteOutline("a.qmp", "R\r\n");
  OpenAndShow(path);
  settings.WriteString("System", "InitDir", "/home/me/notes");
  EXPECT_FALSE(doc.FileSaveAs());
  settings.WriteInt("System", "PPCSaveDlg", 1);
  EXPECT_FALSE(doc.FileSaveAs());
  EXPECT_EQ(doc.PathName(), path);

  ASSERT_EQ(dialogs.SaveRequests().size(), 2u);
  EXPECT_EQ(dialogs.SaveRequests()[0].kind, SaveDialogKind::FileBrowser);
  EXPECT_EQ(dialogs.SaveRequests()[0].initialFolder, QStringLiteral("/home/me/notes"));
  EXPECT_EQ(dialogs.SaveRequests()[0].proposedName, QStringLiteral("a.qmp"));
  EXPECT_EQ(dialogs.SaveRequests()[1].kind, SaveDialogKind::Standard);
}

TEST_F(DocumentSave, SaveWithoutAFileOfItsOwnAsksForAName) {
  doc.NewDocument();
  EXPECT_FALSE(doc.FileSave());
  doc.OpenDocument(PathOf("missing.qmp"));
  EXPECT_FALSE(doc.FileSave());
  ASSERT_EQ(dialogs.SaveRequests().size(), 2u);
  EXPECT_TRUE(dialogs.SaveRequests()[0].proposedName.isEmpty());
  EXPECT_EQ(dialogs.SaveRequests()[1].proposedName, res::kUntitledFileName.toString());
  EXPECT_FALSE(QFile::exists(res::kUntitledFileName.toString()));
}

// ---- Plain-text and memo documents ----

using DocumentTextFiles = Document;

TEST_F(DocumentTextFiles, AnUnreadableMemoFileLeavesTheUntitledOutlineAndSaysSo) {
  const QString path = PathOf("missing.mem");
  ASSERT_TRUE(doc.OpenDocument(path));
  EXPECT_EQ(Paths(), QStringList({kUntitled}));
  EXPECT_EQ(doc.PathName(), res::kUntitledFileName.toString());
  EXPECT_TRUE(recent.isEmpty());
  EXPECT_EQ(prompt.Asked(), QStringList{res::kCannotOpenFile.toString() +
                                        Reason(res::kFileReasonNotFound) + u'\n' + path});
}

TEST_F(DocumentTextFiles, DeclinedOrFilteredPlainTextSavesKeepSaveAvailable) {
  doc.Store().SetTextFileRenderer(
      [](CTreeStore&, int, int, TextSink& sink) { sink.Text() += u"text"; });
  const QString path = WriteFile("plan.txt", "Plan\r\n1. A\r\n");
  OpenAndShow(path);
  doc.SetModified();
  settings.WriteInt("System", "bTextFile", 1);
  prompt.Script({PromptAnswer::Cancel});
  EXPECT_FALSE(doc.FileSave());
  EXPECT_EQ(prompt.Asked(), QStringList{res::kAskSaveOverTextFile.toString()});
  EXPECT_TRUE(doc.CanSave());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Bytes(path), QByteArray("Plan\r\n1. A\r\n"));

  settings.WriteInt("System", "bTextFile", 0);
  doc.Store().SetCheckFilter(CTreeStore::kCheckFilterUnchecked);
  EXPECT_FALSE(doc.FileSave());
  ASSERT_EQ(prompt.Asked().size(), 2);  // the filter's message, alone
  EXPECT_TRUE(prompt.Asked()[1].startsWith(res::kFilterShowsUncheckedOnly.toString()));
  EXPECT_TRUE(doc.CanSave());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Bytes(path), QByteArray("Plan\r\n1. A\r\n"));

  doc.Store().SetCheckFilter(CTreeStore::kCheckFilterAll);
  EXPECT_TRUE(doc.FileSave());
  EXPECT_EQ(Bytes(path), QByteArray("text"));
}

TEST_F(DocumentTextFiles, LostCharactersAreAskedAboutBeforeThePlainTextFormatOnceEach) {
  doc.Store().SetTextFileRenderer(
      [](CTreeStore&, int, int, TextSink& sink) { sink.Text() += u"smile \U0001F600\r\n"; });
  const QString path = WriteFile("plan.txt", "Plan\r\n");
  OpenAndShow(path);
  doc.SetModified();
  settings.WriteInt("System", "bTextFile", 1);
  prompt.Script({PromptAnswer::Ok, PromptAnswer::Ok});
  EXPECT_TRUE(doc.FileSave());
  EXPECT_EQ(prompt.Asked(),
            (QStringList{res::kAskSaveUnencodable.toString().arg(QStringLiteral("\U0001F600")),
                         res::kAskSaveOverTextFile.toString()}));
  EXPECT_EQ(Bytes(path), QByteArray("smile ?\r\n"));
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace qm::test

namespace qm::test {
namespace {

using DocumentOnDisk = Document;

// Another program writes the file while it is open: the next Save asks
// before overwriting, and the change is news only once.
TEST_F(DocumentOnDisk, AFileChangedElsewhereIsNotOverwrittenWithoutAsking) {
  const QString path = WriteOutline("a.qmp", "R\r\nR/A\r\n");
  OpenAndShow(path);
  EXPECT_FALSE(doc.ChangedOnDisk());
  WriteFile("a.qmp", "another program's outline, longer than ours");
  EXPECT_TRUE(doc.ChangedOnDisk());
  EXPECT_TRUE(doc.TakeNewChangeOnDisk());
  EXPECT_FALSE(doc.TakeNewChangeOnDisk());

  doc.SetModified();
  prompt.Script({PromptAnswer::Cancel});
  EXPECT_FALSE(doc.FileSave());
  EXPECT_EQ(prompt.Asked(), QStringList{res::kAskOverwriteChangedFile.toString().arg("a.qmp")});
  EXPECT_EQ(Bytes(path), "another program's outline, longer than ours");
  EXPECT_TRUE(doc.CanSave());  // a choice, not a broken file

  EXPECT_TRUE(doc.FileSave());  // OK this time
  EXPECT_TRUE(Bytes(path).contains("R"));
  EXPECT_FALSE(doc.ChangedOnDisk());  // the file is ours again

  ASSERT_TRUE(QFile::remove(path));
  EXPECT_FALSE(doc.ChangedOnDisk());  // nothing there to lose
}

// The outline holds less than the file it came from: Save over that file
// asks first, Save As elsewhere does not, and once the file holds this
// outline nothing is asked again.
TEST_F(DocumentOnDisk, AFileReadWithLossesIsOverwrittenOnlyAfterAsking) {
  const QByteArray damaged = "\x08\r\n\x08\r\nR\r\n\x04junk\r\ntext\r\r\n\x04\r\n";
  const QString path = WriteFile("a.qmp", damaged);
  OpenAndShow(path);
  ASSERT_EQ(prompt.Asked().size(), 1);  // what the load left out
  doc.SetModified();

  prompt.Script({PromptAnswer::Cancel});
  EXPECT_FALSE(doc.FileSave());
  EXPECT_EQ(prompt.Asked().last(), res::kAskOverwriteLossyFile.toString().arg("a.qmp"));
  EXPECT_EQ(Bytes(path), damaged);
  EXPECT_TRUE(doc.CanSave());
  EXPECT_TRUE(doc.IsModified());

  // Save As onto the same file asks as well.
  dialogs.ScriptSaveFileName({path});
  prompt.Script({PromptAnswer::Cancel});
  EXPECT_FALSE(doc.FileSaveAs());
  EXPECT_EQ(Bytes(path), damaged);

  const qsizetype asked = prompt.Asked().size();
  dialogs.ScriptSaveFileName({PathOf("b.qmp")});
  EXPECT_TRUE(doc.FileSaveAs());
  EXPECT_EQ(prompt.Asked().size(), asked) << "another file loses nothing";
  EXPECT_EQ(Bytes(path), damaged);
  doc.SetModified();
  EXPECT_TRUE(doc.FileSave());
  EXPECT_EQ(prompt.Asked().size(), asked);

  // Agreeing once is enough: the file then holds the outline.
  OpenAndShow(path);
  doc.SetModified();
  prompt.Script({PromptAnswer::Ok});
  EXPECT_TRUE(doc.FileSave());
  EXPECT_NE(Bytes(path), damaged);
  const qsizetype agreed = prompt.Asked().size();
  doc.SetModified();
  EXPECT_TRUE(doc.FileSave());
  EXPECT_EQ(prompt.Asked().size(), agreed);
}

}  // namespace
}  // namespace qm::test
