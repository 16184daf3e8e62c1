// FileDialogs: asking the user for a file to read or write.
//
// Each method takes a plain request and returns the user's answer; an empty
// std::optional means the user cancelled, and a cancelled dialog has changed
// nothing. Implementations: the desktop's file dialogs in the window, a
// scripted fake in tests. Callers hold a reference; the implementation must
// outlive them. Not thread-safe: the user-interface thread owns it.
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

// Which dialog asks for a file to open: the desktop's, or the program's own
// file browser (the open-other-folder command).
enum class OpenDialogKind {
  Standard,
  FileBrowser,
};

struct OpenFileRequest {
  OpenDialogKind kind = OpenDialogKind::Standard;
  QString title;
  QString initialName;       // the name field's first text, e.g. a pattern "*.TXT"; may be empty
  QString defaultExtension;  // without the dot, added when the user types none
  // Pairs of "label |pattern|" ending with "|", as in SaveFileRequest.
  QString filters;
  QString initialFolder;  // empty: the dialog's own choice
};

// What the document open dialog answers: the file and the filter the user
// left chosen (0-based; the open commands remember it, and the memo filter
// opens the file as a memo file).
struct OpenDocumentAnswer {
  QString path;
  int filterIndex = 0;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  FileDialogs(const FileDialogs&) = delete;
  FileDialogs& operator=(const FileDialogs&) = delete;

  // Asks for the name of a file to save to. On OK returns the full path,
  // in an existing folder, after the user agreed to replace an existing
  // file. On cancel returns nothing.
  virtual std::optional<QString> ChooseSaveFileName(const SaveFileRequest& request) = 0;
  // Asks for an existing file to read, never offering to open it read-only.
  // On OK returns the full path; on cancel returns nothing.
  virtual std::optional<QString> ChooseOpenFileName(const OpenFileRequest& request) = 0;
  // The open command's dialog: as ChooseOpenFileName, starting on the
  // filter filterIndex (0-based), and telling which filter was chosen.
  virtual std::optional<OpenDocumentAnswer> ChooseDocumentToOpen(const OpenFileRequest& request,
                                                                 int filterIndex) = 0;

 protected:
  FileDialogs() = default;
};

}  // namespace qm
