// LinkFileNameDialog: asks which file a node without a link should link to.
//
// Shows the proposed name in an editable field (nameEdit) under its label,
// a browse button (browseButton) that hands the field to the request's
// LinkFileActions and takes the chosen file, and OK and Cancel (okButton,
// cancelButton). Without actions the browse button is disabled; the actions
// must outlive the dialog.
#pragma once

#include <QDialog>

#include "editing/LinkFileDialogs.h"

class QLineEdit;

namespace qm {

class LinkFileNameDialog : public QDialog {
 public:
  explicit LinkFileNameDialog(const LinkFileNameRequest& request, QWidget* parent = nullptr);

  // The name as the field holds it now.
  QString Name() const;

 private:
  QLineEdit* m_name;
};

}  // namespace qm
