// OutlineClient: one account's window speaking HTTP to a real server — ask
// for a ticket, save, update, list, download — for the end-to-end tests that
// drive several servers and clients at once.
#pragma once

#include <httplib.h>

#include <QDateTime>
#include <optional>

#include "ServiceFixture.h"
#include "server/WebService.h"

namespace qm::server::test {

class OutlineClient {
 public:
  // The service refuses a request key (so a date) an account used before:
  // the client's requests walk back from the test's start one stride of
  // seconds at a time from slot, so clients of one account given different
  // slots of the same stride never send the same second.
  OutlineClient(int port, QString mail, QString password, int slot = 0, int stride = 1)
      : m_http("127.0.0.1", port),
        m_mail(std::move(mail)),
        m_password(std::move(password)),
        m_next(slot),
        m_stride(stride) {
    m_http.set_read_timeout(60);
    m_http.set_write_timeout(60);
  }

  // The date text of the client's next request.
  QString NextDate() {
    static const QDateTime start = QDateTime::currentDateTime();
    const QString date = TicketDateText(start.addSecs(-m_next));
    m_next += m_stride;
    return date;
  }

  // An account request: mode, then the extra fields, sent with date.
  ServiceReply AskAt(const QString& date, const QString& mode, const Fields& extra = {},
                     const QString& password = {}) {
    const QString key = RequestKey(password.isEmpty() ? m_password : password, date);
    Fields fields{{"mode", mode}, {"mail", m_mail}, {"pass", key}, {"date", date}};
    fields += extra;
    const auto result = m_http.Post(kAccountPath, UrlEncoded(fields).toStdString(),
                                    "application/x-www-form-urlencoded");
    ServiceReply reply;
    reply.status = result ? result->status : 0;
    if (result) reply.body = QByteArray::fromStdString(result->body);
    return reply;
  }
  ServiceReply Ask(const QString& mode, const Fields& extra = {}) {
    return AskAt(NextDate(), mode, extra);
  }

  static IssuedTicket TicketOf(const ServiceReply& reply) {
    return {Element(reply, "key"), Element(reply, "date"), Element(reply, "fileid")};
  }

  // The multipart body of an upload or update of content with ticket.
  QByteArray StoreBody(const IssuedTicket& ticket, const QByteArray& content) const {
    return MultipartBody({{"mail", m_mail},
                          {"key", ticket.key},
                          {"date", ticket.date},
                          {"fileid", ticket.fileId},
                          {"pub", "1"},
                          {"fileext", "qmp"}},
                         content);
  }

  // Sends content to path (kUploadPath or kUpdatePath); the reply's text.
  QString Store(const char* path, const IssuedTicket& ticket, const QByteArray& content) {
    const auto result =
        m_http.Post(path, StoreBody(ticket, content).toStdString(), MultipartType().toStdString());
    return result ? Decoded(QByteArray::fromStdString(result->body)) : QStringLiteral("no answer");
  }

  // A new file's id, "" when the server did not confirm it.
  QString Save(const QString& title, const QByteArray& content) {
    const IssuedTicket ticket = TicketOf(Ask(QStringLiteral("saveas"), {{"title", title}}));
    if (ticket.key.isEmpty()) return {};
    return Store(kUploadPath, ticket, content) == u"0\nOK" ? ticket.fileId : QString();
  }

  IssuedTicket UpdateTicket(const QString& fileId, const QString& title) {
    return TicketOf(Ask(QStringLiteral("save"), {{"fileid", fileId}, {"title", title}}));
  }

  // The file's bytes, nullopt when the server refused or failed.
  std::optional<QByteArray> Download(const QString& fileId) {
    const IssuedTicket ticket = TicketOf(Ask(QStringLiteral("read"), {{"fileid", fileId}}));
    if (ticket.key.isEmpty()) return std::nullopt;
    const auto result = m_http.Post(
        kDownloadPath,
        UrlEncoded(
            {{"mail", m_mail}, {"key", ticket.key}, {"date", ticket.date}, {"fileid", fileId}})
            .toStdString(),
        "application/x-www-form-urlencoded");
    if (!result || result->get_header_value("Content-Type") != kFileContentType) {
      return std::nullopt;
    }
    return QByteArray::fromStdString(result->body);
  }

  // The ids the list answer holds, newest first.
  QStringList List() {
    const ServiceReply reply = Ask(QStringLiteral("list"));
    QStringList ids;
    static const QRegularExpression id(QStringLiteral("<fileid>(.*?)</fileid>"));
    for (const auto& match : id.globalMatch(Decoded(reply.body))) ids.append(match.captured(1));
    return ids;
  }

 private:
  httplib::Client m_http;
  QString m_mail;
  QString m_password;
  int m_next;
  int m_stride;
};

}  // namespace qm::server::test
