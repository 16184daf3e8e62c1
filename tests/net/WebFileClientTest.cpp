// The protocol client: the requests it sends, in order and with their
// parameters, and what it makes of the service's replies.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrlQuery>

#include "net/HttpForm.h"
#include "net/RequestKey.h"
#include "net/WebFileClient.h"
#include "platform/CodePage.h"
#include "res/NetStrings.h"
#include "support/FakeClock.h"
#include "support/FakeConnectionManager.h"
#include "support/FakeHttpClient.h"
#include "support/FakePrompt.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;
using test::FakeHttpClient;
constexpr auto Xml = FakeHttpClient::Xml;

// 2010-03-07 09:05:03 in Tokyo, where the tests run.
const qint32 kNow =
    static_cast<qint32>(QDateTime(QDate(2010, 3, 7), QTime(9, 5, 3)).toSecsSinceEpoch());
const QString kDate = u"2010/3/7 9:5:3"_s;

class WebFileClientTest : public ::testing::Test {
 protected:
  WebFileClientTest() { client.SetAccount(u"me@example.jp"_s, u"secret"_s); }

  // The url-encoded body the request to path carried, as name=value pairs.
  QList<std::pair<QString, QString>> Params(int index) const {
    const QByteArray body = http.Requests().at(index).body;
    QList<std::pair<QString, QString>> params;
    for (const QByteArray& pair : body.split('&')) {
      const qsizetype equals = pair.indexOf('=');
      QByteArray value = pair.sliced(equals + 1);
      value.replace('+', ' ');
      CodePage codePage;
      params.append({QString::fromLatin1(pair.first(equals)),
                     codePage.Decode(QByteArray::fromPercentEncoding(value))});
    }
    return params;
  }
  QString Url(int index) const { return http.Requests().at(index).url; }
  QString Key() const { return RequestKey(u"secret"_s, kDate); }

  FakeHttpClient http;
  test::FakeTransferWait wait;
  test::FakePrompt prompt;
  test::FakeClock clock{kNow};
  test::FakeConnectionManager links;
  CConnKeeper keeper{links, prompt};
  QTemporaryDir temp;
  CWebFileClient client{u"http://acct.example:1/"_s,
                        u"http://files.example:2"_s,
                        {http, wait, prompt, clock, keeper},
                        temp.path()};
  using Params_t = QList<std::pair<QString, QString>>;
};

TEST_F(WebFileClientTest, ATicketRequestSendsItsParametersInOrder) {
  links.raisesLinks = false;
  http.Queue(
      Xml(u"<r><key>K1</key><date>D1</date><title>t &amp; u</title><fileid>ab12</fileid></r>"));
  ASSERT_TRUE(client.RequestTicket(u"read"_s, std::nullopt, u"ab12"_s));
  EXPECT_EQ(Url(0), u"http://acct.example:1/qmp/qmpfile.php");
  EXPECT_EQ(Params(0), (Params_t{{u"mode"_s, u"read"_s},
                                 {u"mail"_s, u"me@example.jp"_s},
                                 {u"pass"_s, Key()},
                                 {u"date"_s, kDate},
                                 {u"fileid"_s, u"ab12"_s}}));
  EXPECT_EQ(client.Key(), u"K1");
  EXPECT_EQ(client.Date(), u"D1");
  EXPECT_EQ(client.Title(), u"t & u");
  EXPECT_EQ(client.WebPath(), u"net:ab12;t & u");

  // Another second, another key for the same password.
  clock.Advance(1);
  http.Queue(Xml(u"<r/>"));
  ASSERT_TRUE(client.RequestTicket(u"saveas"_s, u"新規"_s, std::nullopt));
  const Params_t second = Params(1);
  EXPECT_EQ(second[3].second, u"2010/3/7 9:5:4");
  EXPECT_NE(second[2].second, Key());
  EXPECT_EQ(second[4], (std::pair{u"title"_s, u"新規"_s}));
  EXPECT_TRUE(http.Requests().at(1).body.endsWith("&title=%90V%8BK"));  // in the code page
}

