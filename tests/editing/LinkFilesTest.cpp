// Link files: the node link form, following links within and across
// outlines, launching, setting up and creating a missing link file, the
// node edit dialog's link buttons and the link put on the clipboard.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "editing/LinkFiles.h"
#include "editing/NodeLink.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "res/CommandIds.h"
#include "res/Strings.h"
#include "support/FakeLauncher.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

using Outcome = LinkFileActions::OpenOutcome;

// ---- The link form ----

TEST(NodeLinkForm, TitlesWithSlashAndPercentRoundTrip) {
  const QString path = P("Top/half") + kPathSeparator + "a/b" + kPathSeparator + "100%";
  const QString link = MakeNodeLink(path);
  EXPECT_EQ(link, "file:///./Top/half/a%2Fb/100%25");
  EXPECT_EQ(StorePathOf(NodePathOf(path)), path);
  // Hand-written links: a lone "%" or another code stays as typed.
  EXPECT_EQ(StorePathOf(u"R/100%/%41%2f"), P("R/100%") + kPathSeparator + "%41/");
}

TEST(NodeLinkForm, SplitsIntoLocationAndNodePath) {
  auto splits = NodeLinkSplits(u"file:///./R/A");
  ASSERT_EQ(splits.size(), 1u);
  EXPECT_EQ(splits[0].location, ".");
  EXPECT_EQ(splits[0].nodePath, "R/A");
  // Only the file system knows which ".qmp/" ends the file name.
  splits = NodeLinkSplits(u"FILE:///d.qmp/x.QMP/R/A");
  ASSERT_EQ(splits.size(), 2u);
  EXPECT_EQ(splits[0].location, "d.qmp");
  EXPECT_EQ(splits[0].nodePath, "x.QMP/R/A");
  EXPECT_EQ(splits[1].location, "d.qmp/x.QMP");
  EXPECT_EQ(splits[1].nodePath, "R/A");
  EXPECT_TRUE(NodeLinkSplits(u"file:///home/doc.pdf").empty());
  EXPECT_TRUE(NodeLinkSplits(u"notes.qmp/R").empty());
}

TEST(NodeLinkForm, SchemesAreNotDrives) {
  EXPECT_TRUE(HasUrlScheme(u"http://example.com/"));
  EXPECT_TRUE(HasUrlScheme(u"mailto:a@b"));
  EXPECT_FALSE(HasUrlScheme(u"C:\\memo.txt"));
  EXPECT_FALSE(HasUrlScheme(u"memo.txt"));
  EXPECT_FALSE(HasUrlScheme(u"my notes:1.txt"));
}

// ---- The behaviour, on outlines in a temporary folder ----

class Links : public TreePaneFixture {
 protected:
  Links() {
    tree.SetLinkActionsFactory([this](int node) { return links.ActionsFor(node); });
  }

  QString File(const QString& name) const { return dir.filePath(name); }

