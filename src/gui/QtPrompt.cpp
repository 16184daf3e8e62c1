// QtPrompt: QMessageBox with fixed buttons.
#include "gui/QtPrompt.h"

#include <QMessageBox>
#include <QPushButton>

#include "res/Strings.h"

namespace qm {
namespace {

QMessageBox::Icon IconOf(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::None:
      return QMessageBox::NoIcon;
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Warning:
      return QMessageBox::Warning;
    case PromptIcon::Error:
      return QMessageBox::Critical;
    case PromptIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

PromptAnswer QtPrompt::Ask(const QString& text, PromptButtons buttons, PromptIcon icon) {
  QMessageBox box(IconOf(icon), res::kWindowTitle.toString(), text, QMessageBox::NoButton,
                  m_parent.data());
  // Standard buttons under the program's own texts, so that each also
  // answers to its role (QMessageBox::button(QMessageBox::No)).
  const auto add = [&box](QMessageBox::StandardButton which, QStringView label) {
    QAbstractButton* button = box.addButton(which);
    button->setText(label.toString());
    return button;
  };
  QAbstractButton* ok = nullptr;
  QAbstractButton* yes = nullptr;
  QAbstractButton* no = nullptr;
  switch (buttons) {
    case PromptButtons::Ok:
      ok = add(QMessageBox::Ok, res::kButtonOk);
      break;
    case PromptButtons::OkCancel:
      ok = add(QMessageBox::Ok, res::kButtonOk);
      add(QMessageBox::Cancel, res::kButtonCancel);
      break;
    case PromptButtons::YesNo:
      yes = add(QMessageBox::Yes, res::kButtonYes);
      no = add(QMessageBox::No, res::kButtonNo);
      break;
    case PromptButtons::YesNoCancel:
      yes = add(QMessageBox::Yes, res::kButtonYes);
      no = add(QMessageBox::No, res::kButtonNo);
      add(QMessageBox::Cancel, res::kButtonCancel);
      break;
  }
  box.exec();
  QAbstractButton* chosen = box.clickedButton();
  if (chosen != nullptr && chosen == ok) return PromptAnswer::Ok;
  if (chosen != nullptr && chosen == yes) return PromptAnswer::Yes;
  if (chosen != nullptr && chosen == no) return PromptAnswer::No;
  // Closing the box or Escape: a plain message counts as read.
  return buttons == PromptButtons::Ok      ? PromptAnswer::Ok
         : buttons == PromptButtons::YesNo ? PromptAnswer::No
                                           : PromptAnswer::Cancel;
}

}  // namespace qm
