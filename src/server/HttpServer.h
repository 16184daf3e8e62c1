// HttpServer: the listener. It reads each request's body whole (bounded),
// hands it to HandleServiceRequest (or, for the browser pages' routes, to
// HandlePageRequest) with the Storage of the worker thread it runs on, and
// writes the reply and one log line. TLS when given a
// certificate and key. GET kHealthPath answers 200 when the worker's
// database connection answers a query, 503 otherwise.
//
// Start and Run belong to one thread; Stop may be called from any other. A
// Stop makes Run return once the requests in flight are answered; one that
// lands while Run is still starting the listener can be missed, which is why
// RunUntilStopSignal repeats it until Run has returned.
#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/Clock.h"
#include "server/Storage.h"

namespace httplib {
class Server;
}

namespace qm::server {

// The health check for service managers and proxies; plain text, no account.
inline constexpr char kHealthPath[] = "/healthz";

struct ListenOptions {
  QString host = QStringLiteral("127.0.0.1");
  int port = 8642;         // 0: any free port
  QString tlsCertificate;  // both or neither
  QString tlsKey;
};

// Reads "HOST:PORT" or "[IPv6]:PORT" into options; false for anything else.
bool ParseListenAddress(const QString& text, ListenOptions& options);

class HttpServer {
 public:
  using LogSink = std::function<void(const QString& line)>;

  // dbPath (a --db value: a SQLite file or a PostgreSQL URL) is opened once
  // per worker thread; clock and log must outlive the server.
  HttpServer(QString dbPath, const Clock& clock, LogSink log);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Binds the address. On success Port() is the bound port. On failure
  // *error says why.
  bool Start(const ListenOptions& options, QString* error);
  int Port() const { return m_port; }
  bool IsTls() const { return m_tls; }

  // Serves until Stop; then closes every worker's database connection.
  void Run();
  void Stop();

  // Run, with SIGINT and SIGTERM calling Stop. Blocks both signals in the
  // calling thread for good, so call it from the main thread before any
  // other thread is started that should not see them.
  void RunUntilStopSignal();

 private:
  Storage* StorageForThisThread();

  QString m_dbPath;
  const Clock& m_clock;
  LogSink m_log;
  std::unique_ptr<httplib::Server> m_server;
  int m_port = 0;
  bool m_tls = false;
  std::atomic<bool> m_stopRequested{false};

  std::mutex m_storagesMutex;
  std::map<std::thread::id, std::unique_ptr<Storage>> m_storages;
};

}  // namespace qm::server
