// CategoryEntryDialog: the name and memo of one category, for adding (empty)
// or editing it. OK closes accepted with Result() holding what was typed;
// Cancel or Esc closes it rejected. Object names: nameEdit, memoEdit,
// okButton, cancelButton.
#pragma once

#include <QDialog>

#include "editing/CategoryDialogs.h"

class QLineEdit;

namespace qm {

class CategoryEntryDialog : public QDialog {
 public:
  CategoryEntryDialog(const CategoryEntryText& request, QWidget* parent = nullptr);

  CategoryEntryText Result() const;

 private:
  QLineEdit* m_name;
  QLineEdit* m_memo;
};

}  // namespace qm
