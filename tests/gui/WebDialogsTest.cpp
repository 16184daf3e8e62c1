// The web service's dialogs driven through their controls, through QtDialogs
// as the web commands call them, and the window's wait for a transfer.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <utility>

#include "gui/QtDialogs.h"
#include "gui/QtTransferWait.h"
#include "gui/WebAccountDialog.h"
#include "res/NetStrings.h"
#include "support/OffscreenApp.h"
#include "support/WidgetInput.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using test::DoubleClick;
using test::Find;

// Runs step on the modal dialog once it is up.
void OnDialog(std::function<void(QDialog*)> step) {
  QTimer::singleShot(0, [step = std::move(step)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    step(dialog);
  });
}

class WebDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }

  WebDialogTest() {
    request.mail = QStringLiteral("user@example.jp");
    request.initialPassword = res::kWebPasswordPlaceholder.toString();
    request.accountHost = QStringLiteral("http://localhost:8642");
    request.serviceHost = QStringLiteral("https://files.example.jp");
  }

  test::ModalGuard guard;
  QtDialogs dialogs;
  WebAccountRequest request;
};

// ---- The account dialog ----

TEST_F(WebDialogTest, AccountShowsTheRequestOkTrimsAllButThePasswordCancelGivesNothing) {
  OnDialog([](QDialog* dialog) {
    auto* password = Find<QLineEdit>(dialog, "passwordEdit");
    EXPECT_EQ(password->text(), res::kWebPasswordPlaceholder.toString());
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Find<QPushButton>(dialog, "cancelButton")->text(), res::kWebAccountCancel.toString());
    Find<QLineEdit>(dialog, "mailEdit")->setText(QStringLiteral("  new@example.jp \t"));
    password->setText(QStringLiteral(" secret "));
    Find<QLineEdit>(dialog, "accountHostEdit")->setText(QStringLiteral(" http://a.example:81 "));
    Find<QPushButton>(dialog, "okButton")->click();
  });
  const std::optional<WebAccountAnswer> answer = dialogs.EditWebAccount(request);
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->mail, "new@example.jp");
  EXPECT_EQ(answer->password, " secret ");
  EXPECT_EQ(answer->accountHost, "http://a.example:81");
  EXPECT_EQ(answer->serviceHost, request.serviceHost);

  OnDialog([](QDialog* dialog) {
    Find<QLineEdit>(dialog, "mailEdit")->setText(QStringLiteral("changed@example.jp"));
    Find<QPushButton>(dialog, "cancelButton")->click();
  });
  EXPECT_FALSE(dialogs.EditWebAccount(request).has_value());
}

TEST_F(WebDialogTest, AccountRefusesAnUnusableAddressAndStaysOpenOnIt) {
  WebAccountDialog dialog(request);
  dialog.show();
  auto* service = Find<QLineEdit>(&dialog, "serviceHostEdit");
  auto* hint = Find<QLabel>(&dialog, "addressHint");
  EXPECT_FALSE(hint->isVisible());
  service->setText(QStringLiteral("files.example.jp:8642"));
  Find<QPushButton>(&dialog, "okButton")->click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.focusWidget(), service);
  EXPECT_EQ(service->selectedText(), service->text());
  EXPECT_TRUE(hint->isVisible());
  EXPECT_EQ(hint->text(), res::kWebHostAddressInvalid.toString());

  service->setText(QStringLiteral("http://files.example.jp:8642"));
  Find<QPushButton>(&dialog, "okButton")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(WebServerAddressTest, OnlyHttpAddressesAPathCanBeAppendedToAreUsable) {
  for (const char* usable : {"http://localhost:8642", "https://example.jp", "HTTP://example.jp/",
                             "http://example.jp/base", "  http://192.0.2.1:80  "}) {
    EXPECT_TRUE(IsUsableServerAddress(QString::fromLatin1(usable))) << usable;
  }
  for (const char* unusable :
       {"", "   ", "localhost:8642", "example.jp", "ftp://example.jp", "http://", "http:///path",
        "http://exa mple.jp", "http://example.jp/?a=1", "http://example.jp/#top", "file:///tmp"}) {
    EXPECT_FALSE(IsUsableServerAddress(QString::fromLatin1(unusable))) << unusable;
  }
}

