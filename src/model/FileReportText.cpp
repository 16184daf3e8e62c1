// Messages of a FileReport.
#include "model/FileReportText.h"

#include "res/Strings.h"

namespace qm {

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
