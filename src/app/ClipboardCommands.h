// The command targets of the branch clipboard (tree pane) and of split and
// merge (both panes: the tree pane hands them to the body pane's behaviour,
// which works on the editor whichever pane has the focus).
//
// The behaviour objects must outlive the targets made for them.
#pragma once

#include <memory>

#include "app/CommandTarget.h"

namespace qm {

class CBranchClipboard;
class CSplitMerge;

// Copy, cut and paste of branches while the tree pane has the focus.
std::unique_ptr<CommandTarget> MakeClipboardTreeCommands(CBranchClipboard& clipboard);
// Split, split below the caret and merge; merge is greyed on the last node.
std::unique_ptr<CommandTarget> MakeSplitMergeCommands(CSplitMerge& splitMerge);

}  // namespace qm
