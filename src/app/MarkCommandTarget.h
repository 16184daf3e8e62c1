// The tree pane's command target for checks, strike-through, marks, the
// marks menu's entries, branch visibility and the check filters.
//
// Every command that acts on the selected node is disabled while none is
// selected; an entry of the marks menu is enabled while the marks list has
// it; each check filter command is always enabled and checked while its
// filter is in use. The behaviour objects must outlive the target.
#pragma once

#include <memory>

#include "app/CommandTarget.h"

namespace qm {

class BranchVisibility;
class MarkCommands;

std::unique_ptr<CommandTarget> MakeMarkCommands(MarkCommands& marks, BranchVisibility& visibility);

}  // namespace qm
