// CLinkFiles: following, launching, creating and choosing link files.
#include "editing/LinkFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "editing/DocumentView.h"
#include "editing/NodeLink.h"
#include "editing/QuillmapDoc.h"
#include "editing/SaveConsent.h"
#include "editing/TitleFileName.h"
#include "model/TreeStore.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Launcher.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {
namespace {

constexpr QStringView kCrLf = u"\r\n";
const QString kOutlineExtension = QStringLiteral(".qmp");
const QString kSameOutline = QStringLiteral(".");

bool IsLocalFileUrl(const QString& name) {
  return name.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive);
}

// A name the user typed: what a link may not hold removed, and nothing at all
// when only blanks are left.
std::optional<QString> CleanName(const QString& typed) {
  const QString name = CDirData::SanitizeLine(typed);
  if (name.trimmed().isEmpty()) return std::nullopt;
  return name;
}

}  // namespace

struct CLinkFiles::OutlineTarget {
  QString path;  // "." for the document itself, else the outline file's absolute path
  QString nodePath;
};

// ---- The node edit dialog's buttons ----

class CLinkFiles::Buttons : public LinkFileActions {
 public:
  Buttons(CLinkFiles& links, int node) : m_links(links), m_node(node) {}

  OpenOutcome OpenLink(const QString& name) override {
    if (name.trimmed().isEmpty()) {
      m_links.Tell(res::kSetLinkFileFirst.toString());
      return OpenOutcome::StayOpen;
    }
    // Following a node link changes the selection or the whole document,
    // which must wait until the dialog has handed back its node.
    bool needsFolder = false;
    if (m_links.NodeLinkTarget(name, &needsFolder) || needsFolder) {
      return OpenOutcome::CloseAndFollow;
    }
    return m_links.Launch(name) ? OpenOutcome::Close : OpenOutcome::StayOpen;
  }

  std::optional<QString> NewLink(const QString& title) override {
    const std::optional<NewLinkFileAnswer> answer =
        m_links.AskNewLinkFile(m_links.ProposedName(title));
    if (!answer) return std::nullopt;
    const std::optional<QString> name = CleanName(answer->fileName);
    if (!name) return std::nullopt;
    const std::optional<QString> target = m_links.Resolve(*name);
    if (!target) return std::nullopt;
    if (QFileInfo::exists(*target)) {
      m_links.Tell(res::kFileAlreadyExists.toString());
      return std::nullopt;
    }
    const CTreeStore& store = m_links.m_doc.Store();
    const QString body =
        m_node >= 0 && m_node < store.GetCount() ? store.GetBody(m_node) : QString();
    if (!m_links.CreateLinkFile(*target, *answer, CDirData::SanitizeLine(title), body)) {
      return std::nullopt;
    }
    return name;
  }

  bool RemoveLink(const QString& name) override {
    if (name.isEmpty()) return false;
    return m_links.m_prompt.Ask(res::kAskRemoveLink.toString(), PromptButtons::OkCancel,
                                PromptIcon::Question) == PromptAnswer::Ok;
  }

  std::optional<QString> BrowseLink(const QString&) override { return m_links.Browse(); }

 private:
  CLinkFiles& m_links;
  int m_node;
};

// ---- Set-up ----

CLinkFiles::CLinkFiles(CQuillmapDoc& doc, SettingsStore& settings, const Clock& clock,
                       Prompt& prompt, LinkFileDialogs& dialogs, FileDialogs& files,
                       Launcher& launcher, Clipboard& clipboard, OpenOutline openOutline)
    : m_doc(doc),
      m_settings(settings),
      m_clock(clock),
      m_prompt(prompt),
      m_dialogs(dialogs),
      m_files(files),
      m_launcher(launcher),
      m_clipboard(clipboard),
      m_openOutline(std::move(openOutline)) {}

std::unique_ptr<LinkFileActions> CLinkFiles::ActionsFor(int node) {
  return std::make_unique<Buttons>(*this, node);
}

void CLinkFiles::Tell(const QString& text) {
  m_prompt.Ask(text, PromptButtons::Ok, PromptIcon::Warning);
}

bool CLinkFiles::HasSelectedNode() const { return m_doc.Store().GetSelected() >= 0; }

// ---- Names ----

QString CLinkFiles::DocumentFolder() const {
  const QString& path = m_doc.PathName();
  // The placeholder of a failed open and web paths are no files with a folder.
  if (CQuillmapDoc::IsWebPath(path) || !QDir::isAbsolutePath(path)) return {};
  return QFileInfo(path).absolutePath();
}

std::optional<QString> CLinkFiles::Resolve(const QString& name) {
  if (HasUrlScheme(name)) {
    if (!IsLocalFileUrl(name)) return name;
    const QString local = QUrl(name).toLocalFile();
    if (!local.isEmpty()) return QDir::cleanPath(local);
    return name;
  }
  if (QDir::isAbsolutePath(name)) return QDir::cleanPath(name);
  const QString folder = DocumentFolder();
  if (folder.isEmpty()) {
    Tell(res::kLinkIsRelative.toString());
    return std::nullopt;
  }
  return QDir::cleanPath(QDir(folder).absoluteFilePath(name));
}

