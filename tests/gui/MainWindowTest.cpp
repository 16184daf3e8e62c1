// The real window on a real file, off screen: commands go through the
// router and the real widgets, the menus keep every command whichever pane
// has the focus, and the window behaves as a desktop window should.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "gui/Translations.h"
#include "platform/Clock.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/Commands.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

class MainWindowTest : public test::WindowFixture {
 protected:
  // Answers the next node dialog with a title.
  void AnswerNodeDialogWith(const QString& title) {
    test::WhenModalShows([title](QWidget* dialog) {
      test::Find<QLineEdit>(dialog, "titleEdit")->setText(title);
      test::Find<QPushButton>(dialog, "okButton")->click();
    });
  }

  // Opens every menu of the menu bar as a user would and collects the
  // commands it offers, submenus included, with their enabled states.
  QHash<int, bool> OpenEveryMenu() {
    QHash<int, bool> offered;
    std::function<void(QMenu*)> open = [&](QMenu* menu) {
      menu->popup(QPoint(0, 0));  // the menu asks for its states as it opens
      for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
          open(action->menu());
        } else if (!action->isSeparator() && action->isVisible()) {
          offered.insert(action->objectName().mid(3).toInt(), action->isEnabled());
        }
      }
      menu->hide();
    };
    for (QAction* top : Window().menuBar()->actions()) open(top->menu());
    return offered;
  }

  void Type(const QString& text) {
    Window().BodyWidget()->setFocus();
    Window().BodyWidget()->insertPlainText(text);
    QApplication::processEvents();
  }
};

TEST_F(MainWindowTest, OpensTheFileOnTheSavedNodeAndTitlesTheWindowAfterIt) {
  Start();
  EXPECT_EQ(Window().windowTitle(), u"notes.qmp[*] - Quillmap for CE"_s);
  EXPECT_FALSE(Window().isWindowModified());
  EXPECT_EQ(Window().TreeWidget()->topLevelItemCount(), 1);
  EXPECT_EQ(Store().GetSelected(), 2);  // the node the file was saved on
  EXPECT_TRUE(Window().BodyWidget()->toPlainText().startsWith(u"「子ツリー追加」"_s));
  Type(u"x"_s);
  EXPECT_TRUE(Window().isWindowModified());
  Window().RunCommand(kCmdSave);
  EXPECT_FALSE(Window().isWindowModified());
}

TEST_F(MainWindowTest, PanesTakeTheirFontsAndColours) {
  settings.WriteInt(u"System"_s, u"bIniFile"_s, 0);
  settings.WriteInt(u"Edit"_s, u"BackColor"_s, 0x00FFEEDD);  // BGR
  settings.WriteInt(u"Edit"_s, u"TextColor"_s, 0x00000080);
  settings.WriteInt(u"EFont"_s, u"Point"_s, 17);
  settings.WriteInt(u"Font"_s, u"Weight"_s, 700);
  StartOn(QString());
  const QPlainTextEdit* body = Window().BodyWidget();
  EXPECT_EQ(body->palette().color(QPalette::Base), QColor(0xDD, 0xEE, 0xFF));
  EXPECT_EQ(body->palette().color(QPalette::Text), QColor(0x80, 0, 0));
  EXPECT_EQ(body->font().pointSize(), 17);
  EXPECT_TRUE(Window().TreeWidget()->font().bold());
  EXPECT_EQ(Store().GetCount(), 1);  // a new outline without bIniFile
  EXPECT_EQ(Window().windowTitle(), u"（無題）[*] - Quillmap for CE"_s);
}

