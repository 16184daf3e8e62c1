// Behaviour of the calendar picker's date logic: supported dates, public
// holidays and red days, month and keyboard navigation with their limits,
// and the month grid.
#include <gtest/gtest.h>

#include <limits>

#include "app/Calendar.h"
#include "support/QtPrinting.h"

namespace qm {

void PrintTo(const CalendarDate& date, std::ostream* os) {
  *os << date.year << '-' << date.month << '-' << date.day;
}

namespace {

CalendarState Picked(const CalendarDate& picked) { return {picked, {2010, 3, 5}}; }

TEST(CalendarDate, SupportedDatesAreRealDaysOf1972To2036) {
  EXPECT_TRUE(IsSupportedDate({2000, 2, 29}));
  EXPECT_FALSE(IsSupportedDate({2010, 2, 29}));
  EXPECT_TRUE(IsSupportedDate({1972, 1, 1}));
  EXPECT_TRUE(IsSupportedDate({2036, 12, 31}));
  EXPECT_FALSE(IsSupportedDate({1971, 12, 31}));
  EXPECT_FALSE(IsSupportedDate({2037, 1, 1}));
  EXPECT_FALSE(IsSupportedDate({2010, 4, 31}));
  EXPECT_FALSE(IsSupportedDate({2010, 13, 1}));
  EXPECT_FALSE(IsSupportedDate({2010, 1, 0}));
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
}

struct HolidayCase {
  const char* name;
  CalendarDate date;
  bool holiday;
  bool red;
};

class Holidays : public testing::TestWithParam<HolidayCase> {};

TEST_P(Holidays, ColourTheDay) {
  EXPECT_EQ(IsPublicHoliday(GetParam().date), GetParam().holiday);
  EXPECT_EQ(IsRedDay(GetParam().date), GetParam().red);
}

INSTANTIATE_TEST_SUITE_P(
    Calendar, Holidays,
    testing::Values(HolidayCase{"FixedDec23", {2010, 12, 23}, true, true},
                    HolidayCase{"OrdinaryFriday", {2010, 3, 5}, false, false},
                    HolidayCase{"OrdinarySunday", {2010, 3, 7}, false, true},
                    HolidayCase{"VernalEquinoxOnSunday", {2010, 3, 21}, true, true},
                    HolidayCase{"MondayAfterSundayHoliday", {2010, 3, 22}, false, true},
                    HolidayCase{"TuesdayAfterMondayHoliday", {2011, 3, 22}, false, false},
                    HolidayCase{"AutumnalEquinox1979", {1979, 9, 24}, true, true},
                    HolidayCase{"Jan15Before2000", {1999, 1, 15}, true, true},
                    HolidayCase{"Jan15From2000", {2001, 1, 15}, false, false},
                    HolidayCase{"SecondMondayOfJanuary", {2001, 1, 8}, true, true},
                    HolidayCase{"SecondMondayOfOctober", {2000, 10, 9}, true, true},
                    HolidayCase{"Jul20Before1996", {1995, 7, 20}, false, false},
                    HolidayCase{"Jul20Until2002", {2002, 7, 20}, true, true},
                    HolidayCase{"Jul20From2003", {2003, 7, 20}, false, true},  // a Sunday
                    HolidayCase{"ThirdMondayOfJuly", {2003, 7, 21}, true, true},
                    HolidayCase{"Sep15From2003", {2004, 9, 15}, false, false},
                    HolidayCase{"ThirdMondayOfSeptember", {2004, 9, 20}, true, true},
                    HolidayCase{"AutumnalEquinoxFrom2003", {2004, 9, 23}, true, true}),
    [](const testing::TestParamInfo<HolidayCase>& row) { return std::string(row.param.name); });

TEST(Calendar, SundaysAreRedOnlyWhenAskedFor) {
  EXPECT_FALSE(IsRedDay({2010, 3, 7}, false));
  EXPECT_TRUE(IsRedDay({2010, 3, 22}, false));  // still the Monday after a holiday
}

TEST(Calendar, MonthStepsKeepTheDayOrTakeTheMonthsLast) {
  EXPECT_EQ(NextMonth(Picked({2010, 1, 31})), Picked({2010, 2, 28}));
  EXPECT_EQ(NextMonth(Picked({2012, 1, 31})), Picked({2012, 2, 29}));
  EXPECT_EQ(NextMonth(Picked({2010, 12, 31})), Picked({2011, 1, 31}));
  EXPECT_EQ(PreviousMonth(Picked({2010, 3, 31})), Picked({2010, 2, 28}));
  EXPECT_EQ(PreviousMonth(Picked({2012, 3, 31})), Picked({2012, 2, 29}));
  EXPECT_EQ(PreviousMonth(Picked({2011, 1, 15})), Picked({2010, 12, 15}));
  // A clamped day is not given back by the next step.
  EXPECT_EQ(NextMonth(NextMonth(Picked({2010, 1, 31}))), Picked({2010, 3, 28}));
  // Nothing before January 1972 or after December 2036.
  EXPECT_EQ(NextMonth(Picked({2036, 12, 15})), Picked({2036, 12, 15}));
  EXPECT_EQ(PreviousMonth(Picked({1972, 1, 15})), Picked({1972, 1, 15}));
}

TEST(Calendar, KeyboardStepsCrossMonthsAndStopAtTheEnds) {
  const CalendarState start = Picked({2010, 3, 31});
  EXPECT_EQ(ApplyStep(start, CalendarStep::NextDay), Picked({2010, 4, 1}));
  EXPECT_EQ(ApplyStep(start, CalendarStep::PreviousDay), Picked({2010, 3, 30}));
  EXPECT_EQ(ApplyStep(start, CalendarStep::NextWeek), Picked({2010, 4, 7}));
  EXPECT_EQ(ApplyStep(Picked({2011, 1, 3}), CalendarStep::PreviousWeek), Picked({2010, 12, 27}));
  EXPECT_EQ(ApplyStep(start, CalendarStep::NextMonth), Picked({2010, 4, 30}));
  EXPECT_EQ(ApplyStep(start, CalendarStep::PreviousMonth), Picked({2010, 2, 28}));
  EXPECT_EQ(ApplyStep(Picked({2036, 12, 29}), CalendarStep::NextWeek), Picked(kLastSupportedDate));
  EXPECT_EQ(ApplyStep(Picked({1972, 1, 1}), CalendarStep::PreviousDay),
            Picked(kFirstSupportedDate));
  EXPECT_EQ(MoveByDays(start, std::numeric_limits<int>::min()), Picked(kFirstSupportedDate));
}

TEST(Calendar, TapPicksSupportedDaysOnly) {
  EXPECT_EQ(PickDate(Picked({2010, 3, 31}), {2010, 4, 1}), Picked({2010, 4, 1}));
  EXPECT_EQ(PickDate(Picked({1972, 1, 5}), {1971, 12, 31}), Picked({1972, 1, 5}));
}

TEST(Calendar, OpensAtTodayOrTheNearestSupportedDay) {
  EXPECT_EQ(OpenCalendar({2010, 3, 5}), Picked({2010, 3, 5}));
  EXPECT_EQ(OpenCalendar({2037, 6, 1}), (CalendarState{kLastSupportedDate, {2037, 6, 1}}));
  // "今日へ" takes the date anew: the dialog may have stayed open over midnight.
  EXPECT_EQ(GoToToday(Picked({2011, 8, 1}), {2010, 3, 6}),
            (CalendarState{{2010, 3, 6}, {2010, 3, 6}}));
  EXPECT_EQ(CalendarMonthHeading(2010, 3), u"2010年3月"_qs);
}

TEST(CalendarGrid, SixWeeksFromTheSundayBeforeTheFirst) {
  const CalendarGrid grid = MonthGrid({{2010, 3, 5}, {2010, 3, 22}});  // March 1 is a Monday
  EXPECT_EQ(grid.front().date, (CalendarDate{2010, 2, 28}));
  EXPECT_EQ(grid[1].date, (CalendarDate{2010, 3, 1}));
  EXPECT_EQ(grid.back().date, (CalendarDate{2010, 4, 10}));
  for (const CalendarCell& cell : grid) {
    SCOPED_TRACE(testing::PrintToString(cell.date));
    EXPECT_EQ(cell.inDisplayedMonth, cell.date.month == 3);
    EXPECT_EQ(cell.picked, cell.date == (CalendarDate{2010, 3, 5}));
    EXPECT_EQ(cell.today, cell.date == (CalendarDate{2010, 3, 22}));
    // Grey days carry no colour, not even the Sunday February 28.
    EXPECT_EQ(cell.red, cell.date.month == 3 && (DayOfWeek(cell.date) == 0 || cell.date.day == 21 ||
                                                 cell.date.day == 22));
  }
  EXPECT_EQ(MonthGrid(Picked({2010, 8, 10})).front().date, (CalendarDate{2010, 8, 1}));
  EXPECT_TRUE(MonthGrid(Picked({2011, 1, 10}))[36].inDisplayedMonth);  // January 31, 2011
}

TEST(CalendarGrid, DaysBeyondTheSupportedEndsCannotBePicked) {
  const CalendarGrid first = MonthGrid(Picked({1972, 1, 1}));  // a Saturday
  EXPECT_EQ(first.front().date, (CalendarDate{1971, 12, 26}));
  EXPECT_FALSE(first.front().pickable);
  EXPECT_TRUE(first[6].pickable);
  EXPECT_FALSE(MonthGrid(Picked({2036, 12, 1})).back().pickable);
}

}  // namespace
}  // namespace qm
