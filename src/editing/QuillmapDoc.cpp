// CQuillmapDoc: the document's life cycle, saving, undo and the body hand-over.
#include "editing/QuillmapDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <vector>

#include "editing/DocumentView.h"
#include "editing/FileDialogs.h"
#include "editing/SaveConsent.h"
#include "editing/WebAccess.h"
#include "model/FileReportText.h"
#include "net/WebPath.h"
#include "platform/Clock.h"
#include "platform/FileIo.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/NetStrings.h"
#include "res/Strings.h"

namespace qm {
namespace {

// A plain-text save the check filter stops: the file was never touched.
bool RefusedBeforeWriting(const FileReport& report) {
  return report.error == FileReport::Error::FilterShowsChecked ||
         report.error == FileReport::Error::FilterShowsUnchecked;
}

}  // namespace

CQuillmapDoc::CQuillmapDoc(SettingsStore& settings, const Clock& clock, Prompt& prompt,
                           FileDialogs& dialogs)
    : m_settings(settings),
      m_clock(clock),
      m_prompt(prompt),
      m_dialogs(dialogs),
      m_store(settings, clock),
      m_snapshot(settings, clock),
      m_title(res::kUntitledTop.toString()) {}

CQuillmapDoc::~CQuillmapDoc() = default;

bool CQuillmapDoc::IsWebPath(const QString& path) { return qm::IsWebPath(path); }

// ---- Views ----

void CQuillmapDoc::AddView(DocumentView* view) { m_views.push_back(view); }

void CQuillmapDoc::RemoveView(DocumentView* view) { std::erase(m_views, view); }

void CQuillmapDoc::UpdateAllViews(const DocumentView* sender, int hint) {
  // A view may add or remove views while it refreshes; walk a copy.
  const std::vector<DocumentView*> views = m_views;
  for (DocumentView* view : views) {
    if (view != sender) view->OnUpdate(sender, hint);
  }
}

BodyViewRole* CQuillmapDoc::FindBodyView() const {
  for (DocumentView* view : m_views) {
    if (BodyViewRole* body = view->BodyRole()) return body;
  }
  return nullptr;
}

// ---- Life cycle ----

void CQuillmapDoc::DeleteContents() {
  m_diskStamp = {};
  m_seenChange = {};
  m_loadedWithLosses = false;
  m_store.Clear();
  m_snapshot.Clear();
  m_undoAvailable = false;
  m_snapshotNode = -1;
  m_currentNode = -1;
  // A failed save belongs to the file that failed, not to the next one.
  m_saveFailed = false;
}

void CQuillmapDoc::MakeUntitledOutline() {
  m_store.Clear();
  m_store.AddRoot(res::kUntitledTop.toString());
  m_store.RebuildTree();
}

bool CQuillmapDoc::NewDocument() {
  DeleteContents();
  MakeUntitledOutline();
  SetPathName(QString(), false);
  SetModified(false);
  return true;
}

bool CQuillmapDoc::OpenDocument(const QString& path, bool openAsMemo) {
  if (IsWebPath(path)) return OpenFromWeb(path);
  // The last-file setting and the recent-file list must name the file
  // wherever the program is started from next time.
  const QString fullPath = QFileInfo(path).absoluteFilePath();
  DeleteContents();
  if (m_store.Load(fullPath, openAsMemo ? 1 : 0) < 0) {
    const FileReport report = m_store.LastFileReport();
    MakeUntitledOutline();
    // The placeholder is no file the user could reopen, so it stays off the
    // recent-file list and out of the last-file setting.
    SetPathName(res::kUntitledFileName.toString(), false);
    SetModified(false);
    // An empty outline in place of the one asked for needs a reason.
    QString why = FileErrorText(report);
    if (why.isEmpty()) why = res::kCannotOpenFile.toString();
    TellUser(why + u'\n' + fullPath, PromptIcon::Warning);
    return true;
  }
  const QStringList warnings = FileWarningTexts(m_store.LastFileReport());
  m_loadedWithLosses = m_store.LastFileReport().Lossy();
  m_diskStamp = StampOf(fullPath);
  SetPathName(fullPath, true);
  SetModified(false);
  RememberAsLastFile(fullPath);
  if (!warnings.isEmpty()) TellUser(warnings.join(u'\n'), PromptIcon::Warning);
  return true;
}

bool CQuillmapDoc::HasWebAccess() {
  if (m_web != nullptr) return true;
  TellUser(res::kWebDocumentNotYetSupported.toString(), PromptIcon::Warning);
  return false;
}

bool CQuillmapDoc::OpenFromWeb(const QString& webPath) {
  if (!HasWebAccess()) return false;
  if (!m_web->HasAccount()) {
    TellUser(res::kNoWebAccount.toString(), PromptIcon::Warning);
    return false;
  }
  const std::optional<WebAccess::Download> download = m_web->DownloadFile(webPath);
  if (!download) return false;
  // Loaded beside the open outline, which stays whole until the new one is.
  CTreeStore incoming(m_settings, m_clock);
  const bool loaded = incoming.Load(download->localPath, 0) >= 0;
  QFile::remove(download->localPath);
  if (!loaded) {
    TellUser(res::kOpenFromWebFailed.toString(), PromptIcon::Warning);
    return false;
  }
  const QStringList warnings = FileWarningTexts(incoming.LastFileReport());
  DeleteContents();
  TreeControl* pane = m_store.Pane();
  m_store.CopyFrom(incoming);
  m_store.SetPane(pane);
  m_loadedWithLosses = incoming.LastFileReport().Lossy();
  SetPathName(download->webPath, true);
  SetModified(false);
  RememberAsLastFile(webPath);
  if (!warnings.isEmpty()) TellUser(warnings.join(u'\n'), PromptIcon::Warning);
  return true;
}

void CQuillmapDoc::SetPathName(const QString& path, bool addToRecent) {
  m_path = path;
  if (path.isEmpty()) {
    m_title = res::kUntitledTop.toString();
  } else {
    m_title = IsWebPath(path) ? WebPathTitle(path) : FileNameOf(path);
  }
  if (addToRecent && m_recentFileSink) m_recentFileSink(path);
  if (m_stateSink) m_stateSink();
}

void CQuillmapDoc::SetModified(bool modified) {
  if (modified == m_modified) return;
  m_modified = modified;
  if (m_stateSink) m_stateSink();
}

void CQuillmapDoc::RememberAsLastFile(const QString& path) {
  Write(m_settings, settings::kLastFile, path);
}

bool CQuillmapDoc::HasOwnFile() const {
  // Every opened or chosen path is absolute; only the placeholder left by a
  // failed open is not, and saving there would drop the outline into
  // whatever folder the program happened to start in.
  return !m_path.isEmpty() && QDir::isAbsolutePath(m_path);
}

bool CQuillmapDoc::SaveModified() {
  if (!m_modified) return true;
  const QString question = res::kAskSaveChanges.toString().arg(m_title);
  switch (m_prompt.Ask(question, PromptButtons::YesNoCancel, PromptIcon::Question)) {
    case PromptAnswer::Yes:
      return FileSave();
    case PromptAnswer::No:
      return true;
    default:
      return false;
  }
}

bool CQuillmapDoc::CanCloseFrame() {
  WriteBodyBack();
  return SaveModified();
}

// ---- Saving ----

bool CQuillmapDoc::FileSave() {
  if (IsWebPath(m_path)) return SaveDocument(m_path);
  if (!HasOwnFile()) return FileSaveAs();
  // Another program's version would be lost without a word.
  if (ChangedOnDisk()) {
    if (m_prompt.Ask(res::kAskOverwriteChangedFile.toString().arg(m_title), PromptButtons::OkCancel,
                     PromptIcon::Warning) != PromptAnswer::Ok) {
      return false;
    }
  } else if (!AgreeToOverwriteLossyLoad(m_path)) {
    return false;
  }
  return DoSave(m_path);
}

bool CQuillmapDoc::ChangedOnDisk() const {
  // Only another file in its place is news: a file that is gone or became a
  // folder has nothing to lose, and the save itself says why it failed.
  if (!HasOwnFile() || !m_diskStamp.exists) return false;
  const FileStamp now = StampOf(m_path);
  return now.regularFile && now != m_diskStamp;
}

bool CQuillmapDoc::TakeNewChangeOnDisk() {
  if (!ChangedOnDisk()) return false;
  const FileStamp now = StampOf(m_path);
  if (now == m_seenChange) return false;
  m_seenChange = now;
  return true;
}

bool CQuillmapDoc::FileSaveAs() {
  const std::optional<QString> chosen = ChooseFileName();
  if (!chosen) return false;
  if (!AgreeToOverwriteLossyLoad(*chosen)) return false;
  m_saveFailed = false;
  if (!SaveDocument(*chosen)) return false;
  SetPathName(*chosen, true);
  m_loadedWithLosses = false;  // the outline now is what that file holds
  return true;
}

bool CQuillmapDoc::AgreeToOverwriteLossyLoad(const QString& path) {
  if (!m_loadedWithLosses || !HasOwnFile() || !IsSameFile(path, m_path)) return true;
  return m_prompt.Ask(res::kAskOverwriteLossyFile.toString().arg(m_title), PromptButtons::OkCancel,
                      PromptIcon::Warning) == PromptAnswer::Ok;
}

bool CQuillmapDoc::DoSave(const QString& path, bool replace) {
  if (path.isEmpty()) return FileSaveAs();
  if (!SaveDocument(path)) return false;
  if (replace) SetPathName(path, true);
  return true;
}

std::optional<QString> CQuillmapDoc::ChooseFileName() {
  SaveFileRequest request;
  request.kind = Read(m_settings, settings::kPpcSaveDlg) != 0 ? SaveDialogKind::Standard
                                                              : SaveDialogKind::FileBrowser;
  request.title = res::kSaveAsTitle.toString();
  // A web document proposes its title: its path is no file name.
  request.proposedName = IsWebPath(m_path) ? m_title : FileNameOf(m_path);
  request.defaultExtension = QStringLiteral("qmp");
  request.filters = res::kSaveAsFilters.toString();
  if (request.kind == SaveDialogKind::FileBrowser) {
    // The folder the user chose; without one that means something here
    // (the stored default names a handheld's folder), the document's own.
    request.initialFolder = Read(m_settings, settings::kInitDir, QString());
    if (!QDir::isAbsolutePath(request.initialFolder)) {
      request.initialFolder =
          QDir::isAbsolutePath(m_path)
              ? QFileInfo(m_path).absolutePath()
              : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
  }
  std::optional<QString> chosen = m_dialogs.ChooseSaveFileName(request);
  if (chosen && chosen->isEmpty()) return std::nullopt;
  return chosen;
}

bool CQuillmapDoc::FileSaveToWeb() {
  if (!HasWebAccess()) return false;
  WriteBodyBack();
  const QString proposal = m_store.GetCount() > 0 ? m_store.GetTitle(0) : QString();
  const std::optional<QString> title = m_web->AskTitle(proposal);
  if (!title) return false;
  return SaveDocument(MakeWebPath(QString(), *title));
}

bool CQuillmapDoc::SaveDocument(const QString& path) {
  if (IsWebPath(path)) return UploadToWeb(path);
  if (m_saveFailed) {
    TellUser(res::kSaveRefusedUseSaveAs.toString(), PromptIcon::Warning);
    return false;
  }
  return SaveLocal(path);
}

bool CQuillmapDoc::UploadToWeb(const QString& webPath) {
  if (!HasWebAccess() || !m_web->EnsureAccount()) return false;
  const QString copy = m_web->MakeTempFile(QStringLiteral(".qmp"));
  if (copy.isEmpty()) {
    TellUser(res::kDocumentSaveFailed.toString() + u'\n' + m_web->TempFolder(), PromptIcon::Error);
    return false;
  }
  std::optional<WebAccess::Upload> upload;
  if (WriteOutlineTo(copy) == WriteOutcome::Written) {
    if (ExceedsUploadLimit(copy)) {
      TellUser(res::kUploadSizeLimit.toString(), PromptIcon::Warning);
    } else {
      upload = m_web->UploadFile(copy, webPath);
    }
  }
  // The copy was only the upload's; it never outlives it.
  QFile::remove(copy);
  if (!upload) return false;
  SetPathName(upload->webPath, true);
  SetModified(false);
  // The next start reopens the web file, not the deleted copy.
  RememberAsLastFile(upload->webPath);
  m_diskStamp = {};
  m_loadedWithLosses = false;
  m_saveFailed = false;
  return true;
}

bool CQuillmapDoc::SaveLocal(const QString& path) {
  m_saveFailed = true;
  switch (WriteOutlineTo(path)) {
    case WriteOutcome::Written:
      break;
    case WriteOutcome::Declined:
    case WriteOutcome::Refused:
      // Declining a lossy or plain-text save is a choice, and a save the
      // check filter stops never touched the file: Save stays available.
      m_saveFailed = false;
      return false;
    case WriteOutcome::Failed:
      return false;
  }
  SetModified(false);
  RememberAsLastFile(path);
  m_saveFailed = false;
  m_diskStamp = StampOf(path);
  if (IsSameFile(path, m_path)) m_loadedWithLosses = false;
  return true;
}

CQuillmapDoc::WriteOutcome CQuillmapDoc::WriteOutlineTo(const QString& path) {
  WriteBodyBack();
  RecordSelectionAndCaret();
  if (BodyViewRole* body = FindBodyView()) body->ApplyFirstLineTitle();

  SaveOptions options;
  const auto save = [this, &path, &options](SaveLoss loss) {
    options.loss = loss;
    m_store.Save(path, options);
    return m_store.LastFileReport();
  };
  std::optional<FileReport> report = WriteAskingBeforeLoss(m_prompt, save);
  if (report && report->error == FileReport::Error::NeedsConsent) {
    options.plainTextAgreed = AgreeToPlainTextSave(m_prompt);
    if (options.plainTextAgreed) report = save(options.loss);
  }
  if (!report || report->error == FileReport::Error::NeedsConsent) return WriteOutcome::Declined;
  if (report->error == FileReport::Error::None) return WriteOutcome::Written;
  if (RefusedBeforeWriting(*report)) {
    // Nothing was wrong with the file: the user may lift the check filter.
    const QString why = FileErrorText(*report);
    if (!why.isEmpty()) TellUser(why, PromptIcon::Warning);
    return WriteOutcome::Refused;
  }
  TellUser(res::kDocumentSaveFailed.toString() + u'\n' + FileErrorText(*report), PromptIcon::Error);
  return WriteOutcome::Failed;
}

void CQuillmapDoc::RecordSelectionAndCaret() {
  int selected = m_store.GetSelected();
  if (selected < 0) selected = m_currentNode;
  m_store.Settings().treeView = std::max(selected, 0);
  if (const BodyViewRole* body = FindBodyView()) {
    m_store.Settings().firstCursor = body->CaretPosition();
  }
}

// ---- Undo ----

void CQuillmapDoc::TakeSnapshot() {
  m_snapshotNode = m_currentNode;
  m_userEditsAtSnapshot = m_userEdits;
  m_snapshot.CopyFrom(m_store);
  // The copy takes the live pane along; nothing done to the snapshot may
  // ever reach the pane.
  m_snapshot.SetPane(nullptr);
  m_undoAvailable = true;
}

bool CQuillmapDoc::RestoreSnapshot() {
  if (!m_undoAvailable) return false;
  TreeControl* pane = m_store.Pane();
  // Undo takes back an edit, not the way the outline is viewed since.
  const int filter = m_store.CheckFilter();
  m_store.CopyFrom(m_snapshot);
  m_store.SetPane(pane);
  m_store.SetCheckFilter(filter);
  m_undoAvailable = false;
  // The copied item handles belong to items the pane may have deleted since.
  m_store.RebuildTree();
  if (m_currentNode >= m_store.GetCount()) m_currentNode = m_store.GetCount() - 1;
  // The outline now differs from what the last save wrote.
  SetModified(true);
  return true;
}

// ---- The current node ----

void CQuillmapDoc::WriteBodyBack() {
  if (const BodyViewRole* body = FindBodyView()) SetBodyOfCurrentNode(body->BodyText());
}

void CQuillmapDoc::SetBodyOfCurrentNode(const QString& text) {
  if (m_currentNode < 0 || m_currentNode >= m_store.GetCount() || !m_store.IsBuilt()) return;
  // Compare what would be stored: separator characters never reach a body,
  // and a text holding one must not count as a change on every hand-over.
  const QString body = CDirData::SanitizeBody(text);
  if (body == m_store.GetBody(m_currentNode)) return;
  m_store.SetBody(m_currentNode, body);
  SetModified(true);
  m_store.GetNode(m_currentNode).SetUpdateTime(m_clock.Now());
  if (m_store.TimeDisplay() == CTreeStore::kTimeDisplayUpdated) {
    m_store.RefreshItemText(m_currentNode);
  }
}

QString CQuillmapDoc::BodyOfCurrentNode() const {
  if (m_currentNode < 0 || m_currentNode >= m_store.GetCount()) return {};
  return m_store.GetBody(m_currentNode);
}

void CQuillmapDoc::SetCurrentNode(int index) {
  // A node the check filter leaves out cannot be selected.
  if (index > 0 && index < m_store.GetCount()) index = m_store.NearestInPane(index);
  // Selected first: a pane that reports the change writes the body back
  // into the node being left, which must still be the current one then.
  if (index >= 0) m_store.Select(index);
  m_currentNode = index;
}

void CQuillmapDoc::RenameCurrentNode(const QString& title) {
  WriteBodyBack();
  if (m_currentNode < 0 || m_currentNode >= m_store.GetCount()) return;
  if (CDirData::SanitizeLine(title) == m_store.GetTitle(m_currentNode)) return;
  m_store.Rename(m_currentNode, title);
  SetModified(true);
}

// ---- Timestamps and categories ----

void CQuillmapDoc::SetCategoryTexts(const QString& before, const QString& after) {
  for (CTreeStore* store : {&m_store, &m_snapshot}) {
    store->Categories().SetBefore(before);
    store->Categories().SetAfter(after);
  }
}

void CQuillmapDoc::TellUser(const QString& text, PromptIcon icon) {
  m_prompt.Ask(text, PromptButtons::Ok, icon);
}

}  // namespace qm
