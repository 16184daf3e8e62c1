// SplitDialog: the title field, the option boxes and the OK rule.
#include "gui/SplitDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editing/SplitMerge.h"
#include "gui/OkCancelButtons.h"
#include "res/Strings.h"

namespace qm {

SplitDialog::SplitDialog(const SplitRequest& request, Prompt& prompt, QWidget* parent)
    : QDialog(parent),
      m_prompt(prompt),
      m_title(new QLineEdit(request.title, this)),
      m_dropFirstLine(new QCheckBox(res::kSplitDropFirstLine.toString(), this)),
      m_moveCaret(new QCheckBox(res::kSplitMoveCaret.toString(), this)),
      m_sameLevel(new QCheckBox(res::kSplitSameLevel.toString(), this)),
      m_dontAsk(new QCheckBox(res::kSplitDontAskAgain.toString(), this)) {
  setWindowTitle(res::kSplitDialogTitle.toString());
  m_title->setObjectName(QStringLiteral("titleEdit"));
  m_dropFirstLine->setObjectName(QStringLiteral("dropFirstLineBox"));
  m_moveCaret->setObjectName(QStringLiteral("moveCaretBox"));
  m_sameLevel->setObjectName(QStringLiteral("sameLevelBox"));
  m_dontAsk->setObjectName(QStringLiteral("dontAskBox"));
  m_dropFirstLine->setChecked(request.dropFirstLine);
  m_moveCaret->setChecked(request.moveCaret);
  m_sameLevel->setChecked(request.sameLevel);

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);

  auto* caption = new QLabel(res::kNodeEditTitleLabel.toString(), this);
  caption->setBuddy(m_title);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addWidget(m_title);
  layout->addWidget(m_dropFirstLine);
  layout->addWidget(m_moveCaret);
  layout->addWidget(m_sameLevel);
  layout->addWidget(m_dontAsk);
  layout->addWidget(buttons);
  m_title->setFocus();
  m_title->selectAll();
}

SplitAnswer SplitDialog::Result() const {
  return SplitAnswer{m_title->text(), m_dropFirstLine->isChecked(), m_moveCaret->isChecked(),
                     m_sameLevel->isChecked(), m_dontAsk->isChecked()};
}

void SplitDialog::accept() {
  if (const std::optional<QString> message = ValidateSplit(Result())) {
    m_prompt.Ask(*message, PromptButtons::Ok, PromptIcon::Warning);
    m_title->setFocus();
    m_title->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace qm
