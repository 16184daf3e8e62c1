// SearchListDialog: the list of nodes a search found, to jump to one.
//
// One row per entry of the request, in its order, the first row chosen at
// the start. Jump (or activating a row: a double click) closes the dialog accepted
// with that row chosen; close rejects it. Jump works only while a row is
// chosen. Object names: matchList, jumpButton, closeButton.
#pragma once

#include <QDialog>

#include "editing/SearchDialogs.h"

class QListWidget;
class QPushButton;

namespace qm {

class SearchListDialog : public QDialog {
 public:
  explicit SearchListDialog(const SearchListRequest& request, QWidget* parent = nullptr);

  // The chosen row, or -1.
  int Chosen() const;

 private:
  QListWidget* m_list;
  QPushButton* m_jump;
  QPushButton* m_close;
};

}  // namespace qm
