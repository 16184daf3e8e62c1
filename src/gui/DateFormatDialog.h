// DateFormatDialog: the date insertion format dialog ("日付挿入形式").
//
// It shows the seven date insertion options as check boxes and the
// separator edit. The controls follow the rules of app/DateInsertFormat.h
// after every change: the separator edit accepts input only while the
// "X年X月X日" form is off (DateFormatDialogEnablingFor), and setting the era
// year sets the year too (WithEraYearToggled). Result() is what the
// controls show. Object names: yearBox, year4Box, weekBox, eraBox, markEdit,
// kanjiBox, timeBox, okButton, cancelButton. Not thread-safe: GUI thread.
#pragma once

#include <QDialog>

#include "app/DateInsertFormat.h"

class QCheckBox;
class QLineEdit;

namespace qm {

class DateFormatDialog : public QDialog {
 public:
  explicit DateFormatDialog(const DateInsertOptions& options, QWidget* parent = nullptr);

  DateInsertOptions Result() const;

 private:
  void ApplyEnabling();

  QCheckBox* m_year;
  QCheckBox* m_year4;
  QCheckBox* m_week;
  QCheckBox* m_era;
  QLineEdit* m_mark;
  QCheckBox* m_kanji;
  QCheckBox* m_time;
};

}  // namespace qm
