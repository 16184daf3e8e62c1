// CalendarDialog: the month view and the dialog's buttons.
#include "gui/CalendarDialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/CalendarWidget.h"
#include "gui/OkCancelButtons.h"
#include "res/DateStrings.h"
#include "res/Strings.h"

namespace qm {

CalendarDialog::CalendarDialog(const CalendarRequest& request, QWidget* parent)
    : QDialog(parent), m_today(request.today), m_calendar(nullptr) {
  setWindowTitle(res::kCalendarDialogTitle.toString());
  m_calendar =
      new CalendarWidget(PickDate(OpenCalendar(Today()), ClampToSupported(request.start)), this);
  m_calendar->setObjectName(QStringLiteral("calendar"));
  m_calendar->SetOnActivated([this] { accept(); });

  auto* today = new QPushButton(res::kCalendarTodayButton.toString(), this);
  today->setObjectName(QStringLiteral("todayButton"));
  // Enter belongs to the month view and OK, never to this button.
  today->setAutoDefault(false);
  connect(today, &QPushButton::clicked, this, [this] {
    m_calendar->SetState(GoToToday(m_calendar->State(), Today()));
    m_calendar->setFocus();
  });

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);
  // This dialog's cancel button has always said it in half-width kana.
  if (auto* cancel = buttons->findChild<QPushButton*>(QStringLiteral("cancelButton"))) {
    cancel->setText(res::kSearchCancel.toString());
  }
  buttons->addButton(today, QDialogButtonBox::ResetRole);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_calendar, 1);
  layout->addWidget(buttons);
  m_calendar->setFocus();
}

CalendarDate CalendarDialog::Picked() const { return m_calendar->State().picked; }

CalendarDate CalendarDialog::Today() const {
  if (m_today) return m_today();
  const QDate date = QDate::currentDate();
  return {date.year(), date.month(), date.day()};
}

}  // namespace qm
