// CodePage: Shift_JIS (CP932) by table lookup, one pass over the input into
// an output sized once.
#include "platform/CodePage.h"

#include <utility>

namespace qm {
namespace {

bool IsTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Units taken by the unencodable character at i: a surrogate pair is one
// character (the code page holds nothing outside the BMP).
qsizetype UnencodableWidth(const char16_t* text, qsizetype size, qsizetype i) {
  return QChar::isHighSurrogate(text[i]) && i + 1 < size && QChar::isLowSurrogate(text[i + 1]) ? 2
                                                                                               : 1;
}

}  // namespace

CodePage::CodePage() : m_tables(CodePageTables::Get()) {}

void CodePage::AddSequence(Undecodable& undecodable, const char* bytes, qsizetype length) {
  if (undecodable.sequences.size() >= Undecodable::kMaxListed) return;
  const QByteArray sequence(bytes, length);
  if (!undecodable.sequences.contains(sequence)) undecodable.sequences.append(sequence);
}

QString CodePage::Decode(QByteArrayView bytes, qsizetype* undecodable) {
  Undecodable found;
  QString out = DecodeAll(bytes, found, false);
  if (undecodable) *undecodable = found.count;
  return out;
}

QString CodePage::Decode(QByteArrayView bytes, Undecodable* undecodable) {
  Undecodable found;
  QString out = DecodeAll(bytes, found, undecodable != nullptr);
  if (undecodable) *undecodable = std::move(found);
  return out;
}

QString CodePage::DecodeAll(QByteArrayView bytes, Undecodable& found, bool list) const {
  QString out;
  DecodeInto(bytes, out, found, list);
  return out;
}

void CodePage::DecodeAppend(QByteArrayView bytes, QString& out, Undecodable& undecodable) {
  DecodeInto(bytes, out, undecodable, true);
}

void CodePage::DecodeInto(QByteArrayView bytes, QString& out, Undecodable& found, bool list) const {
  // Never more characters than bytes: one allocation, shortened at the end
  // (pages of it never written are never touched).
  const qsizetype start = out.size();
  out.resize(start + bytes.size());
  char16_t* const begin = reinterpret_cast<char16_t*>(out.data()) + start;
  char16_t* to = begin;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype size = bytes.size();
  qsizetype i = 0;
  while (i < size) {
    const unsigned char byte = data[i];
    char16_t c = m_tables.single[byte];
    qsizetype length = 1;
    // A lead byte without a trail byte after it is undecodable on its own
    // (the single table says so); the byte after it is read afresh.
    if (IsLeadByte(byte) && i + 1 < size && IsTrailByte(data[i + 1])) {
      c = m_tables.pairs[CodePageTables::LeadRow(byte)][data[i + 1] - CodePageTables::kFirstTrail];
      length = 2;
    }
    *to++ = c;
    if (c == CodePageTables::kUndecodable) {
      ++found.count;
      if (list) AddSequence(found, bytes.data() + i, length);
    }
    i += length;
  }
  out.truncate(start + (to - begin));
}

QByteArray CodePage::Encode(QStringView text, QString* unencodable) {
  QByteArray out;
  CodePageEncoder(unencodable).Append(text, out);
  return out;
}

bool CodePage::CanEncode(QStringView text) {
  for (const QChar c : text) {
    if (m_tables.encode[c.unicode()] == CodePageTables::kUnencodable) return false;
  }
  return true;
}

CodePageEncoder::CodePageEncoder(QString* unencodable)
    : m_tables(CodePageTables::Get()), m_unencodable(unencodable) {
  if (m_unencodable) m_unencodable->clear();
}

void CodePageEncoder::Append(QStringView piece, QByteArray& bytes) {
  // At most two bytes a unit: one allocation, shortened at the end.
  const qsizetype start = bytes.size();
  bytes.resize(start + piece.size() * 2);
  char* to = bytes.data() + start;
  const char16_t* data = piece.utf16();
  const qsizetype size = piece.size();
  qsizetype i = 0;
  while (i < size) {
    const std::uint16_t value = m_tables.encode[data[i]];
    if (value < 0x100) {
      *to++ = static_cast<char>(value);
      ++i;
    } else if (value != CodePageTables::kUnencodable) {
      *to++ = static_cast<char>(value >> 8);
      *to++ = static_cast<char>(value & 0xFF);
      ++i;
    } else {
      // A lone surrogate is a character of its own, never taken for half
      // of a listed pair.
      const qsizetype width = UnencodableWidth(data, size, i);
      *to++ = '?';
      const char32_t key =
          width == 2 ? QChar::surrogateToUcs4(data[i], data[i + 1]) : char32_t(data[i]);
      if (m_seen.insert(key).second && m_unencodable) {
        m_unencodable->append(piece.sliced(i, width));
      }
      i += width;
    }
  }
  bytes.truncate(to - bytes.constData());
}

}  // namespace qm
