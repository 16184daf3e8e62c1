// The request key: two MD5 digests over the code page's bytes.
#include "net/RequestKey.h"

#include <QCryptographicHash>

#include "platform/CodePage.h"

namespace qm {
namespace {

QString Md5Hex(const QByteArray& bytes) {
  return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

QByteArray Encoded(const QString& text) {
  CodePage codePage;
  return codePage.Encode(text);
}

}  // namespace

QString TicketDateText(const QDateTime& localTime) {
  const QDate date = localTime.date();
  const QTime time = localTime.time();
  return QStringLiteral("%1/%2/%3 %4:%5:%6")
      .arg(date.year())
      .arg(date.month())
      .arg(date.day())
      .arg(time.hour())
      .arg(time.minute())
      .arg(time.second());
}

QString PasswordDigest(const QString& password) { return Md5Hex(Encoded(password)); }

QString RequestKeyFromDigest(const QString& passwordDigest, const QString& date) {
  static const QString kSalt = QStringLiteral("ke\t=lun");
  return Md5Hex(Encoded(passwordDigest + date + kSalt));
}

QString RequestKey(const QString& password, const QString& date) {
  return RequestKeyFromDigest(PasswordDigest(password), date);
}

}  // namespace qm
