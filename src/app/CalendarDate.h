// CalendarDate: a day of the Gregorian calendar (year, month, day) and the
// arithmetic the date features need: month lengths, day of the week, moving
// by days, and the local date of a 32-bit time.
//
// Dates here carry no time of day and no zone; LocalDateOf converts a time
// through the host's local time zone (TZ). The date features accept only
// years 1972 to 2036 (IsSupportedDate), the span whose days a 32-bit time
// holds in every zone; the arithmetic itself is correct for any year >= 1.
#pragma once

#include <QtGlobal>
#include <compare>

namespace qm {

struct CalendarDate {
  int year = 1972;
  int month = 1;  // 1-12
  int day = 1;    // 1-31

  auto operator<=>(const CalendarDate&) const = default;
};

inline constexpr int kFirstSupportedYear = 1972;
inline constexpr int kLastSupportedYear = 2036;
inline constexpr CalendarDate kFirstSupportedDate{kFirstSupportedYear, 1, 1};
inline constexpr CalendarDate kLastSupportedDate{kLastSupportedYear, 12, 31};

bool IsLeapYear(int year);
// REQUIRES: 1 <= month <= 12.
int DaysInMonth(int year, int month);

// Year 1972-2036, month 1-12, day within the month's length.
bool IsSupportedDate(const CalendarDate& date);

// 0 = Sunday ... 6 = Saturday. REQUIRES: a real calendar day.
int DayOfWeek(const CalendarDate& date);

// The date `days` days later (earlier when negative). REQUIRES: a real day.
CalendarDate AddDays(const CalendarDate& date, int days);

// The nearest supported date: the first or last one for dates outside the
// range, the date itself otherwise.
CalendarDate ClampToSupported(const CalendarDate& date);

// The date of a 32-bit time in the host's local time zone.
CalendarDate LocalDateOf(qint32 time);

}  // namespace qm
