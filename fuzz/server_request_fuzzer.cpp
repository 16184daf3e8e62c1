// Fuzzes the service's request handling without the network: any body, as
// a url-encoded or a multipart form, at any of the four endpoints. Every
// reply must keep its endpoint's form, a download must never come without a
// ticket, and a download's offered name must stay plain.
//
// Input: byte 0 picks the options, the rest is the body.
//   bits 0-1  the endpoint (account, upload, download, update)
//   bit 2     the body is sent as multipart (else url-encoded)
//   bit 3     make the request genuine: the fields nobody can forge (the
//             request key, or a fresh ticket and its file) are set right, so
//             the input reaches the code behind the proof as well.
#include <QCoreApplication>
#include <QDateTime>
#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "net/RequestKey.h"
#include "platform/CodePage.h"
#include "server/FormBody.h"
#include "server/ServiceLimits.h"
#include "server/ServiceReplies.h"
#include "server/Storage.h"
#include "server/WebService.h"
#include "support/FakeClock.h"

namespace {

using namespace qm::server;

constexpr char kMail[] = "fuzz@example.com";
constexpr char kPassword[] = "pw";
constexpr char kBoundary[] = "-7da1091f160a20";
const char* const kPaths[] = {kAccountPath, kUploadPath, kDownloadPath, kUpdatePath};

QByteArray UrlEncode(const FormRequest& form) {
  QByteArray body;
  for (const auto& [name, value] : form.fields) {
    if (!body.isEmpty()) body += '&';
    body += name.toPercentEncoding() + '=' + value.toPercentEncoding();
  }
  return body;
}

QByteArray MultipartEncode(const FormRequest& form) {
  QByteArray body;
  for (const auto& [name, value] : form.fields) {
    body += QByteArray("--") + kBoundary + "\r\nContent-Disposition: form-data; name=\"" + name +
            "\"\r\n\r\n" + value + "\r\n";
  }
  body += QByteArray("--") + kBoundary +
          "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"qmp.txt\"\r\n\r\n" +
          form.file + "\r\n--" + kBoundary + "--\r\n";
  return body;
}

void Set(FormRequest& form, const QByteArray& name, const QByteArray& value) {
  for (auto& [fieldName, fieldValue] : form.fields) {
    if (fieldName == name) {
      fieldValue = value;
      return;
    }
  }
  if (form.fields.size() < qm::server::kMaxFormFields) form.fields.append({name, value});
}

QByteArray ElementOf(const QByteArray& xml, const char* name) {
  const QRegularExpression pattern(QStringLiteral("<%1>(.*?)</%1>").arg(QLatin1String(name)));
  return pattern.match(QString::fromLatin1(xml)).captured(1).toLatin1();
}

struct Harness {
  Harness() {
    static int argc = 1;
    static char name[] = "server_request_fuzzer";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
    Reset();
  }

  // A fresh database with one account and one stored file, so that the
  // fuzzer's uploads never pile up without bound.
  void Reset() {
    storage.reset();
    QString error;
    storage = Storage::OpenSqlite(QStringLiteral(":memory:"), &error);
    if (!storage) std::abort();
    if (storage->AddAccount(kMail, qm::PasswordDigest(kPassword), 0) != StoreResult::kOk) {
      std::abort();
    }
    FormRequest form;
    form.fields = {{"mode", "saveas"}, {"title", "seed"}};
    const QByteArray ticket = Ask(form);
    form = FormRequest();
    form.fields = {{"mail", kMail},
                   {"key", ElementOf(ticket, "key")},
                   {"date", ElementOf(ticket, "date")},
                   {"fileid", ElementOf(ticket, "fileid")}};
    form.file = "seed";
    const ServiceReply stored = Handle(kUploadPath, true, MultipartEncode(form));
    if (stored.body != "0\nOK") std::abort();
    fileId = ElementOf(ticket, "fileid");
    runs = 0;
  }

