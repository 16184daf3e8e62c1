// QtTransferWait: the quiet time, then the progress dialog.
#include "gui/QtTransferWait.h"

#include <QEventLoop>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "res/NetStrings.h"

namespace qm {
namespace {

// Removes the observer however Wait leaves: it refers to Wait's locals.
class ObserverGuard {
 public:
  explicit ObserverGuard(HttpTransfer& transfer) : m_transfer(transfer) {}
  ~ObserverGuard() { m_transfer.SetObserver({}); }
  ObserverGuard(const ObserverGuard&) = delete;
  ObserverGuard& operator=(const ObserverGuard&) = delete;

 private:
  HttpTransfer& m_transfer;
};

// Shows the transfer's progress on bar: bytes against the total, or busy
// while the total is unknown. A bar counts in int, so a total beyond it is
// counted in larger steps.
void ShowProgress(QProgressBar& bar, const HttpTransfer& transfer) {
  const qint64 total = transfer.BytesTotal();
  if (total <= 0) {
    bar.setRange(0, 0);
    return;
  }
  const qint64 step = total / std::numeric_limits<int>::max() + 1;
  const qint64 received = std::clamp<qint64>(transfer.BytesReceived(), 0, total);
  bar.setRange(0, static_cast<int>(total / step));
  bar.setValue(static_cast<int>(received / step));
}

}  // namespace

bool QtTransferWait::Wait(HttpTransfer& transfer) {
  if (transfer.IsFinished()) return true;

  QEventLoop loop;
  QPointer<QProgressBar> bar;
  ObserverGuard guard(transfer);
  transfer.SetObserver([&loop, &bar, &transfer] {
    if (transfer.IsFinished()) {
      loop.quit();
    } else if (bar != nullptr) {
      // The bar itself, not QProgressDialog::setValue: a modal progress
      // dialog processes events in setValue, which would run the loop
      // again inside the transfer's own callback.
      ShowProgress(*bar, transfer);
    }
  });
  // The transfer may have ended between the first check and the observer.
  if (transfer.IsFinished()) return true;

  // The quiet time: timers, sockets and repaints go on; user input waits.
  if (m_quietMs > 0) {
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    quiet.start(m_quietMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (transfer.IsFinished()) return true;
  }

  // On the heap and watched, not on the stack: a window destroyed while
  // this waits deletes its children, and a dialog gone that way counts as
  // a cancel.
  QProgressDialog* dialog = new QProgressDialog(m_window.data());
  const QPointer<QProgressDialog> alive(dialog);
  dialog->setWindowModality(Qt::ApplicationModal);
  dialog->setWindowTitle(res::kWebTransferCaption.toString());
  dialog->setLabelText(res::kWebTransferProgress.toString());
  dialog->setCancelButtonText(res::kWebTransferCancel.toString());
  // Shown and closed here, never on the dialog's own timing.
  dialog->setAutoClose(false);
  dialog->setAutoReset(false);
  dialog->setMinimumDuration(0);
  bar = new QProgressBar(dialog);
  dialog->setBar(bar);
  ShowProgress(*bar, transfer);

  // Cancel quits the wait; whether the transfer ended decides the answer.
  QObject::connect(dialog, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
  QObject::connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
  dialog->show();
  // The dialog's modality keeps user input from the window, so this loop
  // takes every event: the dialog's cancel button must work.
  if (!transfer.IsFinished()) loop.exec();

  if (alive != nullptr) {
    QObject::disconnect(alive, nullptr, &loop, nullptr);
    alive->hide();
    delete alive.data();
  }
  // A transfer that ended by itself keeps its reply, however late the user
  // pressed cancel.
  if (transfer.IsFinished()) return true;
  transfer.SetObserver({});
  transfer.Abort();
  return false;
}

}  // namespace qm
