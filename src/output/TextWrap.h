// Line layout of the text output: measuring text in code-page bytes and
// wrapping a heading and a text to a width counted in those bytes.
//
// Widths are those of the Shift_JIS code page the output files use: one
// byte for ASCII and half-width katakana, two for the other characters it
// holds, and one for a character it cannot hold (it is written as "?").
// Wrapping works on whole characters, so no line ever ends inside one.
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

#include "platform/CodePage.h"

namespace qm {

// Byte widths of characters, learnt from the code page once per character
// and kept. Thread-compatible: use one object per thread.
class CodePageWidths {
 public:
  CodePageWidths();
  CodePageWidths(const CodePageWidths&) = delete;
  CodePageWidths& operator=(const CodePageWidths&) = delete;

  // The bytes of the character that starts at text[i]; *units is set to
  // the UTF-16 units it spans (2 for a surrogate pair). REQUIRES: i < size.
  int At(QStringView text, qsizetype i, qsizetype* units);
  // The bytes of a whole text.
  qsizetype Of(QStringView text);

 private:
  std::vector<unsigned char> m_known;  // by UTF-16 unit; 0 = not learnt yet
  CodePage m_codePage;
};

// How a wrapped text starts its lines and how much room they have.
struct WrapLayout {
  bool tabs = false;  // indent with tab characters instead of blanks
  int indent = 0;     // blanks, or tab characters with tabs
  int width = 80;     // bytes per line, the line start included
  int tabWidth = 8;   // bytes a tab counts for
};

// Appends heading and text laid out in lines ending in CR LF. The first
// line starts with the indent followed by the heading; later lines with the
// indent followed by as many blanks as the heading has bytes. A line ends
// after a CR LF of the text that fits in it, or else after as many whole
// characters as fit (with blanks: a full-width comma, full stop or
// ideographic comma right after the cut goes on the line too). A line
// always takes at least one character, so a character wider than the room
// stands alone; where the indent and heading leave no room at all the text
// is cut at its own line breaks only. An empty text appends just CR LF.
void AppendWrapped(QString& out, QStringView heading, QStringView text, const WrapLayout& layout,
                   CodePageWidths& widths);

}  // namespace qm