  // Writes an outline file of these readable paths and opens it.
  void Open(const QString& name, std::initializer_list<const char*> paths) {
    WriteOutline(name, paths);
    doc.OpenDocument(File(name));
    ShowLoaded();
  }
  // Every node is saved closed.
  void WriteOutline(const QString& name, std::initializer_list<const char*> paths) {
    CTreeStore store(settings, clock);
    LoadOutline(store, paths);
    for (int i = 0; i < store.GetCount(); ++i) store.GetNode(i).m_bExpand = 0;
    ASSERT_TRUE(store.SaveOutline(File(name)));
  }
  void SelectWithLink(const char* path, const QString& link) {
    doc.Store().SetLink(Index(path), link);
    Select(path);
  }
  QByteArray Bytes(const QString& name) const {
    QFile file(File(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  }

  QTemporaryDir dir;
  FakeLauncher launcher;
  QStringList opened;
  // Opens as the application does: save changes first, then both panes reload.
  CLinkFiles links{doc,
                   settings,
                   clock,
                   prompt,
                   dialogs,
                   dialogs,
                   launcher,
                   clipboard,
                   [this](const QString& path) {
                     opened << path;
                     if (!doc.SaveModified()) return false;
                     doc.OpenDocument(path);
                     ShowLoaded();
                     return true;
                   }};
};

using LinkFollowing = Links;

TEST_F(LinkFollowing, SameOutlineLinkRevealsTheNodeWithoutReopening) {
  Open("main.qmp", {"R", "R/A", "R/B", "R/B/B1"});
  SelectWithLink("R/A", "file:///./R/B/B1");
  doc.SetModified();  // nothing may ask to save: the file is not read again
  links.OpenLinkFile();
  EXPECT_EQ(Selected(), "R/B/B1");
  EXPECT_EQ(doc.CurrentNode(), Index("R/B/B1"));
  EXPECT_EQ(doc.Store().GetNode(Index("R/B/B1")).m_bExpand, 1);
  EXPECT_TRUE(opened.isEmpty() && prompt.Asked().isEmpty() && launcher.Launched().isEmpty());
  // The same file named by its path counts as the same outline.
  SelectWithLink("R/A", "file:///main.qmp/R/B");
  links.OpenLinkFile();
  EXPECT_EQ(Selected(), "R/B");
  EXPECT_TRUE(opened.isEmpty());
}

TEST_F(LinkFollowing, MissingNodeSaysSoAndStays) {
  Open("main.qmp", {"R", "R/A"});
  SelectWithLink("R/A", "file:///./R/Gone");
  links.OpenLinkFile();
  EXPECT_EQ(prompt.Asked(), QStringList{res::kLinkNodeNotFound.toString() + "\nR/Gone"});
  EXPECT_EQ(Selected(), "R/A");
}

TEST_F(LinkFollowing, AskingFirstAndCancellingDoesNothing) {
  Open("main.qmp", {"R", "R/A", "R/B"});
  settings.WriteInt("System", "LinkCheck", 1);
  SelectWithLink("R/A", "file:///./R/B");
  prompt.Script({PromptAnswer::Cancel});
  links.OpenLinkFile();
  EXPECT_EQ(prompt.Asked(), QStringList{res::kAskLaunchLink.toString()});
  EXPECT_EQ(Selected(), "R/A");
  links.OpenLinkFile();  // OK this time
  EXPECT_EQ(Selected(), "R/B");
}

TEST_F(LinkFollowing, OtherOutlineIsOpenedAfterSavingAndTheNodeSelected) {
  WriteOutline("other.qmp", {"T", "T/X", "T/X/Y"});
  Open("main.qmp", {"R", "R/A"});
  SelectWithLink("R/A", "file:///other.qmp/T/X/Y");
  doc.SetModified();
  prompt.Script({PromptAnswer::Cancel});  // keep the changes: nothing opens
  links.OpenLinkFile();
  EXPECT_EQ(doc.Store().GetTitle(0), "R");

  links.OpenLinkFile();  // save them
  EXPECT_EQ(opened.back(), QFileInfo(File("other.qmp")).canonicalFilePath());
  EXPECT_EQ(doc.PathName(), File("other.qmp"));
  EXPECT_EQ(Selected(), "T/X/Y");
  EXPECT_EQ(doc.CurrentNode(), Index("T/X/Y"));
  EXPECT_EQ(body.text, doc.Store().GetBody(Index("T/X/Y")));

  // An absolute location, as a file URL writes it, works from anywhere.
  doc.NewDocument();
  ShowLoaded();
  SelectWithLink("（無題）", "file://" + File("main.qmp") + "/R/A");
  links.OpenLinkFile();
  EXPECT_EQ(Selected(), "R/A");
}

TEST_F(LinkFollowing, RelativeNamesNeedASavedDocument) {
  WriteOutline("other.qmp", {"T"});
  QFile(File("memo.txt")).open(QIODevice::WriteOnly);
  doc.NewDocument();
  ShowLoaded();
  for (const char* link : {"file:///other.qmp/T", "memo.txt"}) {
    SelectWithLink("（無題）", link);
    links.OpenLinkFile();
  }
  EXPECT_EQ(prompt.Asked(), QStringList(2, res::kLinkIsRelative.toString()));
  EXPECT_TRUE(opened.isEmpty() && launcher.Launched().isEmpty());
}

TEST_F(LinkFollowing, OtherNamesAreLaunchedFromTheDocumentsFolder) {
  Open("main.qmp", {"R", "R/A"});
  QFile(File("memo.txt")).open(QIODevice::WriteOnly);
  for (const char* link : {"memo.txt", "http://example.com/", "gone.txt"}) {
    SelectWithLink("R/A", link);
    links.OpenLinkFile();
  }
  EXPECT_EQ(launcher.Launched(), (QStringList{File("memo.txt"), "http://example.com/"}));
  launcher.SetAccept(false);
  SelectWithLink("R/A", "memo.txt");
  links.OpenLinkFile();
  EXPECT_EQ(prompt.Asked(),
            (QStringList{res::kFileNotFound.toString() + "\n" + File("gone.txt"),
                         res::kCannotOpenFile.toString() + "\n" + File("memo.txt")}));
}

using LinkSetUp = Links;

TEST_F(LinkSetUp, EmptyLinkBecomesANewTextFileWithTitleAndBodyThenLaunched) {
  Open("main.qmp", {"R", "R/計画"});
  SelectWithLink("R/計画", "");
  body.text = "一行目\r\n二行目";  // typed, not yet handed over
  dialogs.ScriptLinkFileName({"plan.txt"});
  dialogs.ScriptNewLinkFile({NewLinkFileAnswer{"plan.txt", true, true}});
  links.OpenLinkFile();

  EXPECT_EQ(dialogs.LinkFileNameRequests().at(0).proposedName, "計画.txt");
  EXPECT_NE(dialogs.LinkFileNameRequests().at(0).actions, nullptr);
  EXPECT_TRUE(dialogs.NewLinkFileRequests().at(0).writeTitle);
  EXPECT_FALSE(dialogs.NewLinkFileRequests().at(0).writeBody);
  CodePage codePage;
  EXPECT_EQ(Bytes("plan.txt"), codePage.Encode(u"計画\r\n一行目\r\n二行目\r\n"));
  EXPECT_EQ(doc.Store().GetLink(Index("R/計画")), "plan.txt");
  EXPECT_TRUE(doc.IsModified() && doc.IsUndoAvailable());
  EXPECT_EQ(launcher.Launched(), QStringList{File("plan.txt")});
  EXPECT_EQ(settings.ReadInt("NewLinkFile", "Body", 0), 1);  // the next proposal
}

TEST_F(LinkSetUp, ExistingFileIsLaunchedAndOutlinesGetTheTitle) {
  Open("main.qmp", {"R", "R/A", "R/B"});
  QFile(File("there.txt")).open(QIODevice::WriteOnly);
  SelectWithLink("R/A", "");
  dialogs.ScriptLinkFileName({"there.txt", "b.qmp"});
  links.OpenLinkFile();
  EXPECT_TRUE(dialogs.NewLinkFileRequests().empty());

  SelectWithLink("R/B", "");
  dialogs.ScriptNewLinkFile({NewLinkFileAnswer{"b.qmp", true, true}});
  links.OpenLinkFile();
  CTreeStore created(settings, clock);
  ASSERT_EQ(created.Load(File("b.qmp"), 0), 1);
  EXPECT_EQ(created.GetTitle(0), "B");
  EXPECT_EQ(launcher.Launched(), (QStringList{File("there.txt"), File("b.qmp")}));
}

TEST_F(LinkSetUp, NothingIsWrittenOverAndFailuresAreTold) {
  Open("main.qmp", {"R", "R/A"});
  doc.Store().Rename(Index("R/A"), "A☃");
  QFile keep(File("keep.txt"));
  ASSERT_TRUE(keep.open(QIODevice::WriteOnly) && keep.write("old") == 3);
  keep.close();
  SelectWithLink("R/A☃", "");
  dialogs.ScriptLinkFileName({std::nullopt, "new.txt", "new.txt", "nodir/x.txt"});
  links.OpenLinkFile();  // cancelled: no trace
  EXPECT_FALSE(doc.IsModified() || doc.IsUndoAvailable());

  dialogs.ScriptNewLinkFile({NewLinkFileAnswer{"keep.txt", true, false}});
  links.OpenLinkFile();
  EXPECT_EQ(Bytes("keep.txt"), "old");
  EXPECT_EQ(doc.Store().GetLink(Index("R/A☃")), "keep.txt");

  // The snowman has no place in the code page: asked, and declined.
  SelectWithLink("R/A☃", "");
  dialogs.ScriptNewLinkFile({NewLinkFileAnswer{"new.txt", true, false}});
  prompt.ClearAsked();
  prompt.Script({PromptAnswer::Cancel});
  links.OpenLinkFile();
  EXPECT_FALSE(QFile::exists(File("new.txt")));
  EXPECT_EQ(doc.Store().GetLink(Index("R/A☃")), "");  // never linked to a file not made

  SelectWithLink("R/A☃", "");
  dialogs.ScriptNewLinkFile({NewLinkFileAnswer{"nodir/x.txt", false, false}});
  links.OpenLinkFile();
  EXPECT_EQ(prompt.Asked(),
            (QStringList{res::kAskSaveUnencodable.toString().arg("☃"),
                         res::kCannotCreateFile.toString() +
                             FailureReason(FileFailure{FileFailure::Kind::NotFound, 0, {}}) + "\n" +
                             File("nodir/x.txt")}));
  EXPECT_TRUE(launcher.Launched().isEmpty());
}

TEST_F(LinkSetUp, CancellingTheNewFileLinksNothing) {
  Open("main.qmp", {"R", "R/A"});
  SelectWithLink("R/A", "");
  dialogs.ScriptLinkFileName({"plan.txt"});
  links.OpenLinkFile();  // the new-file dialog is cancelled
  EXPECT_EQ(dialogs.NewLinkFileRequests().size(), 1u);
  EXPECT_EQ(doc.Store().GetLink(Index("R/A")), "");
  EXPECT_FALSE(doc.IsModified() || doc.IsUndoAvailable());
  EXPECT_FALSE(QFile::exists(File("plan.txt")));
}

TEST_F(LinkSetUp, LinkToThisNodeGoesOnTheClipboardAndLeadsBack) {
  Open("main.qmp", {"R", "R/x"});
  doc.Store().Rename(Index("R/x"), "a/b");
  const int node = doc.Store().FindPath(P("R") + kPathSeparator + "a/b");
  doc.SetCurrentNode(node);
  links.CopyLinkToNode();
  EXPECT_EQ(clipboard.Text(), "file:///./R/a%2Fb");
  doc.SetCurrentNode(0);
  doc.Store().SetLink(0, *clipboard.Text());
  links.OpenLinkFile();
  EXPECT_EQ(doc.Store().GetSelected(), node);
}

using LinkButtons = Links;

TEST_F(LinkButtons, OpenLaunchesFilesAndLeavesNodeLinksForLater) {
  Open("main.qmp", {"R", "R/A"});
  QFile(File("memo.txt")).open(QIODevice::WriteOnly);
  const auto buttons = links.ActionsFor(Index("R/A"));
  EXPECT_EQ(buttons->OpenLink(" "), Outcome::StayOpen);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kSetLinkFileFirst.toString()});
  EXPECT_EQ(buttons->OpenLink("gone.txt"), Outcome::StayOpen);
  EXPECT_EQ(buttons->OpenLink("file:///./R"), Outcome::CloseAndFollow);
  EXPECT_EQ(buttons->OpenLink("memo.txt"), Outcome::Close);
  EXPECT_EQ(launcher.Launched(), QStringList{File("memo.txt")});

