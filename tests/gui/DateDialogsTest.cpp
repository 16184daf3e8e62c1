// The date dialogs driven through their controls — the format dialog's
// rules, the calendar's keys, clicks, buttons and colours — and the
// window's date commands answered as a user would.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDate>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "gui/CalendarDialog.h"
#include "gui/CalendarWidget.h"
#include "gui/DateFormatDialog.h"
#include "res/CommandIds.h"
#include "res/DateStrings.h"
#include "res/Strings.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;
using test::Find;

void Press(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

void Mouse(QWidget* widget, QEvent::Type type, const QPoint& at) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

class DateDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }
};

// ---- The format dialog ----

// The separator means nothing while the kanji follow the numbers, and an
// era year is a year; a stored era year without the year stays as stored.
TEST_F(DateDialogsTest, FormatDialogKeepsItsRulesAfterEveryClick) {
  DateInsertOptions options;
  options.eraYear = true;
  options.kanjiUnits = true;
  DateFormatDialog dialog(options);
  EXPECT_EQ(dialog.Result(), options);
  auto* mark = Find<QLineEdit>(&dialog, "markEdit");
  EXPECT_FALSE(mark->isEnabled());
  Find<QCheckBox>(&dialog, "kanjiBox")->click();
  EXPECT_TRUE(mark->isEnabled());

  auto* year = Find<QCheckBox>(&dialog, "yearBox");
  auto* era = Find<QCheckBox>(&dialog, "eraBox");
  era->click();  // off: the year stays off
  EXPECT_FALSE(year->isChecked());
  era->click();
  EXPECT_TRUE(year->isChecked());
}

// ---- The calendar ----

class CalendarWidgetTest : public DateDialogsTest {
 protected:
  CalendarWidgetTest() {
    widget.resize(widget.sizeHint());
    widget.SetOnActivated([this] { ++activated; });
  }
  CalendarDate Picked() const { return widget.State().picked; }

  // Wednesday 31 March 2010; the grid starts on Sunday 28 February.
  CalendarWidget widget{OpenCalendar({2010, 3, 31})};
  int activated = 0;
};

TEST_F(CalendarWidgetTest, KeysAndMonthButtonsMoveThePickedDayAcrossMonths) {
  Press(&widget, Qt::Key_Right);
  EXPECT_EQ(Picked(), (CalendarDate{2010, 4, 1}));
  Press(&widget, Qt::Key_Up);
  EXPECT_EQ(Picked(), (CalendarDate{2010, 3, 25}));
  Press(&widget, Qt::Key_Down);
  Press(&widget, Qt::Key_Left);
  EXPECT_EQ(Picked(), (CalendarDate{2010, 3, 31}));
  // A month on keeps the day where the month has it.
  Press(&widget, Qt::Key_PageDown);
  EXPECT_EQ(Picked(), (CalendarDate{2010, 4, 30}));
  Press(&widget, Qt::Key_PageUp);
  EXPECT_EQ(Picked(), (CalendarDate{2010, 3, 30}));
  Find<QToolButton>(&widget, "previousMonthButton")->click();
  EXPECT_EQ(Picked(), (CalendarDate{2010, 2, 28}));
  Find<QToolButton>(&widget, "nextMonthButton")->click();
  EXPECT_EQ(Picked(), (CalendarDate{2010, 3, 28}));
  EXPECT_EQ(activated, 0);
}

TEST_F(CalendarWidgetTest, MonthButtonsStopWhereTheSupportedDatesEnd) {
  widget.SetState(OpenCalendar({2036, 12, 31}));
  EXPECT_FALSE(Find<QToolButton>(&widget, "nextMonthButton")->isEnabled());
  Press(&widget, Qt::Key_Right);
  EXPECT_EQ(Picked(), (CalendarDate{2036, 12, 31}));
  widget.SetState(OpenCalendar({1972, 1, 1}));
  EXPECT_FALSE(Find<QToolButton>(&widget, "previousMonthButton")->isEnabled());
  EXPECT_TRUE(Find<QToolButton>(&widget, "nextMonthButton")->isEnabled());
}

// A double click on a grey day turns the month with its first press; the
// day picked then is the one taken, not what stands there afterwards.
TEST_F(CalendarWidgetTest, ClicksPickDaysAndDoubleClickAndEnterTakeThem) {
  Mouse(&widget, QEvent::MouseButtonPress, widget.CellRect(12).center());
  EXPECT_EQ(Picked(), (CalendarDate{2010, 3, 12}));
  Mouse(&widget, QEvent::MouseButtonPress, QPoint(widget.width() / 2, 2));  // the heading
  EXPECT_EQ(Picked(), (CalendarDate{2010, 3, 12}));
  EXPECT_EQ(activated, 0);

  const QPoint lastCell = widget.CellRect(41).center();  // Saturday 10 April
  Mouse(&widget, QEvent::MouseButtonPress, lastCell);
  Mouse(&widget, QEvent::MouseButtonRelease, lastCell);
  Mouse(&widget, QEvent::MouseButtonDblClick, lastCell);
  EXPECT_EQ(activated, 1);
  EXPECT_EQ(Picked(), (CalendarDate{2010, 4, 10}));
  Press(&widget, Qt::Key_Enter);
  EXPECT_EQ(activated, 2);
}

