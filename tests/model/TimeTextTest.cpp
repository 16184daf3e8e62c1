// Tests of the time texts: 14-digit local times, 17-digit stamps and the display form, in Tokyo.
#include <gtest/gtest.h>

#include <ctime>
#include <utility>

#include "model/TimeText.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

class TimeTextTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    qputenv("TZ", "Asia/Tokyo");
    tzset();
  }
};

// 2023-11-14 22:13:20 UTC.
constexpr qint32 kKnownTime = 1700000000;

TEST_F(TimeTextTest, FormatsLocalTime) {
  EXPECT_EQ(FormatTime14(kKnownTime), u"20231115071320");
  EXPECT_EQ(FormatTime14(0), u"19700101090000");
  EXPECT_EQ(FormatDisplayTime(kKnownTime), u"2023/11/15 07:13");
  QString out = u"T="_s;
  AppendTime14(out, kKnownTime);
  EXPECT_EQ(out, u"T=20231115071320");
}

TEST_F(TimeTextTest, ParsesWhatItFormats) {
  qint32 time = 0;
  ASSERT_TRUE(ParseTime14(u"20231115071320 and more", time));
  EXPECT_EQ(time, kKnownTime);
  // The first second of 1972, 2024-01-02 00:00 and the last second of 2036.
  for (qint32 t : {63039600, 1704121200, 2114348399}) {
    ASSERT_TRUE(ParseTime14(FormatTime14(t), time)) << t;
    EXPECT_EQ(time, t);
  }
  // Minute and second 60 carry over.
  ASSERT_TRUE(ParseTime14(u"20240101126060", time));
  EXPECT_EQ(FormatTime14(time), u"20240101130100");
  ASSERT_TRUE(ParseTime14(u"20241231235960", time));
  EXPECT_EQ(FormatTime14(time), u"20250101000000");
}

TEST_F(TimeTextTest, ParsesAroundDaylightSavingChanges) {
  qputenv("TZ", "America/New_York");
  tzset();
  // Far from a change, on the days of the 2024 changes, and just after them.
  const std::pair<const char16_t*, qint32> cases[] = {
      {u"20240115120000", 1705338000}, {u"20240701120000", 1719849600},
      {u"20240310013000", 1710052200}, {u"20240310033000", 1710055800},
      {u"20240310120000", 1710086400}, {u"20241103003000", 1730608200},
      {u"20241103120000", 1730653200}};
  for (const auto& [text, expected] : cases) {
    qint32 time = 0;
    EXPECT_TRUE(ParseTime14(QStringView(text), time));
    EXPECT_EQ(time, expected) << QString::fromUtf16(text).toStdString();
  }
  qputenv("TZ", "Asia/Tokyo");
  tzset();
}

struct DateCase {
  const char* name;
  QString text;
  bool valid;
};

class TimeTextDateTest : public TimeTextTest, public testing::WithParamInterface<DateCase> {};

TEST_P(TimeTextDateTest, AcceptsOnlyValidDatesAndLeavesOutputOnRejection) {
  const DateCase& c = GetParam();
  qint32 time = 12345;
  EXPECT_EQ(ParseTime14(c.text, time), c.valid);
  if (!c.valid) {
    EXPECT_EQ(time, 12345);
  }

  Stamp stamp;
  stamp.year = 1999;
  const Stamp before = stamp;
  EXPECT_EQ(ParseStamp17(c.text + u"123"_s, stamp), c.valid);
  if (!c.valid) {
    EXPECT_EQ(stamp, before);
  }
}

INSTANTIATE_TEST_SUITE_P(, TimeTextDateTest,
                         testing::Values(DateCase{"Year1971", u"19711231235959"_s, false},
                                         DateCase{"Year1972", u"19720101000000"_s, true},
                                         DateCase{"Year2036", u"20361231235959"_s, true},
                                         DateCase{"Year2037", u"20370101000000"_s, false},
                                         DateCase{"Feb29NonLeap", u"20230229000000"_s, false},
                                         DateCase{"Feb29Leap", u"20240229000000"_s, true},
                                         DateCase{"Feb30", u"20240230000000"_s, false},
                                         DateCase{"Apr31", u"20240431000000"_s, false},
                                         DateCase{"Month13", u"20241301000000"_s, false},
                                         DateCase{"Hour24", u"20240101240000"_s, false},
                                         DateCase{"Minute61", u"20240101006100"_s, false},
                                         DateCase{"Letter", u"2024010100000x"_s, false},
                                         DateCase{"FullWidthDigit", u"２0240101000000"_s, false},
                                         DateCase{"TooShort", u"2024010100000"_s, false}),
                         [](const testing::TestParamInfo<DateCase>& p) { return p.param.name; });

TEST_F(TimeTextTest, StampsCarryMillisecondsAndDayOfWeek) {
  Stamp stamp;
  ASSERT_TRUE(ParseStamp17(u"20240101123456789"_s, stamp));
  EXPECT_EQ(stamp, (Stamp{2024, 1, 1, 1, 12, 34, 56, 789}));
  EXPECT_EQ(FormatStamp17(stamp), u"20240101123456789");

  const auto dayOfWeek = [](const QString& date) {
    Stamp s;
    EXPECT_TRUE(ParseStamp17(date + u"000000000"_s, s));
    return s.dayOfWeek;
  };
  EXPECT_EQ(dayOfWeek(u"19720101"_s), 6);  // Saturday
  EXPECT_EQ(dayOfWeek(u"20240229"_s), 4);  // Thursday
  EXPECT_EQ(dayOfWeek(u"20361231"_s), 3);  // Wednesday

  const Stamp before = stamp;
  EXPECT_FALSE(ParseStamp17(u"2024010112345678x"_s, stamp));
  EXPECT_EQ(stamp, before);
  EXPECT_EQ(FormatStamp17(Stamp{2024, 2, 4, 9, 1, 2, 3, 7}), u"20240209010203007");
}

}  // namespace
}  // namespace qm
