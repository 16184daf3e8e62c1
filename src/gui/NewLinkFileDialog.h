// NewLinkFileDialog: confirms the creation of a link file that does not exist.
//
// Shows the message, the file name in an editable field (fileNameEdit) and,
// for text files, the two choices of what to write (titleCheck, bodyCheck),
// with OK and Cancel (okButton, cancelButton). The choices are disabled
// while the name ends in ".qmp": a new outline file gets the title as its
// top node whatever they say.
#pragma once

#include <QDialog>

#include "editing/LinkFileDialogs.h"

class QCheckBox;
class QLineEdit;

namespace qm {

class NewLinkFileDialog : public QDialog {
 public:
  explicit NewLinkFileDialog(const NewLinkFileRequest& request, QWidget* parent = nullptr);

  // What the controls hold now.
  NewLinkFileAnswer Answer() const;

 private:
  void FollowName();

  QLineEdit* m_fileName;
  QCheckBox* m_title;
  QCheckBox* m_body;
};

}  // namespace qm
