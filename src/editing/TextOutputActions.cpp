// TextOutputActions: text output to a file and to the clipboard, and the format dialog.
#include "editing/TextOutputActions.h"

#include <QFileInfo>

#include "editing/FileDialogs.h"
#include "editing/QuillmapDoc.h"
#include "editing/SaveConsent.h"
#include "editing/TextOutputDialogs.h"
#include "model/TreeStore.h"
#include "platform/Clipboard.h"
#include "platform/FileIo.h"
#include "platform/Prompt.h"
#include "res/Strings.h"

namespace qm {

TextOutputActions::TextOutputActions(CQuillmapDoc& doc, SettingsStore& settings, const Clock& clock,
                                     Prompt& prompt, TextOutputDialogs& dialogs, FileDialogs& files,
                                     Clipboard& clipboard)
    : m_doc(doc),
      m_settings(settings),
      m_clock(clock),
      m_prompt(prompt),
      m_dialogs(dialogs),
      m_files(files),
      m_clipboard(clipboard) {}

QString TextOutputActions::ProposedFileName(const QString& documentPath, int form) {
  if (documentPath.isEmpty()) return {};
  const bool html = form == TextFormat::kHtmlMarkList || form == TextFormat::kHtmlNumberList;
  return BaseNameOf(documentPath) + (html ? QStringLiteral(".html") : QStringLiteral(".txt"));
}

TextOutputOptions TextOutputActions::ReadOptions() const {
  TextOutputOptions options = ReadTextOutputOptions(m_settings);
  // Link files named relative to the outline are found beside it.
  const QString& path = m_doc.PathName();
  if (!CQuillmapDoc::IsWebPath(path) && QFileInfo(path).isAbsolute()) {
    options.linkFolder = QFileInfo(path).absolutePath();
  }
  return options;
}

TextOutputActions::Range TextOutputActions::OutputRange(const TextOutputOptions& options) const {
  const CTreeStore& store = m_doc.Store();
  const int selected = store.GetSelected();
  if (options.format.selectOnly && selected >= 0) {
    return {selected, store.GetBranchEnd(selected, true)};
  }
  return {0, store.GetCount()};
}

QString TextOutputActions::OutputText(const TextOutputOptions& options, TextOutputUse use) {
  const Range range = OutputRange(options);
  if (range.first >= range.end) return {};
  return MakeOutputText(*OutputCopy(), range.first, range.end, options, use);
}

std::unique_ptr<CTreeStore> TextOutputActions::OutputCopy() const {
  // The output recounts chapter characters: it works on a copy that no
  // pane mirrors, so the live outline stays as it is.
  auto copy = std::make_unique<CTreeStore>(m_settings, m_clock);
  copy->CopyFrom(m_doc.Store());
  copy->SetPane(nullptr);
  return copy;
}

bool TextOutputActions::OutputToFile() {
  m_doc.WriteBodyBack();
  TextOutputOptions options = ReadOptions();
  SaveFileRequest request;
  request.kind = SaveDialogKind::Standard;
  request.title = res::kTextOutputTitle.toString();
  request.proposedName = ProposedFileName(m_doc.PathName(), options.format.form);
  request.defaultExtension = QStringLiteral("txt");
  request.filters = res::kTextOutputFilters.toString();
  const std::optional<QString> path = m_files.ChooseSaveFileName(request);
  if (!path || path->isEmpty()) return false;

  const Range range = OutputRange(options);
  std::unique_ptr<CTreeStore> copy = OutputCopy();
  const TextWriter render = [&](TextSink& sink) {
    if (range.first < range.end) {
      MakeOutputText(*copy, range.first, range.end, options, TextOutputUse::File, sink);
    }
  };
  const std::optional<EncodedWrite> written = WriteAskingBeforeLoss(
      m_prompt, [&](SaveLoss loss) { return WriteEncodedFile(*path, render, loss); });
  if (!written) return false;
  if (!written->Written()) {
    Tell(res::kCannotCreateOutputFile.toString() + FailureReason(written->failure));
    return false;
  }
  return true;
}

void TextOutputActions::CopyToClipboard() {
  m_doc.WriteBodyBack();
  m_clipboard.SetText(OutputText(ReadOptions(), TextOutputUse::Clipboard));
}

bool TextOutputActions::EditFormat() {
  const std::optional<TextFormat> format = m_dialogs.EditTextFormat(ReadTextFormat(m_settings));
  if (!format) return false;
  WriteTextFormat(m_settings, *format);
  return true;
}

void TextOutputActions::Tell(QStringView text) {
  m_prompt.Ask(text.toString(), PromptButtons::Ok, PromptIcon::Warning);
}

}  // namespace qm
