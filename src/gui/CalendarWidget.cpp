// CalendarWidget: painting the month, and keys and clicks as calendar steps.
#include "gui/CalendarWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <optional>

#include "res/DateStrings.h"

namespace qm {
namespace {

constexpr int kMargin = 4;
// The holiday colour; readable on the usual light backgrounds.
constexpr QRgb kRed = qRgb(0xD0, 0x00, 0x00);

QToolButton* MonthButton(QStringView text, const char* name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(text.toString());
  button->setObjectName(QLatin1String(name));
  // The keys already turn months; the buttons are for the pointer.
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);
  return button;
}

}  // namespace

CalendarWidget::CalendarWidget(const CalendarState& state, QWidget* parent)
    : QWidget(parent),
      m_state(state),
      m_previous(MonthButton(res::kCalendarPreviousMonth, "previousMonthButton", this)),
      m_next(MonthButton(res::kCalendarNextMonth, "nextMonthButton", this)) {
  setFocusPolicy(Qt::StrongFocus);
  QFont face = font();
  // The face the calendar always used where the desktop has it, else the
  // desktop's own.
  face.setFamilies({res::kCalendarFontFace.toString(), face.family()});
  setFont(face);
  connect(m_previous, &QToolButton::clicked, this, [this] { SetState(PreviousMonth(m_state)); });
  connect(m_next, &QToolButton::clicked, this, [this] { SetState(NextMonth(m_state)); });
  UpdateButtons();
}

void CalendarWidget::SetState(const CalendarState& state) {
  if (state == m_state) return;
  m_state = state;
  UpdateButtons();
  update();
}

void CalendarWidget::UpdateButtons() {
  m_previous->setEnabled(PreviousMonth(m_state) != m_state);
  m_next->setEnabled(NextMonth(m_state) != m_state);
}

// ---- Geometry ----

int CalendarWidget::HeadingHeight() const {
  return std::max(m_previous->sizeHint().height(), fontMetrics().height()) + 2 * kMargin;
}

int CalendarWidget::WeekdayRowHeight() const { return fontMetrics().height() + kMargin; }

QSize CalendarWidget::CellSizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  return {metrics.horizontalAdvance(QStringLiteral("000")) + 2 * kMargin,
          metrics.height() + 2 * kMargin};
}

QSize CalendarWidget::sizeHint() const {
  const QSize cell = CellSizeHint();
  return {cell.width() * kCalendarColumns,
          HeadingHeight() + WeekdayRowHeight() + cell.height() * kCalendarRows};
}

QSize CalendarWidget::minimumSizeHint() const { return sizeHint(); }

QRect CalendarWidget::CellRect(int index) const {
  const int column = index % kCalendarColumns;
  const int row = index / kCalendarColumns;
  const int top = HeadingHeight() + WeekdayRowHeight();
  const int gridHeight = height() - top;
  // Spread the remainder over the cells instead of leaving a strip at the edge.
  const int left = width() * column / kCalendarColumns;
  const int right = width() * (column + 1) / kCalendarColumns;
  const int upper = top + gridHeight * row / kCalendarRows;
  const int lower = top + gridHeight * (row + 1) / kCalendarRows;
  return {left, upper, right - left, lower - upper};
}

int CalendarWidget::CellAt(const QPoint& point) const {
  for (int i = 0; i < kCalendarColumns * kCalendarRows; ++i) {
    if (CellRect(i).contains(point)) return i;
  }
  return -1;
}

void CalendarWidget::resizeEvent(QResizeEvent*) { PlaceButtons(); }

void CalendarWidget::PlaceButtons() {
  const QSize button = m_previous->sizeHint().expandedTo(m_next->sizeHint());
  const int top = (HeadingHeight() - button.height()) / 2;
  m_previous->setGeometry(kMargin, top, button.width(), button.height());
  m_next->setGeometry(width() - kMargin - button.width(), top, button.width(), button.height());
}

// ---- Painting ----

void CalendarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.base());

  painter.setPen(colours.color(QPalette::Text));
  painter.drawText(QRect(0, 0, width(), HeadingHeight()), Qt::AlignCenter,
                   CalendarMonthHeading(m_state.picked.year, m_state.picked.month));

  const int weekdayTop = HeadingHeight();
  for (int column = 0; column < kCalendarColumns; ++column) {
    const QRect cell = CellRect(column);
    const QRect name(cell.left(), weekdayTop, cell.width(), WeekdayRowHeight());
    painter.setPen(column == 0 ? QColor(kRed) : colours.color(QPalette::Text));
    painter.drawText(name, Qt::AlignCenter, res::kWeekdayCharacters[column].toString());
  }
  painter.setPen(colours.color(QPalette::Mid));
  painter.drawLine(0, weekdayTop + WeekdayRowHeight() - 1, width(),
                   weekdayTop + WeekdayRowHeight() - 1);

  const CalendarGrid grid = MonthGrid(m_state);
  for (int i = 0; i < static_cast<int>(grid.size()); ++i) {
    const CalendarCell& day = grid[i];
    const QRect cell = CellRect(i).adjusted(1, 1, -1, -1);
    QColor text = colours.color(QPalette::Text);
    if (!day.inDisplayedMonth) {
      text = colours.color(QPalette::Disabled, QPalette::Text);
    } else if (day.red) {
      text = QColor(kRed);
    }
    if (day.picked) {
      painter.fillRect(cell, colours.brush(hasFocus() ? QPalette::Active : QPalette::Inactive,
                                           QPalette::Highlight));
      text = colours.color(QPalette::HighlightedText);
    }
    if (day.today) {
      painter.setPen(QPen(colours.color(QPalette::Text), 1));
      painter.drawRect(cell.adjusted(0, 0, -1, -1));
    }
    painter.setPen(text);
    // "%2d": single-digit days line up with the others on the right.
    painter.drawText(cell, Qt::AlignCenter, QStringLiteral("%1").arg(day.date.day, 2));
  }
}

// ---- Input ----

void CalendarWidget::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    QWidget::keyPressEvent(event);
    return;
  }
  std::optional<CalendarStep> step;
  switch (event->key()) {
    case Qt::Key_Left:
      step = CalendarStep::PreviousDay;
      break;
    case Qt::Key_Right:
      step = CalendarStep::NextDay;
      break;
    case Qt::Key_Up:
      step = CalendarStep::PreviousWeek;
      break;
    case Qt::Key_Down:
      step = CalendarStep::NextWeek;
      break;
    case Qt::Key_PageUp:
      step = CalendarStep::PreviousMonth;
      break;
    case Qt::Key_PageDown:
      step = CalendarStep::NextMonth;
      break;
    case Qt::Key_Enter:
    case Qt::Key_Return:
      if (m_activated) m_activated();
      return;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  SetState(ApplyStep(m_state, *step));
}

bool CalendarWidget::PickAt(const QPoint& point) {
  const int index = CellAt(point);
  if (index < 0) return false;
  const CalendarCell cell = MonthGrid(m_state)[index];
  if (!cell.pickable) return false;
  SetState(PickDate(m_state, cell.date));
  return true;
}

void CalendarWidget::mousePressEvent(QMouseEvent* event) {
  m_pressPicked = false;
  if (event->button() == Qt::LeftButton) {
    setFocus(Qt::MouseFocusReason);
    m_pressPicked = PickAt(event->position().toPoint());
  }
  QWidget::mousePressEvent(event);
}

void CalendarWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // The first press has picked the day already. Picking again would take
  // another: a grey day's press turned the month, so other dates now stand
  // under the pointer.
  if (event->button() == Qt::LeftButton && m_pressPicked) {
    m_pressPicked = false;
    if (m_activated) m_activated();
    return;
  }
  QWidget::mouseDoubleClickEvent(event);
}

}  // namespace qm
