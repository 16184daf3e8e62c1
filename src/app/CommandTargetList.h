// CommandTargetList: one link of the router's chain made of several targets,
// so that each feature builds the commands it adds to a pane in its own file.
//
// The first member that handles an id runs it and gives its state; members
// are asked in the order they were added. The list does not own its
// members unless they are handed over as unique_ptr; borrowed members must
// outlive it. Not thread-safe: the user-interface thread owns it.
#pragma once

#include <memory>
#include <vector>

#include "app/CommandTarget.h"

namespace qm {

class CommandTargetList : public CommandTarget {
 public:
  CommandTargetList() = default;

  void Add(std::unique_ptr<CommandTarget> target) {
    m_members.push_back(target.get());
    m_owned.push_back(std::move(target));
  }
  void AddBorrowed(CommandTarget& target) { m_members.push_back(&target); }

  bool Handles(int id) const override { return HandlerOf(id) != nullptr; }
  void Execute(int id) override {
    if (CommandTarget* target = HandlerOf(id)) target->Execute(id);
  }
  CommandState Update(int id) const override {
    const CommandTarget* target = HandlerOf(id);
    return target != nullptr ? target->Update(id) : CommandState{};
  }
  void UpdateAll(CommandStates& states) const override {
    // Later members first, so that the earlier ones overwrite what both handle.
    for (auto it = m_members.rbegin(); it != m_members.rend(); ++it) (*it)->UpdateAll(states);
  }

 private:
  CommandTarget* HandlerOf(int id) const {
    for (CommandTarget* target : m_members) {
      if (target->Handles(id)) return target;
    }
    return nullptr;
  }

  std::vector<CommandTarget*> m_members;
  std::vector<std::unique_ptr<CommandTarget>> m_owned;
};

}  // namespace qm
