// QtHttpClient: one QNetworkReply per transfer, fed to the sink as it reads.
#include "net/QtHttpClient.h"

#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "res/NetStrings.h"

namespace qm {
namespace {

// Qt reports an HTTP status of 400 and above as a reply error too. Those
// replies did arrive: the caller judges the status, so they count as
// completed. Qt groups its errors by hundreds: 201-299 content, 401-499
// server errors, both derived from the status.
bool IsStatusError(QNetworkReply::NetworkError error) {
  const int code = static_cast<int>(error);
  return (code >= 201 && code <= 299) || (code >= 401 && code <= 499);
}

class QtHttpTransfer : public HttpTransfer {
 public:
  QtHttpTransfer(QNetworkReply* reply, HttpSink& sink) : m_reply(reply), m_sink(sink) {
    // Our own stall timer rather than Qt's transfer time-out, which reports
    // some replies' errors twice.
    m_stall.setSingleShot(true);
    m_stall.setInterval(QtHttpClient::kStallTimeoutMs);
    QObject::connect(&m_stall, &QTimer::timeout, reply,
                     [this] { End(HttpOutcome::Kind::Failed, res::kTransferTimedOut.toString()); });
    m_stall.start();
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [this] { ReadAvailable(); });
    QObject::connect(reply, &QNetworkReply::uploadProgress, reply, [this] { m_stall.start(); });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [this](qint64 received, qint64 total) {
                       m_stall.start();
                       m_total = total;
                       if (received > m_received) m_received = received;
                       Notify();
                     });
    QObject::connect(reply, &QNetworkReply::finished, reply, [this] { Finish(); });
    // sslErrors is deliberately left unanswered: without ignoreSslErrors the
    // handshake fails and finished reports why.
  }

  ~QtHttpTransfer() override {
    if (m_reply != nullptr) {
      m_reply->disconnect();
      m_reply->abort();
      m_reply->deleteLater();
    }
  }

  HttpOutcome Outcome() const override { return m_outcome; }

  void Abort() override { End(HttpOutcome::Kind::Aborted, QString()); }

  qint64 BytesReceived() const override { return m_received; }
  qint64 BytesTotal() const override { return m_total; }
  void SetObserver(std::function<void()> onChange) override { m_observer = std::move(onChange); }

 private:
  void DeliverResponse() {
    if (m_responded || m_reply == nullptr) return;
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) return;
    m_responded = true;
    HttpHeaders headers;
    for (const QNetworkReply::RawHeaderPair& pair : m_reply->rawHeaderPairs()) {
      headers.append({pair.first, pair.second});
    }
    m_sink.OnResponse(status.toInt(), headers);
  }

  void ReadAvailable() {
    if (m_reply == nullptr || IsFinished()) return;
    DeliverResponse();
    if (!m_responded) return;
    while (m_reply != nullptr && m_reply->bytesAvailable() > 0) {
      const QByteArray chunk = m_reply->read(64 * 1024);
      if (chunk.isEmpty()) break;
      if (!m_sink.OnBody(chunk)) {
        End(HttpOutcome::Kind::Stopped, QString());
        return;
      }
    }
  }

  void Finish() {
    if (m_reply == nullptr || IsFinished()) return;
    const QNetworkReply::NetworkError error = m_reply->error();
    if (error == QNetworkReply::NoError || IsStatusError(error)) {
      ReadAvailable();
      if (IsFinished()) return;
      DeliverResponse();
      if (m_responded) {
        End(HttpOutcome::Kind::Completed, QString());
        return;
      }
    }
    End(HttpOutcome::Kind::Failed, m_reply->errorString());
  }

  void End(HttpOutcome::Kind kind, const QString& error) {
    if (IsFinished()) return;
    m_stall.stop();
    m_outcome = {kind, error};
    if (m_reply != nullptr) {
      QNetworkReply* reply = m_reply;
      m_reply = nullptr;
      reply->disconnect();
      if (!reply->isFinished()) reply->abort();
      reply->deleteLater();
    }
    Notify();
  }

  void Notify() {
    if (m_observer) {
      // The observer may replace itself; call a copy.
      const std::function<void()> observer = m_observer;
      observer();
    }
  }

  QNetworkReply* m_reply;
  HttpSink& m_sink;
  HttpOutcome m_outcome;
  bool m_responded = false;
  qint64 m_received = 0;
  qint64 m_total = -1;
  std::function<void()> m_observer;
  QTimer m_stall;
};

}  // namespace

QtHttpClient::QtHttpClient() { QNetworkProxyFactory::setUseSystemConfiguration(true); }

QtHttpClient::~QtHttpClient() = default;

std::unique_ptr<HttpTransfer> QtHttpClient::Post(const HttpRequest& request, HttpSink& sink) {
  QNetworkRequest networkRequest{QUrl(request.url)};
  networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                              QNetworkRequest::ManualRedirectPolicy);
  networkRequest.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                              QNetworkRequest::AlwaysNetwork);
  for (const HttpHeader& header : request.headers) {
    networkRequest.setRawHeader(header.first, header.second);
  }
  QNetworkReply* reply = m_manager.post(networkRequest, request.body);
  return std::make_unique<QtHttpTransfer>(reply, sink);
}

}  // namespace qm
