// DateInsertion: the date commands over the edit control and the dialogs.
#include "app/DateInsertion.h"

#include "app/DateDialogs.h"
#include "app/DateInsertFormat.h"
#include "editing/BodyPane.h"
#include "platform/Clock.h"
#include "platform/EditControl.h"
#include "res/CommandIds.h"

namespace qm {

DateInsertion::DateInsertion(CQEditView& body, EditControl& editor, SettingsStore& settings,
                             const Clock& clock, DateDialogs& dialogs)
    : m_body(body), m_editor(editor), m_settings(settings), m_clock(clock), m_dialogs(dialogs) {}

void DateInsertion::InsertCurrentDateTime() {
  ReplaceSelection(FormatInsertDateTime(m_clock.Now(), ReadDateInsertOptions(m_settings)));
}

bool DateInsertion::InsertPickedDate() {
  const std::optional<CalendarDate> date = PickDate();
  if (!date) return false;
  ReplaceSelection(FormatInsertDate(*date, ReadDateInsertOptions(m_settings)));
  m_body.Focus();
  return true;
}

bool DateInsertion::EditFormat() {
  const std::optional<DateInsertOptions> options =
      m_dialogs.EditDateInsertFormat(ReadDateInsertOptions(m_settings));
  if (!options) return false;
  WriteDateInsertOptions(m_settings, *options);
  return true;
}

std::optional<QString> DateInsertion::TitleWithPickedDate(const QString& title) {
  const std::optional<CalendarDate> date = PickDate();
  if (!date) return std::nullopt;
  return TitleWithDate(FormatInsertDate(*date, ReadDateInsertOptions(m_settings)), title);
}

std::optional<CalendarDate> DateInsertion::PickDate() {
  CalendarRequest request;
  request.today = [&clock = m_clock] { return LocalDateOf(clock.Now()); };
  request.start = request.today();
  return m_dialogs.PickCalendarDate(request);
}

void DateInsertion::ReplaceSelection(const QString& text) {
  m_editor.ReplaceSelection(text);
  m_editor.ScrollCaretIntoView();
  // The date may have gone into the first line, which may be the title.
  m_body.ApplyFirstLineTitle();
}

std::unique_ptr<CommandTarget> MakeDateBodyCommands(std::shared_ptr<DateInsertion> dates) {
  auto set = std::make_unique<CommandSet<int>>();
  set->Add(kCmdInsertDateTime, [dates] { dates->InsertCurrentDateTime(); });
  set->Add(kCmdInsertDate, [dates] { dates->InsertPickedDate(); });
  return set;
}

std::unique_ptr<CommandTarget> MakeDateFrameCommands(std::shared_ptr<DateInsertion> dates) {
  auto set = std::make_unique<CommandSet<int>>();
  set->Add(kCmdDateFormat, [dates] { dates->EditFormat(); });
  return set;
}

}  // namespace qm
