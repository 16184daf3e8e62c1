// The real window on a real file, off screen: commands go through the
// router and the real widgets (the node dialog, the body editor, the tree),
// and the saved file shows what they did.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "OffscreenApp.h"
#include "app/CommandIds.h"
#include "app/CommandRouter.h"
#include "editing/QuillmapDoc.h"
#include "fakes/QtPrinting.h"
#include "gui/MainWindow.h"
#include "gui/QuillmapApp.h"
#include "model/TreeStore.h"
#include "platform/Clock.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Prompt.h"

namespace qm {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }

  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    path = dir.filePath(QStringLiteral("notes.qmp"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QM_SOURCE_DIR "/samples/sample.qmp"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    program = std::make_unique<QuillmapApp>(settings);
    ASSERT_TRUE(program->Start(path, false));
    program->Window().activateWindow();
    QApplication::processEvents();
  }

  CTreeStore& Store() { return program->Document().Store(); }

  void Select(const QString& title) {
    for (int i = 0; i < Store().GetCount(); ++i) {
      if (Store().GetTitle(i) == title) {
        program->Window().TreeWidget()->setFocus();
        Store().Select(i);
        QApplication::processEvents();
        return;
      }
    }
    ADD_FAILURE() << "no node " << title.toStdString();
  }

  QStringList Titles() {
    QStringList titles;
    for (int i = 0; i < Store().GetCount(); ++i) titles << Store().GetTitle(i);
    return titles;
  }

  // Answers the next node dialog with a title.
  void AnswerNodeDialogWith(const QString& title) {
    QTimer::singleShot(0, [title] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<QLineEdit*>(QStringLiteral("titleEdit"))->setText(title);
      dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
  }

  QTemporaryDir dir;
  QString path;
  MemorySettingsStore settings;
  test::ModalGuard guard;
  std::unique_ptr<QuillmapApp> program;
};

TEST_F(MainWindowTest, OpensTheFileOnTheSavedNode) {
  EXPECT_EQ(program->Window().windowTitle(), QStringLiteral("Quillmap for CE"));
  EXPECT_EQ(program->Window().TreeWidget()->topLevelItemCount(), 1);
  EXPECT_EQ(Store().GetSelected(), 2);  // the node the file was saved on
  EXPECT_TRUE(
      program->Window().BodyWidget()->toPlainText().startsWith(QStringLiteral("「子ツリー追加」")));
  EXPECT_NE(program->Window().ActionOf(kCmdAddChild), nullptr);
}

TEST(MainWindowSettings, PanesTakeTheirFontsAndColours) {
  test::EnsureOffscreenApp();
  QTemporaryDir dir;
  qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
  MemorySettingsStore settings;
  settings.WriteInt(QStringLiteral("System"), QStringLiteral("bIniFile"), 0);
  settings.WriteInt(QStringLiteral("Edit"), QStringLiteral("BackColor"), 0x00FFEEDD);  // BGR
  settings.WriteInt(QStringLiteral("Edit"), QStringLiteral("TextColor"), 0x00000080);
  settings.WriteInt(QStringLiteral("EFont"), QStringLiteral("Point"), 17);
  settings.WriteInt(QStringLiteral("Font"), QStringLiteral("Weight"), 700);
  QuillmapApp program(settings);
  ASSERT_TRUE(program.Start(QString(), false));
  const QPlainTextEdit* body = program.Window().BodyWidget();
  EXPECT_EQ(body->palette().color(QPalette::Base), QColor(0xDD, 0xEE, 0xFF));
  EXPECT_EQ(body->palette().color(QPalette::Text), QColor(0x80, 0, 0));
  EXPECT_EQ(body->font().pointSize(), 17);
  EXPECT_TRUE(program.Window().TreeWidget()->font().bold());
  EXPECT_EQ(program.Document().Store().GetCount(), 1);  // a new outline without bIniFile
}

TEST_F(MainWindowTest, EditsThroughTheWidgetsAndSaves) {
  Select(QStringLiteral("使い方"));
  AnswerNodeDialogWith(QStringLiteral("新しい項目"));
  program->Window().RunCommand(kCmdAddChild);
  EXPECT_EQ(Titles().mid(1, 5),
            (QStringList{"使い方", "項目を追加する", "階層を変える", "本文を書く", "新しい項目"}));

  // Type into the body of the new node, then leave it: the text is kept.
  program->Window().BodyWidget()->setFocus();
  program->Window().BodyWidget()->insertPlainText(QStringLiteral("書いた本文"));
  Select(QStringLiteral("本文を書く"));
  EXPECT_EQ(Store().GetBody(Store().FindPath(Store().GetPath(1) + QChar(1) + "新しい項目")),
            QStringLiteral("書いた本文"));

  // Move it up, then undo the move.
  program->Window().RunCommand(kCmdMoveUp);
  EXPECT_EQ(Titles().mid(2, 3), (QStringList{"項目を追加する", "本文を書く", "階層を変える"}));
  program->Window().RunCommand(kCmdUndo);
  EXPECT_EQ(Titles().mid(2, 3), (QStringList{"項目を追加する", "階層を変える", "本文を書く"}));

  program->Window().RunCommand(kCmdSave);
  EXPECT_FALSE(program->Document().IsModified());
  MemorySettingsStore otherSettings;
  FixedPrompt prompt(true);
  SystemClock clock;
  CTreeStore reread(otherSettings, clock, prompt);
  ASSERT_EQ(reread.Load(path, 0), 10);
  EXPECT_EQ(reread.GetTitle(5), QStringLiteral("新しい項目"));
  EXPECT_EQ(reread.GetBody(5), QStringLiteral("書いた本文\r\n"));  // stored lines end in CR LF
}

}  // namespace
}  // namespace qm
