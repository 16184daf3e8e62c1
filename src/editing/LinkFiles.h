// CLinkFiles: the link file a node names — opening it from the tree pane,
// setting up and creating one when the node has none, the node edit
// dialog's link buttons, and the link to a node put on the clipboard.
//
// A link name is either a node link (NodeLink.h), which moves to a node of
// this outline or of another outline file, or the name of a file or a URL,
// which the desktop opens with its own program. A file name that is not
// absolute is relative to the document's folder, so an outline and the
// files beside it can move together; while the document has no file of its
// own such a name cannot be used and the user is asked to save first.
//
// Every failure is told to the user once, here, through Prompt with the
// program's text; callers only look at what comes back. A new link file is
// never written over an existing file, and characters the code page cannot
// hold are written as "?" only after the user agreed.
//
// The document, settings store, clock, prompt, dialogs, launcher and
// clipboard are not owned and must outlive this object. Not thread-safe:
// the user-interface thread owns it.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "editing/FileDialogs.h"
#include "editing/LinkFileDialogs.h"

namespace qm {

class CQuillmapDoc;
class Clipboard;
class Clock;
class Launcher;
class Prompt;
class SettingsStore;

class CLinkFiles {
 public:
  // Opens the outline file at path (absolute) as the document, as the open
  // command does: asking to save changes first and reloading both panes.
  // Returns false when the user cancelled; a file that fails to load
  // returns true after the user was told (the document is then another).
  using OpenOutline = std::function<bool(const QString& path)>;

  CLinkFiles(CQuillmapDoc& doc, SettingsStore& settings, const Clock& clock, Prompt& prompt,
             LinkFileDialogs& dialogs, FileDialogs& files, Launcher& launcher, Clipboard& clipboard,
             OpenOutline openOutline);
  CLinkFiles(const CLinkFiles&) = delete;
  CLinkFiles& operator=(const CLinkFiles&) = delete;

  // The open-link-file command on the selected node. Asks first when
  // "System"/"LinkCheck" is 1. A node link selects its node and makes it
  // visible, opening its outline first when that is another file; a node
  // path that names no node says so. Any other name is launched. A node
  // without a link asks for a name (proposed from its title), stores it as
  // the node's link (undoably), and launches the file, offering to create
  // it when it does not exist.
  void OpenLinkFile();
  // Puts the link to the selected node ("file:///./" + node path) on the
  // clipboard, replacing what was there.
  void CopyLinkToNode();
  // The two commands' update rule: a node is selected.
  bool HasSelectedNode() const;

  // The link buttons of the node edit dialog opened for node (-1 while a
  // node is being added). The result must not outlive this object.
  std::unique_ptr<LinkFileActions> ActionsFor(int node);

 private:
  class Buttons;
  struct OutlineTarget;

  // The folder of the document's own file; empty while it has none.
  QString DocumentFolder() const;
  // The file or URL name stands for: URLs other than "file:" as they are,
  // everything else as an absolute local path. Nothing when name is
  // relative and the document has no folder (the user has been told).
  std::optional<QString> Resolve(const QString& name);
  // Where name leads when it is a node link; nothing when it is none.
  // *needsFolder tells that a reading was left out because the document
  // has no folder to resolve it against.
  std::optional<OutlineTarget> NodeLinkTarget(const QString& name, bool* needsFolder) const;
  // Follows name when it is a node link and returns true; returns false,
  // having done nothing, for any other name.
  bool FollowNodeLink(const QString& name);
  void GoToNode(const QString& nodePath);
  // Launches a file or URL. On failure tells the user and returns false.
  bool Launch(const QString& name);
  bool LaunchResolved(const QString& target);

  // The name offered for a new link file made from title.
  QString ProposedName(const QString& title) const;
  // The new-link-file dialog with the remembered proposals; remembers the
  // user's choice.
  std::optional<NewLinkFileAnswer> AskNewLinkFile(const QString& name);
  // Creates target, which must not exist, as the new link file of a node
  // with this title and body. On failure (or when the user declined a lossy
  // write) returns false; every failure has been told.
  // Sets node's link as an undoable change.
  void LinkNode(int node, const QString& name);
  bool CreateLinkFile(const QString& target, const NewLinkFileAnswer& how, const QString& title,
                      const QString& body);
  bool CreateOutlineFile(const QString& target, const QString& title);
  bool CreateTextFile(const QString& target, const QString& text);
  // The browse button's file dialog.
  std::optional<QString> Browse();
  void Tell(const QString& text);

  CQuillmapDoc& m_doc;
  SettingsStore& m_settings;
  const Clock& m_clock;
  Prompt& m_prompt;
  LinkFileDialogs& m_dialogs;
  FileDialogs& m_files;
  Launcher& m_launcher;
  Clipboard& m_clipboard;
  OpenOutline m_openOutline;
};

}  // namespace qm
