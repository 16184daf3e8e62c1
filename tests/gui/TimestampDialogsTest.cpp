// The latest-updated list and the category dialog driven through their
// controls, and the commands once through the whole window.
#include <gtest/gtest.h>

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "editing/CategoryEditor.h"
#include "editing/QuillmapDoc.h"
#include "gui/CategoriesDialog.h"
#include "gui/CategoryEntryDialog.h"
#include "gui/LatestUpdatedDialog.h"
#include "gui/MainWindow.h"
#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"
#include "res/CommandIds.h"
#include "res/Strings.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrompt.h"
#include "support/WidgetInput.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using test::DoubleClick;
using test::Find;

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

void PressEscape(QWidget* widget) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

class DialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }
  test::ModalGuard guard;
};

// ---- The dialogs on their own ----

TEST_F(DialogTest, LatestListStartsOnTheFirstRowAndTheBodyFollowsTheHighlight) {
  LatestUpdatedRequest request;
  request.rows = {{"2024/12/08 09:00", "Newest", "first\r\nbody"},
                  {"2024/12/07 09:00", "Middle", "second"},
                  {"2024/12/06 09:00", "Oldest", {}}};
  LatestUpdatedDialog dialog(request);
  dialog.show();
  auto* list = Find<QTreeWidget>(&dialog, "latestList");
  auto* body = Find<QPlainTextEdit>(&dialog, "bodyBox");
  EXPECT_EQ(list->headerItem()->text(0), res::kLatestUpdatedTimeColumn.toString());
  EXPECT_EQ(list->headerItem()->text(1), res::kLatestUpdatedTitleColumn.toString());
  EXPECT_EQ(list->topLevelItem(1)->text(1), "Middle");
  EXPECT_EQ(dialog.ChosenRow(), 0);
  EXPECT_EQ(body->toPlainText(), "first\nbody");
  list->setCurrentItem(list->topLevelItem(2));
  EXPECT_EQ(body->toPlainText(), "");

  // The list and the body box share the height.
  for (const int height : {300, 700}) {
    dialog.resize(500, height);
    QApplication::processEvents();
    EXPECT_NEAR(list->height(), body->height(), 2) << height;
  }

  DoubleClick(list, list->model()->index(1, 1));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.ChosenRow(), 1);
}

TEST_F(DialogTest, CategoryButtonsActOnTheListAndEveryCloseHandsOverTheTexts) {
  MemorySettingsStore settings;
  test::FakeClock clock;
  test::FakePrompt prompt;
  test::FakeDialogs dialogs;
  CTreeStore store(settings, clock);
  store.AddRoot("R");
  store.GetNode(store.InsertChild(0, "A", {}, {}, 0, 0)).SetCategory(1);
  store.Categories().Entries() = {{"Work", "office"}, {"Home", {}}};
  CCategoryEditor session(store, dialogs, prompt, settings);
  {
    CategoriesDialog dialog(session);
    dialog.show();
    auto* list = Find<QListWidget>(&dialog, "categoryList");
    EXPECT_EQ(Items(list), (QStringList{"Work", "Home"}));
    EXPECT_EQ(list->currentRow(), 0);
    Find<QPushButton>(&dialog, "downButton")->click();
    EXPECT_EQ(Items(list), (QStringList{"Home", "Work"}));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(store.GetNode(1).GetCategory(), 2);

    list->setCurrentRow(0);  // the row picked is the one the buttons act on
    Find<QPushButton>(&dialog, "deleteButton")->click();
    EXPECT_EQ(prompt.Asked().at(0), res::kAskDeleteCategory.toString().arg("Home"));
    EXPECT_EQ(Items(list), QStringList{"Work"});
    EXPECT_EQ(store.GetNode(1).GetCategory(), 1);

    dialogs.ScriptCategoryEntry({CategoryEntryText{"Job", "paid"}});
    DoubleClick(list, list->model()->index(0, 0));
    EXPECT_EQ(dialogs.CategoryEntryRequests().back().name, "Work");
    EXPECT_EQ(Items(list), QStringList{"Job"});

    EXPECT_EQ(Find<QLineEdit>(&dialog, "beforeEdit")->text(),
              res::kDefaultCategoryBefore.toString());
    Find<QLineEdit>(&dialog, "beforeEdit")->setText("<");
    PressEscape(&dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(settings.ReadString("System", "CategoryStrBefore", {}), "<");
  }
  CategoriesDialog dialog(session);
  EXPECT_EQ(Find<QLineEdit>(&dialog, "beforeEdit")->text(), "<");
  Find<QLineEdit>(&dialog, "afterEdit")->setText(">");
  Find<QPushButton>(&dialog, "closeButton")->click();
  EXPECT_EQ(settings.ReadString("System", "CategoryStrAfter", {}), ">");
  Find<QLineEdit>(&dialog, "afterEdit")->setText("once only");
  dialog.close();
  EXPECT_EQ(store.Categories().After(), ">");
}

// ---- Through the window ----

class TimestampWindowTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    Start();
  }
};

TEST_F(TimestampWindowTest, LatestListJumpsToTheChosenNode) {
  int rows = 0;
  QString chosenTitle;
  QTimer::singleShot(0, [&] {
    auto* dialog = dynamic_cast<LatestUpdatedDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* list = Find<QTreeWidget>(dialog, "latestList");
    rows = list->topLevelItemCount();
    list->setCurrentItem(list->topLevelItem(rows - 1));
    chosenTitle = list->topLevelItem(rows - 1)->text(1);
    Find<QPushButton>(dialog, "jumpButton")->click();
  });
  Window().RunCommand(kCmdLatestUpdated);
  ASSERT_GT(rows, 1);
  const int selected = Store().GetSelected();
  ASSERT_GE(selected, 0);
  EXPECT_EQ(Store().GetTitle(selected), chosenTitle);
  EXPECT_EQ(Document().CurrentNode(), selected);
  EXPECT_EQ(Window().BodyWidget()->toPlainText(),
            QString(Store().GetBody(selected)).replace("\r\n", "\n"));
}

TEST_F(TimestampWindowTest, CategoryDialogAddsThroughTheEntryDialogAndModifies) {
  const int categories = Store().Categories().Count();
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dynamic_cast<CategoriesDialog*>(dialog), nullptr);
    QTimer::singleShot(0, [] {
      auto* entry = dynamic_cast<CategoryEntryDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(entry, nullptr);
      Find<QLineEdit>(entry, "nameEdit")->setText("趣味");
      Find<QPushButton>(entry, "okButton")->click();
    });
    Find<QPushButton>(dialog, "addButton")->click();
    Find<QPushButton>(dialog, "closeButton")->click();
  });
  Window().RunCommand(kCmdCategories);
  ASSERT_EQ(Store().Categories().Count(), categories + 1);
  EXPECT_EQ(Store().Categories().Name(categories + 1), "趣味");
  EXPECT_TRUE(Document().IsModified());
}

}  // namespace
}  // namespace qm
