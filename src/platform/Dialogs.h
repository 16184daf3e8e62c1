// Dialogs: the program's dialog boxes as behaviour code sees them.
//
// One method per dialog. Each takes a plain request struct and returns the
// user's answer; an empty std::optional means the user cancelled, and a
// cancelled dialog has changed nothing. Implementations: the Qt dialogs in
// the window, a scripted fake in tests. Callers hold a reference; the
// implementation must outlive them. Not thread-safe: the user-interface
// thread owns it.
#pragma once

#include <QString>
#include <optional>

namespace qm {

// Which of the two save dialogs the user prefers ("System"/"PPCSaveDlg").
enum class SaveDialogKind {
  FileBrowser,  // the program's own file browser
  Standard,     // the desktop's standard save dialog
};

struct SaveFileRequest {
  SaveDialogKind kind = SaveDialogKind::FileBrowser;
  QString title;
  QString proposedName;      // file name only, no folder; may be empty
  QString defaultExtension;  // without the dot, added when the user types none
  // Pairs of "label |pattern|" ending with "|", e.g. "Text (*.txt) |*.txt||".
  QString filters;
  QString initialFolder;  // empty: the dialog's own choice
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  Dialogs(const Dialogs&) = delete;
  Dialogs& operator=(const Dialogs&) = delete;

  // Asks for the name of a file to save to. On OK returns the full path,
  // in an existing folder, after the user agreed to replace an existing
  // file. On cancel returns nothing.
  virtual std::optional<QString> ChooseSaveFileName(const SaveFileRequest& request) = 0;

 protected:
  Dialogs() = default;
};

}  // namespace qm
