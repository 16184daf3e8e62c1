// The event-loop wait for a transfer.
#include "net/TransferWait.h"

#include <QEventLoop>

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

}  // namespace qm
