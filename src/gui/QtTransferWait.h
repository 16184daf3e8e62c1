// QtTransferWait: the window's wait for a running HTTP transfer.
//
// Wait first lets the event loop run without user input for a short quiet
// time, so that a quick transfer ends without any window appearing. A
// transfer still running after it gets an application-modal progress
// dialog over the window: the window keeps repainting, but no click or key
// reaches it and no command can start until the transfer ends. The bar
// counts the reply's bytes against the announced total, or runs as a busy
// bar while the total is unknown. The dialog's cancel button (or Esc, or
// closing it) aborts the transfer and Wait returns false; a transfer that
// ended by itself returns true, also when the user cancelled too late. The
// observer Wait sets on the transfer is removed before it returns, and the
// dialog never outlives the call.
//
// The window, when set, must outlive the object or be destroyed only
// between waits; a QApplication must exist.
#pragma once

#include <QPointer>
#include <QWidget>

#include "net/TransferWait.h"

namespace qm {

class QtTransferWait : public TransferWait {
 public:
  // How long a transfer may run before the progress dialog shows.
  static constexpr int kDefaultQuietMs = 400;

  // window: what the progress dialog is centred over; may be null.
  // quietMs: the quiet time before the dialog shows; 0 shows it at once.
  explicit QtTransferWait(QWidget* window = nullptr, int quietMs = kDefaultQuietMs)
      : m_window(window), m_quietMs(quietMs) {}

  bool Wait(HttpTransfer& transfer) override;

 private:
  QPointer<QWidget> m_window;
  int m_quietMs;
};

}  // namespace qm
