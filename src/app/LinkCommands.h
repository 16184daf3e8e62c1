// The tree pane's link-file commands: open link file and link to this node.
#pragma once

#include <memory>

#include "app/CommandTarget.h"

namespace qm {

class CLinkFiles;

// Both commands are enabled while a node is selected. links must outlive
// the target.
std::unique_ptr<CommandTarget> MakeLinkTreeCommands(CLinkFiles& links);

}  // namespace qm