TEST_F(MainWindowTest, EditsThroughTheWidgetsAndSaves) {
  Start();
  Select(u"使い方"_s);
  AnswerNodeDialogWith(u"新しい項目"_s);
  Window().RunCommand(kCmdAddChild);
  EXPECT_EQ(Titles().mid(1, 5),
            (QStringList{"使い方", "項目を追加する", "階層を変える", "本文を書く", "新しい項目"}));

  // Type into the body of the new node, then leave it: the text is kept.
  Type(u"書いた本文"_s);
  Select(u"本文を書く"_s);
  EXPECT_EQ(Store().GetBody(Store().FindPath(Store().GetPath(1) + QChar(1) + "新しい項目")),
            u"書いた本文"_s);

  // Move it up, then undo the move: the moved node is selected again.
  Window().RunCommand(kCmdMoveUp);
  EXPECT_EQ(Titles().mid(2, 3), (QStringList{"項目を追加する", "本文を書く", "階層を変える"}));
  Select(u"使い方"_s);
  Window().RunCommand(kCmdUndo);
  EXPECT_EQ(Titles().mid(2, 3), (QStringList{"項目を追加する", "階層を変える", "本文を書く"}));
  EXPECT_EQ(Store().GetTitle(Store().GetSelected()), u"本文を書く"_s);

  Window().RunCommand(kCmdSave);
  EXPECT_FALSE(Document().IsModified());
  MemorySettingsStore otherSettings;
  SystemClock clock;
  CTreeStore reread(otherSettings, clock);
  ASSERT_EQ(reread.Load(path, 0), 10);
  EXPECT_EQ(reread.GetTitle(5), u"新しい項目"_s);
  EXPECT_EQ(reread.GetBody(5), u"書いた本文\r\n"_s);  // stored lines end in CR LF
}

// Every command of the table with a menu text stands in the menus, whichever
// pane has the focus and after saving from either; the states follow the
// pane that has the focus when the menu opens.
TEST_F(MainWindowTest, MenusKeepEveryCommandWhicheverPaneHasTheFocus) {
  Start();
  QList<int> expected;
  for (const res::CommandInfo& info : res::kCommands) {
    if (!info.menuText.isEmpty() && !(info.flags & res::kNotInMenuBar)) expected << info.id;
  }
  const auto check = [&](const char* moment) {
    const QHash<int, bool> offered = OpenEveryMenu();
    for (const int id : expected) EXPECT_TRUE(offered.contains(id)) << moment << ": " << id;
    return offered;
  };
  Select(u"本文を書く"_s);
  QHash<int, bool> tree = check("tree focused");
  Type(u"typed"_s);
  Window().RunCommand(kCmdSave);
  QHash<int, bool> body = check("body focused after saving from it");
  Window().TreeWidget()->setFocus();
  QApplication::processEvents();
  tree = check("tree focused after saving from the body");
  // Document commands act whichever pane has the focus, and so do the
  // commands that belong to one pane.
  for (const int id : {kCmdReload, kCmdTextOutput, kCmdDeleteBranch, kCmdSelectAll}) {
    EXPECT_TRUE(tree.value(id)) << id;
    EXPECT_TRUE(body.value(id)) << id;
  }
  Window().RunCommand(kCmdSave);
  body = check("tree focused after saving from the tree");
}

TEST_F(MainWindowTest, CommandsOfTheOtherPaneReachIt) {
  Start();
  Select(u"本文を書く"_s);
  Window().RunCommand(kCmdSelectAll);  // from the tree: the body's text
  EXPECT_EQ(Window().BodyWidget()->textCursor().selectedText().size(),
            Window().BodyWidget()->toPlainText().size());
  EXPECT_TRUE(Window().TreeWidget()->hasFocus());
}

TEST_F(MainWindowTest, UndoIsAtHandRightAfterAMerge) {
  Start();
  Select(u"項目を追加する"_s);
  const QStringList before = Titles();
  Window().RunCommand(kCmdMerge);
  QApplication::processEvents();
  EXPECT_NE(Titles(), before);
  EXPECT_TRUE(Window().BodyWidget()->hasFocus());  // the merged text is where the user types
  Window().RefreshCommandStates();
  EXPECT_TRUE(Window().ActionOf(kCmdUndo)->isEnabled());
  Window().RunCommand(kCmdUndo);
  EXPECT_EQ(Titles(), before);
}

TEST_F(MainWindowTest, TheEditLabelCommandOpensTheInPlaceEditor) {
  Start();
  Select(u"本文を書く"_s);
  Window().RunCommand(kCmdEditLabel);
  auto* editor = Window().TreeWidget()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->isVisible());
  editor->setText(u"書き直した"_s);
  // Return ends the edit; it is the editor's key, not the tree's Enter.
  bool dialogOpened = false;
  QTimer::singleShot(0, [&dialogOpened] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      dialogOpened = true;
      modal->close();
    }
  });
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(editor, &press);
  QApplication::processEvents();
  EXPECT_FALSE(dialogOpened);
  EXPECT_EQ(Store().GetTitle(Store().GetSelected()), u"書き直した"_s);
}

