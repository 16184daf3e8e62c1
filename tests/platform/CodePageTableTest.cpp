// Tests of the table-driven CodePage against the ICU conversion it replaced
// and against the host's iconv: every byte, every byte pair, every UTF-16
// code unit, and long mixed inputs that cross run and slice edges.
#include <gtest/gtest.h>
#include <iconv.h>

#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>

#include "platform/CodePage.h"
#include "platform/CodePageTables.h"
#include "support/IcuReferenceCodec.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

// Characters the old converter wrote as bytes that read back as another
// character (№); they are now unencodable and listed.
const std::set<char16_t> kOldOneWay = {0xF86F};
// Characters iconv writes as bytes that read back as another character
// (U+00A5 as the backslash, U+301C as U+FF5E...); unencodable here, as
// they were before.
const std::set<char16_t> kIconvOneWay = {0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x2014,
                                         0x2016, 0x203E, 0x2212, 0x301C};

// The whole input through iconv in one call, or nothing when any of it fails.
std::optional<QByteArray> Iconv(const char* to, const char* from, QByteArrayView in) {
  const iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  QByteArray out(in.size() * 4 + 8, Qt::Uninitialized);
  char* input = const_cast<char*>(in.data());
  size_t inLeft = static_cast<size_t>(in.size());
  char* output = out.data();
  size_t outLeft = static_cast<size_t>(out.size());
  const bool ok = iconv(cd, &input, &inLeft, &output, &outLeft) != static_cast<size_t>(-1);
  iconv_close(cd);
  if (!ok || inLeft != 0) return std::nullopt;
  out.truncate(output - out.data());
  return out;
}

QString FromUtf16Le(const QByteArray& bytes) {
  return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

// The code units, readable where a lone surrogate has no printable form.
std::string Units(const QString& text) {
  std::string out;
  for (const QChar c : text) out += QString::number(c.unicode(), 16).toStdString() + ' ';
  return out;
}

bool HasCp932Iconv() {
  const auto tables = std::make_unique<CodePageTables>();
  return CodePageTables::BuildFromIconv(*tables);
}

struct Decoded {
  QString text;
  Undecodable found;
};

template <typename Codec>
Decoded DecodeWith(Codec& codec, QByteArrayView bytes) {
  Decoded result;
  result.text = codec.Decode(bytes, &result.found);
  return result;
}

void ExpectSameDecoding(CodePage& cp, test::IcuReferenceCodec& old, QByteArrayView bytes) {
  const Decoded now = DecodeWith(cp, bytes);
  const Decoded then = DecodeWith(old, bytes);
  ASSERT_EQ(now.text, then.text) << bytes.toByteArray().toHex(' ').constData();
  ASSERT_EQ(now.found.count, then.found.count) << bytes.toByteArray().toHex(' ').constData();
  ASSERT_EQ(now.found.sequences, then.found.sequences)
      << bytes.toByteArray().toHex(' ').constData();
}

TEST(CodePageTableTest, IconvAndQtBuildTheSameTables) {
  // The program falls back to Qt's converter where iconv lacks the code
  // page: both sources must give one mapping.
  const auto fromIconv = std::make_unique<CodePageTables>();
  if (!CodePageTables::BuildFromIconv(*fromIconv)) GTEST_SKIP() << "no CP932 in iconv";
  const auto fromQt = std::make_unique<CodePageTables>();
  CodePageTables::BuildFromQt(*fromQt);
  EXPECT_TRUE(fromIconv->single == fromQt->single);
  EXPECT_TRUE(fromIconv->pairs == fromQt->pairs);
  EXPECT_TRUE(fromIconv->encode == fromQt->encode);
  EXPECT_EQ(CodePageTables::Get().source, CodePageTables::Source::Iconv);
}

TEST(CodePageTableTest, EveryByteAndBytePairDecodesAsBefore) {
  CodePage cp;
  test::IcuReferenceCodec old;
  for (int first = 0; first < 0x100; ++first) {
    const char one = static_cast<char>(first);
    ExpectSameDecoding(cp, old, QByteArrayView(&one, 1));
    // Every second byte, valid trail or not: a pair, a lone lead before a
    // byte read afresh, or two single bytes.
    for (int second = 0; second < 0x100; ++second) {
      const char two[2] = {one, static_cast<char>(second)};
      ExpectSameDecoding(cp, old, QByteArrayView(two, 2));
    }
  }
}

TEST(CodePageTableTest, EveryByteAndBytePairDecodesAsIconvDoes) {
  if (!HasCp932Iconv()) GTEST_SKIP() << "no CP932 in iconv";
  CodePage cp;
  for (int first = 0; first < 0x100; ++first) {
    for (int second = -1; second < 0x100; ++second) {
      QByteArray bytes(1, static_cast<char>(first));
      if (second >= 0) bytes += static_cast<char>(second);
      qsizetype undecodable = 0;
      const QString text = cp.Decode(bytes, &undecodable);
      const auto expected = Iconv("UTF-16LE", "CP932", bytes);
      if (expected) {
        ASSERT_EQ(text, FromUtf16Le(*expected)) << bytes.toHex(' ').constData();
        ASSERT_EQ(undecodable, 0) << bytes.toHex(' ').constData();
      } else {
        // What iconv refuses is a replacement character here, never a guess.
        ASSERT_GT(undecodable, 0) << bytes.toHex(' ').constData();
      }
    }
  }
}

TEST(CodePageTableTest, EveryCodeUnitEncodesAsBeforeButTheOldOneWayMappings) {
  CodePage cp;
  test::IcuReferenceCodec old;
  for (int unit = 0; unit < 0x10000; ++unit) {
    const QString text(QChar(static_cast<char16_t>(unit)));
    QString nowList;
    QString thenList;
    const QByteArray now = cp.Encode(text, &nowList);
    const QByteArray then = old.Encode(text, &thenList);
    if (kOldOneWay.count(static_cast<char16_t>(unit))) {
      EXPECT_EQ(now, "?");
      EXPECT_EQ(nowList, text);
      EXPECT_NE(then, "?");
      continue;
    }
    ASSERT_EQ(now, then) << std::hex << unit;
    ASSERT_EQ(nowList, thenList) << std::hex << unit;
    ASSERT_EQ(cp.CanEncode(text), old.CanEncode(text)) << std::hex << unit;
  }
}

TEST(CodePageTableTest, EveryCodeUnitEncodesAsIconvDoesButItsOneWayMappings) {
  if (!HasCp932Iconv()) GTEST_SKIP() << "no CP932 in iconv";
  CodePage cp;
  std::set<char16_t> differing;
  for (int unit = 0; unit < 0x10000; ++unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF) continue;
    const char16_t c = static_cast<char16_t>(unit);
    // After a letter, so that U+FEFF cannot pass for a byte order mark.
    const QString text = u"A"_s + QChar(c);
    const QByteArray now = cp.Encode(text);
    const auto expected =
        Iconv("CP932", "UTF-16LE", QByteArrayView(reinterpret_cast<const char*>(text.utf16()), 4));
    if (now != expected.value_or("A?")) differing.insert(c);
  }
  EXPECT_EQ(differing, kIconvOneWay);
}

