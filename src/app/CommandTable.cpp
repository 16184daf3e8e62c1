// Lookups in the command table, and the compile-time checks that tie the
// command names to the table.
#include "app/CommandTable.h"

#include "app/CommandIds.h"

namespace qm {
namespace {

// A name without a row would be a command that no menu, key list or update
// pass knows about.
// clang-format off
constexpr int kNamedCommands[] = {
    kCmdNew, kCmdOpen, kCmdSave, kCmdSaveAs, kCmdReload, kCmdAssociateFileType,
    kCmdQuitWithConfirmation, kCmdVersionInfo, kCmdRecentFilePopup, kCmdUndo, kCmdCut, kCmdCopy,
    kCmdPaste, kCmdSelectAll, kCmdInsertFile, kCmdSaveTextArea, kCmdAddChild, kCmdAddSibling,
    kCmdEditNode, kCmdEditLabel, kCmdDeleteBranch, kCmdMoveUp, kCmdMoveDown, kCmdLevelUp,
    kCmdLevelDown, kCmdTreeOnly, kCmdTextOnly, kCmdBothPanes, kCmdShowOtherPaneOnly,
    kCmdSwitchPanes, kCmdToggleChapterCharacters, kCmdToggleReadingMode, kCmdFont,
    kCmdSplitTopBottom, kCmdSplitLeftRight, kCmdSplitAutomatic, kCmdInitialFolder,
    kCmdToggleSoftKeyMenu, kCmdHelp, kCmdFind, kCmdFindNext, kCmdFindPrevious,
    kCmdSelectNextMatch, kCmdSearchList, kCmdSplit, kCmdSplitBelowCaret, kCmdMerge,
    kCmdCategories, kCmdToggleCheck, kCmdToggleStrike, kCmdToggleMark, kCmdClearMarksInBranch,
    kCmdNextMark, kCmdPreviousMark, kCmdShowChildren, kCmdShowWholeBranch, kCmdHideBranch,
    kCmdShowAllChecks, kCmdShowCheckedOnly, kCmdShowUncheckedOnly, kCmdTimeDisplayNone,
    kCmdTimeDisplayUpdated, kCmdTimeDisplayCreated, kCmdLatestUpdated, kCmdOpenLinkFile,
    kCmdLinkToNode,
    // Text output.
    kCmdTextOutput, kCmdTextCopy, kCmdTextOutputFormat,
};
// clang-format on

constexpr bool AllNamedCommandsInTable() {
  for (int id : kNamedCommands) {
    if (!HasCommand(id)) return false;
  }
  return true;
}

static_assert(AllNamedCommandsInTable(), "every named command needs its row in res/Commands.h");
static_assert(kCmdRecentFileFirst == res::kRecentFileFirstId &&
                  kCmdRecentFileLast == res::kRecentFileFirstId + res::kRecentFileCapacity - 1,
              "the recent-file names must cover exactly the reserved ids");
static_assert(HasCommand(kCmdRecentFileFirst, res::kRecentFiles),
              "the first recent-file id is the row that places the entries");
static_assert(kCmdMarkEntryFirst == res::kMarkEntryFirstId &&
                  kCmdMarkEntryLast == res::kMarkEntryFirstId + res::kMarkEntryCapacity - 1,
              "the marks menu's names must cover exactly the reserved ids");

}  // namespace

std::span<const res::CommandBarButton> CommandBarFor(int screenWidth, int screenHeight) {
  const bool landscape = screenWidth > screenHeight;
  if (landscape && screenWidth >= res::kWideCommandBarMinWidth) return res::kWideCommandBar;
  return res::kNarrowCommandBar;
}

}  // namespace qm
