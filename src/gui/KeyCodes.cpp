// KeyCodes: Qt keys to virtual-key codes.
#include "gui/KeyCodes.h"

#include <QKeyEvent>

namespace qm {

int VirtualKeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Delete:
      return kKeyDelete;
    default:
      break;
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // same codes
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
  return 0;
}

KeyPress KeyPressOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  return KeyPress{VirtualKeyOf(event.key()), (mods & Qt::AltModifier) != 0,
                  (mods & Qt::ShiftModifier) != 0, (mods & Qt::ControlModifier) != 0};
}

}  // namespace qm
