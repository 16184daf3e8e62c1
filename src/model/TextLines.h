// Helpers the readers of the text formats share (outline, plain-text and
// memo files): walking a decoded text line by line whatever its line ends,
// and keeping out of the outline the characters no outline may hold.
#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>

namespace qm::reading {

// The end-of-file mark some editors append; no outline keeps it.
inline constexpr char16_t kEndOfFile = 0x1A;

// Walks text one line at a time. A text that holds an LF has its lines end
// at LF, with the CR of a CR LF taken off too; a text without any LF (as
// old systems wrote) has its lines end at CR. A last piece without line end
// is a line too, but a text that ends with its line end has no empty line
// after it.
class LineWalker {
 public:
  explicit LineWalker(QStringView text)
      : m_text(text), m_end(text.contains(u'\n') ? u'\n' : u'\r') {}

  // On success returns true and sets line (without its line end); false
  // once the text is used up.
  bool Next(QStringView& line) {
    if (m_pos >= m_text.size()) return false;
    qsizetype end = m_text.indexOf(QChar(m_end), m_pos);
    m_ended = end >= 0;
    if (!m_ended) end = m_text.size();
    line = m_text.sliced(m_pos, end - m_pos);
    m_pos = end + 1;
    m_endHasCr = m_ended && m_end == u'\r';
    // In an LF text a CR right before the LF, or at the very end, belongs
    // to the line end.
    if (m_end == u'\n' && line.endsWith(u'\r')) {
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
  QStringView TakeBodyLineEnd(QStringView& line) {
    if (!m_ended) return {};
    if (m_end == u'\n') {
      if (!m_endHasCr) return u"\n";
      if (line.endsWith(u'\r')) line.chop(1);
    } else if (m_pos < m_text.size() && m_text[m_pos] == u'\r') {
      ++m_pos;
    }
    return u"\r\n";
  }

  // True when a line after the one just read begins with mark.
  bool LaterLineStartsWith(QChar mark) const {
    for (qsizetype at = m_text.indexOf(mark, m_pos); at >= 0; at = m_text.indexOf(mark, at + 1)) {
      if (at == m_pos || m_text[at - 1] == QChar(m_end)) return true;
    }
    return false;
  }

 private:
  QStringView m_text;
  char16_t m_end;
  qsizetype m_pos = 0;
  bool m_ended = false;
  bool m_endHasCr = false;
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
