// CalendarDialog: the calendar date picker ("カレンダー") — the month view,
// "今日へ(&T)" (today picked and its month shown), OK and "ｷｬﾝｾﾙ".
//
// Opens at the request's start date with today framed; Picked() is the
// date the month view holds. A double click on a day, Enter or Return in
// the month view closes it as OK does. Object names: calendar, todayButton,
// okButton, cancelButton. Not thread-safe: GUI thread only.
#pragma once

#include <QDialog>

#include "app/DateDialogs.h"

namespace qm {

class CalendarWidget;

class CalendarDialog : public QDialog {
 public:
  explicit CalendarDialog(const CalendarRequest& request, QWidget* parent = nullptr);

  CalendarDate Picked() const;
  CalendarWidget& Calendar() { return *m_calendar; }

 private:
  // Today by the request, or by the desktop's clock when it gives none.
  CalendarDate Today() const;

  std::function<CalendarDate()> m_today;
  CalendarWidget* m_calendar;
};

}  // namespace qm
