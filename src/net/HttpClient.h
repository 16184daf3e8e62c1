// HttpClient: the port through which the web client sends its HTTP requests.
//
// One call starts one POST and returns the running transfer; the reply is
// handed to a sink as it arrives (the status and headers once, then the body
// in chunks), so a large download never has to be held whole in memory.
// Every callback runs on the thread that started the transfer, from its event
// loop (or, in the test double, inside Post itself). Implementations:
// QtHttpClient over QtNetwork, FakeHttpClient in tests/support.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <utility>

namespace qm {

using HttpHeader = std::pair<QByteArray, QByteArray>;  // name, value
using HttpHeaders = QList<HttpHeader>;

struct HttpRequest {
  QString url;  // absolute http or https address, already checked by the caller
  HttpHeaders headers;
  QByteArray body;
};

// How a transfer ended.
struct HttpOutcome {
  enum class Kind {
    Running,    // not ended yet
    Completed,  // the whole reply arrived; the sink saw its status (any status)
    Failed,     // the transport failed before the reply was complete; error says why
    Stopped,    // the sink refused a chunk; the transfer was aborted
    Aborted,    // Abort was called
  };
  Kind kind = Kind::Running;
  QString error;  // the transport's own text, for Failed only
};

// Receives one reply. OnResponse comes once, before any body chunk; a reply
// that fails before its headers arrive never calls it.
class HttpSink {
 public:
  virtual ~HttpSink() = default;
  virtual void OnResponse(int status, const HttpHeaders& headers) = 0;
  // Returns false to stop: the transfer is aborted and ends as Stopped.
  virtual bool OnBody(QByteArrayView chunk) = 0;

 protected:
  HttpSink() = default;
};

// A running request. Destroying it before it ends aborts it; no callback
// reaches the sink after destruction or after Abort.
class HttpTransfer {
 public:
  virtual ~HttpTransfer() = default;
  HttpTransfer(const HttpTransfer&) = delete;
  HttpTransfer& operator=(const HttpTransfer&) = delete;

  virtual HttpOutcome Outcome() const = 0;
  bool IsFinished() const { return Outcome().kind != HttpOutcome::Kind::Running; }
  // Ends the transfer now as Aborted; does nothing once it has ended.
  virtual void Abort() = 0;
  // Reply bytes received so far, and the announced total (-1 when unknown).
  virtual qint64 BytesReceived() const = 0;
  virtual qint64 BytesTotal() const = 0;
  // onChange runs after every progress step and once when the transfer ends.
  // Replaces any earlier observer; an empty function removes it.
  virtual void SetObserver(std::function<void()> onChange) = 0;

 protected:
  HttpTransfer() = default;
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // Starts request as a POST. The sink must outlive the returned transfer.
  // Never returns null: a request that cannot start ends as Failed.
  virtual std::unique_ptr<HttpTransfer> Post(const HttpRequest& request, HttpSink& sink) = 0;

 protected:
  HttpClient() = default;
};

}  // namespace qm
