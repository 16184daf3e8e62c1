// KeyCodes: Qt's keys as the virtual-key codes that key bindings and the
// panes use (the codes key definition files store).
#pragma once

#include "editing/KeyTable.h"

class QKeyEvent;

namespace qm {

// The virtual-key code of a Qt key, or 0 for keys without one.
int VirtualKeyOf(int qtKey);
// The key press of an event, with the states of Alt, Shift and Ctrl.
KeyPress KeyPressOf(const QKeyEvent& event);

}  // namespace qm
