// DateInsertFormat: the date insertion text and its options.
#include "app/DateInsertFormat.h"

#include <ctime>

#include "platform/SettingsTable.h"
#include "res/DateStrings.h"

namespace qm {
namespace {

namespace s = settings;

QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

// The era year in front of the date ("平成22"), or the plain year for dates
// before the first era the program knows. An era applies from the whole of
// its first day. 昭和 from 1926-01-01 and 平成 from 1989-01-07 are the days
// the program has always used (the eras began on 1926-12-25 and 1989-01-08);
// they are kept so that the same date never reads two ways. 令和 is the
// desktop's addition: without it every date from May 2019 on would be
// written as a 平成 year that never was.
QString EraYear(const CalendarDate& date) {
  struct Era {
    CalendarDate first;
    QStringView name;
  };
  // Newest first.
  static constexpr Era kEras[] = {
      {{2019, 5, 1}, res::kEraReiwa},
      {{1989, 1, 7}, res::kEraHeisei},
      {{1926, 1, 1}, res::kEraShowa},
  };
  for (const Era& era : kEras) {
    if (date >= era.first) {
      return era.name.toString() + QString::number(date.year - era.first.year + 1);
    }
  }
  return QString::number(date.year);
}

}  // namespace

DateInsertOptions ReadDateInsertOptions(const SettingsStore& store) {
  DateInsertOptions options;
  options.mark = Read(store, s::kDateMark);
  options.year = Read(store, s::kDateYear) != 0;
  options.fourDigitYear = Read(store, s::kDateYear4) != 0;
  options.weekday = Read(store, s::kDateWeek) != 0;
  options.eraYear = Read(store, s::kDateNengo) != 0;
  options.kanjiUnits = Read(store, s::kDateNengappi) != 0;
  options.withTime = Read(store, s::kDateTime) != 0;
  return options;
}

void WriteDateInsertOptions(SettingsStore& store, const DateInsertOptions& options) {
  Write(store, s::kDateMark, options.mark);
  Write(store, s::kDateYear, options.year ? 1 : 0);
  Write(store, s::kDateYear4, options.fourDigitYear ? 1 : 0);
  Write(store, s::kDateWeek, options.weekday ? 1 : 0);
  Write(store, s::kDateNengo, options.eraYear ? 1 : 0);
  Write(store, s::kDateNengappi, options.kanjiUnits ? 1 : 0);
  Write(store, s::kDateTime, options.withTime ? 1 : 0);
}

QString FormatInsertDate(const CalendarDate& date, const DateInsertOptions& options) {
  const QString yearUnit = options.kanjiUnits ? res::kYearKanji.toString() : options.mark;
  const QString monthUnit = options.kanjiUnits ? res::kMonthKanji.toString() : options.mark;

  QString text;
  if (options.year) {
    if (options.eraYear) {
      text += EraYear(date);
    } else {
      const QString digits = QString::number(date.year);
      text += options.fourDigitYear ? digits : digits.right(2);
    }
    text += yearUnit;
  }
  text += TwoDigits(date.month) + monthUnit + TwoDigits(date.day);
  if (options.kanjiUnits) text += res::kDayKanji;
  if (options.weekday) {
    text += QLatin1Char('(');
    text += res::kWeekdayCharacters[DayOfWeek(date)];
    text += QLatin1Char(')');
  }
  return text;
}

QString FormatInsertDateTime(qint32 now, const DateInsertOptions& options) {
  const std::time_t t = now;
  std::tm tm{};
  localtime_r(&t, &tm);
  QString text = FormatInsertDate({tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}, options);
  if (options.withTime) {
    text += QLatin1Char(' ') + TwoDigits(tm.tm_hour) + QLatin1Char(':') + TwoDigits(tm.tm_min);
  }
  return text;
}

QString TitleWithDate(const QString& formattedDate, const QString& title) {
  return formattedDate + QLatin1Char(' ') + title;
}

DateFormatDialogEnabling DateFormatDialogEnablingFor(const DateInsertOptions& options) {
  DateFormatDialogEnabling enabling;
  enabling.mark = !options.kanjiUnits;
  return enabling;
}

DateInsertOptions WithEraYearToggled(DateInsertOptions options, bool eraYear) {
  options.eraYear = eraYear;
  if (eraYear) options.year = true;
  return options;
}

}  // namespace qm
