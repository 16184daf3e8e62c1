// QtKeyCodes: the one table between Qt's keys and the virtual-key codes that
// key definition files store and the panes look up, both ways.
//
// Every key the key name table names has a row, plus F13 to F24. Keypad keys
// arrive from Qt as the ordinary keys with Qt::KeypadModifier. Only the
// digits keep that difference (NUMPAD0 is not 0): the keypad's arrows and
// Enter are the arrows and Enter, and the main keyboard's "*", "+", "-" and
// "/" are the keypad's, since the name table has no other code for them and
// they could not be bound otherwise. Shift+Tab, which Qt reports as Backtab,
// is Tab with Shift. The functions are pure and thread-safe.
#pragma once

#include <QtCore/qnamespace.h>

#include "editing/KeyTable.h"

namespace qm {

struct QtKeyCode {
  int qtKey;       // a Qt::Key
  bool keypad;     // the key comes with Qt::KeypadModifier
  int virtualKey;  // the stored code
};

// The virtual-key code of a Qt key with its modifiers, or 0 for keys
// without one.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

// The key press Qt reports: the key's code and the states of Alt, Shift and
// Ctrl (code 0 for keys without one).
KeyPress KeyPressFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

// The Qt key (and whether it is on the keypad) that gives virtualKey; the
// row's qtKey is 0 for a code no Qt key gives.
QtKeyCode QtKeyFromVirtual(int virtualKey);

}  // namespace qm
