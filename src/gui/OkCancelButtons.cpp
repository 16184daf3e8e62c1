// OkCancelButtons: one button row for the small dialogs.
#include "gui/OkCancelButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "res/Strings.h"

namespace qm {

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog) {
  return MakeOkCancelButtons(dialog, res::kButtonCancel);
}

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog, QStringView cancelText) {
  auto* ok = new QPushButton(res::kButtonOk.toString(), dialog);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(cancelText.toString(), dialog);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  // Clicked, not the box's accepted(): a dialog that checks its fields
  // overrides accept() and may stay open.
  QObject::connect(ok, &QPushButton::clicked, dialog, [dialog] { dialog->accept(); });
  QObject::connect(cancel, &QPushButton::clicked, dialog, [dialog] { dialog->reject(); });
  auto* buttons = new QDialogButtonBox(dialog);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  return buttons;
}

}  // namespace qm
