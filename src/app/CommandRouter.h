// CommandRouter: sends each command to the one target that runs it now.
//
// The chain is the focused pane, then the document, the frame and the
// application; the first of them that handles a command runs it, so a pane
// overrides the document's or the frame's handling of the same id while it
// has the focus. Menus, command-bar buttons and key bindings all go through
// Execute, and all show what UpdateAll reports, so a command behaves the same
// whichever way the user reaches it: a command that nothing handles, or whose
// update rule says disabled, is disabled everywhere and does not run.
//
// The router does not own its targets. A target that goes away must be
// replaced (by another target or nullptr) before the router is used again;
// an action may destroy its own target. An action may send further commands
// or move the focus through this same router. Not thread-safe: the
// user-interface thread owns it.
#pragma once

#include "app/CommandTarget.h"

namespace qm {

class CommandRouter {
 public:
  CommandRouter() = default;
  CommandRouter(const CommandRouter&) = delete;
  CommandRouter& operator=(const CommandRouter&) = delete;

  // Each may be nullptr: that link of the chain is skipped.
  void SetFocusedPane(CommandTarget* pane) { m_chain[kPane] = pane; }
  void SetDocument(CommandTarget* document) { m_chain[kDocument] = document; }
  void SetFrame(CommandTarget* frame) { m_chain[kFrame] = frame; }
  void SetApplication(CommandTarget* application) { m_chain[kApplication] = application; }

  // The first target in the chain that handles id, or nullptr.
  CommandTarget* HandlerOf(int id) const;

  // The state of id as its handler reports it; disabled when nothing handles it.
  CommandState StateOf(int id) const;

  // Runs id on its handler when the handler's update rule enables it.
  // Returns true when the command ran, false when nothing handles it or it
  // is disabled (then nothing happens).
  bool Execute(int id);

  // The state of every command the window can show: each row of the command
  // table, each recent-file entry, each button of both command-bar layouts,
  // and every further id some target handles. Each target reads its state
  // once; where several handle an id, the one first in the chain decides.
  CommandStates UpdateAll() const;

 private:
  enum Link { kPane, kDocument, kFrame, kApplication, kLinkCount };
  CommandTarget* m_chain[kLinkCount] = {};
};

}  // namespace qm
