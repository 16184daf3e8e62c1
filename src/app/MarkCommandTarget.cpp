// The command target of the mark, check and visibility commands.
#include "app/MarkCommandTarget.h"

#include "editing/BranchVisibility.h"
#include "editing/MarkCommands.h"
#include "model/TreeStore.h"
#include "res/CommandIds.h"

namespace qm {
namespace {

struct MarkState {
  bool hasSelection;
  int markEntries;
  int checkFilter;
};

CommandState WhenSelected(const MarkState& s) { return EnabledIf(s.hasSelection); }

}  // namespace

std::unique_ptr<CommandTarget> MakeMarkCommands(MarkCommands& marks, BranchVisibility& visibility) {
  auto set = std::make_unique<CommandSet<MarkState>>([&marks, &visibility] {
    return MarkState{marks.HasSelection(), marks.MarkEntryCount(), visibility.CheckFilter()};
  });
  set->Add(
      kCmdToggleCheck, [&marks] { marks.ToggleCheck(); }, WhenSelected);
  set->Add(
      kCmdToggleStrike, [&marks] { marks.ToggleStrike(); }, WhenSelected);
  set->Add(
      kCmdToggleMark, [&marks] { marks.ToggleMark(); }, WhenSelected);
  set->Add(
      kCmdClearMarksInBranch, [&marks] { marks.ClearMarksInBranch(); }, WhenSelected);
  set->Add(
      kCmdNextMark, [&marks] { marks.NextMark(); }, WhenSelected);
  set->Add(
      kCmdPreviousMark, [&marks] { marks.PreviousMark(); }, WhenSelected);
  // Every entry id is handled from the start, so that the menu offers each
  // one as soon as the list has it.
  for (int k = 0; k <= kCmdMarkEntryLast - kCmdMarkEntryFirst; ++k) {
    set->Add(
        kCmdMarkEntryFirst + k, [&marks, k] { marks.GoToMarkEntry(k); },
        [k](const MarkState& s) { return EnabledIf(k < s.markEntries); });
  }
  set->Add(
      kCmdShowChildren, [&visibility] { visibility.ShowChildren(); }, WhenSelected);
  set->Add(
      kCmdShowWholeBranch, [&visibility] { visibility.ShowWholeBranch(); }, WhenSelected);
  set->Add(
      kCmdHideBranch, [&visibility] { visibility.HideBranch(); }, WhenSelected);
  const struct {
    int id;
    int filter;
  } filters[] = {{kCmdShowAllChecks, CTreeStore::kCheckFilterAll},
                 {kCmdShowCheckedOnly, CTreeStore::kCheckFilterChecked},
                 {kCmdShowUncheckedOnly, CTreeStore::kCheckFilterUnchecked}};
  for (const auto& [id, filter] : filters) {
    set->Add(
        id, [&visibility, filter] { visibility.SetCheckFilter(filter); },
        [filter](const MarkState& s) { return CheckedIf(s.checkFilter == filter); });
  }
  return set;
}

}  // namespace qm