  // The tree pane follows the link once the dialog has closed.
  dialogs.ScriptEditNode({NodeEditResult{"A", "file:///./R", 0, 0, true}});
  tree.EditNode();
  EXPECT_NE(dialogs.EditNodeRequests().at(0).linkActions, nullptr);
  EXPECT_EQ(host.sent, std::vector<int>{kCmdOpenLinkFile});
}

TEST_F(LinkButtons, NewCreatesFromTheTypedTitleButNeverOverAFile) {
  Open("main.qmp", {"R", "R/A"});
  doc.Store().SetBody(Index("R/A"), "body");
  dialogs.ScriptNewLinkFile({NewLinkFileAnswer{"typed.txt", true, true},
                             NewLinkFileAnswer{"typed.txt", true, true},
                             NewLinkFileAnswer{"added.txt", false, true}});
  EXPECT_EQ(links.ActionsFor(Index("R/A"))->NewLink("typed"), "typed.txt");
  EXPECT_EQ(dialogs.NewLinkFileRequests().at(0).fileName, "typed.txt");
  EXPECT_EQ(Bytes("typed.txt"), "typed\r\nbody\r\n");
  EXPECT_EQ(links.ActionsFor(Index("R/A"))->NewLink("typed"), std::nullopt);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kFileAlreadyExists.toString()});
  // A node being added has no body yet.
  EXPECT_EQ(links.ActionsFor(-1)->NewLink("added"), "added.txt");
  EXPECT_EQ(Bytes("added.txt"), "\r\n");
  EXPECT_TRUE(launcher.Launched().isEmpty());
}

