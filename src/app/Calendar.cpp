// Calendar: public holidays, month navigation and the month grid.
#include "app/Calendar.h"

#include <algorithm>

#include "res/DateStrings.h"

namespace qm {
namespace {

constexpr int kSunday = 0;
constexpr int kMonday = 1;

// The day of the month of the equinox in `year`, from the approximation
// 20.8431 (vernal) or 23.2488 (autumnal) + 0.242194 (year - 1980)
// - floor((year - 1980) / 4), in millionths so that it is exact in integers.
int EquinoxDay(int year, qint64 baseMillionths) {
  const qint64 c = qint64{year} * 242194 - qint64{(year - 1980) >> 2} * 1000000;
  return static_cast<int>((c - baseMillionths) / 1000000);
}
int VernalEquinoxDay(int year) { return EquinoxDay(year, 458701020); }
int AutumnalEquinoxDay(int year) { return EquinoxDay(year, 456295320); }

CalendarDate WithClampedDay(int year, int month, int day) {
  return {year, month, std::min(day, DaysInMonth(year, month))};
}

}  // namespace

bool IsPublicHoliday(const CalendarDate& date) {
  const int y = date.year;
  const int m = date.month;
  const int d = date.day;
  static constexpr int kFixed[][2] = {{1, 1}, {2, 11}, {4, 29},  {5, 3},  {5, 4},
                                      {5, 5}, {11, 3}, {11, 23}, {12, 23}};
  for (const auto& fixed : kFixed) {
    if (m == fixed[0] && d == fixed[1]) return true;
  }

  const int weekOfMonth = (d - 1) / 7;  // 0 for days 1-7, 1 for 8-14, ...
  const bool monday = DayOfWeek(date) == kMonday;
  if (y >= 2000) {
    if ((m == 1 || m == 10) && monday && weekOfMonth == 1) return true;
  } else if ((m == 1 && d == 15) || (m == 10 && d == 10)) {
    return true;
  }

  if (y >= 2003) {
    if (m == 7) return monday && weekOfMonth == 2;
    if (m == 9) return (monday && weekOfMonth == 2) || d == AutumnalEquinoxDay(y);
  } else {
    if (m == 9 && d == 15) return true;
    if (y >= 1996 && m == 7) return d == 20;
  }

  if (m == 3) return d == VernalEquinoxDay(y);
  if (m == 9) return d == AutumnalEquinoxDay(y);
  return false;
}

bool IsRedDay(const CalendarDate& date, bool sundaysAreRed) {
  const int weekday = DayOfWeek(date);
  if (sundaysAreRed && weekday == kSunday) return true;
  if (IsPublicHoliday(date)) return true;
  return weekday == kMonday && IsPublicHoliday(AddDays(date, -1));
}

QString CalendarMonthHeading(int year, int month) {
  return res::kCalendarMonthHeading.toString().arg(year).arg(month);
}

CalendarState OpenCalendar(const CalendarDate& today) { return {ClampToSupported(today), today}; }

CalendarState GoToToday(const CalendarState&, const CalendarDate& today) {
  return OpenCalendar(today);
}

CalendarState NextMonth(const CalendarState& state) {
  const CalendarDate& p = state.picked;
  const int year = p.month == 12 ? p.year + 1 : p.year;
  const int month = p.month == 12 ? 1 : p.month + 1;
  if (year > kLastSupportedYear) return state;
  return {WithClampedDay(year, month, p.day), state.today};
}

CalendarState PreviousMonth(const CalendarState& state) {
  const CalendarDate& p = state.picked;
  const int year = p.month == 1 ? p.year - 1 : p.year;
  const int month = p.month == 1 ? 12 : p.month - 1;
  if (year < kFirstSupportedYear) return state;
  return {WithClampedDay(year, month, p.day), state.today};
}

CalendarState MoveByDays(const CalendarState& state, int days) {
  // Far moves are bounded first so that the day count cannot overflow.
  constexpr int kSupportedSpan = 366 * (kLastSupportedYear - kFirstSupportedYear + 1);
  days = std::clamp(days, -kSupportedSpan, kSupportedSpan);
  return {ClampToSupported(AddDays(state.picked, days)), state.today};
}

CalendarState PickDate(const CalendarState& state, const CalendarDate& date) {
  if (!IsSupportedDate(date)) return state;
  return {date, state.today};
}

CalendarState ApplyStep(const CalendarState& state, CalendarStep step) {
  switch (step) {
    case CalendarStep::PreviousDay:
      return MoveByDays(state, -1);
    case CalendarStep::NextDay:
      return MoveByDays(state, 1);
    case CalendarStep::PreviousWeek:
      return MoveByDays(state, -7);
    case CalendarStep::NextWeek:
      return MoveByDays(state, 7);
    case CalendarStep::PreviousMonth:
      return PreviousMonth(state);
    case CalendarStep::NextMonth:
      return NextMonth(state);
  }
  return state;
}

CalendarGrid MonthGrid(const CalendarState& state) {
  const CalendarDate first{state.picked.year, state.picked.month, 1};
  const CalendarDate gridStart = AddDays(first, -DayOfWeek(first));
  CalendarGrid grid;
  for (int i = 0; i < static_cast<int>(grid.size()); ++i) {
    CalendarCell& cell = grid[i];
    cell.date = AddDays(gridStart, i);
    cell.inDisplayedMonth = cell.date.month == first.month;
    cell.picked = cell.date == state.picked;
    cell.today = cell.date == state.today;
    cell.red = cell.inDisplayedMonth && IsRedDay(cell.date);
    cell.pickable = IsSupportedDate(cell.date);
  }
  return grid;
}

}  // namespace qm