TEST_F(MainWindowTest, AStruckNodeShowsTheStrikeInItsLabel) {
  Start();
  Select(u"本文を書く"_s);
  Window().RunCommand(kCmdToggleStrike);
  EXPECT_TRUE(Window().TreeWidget()->currentItem()->font(0).strikeOut());
  Window().RunCommand(kCmdToggleStrike);
  EXPECT_FALSE(Window().TreeWidget()->currentItem()->font(0).strikeOut());
}

// Opening a node with thousands of children leaves the node where the user
// looked, instead of scrolling to its last child.
TEST_F(MainWindowTest, OpeningABigBranchKeepsTheNodeInView) {
  // No settings block: every line is a node; the children start closed.
  QByteArray lines = "root\r\nroot\x01many\r\n";
  for (int i = 0; i < 2000; ++i) {
    lines += "root\x01many\x01n" + QByteArray::number(i) +
             "\x06"
             "0\r\n";
  }
  const QString big = dir.filePath(u"big.qmp"_s);
  QFile file(big);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(lines);
  file.close();
  Start(big);
  Window().resize(800, 600);
  QApplication::processEvents();
  QTreeWidget* tree = Window().TreeWidget();
  QTreeWidgetItem* many = tree->topLevelItem(0)->child(0);
  ASSERT_NE(many, nullptr);
  ASSERT_FALSE(many->isExpanded());
  many->setExpanded(true);  // as a click on its button does
  QApplication::processEvents();
  EXPECT_EQ(tree->verticalScrollBar()->value(), 0);
  Select(u"many"_s);
  tree->collapseItem(many);
  Window().RunCommand(kCmdShowChildren);
  QApplication::processEvents();
  EXPECT_TRUE(tree->viewport()->rect().intersects(tree->visualItemRect(many)));
}

TEST_F(MainWindowTest, TheSplitFollowsTheWindowsShape) {
  Start();
  QSplitter* splitter = Window().findChild<QSplitter*>(u"splitter"_s);
  Window().resize(900, 500);
  QApplication::processEvents();
  EXPECT_EQ(splitter->orientation(), Qt::Horizontal);
  Window().resize(500, 900);
  QApplication::processEvents();
  EXPECT_EQ(splitter->orientation(), Qt::Vertical);
}

TEST_F(MainWindowTest, TheWindowComesBackWithItsSize) {
  Start();
  Window().resize(700, 500);
  QApplication::processEvents();
  Window().close();
  EXPECT_FALSE(Read(settings, settings::kWindowGeometry).isEmpty());
  program.reset();
  Start();
  EXPECT_EQ(Window().size(), QSize(700, 500));
}

TEST_F(MainWindowTest, EveryTopMenuHasItsAccessKeyAndTheSoftKeysTakeNone) {
  Start();
  QString keys;
  for (const QAction* top : Window().menuBar()->actions()) {
    const QString title = top->text();
    keys += title.at(title.indexOf(u'&') + 1);
  }
  EXPECT_EQ(keys, u"FETVNSH"_s);
  for (const char* name : {"softKey0", "softKey1"}) {
    const auto* button = test::Find<QToolButton>(&Window(), name);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->text().contains(u'&')) << name;
  }
}

TEST_F(MainWindowTest, NewStandsInTheFileMenuAndItsButtonSaysWhatItDoes) {
  Start();
  QAction* action = Window().ActionOf(kCmdNew);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->text(), u"新規(&N)"_s);
  EXPECT_EQ(action->toolTip(), u"新規"_s);
  Type(u"x"_s);
  AnswerMessage(u"いいえ(&N)");  // do not save the changes
  Window().RunCommand(kCmdNew);
  EXPECT_EQ(Store().GetCount(), 1);
  EXPECT_EQ(Window().windowTitle(), u"（無題）[*] - Quillmap for CE"_s);
}

TEST(QtTexts, QtsOwnDialogsSpeakJapanese) {
  test::EnsureOffscreenApp();
  if (!InstallQtTranslations(*QCoreApplication::instance())) GTEST_SKIP() << "no Qt translations";
  QDialogButtonBox box(QDialogButtonBox::Cancel);
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), u"キャンセル"_s);
}

}  // namespace
}  // namespace qm
