// CommandRouter: sends each command to the one target that runs it now.
//
// The chain is the focused pane, then the other pane, the document, the
// frame and the application; the first of them that handles a command runs
// it. So a pane overrides the document's or the frame's handling of the same
// id while it has the focus (undo, cut, find, switch panes), and a command
// that belongs to one pane reaches it whichever pane has the focus (the body
// pane's select all from the tree, the tree's delete from the body), as a
// command sent on to the other pane would. Menus, command-bar buttons and
// key bindings all go through Execute, and all show what UpdateAll reports,
// so a command behaves the same whichever way the user reaches it: a
// command that nothing handles, or whose update rule says disabled, is
// disabled everywhere and does not run.
//
// Which commands something handles does not depend on the focus, so menus
// built from IsOffered stay right whichever pane has it.
//
// The router does not own its targets. A target that goes away must be
// replaced (by another target or nullptr) before the router is used again;
// an action may destroy its own target. An action may send further commands
// or move the focus through this same router. Not thread-safe: the
// user-interface thread owns it.
#pragma once

#include "app/CommandTarget.h"
#include "app/Pane.h"

namespace qm {

class CommandRouter {
 public:
  CommandRouter() = default;
  CommandRouter(const CommandRouter&) = delete;
  CommandRouter& operator=(const CommandRouter&) = delete;

  // Each may be nullptr: that link of the chain is skipped.
  void SetPaneTarget(Pane pane, CommandTarget* target) { m_panes[int(pane)] = target; }
  void SetDocument(CommandTarget* document) { m_document = document; }
  void SetFrame(CommandTarget* frame) { m_frame = frame; }
  void SetApplication(CommandTarget* application) { m_application = application; }

  // The pane that has the focus, or had it last (the tree at first).
  void SetFocusedPane(Pane pane) { m_focused = pane; }
  Pane FocusedPane() const { return m_focused; }

  // The first target in the chain that handles id, or nullptr.
  CommandTarget* HandlerOf(int id) const;
  // True when some target handles id, whichever pane has the focus.
  bool IsOffered(int id) const { return HandlerOf(id) != nullptr; }

  // The state of id as its handler reports it; disabled when nothing handles it.
  CommandState StateOf(int id) const;

  // Runs id on its handler when the handler's update rule enables it.
  // Returns true when the command ran, false when nothing handles it or it
  // is disabled (then nothing happens).
  bool Execute(int id);

  // The state of every command the window can show: each row of the command
  // table, each recent-file and marks-menu entry, each button of both
  // command-bar layouts, and every further id some target handles. Each
  // target reads its state once; where several handle an id, the one first
  // in the chain decides.
  CommandStates UpdateAll() const;

 private:
  static constexpr int kChainLength = 5;
  // The targets in the order the chain asks them now.
  void Chain(CommandTarget* (&chain)[kChainLength]) const;

  CommandTarget* m_panes[2] = {};
  CommandTarget* m_document = nullptr;
  CommandTarget* m_frame = nullptr;
  CommandTarget* m_application = nullptr;
  Pane m_focused = Pane::Tree;
};

}  // namespace qm
