// CQEditView: loading and handing over the body, the first line as title,
// keys, auto indent, and the text file commands.
#include "editing/BodyPane.h"

#include <QStringView>
#include <algorithm>

#include "editing/FileDialogs.h"
#include "editing/PaneHost.h"
#include "editing/QuillmapDoc.h"
#include "editing/SaveConsent.h"
#include "editing/TitleFileName.h"
#include "model/FileReportText.h"
#include "platform/CodePage.h"
#include "platform/EditControl.h"
#include "platform/FileIo.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/Strings.h"

namespace qm {
namespace {

// Virtual-key codes.
constexpr int kKeyBackspace = 0x08;
constexpr int kKeyFirstModifierOrIme = 0x10;  // Shift, Ctrl, Alt, Pause, the input method keys
constexpr int kKeyLastModifierOrIme = 0x1F;
constexpr int kKeyF1 = 0x70;

constexpr QStringView kCrLf = u"\r\n";
constexpr char16_t kIdeographicSpace = u'\u3000';
// Ends the line it stands in when a text file is read: an old end-of-file
// mark, and the outline file's own end mark, so it must never reach a body.
constexpr char16_t kEndOfFile = u'\x1A';

// The body's first line: up to the first CR LF, or all of it.
QStringView FirstLineOf(QStringView body) {
  const qsizetype end = body.indexOf(kCrLf);
  return end < 0 ? body : body.left(end);
}

// Cuts text to at most max units without splitting a surrogate pair.
QString CutToLength(QString text, qsizetype max) {
  if (text.size() <= max) return text;
  if (text.at(max - 1).isHighSurrogate()) --max;
  text.truncate(max);
  return text;
}

bool IsIndentCharacter(QChar c) { return c == u' ' || c == u'\t' || c == kIdeographicSpace; }

// The file's text with every line ended by CR LF: lines end at LF, a CR
// before that LF belongs to the break, and a final line without LF still
// gets its CR LF.
QString WithCrLfLineEnds(QStringView text) {
  QString out;
  out.reserve(text.size() + text.size() / 16);
  qsizetype from = 0;
  while (from < text.size()) {
    qsizetype end = text.indexOf(u'\n', from);
    const qsizetype next = end < 0 ? text.size() : end + 1;
    if (end < 0) end = text.size();
    QStringView line = text.sliced(from, end - from);
    const qsizetype eof = line.indexOf(kEndOfFile);
    if (eof >= 0) line = line.left(eof);
    if (line.endsWith(u'\r')) line.chop(1);
    out += line;
    out += kCrLf;
    from = next;
  }
  return out;
}

}  // namespace

CQEditView::CQEditView(CQuillmapDoc& doc, EditControl& edit, SettingsStore& settings,
                       Prompt& prompt, FileDialogs& dialogs, PaneHost& host, const KeyTable& keys)
    : m_doc(doc),
      m_edit(edit),
      m_settings(settings),
      m_prompt(prompt),
      m_dialogs(dialogs),
      m_host(host),
      m_keys(keys) {
  m_doc.AddView(this);
}

CQEditView::~CQEditView() { m_doc.RemoveView(this); }

// ---- Life cycle ----

void CQEditView::InitialLoad() {
  const int margin = Read(m_settings, settings::kEditSpace);
  m_edit.SetMargins(margin, margin);
  m_edit.SetTabStop(std::max(1, Read(m_settings, settings::kTabNo)));
  m_edit.SetWrap(Read(m_settings, settings::kWrap) != 0);
  LoadBody();
  m_initialised = true;
  if (Read(m_settings, settings::kAutoFirst) == 1 &&
      Read(m_settings, settings::kFirstCursor) == 1) {
    // The file may have been edited elsewhere since the caret was stored.
    const int caret =
        std::clamp(m_doc.Store().Settings().firstCursor, 0, static_cast<int>(m_edit.Text().size()));
    m_edit.SetSelection(caret, caret);
    m_edit.ScrollCaretIntoView();
  }
}

void CQEditView::OnUpdate(const DocumentView* sender, int) {
  if (sender == this || !m_initialised) return;
  ShowBodyFromStart();
}

void CQEditView::LoadBody() {
  m_loading = true;
  m_edit.SetText(m_doc.BodyOfCurrentNode());
  m_loading = false;
  m_onFirstLine = false;
}

void CQEditView::ShowBodyFromStart() {
  LoadBody();
  m_edit.ScrollCaretIntoView();
}

BodyPaneColours CQEditView::Colours() const {
  BodyPaneColours colours;
  colours.text = Read(m_settings, settings::kTextColor);
  colours.back = Read(m_settings, settings::kBackColor);
  return colours;
}

// ---- For the document ----

QString CQEditView::BodyText() const {
  // Before its first load the editor is empty although the node is not;
  // handing that emptiness over would wipe the body.
  return m_initialised ? m_edit.Text() : m_doc.BodyOfCurrentNode();
}

int CQEditView::CaretPosition() const {
  return m_initialised ? m_edit.SelectionEnd() : m_doc.Store().Settings().firstCursor;
}

bool CQEditView::FirstLineIsTitle() const { return m_doc.Store().Settings().firstLine != 0; }

void CQEditView::ApplyFirstLineTitle() {
  if (!FirstLineIsTitle() || !m_initialised) return;
  const int node = m_doc.CurrentNode();
  if (node < 0 || node >= m_doc.Store().GetCount()) return;
  QString title = CDirData::SanitizeLine(CutToLength(m_edit.LineText(0), kMaxTitleLength));
  if (title.isEmpty()) title = res::kUntitledNode.toString();
  // Renaming writes the body back and stamps the node; only a real change
  // may do that.
  if (title != m_doc.Store().GetTitle(node)) m_doc.RenameCurrentNode(title);
}

// ---- Editor events ----

void CQEditView::OnTextChanged() {
  if (m_loading) return;
  m_doc.SetModified();
  m_doc.NoteUserEdit();
}

int CQEditView::CaretLine() const { return m_edit.LineFromPosition(m_edit.SelectionStart()); }

void CQEditView::OnEnter() {
  const int line = CaretLine();
  QString lineBreak = kCrLf.toString();
  if (Read(m_settings, settings::kAutoIndent) == 1) {
    // Only the indent before the caret: what follows it moves to the new
    // line and brings its own blanks along.
    const QString before =
        m_edit.LineText(line).left(m_edit.SelectionStart() - m_edit.LineStart(line));
    qsizetype length = 0;
    while (length < before.size() && IsIndentCharacter(before.at(length))) ++length;
    lineBreak += before.left(length);
  }
  m_edit.ReplaceSelection(lineBreak);
  m_edit.ScrollCaretIntoView();
  if (line == 0 && FirstLineIsTitle()) ApplyFirstLineTitle();
}

bool CQEditView::InReadingMode() const {
  return !m_host.IsLandscape() && Read(m_settings, settings::kViewMode) != 0;
}

bool CQEditView::OnKeyDown(const KeyPress& key) {
  if (InReadingMode()) {
    // Enter leaves the text for the tree; Shift+Enter still breaks the line.
    if (key.code == kKeyEnter && key.IsPlain()) {
      m_host.SendToFrame(kCmdSwitchPanes);
      return true;
    }
    if (!key.alt && !key.ctrl && key.code >= kKeyFirstModifierOrIme &&
        key.code <= kKeyLastModifierOrIme) {
      return SendBoundCommand(key);
    }
  }
  // Plain keys below the function keys are typing and always reach the text.
  if (!key.IsPlain() || key.code >= kKeyF1) return SendBoundCommand(key);
  return false;
}

bool CQEditView::SendBoundCommand(const KeyPress& key) {
  const int command = m_keys.CommandFor(key);
  if (command == 0) return false;
  m_host.SendToFrame(command);
  return true;
}

void CQEditView::OnKeyHandled(int key) {
  if (!FirstLineIsTitle()) return;
  if (CaretLine() == 0) {
    // Backspace at the start of line 1 joins it to the first line.
    if (key == kKeyBackspace) ApplyFirstLineTitle();
    m_onFirstLine = true;
    return;
  }
  if (m_onFirstLine) {
    m_onFirstLine = false;
    ApplyFirstLineTitle();
  }
}

void CQEditView::OnFocusGained() {
  if (Read(m_settings, settings::kIme) == 1) m_edit.SetInputMethodOpen(true);
}

void CQEditView::OnFocusLost() {
  ApplyFirstLineTitle();
  if (Read(m_settings, settings::kIme) == 1) m_edit.SetInputMethodOpen(false);
}

// ---- Commands ----

void CQEditView::SwitchPanes() {
  m_doc.WriteBodyBack();
  // In the text-only layout the tree pane has no room to take the focus.
  if (Read(m_settings, settings::kTreeText) == 2) {
    m_host.SendToFrame(kCmdTreeOnly);
  } else {
    m_host.FocusTreePane();
  }
}

void CQEditView::ShowTreeOnly() { m_host.SendToFrame(kCmdTreeOnly); }

void CQEditView::Focus() { m_host.FocusBodyPane(); }

bool CQEditView::CanUndo() const { return m_edit.CanUndo(); }

void CQEditView::Undo() { m_edit.Undo(); }

bool CQEditView::InsertFile() {
  OpenFileRequest request;
  request.title = res::kInsertFileTitle.toString();
  request.initialName = QStringLiteral("*.TXT");
  request.defaultExtension = QStringLiteral("TXT");
  request.filters = res::kInsertFileFilters.toString();
  const std::optional<QString> path = m_dialogs.ChooseOpenFileName(request);
  if (!path || path->isEmpty()) return false;
  const ReadResult read = ReadFile(*path);
  if (!read) {
    Tell(res::kFileNotFound.toString() + FailureReason(read.failure), true);
    return false;
  }
  Undecodable undecodable;
  CodePage codePage;
  const QString text = codePage.Decode(read.bytes, &undecodable);
  FileReport report;
  report.undecodable = undecodable.count;
  report.undecodableBytes = std::move(undecodable.sequences);
  m_edit.ReplaceSelection(WithCrLfLineEnds(text));
  m_edit.ScrollCaretIntoView();
  const QStringList warnings = FileWarningTexts(report);
  if (!warnings.isEmpty()) Tell(warnings.join(u'\n'), false);
  return true;
}

bool CQEditView::SaveTextArea() {
  const int node = m_doc.CurrentNode();
  const QString title =
      node >= 0 && node < m_doc.Store().GetCount() ? m_doc.Store().GetTitle(node) : QString();
  SaveFileRequest request;
  request.kind = SaveDialogKind::Standard;
  request.title = res::kSaveTextAreaTitle.toString();
  request.proposedName = FileNameFromTitle(title, u".txt");
  request.defaultExtension = QStringLiteral("txt");
  request.filters = res::kSaveTextAreaFilters.toString();
  const std::optional<QString> path = m_dialogs.ChooseSaveFileName(request);
  if (!path || path->isEmpty()) return false;

  const QString text = m_edit.Text();
  const std::optional<EncodedWrite> written = WriteAskingBeforeLoss(
      m_prompt, [&](SaveLoss loss) { return WriteEncodedFile(*path, text, loss); });
  if (!written) return false;
  if (!written->Written()) {
    Tell(res::kCannotOpenFile.toString() + FailureReason(written->failure), true);
    return false;
  }
  return true;
}

void CQEditView::SetFirstLineIsTitle(bool on) {
  if (on == FirstLineIsTitle()) return;
  // The rewrite works on the store; what the user typed must be in it.
  m_doc.WriteBodyBack();
  CTreeStore& store = m_doc.Store();
  store.Settings().firstLine = on ? 1 : 0;
  // The option is saved with the document, so changing it is a change even
  // when no body needs rewriting or the user keeps the first lines.
  m_doc.SetModified();
  if (on) {
    for (int i = 0; i < store.GetCount(); ++i) {
      const QString& body = store.GetBody(i);
      const QString title = store.GetTitle(i);
      if (FirstLineOf(body) != title) store.SetBody(i, QString(title).append(kCrLf).append(body));
    }
  } else {
    if (m_prompt.Ask(res::kAskDeleteTitleLines.toString(), PromptButtons::OkCancel,
                     PromptIcon::Question) != PromptAnswer::Ok) {
      return;
    }
    for (int i = 0; i < store.GetCount(); ++i) {
      const QString& body = store.GetBody(i);
      const QString title = store.GetTitle(i);
      if (FirstLineOf(body) != title) continue;
      // A body that is only the title has no CR LF to take along.
      const qsizetype cut = std::min(body.size(), title.size() + kCrLf.size());
      store.SetBody(i, body.sliced(cut));
    }
  }
  // Before anything reselects the node: a selection change writes the
  // editor back, and the editor must not bring the old body with it.
  if (m_initialised) ShowBodyFromStart();
  const int current = m_doc.CurrentNode();
  if (on) {
    store.RebuildTree();
    if (current >= 0) m_doc.SetCurrentNode(current);
  } else {
    if (current >= 0) m_doc.SetCurrentNode(current);
    m_doc.UpdateAllViews(this, kHintBodyOnly);
  }
}

void CQEditView::Tell(const QString& text, bool error) {
  m_prompt.Ask(text, PromptButtons::Ok, error ? PromptIcon::Error : PromptIcon::Warning);
}

}  // namespace qm
