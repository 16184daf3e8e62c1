// Tests of CDirData: path rules, icons, categories, identifier texts, copying, records, sanitizing.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/DirData.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

TEST(DirDataTest, TitleAndLevelComeFromThePath) {
  CDirData node;
  node.m_strPath = u"Root\u0001Part\u0001Leaf\u0002extra"_s;
  EXPECT_EQ(node.GetTitle(), u"Leaf");
  EXPECT_EQ(node.GetLevel(), 2);
  node.m_strPath = u"The root"_s;
  EXPECT_EQ(node.GetTitle(), u"The root");
  EXPECT_EQ(node.GetLevel(), 0);
  EXPECT_TRUE(IsPathBelow(u"A\u0001B"_s, u"A"_s));
  EXPECT_FALSE(IsPathBelow(u"AB\u0001C"_s, u"A"_s));
  EXPECT_FALSE(IsPathBelow(u"A"_s, u"A"_s));
}

TEST(DirDataTest, ImageAddsUpChildrenCheckLinkAndStrike) {
  for (int bits = 0; bits < 16; ++bits) {
    CDirData node;
    node.m_nFlags = kFlagTitleOnly | kFlagNoTitle | (200 << kCategoryShift);  // not shown
    if (bits & 2) node.m_nFlags |= kFlagChecked;
    if (bits & 4) node.m_strLink = u"/x.txt"_s;
    if (bits & 8) node.m_nFlags |= kFlagStruck;
    EXPECT_EQ(node.GetImage((bits & 1) != 0), bits);
  }
}

TEST(DirDataTest, CategoryIsMaskedToEightBitsBesideTheFlags) {
  CDirData node;
  node.m_nFlags = kFlagChecked | kFlagStruck;
  for (const auto& [set, got] : std::array<std::pair<int, int>, 5>{
           {{255, 255}, {256, 0}, {257, 1}, {-1, 255}, {0x7FFFFFFF, 255}}}) {
    node.SetCategory(set);
    EXPECT_EQ(node.GetCategory(), got) << set;
    EXPECT_EQ(node.m_nFlags & ~kCategoryMask, kFlagChecked | kFlagStruck) << set;
  }
}

TEST(DirDataTest, IdTextIsHexHexDigit) {
  CDirData node;
  node.m_nIdHigh = 0x1A2B;
  node.m_nIdLow = 0xABCDEF;
  node.m_nIdKind = 2;
  EXPECT_EQ(node.GetIdText(), u"001A2BABCDEF2");
}

struct IdTextCase {
  const char* name;
  QString text;
  qint32 high, low, kind;  // starting from high 0, low 0x77, kind 5
};

class SetIdTextTest : public testing::TestWithParam<IdTextCase> {};

TEST_P(SetIdTextTest, ReadsTheColumnsTheTextHas) {
  CDirData node;
  node.m_nIdLow = 0x77;
  node.m_nIdKind = 5;
  node.SetIdText(GetParam().text);
  EXPECT_EQ((std::array{node.m_nIdHigh, node.m_nIdLow, node.m_nIdKind}),
            (std::array{GetParam().high, GetParam().low, GetParam().kind}));
}

INSTANTIATE_TEST_SUITE_P(
    , SetIdTextTest,
    testing::Values(IdTextCase{"FiveChars", u"12345"_s, 0, 0x77, 5},
                    IdTextCase{"SixChars", u"00012a"_s, 0x12A, 0x77, 1},
                    IdTextCase{"SixZeroChars", u"000000"_s, 0, 0x77, 5},
                    IdTextCase{"TwelveChars", u"000001000002"_s, 1, 2, 1},
                    IdTextCase{"TwelveCharsZeroHigh", u"000000000002"_s, 0, 2, 5},
                    IdTextCase{"Full", u"00000A00000B7"_s, 0xA, 0xB, 7},
                    IdTextCase{"KindNotDigit", u"00000A00000Bx"_s, 0xA, 0xB, 0},
                    IdTextCase{"OnlyOneKindDigit", u"00000A00000B25"_s, 0xA, 0xB, 2},
                    IdTextCase{"HexStopsAtOtherChar", u"12G456000-0F3"_s, 0x12, 0, 3}),
    [](const testing::TestParamInfo<IdTextCase>& p) { return p.param.name; });

