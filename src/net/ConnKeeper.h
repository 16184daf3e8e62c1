// CConnKeeper: makes sure a network link towards the account host is up
// before every ticket request, and holds it afterwards until Disconnect or
// ShutDown, through the platform's ConnectionManager.
//
// One object for the whole program. EnsureConnection, Disconnect and
// ShutDown run on the user-interface thread. While a link is being raised or
// held, one worker thread watches the link request and reports its statuses
// to the On... hooks, which therefore run on that worker thread. The two
// threads share only atomics: the worker's status, its keep-cached flag and
// its cancel flag. A class derived from this one must call ShutDown in its
// own destructor, before its hooks are gone.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "platform/ConnectionManager.h"
#include "platform/Prompt.h"

namespace qm {

class CConnKeeper {
 public:
  static constexpr int kPollMs = 250;           // the user-interface thread's look at the status
  static constexpr int kCheckWaitMs = 400;      // wait for the answer of the quick check
  static constexpr int kCheckLatencyMs = 4000;  // latency the quick check allows
  static constexpr int kWorkerWaitMs = 50;      // how soon the worker notices a cancel
  static constexpr int kGiveUpMs = 120000;      // a link still not up after this has failed

  // manager and prompt must outlive the keeper.
  CConnKeeper(ConnectionManager& manager, Prompt& prompt);
  virtual ~CConnKeeper();
  CConnKeeper(const CConnKeeper&) = delete;
  CConnKeeper& operator=(const CConnKeeper&) = delete;

  // Makes sure a link towards hostAddress (its scheme and host count) is up.
  // On success returns true: the link is up and stays held. On failure
  // returns false after showing res::kAutoConnectFailed (a failed attempt
  // has also shown the platform's own report).
  bool EnsureConnection(const QString& hostAddress);

  // Lets a held link go: stops the worker if one runs; nothing otherwise.
  void Disconnect();
  // Disconnect, and forgets the mapping; for the program's end.
  void ShutDown();

  // How the user-interface thread waits between its looks at the status.
  // The default runs the event loop without user input for ms milliseconds,
  // so the window repaints but no command can start meanwhile.
  void SetPause(std::function<void(int ms)> pause) { m_pause = std::move(pause); }

  bool WorkerRunning() const;
  // The last status the running worker read (0 before the first; 0 without a worker).
  quint32 WorkerStatus() const;

 protected:
  // The hooks, in the order the worker calls them. A non-zero answer from
  // OnStatus ends the worker's watch.
  virtual int OnStatus(quint32 status, bool* keepCached);
  virtual int OnConnecting() { return 0; }
  // Shows the platform's report of the failed attempt; returns non-zero.
  virtual int OnFailure(quint32 status);
  virtual int OnConnected() { return 0; }
  virtual int OnDisconnected() { return 1; }
  virtual int OnWaiting() { return 0; }
  virtual int OnFinished() { return 0; }

 private:
  struct Worker;
  void RunWorker(Worker& worker, QByteArray destination);
  void StopWorker();
  bool QuickCheck();
  bool Fail();

  ConnectionManager& m_manager;
  Prompt& m_prompt;
  QString m_mappingAddress;  // empty until the first mapping
  std::unique_ptr<Worker> m_worker;
  std::function<void(int)> m_pause;
};

}  // namespace qm
