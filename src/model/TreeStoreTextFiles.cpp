// CTreeStore: opening and saving plain-text and memo files.
#include <optional>

#include "model/TextImport.h"
#include "model/TreeStore.h"
#include "model/WzMemo.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Prompt.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {

bool CTreeStore::ImportText(const QString& path, int) {
  m_report = {};
  std::optional<QByteArray> bytes = ReadWholeFile(path);
  if (!bytes) {
    m_report.error = FileReport::Error::CannotOpen;
    return false;
  }
  CodePage codePage;
  const QString text = codePage.Decode(*bytes, &m_report.undecodable);
  bytes.reset();  // the file's bytes are not needed while the nodes are made
  const QString separator = Read(m_settingsStore, settings::kTextShowStr);
  if (!ReadPlainText(text, separator, *this)) {
    m_report.error = FileReport::Error::TooLarge;
    return false;
  }
  // A text without a line that holds text still gets its root.
  m_report.nodesReplaced = FinishLoading(path);
  return true;
}

bool CTreeStore::ImportWz(const QString& path) {
  m_report = {};
  // A file that cannot be read is a failed open, not an outline of its
  // name: the caller then shows why and no path is taken over.
  std::optional<QByteArray> bytes = ReadWholeFile(path);
  if (!bytes) {
    m_report.error = FileReport::Error::CannotOpenMemo;
    return false;
  }
  CodePage codePage;
  const QString text = codePage.Decode(*bytes, &m_report.undecodable);
  bytes.reset();
  WzReadOptions options;
  options.rootTitle = BaseNameOf(path);
  options.rootFromFirstHeading = Read(m_settingsStore, settings::kWzImportTopTree) == 0;
  if (!ReadWzMemoText(text, options, *this)) {
    m_report.error = FileReport::Error::TooLarge;
    return false;
  }
  m_report.nodesReplaced = FinishLoading(path);
  return true;
}

bool CTreeStore::ExportWz(const QString& path, bool rootTitleIsFileName, SaveLoss loss) {
  m_report = {};
  WzWriteOptions options;
  options.skipRoot = rootTitleIsFileName;
  options.protectPeriods = Read(m_settingsStore, settings::kWzExportPeriodChange) != 0;
  options.dropFirstBodyLine = m_settings.autoTitle != 0;
  CodePage codePage;
  const QByteArray bytes = codePage.Encode(WriteWzMemoText(*this, options), &m_report.unencodable);
  if (!m_report.unencodable.isEmpty() && loss == SaveLoss::Refuse) {
    m_report.error = FileReport::Error::Unencodable;
    return false;
  }
  if (!WriteFileReplacing(path, bytes)) {
    m_report.error = FileReport::Error::CannotOpenDestination;
    return false;
  }
  return true;
}

bool CTreeStore::SaveText(const QString& path, SaveLoss loss) {
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
  CodePage codePage;
  const QByteArray bytes =
      codePage.Encode(m_textRenderer(*this, 0, Count()), &m_report.unencodable);
  if (!m_report.unencodable.isEmpty() && loss == SaveLoss::Refuse) {
    m_report.error = FileReport::Error::Unencodable;
    return false;
  }
  // Asked only now, so that a save that first asks about lost characters
  // and is then repeated asks this once.
  if (Read(m_settingsStore, settings::kWarnTextFile) != 0 &&
      m_prompt.Ask(res::kAskSaveOverTextFile.toString(), PromptButtons::OkCancel,
                   PromptIcon::Question) != PromptAnswer::Ok) {
    m_report.error = FileReport::Error::Declined;
    return false;
  }
  if (!WriteFileReplacing(path, bytes)) {
    m_report.error = FileReport::Error::CannotCreateOutput;
    return false;
  }
  return true;
}

}  // namespace qm
