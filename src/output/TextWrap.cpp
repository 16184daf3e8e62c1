// Code-page widths of characters and the wrapping of output lines.
#include "output/TextWrap.h"

#include <limits>

namespace qm {
namespace {

constexpr QStringView kCrLf = u"\r\n";

bool IsHalfWidthKatakana(char16_t c) { return c >= 0xFF61 && c <= 0xFF9F; }

// Punctuation that never starts a line when wrapping with blanks.
bool IsClosingPunctuation(QChar c) { return c == u'，' || c == u'。' || c == u'、'; }

bool StartsCrLf(QStringView text, qsizetype i) {
  return i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n';
}

}  // namespace

CodePageWidths::CodePageWidths() : m_known(0x10000, 0) {}

int CodePageWidths::At(QStringView text, qsizetype i, qsizetype* units) {
  const char16_t c = text[i].unicode();
  *units = 1;
  if (c < 0x80 || IsHalfWidthKatakana(c)) return 1;
  if (QChar::isSurrogate(c)) {
    // Outside the code page: written as one "?", a pair as one character.
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      *units = 2;
    }
    return 1;
  }
  unsigned char& known = m_known[c];
  if (known == 0) {
    const QChar one(c);
    known = static_cast<unsigned char>(m_codePage.Encode(QStringView(&one, 1)).size());
  }
  return known;
}

qsizetype CodePageWidths::Of(QStringView text) {
  qsizetype bytes = 0;
  qsizetype units = 1;
  for (qsizetype i = 0; i < text.size(); i += units) bytes += At(text, i, &units);
  return bytes;
}

void AppendWrapped(QString& out, QStringView heading, QStringView text, const WrapLayout& layout,
                   CodePageWidths& widths) {
  if (text.isEmpty()) {
    out += kCrLf;
    return;
  }
  const qint64 headingBytes = widths.Of(heading);
  const qint64 indent = qMax(layout.indent, 0);
  const QChar indentChar = layout.tabs ? u'\t' : u' ';
  // Tabs count for their width; the heading is not subtracted with tabs.
  const qint64 room = layout.tabs ? qint64(layout.width) - indent * qMax(layout.tabWidth, 0)
                                  : qint64(layout.width) - indent - headingBytes;
  const qint64 lineRoom = room > 0 ? room : std::numeric_limits<qint64>::max();

  qsizetype pos = 0;
  bool first = true;
  while (pos < text.size()) {
    out.resize(out.size() + indent, indentChar);
    if (first) {
      out += heading;
    } else {
      // Later lines hang under the text: as many blanks as the heading has bytes.
      out.resize(out.size() + headingBytes, u' ');
    }
    first = false;
    qint64 taken = 0;
    qsizetype end = pos;
    bool atLineBreak = false;
    while (end < text.size()) {
      if (StartsCrLf(text, end)) {
        // The text's own line break ends the line when it fits (or when it
        // is all there is), and is never split from its CR.
        if (taken + 2 <= lineRoom || end == pos) {
          end += 2;
          atLineBreak = true;
        }
        break;
      }
      qsizetype units = 1;
      const int bytes = widths.At(text, end, &units);
      if (taken + bytes > lineRoom && end > pos) break;
      taken += bytes;
      end += units;
    }
    if (!atLineBreak && !layout.tabs && end < text.size() && IsClosingPunctuation(text[end])) {
      ++end;
    }
    out += text.sliced(pos, end - pos);
    if (!atLineBreak) out += kCrLf;
    pos = end;
  }
}

}  // namespace qm
