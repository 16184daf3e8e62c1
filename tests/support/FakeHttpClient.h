// FakeHttpClient: answers each POST with the next queued reply, at once and
// on the calling thread, and records every request it was given.
//
// A reply may fail before its headers, fail after part of its body, or
// hold (never end on its own) so that a wait can cancel it. With no reply
// queued a request fails with "no reply queued", which a test sees as a
// connection error. FakeTransferWait is the TransferWait to go with it.
#pragma once

#include <QList>
#include <deque>
#include <functional>

#include "net/HttpClient.h"
#include "net/TransferWait.h"
#include "platform/CodePage.h"

namespace qm::test {

class FakeHttpClient : public HttpClient {
 public:
  struct Reply {
    int status = 200;
    HttpHeaders headers;
    QList<QByteArray> chunks;     // the body, in the pieces it arrives in
    QString error;                // non-empty: the transport fails with this text
    bool errorAfterBody = false;  // fail after delivering the headers and chunks
    bool hold = false;            // deliver the headers, then never end
  };

  // A complete reply whose body is text of contentType.
  static Reply Text(const QByteArray& body,
                    const QByteArray& contentType = "text/plain; charset=Shift_JIS") {
    Reply reply;
    reply.headers = {{"Content-Type", contentType}};
    reply.chunks = {body};
    return reply;
  }
  // A reply of the account endpoint: bare XML in the code page.
  static Reply Xml(QStringView body) {
    CodePage codePage;
    return Text(codePage.Encode(body), "text/html");
  }
  // A file the file store sends for a download, named name.
  static Reply File(const QByteArray& name, const QByteArray& bytes) {
    Reply reply;
    reply.headers = {{"Content-Disposition", "attachment; filename=\"" + name + "\""}};
    reply.chunks = {bytes};
    return reply;
  }
  static Reply Error(const QString& text) {
    Reply reply;
    reply.error = text;
    return reply;
  }

  void Queue(const Reply& reply) { m_replies.push_back(reply); }
  // Runs after each body chunk the sink took: a look at what it did so far.
  std::function<void()> afterChunk;
  const QList<HttpRequest>& Requests() const { return m_requests; }

  std::unique_ptr<HttpTransfer> Post(const HttpRequest& request, HttpSink& sink) override {
    m_requests.append(request);
    auto transfer = std::make_unique<Transfer>();
    if (m_replies.empty()) {
      transfer->outcome = {HttpOutcome::Kind::Failed, QStringLiteral("no reply queued")};
      return transfer;
    }
    const Reply reply = m_replies.front();
    m_replies.pop_front();
    if (!reply.error.isEmpty() && !reply.errorAfterBody) {
      transfer->outcome = {HttpOutcome::Kind::Failed, reply.error};
      return transfer;
    }
    sink.OnResponse(reply.status, reply.headers);
    qint64 total = 0;
    for (const QByteArray& chunk : reply.chunks) total += chunk.size();
    transfer->total = total;
    if (reply.hold) return transfer;
    for (const QByteArray& chunk : reply.chunks) {
      transfer->received += chunk.size();
      if (!sink.OnBody(chunk)) {
        transfer->outcome = {HttpOutcome::Kind::Stopped, QString()};
        return transfer;
      }
      if (afterChunk) afterChunk();
    }
    transfer->outcome = reply.errorAfterBody ? HttpOutcome{HttpOutcome::Kind::Failed, reply.error}
                                             : HttpOutcome{HttpOutcome::Kind::Completed, QString()};
    return transfer;
  }

 private:
  class Transfer : public HttpTransfer {
   public:
    HttpOutcome Outcome() const override { return outcome; }
    void Abort() override {
      if (!IsFinished()) outcome = {HttpOutcome::Kind::Aborted, QString()};
    }
    qint64 BytesReceived() const override { return received; }
    qint64 BytesTotal() const override { return total; }
    void SetObserver(std::function<void()>) override {}

    HttpOutcome outcome;
    qint64 received = 0;
    qint64 total = -1;
  };

  std::deque<Reply> m_replies;
  QList<HttpRequest> m_requests;
};

// Waits for the fake's transfers: they have ended by the time Wait is
// called, unless held; a held one is cancelled when cancelHeld is set (as a
// user pressing cancel) and otherwise reported ended as it stands.
class FakeTransferWait : public TransferWait {
 public:
  bool Wait(HttpTransfer& transfer) override {
    ++waits;
    lastReceived = transfer.BytesReceived();
    lastTotal = transfer.BytesTotal();
    if (transfer.IsFinished() || !cancelHeld) return true;
    transfer.Abort();
    return false;
  }

  bool cancelHeld = true;
  int waits = 0;
  qint64 lastReceived = 0;
  qint64 lastTotal = 0;
};

}  // namespace qm::test
