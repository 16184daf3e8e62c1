// Tests of CChapterStyles: number texts, formatting, file lines, settings defaults, editing.
#include <gtest/gtest.h>

#include "model/ChapterStyles.h"
#include "platform/MemorySettingsStore.h"
#include "res/Strings.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

struct NumberCase {
  const char* name;
  int kind;
  int n;
  const char16_t* expected;
};

class NumberTextTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberTextTest, GivesText) {
  const NumberCase& c = GetParam();
  ChapterLevelStyle style;
  style.kind = c.kind;
  const int counts[] = {c.n};
  EXPECT_EQ(CChapterStyles::NumberText(style, c.n, counts, 1, u"-"_s),
            QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NumberTextTest,
    testing::Values(NumberCase{"FullWidth", 1, 205, u"２０５"}, NumberCase{"Roman9", 2, 9, u"Ⅸ"},
                    NumberCase{"Roman10", 2, 10, u"Ⅹ"}, NumberCase{"Roman11", 2, 11, u"ⅩⅠ"},
                    NumberCase{"Roman20", 2, 20, u"ⅡⅩ"}, NumberCase{"Roman23", 2, 23, u"ⅡⅩⅢ"},
                    NumberCase{"Roman100", 2, 100, u"ⅩⅩ"}, NumberCase{"Upper27", 3, 27, u"["},
                    NumberCase{"UpperSurrogate", 3, 0xD800 - 64, u"55232"},
                    NumberCase{"LowerAboveFFFD", 4, 0xFFFE - 96, u"65438"},
                    NumberCase{"Circled21", 5, 21, u"①"}, NumberCase{"CircledZero", 5, 0, u"0"},
                    NumberCase{"Kanji11", 6, 11, u"一"}, NumberCase{"HalfKana1", 8, 1, u"ｱ"},
                    NumberCase{"HalfKana47", 8, 47, u"ﾟ"}, NumberCase{"HalfKana48", 8, 48, u"48"},
                    NumberCase{"FullKana46", 9, 46, u"゛"}, NumberCase{"Hiragana47", 10, 47, u"゜"},
                    NumberCase{"OtherKind", 13, 5, u" 5. "}),
    [](const testing::TestParamInfo<NumberCase>& p) { return std::string(p.param.name); });

TEST(ChapterStylesTest, KanaKindsAgreeWithHalfWidthLetters) {
  const ChapterLevelStyle half{{}, kNumberHalfKana, {}, {}}, full{{}, kNumberFullKana, {}, {}},
      hira{{}, kNumberHiragana, {}, {}};
  for (int n = 1; n <= 45; ++n) {
    const QString k = CChapterStyles::NumberText(full, n, nullptr, 1, {});
    EXPECT_EQ(k, CChapterStyles::NumberText(half, n, nullptr, 1, {})
                     .normalized(QString::NormalizationForm_KC))
        << n;
    EXPECT_EQ(CChapterStyles::NumberText(hira, n, nullptr, 1, {}),
              QString(QChar(k[0].unicode() - 0x60)));
  }
}

TEST(ChapterStylesTest, CustomRepeatsLastEntryAndEmptyListGivesNothing) {
  ChapterLevelStyle style{{}, kNumberCustom, {}, {u"甲"_s, u"乙"_s}};
  const QString expected[] = {u"甲"_s, u"乙"_s, u"乙"_s, u"乙"_s};
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(CChapterStyles::NumberText(style, n, nullptr, 1, {}), expected[n - 1]);
  }
  style.custom.clear();
  EXPECT_EQ(CChapterStyles::NumberText(style, 1, nullptr, 1, {}), QString());
}

TEST(ChapterStylesTest, BuiltInDefaultsFormatFirstNodes) {
  const CChapterStyles styles;
  const int counts[10] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  const QStringList expected = {u"Ⅰ."_s,  u"1."_s,  u"A."_s, u"(1)"_s, u"１."_s,
                                u"(a)"_s, u"(①)"_s, u"1."_s, u"１."_s, u"Ⅰ."_s};
  ASSERT_EQ(styles.Count(), 10);
  for (int level = 1; level <= 10; ++level) {
    EXPECT_EQ(styles.Format(level, counts), expected[level - 1]) << level;
  }
  // Levels without a style, or outside the count table, get nothing.
  EXPECT_EQ(styles.Format(0, counts), QString());
  EXPECT_EQ(styles.Format(11, counts), QString());
  EXPECT_EQ(styles.Format(CChapterStyles::kMaxLevels + 1, counts), QString());
}

TEST(ChapterStylesTest, ChapterPathJoinsLevelCountsWithSeparator) {
  CChapterStyles styles;
  styles.ReadLine(u"ShoStrNo1", u"11");
  const int counts[] = {3, 2};
  EXPECT_EQ(styles.Format(2, counts), u"3-2."_s);
  styles.SetSeparator(u"・"_s);
  EXPECT_EQ(styles.Format(2, counts), u"3・2."_s);
}

