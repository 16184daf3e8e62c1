// TextPasteDialog: tells the user that the clipboard holds plain text, not
// outline data, and asks how to turn it into nodes.
//
// Filled from a TextPasteRequest (modes 0-3 in the order of the choices; a
// mode out of range selects the first); Result() holds the answer once the
// user pressed OK. Controls: messageLabel, modeButton0 .. modeButton3,
// okButton, cancelButton.
#pragma once

#include <QDialog>
#include <array>

#include "editing/PasteDialogs.h"

class QRadioButton;

namespace qm {

class TextPasteDialog : public QDialog {
 public:
  explicit TextPasteDialog(const TextPasteRequest& request, QWidget* parent = nullptr);

  TextPasteAnswer Result() const;

 private:
  std::array<QRadioButton*, 4> m_modes;
};

}  // namespace qm
