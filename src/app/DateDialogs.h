// DateDialogs: the two dialogs of date insertion as the application sees
// them — the date insertion format dialog ("日付挿入形式") and the calendar
// date picker ("カレンダー").
//
// Both take plain values and hand plain values back; nothing is read from or
// written to the settings here, the caller does that with what OK returned.
// The window implements the port with its Qt dialogs, tests with a scripted
// fake. Not thread-safe: the user-interface thread owns it.
#pragma once

#include <functional>
#include <optional>

#include "app/CalendarDate.h"
#include "app/DateInsertFormat.h"

namespace qm {

struct CalendarRequest {
  // Picked, and its month shown, when the dialog opens; a date outside the
  // supported ones opens at the nearest supported day.
  CalendarDate start;
  // Today's date in local time, for the framed day and "今日へ". Asked again
  // when the user goes to today: the dialog may stay open over midnight.
  // REQUIRES: callable while the dialog is open.
  std::function<CalendarDate()> today;
};

class DateDialogs {
 public:
  virtual ~DateDialogs() = default;
  DateDialogs(const DateDialogs&) = delete;
  DateDialogs& operator=(const DateDialogs&) = delete;

  // Shows the options and lets the user change them, keeping the controls
  // enabled as DateFormatDialogEnablingFor says and setting the year with
  // the era year (WithEraYearToggled). On OK returns all seven options as
  // the controls show them; on cancel returns nothing.
  virtual std::optional<DateInsertOptions> EditDateInsertFormat(
      const DateInsertOptions& current) = 0;

  // On OK returns the picked date, always a supported one; on cancel
  // returns nothing.
  virtual std::optional<CalendarDate> PickCalendarDate(const CalendarRequest& request) = 0;

 protected:
  DateDialogs() = default;
};

}  // namespace qm
