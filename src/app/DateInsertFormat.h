// DateInsertFormat: the text a date becomes when the user inserts it, into
// the body text (the current date and time, or a date picked in the
// calendar) or in front of a node's title, and the options that shape it
// (settings section "DateOpt", edited in the date insertion format dialog).
//
// Everything here is a pure function of its arguments except the settings
// reads and writes; callers read the options anew each time they format, so
// a change in the dialog applies to the next insertion.
#pragma once

#include <QString>

#include "app/CalendarDate.h"

namespace qm {

class SettingsStore;

struct DateInsertOptions {
  QString mark = QStringLiteral("/");  // between year, month and day
  bool year = false;                   // write the year
  bool fourDigitYear = false;          // all four digits, else the last two
  bool weekday = true;                 // "(金)" after the day
  bool eraYear = false;                // with `year`: an era year ("平成22")
  bool kanjiUnits = false;             // "年", "月", "日" instead of `mark`
  bool withTime = false;               // the current-date command adds " hh:mm"

  bool operator==(const DateInsertOptions&) const = default;
};

// Reads all seven options; absent values take their defaults.
DateInsertOptions ReadDateInsertOptions(const SettingsStore& store);
// Writes all seven options (integers 0 or 1, the mark as a string).
void WriteDateInsertOptions(SettingsStore& store, const DateInsertOptions& options);

// The date alone: [year + unit] month(2 digits) + unit, day(2 digits)
// [+ "日"] [+ "(曜)"]. An era year stands first and ignores fourDigitYear;
// eras: 昭和 from 1926, 平成 from 1989-01-07, 令和 from 2019-05-01, the plain
// year before 1926. eraYear without year writes no year at all. Never adds
// the time. REQUIRES: a real calendar day.
QString FormatInsertDate(const CalendarDate& date, const DateInsertOptions& options);

// What the insert-current-date command writes for the moment `now` (local
// time): FormatInsertDate, then " hh:mm" (24-hour, two digits each) when
// withTime is set.
QString FormatInsertDateTime(qint32 now, const DateInsertOptions& options);

// The node edit dialog's date button: the formatted date, one blank, then
// the title the field held (which may be empty).
QString TitleWithDate(const QString& formattedDate, const QString& title);

// Which controls of the date insertion format dialog accept input, for the
// options the dialog currently shows. The dialog re-applies it after every
// click so that it only mirrors these rules.
struct DateFormatDialogEnabling {
  bool year = true;
  bool fourDigitYear = true;
  bool weekday = true;
  bool eraYear = true;
  bool mark = true;  // the separator means nothing while kanji units are on
  bool kanjiUnits = true;
  bool withTime = true;

  bool operator==(const DateFormatDialogEnabling&) const = default;
};
DateFormatDialogEnabling DateFormatDialogEnablingFor(const DateInsertOptions& options);

// The options after the user sets or clears the era-year box: setting it
// sets the year box too, since an era year is only written with the year.
DateInsertOptions WithEraYearToggled(DateInsertOptions options, bool eraYear);

}  // namespace qm
