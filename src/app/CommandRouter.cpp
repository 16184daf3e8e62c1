// The command chain: handler lookup, execution and the update pass.
#include "app/CommandRouter.h"

#include "res/Commands.h"

namespace qm {

void CommandRouter::Chain(CommandTarget* (&chain)[kChainLength]) const {
  chain[0] = m_panes[int(m_focused)];
  chain[1] = m_panes[int(OtherPane(m_focused))];
  chain[2] = m_document;
  chain[3] = m_frame;
  chain[4] = m_application;
}

CommandTarget* CommandRouter::HandlerOf(int id) const {
  CommandTarget* chain[kChainLength];
  Chain(chain);
  for (CommandTarget* target : chain) {
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
  for (int id = kCmdRecentFileFirst; id <= kCmdRecentFileLast; ++id) states.insert(id, {});
  for (int id = kCmdMarkEntryFirst; id <= kCmdMarkEntryLast; ++id) states.insert(id, {});
  for (const res::CommandBarButton& button : res::kWideCommandBar) states.insert(button.id, {});
  for (const res::CommandBarButton& button : res::kNarrowCommandBar) states.insert(button.id, {});
  states.remove(res::kCommandBarSeparator.id);

  // From the end of the chain to its start, so that the target that would
  // run a command is the last to write its state.
  CommandTarget* chain[kChainLength];
  Chain(chain);
  for (int link = kChainLength - 1; link >= 0; --link) {
    if (chain[link] != nullptr) chain[link]->UpdateAll(states);
  }
  return states;
}

}  // namespace qm
