// The node edit dialog driven through its controls: filled from the
// request, refusing OK without a title, handing back what the user set, and
// laid out wide or tall; and once through the dialogs port with the real
// message box.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "gui/NodeEditDialog.h"
#include "gui/QtDialogs.h"
#include "res/Strings.h"
#include "support/FakePrompt.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

QStringList Items(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

using test::Find;

class NodeEditDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }

  NodeEditDialogTest() {
    request.title = QStringLiteral("第一章");
    request.link = QStringLiteral("notes.txt");
    request.titleOutput = 2;
    request.category = 1;
    request.categories = {res::kNoCategory.toString(), QStringLiteral("仕事"),
                          QStringLiteral("家")};
    request.updated = QStringLiteral("2024/05/06 07:08");
  }

  NodeEditRequest request;
  test::FakePrompt prompt;
};

TEST_F(NodeEditDialogTest, ControlsShowTheRequest) {
  NodeEditDialog dialog(request, prompt);
  EXPECT_EQ(dialog.windowTitle(), res::kNodeEditDialogTitle.toString());
  EXPECT_EQ(Find<QLineEdit>(&dialog, "titleEdit")->text(), request.title);
  EXPECT_EQ(Find<QLineEdit>(&dialog, "linkEdit")->text(), request.link);
  const auto* output = Find<QComboBox>(&dialog, "titleOutputList");
  EXPECT_EQ(Items(output), (QStringList{res::kTitleOutputChapterAndTitle.toString(),
                                        res::kTitleOutputTitleOnly.toString(),
                                        res::kTitleOutputNoTitle.toString()}));
  EXPECT_EQ(output->currentIndex(), 2);
  EXPECT_EQ(Items(Find<QComboBox>(&dialog, "categoryList")), request.categories);
  EXPECT_EQ(Find<QComboBox>(&dialog, "categoryList")->currentIndex(), 1);
  EXPECT_EQ(Find<QLabel>(&dialog, "updatedLabel")->text(), request.updated);
  EXPECT_EQ(dialog.Result().titleOutput, 2);

  // Adding: no date, and "none" is offered even by an empty category list.
  NodeEditDialog adding(NodeEditRequest{}, prompt);
  EXPECT_TRUE(Find<QLabel>(&adding, "updatedLabel")->text().isEmpty());
  EXPECT_EQ(Items(Find<QComboBox>(&adding, "categoryList")),
            QStringList{res::kNoCategory.toString()});
  EXPECT_EQ(adding.Result().category, 0);
}

TEST_F(NodeEditDialogTest, OkWithoutTitleTellsTheUserAndStaysOpen) {
  NodeEditDialog dialog(request, prompt);
  dialog.show();
  auto* title = Find<QLineEdit>(&dialog, "titleEdit");
  // A title of separators alone would be emptied when stored.
  for (const QString& empty : {QString(), QStringLiteral("\u0001\u0002")}) {
    prompt.ClearAsked();
    title->setText(empty);
    Find<QPushButton>(&dialog, "okButton")->click();
    EXPECT_EQ(prompt.Asked(), QStringList{res::kNoTitleEntered.toString()});
    EXPECT_TRUE(dialog.isVisible());
  }
  prompt.ClearAsked();
  title->setText(QStringLiteral("新しいタイトル"));
  Find<QLineEdit>(&dialog, "linkEdit")->setText(QStringLiteral("other.txt"));
  Find<QComboBox>(&dialog, "titleOutputList")->setCurrentIndex(1);
  Find<QComboBox>(&dialog, "categoryList")->setCurrentIndex(2);
  Find<QPushButton>(&dialog, "okButton")->click();
  EXPECT_TRUE(prompt.Asked().isEmpty());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const NodeEditResult result = dialog.Result();
  EXPECT_EQ(result.title, QStringLiteral("新しいタイトル"));
  EXPECT_EQ(result.link, QStringLiteral("other.txt"));
  EXPECT_EQ(result.titleOutput, 1);
  EXPECT_EQ(result.category, 2);

  NodeEditDialog cancelled(request, prompt);
  cancelled.show();
  Find<QLineEdit>(&cancelled, "titleEdit")->clear();
  Find<QPushButton>(&cancelled, "cancelButton")->click();
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
  EXPECT_TRUE(prompt.Asked().isEmpty()) << "cancel asks nothing";
}

TEST_F(NodeEditDialogTest, ValuesTheListsCannotShowComeBackUnlessChanged) {
  request.titleOutput = 5;
  request.category = 9;  // a category the document no longer has
  NodeEditDialog dialog(request, prompt);
  EXPECT_EQ(Find<QComboBox>(&dialog, "categoryList")->currentIndex(), -1);
  EXPECT_EQ(dialog.Result().titleOutput, 5);
  EXPECT_EQ(dialog.Result().category, 9);
  Find<QComboBox>(&dialog, "categoryList")->setCurrentIndex(0);
  EXPECT_EQ(dialog.Result().category, 0);
}

TEST_F(NodeEditDialogTest, WideLayoutPutsLabelsBesideFieldsAndTallStacksThem) {
  for (const bool wide : {true, false}) {
    request.wide = wide;
    NodeEditDialog dialog(request, prompt);
    dialog.show();
    QApplication::processEvents();
    for (const char* name :
         {"titleEdit", "linkEdit", "titleOutputList", "categoryList", "updatedLabel"}) {
      const QWidget* field = Find<QWidget>(&dialog, name);
      const QLabel* label = nullptr;
      for (const QLabel* candidate : dialog.findChildren<QLabel*>()) {
        if (candidate->buddy() == field) label = candidate;
      }
      ASSERT_NE(label, nullptr) << name;
      const QRect f = field->geometry();
      const QRect l = label->geometry();
      if (wide) {
        EXPECT_LE(l.right(), f.left()) << name;
        EXPECT_TRUE(l.center().y() >= f.top() && l.center().y() <= f.bottom()) << name;
      } else {
        EXPECT_LE(l.bottom(), f.top()) << name;
        EXPECT_EQ(l.left(), f.left()) << name;
      }
    }
  }
}

TEST_F(NodeEditDialogTest, PortShowsTheMessageOverTheDialogAndReturnsTheAnswer) {
  test::ModalGuard guard;
  QString message;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    Find<QLineEdit>(dialog, "titleEdit")->clear();
    QTimer::singleShot(0, [&, dialog] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      message = box->text();
      box->buttons().value(0)->click();
      QTimer::singleShot(0, [dialog] {
        Find<QLineEdit>(dialog, "titleEdit")->setText(QStringLiteral("改題"));
        Find<QPushButton>(dialog, "okButton")->click();
      });
    });
    Find<QPushButton>(dialog, "okButton")->click();  // the message box runs in here
  });
  QtDialogs dialogs;
  const std::optional<NodeEditResult> result = dialogs.EditNode(request);
  EXPECT_EQ(message, res::kNoTitleEntered.toString());
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->title, QStringLiteral("改題"));
  EXPECT_EQ(result->category, 1);
}

}  // namespace
}  // namespace qm
