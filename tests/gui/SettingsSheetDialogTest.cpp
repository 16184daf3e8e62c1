// The settings sheet in the real window, answered as a user would: its
// pages, the refused recent-file count, the colour chooser, and OK taking
// effect at once.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "gui/MainWindow.h"
#include "res/CommandIds.h"
#include "res/SettingsStrings.h"
#include "res/Strings.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;
using test::Find;

using SettingsSheetDialogTest = test::WindowFixture;

QStringList PageTitles(const QWidget* sheet) {
  QStringList titles;
  const auto* pages = Find<QTabWidget>(sheet, "pages");
  for (int i = 0; pages != nullptr && i < pages->count(); ++i) titles << pages->tabText(i);
  return titles;
}

TEST_F(SettingsSheetDialogTest, RefusesElevenRecentFilesAndStaysOpen) {
  Start();
  QStringList pages;
  QString refusal;
  bool openAfterRefusal = false;
  test::AnswerInTurn({
      [&](QWidget* sheet) {
        EXPECT_EQ(sheet->windowTitle(), res::kSettingsSheetTitle.toString());
        pages = PageTitles(sheet);
        Find<QSpinBox>(sheet, "recentFilesEdit")->setValue(11);
        Find<QPushButton>(sheet, "okButton")->click();  // the refusal comes up and is answered
        openAfterRefusal = sheet->isVisible();
        Find<QSpinBox>(sheet, "recentFilesEdit")->setValue(4);
        Find<QPushButton>(sheet, "okButton")->click();
      },
      [&](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        refusal = message->text();
        message->accept();
      },
  });
  Window().RunCommand(kCmdSettings);
  EXPECT_EQ(pages, (QStringList{u"表示"_s, u"動作"_s, u"テキスト編集"_s, u"ファイル"_s, u"色"_s}));
  EXPECT_EQ(refusal, u"0 から 10 までの整数を入力してください。"_s);
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(settings.ReadInt(u"System"_s, u"MRU"_s, -1), 4);
}

TEST_F(SettingsSheetDialogTest, OkWritesTheChangesAndThePanesShowThemAtOnce) {
  settings.WriteString(u"ColorDlg"_s, u"Custom2"_s, u"255"_s);  // red, as 0x00BBGGRR
  settings.WriteInt(u"Edit"_s, u"BackColor"_s, 0x00FFEEDD);
  Start();
  bool cursorFollowsStart = false;
  QColor chooserStart;
  QColor customShown;
  test::AnswerInTurn({
      [&](QWidget* sheet) {
        Find<QSpinBox>(sheet, "treeIndentEdit")->setValue(33);
        Find<QSpinBox>(sheet, "tabStopEdit")->setValue(3);
        auto* autoFirst = Find<QCheckBox>(sheet, "autoFirstBox");
        auto* firstCursor = Find<QCheckBox>(sheet, "firstCursorBox");
        autoFirst->click();
        cursorFollowsStart = !autoFirst->isChecked() && !firstCursor->isEnabled();
        autoFirst->click();
        cursorFollowsStart = cursorFollowsStart && firstCursor->isEnabled();
        Find<QPushButton>(sheet, "backColourButton")->click();
        Find<QPushButton>(sheet, "okButton")->click();
      },
      [&](QWidget* modal) {
        auto* chooser = qobject_cast<QColorDialog*>(modal);
        ASSERT_NE(chooser, nullptr);
        chooserStart = chooser->currentColor();
        customShown = QColorDialog::customColor(2);
        chooser->setCurrentColor(QColor(0x10, 0x20, 0x30));
        chooser->accept();
      },
  });
  Window().RunCommand(kCmdSettings);
  EXPECT_TRUE(cursorFollowsStart);
  EXPECT_EQ(chooserStart, QColor(0xDD, 0xEE, 0xFF));
  EXPECT_EQ(customShown, QColor(0xFF, 0, 0));
  EXPECT_EQ(settings.ReadInt(u"View"_s, u"LevelWidth"_s, -1), 33);
  EXPECT_EQ(settings.ReadInt(u"View"_s, u"TabNo"_s, -1), 3);
  EXPECT_EQ(settings.ReadInt(u"Edit"_s, u"BackColor"_s, -1), 0x00302010);
  EXPECT_EQ(Window().TreeWidget()->indentation(), 33);
  EXPECT_EQ(Window().BodyWidget()->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));
  EXPECT_EQ(settings.ReadString(u"ColorDlg"_s, u"Custom2"_s, {}), u"255"_s);  // not written back
}

}  // namespace
}  // namespace qm
