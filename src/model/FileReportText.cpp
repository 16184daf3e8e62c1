// Messages of a FileReport.
#include "model/FileReportText.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "res/Strings.h"

namespace qm {
namespace {

QString HexBytes(const QByteArray& bytes) {
  QStringList hex;
  for (char byte : bytes) {
    const QString digits = QString::number(static_cast<unsigned char>(byte), 16).toUpper();
    hex << res::kHexBytePrefix.toString() + digits.rightJustified(2, u'0');
  }
  return hex.join(u' ');
}

// The sequences, each as its bytes in hex; a full list may have left some out.
QString ByteList(const QList<QByteArray>& sequences) {
  QStringList shown;
  for (const QByteArray& sequence : sequences) shown << HexBytes(sequence);
  QString text = shown.join(res::kListSeparator);
  if (sequences.size() >= Undecodable::kMaxListed) text += res::kListContinues;
  return text;
}

QString UndecodableWarning(const FileReport& report) {
  QString text = res::kUndecodableBytes.toString();
  // A count alone where the bytes were not listed.
  if (report.undecodableBytes.isEmpty()) return text + QString::number(report.undecodable);
  text += ByteList(report.undecodableBytes);
  text += res::kUndecodableCount.toString().arg(report.undecodable);
  return text;
}

QString UnreadLinesWarning(const FileReport& report) {
  QString text = res::kLinesUnread.toString().arg(report.linesUnread);
  if (report.unreadLines.isEmpty()) return text;
  QStringList numbers;
  for (int line : report.unreadLines) numbers << QString::number(line);
  QString list = numbers.join(res::kListSeparator);
  if (report.linesUnread > report.unreadLines.size()) list += res::kListContinues;
  return text + res::kUnreadLineNumbers.toString().arg(list);
}

// The check filter's name, why saving stops and how to lift the filter, in
// one message.
QString FilterRefusal(QStringView filterName) {
  QString text = filterName.toString();
  text += res::kFilterBlocksTextSave;
  text += res::kFilterHowToShowAll;
  return text;
}

// The program's own message for the error, without the system's reason.
QString ErrorMessage(const FileReport& report) {
  switch (report.error) {
    case FileReport::Error::None:
      return {};
    case FileReport::Error::CannotOpen:
      return res::kFileNotFound.toString();
    case FileReport::Error::CannotWrite:
      return res::kCannotWrite.toString();
    case FileReport::Error::Unencodable:
      return res::kUnencodableCharacters.toString() +
             UnencodableDisplay(report.unencodable, report);
    case FileReport::Error::NotSupported:
      return res::kFormatNotYetSupported.toString();
    case FileReport::Error::CannotOpenMemo:
      return res::kCannotOpenFile.toString();
    case FileReport::Error::TooLarge:
      return res::kReadTooLarge.toString();
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

}  // namespace

QString FileErrorText(const FileReport& report) {
  QString text = ErrorMessage(report);
  if (!text.isEmpty()) text += FailureReason(report.failure);
  return text;
}

QStringList FileWarningTexts(const FileReport& report) {
  QStringList warnings;
  if (report.undecodable > 0) warnings << UndecodableWarning(report);
  if (report.nodesReplaced > 0) {
    warnings << res::kNodesReplaced.toString() + QString::number(report.nodesReplaced);
  }
  if (report.linesUnread > 0) warnings << UnreadLinesWarning(report);
  if (report.charactersDropped > 0) {
    warnings << res::kCharactersDropped.toString().arg(report.charactersDropped);
  }
  if (report.settingsUnclosed) warnings << res::kSettingsUnclosed.toString();
  if (report.bodyUnclosed) warnings << res::kBodyUnclosed.toString();
  if (report.error == FileReport::Error::None && !report.unencodable.isEmpty()) {
    warnings << res::kUnencodableCharacters.toString() +
                    UnencodableDisplay(report.unencodable, report);
  }
  return warnings;
}

QString UnencodableDisplay(const QString& unencodable, const FileReport& loaded) {
  constexpr QChar kReplacement(0xFFFD);
  if (loaded.undecodableBytes.isEmpty() || !unencodable.contains(kReplacement)) return unencodable;
  QString shown = unencodable;
  shown.replace(kReplacement,
                res::kUndecodableAsBytes.toString().arg(ByteList(loaded.undecodableBytes)));
  return shown;
}

}  // namespace qm
