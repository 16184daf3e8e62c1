// Calendar: the date logic of the calendar date picker, free of widgets.
// The picker's state is the picked day and today's date; the displayed month
// is always the picked day's month. Every operation takes a state and returns
// the new one, never leaving the supported dates (1972-01-01 to 2036-12-31):
// a move that would leave them stops at the first or last supported day, or
// does nothing when the whole step is impossible (the month before January
// 1972, the month after December 2036).
//
// The red days are Sundays, Japanese public holidays by the rules the
// program has always used (fixed dates, the second Mondays of January and
// October from 2000, the third Mondays of July and September from 2003, the
// equinox days by the usual approximation) and the Monday after a holiday
// that falls on a Sunday.
#pragma once

#include <QString>
#include <array>

#include "app/CalendarDate.h"

namespace qm {

// True on a public holiday. REQUIRES: a real calendar day.
bool IsPublicHoliday(const CalendarDate& date);

// True when the day is drawn as a holiday: a public holiday, the Monday
// after a public holiday on a Sunday, or (when sundaysAreRed) any Sunday.
bool IsRedDay(const CalendarDate& date, bool sundaysAreRed = true);

// The heading of a month, "2010年3月".
QString CalendarMonthHeading(int year, int month);

struct CalendarState {
  CalendarDate picked;  // always a supported date; its month is displayed
  CalendarDate today;   // framed when shown; may lie outside the supported dates

  bool operator==(const CalendarState&) const = default;
};

// The picker opened at `today`: today picked, or the nearest supported day
// when the clock says a date outside them.
CalendarState OpenCalendar(const CalendarDate& today);

// "今日へ": today picked and its month shown; today itself is refreshed too,
// the dialog may have stayed open over midnight.
CalendarState GoToToday(const CalendarState& state, const CalendarDate& today);

// The same day of the next or previous month, or that month's last day when
// it is shorter (January 31 -> February 28 or 29). Unchanged at the ends.
CalendarState NextMonth(const CalendarState& state);
CalendarState PreviousMonth(const CalendarState& state);

// The day `days` away, crossing months and years as needed, stopped at the
// first or last supported day.
CalendarState MoveByDays(const CalendarState& state, int days);

// A tap on a cell: picks its date, showing its month when the cell was one
// of the grey days of the month before or after. Unchanged when the date is
// not supported.
CalendarState PickDate(const CalendarState& state, const CalendarDate& date);

// The keyboard's steps: arrows move by a day or a week, Page Up and Page
// Down by a month. The widget maps keys to these and applies them.
enum class CalendarStep { PreviousDay, NextDay, PreviousWeek, NextWeek, PreviousMonth, NextMonth };
CalendarState ApplyStep(const CalendarState& state, CalendarStep step);

inline constexpr int kCalendarColumns = 7;  // Sunday first
inline constexpr int kCalendarRows = 6;

struct CalendarCell {
  CalendarDate date;
  bool inDisplayedMonth = false;  // false: drawn grey
  bool picked = false;            // drawn highlighted
  bool today = false;             // drawn framed
  bool red = false;               // holiday colour; only days of the displayed month
  bool pickable = false;          // a supported date: a tap picks it

  bool operator==(const CalendarCell&) const = default;
};

// The displayed month as 6 rows of 7 days, row by row, Sunday first. The
// first row holds the month's first day; the cells before it and after the
// month's last day are the neighbouring months' days.
using CalendarGrid = std::array<CalendarCell, kCalendarColumns * kCalendarRows>;
CalendarGrid MonthGrid(const CalendarState& state);

}  // namespace qm