TEST_F(LinkButtons, DeleteAsksAndBrowseOffersTheThreeFilters) {
  Open("main.qmp", {"R"});
  const auto buttons = links.ActionsFor(0);
  EXPECT_FALSE(buttons->RemoveLink(""));
  prompt.Script({PromptAnswer::Cancel, PromptAnswer::Ok});
  EXPECT_FALSE(buttons->RemoveLink("a.txt"));
  EXPECT_TRUE(buttons->RemoveLink("a.txt"));
  EXPECT_EQ(prompt.Asked(), QStringList(2, res::kAskRemoveLink.toString()));

  settings.WriteString("System", "LinkExt", "*.txt");
  dialogs.ScriptOpenFileName({File("x.txt")});
  EXPECT_EQ(buttons->BrowseLink(""), File("x.txt"));
  settings.WriteInt("System", "LinkIniDir", 1);
  buttons->BrowseLink("");
  const auto& requests = dialogs.OpenRequests();
  EXPECT_EQ(requests.at(0).filters,
            "ｸｲﾙﾏｯﾌﾟﾌｧｲﾙ(*.qmp)|*.qmp|ﾕｰｻﾞ設定ﾌｧｲﾙ|*.txt| 全てのﾌｧｲﾙ(*.*) |*.*||");
  EXPECT_EQ(requests.at(0).initialFolder, QFileInfo(File("main.qmp")).absolutePath());
  EXPECT_EQ(requests.at(1).initialFolder, QDir::rootPath());
}

}  // namespace
}  // namespace qm::test
