// The listener over cpp-httplib.
#include "server/HttpServer.h"

#include <httplib.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <chrono>
#include <optional>

#include "res/ServerStrings.h"
#include "server/BrowserPages.h"
#include "server/ServiceLimits.h"
#include "server/WebService.h"

namespace qm::server {
namespace {

// The request's own Content-Type moves here before the body is read: the
// library would otherwise take a multipart body apart itself (and cap a
// url-encoded one at its own size), while the service reads every body with
// its own bounded readers, the same code the tests and fuzzers run.
constexpr char kSentContentType[] = "X-Quillmap-Sent-Content-Type";

constexpr size_t kWorkerThreads = 32;
constexpr int kListenBacklog = 256;

// Per worker thread: when the request in hand began and whom it proved to be.
thread_local std::optional<QElapsedTimer> t_started;
thread_local QString t_account;

bool IsServicePath(const std::string& path) {
  return path == kAccountPath || path == kUploadPath || path == kDownloadPath ||
         path == kUpdatePath;
}

// Log lines show what came in, never a control character it carried.
QString Printable(const std::string& text) {
  QString printable = QString::fromUtf8(text.data(), qsizetype(std::min<size_t>(text.size(), 200)));
  for (QChar& c : printable) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u'?';
  }
  return printable;
}

}  // namespace

