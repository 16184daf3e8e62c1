// Qt's keys and the stored virtual-key codes: every named key both ways, the
// keypad, and the keys Qt reports under other names.
#include <gtest/gtest.h>

#include <QString>

#include "app/QtKeyCodes.h"
#include "res/KeyStrings.h"

namespace qm {
namespace {

TEST(QtKeyCodes, EveryNamedKeyComesFromAQtKeyAndGoesBack) {
  for (const res::KeyName& entry : res::kKeyNames) {
    const QtKeyCode qt = QtKeyFromVirtual(entry.code);
    ASSERT_NE(qt.qtKey, 0) << entry.name.toString().toStdString();
    const Qt::KeyboardModifiers mods = qt.keypad ? Qt::KeypadModifier : Qt::NoModifier;
    EXPECT_EQ(VirtualKeyFromQt(qt.qtKey, mods), entry.code) << entry.name.toString().toStdString();
  }
  EXPECT_EQ(QtKeyFromVirtual(0xE5).qtKey, 0);
}

TEST(QtKeyCodes, KeypadDigitsAreTheirOwnKeysButOperatorsAreNot) {
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_5, Qt::NoModifier), 53);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_5, Qt::KeypadModifier), 101);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Minus, Qt::NoModifier), 109);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Minus, Qt::KeypadModifier), 109);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Enter, Qt::KeypadModifier), 13);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Return, Qt::NoModifier), 13);
  // The keypad's arrows are the arrows.
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Up, Qt::KeypadModifier), 38);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F13, Qt::NoModifier), 124);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_CapsLock, Qt::NoModifier), 0);
}

TEST(QtKeyCodes, ModifiersBecomeTheThreeFlags) {
  const KeyPress backtab = KeyPressFromQt(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(backtab.code, 9);
  EXPECT_TRUE(backtab.shift);
  const KeyPress all = KeyPressFromQt(
      Qt::Key_F2, Qt::AltModifier | Qt::ShiftModifier | Qt::ControlModifier | Qt::MetaModifier);
  EXPECT_EQ(all.code, 113);
  EXPECT_TRUE(all.alt && all.shift && all.ctrl);
  EXPECT_TRUE(KeyPressFromQt(Qt::Key_A, Qt::NoModifier).IsPlain());
}

}  // namespace
}  // namespace qm
