// CommandTarget: something that runs commands (a pane, the document, the
// frame, the application), and CommandSet, the usual way to build one from
// actions and update rules.
//
// A target says which command ids it handles, runs them, and tells for each
// whether it is enabled and checked now. The set of handled ids is fixed
// while the target is registered with a router; whether a command may run
// right now is its update rule's business, not Handles'.
//
// CommandSet keeps update rules as data: each command registers a small pure
// function from the target's state to {enabled, checked}. The target reads
// its state once per evaluation through the reader it was built with, so the
// rules stay testable without widgets and a whole menu costs one state read.
// Not thread-safe: the user-interface thread owns targets and routers.
#pragma once

#include <QHash>
#include <functional>
#include <utility>

namespace qm {

// A default CommandState is disabled and unchecked, which is also what a
// command that nothing handles shows.
struct CommandState {
  bool enabled = false;
  bool checked = false;
  friend bool operator==(const CommandState&, const CommandState&) = default;
};

// Command id -> state. value(id) of an id that is not present gives the
// default state, disabled.
using CommandStates = QHash<int, CommandState>;

constexpr CommandState EnabledIf(bool enabled) { return {enabled, false}; }
constexpr CommandState CheckedIf(bool checked) { return {true, checked}; }

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  CommandTarget(const CommandTarget&) = delete;
  CommandTarget& operator=(const CommandTarget&) = delete;

  virtual bool Handles(int id) const = 0;
  // REQUIRES: Handles(id). Runs the command whatever its update rule says;
  // the router checks the rule first.
  virtual void Execute(int id) = 0;
  // REQUIRES: Handles(id).
  virtual CommandState Update(int id) const = 0;
  // Writes the state of every command it handles into states, replacing
  // what is there, and leaves other entries alone.
  virtual void UpdateAll(CommandStates& states) const = 0;

 protected:
  CommandTarget() = default;
};

template <typename State>
class CommandSet : public CommandTarget {
 public:
  using Action = std::function<void()>;
  using Rule = std::function<CommandState(const State&)>;

  // readState is called once per Update or UpdateAll and must stay callable
  // for the life of the set.
  explicit CommandSet(std::function<State()> readState) : m_readState(std::move(readState)) {}
  // For targets whose rules need no state.
  CommandSet() : m_readState([] { return State{}; }) {}

  // Registers a command. Without a rule it is always enabled and never
  // checked. REQUIRES: id is not registered yet.
  void Add(int id, Action action, Rule rule = {}) {
    Q_ASSERT(!m_commands.contains(id));
    m_commands.insert(id, Command{std::move(action), std::move(rule)});
  }

  bool Handles(int id) const override { return m_commands.contains(id); }

  void Execute(int id) override {
    // A copy, because the action may replace or destroy this set.
    const Action action = m_commands.value(id).action;
    if (action) action();
  }

  CommandState Update(int id) const override {
    const auto it = m_commands.constFind(id);
    if (it == m_commands.constEnd()) return {};
    return Evaluate(*it, m_readState());
  }

  void UpdateAll(CommandStates& states) const override {
    if (m_commands.isEmpty()) return;
    const State state = m_readState();
    for (auto it = m_commands.constBegin(); it != m_commands.constEnd(); ++it) {
      states.insert(it.key(), Evaluate(it.value(), state));
    }
  }

 private:
  struct Command {
    Action action;
    Rule rule;
  };

  static CommandState Evaluate(const Command& command, const State& state) {
    return command.rule ? command.rule(state) : CommandState{true, false};
  }

  std::function<State()> m_readState;
  QHash<int, Command> m_commands;
};

}  // namespace qm
