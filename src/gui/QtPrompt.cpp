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
  QAbstractButton* ok = nullptr;
  QAbstractButton* yes = nullptr;
  QAbstractButton* no = nullptr;
  switch (buttons) {
    case PromptButtons::Ok:
      ok = box.addButton(res::kButtonOk.toString(), QMessageBox::AcceptRole);
      break;
    case PromptButtons::OkCancel:
      ok = box.addButton(res::kButtonOk.toString(), QMessageBox::AcceptRole);
      box.addButton(res::kButtonCancel.toString(), QMessageBox::RejectRole);
      break;
    case PromptButtons::YesNo:
      yes = box.addButton(res::kButtonYes.toString(), QMessageBox::YesRole);
      no = box.addButton(res::kButtonNo.toString(), QMessageBox::NoRole);
      break;
    case PromptButtons::YesNoCancel:
      yes = box.addButton(res::kButtonYes.toString(), QMessageBox::YesRole);
      no = box.addButton(res::kButtonNo.toString(), QMessageBox::NoRole);
      box.addButton(res::kButtonCancel.toString(), QMessageBox::RejectRole);
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