TEST(ChapterStylesTest, ReadLineClampsCountAndIgnoresBadStyleNumbers) {
  CChapterStyles styles;
  styles.ReadLine(u"ShoStrCount", u"-4");
  EXPECT_EQ(styles.Count(), 0);
  styles.ReadLine(u"ShoStrCount", u"999");
  EXPECT_EQ(styles.Count(), CChapterStyles::kMaxStyles);
  const CChapterStyles before = styles;
  for (const char16_t* key : {u"ShoStrMae200", u"ShoStrMae-1", u"ShoStrAtox", u"ShoStrNo",
                              u"ShoStrCustom99999999999", u"Other3"}) {
    styles.ReadLine(QStringView(key), u"x");
    EXPECT_EQ(styles, before) << QString::fromUtf16(key).toStdString();
  }
  styles.ReadLine(u"ShoStrMae199", u"x");
  EXPECT_EQ(styles.Style(199).prefix, u"x"_s);
}

TEST(ChapterStylesTest, WriteThenReadLineGivesBackTheTable) {
  CChapterStyles original;
  original.Append({u"%1="_s, kNumberCustom, u")"_s, {u"a"_s, u""_s, u"b"_s, u""_s}});
  original.Append({u"第"_s, kNumberCustom, u"章"_s, {}});
  original.Append({u"line\r\nbreak"_s, 13, {}, {}});
  QString text;
  original.Write(text);
  EXPECT_TRUE(text.startsWith(u"ShoStrCount=13\nShoStrMae0=\nShoStrAto0=.\nShoStrNo0=2\n"));
  EXPECT_TRUE(text.endsWith(u"ShoStrMae12=linebreak\nShoStrAto12=\nShoStrNo12=13\n"));

  CChapterStyles read;
  while (read.Remove(0)) {
  }
  for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
    const qsizetype eq = line.indexOf(u'=');
    read.ReadLine(QStringView(line).first(eq), QStringView(line).sliced(eq + 1));
  }
  ASSERT_EQ(read.Count(), original.Count());
  for (int i = 0; i < 12; ++i) EXPECT_EQ(read.Style(i), original.Style(i)) << i;
  EXPECT_EQ(read.Style(12).prefix, u"linebreak"_s);
}

TEST(ChapterStylesTest, SettingsDefaultsRoundTrip) {
  MemorySettingsStore settings;
  CChapterStyles loaded;
  loaded.Append({u"x"_s, kNumberDecimal, u"y"_s, {}});
  loaded.LoadDefaults(settings);
  EXPECT_EQ(loaded, CChapterStyles());

  CChapterStyles original;
  original.Append({u"<"_s, kNumberCustom, u">"_s, {u"a"_s, u"b"_s}});
  original.SaveDefaults(settings);
  EXPECT_FALSE(settings.Contains(u"ShoStr"_s, u"Custom00"_s));
  EXPECT_TRUE(settings.Contains(u"ShoStr"_s, u"Custom10"_s));
  loaded.LoadDefaults(settings);
  EXPECT_EQ(loaded, original);

  settings.WriteInt(u"ShoStr"_s, u"MenuNo"_s, 5000);
  settings.WriteString(u"Text"_s, u"ShowStr"_s, u"."_s);
  loaded.LoadDefaults(settings);
  EXPECT_EQ(loaded.Count(), CChapterStyles::kMaxStyles);
  EXPECT_EQ(loaded.Style(11), ChapterLevelStyle());
  EXPECT_EQ(loaded.Separator(), u"."_s);
}

TEST(ChapterStylesTest, EditingKeepsStylesInOrderAndStaysInTable) {
  CChapterStyles styles;
  EXPECT_TRUE(styles.Swap(0, 2));
  EXPECT_EQ(styles.Style(0).kind, kNumberUpperLatin);
  EXPECT_TRUE(styles.Remove(0));
  EXPECT_EQ(styles.Count(), 9);
  EXPECT_EQ(styles.Style(0).kind, kNumberDecimal);
  EXPECT_EQ(styles.Style(1).kind, kNumberRoman);
  EXPECT_EQ(styles.Style(9), ChapterLevelStyle());
  EXPECT_FALSE(styles.Remove(9));
  EXPECT_FALSE(styles.Swap(-1, 0));
  while (styles.Count() < CChapterStyles::kMaxStyles) ASSERT_TRUE(styles.Append({}));
  EXPECT_FALSE(styles.Append({}));
}

TEST(ChapterStylesTest, KindNames) {
  EXPECT_EQ(CChapterStyles::KindName(7), res::kNumberKindNames[7].toString());
  EXPECT_EQ(CChapterStyles::KindName(12, {u"a"_s, u"b"_s, u"c"_s, u"d"_s}),
            res::kCustomKindOpen.toString() + u"a,b,c,"_s + res::kCustomKindClose.toString());
  EXPECT_EQ(CChapterStyles::KindName(13), QString());
}

}  // namespace
}  // namespace qm
