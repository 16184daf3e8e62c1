// Tests of CDirData: titles, levels, icons, identifier texts, copying, the record form and
// sanitizing.
#include <gtest/gtest.h>

#include <utility>

#include "fakes/QtPrinting.h"
#include "model/DirData.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

TEST(DirDataTest, TitleAndLevelComeFromThePath) {
  CDirData node;
  node.m_strPath = u"Root\u0001Part\u0001Leaf\u0002extra"_s;
  EXPECT_EQ(node.GetTitle(), u"Leaf");
  EXPECT_EQ(node.GetLevel(), 2);
  node.m_strPath = u"Root\u0001Part\u0002x\u0001Leaf"_s;
  EXPECT_EQ(node.GetTitle(), u"Leaf");
  node.m_strPath = u"Root\u0001"_s;
  EXPECT_EQ(node.GetTitle(), QString());
  EXPECT_EQ(node.GetLevel(), 1);
  node.m_strPath = u"The root"_s;
  EXPECT_EQ(node.GetTitle(), u"The root");
  EXPECT_EQ(node.GetLevel(), 0);

  EXPECT_TRUE(IsPathBelow(u"A\u0001B"_s, u"A"_s));
  EXPECT_FALSE(IsPathBelow(u"AB\u0001C"_s, u"A"_s));
  EXPECT_FALSE(IsPathBelow(u"A"_s, u"A"_s));
  EXPECT_FALSE(IsPathBelow(u"B\u0001A"_s, u"A"_s));
}

TEST(DirDataTest, ImageAddsUpChildrenCheckLinkAndStrike) {
  for (int bits = 0; bits < 16; ++bits) {
    CDirData node;
    // Flags that do not show in the icon must not disturb it.
    node.m_nFlags = kFlagTitleOnly | kFlagNoTitle;
    node.SetCategory(200);
    if (bits & 2) node.m_nFlags |= kFlagChecked;
    if (bits & 4) node.m_strLink = u"/x.txt"_s;
    if (bits & 8) node.m_nFlags |= kFlagStruck;
    EXPECT_EQ(node.GetImage((bits & 1) != 0), bits);
  }
}

