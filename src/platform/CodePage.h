// CodePage: conversion between the program's UTF-16 text and the bytes of
// the code page its files use (Shift_JIS as Windows extends it, CP932).
//
// Decode and Encode convert whole texts by lookup tables built once from the
// host's converter (CodePageTables). They never fail and never drop anything
// silently:
// - Decode turns bytes that are not Shift_JIS into U+FFFD, counts them and
//   can list the byte sequences behind them, so users can be told which.
// - Encode turns characters the code page cannot hold into "?" and lists
//   them, so callers can refuse a lossy save or ask first.
// Single-byte control characters map to themselves both ways (0x1A is the
// end-of-file mark the outline reader must see), and a character is encoded
// only as bytes that decode back to it. Thread-compatible: use one object per
// thread.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <unordered_set>

#include "platform/CodePageTables.h"

namespace qm {

// What Decode could not read.
struct Undecodable {
  // At most this many sequences are listed: enough to recognise the damage
  // (or the wrong encoding) without a binary file making a list of thousands.
  static constexpr qsizetype kMaxListed = 16;

  qsizetype count = 0;          // characters read as U+FFFD
  QList<QByteArray> sequences;  // the distinct byte sequences behind them, in
                                // order of first appearance, up to kMaxListed
};

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
  // The same, and *undecodable also lists the byte sequences; a lead byte
  // without its trail byte is a sequence of one byte.
  QString Decode(QByteArrayView bytes, Undecodable* undecodable);

  // Appends the decoded bytes to out and adds what could not be read to
  // undecodable, so that a text decoded piece by piece (cut between
  // characters) is reported as one.
  void DecodeAppend(QByteArrayView bytes, QString& out, Undecodable& undecodable);

  // On return *unencodable (when given) holds each character that could not
  // be stored, once, in the order of first appearance; the bytes hold "?"
  // in its place.
  QByteArray Encode(QStringView text, QString* unencodable = nullptr);

  // True when every character of text can be stored.
  bool CanEncode(QStringView text);

 private:
  QString DecodeAll(QByteArrayView bytes, Undecodable& found, bool list) const;
  void DecodeInto(QByteArrayView bytes, QString& out, Undecodable& found, bool list) const;
  static void AddSequence(Undecodable& undecodable, const char* bytes, qsizetype length);

  const CodePageTables& m_tables;
};

// Encodes a text that comes in pieces (see TextSink) as CodePage::Encode
// encodes it whole: each piece's bytes are appended, and each character the
// code page cannot hold is listed once over all the pieces. REQUIRES: no
// piece ends in the first half of a surrogate pair.
class CodePageEncoder {
 public:
  // unencodable (may be null) must outlive the encoder; it is emptied first.
  explicit CodePageEncoder(QString* unencodable);
  CodePageEncoder(const CodePageEncoder&) = delete;
  CodePageEncoder& operator=(const CodePageEncoder&) = delete;

  void Append(QStringView piece, QByteArray& bytes);

  // True once a character could not be stored.
  bool LostAny() const { return !m_seen.empty(); }

 private:
  const CodePageTables& m_tables;
  QString* m_unencodable;
  std::unordered_set<char32_t> m_seen;  // what is listed, so each is listed once
};

}  // namespace qm
