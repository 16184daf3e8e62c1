// Decoding reply texts and download names.
#include "net/HttpReply.h"

#include <QStringDecoder>

#include "platform/CodePage.h"

namespace qm {
namespace {

QByteArray CharsetOf(QByteArrayView contentType) {
  qsizetype at = 0;
  while (true) {
    const qsizetype semicolon = contentType.indexOf(';', at);
    if (semicolon < 0) return QByteArray();
    at = semicolon + 1;
    qsizetype end = contentType.indexOf(';', at);
    if (end < 0) end = contentType.size();
    const QByteArray parameter = contentType.sliced(at, end - at).trimmed().toByteArray();
    const qsizetype equals = parameter.indexOf('=');
    if (equals > 0 && parameter.first(equals).trimmed().toLower() == "charset") {
      QByteArray value = parameter.sliced(equals + 1).trimmed();
      if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"')) {
        value = value.sliced(1, value.size() - 2);
      }
      return value.trimmed().toLower();
    }
  }
}

QString DecodeUtf16(QByteArrayView body, bool bigEndian) {
  if (body.size() >= 2) {
    const auto first = static_cast<unsigned char>(body[0]);
    const auto second = static_cast<unsigned char>(body[1]);
    if (first == 0xFF && second == 0xFE) {
      bigEndian = false;
      body = body.sliced(2);
    } else if (first == 0xFE && second == 0xFF) {
      bigEndian = true;
      body = body.sliced(2);
    }
  }
  QStringDecoder decoder(bigEndian ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE,
                         QStringDecoder::Flag::Stateless);
  return decoder.decode(body);
}

bool IsControl(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }

}  // namespace

QByteArray HeaderValue(const HttpHeaders& headers, QByteArrayView name) {
  for (const HttpHeader& header : headers) {
    if (header.first.compare(name, Qt::CaseInsensitive) == 0) return header.second;
  }
  return QByteArray();
}

QByteArray MediaTypeOf(QByteArrayView contentType) {
  qsizetype end = contentType.indexOf(';');
  if (end < 0) end = contentType.size();
  return contentType.first(end).trimmed().toByteArray().toLower();
}

QString DecodeTextReply(QByteArrayView contentType, QByteArrayView body) {
  const QByteArray charset = CharsetOf(contentType);
  if (charset == "utf-8" || charset == "utf8") {
    if (body.startsWith("\xEF\xBB\xBF")) body = body.sliced(3);
    return QString::fromUtf8(body);
  }
  if (charset == "utf-16" || charset == "utf-16le") return DecodeUtf16(body, false);
  if (charset == "utf-16be") return DecodeUtf16(body, true);
  CodePage codePage;
  return codePage.Decode(body);
}

QString DownloadNameFromHeaders(const HttpHeaders& headers) {
  static constexpr QByteArrayView kKey = "filename=";
  for (const HttpHeader& header : headers) {
    const QByteArray line = header.first + ": " + header.second;
    const qsizetype at = line.indexOf(kKey);
    if (at < 0) continue;
    QByteArray name = line.sliced(at + kKey.size());
    // A folded or malformed value may carry line breaks; the line ends there.
    const qsizetype lineEnd = name.indexOf('\n');
    if (lineEnd >= 0) name.truncate(lineEnd);
    if (name.endsWith('\r')) name.chop(1);
    const qsizetype open = name.indexOf('"');
    if (open >= 0) {
      const qsizetype close = name.indexOf('"', open + 1);
      name = close < 0 ? name.sliced(open + 1) : name.sliced(open + 1, close - open - 1);
    }
    CodePage codePage;
    return codePage.Decode(name);
  }
  return QString();
}

QString SafeDownloadName(const QString& name) {
  QString clean;
  clean.reserve(name.size());
  for (const QChar c : name) {
    if (!IsControl(c)) clean.append(c);
  }
  const qsizetype separator = std::max(clean.lastIndexOf(u'/'), clean.lastIndexOf(u'\\'));
  if (separator >= 0) clean.remove(0, separator + 1);
  qsizetype start = 0;
  while (start < clean.size() && (clean[start] == u'.' || clean[start].isSpace())) ++start;
  clean.remove(0, start);
  while (!clean.isEmpty() && clean.back().isSpace()) clean.chop(1);
  if (clean.toUtf8().size() > 255) return QString();
  return clean;
}

QString PathInFolder(const QString& folder, const QString& name) {
  return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

}  // namespace qm