TEST(DirDataTest, CategoryIsMaskedToEightBitsBesideTheFlags) {
  CDirData node;
  node.m_nFlags = kFlagChecked | kFlagStruck;
  const std::pair<int, int> cases[] = {{0, 0},   {1, 1},    {255, 255},       {256, 0},
                                       {257, 1}, {-1, 255}, {0x7FFFFFFF, 255}};
  for (const auto& [set, got] : cases) {
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
  CDirData read;
  read.SetIdText(node.GetIdText());
  EXPECT_EQ(read.GetIdText(), node.GetIdText());
  node.m_nIdHigh = -1;
  EXPECT_EQ(node.GetIdText(), u"FFFFFFFFABCDEF2");
}

struct IdTextCase {
  const char* name;
  QString text;
  qint32 high, low, kind;  // starting from high 0, low 0x77, kind 5
};

void PrintTo(const IdTextCase& c, std::ostream* os) { *os << c.name; }

class SetIdTextTest : public testing::TestWithParam<IdTextCase> {};

TEST_P(SetIdTextTest, ReadsTheColumnsTheTextHas) {
  CDirData node;
  node.m_nIdLow = 0x77;
  node.m_nIdKind = 5;
  node.SetIdText(GetParam().text);
  EXPECT_EQ(node.m_nIdHigh, GetParam().high);
  EXPECT_EQ(node.m_nIdLow, GetParam().low);
  EXPECT_EQ(node.m_nIdKind, GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    , SetIdTextTest,
    testing::Values(IdTextCase{"Empty", QString(), 0, 0x77, 5},
                    IdTextCase{"FiveChars", u"12345"_s, 0, 0x77, 5},
                    IdTextCase{"SixChars", u"00012a"_s, 0x12A, 0x77, 1},
                    IdTextCase{"SixZeroChars", u"000000"_s, 0, 0x77, 5},
                    IdTextCase{"ElevenChars", u"00000100002"_s, 1, 0x77, 1},
                    IdTextCase{"TwelveChars", u"000001000002"_s, 1, 2, 1},
                    IdTextCase{"TwelveCharsZeroHigh", u"000000000002"_s, 0, 2, 5},
                    IdTextCase{"Full", u"00000A00000B7"_s, 0xA, 0xB, 7},
                    IdTextCase{"FullZeroHigh", u"00000000000B0"_s, 0, 0xB, 0},
                    IdTextCase{"KindNotDigit", u"00000A00000Bx"_s, 0xA, 0xB, 0},
                    IdTextCase{"OnlyOneKindDigit", u"00000A00000B25"_s, 0xA, 0xB, 2},
                    IdTextCase{"HexStopsAtOtherChar", u"12G456000-0F3"_s, 0x12, 0, 3}),
    [](const testing::TestParamInfo<IdTextCase>& p) { return p.param.name; });

TEST(DirDataTest, CopyKeepsTreeItemAndChapter) {
  CDirData source;
  source.m_strPath = u"R\u0001T"_s;
  source.m_strBody = u"body"_s;
  source.m_strLink = u"link"_s;
  source.m_nFlags = kFlagChecked;
  source.m_nIdHigh = 9;
  source.SetCreateTime(100);
  source.m_stStamp.year = 2024;
  source.m_hItem = 11;
  source.m_strChapter = u"1.1"_s;

  CDirData target;
  target.m_hItem = 22;
  target.m_strChapter = u"2."_s;
  target.CopyFrom(source);
  EXPECT_EQ(target.m_hItem, 22u);
  EXPECT_EQ(target.m_strChapter, u"2.");
  EXPECT_EQ(target.m_strPath, source.m_strPath);
  EXPECT_EQ(target.m_strBody, u"body");
  EXPECT_EQ(target.m_strLink, u"link");
  EXPECT_EQ(target.m_nFlags, kFlagChecked);
  EXPECT_EQ(target.m_nIdHigh, 9);
  EXPECT_TRUE(target.HasCreateTime());
  EXPECT_EQ(target.m_tmCreate, 100);
  EXPECT_EQ(target.m_stStamp, source.m_stStamp);
}

TEST(DirDataTest, RecordLayout) {
  CDirData node;
  node.m_strPath = u"A"_s;
  node.m_strLink = u"€"_s;
  node.m_nFlags = 0x12345 | kFlagStruck;
  node.m_bExpand = 1;
  node.m_nLine = 0x0302;
  node.m_nMark = 4;
  const QByteArray expected(
      "\x64\x00"
      "\xFF\xFE\xFF\x01\x41\x00"
      "\xFF\xFE\xFF\x00"
      "\xFF\xFE\xFF\x01\xAC\x20"
      "\x47\x23\x01\x00\x02\x03\x04\x00",
      26);
  EXPECT_EQ(node.Serialize(), expected);
}

class RecordLengthTest : public testing::TestWithParam<int> {};

TEST_P(RecordLengthTest, RoundTripsWithTheRightLengthPrefix) {
  const int length = GetParam();
  CDirData node;
  node.m_strPath = u"R\u0001"_s + QString(length, u'あ');
  node.m_strBody = QString(length, u'b');
  node.m_strLink = QString(length, QChar(0xFFFF));
  node.m_nFlags = kFlagChecked | kFlagTitleOnly;
  node.m_bExpand = 0;
  node.m_nLine = 65535;
  node.m_nMark = 3;
  const QByteArray record = node.Serialize();
  // Prefix: 3 marker bytes, then 1, 3 or 7 bytes of length.
  const auto stringSize = [](qsizetype n) { return 3 + (n < 255 ? 1 : n < 65535 ? 3 : 7) + 2 * n; };
  EXPECT_EQ(record.size(), 2 + stringSize(length + 2) + 2 * stringSize(length) + 8);

  CDirData read;
  ASSERT_TRUE(read.Deserialize(record));
  EXPECT_EQ(read.m_strPath, node.m_strPath);
  EXPECT_EQ(read.m_strBody, node.m_strBody);
  EXPECT_EQ(read.m_strLink, node.m_strLink);
  EXPECT_EQ(read.m_nFlags, node.m_nFlags);
  EXPECT_EQ(read.m_bExpand, 0);
  EXPECT_EQ(read.m_nLine, 65535);
  EXPECT_EQ(read.m_nMark, 3);
}

INSTANTIATE_TEST_SUITE_P(, RecordLengthTest,
                         testing::Values(0, 252, 253, 300, 65532, 65533, 70000));

TEST(DirDataTest, TruncatedOrBrokenRecordsAreRefused) {
  CDirData node;
  node.m_strPath = u"R\u0001T"_s;
  node.m_strBody = QString(300, u'b');
  node.m_strLink = u"L"_s;
  const QByteArray record = node.Serialize();

  CDirData target;
  target.m_strPath = u"kept"_s;
  target.m_nFlags = 7;
  for (qsizetype size = 0; size < record.size(); ++size) {
    // A copy of exactly `size` bytes, so the sanitizer catches any read past it.
    const QByteArray cut = record.first(size);
    EXPECT_FALSE(target.Deserialize(QByteArrayView(cut.constData(), size))) << size;
  }
  QByteArray badMarker = record;
  badMarker[3] = '\xFD';
  EXPECT_FALSE(target.Deserialize(badMarker));
  // A path claiming 0xFFFFFFFF code units.
  QByteArray huge =
      record.first(5) + QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + record.sliced(6);
  EXPECT_FALSE(target.Deserialize(huge));
  EXPECT_EQ(target.m_strPath, u"kept");
  EXPECT_EQ(target.m_nFlags, 7);
}

TEST(DirDataTest, SanitizeRemovesSeparatorsAndLineBreaksFromLines) {
  const QString text = u"\u0001a\u0002b\u0008c\td\r\ne\u0009\u000Bf"_s + QChar(0);
  EXPECT_EQ(CDirData::SanitizeLine(text), u"abc\tde\t\u000Bf"_s + QChar(0));
  EXPECT_EQ(CDirData::SanitizeBody(text), u"abc\td\r\ne\t\u000Bf"_s + QChar(0));
  EXPECT_EQ(CDirData::SanitizeLine(u"clean"_s), u"clean");
  EXPECT_EQ(CDirData::SanitizeBody(u"line\r\nline"_s), u"line\r\nline");
}

}  // namespace
}  // namespace qm