TEST(CodePageTableTest, EveryEncodableCodeUnitReadsBackAsItself) {
  CodePage cp;
  int encodable = 0;
  for (int unit = 0; unit < 0x10000; ++unit) {
    const QString text(QChar(static_cast<char16_t>(unit)));
    if (!cp.CanEncode(text)) continue;
    ++encodable;
    qsizetype undecodable = -1;
    ASSERT_EQ(cp.Decode(cp.Encode(text), &undecodable), text) << std::hex << unit;
    ASSERT_EQ(undecodable, 0);
  }
  // ASCII, the controls, half-width katakana and the double-byte characters.
  EXPECT_EQ(encodable, 9397);
}

TEST(CodePageTableTest, SurrogatesEncodeAsBefore) {
  CodePage cp;
  test::IcuReferenceCodec old;
  const QString cases[] = {
      u"😀"_s,
      u"a𐀀b"_s,
      u"𠮟𠮟"_s,
      u"x\U0010FFFF"_s,
      QString(QChar(0xDBFF)) + u'a',
      u"a"_s + QChar(0xDC00) + u"亜"_s,
      QString(QChar(0xDC00)) + QChar(0xD800),
  };
  for (const QString& text : cases) {
    QString nowList;
    QString thenList;
    EXPECT_EQ(cp.Encode(text, &nowList), old.Encode(text, &thenList)) << Units(text);
    EXPECT_EQ(nowList, thenList) << Units(text);
    EXPECT_FALSE(cp.CanEncode(text)) << Units(text);
  }
}

TEST(CodePageTableTest, LongMixedInputsConvertAsBefore) {
  // Runs around control bytes, slices of thousands of characters and bad
  // input scattered among them.
  std::mt19937 random(12);
  const char16_t pool[] = {u'a', u'\\',  u'~',   u'\r',  u'\n',  0x1A,  0x1C,
                           0x7F, 0,      u'亜',  u'髙',  u'Ⅰ',   u'①',  u'～',
                           u'ｱ', 0x00A5, 0x00E9, 0x200B, 0xFEFF, 0xE000};
  for (int round = 0; round < 20; ++round) {
    QByteArray bytes;
    QString text;
    for (int i = 0; i < 20'000; ++i) {
      bytes += static_cast<char>(random() % 8 ? random() % 0x100 : 0x88);
      const auto pick = random() % (std::size(pool) + 1);
      if (pick == std::size(pool)) {
        text += u"😀"_s;
      } else {
        text += QChar(pool[pick]);
      }
    }
    CodePage cp;
    test::IcuReferenceCodec old;
    ExpectSameDecoding(cp, old, bytes);
    QString nowList;
    QString thenList;
    ASSERT_EQ(cp.Encode(text, &nowList), old.Encode(text, &thenList));
    ASSERT_EQ(nowList, thenList);
  }
}

}  // namespace
}  // namespace qm
