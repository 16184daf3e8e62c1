// SplitDialog: the title of the node that a split makes, and the split
// options.
//
// Filled from a SplitRequest. OK runs ValidateSplit: when that returns a
// message the dialog tells the user through the prompt and stays open;
// otherwise it closes accepted and Result() holds the answer. Controls:
// titleEdit, dropFirstLineBox, moveCaretBox, sameLevelBox, dontAskBox,
// okButton, cancelButton. The prompt must outlive the dialog.
#pragma once

#include <QDialog>

#include "editing/SplitDialogs.h"
#include "platform/Prompt.h"

class QCheckBox;
class QLineEdit;

namespace qm {

class SplitDialog : public QDialog {
 public:
  SplitDialog(const SplitRequest& request, Prompt& prompt, QWidget* parent = nullptr);

  SplitAnswer Result() const;

  // OK: closes only when the answer passes ValidateSplit.
  void accept() override;

 private:
  Prompt& m_prompt;
  QLineEdit* m_title;
  QCheckBox* m_dropFirstLine;
  QCheckBox* m_moveCaret;
  QCheckBox* m_sameLevel;
  QCheckBox* m_dontAsk;
};

}  // namespace qm
