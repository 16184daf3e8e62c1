// Tests of CodePage: Shift_JIS decoding and encoding, control bytes, bad bytes and lost characters.
#include <gtest/gtest.h>

#include "fakes/QtPrinting.h"
#include "platform/CodePage.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

QByteArray Bytes(std::initializer_list<unsigned char> list) {
  QByteArray out;
  for (unsigned char b : list) out += static_cast<char>(b);
  return out;
}

TEST(CodePageTest, ExtensionCharactersAndAsciiRoundTrip) {
  CodePage cp;
  const QString text = u"Ⅰ①髙～∥－ｱ \\~AZaz09"_s;
  const QByteArray bytes = Bytes({0x87, 0x54, 0x87, 0x40, 0xFB, 0xFC, 0x81, 0x60, 0x81, 0x61, 0x81,
                                  0x7C, 0xB1, ' ', 0x5C, 0x7E}) +
                           "AZaz09";
  QString unencodable = u"stale"_s;
  EXPECT_EQ(cp.Encode(text, &unencodable), bytes);
  EXPECT_TRUE(unencodable.isEmpty());
  qsizetype undecodable = -1;
  EXPECT_EQ(cp.Decode(bytes, &undecodable), text);
  EXPECT_EQ(undecodable, 0);
  EXPECT_TRUE(cp.CanEncode(text));
}

TEST(CodePageTest, ControlBytesMapToThemselves) {
  CodePage cp;
  // Between double-byte characters too, so the runs around them stay intact.
  const QByteArray bytes = Bytes({0x1A, 0x88, 0x9F, 0x1C, 0x7F, 0x88, 0x9F, 0x1A, 0x09, 0x00});
  const QString text = u"\u001A亜\u001C\u007F亜\u001A\t"_s + QChar(0);
  qsizetype undecodable = -1;
  EXPECT_EQ(cp.Decode(bytes, &undecodable), text);
  EXPECT_EQ(undecodable, 0);
  QString unencodable;
  EXPECT_EQ(cp.Encode(text, &unencodable), bytes);
  EXPECT_TRUE(unencodable.isEmpty());
}

struct BadBytesCase {
  const char* name;
  QByteArray bytes;
  QString text;
  qsizetype undecodable;
};

void PrintTo(const BadBytesCase& c, std::ostream* os) { *os << c.name; }

class CodePageBadBytesTest : public testing::TestWithParam<BadBytesCase> {};

TEST_P(CodePageBadBytesTest, BecomeReplacementCharactersAndAreCounted) {
  CodePage cp;
  qsizetype undecodable = -1;
  EXPECT_EQ(cp.Decode(GetParam().bytes, &undecodable), GetParam().text);
  EXPECT_EQ(undecodable, GetParam().undecodable);
}

INSTANTIATE_TEST_SUITE_P(
    , CodePageBadBytesTest,
    testing::Values(BadBytesCase{"FF", Bytes({'A', 0xFF, 'B'}), u"A\uFFFDB"_s, 1},
                    BadBytesCase{"Byte80", Bytes({'A', 0x80, 'B'}), u"A\uFFFDB"_s, 1},
                    BadBytesCase{"ByteA0", Bytes({'A', 0xA0, 'B'}), u"A\uFFFDB"_s, 1},
                    BadBytesCase{"LeadBeforeNul", Bytes({'A', 0x81, 0x00, 'B'}),
                                 u"A\uFFFD"_s + QChar(0) + u"B"_s, 1},
                    BadBytesCase{"LeadBeforeSpace", Bytes({0x81, ' ', 0x88, 0x9F}), u"\uFFFD 亜"_s,
                                 1},
                    BadBytesCase{"LeadAtEnd", Bytes({'A', 0x81}), u"A\uFFFD"_s, 1},
                    BadBytesCase{"LeadOnly", Bytes({0xE0}), u"\uFFFD"_s, 1},
                    BadBytesCase{"LeadBeforeControlByte", Bytes({'A', 0x81, 0x1A, 'B'}),
                                 u"A\uFFFD\u001AB"_s, 1},
                    BadBytesCase{"UnassignedPair", Bytes({0x85, 0x40, 'B'}), u"\uFFFDB"_s, 1},
                    BadBytesCase{"Several", Bytes({0xFF, 0x88, 0x9F, 0x80, 0x7F, 0xA0, 0x81}),
                                 u"\uFFFD亜\uFFFD\u007F\uFFFD\uFFFD"_s, 4}),
    [](const testing::TestParamInfo<BadBytesCase>& p) { return p.param.name; });