TEST(DirDataTest, CopyKeepsTreeItemAndChapter) {
  CDirData source;
  source.m_strPath = u"R\u0001T"_s;
  source.m_nIdHigh = 9;
  source.SetCreateTime(100);
  source.m_hItem = 11;
  source.m_strChapter = u"1.1"_s;
  CDirData target;
  target.m_hItem = 22;
  target.m_strChapter = u"2."_s;
  target.CopyFrom(source);
  EXPECT_EQ(target.m_hItem, 22u);
  EXPECT_EQ(target.m_strChapter, u"2.");
  EXPECT_EQ(target.m_strPath, source.m_strPath);
  EXPECT_EQ(target.m_nIdHigh, 9);
  EXPECT_TRUE(target.HasCreateTime());
}

TEST(DirDataTest, RecordLayout) {
  CDirData node;
  node.m_strPath = u"A"_s;
  node.m_strLink = u"€"_s;
  node.m_nFlags = 0x12345 | kFlagStruck;  // the category bits are not stored
  node.m_nLine = 0x0302;
  node.m_nMark = 4;
  EXPECT_EQ(node.Serialize(), QByteArray("\x64\x00"
                                         "\xFF\xFE\xFF\x01\x41\x00"
                                         "\xFF\xFE\xFF\x00"
                                         "\xFF\xFE\xFF\x01\xAC\x20"
                                         "\x47\x23\x01\x00\x02\x03\x04\x00",
                                         26));
}

class RecordLengthTest : public testing::TestWithParam<int> {};

TEST_P(RecordLengthTest, RoundTripsWithTheRightLengthPrefix) {
  const int length = GetParam();
  CDirData node;
  node.m_strPath = QString(length, u'あ');
  node.m_strBody = QString(length, QChar(0xFFFF));
  node.m_nFlags = kFlagChecked | kFlagTitleOnly;
  node.m_bExpand = 0;
  node.m_nLine = 65535;
  const QByteArray record = node.Serialize();
  // Each string: 3 marker bytes, 1, 3 or 7 bytes of length, the text.
  const int prefix = 3 + (length < 255 ? 1 : length < 65535 ? 3 : 7);
  EXPECT_EQ(record.size(), 2 + 2 * (prefix + 2 * length) + 4 + 8);

  CDirData read;
  ASSERT_TRUE(read.Deserialize(record));
  EXPECT_EQ(read.m_strPath, node.m_strPath);
  EXPECT_EQ(read.m_strBody, node.m_strBody);
  EXPECT_EQ((std::array{read.m_nFlags, read.m_bExpand, read.m_nLine}),
            (std::array{node.m_nFlags, 0, 65535}));
}

INSTANTIATE_TEST_SUITE_P(, RecordLengthTest, testing::Values(0, 254, 255, 300, 65535, 70000));

TEST(DirDataTest, TruncatedOrBrokenRecordsAreRefused) {
  CDirData node;
  node.m_strPath = u"R\u0001T"_s;
  node.m_strBody = QString(300, u'b');
  const QByteArray record = node.Serialize();
  CDirData target;
  target.m_strPath = u"kept"_s;
  for (qsizetype size = 0; size < record.size(); ++size) {
    // Exactly `size` bytes on the heap, so the sanitizer catches any read past them.
    const std::vector<char> cut(record.cbegin(), record.cbegin() + size);
    EXPECT_FALSE(target.Deserialize(QByteArrayView(cut.data(), size))) << size;
  }
  QByteArray badMarker = record;
  badMarker[3] = '\xFD';
  EXPECT_FALSE(target.Deserialize(badMarker));
  // A path claiming 0xFFFFFFFF code units.
  EXPECT_FALSE(target.Deserialize(record.first(5) + QByteArray(7, '\xFF') + record.sliced(6)));
  EXPECT_EQ(target.m_strPath, u"kept");
}

TEST(DirDataTest, SanitizeRemovesSeparatorsEndOfFileMarksAndLineBreaksFromLines) {
  const QString text = u"\u0001a\u0002b\u0008c\td\r\ne\u001A\u000Bf"_s + QChar(0);
  EXPECT_EQ(CDirData::SanitizeLine(text), u"abc\tde\u000Bf"_s + QChar(0));
  EXPECT_EQ(CDirData::SanitizeBody(text), u"abc\td\r\ne\u000Bf"_s + QChar(0));
}

}  // namespace
}  // namespace qm