// ---- The open dialog ----

TEST_F(WebDialogTest, OpenListsTheTitlesInOrderAndOkWithoutAChoiceIsNoAnswer) {
  const QStringList titles = {QStringLiteral("Zeta"), QStringLiteral("Alpha"),
                              QStringLiteral("メモ")};
  OnDialog([&titles](QDialog* dialog) {
    auto* list = Find<QListWidget>(dialog, "fileList");
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    EXPECT_EQ(shown, titles);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    Find<QPushButton>(dialog, "okButton")->click();
  });
  EXPECT_FALSE(dialogs.ChooseWebFile(titles).has_value());
}

TEST_F(WebDialogTest, OpenDoubleClickOrEnterChoosesThatRow) {
  const QStringList titles = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
  OnDialog([](QDialog* dialog) {
    auto* list = Find<QListWidget>(dialog, "fileList");
    DoubleClick(list, list->model()->index(1, 0));
  });
  EXPECT_EQ(dialogs.ChooseWebFile(titles), std::optional<int>(1));

  OnDialog([](QDialog* dialog) {
    auto* list = Find<QListWidget>(dialog, "fileList");
    // The focus frame on a row without a selection, as the keyboard leaves it.
    list->setCurrentRow(2, QItemSelectionModel::NoUpdate);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
  });
  EXPECT_EQ(dialogs.ChooseWebFile(titles), std::optional<int>(2));

  OnDialog([](QDialog* dialog) { Find<QPushButton>(dialog, "cancelButton")->click(); });
  EXPECT_FALSE(dialogs.ChooseWebFile(titles).has_value());
}

// ---- The title dialog ----

TEST_F(WebDialogTest, TitleOkNeedsMoreThanWhiteSpaceAndReturnsTheTypedText) {
  OnDialog([](QDialog* dialog) {
    auto* title = Find<QLineEdit>(dialog, "titleEdit");
    auto* ok = Find<QPushButton>(dialog, "okButton");
    EXPECT_EQ(title->selectedText(), "proposed");
    EXPECT_TRUE(ok->isEnabled());
    title->setText(QStringLiteral(" \t "));
    EXPECT_FALSE(ok->isEnabled());
    dialog->accept();  // as Enter would, were the button not disabled
    EXPECT_TRUE(dialog->isVisible());
    title->setText(QStringLiteral(" Plan 2 "));
    EXPECT_TRUE(ok->isEnabled());
    ok->click();
  });
  EXPECT_EQ(dialogs.AskWebTitle(res::kWebTitlePrompt.toString(), QStringLiteral("proposed")),
            std::optional<QString>(QStringLiteral(" Plan 2 ")));

  OnDialog([](QDialog* dialog) { Find<QPushButton>(dialog, "cancelButton")->click(); });
  EXPECT_FALSE(dialogs.AskWebTitle(QStringLiteral("prompt"), QString()).has_value());
}

// ---- The wait for a transfer ----

// A transfer the test moves on by hand, telling the observer as the real
// one does: after each step and once when it ends.
class ScriptedTransfer : public HttpTransfer {
 public:
  HttpOutcome Outcome() const override { return m_outcome; }
  void Abort() override { End(HttpOutcome::Kind::Aborted); }
  qint64 BytesReceived() const override { return m_received; }
  qint64 BytesTotal() const override { return m_total; }
  void SetObserver(std::function<void()> onChange) override { m_observer = std::move(onChange); }

  void Receive(qint64 received, qint64 total) {
    m_received = received;
    m_total = total;
    Notify();
  }
  void End(HttpOutcome::Kind kind) {
    if (IsFinished()) return;
    m_outcome.kind = kind;
    Notify();
  }
  bool Observed() const { return static_cast<bool>(m_observer); }

