// CodePageTables: filling the tables, entry by entry, from the host's
// converter, then setting what the program's files rely on.
#include "platform/CodePageTables.h"

#include <iconv.h>

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <memory>

#include "platform/CodePage.h"

namespace qm {
namespace {

bool IsControl(unsigned c) { return c < 0x20 || c == 0x7F; }
bool IsSurrogate(unsigned c) { return c >= 0xD800 && c <= 0xDFFF; }

// One iconv conversion descriptor, closed on leaving.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
  ~Iconv() {
    if (IsOpen()) iconv_close(m_cd);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

  // The whole of in converted on its own, or -1 when any of it is not
  // convertible; no state is carried from one call to the next.
  int Convert(const char* in, size_t size, char* out, size_t room) {
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    char* input = const_cast<char*>(in);
    char* output = out;
    size_t outLeft = room;
    if (iconv(m_cd, &input, &size, &output, &outLeft) == static_cast<size_t>(-1) || size != 0) {
      return -1;
    }
    // Flushing would only matter to a stateful code page; it must add nothing.
    if (iconv(m_cd, nullptr, nullptr, &output, &outLeft) == static_cast<size_t>(-1)) return -1;
    return static_cast<int>(output - out);
  }

 private:
  iconv_t m_cd;
};

// The host's converter turns a character it cannot store into this
// unassigned pair rather than failing.
constexpr std::uint16_t kQtSubstitute = 0xFCFC;

// A decoded character, or kUndecodable when the converter gave anything but
// exactly one real character (U+001A and U+FFFD are its substitutes; the
// control 0x1A itself is set by the program's own rule).
char16_t OneCharacter(const QString& text) {
  if (text.size() != 1) return CodePageTables::kUndecodable;
  const char16_t c = text.front().unicode();
  return c == 0x1A ? CodePageTables::kUndecodable : c;
}

std::uint16_t EncodedValue(const unsigned char* bytes, int size) {
  if (size == 1) return bytes[0];
  if (size == 2 && CodePage::IsLeadByte(bytes[0])) return std::uint16_t(bytes[0] << 8 | bytes[1]);
  return CodePageTables::kUnencodable;
}

char16_t DecodedValue(const CodePageTables& tables, std::uint16_t value) {
  if (value < 0x100) return tables.single[value];
  const unsigned trail = value & 0xFF;
  if (trail == 0x7F || trail < CodePageTables::kFirstTrail ||
      trail >= CodePageTables::kFirstTrail + CodePageTables::kTrailCount) {
    return CodePageTables::kUndecodable;
  }
  return tables.pairs[CodePageTables::LeadRow(static_cast<unsigned char>(value >> 8))]
                     [trail - CodePageTables::kFirstTrail];
}

void SetFixedEntries(CodePageTables& tables) {
  for (unsigned b = 0; b < 0x100; ++b) {
    // Control bytes are the outline's own marks (0x1A ends a file): always
    // themselves, though converters map 0x1A, 0x1C and 0x7F crosswise.
    if (IsControl(b)) {
      tables.single[b] = static_cast<char16_t>(b);
      tables.encode[b] = static_cast<std::uint16_t>(b);
    }
    if (CodePage::IsLeadByte(static_cast<unsigned char>(b))) {
      tables.single[b] = CodePageTables::kUndecodable;
    }
  }
  // 0x7F is the delete control, never a trail byte: a lead byte before it
  // stands alone, so the pair column stays unused.
  for (auto& row : tables.pairs)
    row[0x7F - CodePageTables::kFirstTrail] = CodePageTables::kUndecodable;
  // CP932 holds nothing outside the BMP: a surrogate is never encodable,
  // paired or not.
  for (unsigned c = 0xD800; c <= 0xDFFF; ++c) tables.encode[c] = CodePageTables::kUnencodable;
  // A character is stored only as bytes that read back as itself. Converters
  // add one-way mappings (U+00A5 to 0x5C, U+301C to 0x8160, a private-use
  // character to 0x8782...) that would change the text silently on the next
  // load; such a character is unencodable, so the user is told before a save.
  for (unsigned c = 0; c < 0x10000; ++c) {
    const std::uint16_t value = tables.encode[c];
    if (value != CodePageTables::kUnencodable && DecodedValue(tables, value) != c) {
      tables.encode[c] = CodePageTables::kUnencodable;
    }
  }
}

template <typename DecodeOne>
void FillDecoding(CodePageTables& tables, DecodeOne decodeOne) {
  for (unsigned b = 0; b < 0x100; ++b) {
    const char byte = static_cast<char>(b);
    tables.single[b] = decodeOne(&byte, 1);
  }
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!CodePage::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    auto& row = tables.pairs[CodePageTables::LeadRow(static_cast<unsigned char>(lead))];
    for (int t = 0; t < CodePageTables::kTrailCount; ++t) {
      const char pair[2] = {static_cast<char>(lead),
                            static_cast<char>(t + CodePageTables::kFirstTrail)};
      row[t] = decodeOne(pair, 2);
    }
  }
}

}  // namespace

bool CodePageTables::BuildFromIconv(CodePageTables& tables) {
  Iconv decoder("UTF-16LE", "CP932");
  Iconv encoder("CP932", "UTF-16LE");
  if (!decoder.IsOpen() || !encoder.IsOpen()) return false;
  FillDecoding(tables, [&decoder](const char* in, size_t size) {
    unsigned char out[8];
    if (decoder.Convert(in, size, reinterpret_cast<char*>(out), sizeof out) != 2) {
      return kUndecodable;
    }
    return static_cast<char16_t>(out[0] | out[1] << 8);
  });
  for (unsigned c = 0; c < 0x10000; ++c) {
    const unsigned char in[2] = {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8)};
    unsigned char out[8];
    const int made = IsSurrogate(c) ? -1
                                    : encoder.Convert(reinterpret_cast<const char*>(in), 2,
                                                      reinterpret_cast<char*>(out), sizeof out);
    tables.encode[c] = EncodedValue(out, made);
  }
  // A table that cannot read back its own ASCII is not CP932.
  if (tables.single['A'] != u'A' || tables.encode[u'A'] != 'A') return false;
  tables.source = Source::Iconv;
  SetFixedEntries(tables);
  return true;
}

void CodePageTables::BuildFromQt(CodePageTables& tables) {
  constexpr QStringConverter::Flags kFlags = QStringConverter::Flag::Stateless;
  QStringDecoder decoder("Shift_JIS", kFlags);
  QStringEncoder encoder("Shift_JIS", kFlags);
  FillDecoding(tables, [&decoder](const char* in, size_t size) {
    decoder.resetState();
    return OneCharacter(decoder.decode(QByteArrayView(in, static_cast<qsizetype>(size))));
  });
  for (unsigned c = 0; c < 0x10000; ++c) {
    const char16_t unit = static_cast<char16_t>(c);
    encoder.resetState();
    const QByteArray bytes = IsSurrogate(c) ? QByteArray() : encoder.encode(QStringView(&unit, 1));
    std::uint16_t value =
        EncodedValue(reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size());
    if (value == kQtSubstitute) value = kUnencodable;
    tables.encode[c] = value;
  }
  tables.source = Source::Qt;
  SetFixedEntries(tables);
}

const CodePageTables& CodePageTables::Get() {
  // On the heap: 150 KB is too much for the stack of whichever thread comes first.
  static const std::unique_ptr<const CodePageTables> tables = [] {
    auto built = std::make_unique<CodePageTables>();
    if (!BuildFromIconv(*built)) BuildFromQt(*built);
    return built;
  }();
  return *tables;
}

}  // namespace qm
