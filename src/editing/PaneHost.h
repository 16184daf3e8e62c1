// PaneHost: what the tree pane's behaviour asks of the window around it —
// moving the focus between the two panes, sending a command to the main
// frame, closing the main window, the wait cursor and the screen's shape.
//
// The Qt main window implements it; tests use a recording fake. Commands sent
// with SendToFrame go through the window's command router as if the user had
// chosen them, so they may run later than the call returns. The host must
// outlive the pane. Not thread-safe: the user-interface thread owns it.
#pragma once

namespace qm {

class PaneHost {
 public:
  virtual ~PaneHost() = default;
  PaneHost(const PaneHost&) = delete;
  PaneHost& operator=(const PaneHost&) = delete;

  virtual void FocusBodyPane() = 0;
  virtual void FocusTreePane() = 0;
  virtual bool BodyPaneHasFocus() const = 0;
  // Runs command id through the main frame's router.
  virtual void SendToFrame(int commandId) = 0;
  // Closes the main window the usual way, which still asks to save changes.
  virtual void CloseMainWindow() = 0;
  // Shows (on) or hides the busy cursor around slow work.
  virtual void SetWaitCursor(bool on) = 0;
  // True when the available screen area is wider than high.
  virtual bool IsLandscape() const = 0;

 protected:
  PaneHost() = default;
};

// Shows the busy cursor for its lifetime; it must be gone before a dialog
// or message box appears.
class WaitCursor {
 public:
  explicit WaitCursor(PaneHost& host) : m_host(host) { m_host.SetWaitCursor(true); }
  ~WaitCursor() { m_host.SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  PaneHost& m_host;
};

}  // namespace qm
