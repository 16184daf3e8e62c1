// LinkFileDialogs: the two link-file dialogs as the link-file behaviour sees
// them, and LinkFileActions, what the node edit dialog's link buttons do.
//
// Each dialog takes a plain request and returns the user's answer; an empty
// std::optional means the user cancelled. Implementations: the Qt dialogs in
// the window, a scripted fake in tests. Not thread-safe: the user-interface
// thread owns them.
#pragma once

#include <QString>
#include <optional>

namespace qm {

// What the node edit dialog's link-file buttons do. The dialog passes the
// link name its field holds now (and the title for New) and puts what comes
// back into the field. Implemented by the link-file behaviour, which talks to
// the user itself; it must outlive the dialog.
class LinkFileActions {
 public:
  enum class OpenOutcome {
    StayOpen,       // nothing was opened (the user has been told why)
    Close,          // the file was launched: the dialog closes with OK
    CloseAndFollow  // a node link: the dialog closes with OK, the link is followed after
  };

  virtual ~LinkFileActions() = default;
  LinkFileActions(const LinkFileActions&) = delete;
  LinkFileActions& operator=(const LinkFileActions&) = delete;

  virtual OpenOutcome OpenLink(const QString& name) = 0;
  // Creates a new file named after title. Returns the name the field takes,
  // or nothing when no file was made.
  virtual std::optional<QString> NewLink(const QString& title) = 0;
  // True when the field should be emptied (the file itself stays).
  virtual bool RemoveLink(const QString& name) = 0;
  // A file chosen in a file dialog, or nothing on cancel.
  virtual std::optional<QString> BrowseLink(const QString& name) = 0;

 protected:
  LinkFileActions() = default;
};

struct LinkFileNameRequest {
  QString proposedName;
  LinkFileActions* actions = nullptr;  // for the browse button; may be null
};

struct NewLinkFileRequest {
  QString fileName;
  bool writeTitle = true;  // proposals for a text file
  bool writeBody = false;
};

struct NewLinkFileAnswer {
  QString fileName;  // as the user left it; may differ from the request's
  bool writeTitle = true;
  bool writeBody = false;
};

class LinkFileDialogs {
 public:
  virtual ~LinkFileDialogs() = default;
  LinkFileDialogs(const LinkFileDialogs&) = delete;
  LinkFileDialogs& operator=(const LinkFileDialogs&) = delete;

  // "No link file is set": asks for the name to link, proposing one, with a
  // browse button (request.actions). On OK returns the name as typed.
  virtual std::optional<QString> AskLinkFileName(const LinkFileNameRequest& request) = 0;
  // "New link file": the file to create and, for a text file (any name not
  // ending in ".qmp"), whether to write the title and the body into it.
  virtual std::optional<NewLinkFileAnswer> AskNewLinkFile(const NewLinkFileRequest& request) = 0;

 protected:
  LinkFileDialogs() = default;
};

}  // namespace qm
