// The whole behaviour over fakes, driven through the router as menus and
// keys drive it: which commands exist, where they go whichever pane has the
// focus, and the application object's commands.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/Commands.h"
#include "res/Strings.h"
#include "support/StoreFixture.h"
#include "support/WorkspaceFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

using WorkspaceTest = test::WorkspaceFixture;

// Menus are built from what is offered: every row of the table has its
// handler now, and none depends on which pane has the focus.
TEST_F(WorkspaceTest, EveryCommandOfTheTableIsHandledWhicheverPaneHasTheFocus) {
  for (const Pane pane : {Pane::Tree, Pane::Body}) {
    Focus(pane);
    for (const res::CommandInfo& info : res::kCommands) {
      EXPECT_TRUE(router.IsOffered(info.id)) << info.id;
    }
    for (const res::CommandBarButton& button : res::kWideCommandBar) {
      if (button.id != 0) {
        EXPECT_TRUE(router.IsOffered(button.id)) << button.id;
      }
    }
  }
}

TEST_F(WorkspaceTest, CommandsOfOnePaneReachItFromTheOther) {
  StartOn({"R", "R/A=alpha", "R/B"});
  Select("R/A");
  Focus(Pane::Tree);
  ASSERT_TRUE(router.Execute(kCmdSelectAll));
  EXPECT_EQ(edit.SelectionStart(), 0);
  EXPECT_EQ(edit.SelectionEnd(), edit.Text().size());
  EXPECT_TRUE(edit.Text().startsWith(u"alpha"_s));

  Focus(Pane::Body);
  for (const int id : {kCmdReload, kCmdTextOutput, kCmdTextCopy, kCmdMoveDown}) {
    EXPECT_TRUE(router.StateOf(id).enabled) << id;
  }
  ASSERT_TRUE(router.Execute(kCmdDeleteBranch));
  EXPECT_EQ(test::ReadablePaths(Store()), (QStringList{"R", "R/B"}));
}

TEST_F(WorkspaceTest, ShowingTheOtherPaneOnlyGoesToTheOtherPane) {
  StartOn({"R"});
  Focus(Pane::Tree);
  router.Execute(kCmdShowOtherPaneOnly);
  Focus(Pane::Body);
  router.Execute(kCmdShowOtherPaneOnly);
  router.Execute(kCmdTreeOnlyFromBody);
  EXPECT_EQ(paneHost.sent, (std::vector<int>{kCmdTextOnly, kCmdTreeOnly, kCmdTreeOnly}));
}

// A merge leaves the focus in the body pane, where the editor alone could
// not take it back; until the user types, Undo there takes the merge back.
TEST_F(WorkspaceTest, TheBodysUndoTakesBackAMergeUntilTheUserTypes) {
  StartOn({"R", "R/A=one", "R/B=two"});
  Select("R/A");
  Focus(Pane::Body);
  ASSERT_TRUE(router.Execute(kCmdMerge));
  EXPECT_EQ(test::ReadablePaths(Store()), (QStringList{"R", "R/A"}));
  EXPECT_TRUE(router.StateOf(kCmdUndo).enabled);
  ASSERT_TRUE(router.Execute(kCmdUndo));
  EXPECT_EQ(test::ReadablePaths(Store()), (QStringList{"R", "R/A", "R/B"}));

  Select("R/A");
  ASSERT_TRUE(router.Execute(kCmdMerge));
  edit.Type(u"x"_s);
  ASSERT_TRUE(router.Execute(kCmdUndo));  // the typing, in the editor
  EXPECT_EQ(test::ReadablePaths(Store()), (QStringList{"R", "R/A"}));
  EXPECT_FALSE(router.StateOf(kCmdUndo).enabled);  // the merge stays now
  Focus(Pane::Tree);
  EXPECT_TRUE(router.StateOf(kCmdUndo).enabled);  // the tree still undoes it
}

TEST_F(WorkspaceTest, TheWindowTitleFollowsTheFileAndItsChanges) {
  StartOn({"R", "R/A"});
  EXPECT_EQ(appHost.title, u"notes.qmp"_s);
  EXPECT_FALSE(appHost.modified);
  Select("R/A");
  edit.Type(u"typed"_s);
  EXPECT_TRUE(appHost.modified);
  router.Execute(kCmdSave);
  EXPECT_FALSE(appHost.modified);
}

TEST_F(WorkspaceTest, StartOpensTheLastFileOrANewOneAndListsTheRecentFiles) {
  const QString last = WriteOutline("last.qmp", {"Last"});
  settings.WriteString(u"System"_s, u"IniFile"_s, last);
  settings.WriteString(u"Recent File List"_s, u"File1"_s, last);
  workspace.App().Start({});
  EXPECT_EQ(Store().GetTitle(0), u"Last"_s);
  ASSERT_EQ(appHost.recentFiles.size(), 1);
  EXPECT_TRUE(appHost.recentFiles[0].endsWith(u"last.qmp"_s));

  settings.WriteInt(u"System"_s, u"bIniFile"_s, 0);
  appHost.screenLandscape = false;
  workspace.App().Start({});
  EXPECT_EQ(Store().GetTitle(0), res::kUntitledTop.toString());
  EXPECT_EQ(workspace.App().RecentFiles().Capacity(), 5);  // a tall screen's default
}

