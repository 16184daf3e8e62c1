// The tree pane's and the body pane's search command targets.
#include "app/SearchTargets.h"

#include "editing/SearchCommands.h"
#include "res/CommandIds.h"

namespace qm {

SearchTargets MakeSearchTargets(std::shared_ptr<CSearchCommands> search) {
  auto tree = std::make_unique<CommandSet<int>>();
  tree->Add(kCmdFind, [search] { search->TreeFind(); });
  tree->Add(kCmdFindNext, [search] { search->TreeFindNext(); });
  // Repeat find is what a key bound to "find again" sends; it finds next.
  tree->Add(kCmdRepeatFind, [search] { search->TreeFindNext(); });
  tree->Add(kCmdFindPrevious, [search] { search->TreeFindPrevious(); });
  tree->Add(kCmdSearchList, [search] { search->SearchList(); });

  auto body = std::make_unique<CommandSet<int>>();
  body->Add(kCmdFind, [search] { search->BodyFind(); });
  body->Add(kCmdFindNext, [search] { search->BodyFindNext(); });
  body->Add(kCmdRepeatFind, [search] { search->BodyFindNext(); });
  body->Add(kCmdFindPrevious, [search] { search->BodyFindPrevious(); });
  body->Add(kCmdSelectNextMatch, [search] { search->SelectNextMatchInBody(); });
  return SearchTargets{std::move(tree), std::move(body)};
}

}  // namespace qm
