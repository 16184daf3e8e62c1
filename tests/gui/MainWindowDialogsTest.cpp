// The real window's modal moments, answered as a user would: the reload and
// quit questions, a double tap that opens the node dialog, the font dialog,
// the open dialog's filter, the recent-file popup and the soft-key menus.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "editing/QuillmapDoc.h"
#include "gui/MainWindow.h"
#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"
#include "res/CommandIds.h"
#include "res/Commands.h"
#include "res/Strings.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

using MainWindowDialogsTest = test::WindowFixture;

TEST_F(MainWindowDialogsTest, ReloadAsksThenDropsUnsavedChangesOnlyOnOk) {
  Start();
  Store().Rename(1, u"changed"_s);
  Document().SetModified();

  AnswerMessage(res::kButtonCancel);
  Window().RunCommand(kCmdReload);
  EXPECT_EQ(lastMessage, res::kAskReload.toString());
  EXPECT_EQ(Store().GetTitle(1), u"changed"_s);

  AnswerMessage(res::kButtonOk);
  Window().RunCommand(kCmdReload);
  EXPECT_NE(Store().GetTitle(1), u"changed"_s);
  EXPECT_FALSE(Document().IsModified());
}

TEST_F(MainWindowDialogsTest, QuitWithConfirmationClosesOnlyOnOk) {
  Start();
  AnswerMessage(res::kButtonCancel);
  Window().RunCommand(kCmdQuitWithConfirmation);
  EXPECT_EQ(lastMessage, res::kAskQuit.toString());
  EXPECT_TRUE(Window().isVisible());

  AnswerMessage(res::kButtonOk);
  Window().RunCommand(kCmdQuitWithConfirmation);
  QApplication::processEvents();  // the window closes once the command is done
  EXPECT_FALSE(Window().isVisible());
}

TEST_F(MainWindowDialogsTest, DoubleTapOnALeafWithoutLinkEditsTheNode) {
  Start();
  QTreeWidget* tree = Window().TreeWidget();
  QTreeWidgetItem* item = tree->currentItem();
  ASSERT_NE(item, nullptr);
  const int index = Store().GetSelected();
  ASSERT_FALSE(Store().HasChildren(index));
  test::WhenModalShows([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>(u"titleEdit"_s)->setText(u"tapped"_s);
    dialog->findChild<QPushButton*>(u"okButton"_s)->click();
  });
  emit tree->itemDoubleClicked(item, 0);
  EXPECT_EQ(Store().GetTitle(index), u"tapped"_s);
}

TEST_F(MainWindowDialogsTest, FontDialogAppliesToTheFocusedPaneAndIsKept) {
  Start();
  Window().TreeWidget()->setFocus();
  QFont chosen = Window().TreeWidget()->font();
  chosen.setPointSize(21);
  chosen.setBold(true);
  test::WhenModalShows([chosen](QWidget* modal) {
    auto* dialog = qobject_cast<QFontDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->setCurrentFont(chosen);
    dialog->accept();
  });
  Window().RunCommand(kCmdFont);
  EXPECT_EQ(Window().TreeWidget()->font().pointSize(), 21);
  EXPECT_EQ(settings.ReadInt(u"Font"_s, u"Point"_s, 0), 21);
  // The offscreen font list may lack a bold face; what is shown is what is kept.
  EXPECT_EQ(settings.ReadInt(u"Font"_s, u"Weight"_s, 0),
            Window().TreeWidget()->font().bold() ? 700 : 400);
  EXPECT_NE(Window().BodyWidget()->font().pointSize(), 21);
}

