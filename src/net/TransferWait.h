// TransferWait: how the program waits for a running HTTP transfer.
//
// The web operations are synchronous for their callers, but the transfer
// runs on the event loop. A TransferWait waits until the transfer ends
// without letting the user start another command meanwhile; it may show
// progress (BytesReceived/BytesTotal of the transfer) and offer to cancel.
// EventLoopTransferWait is the plain form for the command-line tool and
// tests; the window provides a modal progress dialog instead.
#pragma once

#include "net/HttpClient.h"

namespace qm {

class TransferWait {
 public:
  virtual ~TransferWait() = default;
  TransferWait(const TransferWait&) = delete;
  TransferWait& operator=(const TransferWait&) = delete;

  // Returns true once transfer has ended by itself. Returns false when the
  // user cancelled: the transfer has then been aborted (it ended as Aborted)
  // and the caller fails without a message.
  virtual bool Wait(HttpTransfer& transfer) = 0;

 protected:
  TransferWait() = default;
};

// Runs a local event loop that excludes user input until the transfer ends:
// timers, sockets and repaints go on, but no click or key can re-enter a
// command. It offers no cancel. REQUIRES: a QCoreApplication exists when a
// transfer is still running at the call.
class EventLoopTransferWait : public TransferWait {
 public:
  EventLoopTransferWait() = default;
  bool Wait(HttpTransfer& transfer) override;
};

// Lets ms milliseconds pass the way EventLoopTransferWait waits: events but
// no user input are handled meanwhile (a plain sleep without an application
// object). The default pause between polls and retries of the web client.
void PauseWithoutUserInput(int ms);

}  // namespace qm
