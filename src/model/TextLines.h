// Helpers the plain-text and memo readers share: walking a decoded text line
// by line, and the bound on how much path text an import may build.
#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>

namespace qm::import {

// Walks text one line at a time. A line runs up to its LF (not included); a
// last piece without LF is a line too, but a text that ends with LF has no
// empty line after it.
class LineWalker {
 public:
  explicit LineWalker(QStringView text) : m_text(text) {}

  // On success returns true and sets line; false once the text is used up.
  bool Next(QStringView& line) {
    if (m_pos >= m_text.size()) return false;
    qsizetype end = m_text.indexOf(u'\n', m_pos);
    if (end < 0) end = m_text.size();
    line = m_text.sliced(m_pos, end - m_pos);
    m_pos = end + 1;
    return true;
  }

 private:
  QStringView m_text;
  qsizetype m_pos = 0;
};

// The text without the separator characters U+0001..U+0008, which no title
// or body may hold. Copies only when there is something to remove.
inline QStringView WithoutSeparators(QStringView text, QString& storage) {
  const auto isSeparator = [](QChar c) { return c.unicode() >= 1 && c.unicode() <= 8; };
  if (std::none_of(text.begin(), text.end(), isSeparator)) return text;
  storage = text.toString();
  storage.removeIf(isSeparator);
  return storage;
}

// Every imported node carries the titles of all its ancestors in its path,
// so a small file (one long heading above many short ones) could ask for
// far more memory than its own size. An import may build path text up to
// eight times the size of the file, plus a fixed allowance for small files
// with deep outlines; real outlines stay well below it.
class PathBudget {
 public:
  explicit PathBudget(qsizetype textSize) : m_left(8 * textSize + (qsizetype{16} << 20)) {}

  // False once the paths built so far exceed the budget.
  bool Spend(qsizetype characters) {
    m_left -= characters;
    return m_left >= 0;
  }

 private:
  qsizetype m_left;
};

}  // namespace qm::import