 private:
  void Notify() {
    if (m_observer) m_observer();
  }

  HttpOutcome m_outcome;
  qint64 m_received = 0;
  qint64 m_total = -1;
  std::function<void()> m_observer;
};

class WebTransferWaitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }

  static QProgressDialog* ShownProgress() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<QProgressDialog*>(widget);
      if (progress != nullptr && progress->isVisible()) return progress;
    }
    return nullptr;
  }
  static bool AnyProgressLeft() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (qobject_cast<QProgressDialog*>(widget) != nullptr) return true;
    }
    return false;
  }

  test::ModalGuard guard;
  QWidget window;
  ScriptedTransfer transfer;
};

TEST_F(WebTransferWaitTest, AnEndedTransferReturnsAtOnceAndAQuickOneShowsNothing) {
  transfer.End(HttpOutcome::Kind::Failed);
  EXPECT_TRUE(QtTransferWait(&window, 0).Wait(transfer));
  EXPECT_FALSE(AnyProgressLeft());

  ScriptedTransfer quick;
  bool shownMeanwhile = false;
  QTimer::singleShot(20, [&] {
    shownMeanwhile = ShownProgress() != nullptr;
    quick.End(HttpOutcome::Kind::Completed);
  });
  QElapsedTimer clock;
  clock.start();
  EXPECT_TRUE(QtTransferWait(&window, 5000).Wait(quick));
  // The end, not the quiet time, finished the wait.
  EXPECT_LT(clock.elapsed(), 4000);
  EXPECT_FALSE(shownMeanwhile);
  EXPECT_FALSE(quick.Observed());
  EXPECT_FALSE(AnyProgressLeft());
}

TEST_F(WebTransferWaitTest, ALongTransferShowsModalProgressUntilItEnds) {
  QProgressDialog* seen = nullptr;
  QTimer::singleShot(20, [&] {
    seen = ShownProgress();
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), seen);
    EXPECT_EQ(seen->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(seen->parentWidget(), &window);
    auto* bar = seen->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 0) << "busy while the total is unknown";

    transfer.Receive(300, 1200);
    EXPECT_EQ(bar->maximum(), 1200);
    EXPECT_EQ(bar->value(), 300);
    transfer.End(HttpOutcome::Kind::Completed);
  });
  EXPECT_TRUE(QtTransferWait(&window, 0).Wait(transfer));
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(transfer.Outcome().kind, HttpOutcome::Kind::Completed);
  EXPECT_FALSE(transfer.Observed());
  EXPECT_FALSE(AnyProgressLeft());
}

TEST_F(WebTransferWaitTest, CancelAbortsTheTransferAndReturnsFalse) {
  transfer.Receive(10, -1);
  QTimer::singleShot(20, [&] {
    QProgressDialog* progress = ShownProgress();
    ASSERT_NE(progress, nullptr);
    progress->findChild<QPushButton*>()->click();
  });
  EXPECT_FALSE(QtTransferWait(&window, 0).Wait(transfer));
  EXPECT_EQ(transfer.Outcome().kind, HttpOutcome::Kind::Aborted);
  EXPECT_FALSE(transfer.Observed());
  EXPECT_FALSE(AnyProgressLeft());
}

TEST_F(WebTransferWaitTest, ATransferThatEndedBeforeTheCancelKeepsItsReply) {
  QTimer::singleShot(20, [&] {
    QProgressDialog* progress = ShownProgress();
    ASSERT_NE(progress, nullptr);
    // Both in one turn of the loop: the reply is complete, then the click.
    transfer.End(HttpOutcome::Kind::Completed);
    progress->findChild<QPushButton*>()->click();
  });
  EXPECT_TRUE(QtTransferWait(&window, 0).Wait(transfer));
  EXPECT_EQ(transfer.Outcome().kind, HttpOutcome::Kind::Completed);
}

}  // namespace
}  // namespace qm