TEST_F(WebFileClientTest, TheListIsTakenFromTheFileElementsInOrder) {
  links.raisesLinks = false;
  http.Queue(
      Xml(u"<list><key>k</key>"
          "<file><title>一</title><fileid>1</fileid><update>20100307</update></file>"
          "<file><fileid>2</fileid></file></list>"));
  ASSERT_TRUE(client.ListFiles());
  ASSERT_EQ(client.Files().size(), 2);
  EXPECT_EQ(client.Files()[0].title, u"一");
  EXPECT_EQ(client.Files()[0].fileId, u"1");
  EXPECT_EQ(client.Files()[0].update, u"20100307");
  EXPECT_EQ(client.Files()[1].title, u"");
  EXPECT_EQ(client.Files()[1].fileId, u"2");
  EXPECT_EQ(Params(0).first(), (std::pair{u"mode"_s, u"list"_s}));
  EXPECT_EQ(Params(0).size(), 4);

  // A reply without any file element leaves the list as it was.
  http.Queue(Xml(u"<list><key>k</key></list>"));
  ASSERT_TRUE(client.ListFiles());
  EXPECT_EQ(client.Files().size(), 2);
}

TEST_F(WebFileClientTest, AnErrorElementFailsTheTicketWhateverElseTheReplyHolds) {
  links.raisesLinks = false;
  http.Queue(
      Xml(u"<r><file><fileid>9</fileid></file><error>12</error>"
          "<errormes>パスワードが違います</errormes></r>"));
  EXPECT_FALSE(client.ListFiles());
  EXPECT_EQ(client.ErrorCode(), 12);
  EXPECT_EQ(client.ErrorMessage(), u"パスワードが違います");
  EXPECT_TRUE(client.Files().isEmpty());

  http.Queue(Xml(u"<r><error>none</error></r>"));
  EXPECT_FALSE(client.ListFiles());
  EXPECT_EQ(client.ErrorCode(), 0);
  EXPECT_EQ(client.ErrorMessage(), u"");  // not the earlier refusal's
  EXPECT_TRUE(prompt.Asked().isEmpty());  // the caller shows the message
}

TEST_F(WebFileClientTest, WithoutALinkNothingIsSent) {
  links.mapSucceeds = false;
  EXPECT_FALSE(client.ListFiles());
  EXPECT_EQ(prompt.Asked(), QStringList{res::kAutoConnectFailed.toString()});
  EXPECT_TRUE(http.Requests().isEmpty());
}

TEST_F(WebFileClientTest, DownloadAsksForAReadTicketThenFetchesTheFile) {
  links.raisesLinks = false;
  client.SetFromWebPath(u"net:ab12;a;b"_s);
  http.Queue(Xml(u"<r><key>KEY</key><date>DATE</date><title>a;b</title></r>"));
  FakeHttpClient::Reply file;
  file.headers = {{"Content-Disposition", "attachment; filename=\"ab12.qmp\""}};
  file.chunks = {"outline"};
  http.Queue(file);
  const QString path = client.DownloadFile();
  EXPECT_EQ(path, QDir(temp.path()).filePath(u"ab12.qmp"_s));
  EXPECT_EQ(Params(0)[4], (std::pair{u"fileid"_s, u"ab12"_s}));
  EXPECT_EQ(Url(1), u"http://files.example:2/qmpdownload");
  EXPECT_EQ(Params(1), (Params_t{{u"mail"_s, u"me@example.jp"_s},
                                 {u"key"_s, u"KEY"_s},
                                 {u"date"_s, u"DATE"_s},
                                 {u"fileid"_s, u"ab12"_s}}));

  // The service's refusal as text: no file, its code and message.
  http.Queue(Xml(u"<r><key>KEY</key></r>"));
  http.Queue(FakeHttpClient::Text("3\n\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n"));
  EXPECT_EQ(client.DownloadFile(u"zz"_s), u"");
  EXPECT_EQ(client.ErrorCode(), 3);
  EXPECT_EQ(client.ErrorMessage(), u"ありません");
}

TEST_F(WebFileClientTest, UploadNewStoresTheFileAndTakesItsNewId) {
  links.raisesLinks = false;
  QDir(temp.path()).mkdir(u"a.b"_s);
  const QString local = QDir(temp.path()).filePath(u"a.b/vorelnetX.tmp.qmp"_s);
  {
    QFile out(local);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("body");
  }
  client.SetFromWebPath(u"net:;memo"_s);
  http.Queue(Xml(u"<r><key>K</key><date>D</date><fileid>new7</fileid></r>"));
  http.Queue(FakeHttpClient::Text("0\nOK\n"));
  ASSERT_TRUE(client.UploadNew(local));
  EXPECT_EQ(client.ErrorMessage(), u"OK");
  EXPECT_EQ(client.WebPath(), u"net:new7;memo");
  EXPECT_EQ(Params(0)[4], (std::pair{u"title"_s, u"memo"_s}));
  EXPECT_EQ(Url(1), u"http://files.example:2/qmpupload");
  const QByteArray body = http.Requests().at(1).body;
  for (const QByteArray& part :
       {QByteArray("name=\"mail\"\r\n\r\nme@example.jp\r\n"),
        QByteArray("name=\"key\"\r\n\r\nK\r\n"), QByteArray("name=\"date\"\r\n\r\nD\r\n"),
        QByteArray("name=\"fileid\"\r\n\r\nnew7\r\n"), QByteArray("name=\"pub\"\r\n\r\n1\r\n"),
        // The file's own extension, not text from the dotted folder above it.
        QByteArray("name=\"fileext\"\r\n\r\ntmp.qmp\r\n")}) {
    EXPECT_TRUE(body.contains(part)) << part.toStdString();
  }
  EXPECT_LT(body.indexOf("name=\"mail\""), body.indexOf("name=\"fileext\""));
}

