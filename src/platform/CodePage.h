// CodePage: conversion between the program's UTF-16 text and the bytes of
// the code page its files use (Shift_JIS as Windows extends it, CP932).
//
// Decode and Encode convert whole texts; the host's ICU does the double-byte
// mapping. They never fail and never drop anything silently:
// - Decode turns bytes that are not Shift_JIS into U+FFFD and counts them.
// - Encode turns characters the code page cannot hold into "?" and lists
//   them, so callers can refuse a lossy save or ask first.
// Single-byte control characters map to themselves both ways (the host's
// converter would shuffle 0x1A, 0x1C and 0x7F, and 0x1A is the end-of-file
// mark the outline reader must see). Thread-compatible: use one object per
// thread.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace qm {

class CodePage {
 public:
  CodePage();
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  // True for the first byte of a double-byte character.
  static bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }

  // On return *undecodable (when given) holds how many characters were
  // replaced by U+FFFD.
  QString Decode(QByteArrayView bytes, qsizetype* undecodable = nullptr);

  // On return *unencodable (when given) holds each character that could not
  // be stored, once, in the order of first appearance; the bytes hold "?"
  // in its place.
  QByteArray Encode(QStringView text, QString* unencodable = nullptr);

  // True when every character of text can be stored.
  bool CanEncode(QStringView text);

 private:
  void DecodeRun(QByteArrayView run, QString& out, qsizetype& undecodable);
  void EncodeRun(QStringView run, QByteArray& out, QString* unencodable);
  void EncodeCharByChar(QStringView run, QByteArray& out, QString* unencodable);

  QStringDecoder m_decoder;
  QStringEncoder m_encoder;
};

}  // namespace qm
