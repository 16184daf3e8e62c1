// LatestUpdatedDialog: the list of the nodes updated last, newest first,
// with the highlighted node's body below it.
//
// The list selects whole rows and has the columns updated time and title;
// the first row is highlighted at the start and the read-only box below
// always shows the highlighted row's body. The jump button or a double
// click on a row closes the dialog accepted with ChosenRow() set; the close
// button (or Esc) closes it rejected. The list and the body box share the
// height when the dialog is resized. Object names: latestList, bodyBox,
// jumpButton, closeButton.
#pragma once

#include <QDialog>
#include <vector>

#include "editing/TimestampDialogs.h"

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace qm {

class LatestUpdatedDialog : public QDialog {
 public:
  LatestUpdatedDialog(const LatestUpdatedRequest& request, QWidget* parent = nullptr);

  // The highlighted row, or -1 when none is.
  int ChosenRow() const;

 private:
  void ShowBodyOf(int row);
  void Jump();

  std::vector<QString> m_bodies;
  QTreeWidget* m_list;
  QPlainTextEdit* m_body;
  QPushButton* m_jump;
  QPushButton* m_close;
};

}  // namespace qm
