// The search dialog and the search list driven through their controls and
// through the dialogs port, and one search through the real window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "editing/QuillmapDoc.h"
#include "gui/MainWindow.h"
#include "gui/QtDialogs.h"
#include "gui/SearchDialog.h"
#include "gui/SearchListDialog.h"
#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"
#include "res/CommandIds.h"
#include "res/Strings.h"
#include "support/QtPrinting.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using test::Find;

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

// Runs step on the next modal dialog once it is open.
void OnNextDialog(std::function<void(QWidget*)> step) { test::WhenModalShows(std::move(step)); }

class SearchDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }

  SearchDialogTest() {
    request.caption = res::kSearchListDialogTitle.toString();
    request.word = QStringLiteral("会議");
    request.recentWords = {QStringLiteral("会議"), QStringLiteral("Plan")};
    request.caseSensitive = true;
    request.inTitles = false;
    request.inBodies = true;
    request.inLinks = true;
  }

  SearchRequest request;
  test::ModalGuard guard;
};

TEST_F(SearchDialogTest, ControlsShowTheRequestAndHandBackWhatTheUserSet) {
  SearchDialog dialog(request);
  EXPECT_EQ(dialog.windowTitle(), res::kSearchListDialogTitle.toString());
  auto* word = Find<QComboBox>(&dialog, "wordBox");
  EXPECT_TRUE(word->isEditable());
  EXPECT_EQ(Items(word), request.recentWords);
  EXPECT_EQ(word->currentText(), QStringLiteral("会議"));
  EXPECT_EQ(Find<QCheckBox>(&dialog, "caseBox")->text(), res::kSearchCaseSensitive.toString());
  EXPECT_EQ(Find<QPushButton>(&dialog, "cancelButton")->text(), res::kSearchCancel.toString());

  const SearchAnswer unchanged = dialog.Answer();
  EXPECT_EQ(unchanged.word, request.word);
  EXPECT_TRUE(unchanged.caseSensitive);
  EXPECT_FALSE(unchanged.inTitles);
  EXPECT_TRUE(unchanged.inBodies);
  EXPECT_TRUE(unchanged.inLinks);

  // A recent word that differs only in case is not put in place of the typed one.
  word->setEditText(QStringLiteral("plan"));
  Find<QCheckBox>(&dialog, "titlesBox")->setChecked(true);
  Find<QCheckBox>(&dialog, "linksBox")->setChecked(false);
  const SearchAnswer changed = dialog.Answer();
  EXPECT_EQ(changed.word, QStringLiteral("plan"));
  EXPECT_TRUE(changed.inTitles);
  EXPECT_FALSE(changed.inLinks);

  // Start works only with a word.
  auto* start = Find<QPushButton>(&dialog, "startButton");
  EXPECT_TRUE(start->isEnabled());
  word->setEditText(QString());
  EXPECT_FALSE(start->isEnabled());
  EXPECT_FALSE(SearchDialog(SearchRequest{}).findChild<QPushButton*>("startButton")->isEnabled());
}

TEST_F(SearchDialogTest, ThePortAnswersStartAndCancel) {
  QtDialogs dialogs;
  OnNextDialog([](QWidget* dialog) {
    Find<QComboBox>(dialog, "wordBox")->setEditText(QStringLiteral("Plan"));
    Find<QCheckBox>(dialog, "caseBox")->setChecked(false);
    Find<QPushButton>(dialog, "startButton")->click();
  });
  const std::optional<SearchAnswer> answer = dialogs.AskSearch(request);
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->word, QStringLiteral("Plan"));
  EXPECT_FALSE(answer->caseSensitive);

  OnNextDialog([](QWidget* dialog) { Find<QPushButton>(dialog, "cancelButton")->click(); });
  EXPECT_FALSE(dialogs.AskSearch(request).has_value());
}

TEST_F(SearchDialogTest, TheListJumpsToTheChosenRowOrCloses) {
  const SearchListRequest list{
      {QStringLiteral("第一"), QStringLiteral("第二"), QStringLiteral("第三")}};
  EXPECT_EQ(SearchListDialog(list).windowTitle(), res::kSearchResultsTitle.toString());
  QtDialogs dialogs;
  OnNextDialog([](QWidget* dialog) {
    Find<QListWidget>(dialog, "matchList")->setCurrentRow(1);
    Find<QPushButton>(dialog, "jumpButton")->click();
  });
  EXPECT_EQ(dialogs.ShowSearchList(list), 1);

  OnNextDialog([](QWidget* dialog) {
    auto* rows = Find<QListWidget>(dialog, "matchList");
    emit rows->itemActivated(rows->item(2));
  });
  EXPECT_EQ(dialogs.ShowSearchList(list), 2);

  OnNextDialog([](QWidget* dialog) { Find<QPushButton>(dialog, "closeButton")->click(); });
  EXPECT_FALSE(dialogs.ShowSearchList(list).has_value());
}

using SearchWindowTest = test::WindowFixture;

TEST_F(SearchWindowTest, TheWindowFindsAWordInABodyAndListsMatches) {
  Start();
  MainWindow& window = Window();
  const CTreeStore& store = Store();

  QPlainTextEdit* body = window.BodyWidget();
  OnNextDialog([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), res::kSearchDialogTitle.toString());
    Find<QComboBox>(dialog, "wordBox")->setEditText(QStringLiteral("階層"));
    Find<QPushButton>(dialog, "startButton")->click();
  });
  window.RunCommand(kCmdFind);
  QApplication::processEvents();
  EXPECT_EQ(store.GetTitle(store.GetSelected()), QStringLiteral("項目を追加する"));
  EXPECT_EQ(body->textCursor().selectedText(), QStringLiteral("階層"));
  const int first = body->textCursor().selectionStart();
  EXPECT_EQ(settings.ReadString(QStringLiteral("Search"), QStringLiteral("str1"), {}),
            QStringLiteral("階層"));

  // The body pane has the focus now: the next match in its text, then the next node.
  // Off screen, the window is not active again by itself once the dialog has gone.
  window.activateWindow();
  QApplication::processEvents();
  ASSERT_TRUE(body->hasFocus());
  window.RunCommand(kCmdFindNext);
  EXPECT_GT(body->textCursor().selectionStart(), first);
  EXPECT_EQ(body->textCursor().selectedText(), QStringLiteral("階層"));
  window.RunCommand(kCmdFindNext);
  QApplication::processEvents();
  EXPECT_EQ(store.GetTitle(store.GetSelected()), QStringLiteral("階層を変える"));

  // The list, from the tree pane: both nodes that hold the word, and a jump.
  window.TreeWidget()->setFocus();
  QApplication::processEvents();
  OnNextDialog([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), res::kSearchListDialogTitle.toString());
    QTimer::singleShot(0, [] {
      QWidget* list = QApplication::activeModalWidget();
      ASSERT_NE(list, nullptr);
      auto* rows = Find<QListWidget>(list, "matchList");
      ASSERT_EQ(rows->count(), 2);
      EXPECT_EQ(rows->item(1)->text(), QStringLiteral("階層を変える"));
      Find<QPushButton>(list, "jumpButton")->click();  // the first row
    });
    Find<QPushButton>(dialog, "startButton")->click();
  });
  window.RunCommand(kCmdSearchList);
  QApplication::processEvents();
  EXPECT_EQ(store.GetTitle(store.GetSelected()), QStringLiteral("項目を追加する"));
  EXPECT_EQ(Document().CurrentNode(), store.GetSelected());
  EXPECT_TRUE(body->toPlainText().startsWith(QStringLiteral("「子ツリー追加」")));
}

}  // namespace
}  // namespace qm
