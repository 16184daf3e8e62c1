// Command targets of the branch clipboard and of split and merge.
#include "app/ClipboardCommands.h"

#include "editing/BranchClipboard.h"
#include "editing/SplitMerge.h"
#include "res/CommandIds.h"

namespace qm {
namespace {

struct SplitMergeState {
  bool canMerge;
};

}  // namespace

std::unique_ptr<CommandTarget> MakeClipboardTreeCommands(CBranchClipboard& clipboard) {
  auto set = std::make_unique<CommandSet<int>>();
  set->Add(kCmdCopy, [&clipboard] { clipboard.Copy(); });
  set->Add(kCmdCut, [&clipboard] { clipboard.Cut(); });
  set->Add(kCmdPaste, [&clipboard] { clipboard.Paste(); });
  return set;
}

std::unique_ptr<CommandTarget> MakeSplitMergeCommands(CSplitMerge& splitMerge) {
  auto set = std::make_unique<CommandSet<SplitMergeState>>(
      [&splitMerge] { return SplitMergeState{splitMerge.CanMerge()}; });
  set->Add(kCmdSplit, [&splitMerge] { splitMerge.Split(); });
  set->Add(kCmdSplitBelowCaret, [&splitMerge] { splitMerge.SplitBelowCaret(); });
  set->Add(
      kCmdMerge, [&splitMerge] { splitMerge.Merge(); },
      [](const SplitMergeState& s) { return EnabledIf(s.canMerge); });
  return set;
}

}  // namespace qm
