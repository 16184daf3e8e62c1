// Fuzzes the reading of a download's file name from its headers: whatever
// a server sends, the name the download is saved under is a plain name
// directly inside the download folder, neither hidden nor "." or "..".
//
// The input is split into header lines at line feeds, each "Name: value"
// (a line without ": " is a value of its own header).
#include <QDir>
#include <cstdint>
#include <cstdlib>

#include "net/HttpReply.h"

namespace {

constexpr size_t kMaxInput = 16 * 1024;

void CheckSafe(const QString& name) {
  if (name.isEmpty()) return;
  if (name.contains(u'/') || name.contains(u'\\')) std::abort();
  if (name.startsWith(u'.') || name.front().isSpace() || name.back().isSpace()) std::abort();
  for (const QChar c : name) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) std::abort();
  }
  if (name.toUtf8().size() > 255) std::abort();
  const QString folder = QStringLiteral("/downloads/here");
  const QString path = QDir::cleanPath(qm::PathInFolder(folder, name));
  if (!path.startsWith(folder + u'/') || path.sliced(folder.size() + 1) != name) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  qm::HttpHeaders headers;
  for (const QByteArray& line : input.split('\n')) {
    const qsizetype colon = line.indexOf(": ");
    if (colon < 0) {
      headers.append({"X-Line", line});
    } else {
      headers.append({line.first(colon), line.sliced(colon + 2)});
    }
  }
  CheckSafe(qm::SafeDownloadName(qm::DownloadNameFromHeaders(headers)));
  CheckSafe(qm::SafeDownloadName(QString::fromUtf8(input)));
  return 0;
}
