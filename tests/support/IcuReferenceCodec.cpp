// IcuReferenceCodec: Shift_JIS through the host's ICU converter, with the
// control bytes passed through by hand, as the program once converted.
#include "support/IcuReferenceCodec.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace qm::test {
namespace {

constexpr QStringConverter::Flags kFlags = QStringConverter::Flag::Stateless;

// Bytes and characters the host's converter maps to each other crosswise.
bool IsShuffledControlByte(char byte) { return byte == 0x1A || byte == 0x1C || byte == 0x7F; }
bool IsShuffledControlChar(char16_t c) { return c == 0x1A || c == 0x1C || c == 0x7F; }

bool IsTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// The converter's error flag is not reliable, so failures are found in the
// output: a byte it cannot read comes back as U+001A (real 0x1A bytes never
// reach it) or U+FFFD, and a character it cannot store as the unassigned
// double byte 0xFC 0xFC.
constexpr char16_t kConverterSubstitute = 0x1A;
constexpr char16_t kReplacement = 0xFFFD;
constexpr unsigned char kSubstituteByte = 0xFC;
// Encoding works in slices so that an unencodable character costs a
// character-by-character pass over its slice only.
constexpr qsizetype kEncodeSlice = 4096;

// True when the run ends with a lead byte whose trail byte is missing; the
// converter would drop such a byte without a trace.
bool EndsInsideCharacter(QByteArrayView run) {
  const auto* data = reinterpret_cast<const unsigned char*>(run.data());
  qsizetype i = 0;
  while (i < run.size()) {
    const unsigned char byte = data[i];
    if (CodePage::IsLeadByte(byte) && i + 1 < run.size() && IsTrailByte(data[i + 1])) {
      i += 2;
    } else if (CodePage::IsLeadByte(byte) && i + 1 == run.size()) {
      return true;
    } else {
      i += 1;
    }
  }
  return false;
}

// True when the bytes hold the converter's substitute at a character start.
bool HoldsSubstitute(QByteArrayView bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  for (qsizetype i = 0; i + 1 < bytes.size();) {
    const unsigned char byte = data[i];
    if (byte == kSubstituteByte && data[i + 1] == kSubstituteByte) {
      return true;
    }
    i += CodePage::IsLeadByte(byte) ? 2 : 1;
  }
  return false;
}

// The converter drops the characters Unicode lets a renderer ignore
// (default ignorable code points such as U+200B, U+FEFF or U+FFF0..U+FFF8)
// without a trace where it substitutes every other character it cannot
// store: a slice holding one is encoded character by character, where
// each gets its "?" and is listed like the others.
constexpr std::pair<char32_t, char32_t> kIgnorable[] = {
    {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x061C, 0x061C}, {0x115F, 0x1160}, {0x17B4, 0x17B5},
    {0x180B, 0x180F},   {0x200B, 0x200F},   {0x202A, 0x202E}, {0x2060, 0x206F}, {0x3164, 0x3164},
    {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3},
    {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};

bool IsIgnorable(char32_t c) {
  return std::any_of(std::begin(kIgnorable), std::end(kIgnorable),
                     [c](const auto& range) { return c >= range.first && c <= range.second; });
}

bool HoldsIgnorable(QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    // ASCII and most Japanese text skip the table; surrogates may not.
    if (c < 0x00AD || (c > 0x3164 && c < 0xD800) || (c > 0xDFFF && c < 0xFE00)) continue;
    char32_t point = c;
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      point = QChar::surrogateToUcs4(c, text[i + 1].unicode());
      ++i;
    }
    if (IsIgnorable(point)) return true;
  }
  return false;
}

}  // namespace

IcuReferenceCodec::IcuReferenceCodec()
    : m_decoder("Shift_JIS", kFlags), m_encoder("Shift_JIS", kFlags) {
  Q_ASSERT(m_decoder.isValid() && m_encoder.isValid());
}

void IcuReferenceCodec::DecodeRun(QByteArrayView run, QString& out, Undecodable& undecodable,
                                  bool list) {
  if (run.isEmpty()) return;
  const bool cutShort = EndsInsideCharacter(run);
  if (cutShort) run.chop(1);
  const qsizetype start = out.size();
  m_decoder.resetState();
  if (start == 0) {
    out = m_decoder.decode(run);  // the usual single run: no copy
  } else {
    out += m_decoder.decode(run);
  }
  const char16_t* begin = reinterpret_cast<const char16_t*>(out.constData());
  const qsizetype before = undecodable.count;
  for (qsizetype i = start; i < out.size(); ++i) {
    if (begin[i] != kConverterSubstitute && begin[i] != kReplacement) continue;
    out[i] = kReplacement;
    begin = reinterpret_cast<const char16_t*>(out.constData());
    ++undecodable.count;
  }
  if (list && undecodable.count > before) {
    ListUndecodable(run, QStringView(out).sliced(start), undecodable);
  }
  if (cutShort) {
    out += QChar(kReplacement);
    ++undecodable.count;
    if (list) AddSequence(undecodable, run.data() + run.size(), 1);
  }
}

