// CQuillmapApp: the application object — the first document at start-up,
// the open commands and the recent-file list, new documents, the file-type
// association, the panes' fonts and the version information.
//
// Opening a document always goes through OpenFile, which asks to save the
// one that is open first and then loads the panes; the open dialog, the
// recent files, link files of other outlines and a file handed over by a
// second start all use it. Commands() is the application's link of the
// command chain. The document, panes, settings, prompt, dialogs, host,
// router and association must outlive the object. Not thread-safe: the
// user-interface thread owns it.
#pragma once

#include <QString>
#include <memory>

#include "app/CommandTarget.h"
#include "app/RecentFileList.h"

namespace qm {

class ApplicationHost;
class CQEditView;
class CQTreeView;
class CQuillmapDoc;
class CommandRouter;
class FileAssociation;
class FileDialogs;
class Prompt;
class SettingsStore;

class CQuillmapApp {
 public:
  struct Parts {
    CQuillmapDoc& document;
    CQTreeView& tree;
    CQEditView& body;
    SettingsStore& settings;
    Prompt& prompt;
    FileDialogs& files;
    ApplicationHost& host;
    const CommandRouter& router;  // tells which pane has the focus
    const FileAssociation& association;
  };

  explicit CQuillmapApp(const Parts& parts);
  ~CQuillmapApp();
  CQuillmapApp(const CQuillmapApp&) = delete;
  CQuillmapApp& operator=(const CQuillmapApp&) = delete;

  // Start-up: the recent-file list ("System"/"MRU", 10 on a landscape
  // screen and 5 otherwise by default), the panes' fonts, the body's
  // colours and the tree's indent ("View"/"LevelWidth" when above 0), then
  // the first document: file when given, else the last one when
  // "System"/"bIniFile" is on, else a new one.
  void Start(const QString& file);
  // Writes the recent-file list; the window is closing.
  void Exit();

  // Asks to save the open document's changes, then opens path (as a memo
  // file with asMemo) and shows it. Returns false when the user cancelled or
  // a web outline could not be opened (the document is then unchanged).
  bool OpenFile(const QString& path, bool asMemo = false);
  // Asks to save changes, then starts an untitled outline.
  void NewFile();
  // The open command: the dialog starts on the remembered filter, in the
  // chosen initial folder (System/InitDir) or else the document's own.
  void ChooseAndOpenFile();
  // The open-other-folder command: the same request and steps as
  // ChooseAndOpenFile, asked through the program's own file browser.
  void ChooseAndOpenFileFromAnyFolder();
  // Opens recent file i (from 0); nothing when there is no such entry.
  void OpenRecentFile(int i);
  void AssociateFileType();
  // When another program changed the open document's file since it was
  // opened or saved, asks once per change whether to read it again.
  void CheckFileOnDisk();
  // The font of the pane that has the focus: the dialog starts on the
  // current face, size and boldness; the choice is shown and kept.
  void ChooseFont();
  void ShowVersionInfo();

  const RecentFileList& RecentFiles() const { return m_recent; }
  CommandTarget& Commands() { return *m_commands; }

 private:
  void AddRecentFile(const QString& path);
  // Shows the newly loaded outline in both panes.
  void LoadPanes();
  QString OpenDialogFolder() const;
  void ChooseAndOpen(bool withFileBrowser);

  Parts m;
  RecentFileList m_recent{0};
  std::unique_ptr<CommandTarget> m_commands;
};

}  // namespace qm
