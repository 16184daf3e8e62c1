// JsonWriter: compact JSON with QJsonDocument's escaping, in chunks.
#include "cli/JsonWriter.h"

#include <array>
#include <charconv>

namespace qm {
namespace {

// Strings are escaped a piece at a time into a stack buffer, so that a
// body of many megabytes is drained as it goes and needs no buffer of its
// size. Six bytes is the most one UTF-16 unit becomes ("\u001f", "\udc00").
constexpr qsizetype kPieceUnits = 4096;
constexpr qsizetype kMaxBytesPerUnit = 6;

char HexDigit(unsigned value) {
  return static_cast<char>(value < 10 ? '0' + value : 'a' + value - 10);
}

char* EscapeUnit(char* out, char16_t unit) {
  *out++ = '\\';
  *out++ = 'u';
  *out++ = HexDigit((unit >> 12) & 0xF);
  *out++ = HexDigit((unit >> 8) & 0xF);
  *out++ = HexDigit((unit >> 4) & 0xF);
  *out++ = HexDigit(unit & 0xF);
  return out;
}

// The letter of the two-character escape of unit, or 0 where it needs the
// six-character one.
char ShortEscape(char16_t unit) {
  switch (unit) {
    case u'"':
      return '"';
    case u'\\':
      return '\\';
    case u'\b':
      return 'b';
    case u'\f':
      return 'f';
    case u'\n':
      return 'n';
    case u'\r':
      return 'r';
    case u'\t':
      return 't';
    default:
      return 0;
  }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Writes the escaped form of [src, end) and returns the end of what was
// written. A surrogate pair is one character only when both halves are in
// the range, which the caller arranges.
char* Escape(char* out, const char16_t* src, const char16_t* end) {
  while (src != end) {
    const char16_t unit = *src++;
    if (unit < 0x80) {
      if (unit >= 0x20 && unit != u'"' && unit != u'\\') {
        *out++ = static_cast<char>(unit);
        continue;
      }
      if (const char letter = ShortEscape(unit)) {
        *out++ = '\\';
        *out++ = letter;
      } else {
        out = EscapeUnit(out, unit);
      }
    } else if (unit < 0x800) {
      *out++ = static_cast<char>(0xC0 | (unit >> 6));
      *out++ = static_cast<char>(0x80 | (unit & 0x3F));
    } else if (unit < 0xD800 || unit > 0xDFFF) {
      *out++ = static_cast<char>(0xE0 | (unit >> 12));
      *out++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      *out++ = static_cast<char>(0x80 | (unit & 0x3F));
    } else if (IsHighSurrogate(unit) && src != end && IsLowSurrogate(*src)) {
      const char32_t code = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (*src++ - 0xDC00);
      *out++ = static_cast<char>(0xF0 | (code >> 18));
      *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
      // No UTF-8 for half a pair: QJsonDocument writes the unit escaped.
      out = EscapeUnit(out, unit);
    }
  }
  return out;
}

}  // namespace

JsonWriter::JsonWriter(QByteArray& out, Sink sink, qsizetype chunkBytes)
    : m_out(out), m_sink(std::move(sink)), m_chunkBytes(chunkBytes) {
  if (m_sink) m_out.reserve(m_out.size() + m_chunkBytes + kPieceUnits * kMaxBytesPerUnit);
}

void JsonWriter::BeforeValue() {
  if (m_needsComma) m_out += ',';
  m_needsComma = true;
}

void JsonWriter::DrainIfFull() {
  if (!m_sink || m_out.size() < m_chunkBytes) return;
  if (m_ok) m_ok = m_sink(m_out);
  // resize, unlike clear, keeps the allocation for the next chunk.
  m_out.resize(0);
}

void JsonWriter::BeginObject() {
  BeforeValue();
  m_out += '{';
  m_needsComma = false;
}

void JsonWriter::EndObject() {
  m_out += '}';
  m_needsComma = true;
  DrainIfFull();
}

void JsonWriter::BeginArray() {
  BeforeValue();
  m_out += '[';
  m_needsComma = false;
}

void JsonWriter::EndArray() {
  m_out += ']';
  m_needsComma = true;
  DrainIfFull();
}

void JsonWriter::Key(QStringView key) {
  String(key);
  m_out += ':';
  m_needsComma = false;
}

void JsonWriter::String(QStringView text) {
  BeforeValue();
  m_out += '"';
  std::array<char, kPieceUnits * kMaxBytesPerUnit> buffer;
  const auto* src = reinterpret_cast<const char16_t*>(text.utf16());
  const char16_t* const end = src + text.size();
  while (src != end) {
    const char16_t* pieceEnd = end - src > kPieceUnits ? src + kPieceUnits : end;
    // Never split a surrogate pair between two pieces.
    if (pieceEnd != end && IsHighSurrogate(pieceEnd[-1])) --pieceEnd;
    const char* written = Escape(buffer.data(), src, pieceEnd);
    m_out.append(buffer.data(), written - buffer.data());
    src = pieceEnd;
    DrainIfFull();
  }
  m_out += '"';
}

void JsonWriter::Integer(qint64 value) {
  BeforeValue();
  std::array<char, 24> digits;
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  m_out.append(digits.data(), result.ptr - digits.data());
}

void JsonWriter::Null() {
  BeforeValue();
  m_out += "null";
}

}  // namespace qm