TEST_F(MainWindowDialogsTest, OpenDialogStartsOnTheRememberedFilterAndRemembersTheChoice) {
  settings.WriteInt(u"System"_s, u"FileOpenType"_s, 2);  // the text filter, 1-based
  Start();
  const QString other = dir.filePath(u"other.qmp"_s);
  ASSERT_TRUE(QFile::copy(path, other));
  QString startFilter;
  test::WhenModalShows([&startFilter, other](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    startFilter = dialog->selectedNameFilter();
    dialog->selectNameFilter(dialog->nameFilters().value(0));
    dialog->selectFile(other);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  Window().RunCommand(kCmdOpen);
  EXPECT_TRUE(startFilter.contains(u"*.txt"_s)) << startFilter.toStdString();
  EXPECT_EQ(Document().PathName(), other);
  EXPECT_EQ(settings.ReadInt(u"System"_s, u"FileOpenType"_s, 0), 1);
}

// The memo filter opens whatever file is chosen as a memo file, for that
// one open; the filter is remembered, the memo reading is not.
TEST_F(MainWindowDialogsTest, MemoFilterOpensTheChosenFileAsAMemoOnce) {
  Start();
  const QString notes = dir.filePath(u"notes.txt"_s);
  QFile file(notes);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(".A\r\n..B\r\nbody\r\n");
  file.close();
  test::WhenModalShows([notes](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->selectNameFilter(dialog->nameFilters().value(2));
    dialog->selectFile(notes);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  Window().RunCommand(kCmdOpen);
  EXPECT_EQ(settings.ReadInt(u"System"_s, u"FileOpenType"_s, 0), 3);
  ASSERT_EQ(Store().GetCount(), 3);
  EXPECT_EQ(Store().GetTitle(0), u"notes"_s);
  EXPECT_EQ(Store().GetLevel(2), 2);
  EXPECT_EQ(Store().GetBody(2), u"body\r\n"_s);
  EXPECT_EQ(Window().TreeWidget()->topLevelItemCount(), 1);

  AnswerMessage(res::kButtonOk);
  Window().RunCommand(kCmdReload);  // not through the dialog: read by its name
  EXPECT_EQ(Store().GetCount(), 1);
  EXPECT_EQ(Store().GetTitle(0), u".A"_s);
}

TEST_F(MainWindowDialogsTest, RecentFilePopupListsTheFilesUnderItsButton) {
  settings.WriteString(u"Recent File List"_s, u"File1"_s, dir.filePath(u"a.qmp"_s));
  settings.WriteString(u"Recent File List"_s, u"File2"_s, dir.filePath(u"b.qmp"_s));
  Start();
  QStringList shown;
  test::WhenModalShows([&shown](QWidget* popup) {
    for (const QAction* action : popup->actions()) shown.append(action->text());
    popup->close();
  });
  Window().RunCommand(kCmdRecentFilePopup);
  ASSERT_GE(shown.size(), 2);
  EXPECT_TRUE(shown[0].startsWith(u"&1 "_s));
  EXPECT_TRUE(shown[1].startsWith(u"&2 "_s));
}

QStringList TitlesOf(const QMenu* menu) {
  QStringList titles;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) titles.append(action->text());
  }
  return titles;
}

TEST_F(MainWindowDialogsTest, SoftKeyButtonsShowTheTwoNarrowMenus) {
  Start();
  auto* first = Window().findChild<QToolButton*>(u"softKey0"_s);
  auto* second = Window().findChild<QToolButton*>(u"softKey1"_s);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  // The first holds every other top menu; the second is the tree menu.
  const QStringList others = TitlesOf(first->menu());
  EXPECT_TRUE(others.contains(res::kTopMenuTitles[0].toString()));
  EXPECT_FALSE(others.contains(res::kTopMenuTitles[2].toString()));
  EXPECT_TRUE(TitlesOf(second->menu()).contains(u"追加 - 下の階層(&A)..."_s));
  EXPECT_EQ(Window().menuBar()->actions().size(), 7);
}

TEST_F(MainWindowDialogsTest, SoftKeyMenuSettingLeavesJustTheTwoMenusAndNoButtons) {
  settings.WriteInt(u"System"_s, u"SoftKeyMenu"_s, 1);
  Start();
  QStringList titles;
  for (const QAction* action : Window().menuBar()->actions()) titles.append(action->text());
  EXPECT_EQ(titles, (QStringList{res::kSoftKeyMenuTitles[0].toString(),
                                 res::kSoftKeyMenuTitles[1].toString()}));
  EXPECT_EQ(Window().findChild<QToolButton*>(u"softKey0"_s), nullptr);
  const auto* bar = Window().findChild<QToolBar*>(u"commandBar"_s);
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->actions().isEmpty());
}

TEST_F(MainWindowDialogsTest, TreeContextMenuOffersTheTreeCommandsInGroups) {
  Start();
  QTreeWidget* tree = Window().TreeWidget();
  tree->setFocus();
  QStringList shown;
  test::WhenModalShows([&shown](QWidget* popup) {
    for (const QAction* action : popup->actions()) {
      shown.append(action->isSeparator() ? u"-"_s : action->text());
    }
    popup->close();
  });
  emit tree->customContextMenuRequested(QPoint(1, 1));
  EXPECT_EQ(shown, (QStringList{u"修正(&E)..."_s, u"リンクファイルを開く(&V)"_s, u"-"_s,
                                u"切り取り(&T)"_s, u"コピー(&C)"_s, u"貼り付け(&P)"_s, u"-"_s,
                                u"追加 - 下の階層(&A)..."_s, u"追加 - 同じ階層(&W)..."_s, u"-"_s,
                                u"階層を上げる(&L)"_s, u"階層を下げる(&R)"_s,
                                u"この下を全て表示(&C)"_s, u"-"_s, u"チェックの設定/解除(&K)"_s}));
}

}  // namespace
}  // namespace qm
