// QuillmapApp: the running program — it owns the document, the window, the
// two panes' behaviour and widgets, the command router and the recent-file
// list, wires the widgets' events to the behaviour, and runs start-up and
// exit: one instance per user, the file association, the first document
// (the command line's file, else the last one when "System"/"bIniFile"),
// and writing the recent-file list when the window closes.
//
// REQUIRES: a QApplication exists for the whole life of this object.
#pragma once

#include <QStringList>
#include <memory>

#include "editing/PaneHost.h"

namespace qm {

class SettingsStore;

class QuillmapApp : public PaneHost {
 public:
  // settings must outlive the program object.
  explicit QuillmapApp(SettingsStore& settings);
  ~QuillmapApp() override;

  // Starts the program on file (empty: the usual first document). Returns
  // false when another instance took the file, so this process should end.
  bool Start(const QString& file, bool singleInstance = true);

  // Opens a document as the open command does (asking to save changes first).
  bool OpenFile(const QString& path, bool asMemo = false);

  // For tests and tools.
  class MainWindow& Window();
  class CQuillmapDoc& Document();
  class CommandRouter& Router();

  // PaneHost.
  void FocusBodyPane() override;
  void FocusTreePane() override;
  bool BodyPaneHasFocus() const override;
  void SendToFrame(int commandId) override;
  void CloseMainWindow() override;
  void SetWaitCursor(bool on) override;
  bool IsLandscape() const override;

 private:
  struct Parts;
  std::unique_ptr<Parts> m;
};

}  // namespace qm
