// CQuillmapApp: start-up, the open commands, recent files, fonts and the
// application's own commands.
#include "app/QuillmapApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/ApplicationHost.h"
#include "app/CommandRouter.h"
#include "app/FileAssociation.h"
#include "app/PaneFont.h"
#include "editing/BodyPane.h"
#include "editing/FileDialogs.h"
#include "editing/QuillmapDoc.h"
#include "editing/TreePane.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/Strings.h"

namespace qm {
namespace {

constexpr int kRecentFilesLandscape = 10;
constexpr int kRecentFilesPortrait = 5;
// The open dialog's third filter reads the file as a memo file.
constexpr int kMemoFilter = 3;

QString ExistingFolder(const QString& folder) {
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

}  // namespace

CQuillmapApp::CQuillmapApp(const Parts& parts) : m(parts) {
  m.document.SetRecentFileSink([this](const QString& path) { AddRecentFile(path); });

  auto commands = std::make_unique<CommandSet<int>>();
  commands->Add(kCmdNew, [this] { NewFile(); });
  commands->Add(kCmdOpen, [this] { ChooseAndOpenFile(); });
  commands->Add(kCmdOpenOtherFolder, [this] { ChooseAndOpenFileFromAnyFolder(); });
  for (int i = 0; i <= kCmdRecentFileLast - kCmdRecentFileFirst; ++i) {
    commands->Add(
        kCmdRecentFileFirst + i, [this, i] { OpenRecentFile(i); },
        [this, i](const int&) { return EnabledIf(i < m_recent.Entries().size()); });
  }
  commands->Add(
      kCmdRecentFilePopup, [this] { m.host.PopUpRecentFiles(); },
      [this](const int&) { return EnabledIf(!m_recent.Entries().isEmpty()); });
  commands->Add(kCmdAssociateFileType, [this] { AssociateFileType(); });
  commands->Add(kCmdFont, [this] { ChooseFont(); });
  commands->Add(kCmdVersionInfo, [this] { ShowVersionInfo(); });
  m_commands = std::move(commands);
}

CQuillmapApp::~CQuillmapApp() { m.document.SetRecentFileSink({}); }

void CQuillmapApp::Start(const QString& file) {
  const int fallback = m.host.IsScreenLandscape() ? kRecentFilesLandscape : kRecentFilesPortrait;
  m_recent = RecentFileList(Read(m.settings, settings::kMru, fallback));
  m_recent.Load(m.settings);
  m.host.ShowRecentFiles(m_recent.DisplayNames());
  for (const Pane pane : {Pane::Tree, Pane::Body})
    m.host.SetFont(pane, ReadPaneFont(m.settings, pane));
  const BodyPaneColours colours = m.body.Colours();
  m.host.SetBodyColours(colours.text, colours.back);
  // 0, the default, keeps the desktop's own indent.
  if (const int indent = Read(m.settings, settings::kLevelWidth); indent > 0) {
    m.host.SetTreeIndent(indent);
  }

  const QString last = Read(m.settings, settings::kLastFile);
  bool opened = false;
  if (!file.isEmpty()) {
    opened = m.document.OpenDocument(file);
  } else if (Read(m.settings, settings::kReopenLastFile) != 0 && !last.isEmpty()) {
    opened = m.document.OpenDocument(last);
  }
  // A web outline that cannot be had (the user was told why) leaves a new
  // one, as no file to open does.
  if (!opened) m.document.NewDocument();
  LoadPanes();
}

void CQuillmapApp::Exit() { m_recent.Save(m.settings); }

void CQuillmapApp::AddRecentFile(const QString& path) {
  m_recent.Add(path);
  m.host.ShowRecentFiles(m_recent.DisplayNames());
}

void CQuillmapApp::LoadPanes() {
  m.tree.InitialLoad();
  m.body.InitialLoad();
}

bool CQuillmapApp::OpenFile(const QString& path, bool asMemo) {
  if (!m.document.SaveModified()) return false;
  m.tree.Unload();
  if (!m.document.OpenDocument(path, asMemo)) {
    // Nothing was replaced: the panes keep what they show, the body pane's
    // text included.
    m.tree.Resume();
    return false;
  }
  LoadPanes();
  return true;
}

void CQuillmapApp::NewFile() {
  if (!m.document.SaveModified()) return;
  m.tree.Unload();
  m.document.NewDocument();
  LoadPanes();
}

QString CQuillmapApp::OpenDialogFolder() const {
  // The folder the user chose for opening comes first; without one (or
  // when it is gone) the open document's own folder, then the documents.
  QString folder = ExistingFolder(Read(m.settings, settings::kInitDir));
  const QString document = m.document.PathName();
  if (folder.isEmpty() && QDir::isAbsolutePath(document)) {
    folder = ExistingFolder(QFileInfo(document).absolutePath());
  }
  if (folder.isEmpty()) {
    folder = ExistingFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  }
  return folder.isEmpty() ? QDir::homePath() : folder;
}

void CQuillmapApp::ChooseAndOpenFile() { ChooseAndOpen(false); }

void CQuillmapApp::ChooseAndOpenFileFromAnyFolder() { ChooseAndOpen(true); }

void CQuillmapApp::ChooseAndOpen(bool withFileBrowser) {
  OpenFileRequest request;
  request.kind = withFileBrowser ? OpenDialogKind::FileBrowser : OpenDialogKind::Standard;
  request.title = res::kOpenTitle.toString();
  request.defaultExtension = QStringLiteral("qmp");
  request.initialName = QStringLiteral("*.qmp");
  request.filters = res::kOpenFilters.toString();
  request.initialFolder = OpenDialogFolder();
  // The filter the user left chosen is remembered; the memo filter opens
  // that one file as a memo file whatever its name.
  const int remembered = Read(m.settings, settings::kFileOpenType);
  const std::optional<OpenDocumentAnswer> answer =
      m.files.ChooseDocumentToOpen(request, remembered - 1);
  if (!answer) return;
  const int chosen = answer->filterIndex + 1;
  if (chosen > 0) Write(m.settings, settings::kFileOpenType, chosen);
  OpenFile(answer->path, chosen == kMemoFilter);
}

void CQuillmapApp::OpenRecentFile(int i) {
  if (i < 0 || i >= m_recent.Entries().size()) return;
  OpenFile(m_recent.Entries()[i]);
}

void CQuillmapApp::CheckFileOnDisk() {
  if (!m.document.TakeNewChangeOnDisk()) return;
  QString question = res::kAskReloadChangedFile.toString().arg(m.document.Title());
  if (m.document.IsModified()) question += u'\n' + res::kChangesWillBeLost.toString();
  if (m.prompt.Ask(question, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes) {
    return;
  }
  m.tree.Unload();
  m.document.OpenDocument(m.document.PathName());
  LoadPanes();
}

void CQuillmapApp::AssociateFileType() {
  if (m.prompt.Ask(res::kAskAssociate.toString(), PromptButtons::OkCancel, PromptIcon::Question) ==
      PromptAnswer::Ok) {
    m.association.Register();
  }
}

void CQuillmapApp::ChooseFont() {
  const Pane pane = m.router.FocusedPane();
  if (pane == Pane::Body) m.document.WriteBodyBack();
  std::optional<PaneFont> font = m.host.ChooseFont(m.host.FontOf(pane));
  if (!font) return;
  m.host.SetFont(pane, *font);
  WritePaneFont(m.settings, pane, *font);
}

void CQuillmapApp::ShowVersionInfo() {
  m.prompt.Ask(res::kVersionInfo.toString().arg(QCoreApplication::applicationVersion()),
               PromptButtons::Ok, PromptIcon::Information);
}

}  // namespace qm
