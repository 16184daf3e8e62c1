// The settings sheet through the router, as the menu runs it: the values it
// opens on, what OK writes and shows and in which order, the first-line
// option switched both ways, the recent-file check, and Cancel.
#include <gtest/gtest.h>

#include <functional>

#include "app/SettingsSheet.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/SettingsStrings.h"
#include "res/Strings.h"
#include "support/WorkspaceFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

class SettingsSheetTest : public test::WorkspaceFixture {
 protected:
  CQuillmapDoc& Document() { return workspace.Document(); }
  QStringList Bodies() {
    QStringList bodies;
    for (int i = 0; i < Store().GetCount(); ++i) bodies << Store().GetBody(i);
    return bodies;
  }
  // Runs the command from the focused pane with the sheet answering values.
  void RunSheet(const SettingsValues& values, Pane from = Pane::Tree) {
    dialogs.ScriptSettings({values});
    router.SetFocusedPane(from);
    ASSERT_TRUE(router.Execute(kCmdSettings));
  }
  SettingsValues Shown() {
    EXPECT_FALSE(dialogs.SettingsRequests().empty());
    return dialogs.SettingsRequests().empty() ? SettingsValues{}
                                              : dialogs.SettingsRequests().back().values;
  }
  // What the sheet opens on now, read by letting it open and cancelling.
  SettingsValues Opened() {
    router.SetFocusedPane(Pane::Tree);
    router.Execute(kCmdSettings);
    return Shown();
  }
};

TEST_F(SettingsSheetTest, OpensOnTheStoredValuesTheRunningOnesAndTheCustomColours) {
  settings.WriteInt(u"View"_s, u"TabNo"_s, 4);
  settings.WriteInt(u"System"_s, u"DblClk"_s, 2);
  settings.WriteInt(u"System"_s, u"AutoFirst"_s, 0);
  settings.WriteString(u"System"_s, u"LinkExt"_s, u"*.txt"_s);
  settings.WriteInt(u"Edit"_s, u"BackColor"_s, 0x00FFEEDD);
  settings.WriteString(u"ColorDlg"_s, u"Custom3"_s, u"255"_s);
  settings.WriteString(u"ColorDlg"_s, u"Custom4"_s, u"junk"_s);
  StartOn({"R"});
  Store().Settings().firstLine = 1;
  appHost.treeIndent = 17;

  SettingsValues expected;
  expected.tabStop = 4;
  expected.doubleTap = 2;
  expected.autoFirst = false;
  expected.linkExtension = u"*.txt"_s;
  expected.backColour = 0x00FFEEDD;
  expected.firstLineIsTitle = true;
  expected.treeIndent = 17;
  expected.recentFiles = 10;  // none stored: the longest list, whatever the screen
  appHost.screenLandscape = false;
  EXPECT_EQ(Opened(), expected);

  std::array<int, kCustomColourCount> custom;
  custom.fill(0xFFFFFF);
  custom[3] = 255;
  custom[4] = 0;  // read the forgiving way stored numbers always were
  EXPECT_EQ(dialogs.SettingsRequests().back().customColours, custom);
}

