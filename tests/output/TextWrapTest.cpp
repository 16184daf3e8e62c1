// Tests of the code-page widths and the line wrapping of the text output.
#include <gtest/gtest.h>

#include "output/TextWrap.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

TEST(CodePageWidthsTest, CountsTheBytesTheCodePageWrites) {
  CodePageWidths widths;
  EXPECT_EQ(widths.Of(u"a1 ."_s), 4);
  EXPECT_EQ(widths.Of(u"ｱｲｳ"_s), 3);  // half-width katakana: one byte each
  EXPECT_EQ(widths.Of(u"あⅠ①髙，"_s), 10);
  // Written as one "?" each, a surrogate pair too.
  EXPECT_EQ(widths.Of(u"\u0E01😀"_s), 2);
  // Learnt widths stay right when asked again.
  EXPECT_EQ(widths.Of(u"あa"_s), 3);
}

QString Wrap(const QString& heading, const QString& text, WrapLayout layout) {
  CodePageWidths widths;
  QString out;
  AppendWrapped(out, heading, text, layout, widths);
  return out;
}

WrapLayout Spaces(int indent, int width) { return WrapLayout{false, indent, width, 8}; }
WrapLayout Tabs(int indent, int width, int tabWidth) {
  return WrapLayout{true, indent, width, tabWidth};
}

struct WrapCase {
  const char* name;
  const char16_t* heading;
  const char16_t* text;
  WrapLayout layout;
  const char16_t* expected;
};

class WrapTest : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapTest, LaysOutLines) {
  const WrapCase& c = GetParam();
  EXPECT_EQ(Wrap(QString::fromUtf16(c.heading), QString::fromUtf16(c.text), c.layout),
            QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, WrapTest,
    testing::Values(
        WrapCase{"EmptyTextIsOneLineBreak", u"1. ", u"", Spaces(2, 80), u"\r\n"},
        WrapCase{"FitsOnOneLine", u"1. ", u"abc", Spaces(2, 80), u"  1. abc\r\n"},
        // Room 10 - 2 - 3 = 5; later lines hang under the text.
        WrapCase{"HangingIndentUnderTheHeading", u"1. ", u"abcdefghijkl", Spaces(2, 10),
                 u"  1. abcde\r\n     fghij\r\n     kl\r\n"},
        WrapCase{"CutsAfterALineBreakThatFits", u"", u"ab\r\ncdef", Spaces(0, 4),
                 u"ab\r\ncdef\r\n"},
        // The line break needs 2 more bytes than the room has left: cut before it,
        // never between its CR and LF.
        WrapCase{"KeepsCrWithLf", u"", u"abc\r\nd", Spaces(0, 4), u"abc\r\n\r\nd\r\n"},
        // 1 + 4 × 2 = 9 bytes; the next kana would need 11.
        WrapCase{"NeverSplitsADoubleByteCharacter", u"", u"aあいうえおか", Spaces(0, 10),
                 u"aあいうえ\r\nおか\r\n"},
        WrapCase{"RoomOfTwoAfterASingleByte", u"", u"aあ", Spaces(0, 2), u"a\r\nあ\r\n"},
        WrapCase{"RoomOfOneStillTakesAWholeCharacter", u"", u"あい", Spaces(0, 1), u"あ\r\nい\r\n"},
        WrapCase{"NoRoomCutsOnlyAtLineBreaks", u"1.", u"abcdefgh\r\nxyz", Spaces(3, 5),
                 u"   1.abcdefgh\r\n     xyz\r\n"},
        WrapCase{"FullStopFollowsItsLine", u"", u"あいう。えお", Spaces(0, 6),
                 u"あいう。\r\nえお\r\n"},
        WrapCase{"CommaFollowsItsLine", u"", u"ab，cd", Spaces(0, 2), u"ab，\r\ncd\r\n"},
        WrapCase{"IdeographicCommaFollowsItsLine", u"", u"abc、d", Spaces(0, 3), u"abc、\r\nd\r\n"},
        // With tabs the room is the width less the tabs' width; the heading
        // is not subtracted and the punctuation rule does not apply.
        WrapCase{"TabsCountTheirWidth", u"1. ", u"あいう。え", Tabs(1, 10, 4),
                 u"\t1. あいう\r\n\t   。え\r\n"},
        WrapCase{"TabsWithoutRoom", u"", u"abc", Tabs(3, 10, 4), u"\t\t\tabc\r\n"}),
    [](const testing::TestParamInfo<WrapCase>& param) { return std::string(param.param.name); });

TEST(WrapTest, IndentDeeperThanTheWidthStillEndsAndKeepsEveryCharacter) {
  const QString text = u"長い本文の一行目\r\n二行目"_s;
  const QString out = Wrap(u"Ⅰ."_s, text, Spaces(100, 80));
  EXPECT_EQ(
      out, QString(100, u' ') + u"Ⅰ.長い本文の一行目\r\n"_s + QString(103, u' ') + u"二行目\r\n"_s);
}

}  // namespace
}  // namespace qm
