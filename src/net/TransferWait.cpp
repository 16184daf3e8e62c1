// The event-loop wait for a transfer.
#include "net/TransferWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace qm {

bool EventLoopTransferWait::Wait(HttpTransfer& transfer) {
  if (transfer.IsFinished()) return true;
  QEventLoop loop;
  transfer.SetObserver([&loop, &transfer] {
    if (transfer.IsFinished()) loop.quit();
  });
  // The transfer may have ended between the check and the observer.
  if (!transfer.IsFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  transfer.SetObserver({});
  return true;
}

void PauseWithoutUserInput(int ms) {
  if (QCoreApplication::instance() == nullptr) {
    QThread::msleep(static_cast<unsigned long>(ms));
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace qm
