// FakePaneHost: the window around the panes, recording what they ask of it.
#pragma once

#include <QString>
#include <vector>

#include "editing/PaneHost.h"

namespace qm::test {

class FakePaneHost : public PaneHost {
 public:
  void FocusBodyPane() override { focus += u'B'; }
  void FocusTreePane() override { focus += u'T'; }
  bool BodyPaneHasFocus() const override { return bodyHasFocus; }
  void SendToFrame(int commandId) override { sent.push_back(commandId); }
  void CloseMainWindow() override { ++closed; }
  void SetWaitCursor(bool on) override {
    waiting += on ? 1 : -1;
    if (on) ++waitCursors;
  }
  bool IsLandscape() const override { return landscape; }

  // The focus moves in order: 'B' to the body pane, 'T' to the tree pane.
  QString focus;
  // Commands sent to the frame, in order.
  std::vector<int> sent;
  int closed = 0;
  // Wait cursors shown and not hidden again: 0 once every command is done.
  int waiting = 0;
  // How often the wait cursor was shown.
  int waitCursors = 0;

  bool bodyHasFocus = false;
  bool landscape = true;
};

}  // namespace qm::test
