// SingleInstance: one running program per user. The first start listens on
// a local socket; a later start hands its file (or nothing) to it and ends,
// and the running window opens that file and comes to the front.
//
// The running program answers every hand-over at once, before it opens the
// file (which may ask the user questions), so a start that hears nothing
// within the time-out knows the running one is stuck and opens a window of
// its own. The socket name is per user, so two users of one machine do not
// meet. A listener left behind by a crashed program is cleared: when nobody
// answers the connection, the new start becomes the running one.
#pragma once

#include <QLocalServer>
#include <QString>
#include <functional>
#include <memory>

namespace qm {

class SingleInstance {
 public:
  using FileHandler = std::function<void(const QString& file)>;

  enum class HandOff {
    Taken,          // the running program has the file: this process should end
    NobodyRunning,  // no program listens: this one becomes the running one
    NotResponding,  // a program listens but does not answer: run on, beside it
  };

  explicit SingleInstance(QString name = DefaultName());
  ~SingleInstance();

  // Tries to hand file (may be empty) to a running program, waiting at most
  // timeoutMs for each step.
  HandOff HandOffToRunning(const QString& file, int timeoutMs = 2000);
  // Becomes the running program; onFile runs for every later start, once
  // control is back in the event loop. Returns false when the socket could
  // not be opened (the program runs anyway).
  bool Listen(FileHandler onFile);

  static QString DefaultName();

 private:
  QString m_name;
  std::unique_ptr<QLocalServer> m_server;
};

}  // namespace qm
