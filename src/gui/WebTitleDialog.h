// WebTitleDialog: asks for the title an outline is saved to the web under.
//
// Shows the prompt above a box (titleEdit) that starts with the proposed
// title, all of it selected so that typing replaces it. OK (okButton) is
// enabled only while the title holds more than white space, as a web file
// is found by its title; Cancel (cancelButton) closes rejected. Title() is
// the text as typed.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace qm {

class WebTitleDialog : public QDialog {
 public:
  WebTitleDialog(const QString& prompt, const QString& proposal, QWidget* parent = nullptr);

  // The title as the box holds it now.
  QString Title() const;

  // OK: closes only with a title that is not blank (Enter bypasses the
  // disabled button).
  void accept() override;

 private:
  bool HasTitle() const;

  QLineEdit* m_title;
  QPushButton* m_ok;
};

}  // namespace qm
