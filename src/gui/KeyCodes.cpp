// KeyCodes: Qt key events to key presses.
#include "gui/KeyCodes.h"

#include <QKeyEvent>

#include "app/QtKeyCodes.h"

namespace qm {
namespace {

// The digit row's scan codes on X11 and Wayland (evdev codes plus 8): 1 to
// 9 are 10 to 18, 0 is 19. Other platforms leave shifted digits unbound.
int DigitOfScanCode(quint32 scanCode) {
  if (scanCode >= 10 && scanCode <= 18) return '1' + static_cast<int>(scanCode - 10);
  if (scanCode == 19) return '0';
  return 0;
}

}  // namespace

KeyPress KeyPressOf(const QKeyEvent& event) {
  KeyPress press = KeyPressFromQt(event.key(), event.modifiers());
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  if (press.code == 0 && press.shift && !keypad)
    press.code = DigitOfScanCode(event.nativeScanCode());
  return press;
}

}  // namespace qm
