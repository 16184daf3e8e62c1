// Tests of CodePage: Shift_JIS decoding and encoding, control bytes, bad bytes and lost characters.
#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

QByteArray Bytes(std::initializer_list<unsigned char> list) {
  QByteArray out;
  for (unsigned char b : list) out += static_cast<char>(b);
  return out;
}

TEST(CodePageTest, ExtensionsAsciiAndControlBytesRoundTrip) {
  CodePage cp;
  // Control bytes between double-byte characters, so the runs around them stay intact.
  const QString text = u"Ⅰ①髙～∥－ｱ\u001A亜\u001C\u007F\\~\t"_s;
  const QByteArray bytes = Bytes({0x87, 0x54, 0x87, 0x40, 0xFB, 0xFC, 0x81, 0x60, 0x81, 0x61, 0x81,
                                  0x7C, 0xB1, 0x1A, 0x88, 0x9F, 0x1C, 0x7F, 0x5C, 0x7E, 0x09});
  QString unencodable = u"stale"_s;
  EXPECT_EQ(cp.Encode(text, &unencodable), bytes);
  EXPECT_TRUE(unencodable.isEmpty());
  qsizetype undecodable = -1;
  EXPECT_EQ(cp.Decode(bytes, &undecodable), text);
  EXPECT_EQ(undecodable, 0);
}

struct BadBytesCase {
  const char* name;
  QByteArray bytes;
  QString text;
  qsizetype undecodable;
};

class CodePageBadBytesTest : public testing::TestWithParam<BadBytesCase> {};

TEST_P(CodePageBadBytesTest, BecomeReplacementCharactersAndAreCounted) {
  CodePage cp;
  qsizetype undecodable = -1;
  EXPECT_EQ(cp.Decode(GetParam().bytes, &undecodable), GetParam().text);
  EXPECT_EQ(undecodable, GetParam().undecodable);
}

INSTANTIATE_TEST_SUITE_P(
    , CodePageBadBytesTest,
    testing::Values(BadBytesCase{"SingleBytes", Bytes({0xFF, 'A', 0x80, 0xA0, 0x7F}),
                                 u"\uFFFDA\uFFFD\uFFFD\u007F"_s, 3},
                    BadBytesCase{"LeadBeforeNul", Bytes({'A', 0x81, 0x00, 'B'}),
                                 u"A\uFFFD"_s + QChar(0) + u"B"_s, 1},
                    BadBytesCase{"LeadAtEnd", Bytes({'A', 0x81}), u"A\uFFFD"_s, 1},
                    BadBytesCase{"LeadBeforeControlByte", Bytes({0x81, 0x1A, 0x88, 0x9F}),
                                 u"\uFFFD\u001A亜"_s, 1},
                    BadBytesCase{"UnassignedPair", Bytes({0x85, 0x40, 'B'}), u"\uFFFDB"_s, 1}),
    [](const testing::TestParamInfo<BadBytesCase>& p) { return p.param.name; });

TEST(CodePageTest, UndecodableByteSequencesAreListedOnceInOrder) {
  CodePage cp;
  Undecodable found;
  // A lone byte, an unassigned pair, a lead byte before a byte that cannot
  // follow it, a repeat, and a lead byte cut off by the end.
  const QByteArray bytes = Bytes({0xFF, 'A', 0x85, 0x40, 0x81, 0x00, 0x88, 0x9F, 0xFF, 0x1A, 0xE0});
  EXPECT_EQ(cp.Decode(bytes, &found),
            u"\uFFFDA\uFFFD\uFFFD"_s + QChar(0) + u"亜\uFFFD\u001A\uFFFD"_s);
  EXPECT_EQ(found.count, 5);
  EXPECT_EQ(found.sequences,
            (QList<QByteArray>{Bytes({0xFF}), Bytes({0x85, 0x40}), Bytes({0x81}), Bytes({0xE0})}));
}

TEST(CodePageTest, TheListOfUndecodableSequencesIsBounded) {
  CodePage cp;
  QByteArray bytes;
  for (int i = 0; i < 40; ++i) bytes += Bytes({0x85, static_cast<unsigned char>(0x40 + i)});
  Undecodable found;
  cp.Decode(bytes, &found);
  EXPECT_EQ(found.count, 40);
  ASSERT_EQ(found.sequences.size(), Undecodable::kMaxListed);
  EXPECT_EQ(found.sequences.first(), Bytes({0x85, 0x40}));
}

