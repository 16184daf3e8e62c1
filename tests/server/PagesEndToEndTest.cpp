// The browser pages on the real quillmap-server: sign in over HTTP, list,
// read and download an outline the window saved, sign out; and what the
// server's log keeps of it.
#include <httplib.h>

#include <QUrl>

#include "PageFixture.h"
#include "support/ServerProcess.h"

namespace qm::server::test {
namespace {

constexpr char kMail[] = "web@example.com";
constexpr char kPassword[] = "s3cret pass";

// Saves content as a new file through the window's endpoints; its id.
QString SaveAsTheWindowDoes(httplib::Client& client, const QString& title,
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
  ServiceReply ticket;
  ticket.body = QByteArray::fromStdString(asked->body);
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
  const QString id = SaveAsTheWindowDoes(client, QStringLiteral("本"), outline);
  ASSERT_FALSE(id.isEmpty());

  const std::string signInBody = "mail=" + QUrl::toPercentEncoding(kMail).toStdString() +
                                 "&password=" + QUrl::toPercentEncoding(kPassword).toStdString();
  const httplib::Headers browser{{"Origin", "http://127.0.0.1:" + std::to_string(server.Port())},
                                 {"Sec-Fetch-Site", "same-origin"}};
  const auto wrong = client.Post("/signin", browser, "mail=web%40example.com&password=nope",
                                 "application/x-www-form-urlencoded");
  ASSERT_TRUE(wrong);
  EXPECT_EQ(wrong->status, 403);
  EXPECT_FALSE(wrong->has_header("Set-Cookie"));

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
  EXPECT_FALSE(log.contains(QStringLiteral("s3cret"))) << log.toStdString();
  EXPECT_FALSE(log.contains(QString::fromStdString(setCookie.substr(11, 32))));
}

}  // namespace
}  // namespace qm::server::test
