// TextFormatDialog: the text output format dialog ("出力形式").
//
// It shows every option of a TextFormat: the form and indentation lists,
// the check boxes for the selected tree only, link files, body text and the
// two blank-line options, the wrap width, the chapter separator, and the tab
// and space counts (each enabled while its indentation mode is chosen).
// Result() holds what the controls show. A list value or number the
// controls cannot show is handed back unchanged unless the user changes
// that control, so opening and closing the dialog never alters an option.
// Object names for tests and scripts: formList, indentList, selectOnlyBox,
// fileOutBox, editOutBox, spaceBox, tSpaceBox, widthEdit, separatorEdit,
// tabNoEdit, spaceNoEdit, okButton, cancelButton.
#pragma once

#include <QDialog>

#include "output/TextFormat.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace qm {

class TextFormatDialog : public QDialog {
 public:
  explicit TextFormatDialog(const TextFormat& format, QWidget* parent = nullptr);

  TextFormat Result() const;

 private:
  void UpdateCounts();

  TextFormat m_requested;
  QComboBox* m_form;
  QComboBox* m_indent;
  QCheckBox* m_selectOnly;
  QCheckBox* m_fileOut;
  QCheckBox* m_editOut;
  QCheckBox* m_space;
  QCheckBox* m_tSpace;
  QSpinBox* m_width;
  QLineEdit* m_separator;
  QSpinBox* m_tabNo;
  QSpinBox* m_spaceNo;
};

}  // namespace qm
