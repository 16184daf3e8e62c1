// The clipboard, paste and split dialogs in the real window, off screen:
// a branch copied in one file reaches another through the system
// clipboard, and the dialogs are answered through their own controls.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextCursor>
#include <deque>
#include <functional>
#include <tuple>

#include "editing/QuillmapDoc.h"
#include "gui/MainWindow.h"
#include "gui/SplitDialog.h"
#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/Strings.h"
#include "support/FakePrompt.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

class ClipboardWindowTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    second = CopySample("second.qmp");
    Start();
  }
  QString second;
};

using test::Find;

TEST_F(ClipboardWindowTest, ABranchCopiedInOneFileIsPastedInAnother) {
  Select(QStringLiteral("予定"));
  Window().RunCommand(kCmdCopy);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QChar(0x07)));

  ASSERT_TRUE(OpenFile(second));
  Select(QStringLiteral("本文を書く"));
  test::AnswerInTurn({[](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), res::kPasteDialogTitle.toString());
    Find<QRadioButton>(dialog, "belowButton")->setChecked(true);
    Find<QPushButton>(dialog, "okButton")->click();
  }});
  Window().RunCommand(kCmdPaste);
  EXPECT_EQ(Titles().mid(4, 5),
            (QStringList{"本文を書く", "予定", "会議の資料を作る", "古い案", "買い物"}));
  EXPECT_TRUE(Document().IsModified());
  EXPECT_EQ(Window().TreeWidget()->topLevelItem(0)->child(0)->child(2)->child(0)->text(0),
            QStringLiteral("予定"));
}

TEST_F(ClipboardWindowTest, PlainTextIsPastedAsTheTextDialogSays) {
  QGuiApplication::clipboard()->setText(QStringLiteral("一\n\t二\n\t\t三\n"));
  Select(QStringLiteral("予定"));
  const int before = Store().GetCount();
  test::AnswerInTurn({[](QWidget* dialog) {
                        Find<QRadioButton>(dialog, "sameLevelButton")->setChecked(true);
                        Find<QCheckBox>(dialog, "dontAskBox")->setChecked(true);
                        Find<QPushButton>(dialog, "okButton")->click();
                      },
                      [](QWidget* dialog) {
                        EXPECT_EQ(dialog->windowTitle(), res::kTextPasteDialogTitle.toString());
                        EXPECT_EQ(Find<QLabel>(dialog, "messageLabel")->text(),
                                  res::kTextPasteMessage.toString());
                        EXPECT_TRUE(Find<QRadioButton>(dialog, "modeButton0")->isChecked());
                        Find<QPushButton>(dialog, "okButton")->click();
                      }});
  Window().RunCommand(kCmdPaste);
  ASSERT_EQ(Store().GetCount(), before + 3);
  EXPECT_EQ(Titles().mid(before), (QStringList{"一", "二", "三"}));
  EXPECT_EQ(Store().GetLevel(before), 1);
  EXPECT_EQ(Store().GetLevel(before + 2), 3);
  EXPECT_EQ(Read(settings, settings::kPasteDlg), 0);
  EXPECT_EQ(Read(settings, settings::kPasteLevel), 1);

  // Cancel in the text dialog leaves the outline alone.
  test::AnswerInTurn({[](QWidget* dialog) {
    Find<QRadioButton>(dialog, "modeButton3")->setChecked(true);
    Find<QPushButton>(dialog, "cancelButton")->click();
  }});
  Window().RunCommand(kCmdPaste);
  EXPECT_EQ(Store().GetCount(), before + 3);
  EXPECT_EQ(Read(settings, settings::kTextPasteMode), 0);
}

TEST_F(ClipboardWindowTest, SplitAndMergeFromTheTreePaneWorkOnTheBody) {
  Select(QStringLiteral("項目を追加する"));
  QPlainTextEdit* body = Window().BodyWidget();
  body->setPlainText(QStringLiteral("残す\n分ける\n本文"));
  QTextCursor cursor = body->textCursor();
  cursor.setPosition(3);
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  body->setTextCursor(cursor);
  Window().TreeWidget()->setFocus();
  QApplication::processEvents();
  test::AnswerInTurn({[](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), res::kSplitDialogTitle.toString());
    EXPECT_EQ(Find<QLineEdit>(dialog, "titleEdit")->text(), QStringLiteral("分ける"));
    Find<QCheckBox>(dialog, "dropFirstLineBox")->setChecked(true);
    Find<QPushButton>(dialog, "okButton")->click();
  }});
  Window().RunCommand(kCmdSplit);
  const int split = Store().FindPath(Store().GetPath(2) + QChar(1) + QStringLiteral("分ける"));
  ASSERT_GT(split, 0);
  EXPECT_EQ(Store().GetBody(split), QStringLiteral("本文"));
  EXPECT_EQ(Store().GetBody(2), QStringLiteral("残す\r\n"));

  // Merging the split node back joins the text again, with its title.
  Window().RunCommand(kCmdMerge);
  EXPECT_EQ(body->toPlainText(), QStringLiteral("残す\n\n分ける\n\n本文"));
}

// ---- The dialogs on their own ----

TEST(ClipboardDialogs, SplitRefusesAnEmptyTitleAndHandsBackTheOptions) {
  test::EnsureOffscreenApp();
  test::FakePrompt prompt;
  SplitDialog dialog(SplitRequest{QString(), true, false, true}, prompt);
  Find<QPushButton>(&dialog, "okButton")->click();
  EXPECT_EQ(prompt.Asked(), QStringList{res::kNoTitleEntered.toString()});
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  Find<QLineEdit>(&dialog, "titleEdit")->setText(QStringLiteral("題"));
  Find<QCheckBox>(&dialog, "dontAskBox")->setChecked(true);
  Find<QPushButton>(&dialog, "okButton")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const SplitAnswer answer = dialog.Result();
  EXPECT_EQ(std::tuple(answer.title, answer.dropFirstLine, answer.moveCaret, answer.sameLevel,
                       answer.dontAskAgain),
            std::tuple(QStringLiteral("題"), true, false, true, true));
}

}  // namespace
}  // namespace qm