bool ParseListenAddress(const QString& text, ListenOptions& options) {
  static const QRegularExpression pattern(
      QStringLiteral("^(?:\\[([0-9A-Fa-f:.]+)\\]|([^:\\[\\]]+)):(\\d{1,5})$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return false;
  const int port = match.captured(3).toInt();
  if (port > 65535) return false;
  options.host = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
  options.port = port;
  return true;
}

HttpServer::HttpServer(QString dbPath, const Clock& clock, LogSink log)
    : m_dbPath(std::move(dbPath)), m_clock(clock), m_log(std::move(log)) {}

HttpServer::~HttpServer() = default;

Storage* HttpServer::StorageForThisThread() {
  std::lock_guard<std::mutex> lock(m_storagesMutex);
  std::unique_ptr<Storage>& storage = m_storages[std::this_thread::get_id()];
  if (!storage) {
    QString error;
    storage = Storage::Open(m_dbPath, &error);
    if (!storage) m_log(error);
  }
  return storage.get();
}

bool HttpServer::Start(const ListenOptions& options, QString* error) {
  if (!options.tlsCertificate.isEmpty()) {
    auto server = std::make_unique<httplib::SSLServer>(
        options.tlsCertificate.toLocal8Bit().constData(), options.tlsKey.toLocal8Bit().constData());
    if (!server->is_valid()) {
      if (error != nullptr) *error = options.tlsCertificate + QStringLiteral(", ") + options.tlsKey;
      return false;
    }
    m_server = std::move(server);
    m_tls = true;
  } else {
    m_server = std::make_unique<httplib::Server>();
  }
  httplib::Server& server = *m_server;
  server.set_payload_max_length(kMaxRequestBytes);
  // A worker serves one connection for as long as the client keeps it open,
  // so there are enough of them for many clients at once; each holds its own
  // database connection.
  server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
  server.set_read_timeout(10);
  server.set_write_timeout(10);

  server.set_pre_routing_handler([](const httplib::Request& request, httplib::Response& response) {
    t_started.emplace();
    t_started->start();
    t_account.clear();
    // A compressed body could grow past every bound after it was read.
    const std::string encoding = request.get_header_value("Content-Encoding");
    if (!encoding.empty() && encoding != "identity") {
      response.status = 415;
      return httplib::Server::HandlerResponse::Handled;
    }
    if (IsServicePath(request.path) && request.has_header("Content-Type")) {
      // The library hands routing the request it owns and may change.
      auto& headers = const_cast<httplib::Request&>(request).headers;
      const auto sent = headers.find("Content-Type");
      const std::string value = sent->second;
      headers.erase(sent);
      headers.emplace(kSentContentType, value);
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });

  const auto handle = [this](const httplib::Request& request, httplib::Response& response) {
    Storage* storage = StorageForThisThread();
    if (storage == nullptr) {
      response.status = 503;
      return;
    }
    ServiceRequest serviceRequest;
    serviceRequest.path = QByteArray::fromStdString(request.path);
    serviceRequest.contentType =
        QByteArray::fromStdString(request.get_header_value(kSentContentType));
    serviceRequest.body = QByteArray::fromStdString(request.body);
    const ServiceReply reply = HandleServiceRequest(serviceRequest, *storage, m_clock);
    response.status = reply.status;
    if (!reply.attachmentName.isEmpty()) {
      response.set_header("Content-Disposition",
                          "attachment; filename=\"" + reply.attachmentName.toStdString() + "\"");
    }
    if (!reply.contentType.isEmpty()) {
      response.set_content(reply.body.constData(), size_t(reply.body.size()),
                           reply.contentType.constData());
    }
    t_account = reply.account;
  };
  for (const char* path : {kAccountPath, kUploadPath, kDownloadPath, kUpdatePath}) {
    server.Post(path, handle);
  }

  const auto page = [this](const httplib::Request& request, httplib::Response& response) {
    Storage* storage = StorageForThisThread();
    if (storage == nullptr) {
      response.status = 503;
      return;
    }
    PageRequest pageRequest;
    pageRequest.method = QByteArray::fromStdString(request.method);
    pageRequest.path = QByteArray::fromStdString(request.path);
    pageRequest.cookie = QByteArray::fromStdString(request.get_header_value("Cookie"));
    pageRequest.host = QByteArray::fromStdString(request.get_header_value("Host"));
    pageRequest.origin = QByteArray::fromStdString(request.get_header_value("Origin"));
    pageRequest.fetchSite = QByteArray::fromStdString(request.get_header_value("Sec-Fetch-Site"));
    pageRequest.contentType = QByteArray::fromStdString(request.get_header_value("Content-Type"));
    pageRequest.body = QByteArray::fromStdString(request.body);
    pageRequest.address =
        ClientAddress(QString::fromStdString(request.remote_addr),
                      QByteArray::fromStdString(request.get_header_value("X-Forwarded-For")));
    const PageReply reply = HandlePageRequest(pageRequest, *storage, m_clock);
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers) {
      response.set_header(name.toStdString(), value.toStdString());
    }
    response.set_content(
        reply.body.constData(), size_t(reply.body.size()),
        reply.contentType.isEmpty() ? "text/plain; charset=utf-8" : reply.contentType.constData());
    t_account = reply.account;
  };
  server.Get("/", page);
  server.Get(R"(/outline/[^/]+(/download)?)", page);
  server.Post("/signin", page);
  server.Post("/signout", page);

  // Answers from this worker's own connection, so a worker that cannot open
  // or read the database is reported rather than hidden behind another.
  server.Get(kHealthPath, [this](const httplib::Request&, httplib::Response& response) {
    Storage* storage = StorageForThisThread();
    const bool healthy = storage != nullptr && storage->Check() == StoreResult::kOk;
    response.status = healthy ? 200 : 503;
    response.set_header("Cache-Control", "no-store");
    response.set_content(
        (healthy ? res::kServerHealthy : res::kServerUnhealthy).toUtf8().toStdString(),
        "text/plain; charset=utf-8");
  });

  // One line per request; never a body, a key or a password.
  server.set_logger([this](const httplib::Request& request, const httplib::Response& response) {
    const qint64 ms = t_started ? t_started->elapsed() : 0;
    m_log(QStringLiteral("%1 %2 %3 %4ms %5")
              .arg(Printable(request.method), Printable(request.path))
              .arg(response.status)
              .arg(ms)
              .arg(t_account.isEmpty() ? QStringLiteral("-") : Printable(t_account.toStdString())));
    t_started.reset();
    t_account.clear();
  });

  // The library listens with a queue of 5 unaccepted connections, which
  // overflows as soon as a few dozen clients connect at once: the kernel
  // drops their handshakes, they retry after one to three seconds, and some
  // give up. Listening again on the bound socket lengthens the queue.
  int listening = -1;
  server.set_socket_options([&listening](socket_t sock) {
    httplib::default_socket_options(sock);
    listening = sock;
  });
  const std::string host = options.host.toStdString();
  if (options.port == 0) {
    m_port = server.bind_to_any_port(host);
    if (m_port <= 0) {
      if (error != nullptr) *error = options.host;
      return false;
    }
  } else {
    if (!server.bind_to_port(host, options.port)) {
      if (error != nullptr) *error = QStringLiteral("%1:%2").arg(options.host).arg(options.port);
      return false;
    }
    m_port = options.port;
  }
  if (listening >= 0) ::listen(listening, kListenBacklog);
  return true;
}

void HttpServer::Run() {
  if (!m_stopRequested) m_server->listen_after_bind();
  // Every worker has finished: their connections can go.
  std::lock_guard<std::mutex> lock(m_storagesMutex);
  m_storages.clear();
}

void HttpServer::Stop() {
  m_stopRequested = true;
  if (m_server) m_server->stop();
}

void HttpServer::RunUntilStopSignal() {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  // Blocked here, and so in every worker the listener starts: only the
  // watcher below takes them.
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::atomic<bool> finished{false};
  std::thread watcher([&] {
    int received = 0;
    sigwait(&stopSignals, &received);
    // A signal that lands before the listener is up would be lost on a
    // single stop, so it is repeated until Run has returned.
    while (!finished) {
      Stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  Run();
  finished = true;
  pthread_kill(watcher.native_handle(), SIGTERM);  // wakes a watcher still waiting
  watcher.join();
}

}  // namespace qm::server