void IcuReferenceCodec::ListUndecodable(QByteArrayView run, QStringView decoded,
                                        Undecodable& undecodable) {
  // The run cut into characters the way Shift_JIS reads it: a lead byte with
  // a valid trail byte is one character, any other byte one on its own.
  const auto* data = reinterpret_cast<const unsigned char*>(run.data());
  std::vector<std::pair<qsizetype, qsizetype>> characters;  // start and length
  for (qsizetype i = 0; i < run.size();) {
    const qsizetype length =
        CodePage::IsLeadByte(data[i]) && i + 1 < run.size() && IsTrailByte(data[i + 1]) ? 2 : 1;
    characters.emplace_back(i, length);
    i += length;
  }
  // The converter gives one character for each as a rule; where it did not,
  // each character is decoded on its own to find the ones it cannot read.
  const bool inStep = static_cast<qsizetype>(characters.size()) == decoded.size();
  for (size_t c = 0; c < characters.size(); ++c) {
    const auto [at, length] = characters[c];
    bool bad = false;
    if (inStep) {
      bad = decoded[static_cast<qsizetype>(c)] == QChar(kReplacement);
    } else {
      m_decoder.resetState();
      const QString one = m_decoder.decode(run.sliced(at, length));
      bad = one.isEmpty() || one.contains(QChar(kReplacement)) ||
            one.contains(QChar(kConverterSubstitute));
    }
    if (bad) AddSequence(undecodable, run.data() + at, length);
  }
}

void IcuReferenceCodec::AddSequence(Undecodable& undecodable, const char* bytes, qsizetype length) {
  if (undecodable.sequences.size() >= Undecodable::kMaxListed) return;
  const QByteArray sequence(bytes, length);
  if (!undecodable.sequences.contains(sequence)) undecodable.sequences.append(sequence);
}

QString IcuReferenceCodec::Decode(QByteArrayView bytes, qsizetype* undecodable) {
  Undecodable found;
  QString out = DecodeAll(bytes, found, false);
  if (undecodable) *undecodable = found.count;
  return out;
}

QString IcuReferenceCodec::Decode(QByteArrayView bytes, Undecodable* undecodable) {
  Undecodable found;
  QString out = DecodeAll(bytes, found, undecodable != nullptr);
  if (undecodable) *undecodable = std::move(found);
  return out;
}

QString IcuReferenceCodec::DecodeAll(QByteArrayView bytes, Undecodable& found, bool list) {
  QString out;
  qsizetype runStart = 0;
  const char* data = bytes.data();
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (!IsShuffledControlByte(data[i])) continue;
    DecodeRun(bytes.sliced(runStart, i - runStart), out, found, list);
    out += QChar(static_cast<char16_t>(data[i]));
    runStart = i + 1;
  }
  DecodeRun(bytes.sliced(runStart), out, found, list);
  return out;
}

void IcuReferenceCodec::EncodeCharByChar(QStringView run, QByteArray& out, QString* unencodable) {
  qsizetype i = 0;
  while (i < run.size()) {
    const qsizetype width =
        (run[i].isHighSurrogate() && i + 1 < run.size() && run[i + 1].isLowSurrogate()) ? 2 : 1;
    const QStringView one = run.sliced(i, width);
    m_encoder.resetState();
    const QByteArray bytes = m_encoder.encode(one);
    if (bytes.isEmpty() || HoldsSubstitute(bytes)) {
      out += '?';
      if (unencodable && !unencodable->contains(one)) *unencodable += one;
    } else {
      out += bytes;
    }
    i += width;
  }
}

void IcuReferenceCodec::EncodeRun(QStringView run, QByteArray& out, QString* unencodable) {
  while (!run.isEmpty()) {
    qsizetype length = qMin(run.size(), kEncodeSlice);
    // Never cut a surrogate pair between two slices.
    if (length < run.size() && run[length - 1].isHighSurrogate()) --length;
    const QStringView slice = run.first(length);
    m_encoder.resetState();
    const QByteArray bytes = m_encoder.encode(slice);
    // A lone high surrogate at the end is held back by the converter and
    // would vanish without a substitute, as would an ignorable character.
    if (HoldsSubstitute(bytes) || slice.back().isHighSurrogate() || HoldsIgnorable(slice)) {
      EncodeCharByChar(slice, out, unencodable);
    } else {
      out += bytes;
    }
    run = run.sliced(length);
  }
}
QByteArray IcuReferenceCodec::Encode(QStringView text, QString* unencodable) {
  if (unencodable) unencodable->clear();
  QByteArray out;
  out.reserve(text.size() * 2);
  qsizetype runStart = 0;
  const char16_t* data = text.utf16();
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!IsShuffledControlChar(data[i])) continue;
    EncodeRun(text.sliced(runStart, i - runStart), out, unencodable);
    out += static_cast<char>(data[i]);
    runStart = i + 1;
  }
  EncodeRun(text.sliced(runStart), out, unencodable);
  return out;
}

bool IcuReferenceCodec::CanEncode(QStringView text) {
  QString bad;
  Encode(text, &bad);
  return bad.isEmpty();
}

}  // namespace qm::test
