// Time texts: fixed-width digits, local-time conversion through the C library.
#include "model/TimeText.h"

#include <ctime>

namespace qm {
namespace {

struct DateTimeFields {
  int year, month, day, hour, minute, second;
};

DateTimeFields ToLocal(qint32 time) {
  const std::time_t t = time;
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void AppendDigits(QString& out, int value, int width) {
  char16_t buffer[12];
  bool negative = value < 0;
  unsigned magnitude = negative ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  int n = 0;
  do {
    buffer[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) buffer[n++] = u'-';
  for (int pad = n; pad < width; ++pad) out += u'0';
  while (n > 0) out += QChar(buffer[--n]);
}

// The decimal number of `width` characters at text[from]; -1 when any of
// them is not a digit.
int ReadDigits(QStringView text, qsizetype from, int width) {
  int value = 0;
  for (int i = 0; i < width; ++i) {
    const char16_t c = text[from + i].unicode();
    if (c < u'0' || c > u'9') return -1;
    value = value * 10 + (c - u'0');
  }
  return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool ReadValidFields(QStringView text, DateTimeFields& f) {
  f.year = ReadDigits(text, 0, 4);
  f.month = ReadDigits(text, 4, 2);
  f.day = ReadDigits(text, 6, 2);
  f.hour = ReadDigits(text, 8, 2);
  f.minute = ReadDigits(text, 10, 2);
  f.second = ReadDigits(text, 12, 2);
  if (f.year < 1972 || f.year > 2036) return false;
  if (f.month < 1 || f.month > 12) return false;
  if (f.day < 1 || f.day > DaysInMonth(f.year, f.month)) return false;
  return f.hour >= 0 && f.hour <= 23 && f.minute >= 0 && f.minute <= 60 && f.second >= 0 &&
         f.second <= 60;
}

// Days from 1970-01-01 to the date in the proleptic Gregorian calendar.
qint64 DaysFromCivil(int year, int month, int day) {
  if (month <= 2) year -= 1;
  const int era = year / 400;  // years here are positive
  const int yearOfEra = year - era * 400;
  const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return qint64{era} * 146097 + dayOfEra - 719468;
}

// The local zone's offset from UTC in seconds at the given time.
long LocalOffsetAt(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm.tm_gmtoff;
}

// Sakamoto's method; 0 = Sunday.
int DayOfWeek(int year, int month, int day) {
  static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

}  // namespace

void AppendTime14(QString& out, qint32 time) {
  const DateTimeFields f = ToLocal(time);
  AppendDigits(out, f.year, 4);
  AppendDigits(out, f.month, 2);
  AppendDigits(out, f.day, 2);
  AppendDigits(out, f.hour, 2);
  AppendDigits(out, f.minute, 2);
  AppendDigits(out, f.second, 2);
}

QString FormatTime14(qint32 time) {
  QString out;
  out.reserve(14);
  AppendTime14(out, time);
  return out;
}

QString FormatStamp17(const Stamp& stamp) {
  QString out;
  out.reserve(17);
  AppendDigits(out, stamp.year, 4);
  AppendDigits(out, stamp.month, 2);
  AppendDigits(out, stamp.day, 2);
  AppendDigits(out, stamp.hour, 2);
  AppendDigits(out, stamp.minute, 2);
  AppendDigits(out, stamp.second, 2);
  AppendDigits(out, stamp.milliseconds, 3);
  return out;
}

QString FormatDisplayTime(qint32 time) {
  const DateTimeFields f = ToLocal(time);
  QString out;
  out.reserve(16);
  AppendDigits(out, f.year, 4);
  out += u'/';
  AppendDigits(out, f.month, 2);
  out += u'/';
  AppendDigits(out, f.day, 2);
  out += u' ';
  AppendDigits(out, f.hour, 2);
  out += u':';
  AppendDigits(out, f.minute, 2);
  return out;
}

bool ParseTime14(QStringView text, qint32& time) {
  DateTimeFields f{};
  if (text.size() < 14 || !ReadValidFields(text, f)) return false;
  // Away from a change of the zone's offset (no change within a day either
  // side), the fields read as UTC less that offset is the only answer.
  // mktime is left for the times near a change (gaps and repeated hours):
  // it is too slow for every node of a file, as with TZ unset it looks at
  // /etc/localtime again on each call.
  const std::time_t asUtc =
      DaysFromCivil(f.year, f.month, f.day) * 86400 + f.hour * 3600 + f.minute * 60 + f.second;
  const long offset = LocalOffsetAt(asUtc);
  const std::time_t guess = asUtc - offset;
  if (LocalOffsetAt(guess) == offset && LocalOffsetAt(guess - 86400) == offset &&
      LocalOffsetAt(guess + 86400) == offset) {
    time = static_cast<qint32>(guess);
    return true;
  }
  std::tm tm{};
  tm.tm_year = f.year - 1900;
  tm.tm_mon = f.month - 1;
  tm.tm_mday = f.day;
  tm.tm_hour = f.hour;
  tm.tm_min = f.minute;
  tm.tm_sec = f.second;
  tm.tm_isdst = -1;  // the system decides whether daylight saving applies
  const std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1)) return false;
  time = static_cast<qint32>(t);
  return true;
}

bool ParseStamp17(QStringView text, Stamp& stamp) {
  DateTimeFields f{};
  if (text.size() < 17 || !ReadValidFields(text, f)) return false;
  const int milliseconds = ReadDigits(text, 14, 3);
  if (milliseconds < 0) return false;
  stamp.year = static_cast<quint16>(f.year);
  stamp.month = static_cast<quint16>(f.month);
  stamp.dayOfWeek = static_cast<quint16>(DayOfWeek(f.year, f.month, f.day));
  stamp.day = static_cast<quint16>(f.day);
  stamp.hour = static_cast<quint16>(f.hour);
  stamp.minute = static_cast<quint16>(f.minute);
  stamp.second = static_cast<quint16>(f.second);
  stamp.milliseconds = static_cast<quint16>(milliseconds);
  return true;
}

}  // namespace qm
