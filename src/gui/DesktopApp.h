// DesktopApp: the running program on the desktop — the Qt side of every
// port (widgets, dialogs, message boxes, clipboard, launcher), the main
// window, and the Workspace that holds the behaviour, wired together: the
// widgets' events go to the panes' behaviour, commands go through the
// router. It holds no behaviour of its own.
//
// Start handles what only a desktop process does: one instance per user,
// the file association, the window's place and the first document.
//
// REQUIRES: a QApplication exists for the whole life of this object.
#pragma once

#include <QString>
#include <memory>

#include "app/Pane.h"

namespace qm {

class CQuillmapDoc;
class CommandRouter;
class MainWindow;
class SettingsStore;
class Workspace;
struct KeyPress;

class DesktopApp {
 public:
  // settings must outlive the program object.
  explicit DesktopApp(SettingsStore& settings);
  ~DesktopApp();
  DesktopApp(const DesktopApp&) = delete;
  DesktopApp& operator=(const DesktopApp&) = delete;

  // Starts the program on file (empty: the usual first document). Returns
  // false when another instance took the file, so this process should end.
  bool Start(const QString& file, bool singleInstance = true);

  // For tests and tools.
  MainWindow& Window();
  CQuillmapDoc& Document();
  CommandRouter& Router();
  Workspace& Parts();

 private:
  struct Members;
  void ConnectTreeWidget();
  void ConnectBodyWidget();
  void ConnectWindow();
  // The frame's look at a key press before the pane's: runs the command
  // the key binds there and tells whether it did.
  bool RunFrameKey(Pane focused, const KeyPress& press);

  std::unique_ptr<Members> m;
};

}  // namespace qm