struct UnencodableCase {
  const char* name;
  QString text;
  QByteArray bytes;
  QString unencodable;
};

void PrintTo(const UnencodableCase& c, std::ostream* os) { *os << c.name; }

class CodePageUnencodableTest : public testing::TestWithParam<UnencodableCase> {};

TEST_P(CodePageUnencodableTest, BecomeQuestionMarksListedOnceInOrder) {
  CodePage cp;
  QString unencodable;
  EXPECT_EQ(cp.Encode(GetParam().text, &unencodable), GetParam().bytes);
  EXPECT_EQ(unencodable, GetParam().unencodable);
  EXPECT_FALSE(cp.CanEncode(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    , CodePageUnencodableTest,
    testing::Values(
        UnencodableCase{"Emoji", u"A😀B"_s, "A?B", u"😀"_s},
        UnencodableCase{"Yen", u"\u00A5100"_s, "?100", u"\u00A5"_s},
        UnencodableCase{"CjkExtensionB", u"𠀋亜"_s, Bytes({'?', 0x88, 0x9F}), u"𠀋"_s},
        UnencodableCase{"RepeatsListedOnce", u"😀é😀\u001Aé"_s, "???\x1A?", u"😀é"_s},
        UnencodableCase{"LoneSurrogateAtEnd", u"A"_s + QChar(0xD800), "A?", QString(QChar(0xD800))},
        UnencodableCase{"LoneSurrogateBeforeControl", u"A"_s + QChar(0xD800) + u"\u001AB"_s,
                        "A?\x1A"
                        "B",
                        QString(QChar(0xD800))},
        UnencodableCase{"LoneLowSurrogate", u"A"_s + QChar(0xDC00) + u"B"_s, "A?B",
                        QString(QChar(0xDC00))}),
    [](const testing::TestParamInfo<UnencodableCase>& p) { return p.param.name; });

TEST(CodePageTest, LongTextEncodesAcrossSlices) {
  CodePage cp;
  // A surrogate pair across the 4096-character slice edge, and a bad
  // character in the middle of the next slice.
  QString text(4095, u'a');
  text += u"😀"_s;
  text += QString(3000, u'亜');
  text += u'é';
  text += QString(3000, u'b');
  QString unencodable;
  const QByteArray bytes = cp.Encode(text, &unencodable);
  EXPECT_EQ(unencodable, u"😀é"_s);
  const QByteArray expected = QByteArray(4095, 'a') + '?' + Bytes({0x88, 0x9F}).repeated(3000) +
                              '?' + QByteArray(3000, 'b');
  EXPECT_EQ(bytes, expected);
}

TEST(CodePageTest, FailuresDoNotCarryOverToLaterCalls) {
  CodePage cp;
  qsizetype undecodable = 0;
  QString unencodable;
  cp.Decode(Bytes({0xFF, 0x81}), &undecodable);
  cp.Encode(u"😀"_s, &unencodable);
  EXPECT_EQ(cp.Decode(Bytes({0x88, 0x9F, 'a'}), &undecodable), u"亜a");
  EXPECT_EQ(undecodable, 0);
  EXPECT_EQ(cp.Encode(u"亜a"_s, &unencodable), Bytes({0x88, 0x9F, 'a'}));
  EXPECT_TRUE(unencodable.isEmpty());
}

TEST(CodePageTest, LeadByteRanges) {
  for (int b : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(CodePage::IsLeadByte(b)) << b;
  for (int b : {0x00, 0x40, 0x80, 0xA0, 0xDF, 0xFD, 0xFF})
    EXPECT_FALSE(CodePage::IsLeadByte(b)) << b;
}

}  // namespace
}  // namespace qm
