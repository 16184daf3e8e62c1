// WebOpenDialog: the web files of the account, by title, to choose one to
// open.
//
// The list (fileList) shows the titles in the order given, with nothing
// selected at the start. OK (okButton) closes accepted; a double click or
// Enter on a row chooses that row and closes accepted. Chosen() is the
// selected row, or -1 when none is, which the caller takes as no choice.
// Cancel (cancelButton) or Esc closes rejected.
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace qm {

class WebOpenDialog : public QDialog {
 public:
  explicit WebOpenDialog(const QStringList& titles, QWidget* parent = nullptr);

  // The selected row, or -1 when none is.
  int Chosen() const;

 private:
  QListWidget* m_list;
};

}  // namespace qm
