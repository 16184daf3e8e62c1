// The command chain: handler lookup, execution and the update pass.
#include "app/CommandRouter.h"

#include "res/Commands.h"

namespace qm {

CommandTarget* CommandRouter::HandlerOf(int id) const {
  for (CommandTarget* target : m_chain) {
    if (target != nullptr && target->Handles(id)) return target;
  }
  return nullptr;
}

CommandState CommandRouter::StateOf(int id) const {
  const CommandTarget* handler = HandlerOf(id);
  return handler != nullptr ? handler->Update(id) : CommandState{};
}

bool CommandRouter::Execute(int id) {
  CommandTarget* handler = HandlerOf(id);
  if (handler == nullptr || !handler->Update(id).enabled) return false;
  handler->Execute(id);
  return true;
}

CommandStates CommandRouter::UpdateAll() const {
  CommandStates states;
  for (const res::CommandInfo& info : res::kCommands) states.insert(info.id, {});
  for (int i = 0; i < res::kRecentFileCapacity; ++i) states.insert(res::kRecentFileFirstId + i, {});
  for (const res::CommandBarButton& button : res::kWideCommandBar) states.insert(button.id, {});
  for (const res::CommandBarButton& button : res::kNarrowCommandBar) states.insert(button.id, {});
  states.remove(res::kCommandBarSeparator.id);

  // From the end of the chain to its start, so that the target that would
  // run a command is the last to write its state.
  for (int link = kLinkCount - 1; link >= 0; --link) {
    if (m_chain[link] != nullptr) m_chain[link]->UpdateAll(states);
  }
  return states;
}

}  // namespace qm
