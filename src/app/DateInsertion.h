// DateInsertion: what the date commands do — put the current date and time
// or a date picked in the calendar in place of the body pane's selection,
// edit the date insertion format, and put a picked date in front of a node
// title in the node edit dialog — and the command targets that reach them.
//
// The options are read from the settings each time a date is formatted, so
// a change in the format dialog applies to the next insertion. Text goes in
// through the edit control as the user's own editing does, so the document
// is marked changed the way typing marks it. The calendar always opens at
// today's date by the clock.
//
// The body pane, edit control, settings store, clock and dialogs must
// outlive the object. Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "app/CalendarDate.h"
#include "app/CommandTarget.h"

namespace qm {

class CQEditView;
class Clock;
class DateDialogs;
class EditControl;
class SettingsStore;

class DateInsertion {
 public:
  DateInsertion(CQEditView& body, EditControl& editor, SettingsStore& settings, const Clock& clock,
                DateDialogs& dialogs);
  DateInsertion(const DateInsertion&) = delete;
  DateInsertion& operator=(const DateInsertion&) = delete;

  // Replaces the selection with the current date, and " hh:mm" after it
  // when the options ask for the time.
  void InsertCurrentDateTime();
  // Asks for a date in the calendar; on OK replaces the selection with it
  // (never with a time) and gives the body pane the focus. Returns false on
  // cancel, with the text unchanged.
  bool InsertPickedDate();
  // Shows the format dialog; on OK writes all the options, on cancel none.
  // Returns true on OK.
  bool EditFormat();
  // The node edit dialog's date button: asks for a date in the calendar and
  // returns it formatted, one blank and then title; nothing on cancel.
  std::optional<QString> TitleWithPickedDate(const QString& title);

 private:
  std::optional<CalendarDate> PickDate();
  void ReplaceSelection(const QString& text);

  CQEditView& m_body;
  EditControl& m_editor;
  SettingsStore& m_settings;
  const Clock& m_clock;
  DateDialogs& m_dialogs;
};

// The body pane's date commands: insert date and time, insert date. Both
// panes reach them (the router asks the other pane too).
std::unique_ptr<CommandTarget> MakeDateBodyCommands(std::shared_ptr<DateInsertion> dates);
// The frame's command: the date insertion format dialog.
std::unique_ptr<CommandTarget> MakeDateFrameCommands(std::shared_ptr<DateInsertion> dates);

}  // namespace qm
