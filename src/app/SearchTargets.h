// The search commands of the two panes as command targets: Find, Find next,
// Find previous and the search list in the tree pane; Find, Find next, Find
// previous and "select next match" in the body pane. Both targets work on
// one shared search, so a word found from one pane is searched on from the
// other.
#pragma once

#include <memory>

#include "app/CommandTarget.h"

namespace qm {

class CSearchCommands;

struct SearchTargets {
  std::unique_ptr<CommandTarget> tree;
  std::unique_ptr<CommandTarget> body;
};

// The targets share ownership of search, which lives as long as either.
SearchTargets MakeSearchTargets(std::shared_ptr<CSearchCommands> search);

}  // namespace qm