  ServiceReply Handle(const char* path, bool multipart, const QByteArray& body) {
    const QByteArray type = multipart ? QByteArray("multipart/form-data; boundary=") + kBoundary
                                      : QByteArray("application/x-www-form-urlencoded");
    return HandleServiceRequest({path, type, body}, *storage, clock);
  }

  // Sends form to the account endpoint as the account, a second after the
  // last request so that no key repeats; returns the reply.
  QByteArray Ask(FormRequest form) {
    clock.Advance(1);
    const QString date = qm::TicketDateText(QDateTime::fromSecsSinceEpoch(clock.Now(), Qt::UTC));
    Set(form, "mail", kMail);
    Set(form, "date", date.toLatin1());
    Set(form, "pass", qm::RequestKey(kPassword, date).toLatin1());
    return Handle(kAccountPath, false, UrlEncode(form)).body;
  }

  qm::test::FakeClock clock{1796000000};
  std::unique_ptr<Storage> storage;
  QByteArray fileId;
  int runs = 0;
};

void CheckReply(int endpoint, bool genuine, const ServiceReply& reply) {
  if (reply.status != 200) std::abort();
  if (endpoint == 0) {
    if (!reply.body.startsWith("<qmp>") || !reply.body.endsWith("</qmp>")) std::abort();
    if (!reply.attachmentName.isEmpty()) std::abort();
    return;
  }
  if (!reply.attachmentName.isEmpty()) {
    // Only a download with a real ticket brings a file.
    if (endpoint != 2 || !genuine) std::abort();
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]{1,64}\\.qmp$"));
    if (!plain.match(reply.attachmentName).hasMatch()) std::abort();
    return;
  }
  if (reply.contentType != kTextContentType) std::abort();
  const qsizetype lineFeed = reply.body.indexOf('\n');
  bool isNumber = false;
  reply.body.left(lineFeed).toInt(&isNumber);
  if (lineFeed < 1 || !isNumber) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The listener reads no larger body.
  if (size == 0 || size > size_t(kMaxRequestBytes)) return 0;
  static Harness harness;
  if (++harness.runs > 256) harness.Reset();

  const uint8_t options = data[0];
  const int endpoint = options & 3;
  const bool multipart = options & 4;
  const bool genuine = options & 8;
  QByteArray body(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

  if (genuine) {
    // Only what a form reader accepts can be made genuine; the rest is sent as is.
    FormRequest form;
    const FormParse parsed =
        multipart
            ? ParseMultipart(QByteArray("multipart/form-data; boundary=") + kBoundary, body, form)
            : ParseUrlEncoded(body, form);
    if (parsed == FormParse::kOk) {
      if (endpoint == 0) {
        harness.clock.Advance(1);
        const QString date =
            qm::TicketDateText(QDateTime::fromSecsSinceEpoch(harness.clock.Now(), Qt::UTC));
        Set(form, "mail", kMail);
        Set(form, "date", date.toLatin1());
        Set(form, "pass", qm::RequestKey(kPassword, date).toLatin1());
      } else {
        FormRequest ask;
        ask.fields =
            endpoint == 1
                ? QList<std::pair<QByteArray, QByteArray>>{{"mode", "saveas"}, {"title", "t"}}
            : endpoint == 2 ? QList<std::pair<QByteArray, QByteArray>>{{"mode", "read"},
                                                                       {"fileid", harness.fileId}}
                            : QList<std::pair<QByteArray, QByteArray>>{
                                  {"mode", "save"}, {"title", "t"}, {"fileid", harness.fileId}};
        const QByteArray ticket = harness.Ask(ask);
        Set(form, "mail", kMail);
        Set(form, "key", ElementOf(ticket, "key"));
        Set(form, "date", ElementOf(ticket, "date"));
        Set(form, "fileid", ElementOf(ticket, "fileid"));
      }
      body = multipart ? MultipartEncode(form) : UrlEncode(form);
    }
  }
  const ServiceReply reply = harness.Handle(kPaths[endpoint], multipart, body);
  CheckReply(endpoint, genuine, reply);
  return 0;
}