TEST_F(SettingsSheetTest, OkWritesEveryValueAndTheRunningPanesTakeThem) {
  StartOn({"R", "R/A=alpha"});
  SettingsValues v;
  v.treeIndent = 31;
  v.splitDialog = false;
  v.pasteDialog = false;
  v.addMove = false;
  v.addNoTitle = true;
  v.addUntitled = true;
  v.autoFirst = false;
  v.firstCursor = false;
  v.singleInstance = true;
  v.doubleTap = 1;
  v.okFrame = true;
  v.parentDoubleTap = 0;
  v.tabStop = 2;
  v.editMargin = 9;
  v.imeOn = true;
  v.autoIndent = true;
  v.linkCheck = true;
  v.linkFromRoot = true;
  v.linkExtension = u"*.mem"_s;
  v.recentFiles = 3;
  v.reopenLastFile = false;
  v.warnTextFile = true;
  v.standardSaveDialog = true;
  v.linkWithEnter = true;
  v.textColour = 0x00112233;
  v.backColour = 0x00445566;
  RunSheet(v);

  const std::pair<IntSetting, int> written[] = {
      {settings::kLevelWidth, 31},
      {settings::kSplitDlg, 0},
      {settings::kPasteDlg, 0},
      {settings::kAddMove, 0},
      {settings::kAddNoTitle, 1},
      {settings::kAddIni, 1},
      {settings::kAutoFirst, 0},
      {settings::kFirstCursor, 0},
      {settings::kSingleInstance, 1},
      {settings::kDblClk, 1},
      {settings::kOkFrame, 1},
      {settings::kFolderDblClk, 0},
      {settings::kTabNo, 2},
      {settings::kEditSpace, 9},
      {settings::kIme, 1},
      {settings::kAutoIndent, 1},
      {settings::kLinkCheck, 1},
      {settings::kLinkIniDir, 1},
      {settings::kMru, 3},
      {settings::kReopenLastFile, 0},
      {settings::kWarnTextFile, 1},
      {settings::kPpcSaveDlg, 1},
      {settings::kLinkEnter, 1},
      {settings::kTextColor, 0x00112233},
      {settings::kBackColor, 0x00445566},
  };
  for (const auto& [setting, value] : written) {
    EXPECT_EQ(Read(settings, setting), value) << setting.name.toString().toStdString();
  }
  EXPECT_EQ(Read(settings, settings::kLinkExt), u"*.mem"_s);
  // Shown at once...
  EXPECT_EQ(appHost.treeIndent, 31);
  EXPECT_EQ(appHost.bodyTextColour, 0x00112233);
  EXPECT_EQ(appHost.bodyBackColour, 0x00445566);
  EXPECT_EQ(edit.LeftMargin(), 9);
  EXPECT_EQ(edit.RightMargin(), 9);
  EXPECT_EQ(edit.TabStop(), 2);
  // ...except the recent-file list, which is built at start.
  EXPECT_EQ(workspace.App().RecentFiles().Capacity(), 10);
  // The option of the document kept its value: nothing to save.
  EXPECT_FALSE(Document().IsModified());

  EXPECT_EQ(Opened(), v) << "the sheet opens on what OK left";
}

TEST_F(SettingsSheetTest, OkAppliesInOrderAroundTheFirstLineQuestion) {
  StartOn({"R=R"});
  Store().Settings().firstLine = 1;
  SettingsValues v = Opened();
  v.firstLineIsTitle = false;
  v.warnTextFile = true;
  v.autoFirst = false;
  v.textColour = 0x000080;
  bool askedAfterColoursAndTextWarning = false;
  bool askedBeforeTheRest = false;
  prompt.onAsk = [&] {
    askedAfterColoursAndTextWarning =
        appHost.bodyTextColour == 0x000080 && Read(settings, settings::kWarnTextFile) == 1;
    askedBeforeTheRest =
        Read(settings, settings::kAutoFirst) == 1 && Read(settings, settings::kTextColor) == 0;
  };
  RunSheet(v);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kAskDeleteTitleLines.toString()});
  EXPECT_TRUE(askedAfterColoursAndTextWarning);
  EXPECT_TRUE(askedBeforeTheRest);
  EXPECT_EQ(Read(settings, settings::kAutoFirst), 0);
}

// Bodies read from a file end with a line break.
TEST_F(SettingsSheetTest, FirstLineOnPrependsTitlesOnceAndKeepsTheSelection) {
  StartOn({"R=x", "R/A=A\r\nbody", "R/B=other"});
  Select("R/B");
  SettingsValues v = Opened();
  v.firstLineIsTitle = true;
  RunSheet(v);
  const QStringList titled{"R\r\nx\r\n", "A\r\nbody\r\n", "B\r\nother\r\n"};
  EXPECT_EQ(Bodies(), titled);
  EXPECT_EQ(Store().Settings().firstLine, 1);
  EXPECT_TRUE(Document().IsModified());
  EXPECT_EQ(Store().GetSelected(), 2);
  EXPECT_EQ(edit.Text(), titled[2]);

  // Off, keeping the lines, then on again: nothing is added twice.
  v.firstLineIsTitle = false;
  prompt.Script({PromptAnswer::Cancel});
  RunSheet(v);
  EXPECT_EQ(Store().Settings().firstLine, 0);
  v.firstLineIsTitle = true;
  RunSheet(v);
  EXPECT_EQ(Bodies(), titled);
  EXPECT_EQ(prompt.Asked().size(), 1);
}

