// CalendarWidget: the calendar picker's month view, drawn by hand — the
// heading "2010年3月" between the previous-month and next-month buttons, a
// row of weekday names from Sunday, and six rows of seven days.
//
// What it shows is MonthGrid of its CalendarState: days of the neighbouring
// months grey, the picked day highlighted, today framed, Sundays, public
// holidays and substitute Mondays red. Every change goes through the
// calendar logic (app/Calendar.h), which keeps the picked day inside the
// supported dates; the widget only maps input to it:
// - Left / Right: the day before / after; Up / Down: a week before / after;
//   Page Up / Page Down: the month before / after, months crossed as needed;
// - a click on a day picks it (a grey day shows its own month);
// - a double click on a day, Enter or Return picks it and calls the
//   activation callback (the dialog closes with OK).
// A month button is disabled where the supported dates end. Object names:
// previousMonthButton, nextMonthButton. Not thread-safe: GUI thread only.
#pragma once

#include <QWidget>
#include <functional>

#include "app/Calendar.h"

class QToolButton;

namespace qm {

class CalendarWidget : public QWidget {
 public:
  explicit CalendarWidget(const CalendarState& state, QWidget* parent = nullptr);

  const CalendarState& State() const { return m_state; }
  void SetState(const CalendarState& state);

  // Called after a double click on a day, Enter or Return.
  void SetOnActivated(std::function<void()> activated) { m_activated = std::move(activated); }

  // The area of a grid cell (row by row, Sunday first) in widget
  // coordinates, and the cell at a point (-1 outside the grid).
  QRect CellRect(int index) const;
  int CellAt(const QPoint& point) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int HeadingHeight() const;
  int WeekdayRowHeight() const;
  QSize CellSizeHint() const;
  // Picks the date of the cell under point; false when there is none.
  bool PickAt(const QPoint& point);
  void PlaceButtons();
  void UpdateButtons();

  CalendarState m_state;
  QToolButton* m_previous;
  QToolButton* m_next;
  std::function<void()> m_activated;
  // True after a press that picked a day, for the double click that follows.
  bool m_pressPicked = false;
};

}  // namespace qm
