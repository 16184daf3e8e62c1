// The real HTTP client against a loopback server: the bytes on the wire and
// a reply read back.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "net/HttpForm.h"
#include "net/QtHttpClient.h"
#include "support/FakePrompt.h"
#include "support/LoopbackHttpServer.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

void EnsureCoreApp() {
  static int argc = 1;
  static char name[] = "qm_net_test";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

TEST(QtHttpClientTest, FormsAndDownloadsTravelOverRealHttp) {
  EnsureCoreApp();
  test::LoopbackHttpServer server(test::LoopbackHttpServer::Response(
      "200 OK", {"Content-Type: text/plain; charset=Shift_JIS"}, "0\r\n\x82\xa0"));
  ASSERT_TRUE(server.Listening());
  QtHttpClient client;
  EventLoopTransferWait wait;
  test::FakePrompt prompt;

  CHttpForm form(server.Url(QStringLiteral("/qmp/qmpfile.php")), client, wait, prompt);
  form.AddParam(QStringLiteral("v"), QStringLiteral("a b&c"));
  ASSERT_TRUE(form.PostForm());
  EXPECT_EQ(form.Reply(), u"0\r\nあ");
  const QByteArray request = server.LastRequest();
  EXPECT_TRUE(request.startsWith("POST /qmp/qmpfile.php HTTP/1.1\r\n"));
  EXPECT_TRUE(request.contains("\r\nContent-Type: application/x-www-form-urlencoded\r\n"));
  EXPECT_TRUE(request.contains("\r\nUser-Agent: Mozilla/4.0*\r\n"));
  EXPECT_TRUE(request.contains("\r\nAccept: text/*\r\n"));
  EXPECT_TRUE(request.endsWith("\r\n\r\nv=a+b%26c"));

  QTemporaryDir folder;
  server.SetResponse(test::LoopbackHttpServer::Response(
      "200 OK",
      {"Content-Type: application/octet-stream", "Content-Disposition: filename=\"x.qmp\""},
      QByteArray(100000, 'q')));
  CHttpForm download(server.Url(QStringLiteral("/qmpdownload")), client, wait, prompt);
  const QString path = download.PostDownload(folder.path());
  ASSERT_EQ(path, folder.filePath(QStringLiteral("x.qmp")));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray(100000, 'q'));

  server.SetResponse(test::LoopbackHttpServer::Response("404 Not Found", {}, "gone"));
  CHttpForm missing(server.Url(QStringLiteral("/x")), client, wait, prompt);
  EXPECT_FALSE(missing.PostForm());
  EXPECT_TRUE(prompt.Asked().isEmpty());

  // A port nobody listens on: a connection error with Qt's own text.
  QString closed;
  {
    const test::LoopbackHttpServer gone;
    closed = gone.Url(QStringLiteral("/x"));
  }
  CHttpForm refused(closed, client, wait, prompt);
  EXPECT_FALSE(refused.PostForm());
  ASSERT_EQ(prompt.Asked().size(), 1);
  EXPECT_TRUE(prompt.Asked()[0].startsWith(u"接続エラー："));
}

}  // namespace
}  // namespace qm
