// What the server tests share: a Qt application for the SQL driver, a fresh
// database in a temporary folder, and requests built byte for byte as the
// window builds them (url-encoded code page values, the fixed multipart
// boundary and the "qmp.txt" file part).
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "net/RequestKey.h"
#include "platform/CodePage.h"
#include "server/Storage.h"
#include "server/WebService.h"
#include "support/FakeClock.h"

namespace qm::server::test {

// The SQL driver is a plugin, and Qt loads plugins only with an application.
inline void EnsureCoreApp() {
  static int argc = 1;
  static char name[] = "qm_server_test";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

using Field = std::pair<QString, QString>;
using Fields = QList<Field>;

inline QByteArray Encoded(const QString& text) {
  CodePage codePage;
  return codePage.Encode(text);
}

inline QString Decoded(const QByteArray& bytes) {
  CodePage codePage;
  return codePage.Decode(bytes);
}

// The window's url-encoding: letters, digits, "-", "." and "_" as they are,
// a space as "+", every other byte as %XX.
inline QByteArray UrlEncoded(const Fields& fields) {
  QByteArray body;
  for (const auto& [name, value] : fields) {
    if (!body.isEmpty()) body += '&';
    body += name.toLatin1() + '=';
    for (const char c : Encoded(value)) {
      const auto byte = static_cast<unsigned char>(c);
      if (std::isalnum(byte) && byte < 0x80) {
        body += c;
      } else if (c == '-' || c == '.' || c == '_') {
        body += c;
      } else if (c == ' ') {
        body += '+';
      } else {
        body += QStringLiteral("%%1").arg(byte, 2, 16, QChar(u'0')).toUpper().toLatin1();
      }
    }
  }
  return body;
}

inline constexpr char kBoundary[] = "-7da1091f160a20";

inline QByteArray MultipartBody(const Fields& fields, const QByteArray& file) {
  QByteArray body;
  for (const auto& [name, value] : fields) {
    body += QByteArray("--") + kBoundary + "\r\nContent-Disposition: form-data; name=\"" +
            name.toLatin1() + "\"\r\n\r\n" + Encoded(value) + "\r\n";
  }
  body += QByteArray("--") + kBoundary + "\r\n";
  body += "Content-Disposition: form-data; name=\"file\"; filename=\"qmp.txt\"\r\n";
  body += "Content-Type: application/octet-stream\r\n\r\n";
  body += file;
  body += QByteArray("\r\n--") + kBoundary + "--\r\n\r\n";
  return body;
}

inline QByteArray MultipartType() {
  return QByteArray("multipart/form-data; boundary=") + kBoundary;
}

// The text of the first <name> element of an XML reply, references left as sent.
inline QString Element(const ServiceReply& reply, const QString& name) {
  const QRegularExpression pattern(QStringLiteral("<%1>(.*?)</%1>").arg(name),
                                   QRegularExpression::DotMatchesEverythingOption);
  return pattern.match(Decoded(reply.body)).captured(1);
}

inline int Count(const ServiceReply& reply, const QString& name) {
  return int(Decoded(reply.body).count(QStringLiteral("<%1>").arg(name)));
}

// A ticket as the account endpoint handed it out.
struct IssuedTicket {
  QString key;
  QString date;
  QString fileId;
};

class ServiceTest : public ::testing::Test {
 protected:
  static constexpr char kMail[] = "a@example.com";
  static constexpr char kPassword[] = "パスワード";
  static constexpr char kOtherMail[] = "b@example.com";
  static constexpr char kOtherPassword[] = "other";

  void SetUp() override {
    EnsureCoreApp();
    ASSERT_TRUE(m_dir.isValid());
    QString error;
    m_storage = Storage::OpenSqlite(DbPath(), &error);
    ASSERT_TRUE(m_storage) << error.toStdString();
    ASSERT_EQ(m_storage->AddAccount(kMail, PasswordDigest(QString::fromUtf8(kPassword)), 0),
              StoreResult::kOk);
    ASSERT_EQ(m_storage->AddAccount(kOtherMail, PasswordDigest(kOtherPassword), 0),
              StoreResult::kOk);
  }

  QString DbPath() const { return m_dir.filePath(QStringLiteral("service.sqlite")); }

  // The window's date text: its local time now.
  QString ClientDate(qint64 offsetSeconds = 0) const {
    return TicketDateText(
        QDateTime::fromSecsSinceEpoch(m_clock.Now() + offsetSeconds).toLocalTime());
  }

  ServiceReply Send(const char* path, const QByteArray& contentType, const QByteArray& body) {
    return HandleServiceRequest({path, contentType, body}, *m_storage, m_clock);
  }

  // A ticket request as the window sends it: mode, mail, pass, date, then
  // title and file id when given.
  ServiceReply AskAccount(const QString& mode, const QString& mail, const QString& password,
                          const QString& date, const QString* title = nullptr,
                          const QString* fileId = nullptr) {
    Fields fields{
        {"mode", mode}, {"mail", mail}, {"pass", RequestKey(password, date)}, {"date", date}};
    if (title != nullptr) fields.append(Field("title", *title));
    if (fileId != nullptr) fields.append(Field("fileid", *fileId));
    return Send(kAccountPath, "application/x-www-form-urlencoded", UrlEncoded(fields));
  }

  ServiceReply Ask(const QString& mode, const QString* title = nullptr,
                   const QString* fileId = nullptr) {
    // Each request a second after the last, as a person would; the service
    // refuses a key used twice.
    m_clock.Advance(1);
    return AskAccount(mode, kMail, QString::fromUtf8(kPassword), ClientDate(), title, fileId);
  }

  static IssuedTicket TicketOf(const ServiceReply& reply) {
    return {Element(reply, "key"), Element(reply, "date"), Element(reply, "fileid")};
  }

  ServiceReply Upload(const char* path, const IssuedTicket& ticket, const QByteArray& file,
                      const QString& mail = kMail) {
    Fields fields{
        {"mail", mail}, {"key", ticket.key}, {"date", ticket.date}, {"fileid", ticket.fileId}};
    if (QByteArray(path) == kUploadPath) fields.append(Field("pub", "1"));
    fields.append(Field("fileext", "qmp"));
    return Send(path, MultipartType(), MultipartBody(fields, file));
  }

  ServiceReply Download(const IssuedTicket& ticket, const QString& mail = kMail) {
    return Send(kDownloadPath, "application/x-www-form-urlencoded",
                UrlEncoded({{"mail", mail},
                            {"key", ticket.key},
                            {"date", ticket.date},
                            {"fileid", ticket.fileId}}));
  }

  // Saves a new file under title and returns its id ("" on failure).
  QString SaveNew(const QString& title, const QByteArray& content) {
    const ServiceReply ticket = Ask("saveas", &title);
    const ServiceReply stored = Upload(kUploadPath, TicketOf(ticket), content);
    return Decoded(stored.body) == u"0\nOK" ? TicketOf(ticket).fileId : QString();
  }

  // The file's bytes as a fresh read and download give them.
  QByteArray Fetch(const QString& fileId) {
    return Download(TicketOf(Ask("read", nullptr, &fileId))).body;
  }

  QTemporaryDir m_dir;
  qm::test::FakeClock m_clock{1796000000};
  std::unique_ptr<Storage> m_storage;
};

}  // namespace qm::server::test
