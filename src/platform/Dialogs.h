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
#include <QStringList>
#include <optional>

#include "platform/TextFormat.h"

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

struct OpenFileRequest {
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

// The node edit dialog serves both adding and editing a node. titleOutput:
// 0 chapter characters and title, 1 title only, 2 no title. category: 0 for
// none, else the 1-based position in the document's list.
struct NodeEditRequest {
  QString title;
  QString link;
  int titleOutput = 0;
  int category = 0;
  QStringList categories;  // the list's items: "none" first, then the document's names
  QString updated;         // "YYYY/MM/DD hh:mm" local time; empty when adding
  bool wide = true;        // the layout for a screen wider than high
};

struct NodeEditResult {
  QString title;  // never empty: the dialog refuses OK without one
  QString link;
  int titleOutput = 0;
  int category = 0;
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
  // Asks for an existing file to read, never offering to open it read-only.
  // On OK returns the full path; on cancel returns nothing.
  virtual std::optional<QString> ChooseOpenFileName(const OpenFileRequest& request) = 0;

  // The open command's dialog: as ChooseOpenFileName, starting on the
  // filter filterIndex (0-based), and telling which filter was chosen.
  virtual std::optional<OpenDocumentAnswer> ChooseDocumentToOpen(const OpenFileRequest& request,
                                                                 int filterIndex) = 0;

  // The node edit dialog. OK with an empty title tells the user so and keeps
  // the dialog open (ValidateNodeEdit decides). On OK returns what the user
  // set; on cancel returns nothing.
  virtual std::optional<NodeEditResult> EditNode(const NodeEditRequest& request) = 0;

  // Text output: the output format dialog ("出力形式"), showing every
  // option of `current`. On OK returns all of them as the user left them.
  virtual std::optional<TextFormat> EditTextFormat(const TextFormat& current) = 0;

 protected:
  Dialogs() = default;
};

}  // namespace qm