std::optional<CLinkFiles::OutlineTarget> CLinkFiles::NodeLinkTarget(const QString& name,
                                                                    bool* needsFolder) const {
  const QString folder = DocumentFolder();
  for (const NodeLinkSplit& split : NodeLinkSplits(name)) {
    if (split.location == kSameOutline) return OutlineTarget{kSameOutline, split.nodePath};
    // A location relative to the document's folder comes first; a URL's
    // absolute path ("file:///home/...") reads as "/" and the location.
    QStringList candidates;
    if (QDir::isAbsolutePath(split.location)) {
      candidates << split.location;
    } else {
      if (folder.isEmpty()) {
        *needsFolder = true;
      } else {
        candidates << QDir(folder).absoluteFilePath(split.location);
      }
      candidates << u'/' + split.location;
    }
    for (const QString& candidate : candidates) {
      const QFileInfo info(candidate);
      if (info.isFile()) return OutlineTarget{info.canonicalFilePath(), split.nodePath};
    }
  }
  return std::nullopt;
}

// ---- Open link file ----

void CLinkFiles::OpenLinkFile() {
  if (Read(m_settings, settings::kLinkCheck) == 1 &&
      m_prompt.Ask(res::kAskLaunchLink.toString(), PromptButtons::OkCancel, PromptIcon::Question) !=
          PromptAnswer::Ok) {
    return;
  }
  m_doc.WriteBodyBack();
  CTreeStore& store = m_doc.Store();
  const int current = store.GetSelected();
  if (current < 0) return;
  const QString link = store.GetLink(current);
  if (!link.isEmpty()) {
    if (!FollowNodeLink(link)) Launch(link);
    return;
  }

  // No link yet: name one, store it, then open or create the file.
  const std::unique_ptr<LinkFileActions> buttons = ActionsFor(current);
  const QString title = store.GetTitle(current);
  const std::optional<QString> answer =
      m_dialogs.AskLinkFileName(LinkFileNameRequest{ProposedName(title), buttons.get()});
  if (!answer) return;
  const std::optional<QString> name = CleanName(*answer);
  if (!name) return;
  // A node link is linked before it is followed: following it may replace
  // the document.
  bool needsFolder = false;
  if (NodeLinkTarget(*name, &needsFolder) || needsFolder) {
    LinkNode(current, *name);
    FollowNodeLink(*name);
    return;
  }
  const std::optional<QString> target = Resolve(*name);
  // A relative name in an outline not saved yet is kept for when it is.
  if (!target || (HasUrlScheme(*target) && !IsLocalFileUrl(*target)) ||
      QFileInfo::exists(*target)) {
    LinkNode(current, *name);
    if (target) LaunchResolved(*target);
    return;
  }
  // The file is made now; a node is never linked to a file that does not
  // exist, so cancelling here (or failing to create it) links nothing.
  const std::optional<NewLinkFileAnswer> how = AskNewLinkFile(*name);
  if (!how) return;
  const std::optional<QString> newName = CleanName(how->fileName);
  if (!newName) return;
  const std::optional<QString> newTarget = Resolve(*newName);
  if (!newTarget) return;
  // The name may have been changed to a file that exists: it is linked, but
  // never written over.
  if (QFileInfo::exists(*newTarget)) {
    LinkNode(current, *newName);
    Tell(res::kFileAlreadyExists.toString());
    return;
  }
  if (!CreateLinkFile(*newTarget, *how, title, store.GetBody(current))) return;
  LinkNode(current, *newName);
  LaunchResolved(*newTarget);
}

void CLinkFiles::LinkNode(int node, const QString& name) {
  CTreeStore& store = m_doc.Store();
  m_doc.TakeSnapshot();
  store.SetLink(node, name);
  m_doc.SetModified();
  store.Select(node);
}

bool CLinkFiles::FollowNodeLink(const QString& name) {
  bool needsFolder = false;
  const std::optional<OutlineTarget> target = NodeLinkTarget(name, &needsFolder);
  if (!target) {
    if (!needsFolder) return false;
    Tell(res::kLinkIsRelative.toString());
    return true;
  }
  if (target->path != kSameOutline) {
    const QString documentFile = QFileInfo(m_doc.PathName()).canonicalFilePath();
    // A link into the open outline moves there without reading it again.
    if (DocumentFolder().isEmpty() || documentFile != target->path) {
      if (!m_openOutline || !m_openOutline(target->path)) return true;
      // A file that failed to load left another document behind; the user
      // has been told why.
      if (QFileInfo(m_doc.PathName()).canonicalFilePath() != target->path) return true;
    }
  }
  // An empty node path names the outline as a whole.
  if (!target->nodePath.isEmpty()) GoToNode(target->nodePath);
  return true;
}

