// PastePlaceDialog: asks where pasted nodes go — below the selected node or
// on its level — and whether to ask again next time.
//
// Filled from a PastePlaceRequest (level 0 below, 1 same level); Result()
// holds the answer once the user pressed OK. Controls: belowButton,
// sameLevelButton, dontAskBox, okButton, cancelButton.
#pragma once

#include <QDialog>

#include "editing/PasteDialogs.h"

class QCheckBox;
class QRadioButton;

namespace qm {

class PastePlaceDialog : public QDialog {
 public:
  explicit PastePlaceDialog(const PastePlaceRequest& request, QWidget* parent = nullptr);

  PastePlaceAnswer Result() const;

 private:
  QRadioButton* m_below;
  QRadioButton* m_sameLevel;
  QCheckBox* m_dontAsk;
};

}  // namespace qm
