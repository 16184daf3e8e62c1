// DesktopHosts: the pane host and the application host over the main
// window — focus moves between the panes, commands sent to the frame, the
// wait cursor, the window title, the recent files and marked nodes in the
// menus, the panes' fonts through the desktop's font dialog, the tree's
// indent and the body's colours.
//
// The window must outlive the hosts. Commands sent to the frame and the
// closing of the window run once control returns to the event loop, as a
// posted message would, so a command never runs inside another.
#pragma once

#include "app/ApplicationHost.h"
#include "editing/PaneHost.h"

namespace qm {

class MainWindow;

class DesktopHosts : public PaneHost, public ApplicationHost {
 public:
  explicit DesktopHosts(MainWindow& window) : m_window(window) {}

  // PaneHost.
  void FocusBodyPane() override;
  void FocusTreePane() override;
  bool BodyPaneHasFocus() const override;
  void SendToFrame(int commandId) override;
  void CloseMainWindow() override;
  void SetWaitCursor(bool on) override;
  bool IsLandscape() const override;

  // ApplicationHost.
  void ShowDocumentTitle(const QString& title, bool modified) override;
  void ShowRecentFiles(const QStringList& displayNames) override;
  void ShowMarkedNodes(const QStringList& labels) override;
  void PopUpRecentFiles() override;
  PaneFont FontOf(Pane pane) const override;
  std::optional<PaneFont> ChooseFont(const PaneFont& current) override;
  void SetFont(Pane pane, const PaneFont& font) override;
  bool IsScreenLandscape() const override;
  int TreeIndent() const override;
  void SetTreeIndent(int pixels) override;
  void SetBodyColours(int text, int back) override;

 private:
  MainWindow& m_window;
};

}  // namespace qm