void CLinkFiles::GoToNode(const QString& nodePath) {
  CTreeStore& store = m_doc.Store();
  const int index = store.FindPath(StorePathOf(nodePath));
  if (index < 0) {
    Tell(res::kLinkNodeNotFound.toString() + u'\n' + nodePath);
    return;
  }
  store.Reveal(index);
  m_doc.SetCurrentNode(index);
  m_doc.UpdateAllViews(nullptr, kHintBodyOnly);
}

bool CLinkFiles::Launch(const QString& name) {
  const std::optional<QString> target = Resolve(name);
  return target && LaunchResolved(*target);
}

bool CLinkFiles::LaunchResolved(const QString& target) {
  const bool local = !HasUrlScheme(target) || IsLocalFileUrl(target);
  if (local && !QFileInfo::exists(target)) {
    Tell(res::kFileNotFound.toString() + u'\n' + target);
    return false;
  }
  if (!m_launcher.Launch(target)) {
    Tell(res::kCannotOpenFile.toString() + u'\n' + target);
    return false;
  }
  return true;
}

// ---- Link to this node ----

void CLinkFiles::CopyLinkToNode() {
  const CTreeStore& store = m_doc.Store();
  const int current = store.GetSelected();
  if (current < 0) return;
  m_clipboard.SetText(MakeNodeLink(store.GetPath(current)));
}

// ---- New link files ----

QString CLinkFiles::ProposedName(const QString& title) const {
  const QString name = FileNameFromTitle(title, u".txt");
  // Beside the outline the bare name is enough and moves with it.
  if (!DocumentFolder().isEmpty()) return name;
  const QString folder = Read(m_settings, settings::kInitDir,
                              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  return QDir(folder).absoluteFilePath(name);
}

std::optional<NewLinkFileAnswer> CLinkFiles::AskNewLinkFile(const QString& name) {
  NewLinkFileRequest request;
  request.fileName = name;
  request.writeTitle = Read(m_settings, settings::kNewLinkFileTitle) != 0;
  request.writeBody = Read(m_settings, settings::kNewLinkFileBody) != 0;
  std::optional<NewLinkFileAnswer> answer = m_dialogs.AskNewLinkFile(request);
  if (!answer) return std::nullopt;
  // The choice is the next proposal.
  Write(m_settings, settings::kNewLinkFileTitle, answer->writeTitle ? 1 : 0);
  Write(m_settings, settings::kNewLinkFileBody, answer->writeBody ? 1 : 0);
  return answer;
}

bool CLinkFiles::CreateLinkFile(const QString& target, const NewLinkFileAnswer& how,
                                const QString& title, const QString& body) {
  if (HasUrlScheme(target)) {
    Tell(res::kCannotCreateFile.toString() + u'\n' + target);
    return false;
  }
  if (ExtensionOf(target) == kOutlineExtension) return CreateOutlineFile(target, title);
  QString text;
  if (how.writeTitle) text.append(title).append(kCrLf);
  if (how.writeBody) {
    text += body;
    // Bodies read from a file end with their line break already.
    if (!body.endsWith(kCrLf)) text += kCrLf;
  }
  return CreateTextFile(target, text);
}

bool CLinkFiles::CreateOutlineFile(const QString& target, const QString& title) {
  CTreeStore outline(m_settings, m_clock);
  outline.AddRoot(title);
  CDirData& top = outline.GetNode(0);
  top.SetCreateTime(m_clock.Now());
  top.SetUpdateTime(m_clock.Now());
  const std::optional<FileReport> report = WriteAskingBeforeLoss(m_prompt, [&](SaveLoss loss) {
    outline.SaveOutline(target, loss);
    return outline.LastFileReport();
  });
  if (!report) return false;
  const bool saved = report->error == FileReport::Error::None;
  if (!saved) {
    Tell(res::kCannotCreateFile.toString() + FailureReason(report->failure) + u'\n' + target);
  }
  return saved;
}

bool CLinkFiles::CreateTextFile(const QString& target, const QString& text) {
  const std::optional<EncodedWrite> written = WriteAskingBeforeLoss(m_prompt, [&](SaveLoss loss) {
    return WriteEncodedFile(target, text, loss, FileWriteMode::CreateNew);
  });
  if (!written) return false;
  if (!written->Written()) {
    Tell(res::kCannotCreateFile.toString() + FailureReason(written->failure) + u'\n' + target);
  }
  return written->Written();
}

// ---- Browsing ----

std::optional<QString> CLinkFiles::Browse() {
  QString userPattern = Read(m_settings, settings::kLinkExt);
  userPattern.remove(u'|');  // the filter's own separator
  OpenFileRequest request;
  request.filters = res::kLinkFilterOutline.toString()
                        .append(res::kLinkFilterUser)
                        .append(userPattern)
                        .append(res::kLinkFilterAll);
  request.initialFolder =
      Read(m_settings, settings::kLinkIniDir) == 1 ? QDir::rootPath() : DocumentFolder();
  return m_files.ChooseOpenFileName(request);
}

}  // namespace qm
