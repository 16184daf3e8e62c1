// TextPasteDialog: the message, the four ways and the buttons.
#include "gui/TextPasteDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/OkCancelButtons.h"
#include "res/Strings.h"

namespace qm {

TextPasteDialog::TextPasteDialog(const TextPasteRequest& request, QWidget* parent)
    : QDialog(parent),
      m_modes{new QRadioButton(res::kTextPasteNodePerLine.toString(), this),
              new QRadioButton(res::kTextPasteTitleAndRest.toString(), this),
              new QRadioButton(res::kTextPasteTitleAndAll.toString(), this),
              new QRadioButton(res::kTextPasteOneNode.toString(), this)} {
  setWindowTitle(res::kTextPasteDialogTitle.toString());
  auto* message = new QLabel(res::kTextPasteMessage.toString(), this);
  message->setObjectName(QStringLiteral("messageLabel"));
  message->setWordWrap(true);
  for (size_t i = 0; i < m_modes.size(); ++i) {
    m_modes[i]->setObjectName(QStringLiteral("modeButton%1").arg(i));
  }
  const bool known = request.mode >= 0 && request.mode < static_cast<int>(m_modes.size());
  m_modes[known ? static_cast<size_t>(request.mode) : 0]->setChecked(true);

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message);
  for (QRadioButton* mode : m_modes) layout->addWidget(mode);
  layout->addWidget(buttons);
}

TextPasteAnswer TextPasteDialog::Result() const {
  for (size_t i = 0; i < m_modes.size(); ++i) {
    if (m_modes[i]->isChecked()) return TextPasteAnswer{static_cast<int>(i)};
  }
  return TextPasteAnswer{};
}

}  // namespace qm