TEST_F(WorkspaceTest, OpenStartsInTheChosenFolderOrElseTheDocumentsOwn) {
  StartOn({"R"});
  router.Execute(kCmdOpen);
  ASSERT_EQ(dialogs.OpenRequests().size(), 1u);
  EXPECT_EQ(dialogs.OpenRequests().back().initialFolder, dir.path());

  const QString chosen = dir.filePath(u"chosen"_s);
  ASSERT_TRUE(QDir().mkpath(chosen));
  Write(settings, settings::kInitDir, chosen);
  const QString memo = dir.filePath(u"notes.txt"_s);
  QFile file(memo);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(".A\r\n..B\r\n");
  file.close();
  dialogs.ScriptDocumentToOpen({OpenDocumentAnswer{memo, 2}});  // the memo filter
  router.Execute(kCmdOpen);
  EXPECT_EQ(dialogs.OpenRequests().back().initialFolder, chosen);
  EXPECT_EQ(test::ReadablePaths(Store()), (QStringList{"notes", "notes/A", "notes/A/B"}));
  EXPECT_EQ(Read(settings, settings::kFileOpenType), 3);
}

// The open-other-folder command asks what the open command asks, only
// through the file browser, and goes on the same way with the answer.
TEST_F(WorkspaceTest, OpenOtherFolderAsksTheFileBrowserAsOpenAsksItsDialog) {
  StartOn({"R"});
  Write(settings, settings::kFileOpenType, 2);
  router.Execute(kCmdOpen);
  router.Execute(kCmdOpenOtherFolder);  // cancelled: nothing changes
  ASSERT_EQ(dialogs.OpenRequests().size(), 2u);
  const OpenFileRequest& open = dialogs.OpenRequests()[0];
  const OpenFileRequest& browser = dialogs.OpenRequests()[1];
  EXPECT_EQ(open.kind, OpenDialogKind::Standard);
  EXPECT_EQ(browser.kind, OpenDialogKind::FileBrowser);
  EXPECT_EQ(browser.title, open.title);
  EXPECT_EQ(browser.filters, open.filters);
  EXPECT_EQ(browser.initialName, open.initialName);
  EXPECT_EQ(browser.defaultExtension, open.defaultExtension);
  EXPECT_EQ(browser.initialFolder, dir.path());
  EXPECT_EQ(dialogs.LastFilterIndex(), 1);
  EXPECT_EQ(Store().GetTitle(0), u"R"_s);

  const QString other = WriteOutline("other.qmp", {"Other"});
  dialogs.ScriptDocumentToOpen({OpenDocumentAnswer{other, 0}});
  router.Execute(kCmdOpenOtherFolder);
  EXPECT_EQ(Store().GetTitle(0), u"Other"_s);
  EXPECT_EQ(Read(settings, settings::kFileOpenType), 1);

  // The memo filter reads the chosen file as a memo file here too.
  const QString memo = dir.filePath(u"memo.txt"_s);
  QFile file(memo);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(".A\r\n");
  file.close();
  dialogs.ScriptDocumentToOpen({OpenDocumentAnswer{memo, 2}});
  router.Execute(kCmdOpenOtherFolder);
  EXPECT_EQ(test::ReadablePaths(Store()), (QStringList{"memo", "memo/A"}));
  EXPECT_EQ(Read(settings, settings::kFileOpenType), 3);
}

TEST_F(WorkspaceTest, TheFontCommandWorksOnTheFocusedPaneAndKeepsTheChoice) {
  StartOn({"R"});
  Focus(Pane::Body);
  appHost.fonts[Pane::Body] = PaneFont{u"Shown"_s, 11};
  appHost.fontChoice = PaneFont{u"Serif"_s, 14, true};
  router.Execute(kCmdFont);
  EXPECT_EQ(appHost.fontDialogStartedOn, (PaneFont{u"Shown"_s, 11}));
  EXPECT_EQ(appHost.fonts[Pane::Body].face, u"Serif"_s);
  EXPECT_EQ(ReadPaneFont(settings, Pane::Body), *appHost.fontChoice);
  EXPECT_EQ(Read(settings, settings::kEFontWeight), 700);

  Focus(Pane::Tree);
  appHost.fontChoice.reset();  // cancelled
  router.Execute(kCmdFont);
  EXPECT_EQ(ReadPaneFont(settings, Pane::Tree), PaneFont{});
}

TEST_F(WorkspaceTest, AssociationAsksFirst) {
  StartOn({"R"});
  prompt.Script({PromptAnswer::Cancel});
  router.Execute(kCmdAssociateFileType);
  EXPECT_FALSE(association.IsRegistered());
  router.Execute(kCmdAssociateFileType);
  EXPECT_TRUE(association.IsRegistered());
  EXPECT_EQ(prompt.Asked().count(res::kAskAssociate.toString()), 2);
}

TEST_F(WorkspaceTest, AFileChangedElsewhereIsOfferedOnceForReading) {
  StartOn({"R", "R/A"});
  WriteOutline("notes.qmp", {"Newer", "Newer/B", "Newer/C"});
  prompt.Script({PromptAnswer::No});
  workspace.App().CheckFileOnDisk();
  EXPECT_EQ(Store().GetTitle(0), u"R"_s);
  workspace.App().CheckFileOnDisk();  // the same change: not asked again
  EXPECT_EQ(prompt.Asked().size(), 1);

  WriteOutline("notes.qmp", {"Newest"});
  workspace.App().CheckFileOnDisk();  // Yes by default
  EXPECT_EQ(test::ReadablePaths(Store()), QStringList{u"Newest"_s});
  EXPECT_EQ(prompt.Asked().size(), 2);
  EXPECT_FALSE(workspace.Document().ChangedOnDisk());
}

}  // namespace
}  // namespace qm
