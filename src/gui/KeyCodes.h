// KeyCodes: the key press of a Qt key event as key bindings and the panes
// see it — the stored virtual-key code and the states of Alt, Shift and Ctrl.
//
// app/QtKeyCodes holds the table; this adds what only the event knows. A
// key binding names the key, not the character it types, but with Shift
// held Qt reports the character ("!" for Shift+1), so the digit row's keys
// are recognised by their position on the keyboard instead.
#pragma once

#include "editing/KeyTable.h"

class QKeyEvent;

namespace qm {

KeyPress KeyPressOf(const QKeyEvent& event);

}  // namespace qm
