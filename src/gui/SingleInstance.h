// SingleInstance: one running program per user. The first start listens on
// a local socket; a later start hands its file (or nothing) to it and ends,
// and the running window opens that file and comes to the front.
//
// The socket name is per user, so two users of one machine do not meet. A
// listener left behind by a crashed program is cleared: when nobody answers,
// the new start becomes the running one.
#pragma once

#include <QLocalServer>
#include <QString>
#include <functional>
#include <memory>

namespace qm {

class SingleInstance {
 public:
  using FileHandler = std::function<void(const QString& file)>;

  explicit SingleInstance(QString name = DefaultName());
  ~SingleInstance();

  // Tries to reach a running program; on success hands it file (may be
  // empty) and returns true: this process should end.
  bool HandOffToRunning(const QString& file, int timeoutMs = 1000);
  // Becomes the running program; onFile runs for every later start. Returns
  // false when the socket could not be opened (the program runs anyway).
  bool Listen(FileHandler onFile);

  static QString DefaultName();

 private:
  QString m_name;
  std::unique_ptr<QLocalServer> m_server;
};

}  // namespace qm
