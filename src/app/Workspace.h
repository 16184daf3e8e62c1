// Workspace: the program's behaviour put together over the host's ports —
// the document, the two panes, the main frame, the application object and
// every feature (search, link files, branch clipboard, split and merge,
// marks, timestamps, categories, text output), with the command targets
// that reach them registered with the router.
//
// The window layer builds one over its Qt ports and wires its widgets'
// events to the panes; tests build one over fakes and drive it through the
// router exactly as menus and keys do. Every port and the router must
// outlive the workspace. Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <memory>

#include "app/CommandTargetList.h"
#include "app/KeyCustomisation.h"
#include "app/MainFrame.h"
#include "app/QuillmapApp.h"
#include "editing/BodyPane.h"
#include "editing/QuillmapDoc.h"
#include "editing/TreePane.h"

namespace qm {

class ApplicationHost;
class BranchVisibility;
class CBranchClipboard;
class CLinkFiles;
class CSplitMerge;
class CategoryDialogs;
class Clipboard;
class Clock;
class CommandRouter;
class ConnectionManager;
class DateDialogs;
class EditControl;
class FileAssociation;
class FileDialogs;
class FrameHost;
class HttpClient;
class KeyCustomisationDialogs;
class Launcher;
class LinkFileDialogs;
class MarkCommands;
class NodeEditDialogs;
class PaneHost;
class PasteDialogs;
class Prompt;
class SearchDialogs;
class SecretStore;
class SettingsDialogs;
class SettingsStore;
class SplitDialogs;
class TextOutputDialogs;
class TimestampDialogs;
class TransferWait;
class TreeControl;
class WebAccess;
class WebDialogs;

// Every dialog port, usually one object that implements them all.
struct DialogPorts {
  FileDialogs& files;
  NodeEditDialogs& nodeEdit;
  SearchDialogs& search;
  LinkFileDialogs& links;
  PasteDialogs& paste;
  SplitDialogs& split;
  TimestampDialogs& timestamps;
  CategoryDialogs& categories;
  TextOutputDialogs& textOutput;
  KeyCustomisationDialogs& keys;
  DateDialogs& dates;
  SettingsDialogs& settingsSheet;
  WebDialogs& web;

  template <typename AllDialogs>
  static DialogPorts Of(AllDialogs& all) {
    return {all, all, all, all, all, all, all, all, all, all, all, all, all};
  }
};

// What the web outline service is reached through.
struct WebPorts {
  HttpClient& http;
  TransferWait& wait;
  ConnectionManager& connections;
  QString tempFolder;              // empty: the system's temporary folder
  SecretStore* secrets = nullptr;  // the desktop's keyring; null: none
};

struct WorkspacePorts {
  SettingsStore& settings;
  const Clock& clock;
  Prompt& prompt;
  DialogPorts dialogs;
  TreeControl& treeControl;
  EditControl& editControl;
  Clipboard& clipboard;
  Launcher& launcher;
  PaneHost& paneHost;
  ApplicationHost& appHost;
  FrameHost& frameHost;
  const FileAssociation& association;
  CommandRouter& router;
  WebPorts web;
};

class Workspace {
 public:
  explicit Workspace(const WorkspacePorts& ports);
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  CQuillmapDoc& Document() { return m_document; }
  CQTreeView& TreePane() { return m_tree; }
  CQEditView& BodyPane() { return m_body; }
  CMainFrame& Frame() { return m_frame; }
  CKeyCustomisation& Keys() { return m_keys; }
  CQuillmapApp& App() { return m_app; }
  WebAccess& Web() { return *m_web; }

 private:
  void RegisterCommands(const WorkspacePorts& ports);

  CommandRouter& m_router;
  // Before the document, which opens and saves web paths through it.
  std::unique_ptr<WebAccess> m_web;
  CQuillmapDoc m_document;
  // Before the panes, which look keys up in its table.
  CKeyCustomisation m_keys;
  CQTreeView m_tree;
  CQEditView m_body;
  CMainFrame m_frame;
  CQuillmapApp m_app;
  std::unique_ptr<CLinkFiles> m_links;
  std::unique_ptr<CBranchClipboard> m_branchClipboard;
  std::unique_ptr<CSplitMerge> m_splitMerge;
  std::unique_ptr<MarkCommands> m_marks;
  std::unique_ptr<BranchVisibility> m_visibility;
  // Each feature adds the commands it gives a pane as one member.
  CommandTargetList m_treeCommands;
  CommandTargetList m_bodyCommands;
  CommandTargetList m_documentCommands;
  CommandTargetList m_frameCommands;
};

}  // namespace qm
