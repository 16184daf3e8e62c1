// PastePlaceDialog: the two places, the box and the buttons.
#include "gui/PastePlaceDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/OkCancelButtons.h"
#include "res/Strings.h"

namespace qm {

PastePlaceDialog::PastePlaceDialog(const PastePlaceRequest& request, QWidget* parent)
    : QDialog(parent),
      m_below(new QRadioButton(res::kPasteBelow.toString(), this)),
      m_sameLevel(new QRadioButton(res::kPasteSameLevel.toString(), this)),
      m_dontAsk(new QCheckBox(res::kPasteDontAskAgain.toString(), this)) {
  setWindowTitle(res::kPasteDialogTitle.toString());
  m_below->setObjectName(QStringLiteral("belowButton"));
  m_sameLevel->setObjectName(QStringLiteral("sameLevelButton"));
  m_dontAsk->setObjectName(QStringLiteral("dontAskBox"));
  (request.level == 1 ? m_sameLevel : m_below)->setChecked(true);

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(res::kPasteDialogPrompt.toString(), this));
  layout->addWidget(m_below);
  layout->addWidget(m_sameLevel);
  layout->addWidget(m_dontAsk);
  layout->addWidget(buttons);
}

PastePlaceAnswer PastePlaceDialog::Result() const {
  return PastePlaceAnswer{m_sameLevel->isChecked() ? 1 : 0, m_dontAsk->isChecked()};
}

}  // namespace qm
