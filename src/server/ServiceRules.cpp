// The handlers' shared rules.
#include "server/ServiceRules.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>

#include "server/ServiceLimits.h"

namespace qm::server {

QString RandomToken() {
  quint32 words[4];
  QRandomGenerator::system()->fillRange(words);
  QString token;
  for (const quint32 word : words) token += QStringLiteral("%1").arg(word, 8, 16, QChar(u'0'));
  return token;
}

bool KeysEqual(QStringView a, QStringView b) {
  if (a.size() != b.size()) return false;
  char16_t difference = 0;
  for (qsizetype i = 0; i < a.size(); ++i) difference |= a[i].unicode() ^ b[i].unicode();
  return difference == 0;
}

std::optional<qint64> ParseRequestDate(QStringView text) {
  static const QRegularExpression pattern(
      QStringLiteral("^(\\d{4})/(\\d{1,2})/(\\d{1,2}) (\\d{1,2}):(\\d{1,2}):(\\d{1,2})$"));
  const QRegularExpressionMatch match = pattern.match(text.toString());
  if (!match.hasMatch()) return std::nullopt;
  const auto number = [&](int group) { return match.capturedView(group).toInt(); };
  const QDate date(number(1), number(2), number(3));
  const QTime time(number(4), number(5), number(6));
  if (!date.isValid() || !time.isValid()) return std::nullopt;
  return QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
}

bool DateWithinWindow(qint64 date, qint64 now) {
  const qint64 difference = date > now ? date - now : now - date;
  return difference <= kDateWindowSeconds;
}

QString DownloadName(QStringView title, QStringView fileId) {
  constexpr qsizetype kMaxNameLength = 64;
  const auto plain = [](QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
           u == u'-' || u == u'_';
  };
  const auto sanitised = [&](QStringView text, bool& readable) {
    QString name;
    for (const QChar c : text.first(std::min(text.size(), kMaxNameLength))) {
      readable = readable || plain(c);
      name += plain(c) ? c : QChar(u'_');
    }
    return name;
  };
  bool readable = false;
  QString name = sanitised(title, readable);
  // A file id is a token of plain digits; it is cleaned all the same.
  if (!readable) name = sanitised(fileId, readable);
  if (name.isEmpty()) name = QStringLiteral("outline");
  return name + QStringLiteral(".qmp");
}

bool HasControlCharacter(QStringView text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
  }
  return false;
}

}  // namespace qm::server
