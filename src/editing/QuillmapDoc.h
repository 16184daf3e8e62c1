// CQuillmapDoc: the one open document — the live outline, its one-level undo
// snapshot, the node whose body is shown, the file's path and title, and the
// modified and save-failed states.
//
// The document owns both outline stores; the views, the settings store, the
// clock, the prompt and the dialogs are not owned and must outlive it. It
// talks to the user only through Prompt and FileDialogs, and reports every
// failure there once, so callers only look at the returned flag. The views
// reach the outline through Store() and the operations below; they register
// with AddView and are told about changes through UpdateAllViews.
//
// Paths: a local document has a file path. A path that begins with "net:"
// names a document on the web outline service ("net:" + file id + ";" +
// title, or "net:;" + title before its first upload); it is opened and saved
// through WebAccess, by way of a temporary file that is always deleted
// afterwards. A failed web open or save leaves the document, its path and
// its state as they were. Without a WebAccess every web path fails with a
// message. After a local file fails to open, the document is the untitled
// outline at the placeholder path "(無題).qmp", which has no folder and is
// never written to without asking for a name.
//
// Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "model/TreeStore.h"
#include "platform/FileStamp.h"
#include "platform/Prompt.h"

namespace qm {

class BodyViewRole;
class Clock;
class FileDialogs;
class DocumentView;
class SettingsStore;
class WebAccess;

class CQuillmapDoc {
 public:
  // Receives every path the document wants on the recent-file list.
  using RecentFileSink = std::function<void(const QString& path)>;
  // Called whenever the title or the modified flag may have changed.
  using StateSink = std::function<void()>;

  CQuillmapDoc(SettingsStore& settings, const Clock& clock, Prompt& prompt, FileDialogs& dialogs);
  ~CQuillmapDoc();
  CQuillmapDoc(const CQuillmapDoc&) = delete;
  CQuillmapDoc& operator=(const CQuillmapDoc&) = delete;

  // ---- Views ----

  // REQUIRES: view is not registered yet and stays alive until RemoveView.
  void AddView(DocumentView* view);
  void RemoveView(DocumentView* view);
  // Tells every registered view but sender (kHintAll or kHintBodyOnly).
  void UpdateAllViews(const DocumentView* sender, int hint);
  void SetRecentFileSink(RecentFileSink sink) { m_recentFileSink = std::move(sink); }
  void SetStateSink(StateSink sink) { m_stateSink = std::move(sink); }
  // How web paths are opened and saved; may be null. Must outlive the
  // document or be reset first.
  void SetWebAccess(WebAccess* web) { m_web = web; }

  // ---- Life cycle. The caller asks SaveModified first. ----

  // An outline of one top node "（無題）", no path, not modified, the store
  // active. Always succeeds.
  bool NewDocument();
  // openAsMemo: read the file as a memo file whatever its extension (the
  // user chose that filter for this one open).
  // On success returns true, the outline is the file's, the path is the
  // file's full path, and "System"/"IniFile" names it. When the local file
  // cannot be loaded, the user is told why and the document becomes the
  // untitled outline at "(無題).qmp", not modified; this too returns true so
  // that the window stays usable. A web path is downloaded and loaded; it
  // returns false with the document unchanged, after telling the user why,
  // when the web outline cannot be had (no account, a refusal, a file that
  // does not load), and on success the outline is the web file's and its
  // web path is on the recent-file list and in "System"/"IniFile". The
  // loaded outline is not shown yet: the tree pane's first load builds the
  // pane (RebuildTree) and sets the current node.
  bool OpenDocument(const QString& path, bool openAsMemo = false);
  // Writes the outline to path without changing the document's path.
  // First writes the body back, records the selected node and the body
  // caret in Settings() (treeView, firstCursor) and lets the body pane
  // apply the first-line-is-title rule. Characters the code page cannot
  // hold are saved as "?" only after the user agreed; declining returns
  // false with the file untouched, the document modified and Save enabled.
  // The same holds for a plain-text save the user declines or the check
  // filter stops (the latter with its message).
  // On success returns true, clears the modified flag and writes
  // "System"/"IniFile". On failure returns false after telling the user;
  // while the failure stands, CanSave() is false until Save As succeeds.
  // A web path uploads instead: see UploadToWeb.
  bool SaveDocument(const QString& path);
  // Saves to path, or through Save As when path is empty. With replace, a
  // successful save makes path the document's path.
  bool DoSave(const QString& path, bool replace = true);
  // When modified, asks whether to save (Yes/No/Cancel) and saves on Yes.
  // Returns false when the user cancelled or the save failed: the caller
  // must not throw the document away then.
  bool SaveModified();
  // Writes the body back, then SaveModified.
  bool CanCloseFrame();

  // ---- The file on disk ----

  // True when another file now stands where the document's own file was
  // opened from or last saved: another program changed or replaced it.
  bool ChangedOnDisk() const;
  // True the first time a given change on disk is seen, so that the user
  // is asked about it once (the next Save still asks before overwriting).
  bool TakeNewChangeOnDisk();
  // Empties the outline and forgets everything that belonged to the old
  // one: the undo snapshot, the current node, a failed save.
  void DeleteContents();

  // ---- Document commands ----

  // Save: to the document's own file; through Save As when it has none.
  bool FileSave();
  // Save As: asks for a name; on success the document lives there.
  // Cancel returns false with nothing changed.
  bool FileSaveAs();
  // The Save command's update rule.
  bool CanSave() const { return !m_saveFailed; }
  // Save to the web: asks for a title (proposing the top node's) and
  // stores the outline as a new web file of that title. Cancel returns
  // false with nothing changed.
  bool FileSaveToWeb();
  // Asks for a file name with the dialog the user prefers
  // ("System"/"PPCSaveDlg"). Cancel returns nothing.
  std::optional<QString> ChooseFileName();

