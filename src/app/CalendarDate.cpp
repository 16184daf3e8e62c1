// CalendarDate: day arithmetic through a day count since 1970.
#include "app/CalendarDate.h"

#include <ctime>

namespace qm {
namespace {

// Days from 1970-01-01 to the date, proleptic Gregorian (Hinnant's method).
qint64 DaysFromCivil(const CalendarDate& date) {
  const int year = date.month <= 2 ? date.year - 1 : date.year;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yearOfEra = year - era * 400;
  const int monthFromMarch = date.month > 2 ? date.month - 3 : date.month + 9;
  const int dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return qint64{era} * 146097 + dayOfEra - 719468;
}

CalendarDate CivilFromDays(qint64 days) {
  days += 719468;
  const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
  const int dayOfEra = static_cast<int>(days - era * 146097);
  const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
  const int month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  const int year = static_cast<int>(yearOfEra + era * 400) + (month <= 2 ? 1 : 0);
  return {year, month, day};
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsSupportedDate(const CalendarDate& date) {
  return date.year >= kFirstSupportedYear && date.year <= kLastSupportedYear && date.month >= 1 &&
         date.month <= 12 && date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

int DayOfWeek(const CalendarDate& date) {
  // 1970-01-01 was a Thursday (4).
  const qint64 weekday = (DaysFromCivil(date) + 4) % 7;
  return static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
}

CalendarDate AddDays(const CalendarDate& date, int days) {
  return CivilFromDays(DaysFromCivil(date) + days);
}

CalendarDate ClampToSupported(const CalendarDate& date) {
  if (date < kFirstSupportedDate) return kFirstSupportedDate;
  if (date > kLastSupportedDate) return kLastSupportedDate;
  return date;
}

CalendarDate LocalDateOf(qint32 time) {
  const std::time_t t = time;
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

}  // namespace qm
