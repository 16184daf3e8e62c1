// The web account's storage and the password's scrambled form.
#include "net/WebAccount.h"

#include <QStringDecoder>

#include "platform/SettingsTable.h"

namespace qm {
namespace {

constexpr int kKey[8] = {5, 3, 9, 2, 7, 4, 8, 6};
constexpr int kPermutation[6] = {3, 0, 5, 1, 4, 2};

// The letter a digit A-F becomes in the first two digits of a group, and back.
QChar Disguise(QChar digit) {
  const int k = digit.unicode() - u'A';
  if (k < 0 || k > 5) return digit;
  return QChar(u'A' + kPermutation[(8 + k) % 6]);
}

QChar Reveal(QChar digit) {
  const int letter = digit.unicode() - u'A';
  if (letter < 0 || letter > 5) return digit;
  for (int k = 0; k < 6; ++k) {
    if (kPermutation[(8 + k) % 6] == letter) return QChar(u'A' + k);
  }
  return digit;
}

bool IsHexDigit(QChar c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

QString Hex2(int byte) { return QStringLiteral("%1").arg(byte, 2, 16, QChar(u'0')).toUpper(); }

}  // namespace

QString ScrambleWebPassword(const QString& password) {
  const QByteArray bytes = password.toUtf8();
  QString text;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const int b = static_cast<unsigned char>(bytes[i]);
    const int d = (kKey[i % 8] + b + static_cast<int>(i % 256)) % 256;
    QString group = Hex2(d) + Hex2(b ^ d);
    group[0] = Disguise(group[0]);
    group[1] = Disguise(group[1]);
    text += group;
  }
  const qsizetype half = text.size() / 2;
  return text.sliced(half) + text.first(half);
}

QString UnscrambleWebPassword(const QString& scrambled) {
  if (scrambled.size() % 4 != 0) return QString();
  const qsizetype half = (scrambled.size() + 1) / 2;
  const QString text = scrambled.sliced(half) + scrambled.first(half);
  QByteArray bytes;
  for (qsizetype j = 0; j * 4 < text.size(); ++j) {
    const QString digits = QString(Reveal(text[j * 4])) + Reveal(text[j * 4 + 1]);
    if (!IsHexDigit(digits[0]) || !IsHexDigit(digits[1])) return QString();
    const int e = digits.toInt(nullptr, 16);
    const int b = ((e - kKey[j % 8] - static_cast<int>(j % 256)) % 256 + 512) % 256;
    bytes.append(static_cast<char>(b));
  }
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8.decode(bytes);
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(bytes);
}

WebAccount LoadWebAccount(const SettingsStore& store) {
  return {Read(store, settings::kWebId),
          UnscrambleWebPassword(Read(store, settings::kWebPassword))};
}

void StoreWebAccount(SettingsStore& store, const WebAccount& account) {
  Write(store, settings::kWebId, account.mail);
  Write(store, settings::kWebPassword, ScrambleWebPassword(account.password));
}

}  // namespace qm
