// The keyboard in the real window: the key file the program ships, the key
// customisation dialog, and keys the window turns into key presses.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "gui/KeyCodes.h"
#include "res/CommandIds.h"
#include "res/Strings.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

// A key pressed and released on the widget with the focus, as a user would.
void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
  QWidget* target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr);
  QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(target, &down);
  QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(target, &up);
  QApplication::processEvents();
}

class KeyboardWindowTest : public test::WindowFixture {
 protected:
  // The shipped key file, copied: dialogs that save must not write over the build's.
  void UseShippedKeys() {
    keyFile = dir.filePath(u"quillmap.key"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(QM_DEFAULT_KEY_FILE), keyFile));
    QFile::setPermissions(keyFile, QFile::ReadOwner | QFile::WriteOwner);
    settings.WriteString(u"System"_s, u"Keycust"_s, keyFile);
  }
  QString ActionText(int id) { return Window().ActionOf(id)->text(); }

  QString keyFile;
};

TEST_F(KeyboardWindowTest, ShippedKeysShowInTheMenusAndSaveMoveAndUndo) {
  UseShippedKeys();
  Start();
  EXPECT_EQ(ActionText(kCmdSave), u"上書き保存(&S)\tCtrl+S"_s);
  EXPECT_EQ(ActionText(kCmdFindNext), u"次を検索(&N)\tF3"_s);
  EXPECT_EQ(ActionText(kCmdMoveDown), u"一つ下へ移動(&N)\tAlt+Down"_s);
  EXPECT_EQ(ActionText(kCmdHelp), u"ヘルプ(&H)"_s);

  const QStringList before = Titles();
  Select(before[1]);
  Press(Qt::Key_Down, Qt::AltModifier);
  const QStringList moved = Titles();
  ASSERT_NE(moved, before) << "Alt+Down moves the node";
  EXPECT_TRUE(Document().IsModified());
  Press(Qt::Key_S, Qt::ControlModifier, u"\x13"_s);
  EXPECT_FALSE(Document().IsModified()) << "Ctrl+S saved";
  // What Ctrl+S wrote is the moved outline.
  ASSERT_TRUE(OpenFile(path));
  EXPECT_EQ(Titles(), moved);

  Select(moved[1]);
  Press(Qt::Key_Down, Qt::AltModifier);
  ASSERT_NE(Titles(), moved);
  Press(Qt::Key_Z, Qt::ControlModifier, u"\x1a"_s);
  EXPECT_EQ(Titles(), moved) << "Ctrl+Z undid the move";
}

TEST_F(KeyboardWindowTest, CtrlFFindsAndF3FindsTheNextMatchFromTheText) {
  UseShippedKeys();
  Start();
  QPlainTextEdit* body = Window().BodyWidget();
  test::WhenModalShows([](QWidget* dialog) {
    test::Find<QComboBox>(dialog, "wordBox")->setEditText(u"階層"_s);
    test::Find<QPushButton>(dialog, "startButton")->click();
  });
  Press(Qt::Key_F, Qt::ControlModifier, u"\x06"_s);
  Window().activateWindow();
  QApplication::processEvents();
  ASSERT_TRUE(body->hasFocus());
  const int first = body->textCursor().selectionStart();
  Press(Qt::Key_F3);
  EXPECT_GT(body->textCursor().selectionStart(), first);
  EXPECT_EQ(body->textCursor().selectedText(), u"階層"_s);
  Press(Qt::Key_F3);
  EXPECT_EQ(Store().GetTitle(Store().GetSelected()), u"階層を変える"_s);
}

// Letters reach the text unless they are bound to the pane switch; keys
// with Ctrl go to their commands.
TEST_F(KeyboardWindowTest, TheBodyTypesLettersAndRunsBoundCombinations) {
  UseShippedKeys();
  Start();
  Window().RunCommand(kCmdSwitchPanes);
  QPlainTextEdit* body = Window().BodyWidget();
  ASSERT_TRUE(body->hasFocus());
  body->moveCursor(QTextCursor::End);
  Press(Qt::Key_X, Qt::NoModifier, u"x"_s);
  EXPECT_TRUE(body->toPlainText().endsWith(u'x'));
  Press(Qt::Key_F6);
  EXPECT_TRUE(Window().TreeWidget()->hasFocus()) << "F6 switches panes";
}

TEST_F(KeyboardWindowTest, TheDialogBindsAKeyThatThenWorksAndShowsInTheMenu) {
  UseShippedKeys();
  Start();
  const QByteArray shipped = [this] {
    QFile file(keyFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();
  test::WhenModalShows([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), u"キーカスタマイズ"_s);
    auto* keyList = test::Find<QListWidget>(dialog, "keyList");
    auto* commands = test::Find<QListWidget>(dialog, "commandList");
    test::Find<QCheckBox>(dialog, "ctrlBox")->setChecked(true);
    EXPECT_EQ(keyList->item(0)->text(), u"Ctrl+F1"_s);
    keyList->setCurrentRow(14);  // B
    EXPECT_EQ(keyList->currentItem()->text(), u"Ctrl+B"_s);
    EXPECT_EQ(commands->currentRow(), 0) << "Ctrl+B is not bound";
    const QList<QListWidgetItem*> check =
        commands->findItems(u"[ﾂﾘｰ]ﾁｪｯｸの設定/解除"_s, Qt::MatchExactly);
    ASSERT_EQ(check.size(), 1);
    commands->setCurrentItem(check[0]);
    test::Find<QPushButton>(dialog, "okButton")->click();
  });
  Window().RunCommand(kCmdKeyCustomisation);
  EXPECT_EQ(ActionText(kCmdToggleCheck), u"チェックの設定/解除(&K)\tCtrl+B"_s);
  // Off screen the window is not active again by itself once the dialog has gone.
  Window().activateWindow();

  Select(u"会議の資料を作る"_s);  // a leaf: no question about the branch
  const int node = Store().GetSelected();
  const int image = Store().GetNode(node).GetImage(false);  // checked adds 2
  Press(Qt::Key_B, Qt::ControlModifier, u"\x02"_s);
  EXPECT_NE(Store().GetNode(node).GetImage(false), image) << "Ctrl+B toggled the check";

  QFile file(keyFile);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.size(), shipped.size() + 12) << "OK wrote the new binding to the file";
}

TEST(KeyPressOf, ShiftedDigitsAreTheirKeysNotTheirCharacters) {
  test::EnsureOffscreenApp();  // key events need the application's keyboard
  // Shift+1 on the number row: Qt names the character, the scan code the key.
  const QKeyEvent shifted(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, 10, 0, 0, u"!"_s);
  const KeyPress press = KeyPressOf(shifted);
  EXPECT_EQ(press.code, '1');
  EXPECT_TRUE(press.shift);
  const QKeyEvent zero(QEvent::KeyPress, Qt::Key_ParenRight, Qt::ShiftModifier, 19, 0, 0, u")"_s);
  EXPECT_EQ(KeyPressOf(zero).code, '0');
  // Without Shift a key Qt has no code for stays unbound.
  const QKeyEvent plain(QEvent::KeyPress, Qt::Key_Exclam, Qt::NoModifier, 10, 0, 0, u"!"_s);
  EXPECT_EQ(KeyPressOf(plain).code, 0);
  const QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::AltModifier, 68, 0, 0);
  EXPECT_EQ(KeyPressOf(f2).code, 113);
  EXPECT_TRUE(KeyPressOf(f2).alt);
}

}  // namespace
}  // namespace qm
