// Messages of a FileReport.
#include "model/FileReportText.h"

#include "res/Strings.h"

namespace qm {
namespace {

// The check filter's name, why saving stops and how to lift the filter, in
// one message.
QString FilterRefusal(QStringView filterName) {
  QString text = filterName.toString();
  text += res::kFilterBlocksTextSave;
  text += res::kFilterHowToShowAll;
  return text;
}

}  // namespace

QString FileErrorText(const FileReport& report) {
  switch (report.error) {
    case FileReport::Error::None:
      return {};
    case FileReport::Error::CannotOpen:
      return res::kFileNotFound.toString();
    case FileReport::Error::CannotWrite:
      return res::kCannotWrite.toString();
    case FileReport::Error::Unencodable:
      return res::kUnencodableCharacters.toString() + report.unencodable;
    case FileReport::Error::NotSupported:
      return res::kFormatNotYetSupported.toString();
    case FileReport::Error::CannotOpenMemo:
      return res::kCannotOpenFile.toString();
    case FileReport::Error::TooLarge:
      return res::kImportTooLarge.toString();
    case FileReport::Error::CannotOpenDestination:
      return res::kCannotOpenDestination.toString();
    case FileReport::Error::CannotCreateOutput:
      return res::kCannotCreateOutputFile.toString();
    case FileReport::Error::FilterShowsChecked:
      return FilterRefusal(res::kFilterShowsCheckedOnly);
    case FileReport::Error::FilterShowsUnchecked:
      return FilterRefusal(res::kFilterShowsUncheckedOnly);
    case FileReport::Error::NeedsConsent:
      return {};  // a question for the caller, not a failure to tell
  }
  return {};
}

QStringList FileWarningTexts(const FileReport& report) {
  QStringList warnings;
  if (report.undecodable > 0) {
    warnings << res::kUndecodableBytes.toString() + QString::number(report.undecodable);
  }
  if (report.nodesReplaced > 0) {
    warnings << res::kNodesReplaced.toString() + QString::number(report.nodesReplaced);
  }
  if (report.error == FileReport::Error::None && !report.unencodable.isEmpty()) {
    warnings << res::kUnencodableCharacters.toString() + report.unencodable;
  }
  return warnings;
}

}  // namespace qm
