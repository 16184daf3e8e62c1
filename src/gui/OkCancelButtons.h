// OkCancelButtons: the OK and Cancel row every small dialog of the program
// ends with — the program's own button texts, OK the default button, and
// the object names okButton and cancelButton that tests find them by.
#pragma once

#include <QStringView>

class QDialog;
class QDialogButtonBox;

namespace qm {

// The row, owned by dialog: OK calls the dialog's accept() (where a dialog
// checks its fields), Cancel its reject().
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog);
// The same row for a dialog whose cancel button reads cancelText instead.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog, QStringView cancelText);

}  // namespace qm