struct UnencodableCase {
  const char* name;
  QString text;
  QByteArray bytes;
  QString unencodable;
};

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
    testing::Values(UnencodableCase{"Emoji", u"A😀B"_s, "A?B", u"😀"_s},
                    UnencodableCase{"Yen", u"\u00A5100"_s, "?100", u"\u00A5"_s},
                    UnencodableCase{"CjkExtensionB", u"𠀋亜"_s, Bytes({'?', 0x88, 0x9F}), u"𠀋"_s},
                    UnencodableCase{"RepeatsListedOnce", u"😀é😀\u001Aé"_s, "???\x1A?", u"😀é"_s},
                    UnencodableCase{"LoneSurrogateAtEnd", u"A"_s + QChar(0xD800), "A?",
                                    QString(QChar(0xD800))},
                    // A lone surrogate is a character of its own, not half of a listed pair.
                    UnencodableCase{"LoneHalfOfAListedPair", u"😀"_s + QChar(0xD83D) + u'a', "??a",
                                    u"😀"_s + QChar(0xD83D)},
                    // Characters that would come back as another one on reading (the
                    // wave dash as the full-width tilde, a private-use character as №).
                    UnencodableCase{"OneWayMappings", u"\u301C\u2014\uF86F\u2116"_s,
                                    Bytes({'?', '?', '?', 0x87, 0x82}), u"\u301C\u2014\uF86F"_s}),
    [](const testing::TestParamInfo<UnencodableCase>& p) { return p.param.name; });

TEST(CodePageTest, NoCharacterVanishesWithoutATrace) {
  // The host's converter skips the characters a renderer may ignore
  // (U+200B, U+FEFF, U+FFF0..U+FFF8, tags...) instead of substituting them:
  // every character must come out as its bytes or as a listed "?".
  CodePage cp;
  // Every character of the planes that hold ignorable ones (0, 1 and 14),
  // a sample of the others.
  for (char32_t c = 1; c < 0x110000;
       c += (c < 0x20000 || (c >= 0xE0000 && c < 0xF0000)) ? 1 : 127) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    // Built by hand: reading UCS-4 would take a leading U+FEFF for a byte order mark.
    QString one;
    if (QChar::requiresSurrogates(c)) {
      one += QChar(QChar::highSurrogate(c));
      one += QChar(QChar::lowSurrogate(c));
    } else {
      one += QChar(static_cast<char16_t>(c));
    }
    QString unencodable;
    const QByteArray bytes = cp.Encode(one + u'x', &unencodable);
    ASSERT_GT(bytes.size(), 1) << std::hex << static_cast<unsigned>(c);
    if (c == u'?') continue;
    ASSERT_EQ(bytes == "?x", unencodable == one) << std::hex << static_cast<unsigned>(c);
  }
}

TEST(CodePageTest, AnIgnorableCharacterIsTheSameQuestionMarkInEverySlice) {
  // Once in a slice with nothing else unencodable, once beside an emoji:
  // both must be "?", or paths holding it would no longer match.
  CodePage cp;
  const QString text = u"a\u200Bb"_s + QString(4096, u'c') + u"\u200B😀"_s;
  QString unencodable;
  const QByteArray bytes = cp.Encode(text, &unencodable);
  EXPECT_TRUE(bytes.startsWith("a?b"));
  EXPECT_TRUE(bytes.endsWith("??"));
  EXPECT_EQ(unencodable, u"\u200B😀"_s);
}

TEST(CodePageTest, LongTextEncodesAcrossSlices) {
  CodePage cp;
  // A surrogate pair across the 4096-character slice edge, and a bad
  // character in the middle of the next slice.
  const QString text =
      QString(4095, u'a') + u"😀"_s + QString(3000, u'亜') + u'é' + QString(3000, u'b');
  QString unencodable;
  EXPECT_EQ(cp.Encode(text, &unencodable), QByteArray(4095, 'a') + '?' +
                                               Bytes({0x88, 0x9F}).repeated(3000) + '?' +
                                               QByteArray(3000, 'b'));
  EXPECT_EQ(unencodable, u"😀é"_s);
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
  for (int b : {0x40, 0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(CodePage::IsLeadByte(b)) << b;
}

}  // namespace
}  // namespace qm
