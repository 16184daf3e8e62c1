// The command ids, one named constant per command: the only place a
// command's number is written. The command table (res/Commands.h), the
// command-bar layouts, the context menus and every layer that sends or
// handles a command use these names.
//
// The numbers are part of the program's stored formats (key definition files
// hold them), so they never change and are never reused for another command.
#pragma once

namespace qm {

// Document and application: files.
inline constexpr int kCmdNew = 57600;
inline constexpr int kCmdOpen = 57601;
inline constexpr int kCmdOpenOtherFolder = 33226;
inline constexpr int kCmdSave = 57603;
inline constexpr int kCmdSaveAs = 57604;
inline constexpr int kCmdReload = 32795;
inline constexpr int kCmdAssociateFileType = 32784;
inline constexpr int kCmdQuitWithConfirmation = 32793;
inline constexpr int kCmdVersionInfo = 57664;
inline constexpr int kCmdExit = 57665;

// Recent-file entries: kCmdRecentFileFirst + i opens entry i (from 0), up
// to the largest list the settings allow.
inline constexpr int kRecentFileCapacity = 10;
inline constexpr int kCmdRecentFileFirst = 57616;
inline constexpr int kCmdRecentFileLast = kCmdRecentFileFirst + kRecentFileCapacity - 1;
inline constexpr int kCmdRecentFilePopup = 33033;

// Body text editing.
inline constexpr int kCmdUndo = 57643;
inline constexpr int kCmdCut = 57635;
inline constexpr int kCmdCopy = 57634;
inline constexpr int kCmdPaste = 57637;
inline constexpr int kCmdSelectAll = 57642;
inline constexpr int kCmdInsertFile = 32836;
inline constexpr int kCmdSaveTextArea = 33017;
inline constexpr int kCmdInsertDateTime = 32826;
inline constexpr int kCmdInsertDate = 33006;

// Search.
inline constexpr int kCmdFind = 57636;
inline constexpr int kCmdFindNext = 33222;
// Repeat find, as key definition files name it.
inline constexpr int kCmdRepeatFind = 57640;
inline constexpr int kCmdFindPrevious = 32817;
inline constexpr int kCmdSelectNextMatch = 33031;
inline constexpr int kCmdSearchList = 33233;

// Tree structure.
inline constexpr int kCmdAddChild = 32768;
inline constexpr int kCmdAddSibling = 32823;
inline constexpr int kCmdEditNode = 32769;
inline constexpr int kCmdEditLabel = 32794;
inline constexpr int kCmdDeleteBranch = 32770;
inline constexpr int kCmdMoveUp = 32775;
inline constexpr int kCmdMoveDown = 32776;
inline constexpr int kCmdLevelUp = 32777;
inline constexpr int kCmdLevelDown = 32778;
inline constexpr int kCmdSplit = 32840;
inline constexpr int kCmdSplitBelowCaret = 33025;
inline constexpr int kCmdMerge = 33026;
inline constexpr int kCmdCategories = 33211;

// Checks, strike-through, marks and branch visibility. kCmdMarkEntryFirst + k
// goes to the k-th marked node (from 0) of the marks menu.
inline constexpr int kCmdToggleCheck = 32811;
inline constexpr int kCmdToggleStrike = 32813;
inline constexpr int kCmdToggleMark = 32846;
inline constexpr int kCmdClearMarksInBranch = 33005;
inline constexpr int kCmdNextMark = 33047;
inline constexpr int kCmdPreviousMark = 33048;
inline constexpr int kMarkEntryCapacity = 40;
inline constexpr int kCmdMarkEntryFirst = 32847;
inline constexpr int kCmdMarkEntryLast = kCmdMarkEntryFirst + kMarkEntryCapacity - 1;
inline constexpr int kCmdShowChildren = 32819;
inline constexpr int kCmdShowWholeBranch = 32821;
inline constexpr int kCmdHideBranch = 32820;
inline constexpr int kCmdShowAllChecks = 33240;
inline constexpr int kCmdShowCheckedOnly = 33241;
inline constexpr int kCmdShowUncheckedOnly = 33242;

// Timestamps.
inline constexpr int kCmdTimeDisplayNone = 33229;
inline constexpr int kCmdTimeDisplayUpdated = 33230;
inline constexpr int kCmdTimeDisplayCreated = 33231;
inline constexpr int kCmdLatestUpdated = 33232;

// Links.
inline constexpr int kCmdOpenLinkFile = 32772;
inline constexpr int kCmdLinkToNode = 33218;

// Layout and display.
inline constexpr int kCmdTreeOnly = 32802;
inline constexpr int kCmdTextOnly = 32803;
inline constexpr int kCmdBothPanes = 32804;
inline constexpr int kCmdShowOtherPaneOnly = 33018;
inline constexpr int kCmdSwitchPanes = 32845;
// The body pane's context menu entry that shows the tree alone.
inline constexpr int kCmdTreeOnlyFromBody = 33016;
inline constexpr int kCmdToggleChapterCharacters = 33225;
inline constexpr int kCmdToggleReadingMode = 33223;

// Settings.
inline constexpr int kCmdSettings = 32816;
inline constexpr int kCmdKeyCustomisation = 32825;
inline constexpr int kCmdDateFormat = 33007;
inline constexpr int kCmdFont = 32782;
inline constexpr int kCmdSplitTopBottom = 32798;
inline constexpr int kCmdSplitLeftRight = 32799;
inline constexpr int kCmdSplitAutomatic = 33186;
inline constexpr int kCmdInitialFolder = 32789;
inline constexpr int kCmdToggleSoftKeyMenu = 33228;

// The web outline service.
inline constexpr int kCmdOpenFromWeb = 33234;
inline constexpr int kCmdSaveToWeb = 33235;
inline constexpr int kCmdDisconnect = 33236;
inline constexpr int kCmdWebAccount = 33237;

// Help.
inline constexpr int kCmdHelp = 57670;

// Text output.
inline constexpr int kCmdTextOutput = 32773;
inline constexpr int kCmdTextCopy = 32815;
inline constexpr int kCmdTextOutputFormat = 32774;

}  // namespace qm
