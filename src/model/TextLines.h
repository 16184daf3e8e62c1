// Helpers the readers of the text formats share (outline, plain-text and
// memo files): walking a decoded text line by line whatever its line ends,
// and keeping out of the outline the characters no outline may hold.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <algorithm>

#include "platform/CodePage.h"

namespace qm::reading {

// The end-of-file mark some editors append; no outline keeps it.
inline constexpr char16_t kEndOfFile = 0x1A;

// Walks text one line at a time. A text that holds an LF has its lines end
// at LF, with the CR of a CR LF taken off too; a text without any LF (as
// old systems wrote) has its lines end at CR. A last piece without line end
// is a line too, but a text that ends with its line end has no empty line
// after it.
//
// View is QStringView for decoded text or QByteArrayView for code page
// bytes: CR, LF and the marks the readers look for are single bytes that no
// double-byte character holds, so the bytes cut into the same lines.
template <typename View>
class BasicLineWalker {
 public:
  explicit BasicLineWalker(View text)
      : m_text(text), m_end(IndexOf(text, u'\n', 0) >= 0 ? u'\n' : u'\r') {}

  // On success returns true and sets line (without its line end); false
  // once the text is used up.
  bool Next(View& line) {
    if (m_pos >= m_text.size()) return false;
    qsizetype end = IndexOf(m_text, m_end, m_pos);
    m_ended = end >= 0;
    if (!m_ended) end = m_text.size();
    line = m_text.sliced(m_pos, end - m_pos);
    m_pos = end + 1;
    m_endHasCr = m_ended && m_end == u'\r';
    // In an LF text a CR right before the LF, or at the very end, belongs
    // to the line end.
    if (m_end == u'\n' && EndsWithCr(line)) {
      line.chop(1);
      m_ended = m_endHasCr = true;
    }
    return true;
  }

  // The outline file doubles the line ends inside a body: CR CR LF, which a
  // CR text holds as CR CR and an LF text as CR LF. Takes the extra CR of
  // the line just read (the one left at its end in an LF text, the one
  // after it in a CR text) and returns the line end the body keeps: CR LF,
  // a bare LF where the file has one (a body may hold one), or nothing at
  // the end of the text.
  QStringView TakeBodyLineEnd(View& line) {
    if (!m_ended) return {};
    if (m_end == u'\n') {
      if (!m_endHasCr) return u"\n";
      if (EndsWithCr(line)) line.chop(1);
    } else if (m_pos < m_text.size() && Unit(m_text, m_pos) == u'\r') {
      ++m_pos;
    }
    return u"\r\n";
  }

  // True when a line after the one just read begins with mark.
  bool LaterLineStartsWith(char16_t mark) const {
    for (qsizetype at = IndexOf(m_text, mark, m_pos); at >= 0; at = IndexOf(m_text, mark, at + 1)) {
      if (at == m_pos || Unit(m_text, at - 1) == m_end) return true;
    }
    return false;
  }

 private:
  static qsizetype IndexOf(QStringView text, char16_t unit, qsizetype from) {
    return text.indexOf(QChar(unit), from);
  }
  static qsizetype IndexOf(QByteArrayView bytes, char16_t unit, qsizetype from) {
    return bytes.indexOf(char(unit), from);
  }
  static char16_t Unit(QStringView text, qsizetype at) { return text[at].unicode(); }
  static char16_t Unit(QByteArrayView bytes, qsizetype at) { return uchar(bytes[at]); }
  static bool EndsWithCr(View line) {
    return !line.isEmpty() && Unit(line, line.size() - 1) == u'\r';
  }

  View m_text;
  char16_t m_end;
  qsizetype m_pos = 0;
  bool m_ended = false;
  bool m_endHasCr = false;
};

using LineWalker = BasicLineWalker<QStringView>;

// Walks the lines of code page bytes as LineWalker walks their decoded
// text, decoding one line at a time, so that the whole text is never held.
// REQUIRES: the bytes hold no end-of-file mark (0x1A): the decoded text
// would lose it before being cut into lines, which cutting the bytes first
// cannot follow. A line stays valid until the next call of Next.
class DecodedLineWalker {
 public:
  DecodedLineWalker(QByteArrayView bytes, Undecodable& undecodable)
      : m_bytes(bytes), m_undecodable(undecodable) {}

  bool Next(QStringView& line) {
    if (!m_bytes.Next(m_raw)) return false;
    m_line.resize(0);
    m_codePage.DecodeAppend(m_raw, m_line, m_undecodable);
    line = m_line;
    return true;
  }

  QStringView TakeBodyLineEnd(QStringView& line) {
    const qsizetype before = m_raw.size();
    const QStringView end = m_bytes.TakeBodyLineEnd(m_raw);
    // A CR byte is a CR character whatever stands before it.
    if (m_raw.size() < before) line.chop(1);
    return end;
  }

  bool LaterLineStartsWith(char16_t mark) const { return m_bytes.LaterLineStartsWith(mark); }

 private:
  BasicLineWalker<QByteArrayView> m_bytes;
  Undecodable& m_undecodable;
  CodePage m_codePage;
  QByteArrayView m_raw;
  QString m_line;
};

// The text without the end-of-file mark U+001A and, with separators, without
// U+0001..U+0008 (the separators of paths and of the stored formats, which
// no title or body of a plain-text or memo file may bring in). Copies only
// when there is something to remove. Adds to dropped how many characters it
// removed, not counting end-of-file marks that end the text (they end it,
// as editors add them, and hold nothing).
inline QStringView WithoutControlMarks(QStringView text, QString& storage, bool separators,
                                       qsizetype& dropped) {
  const auto removed = [separators](QChar c) {
    return c.unicode() == kEndOfFile || (separators && c.unicode() >= 1 && c.unicode() <= 8);
  };
  const qsizetype count = std::count_if(text.begin(), text.end(), removed);
  if (count == 0) return text;
  qsizetype trailing = 0;
  while (trailing < text.size() && text[text.size() - 1 - trailing] == QChar(kEndOfFile)) {
    ++trailing;
  }
  dropped += count - trailing;
  storage = text.toString();
  storage.removeIf(removed);
  return storage;
}

}  // namespace qm::reading