// The colours come from the grid: red for Sundays, holidays and the Monday
// after a Sunday holiday, but not for the neighbouring months' days;
// highlight for the picked day.
TEST_F(CalendarWidgetTest, PaintsRedDaysAndThePickedDay) {
  widget.resize(widget.sizeHint() * 2);
  const QImage image = widget.grab().toImage();
  const auto any = [&image, this](int cell, auto matches) {
    const QRect area = widget.CellRect(cell).adjusted(3, 3, -3, -3);
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        if (matches(image.pixelColor(x, y))) return true;
      }
    }
    return false;
  };
  // Glyph edges are blended with the background; their cores are red.
  const auto red = [](QColor c) { return c.red() > 120 && c.green() < 60 && c.blue() < 60; };
  EXPECT_TRUE(any(21, red));   // Sunday 21 March, the equinox
  EXPECT_TRUE(any(22, red));   // Monday 22 March, in its place
  EXPECT_FALSE(any(23, red));  // Tuesday 23 March
  EXPECT_FALSE(any(0, red));   // Sunday 28 February, grey
  const QColor highlight = widget.palette().color(QPalette::Inactive, QPalette::Highlight);
  const auto highlighted = [highlight](QColor c) { return c == highlight; };
  EXPECT_TRUE(any(31, highlighted));  // 31 March, picked
  EXPECT_FALSE(any(30, highlighted));
}

class CalendarDialogTest : public DateDialogsTest {
 protected:
  CalendarRequest request{{2010, 3, 31}, [this] { return today; }};
  CalendarDate today{2010, 3, 5};
};

TEST_F(CalendarDialogTest, OpensAtTheStartAndTodayButtonGoesToTodaysMonth) {
  CalendarDialog dialog(request);
  EXPECT_EQ(dialog.windowTitle(), res::kCalendarDialogTitle.toString());
  EXPECT_EQ(Find<QPushButton>(&dialog, "cancelButton")->text(), res::kSearchCancel.toString());
  EXPECT_EQ(dialog.Picked(), (CalendarDate{2010, 3, 31}));
  EXPECT_EQ(dialog.Calendar().State().today, today);

  today = {2011, 7, 20};  // the dialog stayed open for a while
  Find<QPushButton>(&dialog, "todayButton")->click();
  EXPECT_EQ(dialog.Picked(), today);
  EXPECT_EQ(dialog.Calendar().State().today, today);
}

// ---- In the window ----

using DateWindowTest = test::WindowFixture;

CalendarDate Today() {
  const QDate date = QDate::currentDate();
  return {date.year(), date.month(), date.day()};
}

TEST_F(DateWindowTest, FormatDialogFromTheMenuShapesTheDateTheBodyGets) {
  Start();
  test::WhenModalShows([](QWidget* dialog) {
    Find<QCheckBox>(dialog, "yearBox")->click();
    Find<QCheckBox>(dialog, "year4Box")->click();
    Find<QCheckBox>(dialog, "weekBox")->click();
    Find<QLineEdit>(dialog, "markEdit")->setText(u"-"_s);
    Find<QPushButton>(dialog, "okButton")->click();
  });
  Window().RunCommand(kCmdDateFormat);

  Window().BodyWidget()->moveCursor(QTextCursor::Start);
  const QString before = Window().BodyWidget()->toPlainText();
  Window().RunCommand(kCmdInsertDateTime);
  const CalendarDate today = Today();
  const QString expected = u"%1-%2-%3"_s.arg(today.year)
                               .arg(today.month, 2, 10, QLatin1Char('0'))
                               .arg(today.day, 2, 10, QLatin1Char('0'));
  EXPECT_EQ(Window().BodyWidget()->toPlainText(), expected + before);
  EXPECT_TRUE(Document().IsModified());
}

TEST_F(DateWindowTest, CalendarFromTheMenuInsertsThePickedDate) {
  Start();
  Window().BodyWidget()->moveCursor(QTextCursor::Start);
  const QString before = Window().BodyWidget()->toPlainText();
  test::WhenModalShows([](QWidget* dialog) {
    auto* calendar = Find<CalendarWidget>(dialog, "calendar");
    EXPECT_EQ(calendar->State().picked, Today());
    calendar->SetState(PickDate(calendar->State(), {2010, 3, 5}));
    // The keys reach the month view from the start.
    ASSERT_EQ(dialog->focusWidget(), calendar);
    Press(dialog->focusWidget(), Qt::Key_Down);
    Press(dialog->focusWidget(), Qt::Key_Return);
  });
  Window().RunCommand(kCmdInsertDate);
  EXPECT_EQ(Window().BodyWidget()->toPlainText(), u"03/12(金)"_s + before);
  EXPECT_TRUE(Document().IsModified());
  // Off screen, the window is not active again by itself once the dialog has gone.
  Window().activateWindow();
  QApplication::processEvents();
  EXPECT_TRUE(Window().BodyWidget()->hasFocus());
}

// The calendar opens over the node edit dialog, which takes its answer.
TEST_F(DateWindowTest, NodeEditDateButtonDatesTheTitle) {
  Start();
  const int index = Store().GetSelected();
  const QString title = Store().GetTitle(index);
  test::AnswerInTurn({
      [](QWidget* dialog) {
        Find<QPushButton>(dialog, "dateButton")->click();
        Find<QPushButton>(dialog, "okButton")->click();
      },
      [](QWidget* calendar) {
        Find<CalendarWidget>(calendar, "calendar")->SetState(OpenCalendar({2010, 3, 21}));
        Find<QPushButton>(calendar, "okButton")->click();
      },
  });
  Window().RunCommand(kCmdEditNode);
  EXPECT_EQ(Store().GetTitle(index), u"03/21(日) "_s + title);
}

}  // namespace
}  // namespace qm