  // ---- Operations for the views ----

  // Copies the live outline into the snapshot; Undo can go back to it. The
  // current node is remembered as the node the change is about.
  void TakeSnapshot();
  // Undo. When a snapshot is available, puts it back (keeping the check
  // filter in use now), rebuilds the tree pane from it, sets the modified
  // flag and returns true; the snapshot is then used up. Otherwise returns
  // false and changes nothing.
  bool RestoreSnapshot();
  bool IsUndoAvailable() const { return m_undoAvailable; }
  // The current node when the snapshot was taken: after Undo, the node the
  // undone change was about is there again.
  int SnapshotNode() const { return m_snapshotNode; }

  // The body pane's own undo knows only what was typed; right after a change
  // that took a snapshot (a split or merge started from the body, say), its
  // Undo takes the change back instead, until the user edits the text.
  // NoteUserEdit counts the user's edits of the body text; a command that
  // changes the editor's text itself after taking the snapshot calls
  // EndUndoableChange once it is done, so its own changes do not count.
  void NoteUserEdit() { ++m_userEdits; }
  void EndUndoableChange() { m_userEditsAtSnapshot = m_userEdits; }
  bool IsUndoFresh() const { return m_undoAvailable && m_userEdits == m_userEditsAtSnapshot; }

  // Hands the body pane's text to SetBodyOfCurrentNode.
  void WriteBodyBack();
  // Stores text as the current node's body when it differs from what is
  // stored, stamping the node's update time and setting the modified flag.
  // Does nothing without a current node or while the store is not active.
  void SetBodyOfCurrentNode(const QString& text);
  // The stored body of the current node; empty without one.
  QString BodyOfCurrentNode() const;
  int CurrentNode() const { return m_currentNode; }
  // REQUIRES: -1 <= index < Store().GetCount(). Selects the node in the pane;
  // a node the check filter leaves out of the pane is replaced by its
  // nearest ancestor in the pane, so the selection always names a node.
  void SetCurrentNode(int index);
  // Writes the body back, then gives the current node this title (its link
  // file kept) and sets the modified flag. Nothing happens without a current
  // node or when the title is the same.
  void RenameCurrentNode(const QString& title);

  // ---- State ----

  bool IsModified() const { return m_modified; }
  void SetModified(bool modified = true);
  bool SaveFailed() const { return m_saveFailed; }
  const QString& PathName() const { return m_path; }
  const QString& Title() const { return m_title; }
  CTreeStore& Store() { return m_store; }
  const CTreeStore& Store() const { return m_store; }

  // True for paths of the web outline service ("net:...").
  static bool IsWebPath(const QString& path);

  // ---- Timestamps and categories ----

  // The texts around category names are the user's settings, not part of
  // the outline: sets them in the live outline and in the undo snapshot
  // alike, so that Undo does not bring old ones back.
  void SetCategoryTexts(const QString& before, const QString& after);

 private:
  // How writing the outline into a file ended.
  enum class WriteOutcome {
    Written,
    Declined,  // the user chose not to save (a lossy or plain-text save)
    Refused,   // the check filter stops a plain-text save; the user was told
    Failed,    // the file could not be written; the user was told
  };

  void SetPathName(const QString& path, bool addToRecent);
  void MakeUntitledOutline();
  // The local save itself: what SaveDocument does after the checks.
  bool SaveLocal(const QString& path);
  // Writes the outline to path, asking what a save asks, without changing
  // the document's state: body written back, selection and caret recorded.
  WriteOutcome WriteOutlineTo(const QString& path);
  // Open from the web and upload: the web side of OpenDocument and SaveDocument.
  bool OpenFromWeb(const QString& webPath);
  bool UploadToWeb(const QString& webPath);
  // Without a way to the web, says that web paths cannot be used.
  bool HasWebAccess();
  // Asks before path, the file the outline was loaded from with losses, is
  // written over; true when it is another file, or the user agrees.
  bool AgreeToOverwriteLossyLoad(const QString& path);
  void RecordSelectionAndCaret();
  void RememberAsLastFile(const QString& path);
  // True when the document has a file of its own to save to.
  bool HasOwnFile() const;
  BodyViewRole* FindBodyView() const;
  void TellUser(const QString& text, PromptIcon icon);

  SettingsStore& m_settings;
  const Clock& m_clock;
  Prompt& m_prompt;
  FileDialogs& m_dialogs;
  std::vector<DocumentView*> m_views;
  // The file as it was when opened or last saved, and the change the user
  // was last told about.
  FileStamp m_diskStamp;
  // The load left something of the file out (FileReport::Lossy), so saving
  // over that file loses it; cleared once the file holds this outline.
  bool m_loadedWithLosses = false;
  FileStamp m_seenChange;
  RecentFileSink m_recentFileSink;
  StateSink m_stateSink;
  WebAccess* m_web = nullptr;

  bool m_undoAvailable = false;
  int m_snapshotNode = -1;
  int m_userEdits = 0;
  int m_userEditsAtSnapshot = 0;
  int m_currentNode = -1;
  bool m_saveFailed = false;
  CTreeStore m_store;
  CTreeStore m_snapshot;
  QString m_path;
  QString m_title;
  bool m_modified = false;
};

}  // namespace qm
