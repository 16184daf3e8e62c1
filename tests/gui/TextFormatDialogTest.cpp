// The output format dialog driven through its controls, through the dialogs
// port, and from the window's menu command together with the text copy.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "editing/QuillmapDoc.h"
#include "gui/MainWindow.h"
#include "gui/QtDialogs.h"
#include "gui/TextFormatDialog.h"
#include "platform/MemorySettingsStore.h"
#include "res/CommandIds.h"
#include "res/Strings.h"
#include "support/QtPrinting.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using test::Find;

class TextFormatDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }

  TextFormat format{1, TextFormat::kTabs, false, true, false, true, false, 72, u"."_qs, 4, 3};
};

TEST_F(TextFormatDialogTest, ControlsShowEveryOption) {
  TextFormatDialog dialog(format);
  EXPECT_EQ(dialog.windowTitle(), res::kTextFormatTitle.toString());
  EXPECT_EQ(Find<QComboBox>(&dialog, "formList")->itemText(4), u"HTML（マークリスト）"_qs);
  EXPECT_EQ(Find<QComboBox>(&dialog, "formList")->currentIndex(), 1);
  EXPECT_EQ(Find<QComboBox>(&dialog, "indentList")->currentIndex(), TextFormat::kTabs);
  EXPECT_FALSE(Find<QCheckBox>(&dialog, "selectOnlyBox")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>(&dialog, "fileOutBox")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>(&dialog, "editOutBox")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>(&dialog, "spaceBox")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>(&dialog, "tSpaceBox")->isChecked());
  EXPECT_EQ(Find<QSpinBox>(&dialog, "widthEdit")->value(), 72);
  EXPECT_EQ(Find<QLineEdit>(&dialog, "separatorEdit")->text(), u"."_qs);
  // Only the count of the chosen indentation can be changed.
  EXPECT_TRUE(Find<QSpinBox>(&dialog, "tabNoEdit")->isEnabled());
  EXPECT_FALSE(Find<QSpinBox>(&dialog, "spaceNoEdit")->isEnabled());
  EXPECT_EQ(dialog.Result(), format);
}

TEST_F(TextFormatDialogTest, PortHandsBackWhatTheUserSetAndNothingOnCancel) {
  test::ModalGuard guard;
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    Find<QComboBox>(dialog, "formList")->setCurrentIndex(5);
    Find<QComboBox>(dialog, "indentList")->setCurrentIndex(TextFormat::kSpaces);
    EXPECT_TRUE(Find<QSpinBox>(dialog, "spaceNoEdit")->isEnabled());
    Find<QSpinBox>(dialog, "spaceNoEdit")->setValue(6);
    Find<QCheckBox>(dialog, "tSpaceBox")->setChecked(true);
    Find<QLineEdit>(dialog, "separatorEdit")->setText(u"_"_qs);
    Find<QPushButton>(dialog, "okButton")->click();
  });
  QtDialogs dialogs;
  const std::optional<TextFormat> answer = dialogs.EditTextFormat(format);
  ASSERT_TRUE(answer.has_value());
  TextFormat expected = format;
  expected.form = 5;
  expected.indent = TextFormat::kSpaces;
  expected.spaceNo = 6;
  expected.tSpace = true;
  expected.separator = u"_"_qs;
  EXPECT_EQ(*answer, expected);

  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    Find<QCheckBox>(dialog, "spaceBox")->setChecked(false);
    Find<QPushButton>(dialog, "cancelButton")->click();
  });
  EXPECT_FALSE(dialogs.EditTextFormat(format).has_value());
}

using TextFormatWindowTest = test::WindowFixture;

// The menu commands reach the dialog and the clipboard from the tree pane.
TEST_F(TextFormatWindowTest, WindowCommandsStoreTheFormatAndCopyTheOutline) {
  Start();
  Store().Select(0);
  QApplication::processEvents();

  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    Find<QComboBox>(dialog, "formList")->setCurrentIndex(TextFormat::kAsItIs);
    Find<QCheckBox>(dialog, "editOutBox")->setChecked(false);
    Find<QPushButton>(dialog, "okButton")->click();
  });
  Window().RunCommand(kCmdTextOutputFormat);
  EXPECT_EQ(settings.ReadInt(u"Text"_qs, u"Form"_qs, -1), TextFormat::kAsItIs);
  EXPECT_EQ(settings.ReadInt(u"Text"_qs, u"EditOut"_qs, -1), 0);

  Window().RunCommand(kCmdTextCopy);
  const QStringList lines = QApplication::clipboard()->text().split(u"\r\n"_qs);
  EXPECT_EQ(lines.size(), Document().Store().GetCount() + 1);
  EXPECT_EQ(lines.first(), Document().Store().GetTitle(0));
}

}  // namespace
}  // namespace qm
