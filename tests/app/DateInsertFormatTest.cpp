// Behaviour of the inserted date text: the options on a known Friday, era
// years around their changes, the time suffix in the local zone, the
// settings round trip and the format dialog's rules.
#include <gtest/gtest.h>

#include "app/DateInsertFormat.h"
#include "model/TimeText.h"
#include "platform/MemorySettingsStore.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

enum : unsigned { kYear = 1, kYear4 = 2, kEra = 4, kKanji = 8, kNoWeekday = 16 };

DateInsertOptions Options(unsigned flags, const char* mark = "/") {
  DateInsertOptions options;
  options.year = flags & kYear;
  options.fourDigitYear = flags & kYear4;
  options.eraYear = flags & kEra;
  options.kanjiUnits = flags & kKanji;
  options.weekday = !(flags & kNoWeekday);
  options.mark = QString::fromUtf8(mark);
  return options;
}

qint32 LocalTime(QStringView digits14) {
  qint32 time = 0;
  EXPECT_TRUE(ParseTime14(digits14, time));
  return time;
}

struct FormatCase {
  const char* name;
  DateInsertOptions options;
  const char* expected;
};

class FormatInsertDateOptions : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatInsertDateOptions, FormatFriday5March2010) {
  EXPECT_EQ(FormatInsertDate({2010, 3, 5}, GetParam().options),
            QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    DateInsertFormat, FormatInsertDateOptions,
    testing::Values(
        FormatCase{"Defaults", DateInsertOptions{}, "03/05(金)"},
        FormatCase{"FourDigitYear", Options(kYear | kYear4), "2010/03/05(金)"},
        FormatCase{"TwoDigitYear", Options(kYear), "10/03/05(金)"},
        // The kanji units keep the two-digit year too; four digits need the 4-digit box.
        FormatCase{"KanjiUnitsTwoDigitYear", Options(kYear | kKanji), "10年03月05日(金)"},
        FormatCase{"KanjiUnitsFourDigitYear", Options(kYear | kYear4 | kKanji, "-"),
                   "2010年03月05日(金)"},
        FormatCase{"EraYearIgnoresFourDigits", Options(kYear | kYear4 | kEra), "平成22/03/05(金)"},
        FormatCase{"EraYearWithKanjiUnits", Options(kYear | kEra | kKanji), "平成22年03月05日(金)"},
        FormatCase{"EraWithoutYearWritesNoYear", Options(kEra), "03/05(金)"},
        FormatCase{"HyphenWithoutWeekday", Options(kNoWeekday, "-"), "03-05"},
        FormatCase{"EmptyMarkJoinsTheNumbers", Options(0, ""), "0305(金)"}),
    [](const testing::TestParamInfo<FormatCase>& row) { return std::string(row.param.name); });

TEST(DateInsertFormat, TwoDigitYearsAndWeekdaysAtTheirEdges) {
  EXPECT_EQ(FormatInsertDate({2000, 1, 2}, Options(kYear)), QStringLiteral("00/01/02(日)"));
  EXPECT_EQ(FormatInsertDate({2036, 12, 27}, Options(kYear)), QStringLiteral("36/12/27(土)"));
}

TEST(DateInsertFormat, EraYearsChangeOnTheirFirstDay) {
  const DateInsertOptions options = Options(kYear | kEra | kKanji | kNoWeekday);
  EXPECT_EQ(FormatInsertDate({1925, 12, 31}, options), QStringLiteral("1925年12月31日"));
  EXPECT_EQ(FormatInsertDate({1926, 1, 1}, options), QStringLiteral("昭和1年01月01日"));
  EXPECT_EQ(FormatInsertDate({1989, 1, 6}, options), QStringLiteral("昭和64年01月06日"));
  EXPECT_EQ(FormatInsertDate({1989, 1, 7}, options), QStringLiteral("平成1年01月07日"));
  EXPECT_EQ(FormatInsertDate({2019, 4, 30}, options), QStringLiteral("平成31年04月30日"));
  EXPECT_EQ(FormatInsertDate({2019, 5, 1}, options), QStringLiteral("令和1年05月01日"));
}

TEST(DateInsertFormat, CurrentMomentIsLocalAndGetsTheTimeOnlyWhenAsked) {
  DateInsertOptions options;
  // 00:30 in Tokyo is still the day before in UTC.
  EXPECT_EQ(FormatInsertDateTime(LocalTime(u"20100305003000"), options), u"03/05(金)"_qs);
  options.withTime = true;
  EXPECT_EQ(FormatInsertDateTime(LocalTime(u"20100305090500"), options), u"03/05(金) 09:05"_qs);
  EXPECT_EQ(FormatInsertDateTime(LocalTime(u"20100305235959"), options), u"03/05(金) 23:59"_qs);
  options = Options(kYear | kEra | kNoWeekday);
  EXPECT_EQ(FormatInsertDateTime(LocalTime(u"19890107100000"), options), u"平成1/01/07"_qs);
  EXPECT_EQ(FormatInsertDateTime(LocalTime(u"19890106235959"), options), u"昭和64/01/06"_qs);
}

TEST(DateInsertFormat, OptionsReadTheirDefaultsAndRoundTrip) {
  MemorySettingsStore store;
  EXPECT_EQ(ReadDateInsertOptions(store), DateInsertOptions{});
  DateInsertOptions changed = Options(kYear | kYear4 | kEra | kKanji | kNoWeekday, "");
  changed.withTime = true;
  WriteDateInsertOptions(store, changed);
  EXPECT_EQ(ReadDateInsertOptions(store), changed);
  EXPECT_EQ(store.ReadInt(u"DateOpt"_qs, u"Nengappi"_qs, -1), 1);
  // Any non-zero integer switches an option on.
  store.WriteInt(u"DateOpt"_qs, u"Week"_qs, 2);
  EXPECT_TRUE(ReadDateInsertOptions(store).weekday);
}

TEST(DateInsertFormat, DateGoesBeforeTheTitleWithOneBlank) {
  EXPECT_EQ(TitleWithDate(u"03/05(金)"_qs, u"会議"_qs), u"03/05(金) 会議"_qs);
  EXPECT_EQ(TitleWithDate(u"03/05(金)"_qs, QString()), u"03/05(金) "_qs);
}

TEST(DateFormatDialog, SeparatorOffWithKanjiUnitsAndEraYearSetsTheYear) {
  EXPECT_EQ(DateFormatDialogEnablingFor(Options(kYear | kEra)), DateFormatDialogEnabling{});
  DateFormatDialogEnabling withoutMark;
  withoutMark.mark = false;
  EXPECT_EQ(DateFormatDialogEnablingFor(Options(kKanji)), withoutMark);

  DateInsertOptions options = WithEraYearToggled(DateInsertOptions{}, true);
  EXPECT_TRUE(options.eraYear && options.year);
  options = WithEraYearToggled(options, false);  // the year stays as the user has it
  EXPECT_FALSE(options.eraYear);
  EXPECT_TRUE(options.year);
}

}  // namespace
}  // namespace qm
