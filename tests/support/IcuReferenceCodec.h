// IcuReferenceCodec: the code page conversion as it was done through the
// host's ICU converter, run by run, kept for the tests only: the table-driven
// CodePage must read and write every byte and character the way it did,
// apart from the differences its tests name.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include "platform/CodePage.h"

namespace qm::test {

class IcuReferenceCodec {
 public:
  IcuReferenceCodec();
  IcuReferenceCodec(const IcuReferenceCodec&) = delete;
  IcuReferenceCodec& operator=(const IcuReferenceCodec&) = delete;

  // On return *undecodable (when given) holds how many characters were
  // replaced by U+FFFD.
  QString Decode(QByteArrayView bytes, qsizetype* undecodable = nullptr);
  // The same, and *undecodable also lists the byte sequences; a lead byte
  // without its trail byte is a sequence of one byte.
  QString Decode(QByteArrayView bytes, Undecodable* undecodable);

  // On return *unencodable (when given) holds each character that could not
  // be stored, once, in the order of first appearance; the bytes hold "?"
  // in its place.
  QByteArray Encode(QStringView text, QString* unencodable = nullptr);

  // True when every character of text can be stored.
  bool CanEncode(QStringView text);

 private:
  QString DecodeAll(QByteArrayView bytes, Undecodable& found, bool list);
  void DecodeRun(QByteArrayView run, QString& out, Undecodable& undecodable, bool list);
  void ListUndecodable(QByteArrayView run, QStringView decoded, Undecodable& undecodable);
  static void AddSequence(Undecodable& undecodable, const char* bytes, qsizetype length);
  void EncodeRun(QStringView run, QByteArray& out, QString* unencodable);
  void EncodeCharByChar(QStringView run, QByteArray& out, QString* unencodable);

  QStringDecoder m_decoder;
  QStringEncoder m_encoder;
};

}  // namespace qm::test