TEST_F(SettingsSheetTest, FirstLineOffRemovesOnlyLinesEqualToTheTitleOnOk) {
  StartOn({"R=R\r\nrest", "R/A=A", "R/B=Bx\r\nB", "R/C=C"});
  Store().Settings().firstLine = 1;
  Store().SetBody(1, u"A"_s);  // only the title, without a line break
  Select("R/A");
  SettingsValues v = Opened();
  v.firstLineIsTitle = false;
  prompt.Script({PromptAnswer::Ok});
  RunSheet(v);
  EXPECT_EQ(Bodies(), (QStringList{"rest\r\n", "", "Bx\r\nB\r\n", ""}));
  EXPECT_EQ(Store().Settings().firstLine, 0);
  EXPECT_TRUE(Document().IsModified());
  EXPECT_EQ(Store().GetSelected(), 1);
}

TEST_F(SettingsSheetTest, CancelChangesNothingButTheTypedTextIsHandedOver) {
  StartOn({"R", "R/A=alpha"});
  Select("R/A");
  const qsizetype values = settings.Size();
  router.SetFocusedPane(Pane::Tree);
  ASSERT_TRUE(router.Execute(kCmdSettings));  // nothing scripted: Cancel
  ASSERT_EQ(dialogs.SettingsRequests().size(), 1u);
  EXPECT_EQ(settings.Size(), values);
  EXPECT_EQ(appHost.treeIndent, 20);
  EXPECT_EQ(appHost.bodyTextColour, 0);  // as start showed it
  EXPECT_EQ(edit.LeftMargin(), 3);
  EXPECT_FALSE(Document().IsModified());

  // The sheet may rewrite bodies: what was typed is in the outline first.
  edit.MoveCaret(5);
  edit.Type(u"!"_s);
  router.Execute(kCmdSettings);
  EXPECT_EQ(Store().GetBody(1), u"alpha!\r\n"_s);
}

TEST_F(SettingsSheetTest, FromTheBodyTheFirstLineBecomesTheTitleAndTheBodyKeepsTheFocus) {
  StartOn({"R", "R/A=A"});
  Store().Settings().firstLine = 1;
  Select("R/A");
  const SettingsValues unchanged = Opened();
  edit.MoveCaret(1);
  edit.Type(u"ha"_s);
  paneHost.focus.clear();
  RunSheet(unchanged, Pane::Body);
  EXPECT_EQ(Store().GetTitle(1), u"Aha"_s);
  EXPECT_EQ(paneHost.focus, u"B"_s);
}

TEST_F(SettingsSheetTest, OnlyZeroToTenRecentFilesPass) {
  SettingsValues v;
  for (const int count : {0, 10}) {
    v.recentFiles = count;
    EXPECT_EQ(ValidateSettings(v), std::nullopt) << count;
  }
  for (const int count : {-1, 11}) {
    v.recentFiles = count;
    EXPECT_EQ(ValidateSettings(v), u"0 から 10 までの整数を入力してください。"_s) << count;
  }
}

TEST_F(SettingsSheetTest, StartShowsTheStoredIndentAndColours) {
  settings.WriteInt(u"View"_s, u"LevelWidth"_s, 12);
  settings.WriteInt(u"Edit"_s, u"TextColor"_s, 0x00000080);
  StartOn({"R"});
  EXPECT_EQ(appHost.treeIndent, 12);
  EXPECT_EQ(appHost.bodyTextColour, 0x00000080);
  EXPECT_EQ(appHost.bodyBackColour, 0xFFFFFF);

  // The default 0 leaves the desktop's own indent.
  settings.WriteInt(u"View"_s, u"LevelWidth"_s, 0);
  appHost.treeIndent = 20;
  workspace.App().Start(path);
  EXPECT_EQ(appHost.treeIndent, 20);
}

}  // namespace
}  // namespace qm