TEST_F(WebFileClientTest, UploadUpdateSendsTitleAndIdAndNoPub) {
  links.raisesLinks = false;
  const QString local = QDir(temp.path()).filePath(u"up.qmp"_s);
  QFile(local).open(QIODevice::WriteOnly);
  client.SetFromWebPath(u"net:ab12;old"_s);
  http.Queue(Xml(u"<r><key>K</key></r>"));
  http.Queue(FakeHttpClient::Text("0\n"));
  ASSERT_TRUE(client.UploadUpdate(local, u"new"_s));
  EXPECT_EQ(Params(0)[0].second, u"save");
  EXPECT_EQ(Params(0)[4], (std::pair{u"title"_s, u"new"_s}));
  EXPECT_EQ(Params(0)[5], (std::pair{u"fileid"_s, u"ab12"_s}));
  EXPECT_EQ(Url(1), u"http://files.example:2/qmpupdate");
  EXPECT_FALSE(http.Requests().at(1).body.contains("name=\"pub\""));
  EXPECT_TRUE(http.Requests().at(1).body.contains("name=\"fileext\"\r\n\r\nqmp\r\n"));
}

TEST_F(WebFileClientTest, AnUploadThatNeverReachedTheServiceFails) {
  links.raisesLinks = false;
  const QString local = QDir(temp.path()).filePath(u"up.qmp"_s);
  QFile(local).open(QIODevice::WriteOnly);
  http.Queue(Xml(u"<r><key>K</key></r>"));
  FakeHttpClient::Reply refused = FakeHttpClient::Text("");
  refused.status = 500;
  http.Queue(refused);
  EXPECT_FALSE(client.UploadUpdate(local, u"t"_s, u"1"_s));
  http.Queue(Xml(u"<r><key>K</key></r>"));
  EXPECT_FALSE(client.UploadNew(QDir(temp.path()).filePath(u"absent.qmp"_s), u"t"_s));
}

TEST_F(WebFileClientTest, AReplayedTicketIsAskedForAgainWithTheNextSecond) {
  links.raisesLinks = false;
  http.Queue(Xml(u"<r><error>4</error><errormes>もう一度</errormes></r>"));
  http.Queue(Xml(u"<r><key>K2</key></r>"));
  ASSERT_TRUE(client.ListFiles());
  ASSERT_EQ(http.Requests().size(), 2);
  EXPECT_EQ(Params(0)[3].second, kDate);
  EXPECT_EQ(Params(1)[3].second, u"2010/3/7 9:5:4");
  EXPECT_EQ(client.Key(), u"K2");
  EXPECT_EQ(client.ErrorMessage(), u"");

  // A few times only: then the refusal is the answer, with its message.
  for (int i = 0; i < kReplayRetries; ++i) {
    http.Queue(Xml(u"<r><error>4</error><errormes>もう一度</errormes></r>"));
  }
  http.Queue(Xml(u"<r><error>4</error><errormes>最後</errormes></r>"));
  EXPECT_FALSE(client.ListFiles());
  EXPECT_EQ(http.Requests().size(), 2 + 1 + kReplayRetries);
  EXPECT_EQ(client.ErrorMessage(), u"最後");

  // Other refusals are not asked again.
  http.Queue(Xml(u"<r><error>2</error></r>"));
  EXPECT_FALSE(client.ListFiles());
  EXPECT_EQ(http.Requests().size(), 3 + 1 + kReplayRetries);
}

