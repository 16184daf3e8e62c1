// CTreeStore: opening and saving plain-text and memo files.
#include <optional>

#include "model/ReadBudget.h"
#include "model/TextImport.h"
#include "model/TreeStore.h"
#include "model/WzMemo.h"
#include "platform/FileIo.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {

bool CTreeStore::ImportText(const QString& path, int) {
  m_report = {};
  std::optional<QByteArray> bytes = ReadInput(path, FileReport::Error::CannotOpen);
  if (!bytes) return false;
  const QString text = DecodeLoaded(*bytes);
  bytes.reset();  // the file's bytes are not needed while the nodes are made
  const QString separator = Read(m_settingsStore, settings::kTextShowStr);
  ReadBudget budget(text.size());
  if (!ReadPlainText(text, separator, *this, &budget, &m_report)) {
    m_report.error = FileReport::Error::TooLarge;
    return false;
  }
  // A text without a line that holds text still gets its root.
  return FinishLoadingWithin(path, budget);
}

bool CTreeStore::ImportWz(const QString& path) {
  m_report = {};
  // A file that cannot be read is a failed open, not an outline of its
  // name: the caller then shows why and no path is taken over.
  std::optional<QByteArray> bytes = ReadInput(path, FileReport::Error::CannotOpenMemo);
  if (!bytes) return false;
  const QString text = DecodeLoaded(*bytes);
  bytes.reset();
  WzReadOptions options;
  options.rootTitle = BaseNameOf(path);
  options.rootFromFirstHeading = Read(m_settingsStore, settings::kWzImportTopTree) == 0;
  ReadBudget budget(text.size());
  if (!ReadWzMemoText(text, options, *this, &budget, &m_report)) {
    m_report.error = FileReport::Error::TooLarge;
    return false;
  }
  return FinishLoadingWithin(path, budget);
}

bool CTreeStore::ExportWz(const QString& path, bool rootTitleIsFileName, SaveLoss loss) {
  m_report = {};
  WzWriteOptions options;
  options.skipRoot = rootTitleIsFileName;
  options.protectPeriods = Read(m_settingsStore, settings::kWzExportPeriodChange) != 0;
  options.dropFirstBodyLine = m_settings.autoTitle != 0;
  return WriteEncoded(
      path, [this, &options](TextSink& sink) { WriteWzMemoText(*this, options, sink); }, loss,
      FileReport::Error::CannotOpenDestination);
}

bool CTreeStore::SaveText(const QString& path, SaveOptions options) {
  m_report = {};
  // Text output leaves out what the filter hides; saving it would lose
  // those nodes for good.
  if (m_checkFilter == kCheckFilterChecked) {
    m_report.error = FileReport::Error::FilterShowsChecked;
    return false;
  }
  if (m_checkFilter == kCheckFilterUnchecked) {
    m_report.error = FileReport::Error::FilterShowsUnchecked;
    return false;
  }
  if (!m_textRenderer) {
    m_report.error = FileReport::Error::NotSupported;
    return false;
  }
  const TextWriter render = [this](TextSink& sink) { m_textRenderer(*this, 0, Count(), sink); };
  // Consent is asked for only once the text is known to be storable (or its
  // loss agreed), so that a caller asks about lost characters first and
  // about the format change once.
  const bool refusesLoss = options.loss == SaveLoss::Refuse;
  if (!options.plainTextAgreed && Read(m_settingsStore, settings::kWarnTextFile) != 0) {
    m_report.unencodable = UnencodableIn(render);
    NoteLoadedBytes();
    m_report.error = !m_report.unencodable.isEmpty() && refusesLoss
                         ? FileReport::Error::Unencodable
                         : FileReport::Error::NeedsConsent;
    return false;
  }
  return WriteEncoded(path, render, options.loss, FileReport::Error::CannotCreateOutput);
}

}  // namespace qm
