// Fuzzes the service's browser pages without the network: any outline file
// rendered as a page, and any request (path, cookie, origin headers, form
// body, forwarded address) at the pages. Nothing from the input may become
// markup: every "<" of a page opens one of the pages' own elements, and no
// page of another account's outline or without a session shows a file.
//
// Input: byte 0 picks the options, the rest is split at 0xFF bytes.
//   bits 0-1  0: render the rest as an outline file; 1: store the rest as
//             the account's outline and show its page through a signed-in
//             session; 2-3: a request made of the parts (path, cookie,
//             origin, Sec-Fetch-Site, X-Forwarded-For, body)
//   bit 2     the request is a POST (else a GET)
//   bit 3     the request carries the signed-in session's cookie
#include <QCoreApplication>
#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "net/RequestKey.h"
#include "server/BrowserPages.h"
#include "server/OutlineHtml.h"
#include "server/ServiceLimits.h"
#include "server/Sessions.h"
#include "server/Storage.h"
#include "support/FakeClock.h"

namespace {

using namespace qm::server;

constexpr char kMail[] = "fuzz@example.com";
constexpr char kPassword[] = "pw";

// Every "<" opens or closes one of the elements the pages are made of.
bool OnlyOwnMarkup(const QByteArray& html) {
  static const QRegularExpression own(QStringLiteral(
      "^<(/?(html|head|meta|title|style|body|header|main|h1|p|a|form|label|input|button|"
      "table|thead|tbody|tr|th|td|span|div|details|summary|s)[ >/]|!DOCTYPE html>)"));
  const QString text = QString::fromUtf8(html);
  for (qsizetype at = text.indexOf(u'<'); at >= 0; at = text.indexOf(u'<', at + 1)) {
    if (!own.match(QStringView(text).sliced(at)).hasMatch()) return false;
  }
  return true;
}

struct Harness {
  Harness() {
    static int argc = 1;
    static char name[] = "server_page_fuzzer";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
    Reset();
  }

  // A fresh database with one account, signed in, so that stored outlines
  // and sign-in attempts never pile up without bound.
  void Reset() {
    storage.reset();
    QString error;
    storage = Storage::OpenSqlite(QStringLiteral(":memory:"), &error);
    if (!storage) std::abort();
    if (storage->AddAccount(kMail, qm::PasswordDigest(kPassword), 0) != StoreResult::kOk) {
      std::abort();
    }
    const SignInOutcome session =
        SignIn(*storage, kMail, kPassword, QStringLiteral("127.0.0.1"), clock.Now());
    if (session.result != SignInResult::kSignedIn) std::abort();
    cookie = QByteArray(kSessionCookie) + '=' + session.token.toLatin1();
    fileId.clear();
    runs = 0;
  }

  // Stores content as the account's outline, under a new id.
  void Store(const QByteArray& content) {
    Ticket ticket;
    ticket.key = QStringLiteral("k%1").arg(++stored);
    ticket.mail = kMail;
    ticket.purpose = QStringLiteral("upload");
    ticket.fileId = QStringLiteral("f%1").arg(stored);
    ticket.title = QStringLiteral("fuzz");
    ticket.date = QStringLiteral("d");
    ticket.expires = clock.Now() + 60;
    if (storage->IssueTicket(ticket) != StoreResult::kOk ||
        storage->CreateWithTicket(ticket, clock.Now(), content) != StoreResult::kOk) {
      std::abort();
    }
    fileId = ticket.fileId.toLatin1();
  }

  qm::test::FakeClock clock{1796000000};
  std::unique_ptr<Storage> storage;
  QByteArray cookie;
  QByteArray fileId;
  int stored = 0;
  int runs = 0;
};

void CheckPage(const PageReply& reply) {
  if (reply.contentType.startsWith("text/html") && !OnlyOwnMarkup(reply.body)) std::abort();
  // Only a signed-in account's own outline is ever sent as a file.
  if (reply.contentType == "application/octet-stream" && reply.account != kMail) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > size_t(kMaxRequestBytes)) return 0;
  static Harness harness;
  if (++harness.runs > 256) harness.Reset();

  const uint8_t options = data[0];
  const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
  switch (options & 3) {
    case 0: {
      RenderedOutline rendered;
      if (RenderOutlineHtml(rest, QStringLiteral("fuzz"), rendered) &&
          !OnlyOwnMarkup(rendered.html.toUtf8())) {
        std::abort();
      }
      return 0;
    }
    case 1: {
      harness.Store(rest);
      PageRequest request;
      request.method = "GET";
      request.path = "/outline/" + harness.fileId;
      request.cookie = harness.cookie;
      request.host = "localhost";
      request.address = QStringLiteral("127.0.0.1");
      const PageReply reply = HandlePageRequest(request, *harness.storage, harness.clock);
      if (reply.status != 200) std::abort();
      CheckPage(reply);
      return 0;
    }
    default:
      break;
  }
  const QList<QByteArray> parts = rest.split('\xff');
  const auto part = [&parts](int i) { return i < parts.size() ? parts[i] : QByteArray(); };
  PageRequest request;
  request.method = (options & 4) ? "POST" : "GET";
  request.path = part(0);
  request.cookie = (options & 8) ? harness.cookie + "; " + part(1) : part(1);
  request.host = "localhost";
  request.origin = part(2);
  request.fetchSite = part(3);
  request.contentType = "application/x-www-form-urlencoded";
  request.body = part(5);
  request.address = ClientAddress(QStringLiteral("127.0.0.1"), part(4));
  const PageReply reply = HandlePageRequest(request, *harness.storage, harness.clock);
  CheckPage(reply);
  // A sign-out or a new sign-in may have ended the session the next runs use.
  if (request.method == "POST") harness.Reset();
  return 0;
}