TEST_F(WebFileClientTest, RequestsInOneSecondAreDatedWithSecondsOfTheirOwn) {
  links.raisesLinks = false;
  qint32 shared = 0;
  client.ShareTicketSeconds(shared);
  http.Queue(Xml(u"<r><key>K1</key></r>"));
  http.Queue(Xml(u"<r><key>K2</key></r>"));
  ASSERT_TRUE(client.ListFiles());
  ASSERT_TRUE(client.ListFiles());
  EXPECT_EQ(Params(0)[3].second, kDate);
  EXPECT_EQ(Params(1)[3].second, u"2010/3/7 9:5:4");
  EXPECT_EQ(Params(1)[2].second, RequestKey(u"secret"_s, u"2010/3/7 9:5:4"_s));

  // Another client of the program goes on from there; once the clock has
  // passed the seconds used, it is the clock again.
  CWebFileClient other{u"http://acct.example:1/"_s,
                       u"http://files.example:2"_s,
                       {http, wait, prompt, clock, keeper},
                       temp.path()};
  other.SetAccount(u"me@example.jp"_s, u"secret"_s);
  other.ShareTicketSeconds(shared);
  http.Queue(Xml(u"<r><key>K3</key></r>"));
  ASSERT_TRUE(other.ListFiles());
  EXPECT_EQ(Params(2)[3].second, u"2010/3/7 9:5:5");
  clock.Advance(10);
  http.Queue(Xml(u"<r><key>K4</key></r>"));
  ASSERT_TRUE(other.ListFiles());
  EXPECT_EQ(Params(3)[3].second, u"2010/3/7 9:5:13");
}

TEST_F(WebFileClientTest, AFileOverTheLimitIsRefusedBeforeAnythingIsSent) {
  links.raisesLinks = false;
  const QString local = QDir(temp.path()).filePath(u"big.qmp"_s);
  {
    QFile out(local);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray(kMaxUploadBytes + 1, 'x'));
  }
  EXPECT_FALSE(client.UploadNew(local, u"t"_s));
  EXPECT_EQ(client.ErrorMessage(), res::kUploadSizeLimit);
  EXPECT_FALSE(client.UploadUpdate(local, u"t"_s, u"1"_s));
  EXPECT_EQ(client.ErrorMessage(), res::kUploadSizeLimit);
  EXPECT_TRUE(http.Requests().isEmpty());

  // The limit itself still goes.
  ASSERT_TRUE(QFile(local).resize(kMaxUploadBytes));
  http.Queue(Xml(u"<r><key>K</key></r>"));
  http.Queue(FakeHttpClient::Text("0\n"));
  EXPECT_TRUE(client.UploadNew(local, u"t"_s));
}

TEST(ParseResultTest, TheCodeComesBeforeTheFirstLineFeedAndTheMessageAfterIt) {
  const struct {
    QString reply;
    int code;
    QString message;
  } kCases[] = {
      {u"0\nOK"_s, 0, u"OK"_s},
      {u"3\ntext\nmore"_s, 3, u"text\nmore"_s},
      {u"no line feed"_s, 0, u"no line feed"_s},
      {u"12abc \t\nmessage \r\n \t"_s, 12, u"message"_s},
      {u" -4\n"_s, -4, u""_s},
      {u"x\nnot a number"_s, 0, u"not a number"_s},
      {u""_s, 0, u""_s},
      // Too large for 32 bits: still a failure, never wrapped round to 0.
      {u"4294967296\nbig"_s, 2147483647, u"big"_s},
      {u"-99999999999\nsmall"_s, -2147483647 - 1, u"small"_s},
  };
  for (const auto& c : kCases) {
    const CodeAndMessage result = ParseCodeAndMessage(c.reply);
    EXPECT_EQ(result.code, c.code) << c.reply.toStdString();
    EXPECT_EQ(result.message, c.message) << c.reply.toStdString();
  }
}

TEST(TempWebFileTest, EachNameIsNewAndCreatedInTheFolder) {
  QTemporaryDir folder;
  const QString first = MakeTempWebFileName(folder.path(), u".qmp"_s);
  const QString second = MakeTempWebFileName(folder.path(), u".qmp"_s);
  ASSERT_FALSE(first.isEmpty());
  EXPECT_NE(first, second);
  EXPECT_TRUE(QFileInfo(first).fileName().startsWith(u"vorelnet"));
  EXPECT_TRUE(first.endsWith(u".qmp"));
  EXPECT_EQ(QFileInfo(first).absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
  EXPECT_TRUE(QFileInfo::exists(first));
  EXPECT_EQ(MakeTempWebFileName(folder.filePath(u"missing"_s)), u"");
}

}  // namespace
}  // namespace qm
