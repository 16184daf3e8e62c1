// The real quillmap-server on a free loopback port with a fresh database,
// spoken to over HTTP as the window and a browser speak to it, then stopped
// by SIGTERM.
#include <httplib.h>

#include <QDir>
#include <QFile>
#include <mutex>
#include <thread>

#include "PageFixture.h"
#include "res/ServerStrings.h"
#include "server/HttpServer.h"
#include "server/ServiceLimits.h"
#include "support/ServerProcess.h"

namespace qm::server::test {
namespace {

constexpr char kMail[] = "a@example.com";
constexpr char kPassword[] = "secret";

ServiceReply AsReply(const httplib::Result& result) {
  ServiceReply reply;
  if (result) reply.body = QByteArray::fromStdString(result->body);
  return reply;
}

// Saves content as a new file through the server as the window does; its
// id, or "" when the server did not confirm it.
QString SaveThroughServer(httplib::Client& client, const QString& title,
                          const QByteArray& content) {
  const QString date = TicketDateText(QDateTime::currentDateTime());
  const auto asked = client.Post(kAccountPath,
                                 UrlEncoded({{"mode", "saveas"},
                                             {"mail", kMail},
                                             {"pass", RequestKey(kPassword, date)},
                                             {"date", date},
                                             {"title", title}})
                                     .toStdString(),
                                 "application/x-www-form-urlencoded");
  if (!asked) return {};
  const ServiceReply ticket = AsReply(asked);
  const QString fileId = Element(ticket, "fileid");
  const auto stored = client.Post(kUploadPath,
                                  MultipartBody({{"mail", kMail},
                                                 {"key", Element(ticket, "key")},
                                                 {"date", Element(ticket, "date")},
                                                 {"fileid", fileId},
                                                 {"pub", "1"},
                                                 {"fileext", "qmp"}},
                                                content)
                                      .toStdString(),
                                  MultipartType().toStdString());
  if (!stored || Decoded(QByteArray::fromStdString(stored->body)) != u"0\nOK") return {};
  return fileId;
}

TEST(ServerEndToEndTest, SavesReadsRefusesAndStopsCleanly) {
  EnsureCoreApp();
  QTemporaryDir dir;
  const QString db = dir.filePath(QStringLiteral("e2e.sqlite"));
  ASSERT_TRUE(qm::test::ServerProcess::AddUser(QM_SERVER_EXE, db, kMail, kPassword));
  qm::test::ServerProcess server;
  QString error;
  ASSERT_TRUE(server.Start(QM_SERVER_EXE, db, &error)) << error.toStdString();
  httplib::Client client("127.0.0.1", server.Port());
  // Each ticket request carries its own second: the server refuses a key
  // (and so a date) the account used before.
  const QDateTime start = QDateTime::currentDateTime();
  const auto ask = [&](const Fields& extra, qint64 secondsAgo) {
    const QString date = TicketDateText(start.addSecs(-secondsAgo));
    Fields fields{{"mail", kMail}, {"pass", RequestKey(kPassword, date)}, {"date", date}};
    fields = Fields{extra.front()} + fields + extra.mid(1);
    return client.Post(kAccountPath, UrlEncoded(fields).toStdString(),
                       "application/x-www-form-urlencoded");
  };

  // Save as new, upload, then read it back.
  const auto saveas = ask({{"mode", "saveas"}, {"title", "e2e メモ"}}, 0);
  ASSERT_TRUE(saveas);
  EXPECT_EQ(saveas->status, 200);
  const IssuedTicket ticket{Element(AsReply(saveas), "key"), Element(AsReply(saveas), "date"),
                            Element(AsReply(saveas), "fileid")};
  const QByteArray file = Encoded(QStringLiteral("[Quillmap]\r\n本文\r\n"));
  const Fields uploadFields{{"mail", kMail},           {"key", ticket.key}, {"date", ticket.date},
                            {"fileid", ticket.fileId}, {"pub", "1"},        {"fileext", "qmp"}};
  const std::string multipart = MultipartBody(uploadFields, file).toStdString();
  const auto upload = client.Post(kUploadPath, multipart, MultipartType().toStdString());
  ASSERT_TRUE(upload);
  EXPECT_EQ(upload->get_header_value("Content-Type"), "text/plain; charset=Shift_JIS");
  EXPECT_EQ(Decoded(QByteArray::fromStdString(upload->body)), u"0\nOK");
  // The same ticket again is refused.
  const auto replay = client.Post(kUploadPath, multipart, MultipartType().toStdString());
  ASSERT_TRUE(replay);
  EXPECT_EQ(Decoded(QByteArray::fromStdString(replay->body)),
            QStringLiteral("6\n") + res::kServerBadTicket.toString());

  const auto read = ask({{"mode", "read"}, {"fileid", ticket.fileId}}, 1);
  ASSERT_TRUE(read);
  const auto download = client.Post(kDownloadPath,
                                    UrlEncoded({{"mail", kMail},
                                                {"key", Element(AsReply(read), "key")},
                                                {"date", Element(AsReply(read), "date")},
                                                {"fileid", ticket.fileId}})
                                        .toStdString(),
                                    "application/x-www-form-urlencoded");
  ASSERT_TRUE(download);
  EXPECT_EQ(download->get_header_value("Content-Disposition"),
            "attachment; filename=\"e2e___.qmp\"");
  EXPECT_EQ(QByteArray::fromStdString(download->body), file);

  // A wrong password, and a file over the limit.
  const QString date = TicketDateText(start.addSecs(-2));
  const auto wrong = client.Post(
      kAccountPath,
      UrlEncoded(
          {{"mode", "list"}, {"mail", kMail}, {"pass", RequestKey("guess", date)}, {"date", date}})
          .toStdString(),
      "application/x-www-form-urlencoded");
  ASSERT_TRUE(wrong);
  EXPECT_EQ(Element(AsReply(wrong), "error"), u"2");
  const auto big = ask({{"mode", "saveas"}, {"title", "big"}}, 3);
  ASSERT_TRUE(big);
  const auto oversized = client.Post(kUploadPath,
                                     MultipartBody({{"mail", kMail},
                                                    {"key", Element(AsReply(big), "key")},
                                                    {"date", Element(AsReply(big), "date")},
                                                    {"fileid", Element(AsReply(big), "fileid")}},
                                                   QByteArray(kMaxFileBytes + 1, 'x'))
                                         .toStdString(),
                                     MultipartType().toStdString());
  ASSERT_TRUE(oversized);
  EXPECT_EQ(Decoded(QByteArray::fromStdString(oversized->body)).left(2), u"7\n");

  EXPECT_EQ(server.Stop(), 0);
  const QString log = server.Log();
  EXPECT_TRUE(log.contains(u"POST /qmpupload 200")) << log.toStdString();
  EXPECT_TRUE(log.contains(res::kServerStopped)) << log.toStdString();
  EXPECT_FALSE(log.contains(ticket.key));
  EXPECT_FALSE(log.contains(QString::fromLatin1(kPassword)));

  // What the server confirmed is in the file it closed.
  const auto storage = Storage::OpenSqlite(db, &error);
  ASSERT_TRUE(storage) << error.toStdString();
  QList<FileEntry> files;
  ASSERT_EQ(storage->ListFiles(kMail, files), StoreResult::kOk);
  ASSERT_EQ(files.size(), 1);
  EXPECT_EQ(files[0].fileId, ticket.fileId);
  EXPECT_EQ(files[0].size, file.size());
}

// What a service manager and an administrator use while the server runs.
TEST(ServerEndToEndTest, AnswersItsHealthAndIsBackedUpWhileServing) {
  EnsureCoreApp();
  QTemporaryDir dir;
  const QString db = dir.filePath(QStringLiteral("live.sqlite"));
  ASSERT_TRUE(qm::test::ServerProcess::AddUser(QM_SERVER_EXE, db, kMail, kPassword));
  qm::test::ServerProcess server;
  QString error;
  ASSERT_TRUE(server.Start(QM_SERVER_EXE, db, &error)) << error.toStdString();
  httplib::Client client("127.0.0.1", server.Port());

  const auto health = client.Get(kHealthPath);
  ASSERT_TRUE(health);
  EXPECT_EQ(health->status, 200);
  EXPECT_EQ(health->body, "ok\n");

  const QByteArray file = Encoded(QStringLiteral("[Quillmap]\r\n控え\r\n"));
  ASSERT_FALSE(SaveThroughServer(client, QStringLiteral("控え"), file).isEmpty());
  const QString copy = dir.filePath(QStringLiteral("copy.sqlite"));
  const auto backup = qm::test::ServerProcess::RunVerb(
      QM_SERVER_EXE, {QStringLiteral("backup"), copy, QStringLiteral("--db"), db});
  EXPECT_EQ(backup.exitCode, 0) << backup.err.toStdString();
  EXPECT_TRUE(backup.out.contains(copy)) << backup.out.toStdString();
  EXPECT_EQ(QFile(copy).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
  // The server went on serving through it.
  const auto after = client.Get(kHealthPath);
  ASSERT_TRUE(after);
  EXPECT_EQ(after->status, 200);

  const auto listed = qm::test::ServerProcess::RunVerb(
      QM_SERVER_EXE, {QStringLiteral("list-users"), QStringLiteral("--db"), copy});
  EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
  EXPECT_EQ(listed.out, QStringLiteral("%1\t1\t%2\n").arg(kMail).arg(file.size()));
  EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.partial-*")}), QStringList());

  EXPECT_EQ(server.Stop(), 0);
  static const QRegularExpression healthLine(QStringLiteral("^GET /healthz 200 \\d+ms -$"),
                                             QRegularExpression::MultilineOption);
  EXPECT_EQ(server.Log().count(healthLine), 2) << server.Log().toStdString();
}

// A browser signs in, reads and downloads what the window saved, and signs out.
TEST(PagesEndToEndTest, SignsInReadsDownloadsAndSignsOutOverHttp) {
  EnsureCoreApp();
  QTemporaryDir dir;
  const QString db = dir.filePath(QStringLiteral("pages.sqlite"));
  ASSERT_TRUE(qm::test::ServerProcess::AddUser(QM_SERVER_EXE, db, kMail, kPassword));
  qm::test::ServerProcess server;
  QString error;
  ASSERT_TRUE(server.Start(QM_SERVER_EXE, db, &error)) << error.toStdString();
  httplib::Client client("127.0.0.1", server.Port());
  const QByteArray outline = SampleOutlineBytes();
  const QString id = SaveThroughServer(client, QStringLiteral("本"), outline);
  ASSERT_FALSE(id.isEmpty());

  const std::string signInBody = "mail=" + QUrl::toPercentEncoding(kMail).toStdString() +
                                 "&password=" + QUrl::toPercentEncoding(kPassword).toStdString();
  const httplib::Headers browser{{"Origin", "http://127.0.0.1:" + std::to_string(server.Port())},
                                 {"Sec-Fetch-Site", "same-origin"}};
  const auto signedIn =
      client.Post("/signin", browser, signInBody, "application/x-www-form-urlencoded");
  ASSERT_TRUE(signedIn);
  EXPECT_EQ(signedIn->status, 303);
  const std::string setCookie = signedIn->get_header_value("Set-Cookie");
  EXPECT_NE(setCookie.find("HttpOnly"), std::string::npos) << setCookie;
  const httplib::Headers session{{"Cookie", setCookie.substr(0, setCookie.find(';'))}};

  const auto list = client.Get("/", session);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->status, 200);
  EXPECT_EQ(list->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_NE(list->body.find("/outline/" + id.toStdString()), std::string::npos) << list->body;

  const auto page = client.Get("/outline/" + id.toStdString(), session);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  const QString html = QString::fromStdString(page->body);
  EXPECT_TRUE(html.contains(QStringLiteral("第一章：序章"))) << page->body;
  EXPECT_TRUE(html.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;")));
  EXPECT_EQ(page->get_header_value("X-Content-Type-Options"), "nosniff");
  EXPECT_EQ(page->get_header_value("Content-Security-Policy").rfind("default-src 'none';", 0), 0u);

  const auto download = client.Get("/outline/" + id.toStdString() + "/download", session);
  ASSERT_TRUE(download);
  EXPECT_EQ(download->status, 200);
  EXPECT_EQ(QByteArray::fromStdString(download->body), outline);

  const auto signedOut = client.Post("/signout", session, "", "application/x-www-form-urlencoded");
  ASSERT_TRUE(signedOut);
  EXPECT_EQ(signedOut->status, 303);
  const auto after = client.Get("/outline/" + id.toStdString(), session);
  ASSERT_TRUE(after);
  EXPECT_EQ(after->status, 303);

  EXPECT_EQ(server.Stop(), 0);
  const QString log = server.Log();
  EXPECT_TRUE(log.contains(QStringLiteral("POST /signin 303")) &&
              log.contains(QStringLiteral("GET /outline/%1 200").arg(id)) &&
              log.contains(QString::fromLatin1(kMail)))
      << log.toStdString();
  EXPECT_FALSE(log.contains(QString::fromLatin1(kPassword))) << log.toStdString();
  EXPECT_FALSE(log.contains(QString::fromStdString(setCookie.substr(11, 32))));
}

TEST(ServerHealthCheckTest, AnswersUnavailableWhenTheDatabaseCannotBeOpened) {
  EnsureCoreApp();
  QTemporaryDir dir;
  qm::test::FakeClock clock;
  std::mutex logMutex;
  QStringList log;
  HttpServer server(dir.filePath(QStringLiteral("missing/store.sqlite")), clock,
                    [&](const QString& line) {
                      std::lock_guard<std::mutex> lock(logMutex);
                      log.append(line);
                    });
  ListenOptions options;
  options.port = 0;
  QString error;
  ASSERT_TRUE(server.Start(options, &error)) << error.toStdString();
  std::thread running([&server] { server.Run(); });
  httplib::Client client("127.0.0.1", server.Port());
  const auto health = client.Get(kHealthPath);
  server.Stop();
  running.join();

  ASSERT_TRUE(health);
  EXPECT_EQ(health->status, 503);
  EXPECT_EQ(health->body, "database unavailable\n");
  std::lock_guard<std::mutex> lock(logMutex);
  EXPECT_EQ(log.filter(QRegularExpression(QStringLiteral("^GET /healthz 503 \\d+ms -$"))).size(), 1)
      << log.join(u'\n').toStdString();
}

}  // namespace
}  // namespace qm::server::test
