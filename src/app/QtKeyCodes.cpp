// QtKeyCodes: Qt's keys to the stored virtual-key codes and back.
#include "app/QtKeyCodes.h"

#include <array>

namespace qm {
namespace {

// One row per key; a code given by two Qt keys has its preferred key first,
// which is the one QtKeyFromVirtual returns.
constexpr auto kTable = [] {
  std::array<QtKeyCode, 92> rows{};
  size_t n = 0;
  const auto add = [&](int qtKey, bool keypad, int virtualKey) {
    rows[n++] = {qtKey, keypad, virtualKey};
  };
  for (int i = 0; i < 24; ++i) add(Qt::Key_F1 + i, false, 0x70 + i);
  add(Qt::Key_At, false, 0x40);
  // Qt's letter and digit keys carry the codes' own values.
  for (int c = 'A'; c <= 'Z'; ++c) add(c, false, c);
  for (int c = '0'; c <= '9'; ++c) add(c, false, c);
  for (int i = 0; i < 10; ++i) add(Qt::Key_0 + i, true, 0x60 + i);
  add(Qt::Key_Insert, false, 0x2D);
  add(Qt::Key_Delete, false, 0x2E);
  add(Qt::Key_Backspace, false, 0x08);
  add(Qt::Key_Return, false, 0x0D);
  add(Qt::Key_Enter, true, 0x0D);
  add(Qt::Key_Space, false, 0x20);
  add(Qt::Key_PageUp, false, 0x21);
  add(Qt::Key_PageDown, false, 0x22);
  add(Qt::Key_End, false, 0x23);
  add(Qt::Key_Home, false, 0x24);
  add(Qt::Key_Asterisk, true, 0x6A);
  add(Qt::Key_Plus, true, 0x6B);
  add(Qt::Key_Minus, true, 0x6D);
  add(Qt::Key_Slash, true, 0x6F);
  add(Qt::Key_Left, false, 0x25);
  add(Qt::Key_Up, false, 0x26);
  add(Qt::Key_Right, false, 0x27);
  add(Qt::Key_Down, false, 0x28);
  add(Qt::Key_Escape, false, 0x1B);
  add(Qt::Key_Tab, false, 0x09);
  add(Qt::Key_Backtab, false, 0x09);
  if (n != rows.size()) throw "the table's size is its row count";
  return rows;
}();

// Only the digits differ on the keypad. Other keys may come with the keypad
// flag too (the keypad's arrows and Enter, and some layouts flag more) and
// still mean the same key.
bool KeypadCounts(int qtKey) { return qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9; }

}  // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  for (const QtKeyCode& row : kTable) {
    if (row.qtKey == qtKey && (row.keypad == keypad || !KeypadCounts(qtKey))) return row.virtualKey;
  }
  return 0;
}

KeyPress KeyPressFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  return KeyPress{VirtualKeyFromQt(qtKey, modifiers), modifiers.testFlag(Qt::AltModifier),
                  modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier)};
}

QtKeyCode QtKeyFromVirtual(int virtualKey) {
  for (const QtKeyCode& row : kTable) {
    if (row.virtualKey == virtualKey) return row;
  }
  return QtKeyCode{0, false, virtualKey};
}

}  // namespace qm
