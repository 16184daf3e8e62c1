// The transport: what goes on the wire, how replies and failures come back,
// and where downloads land.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "net/HttpForm.h"
#include "net/HttpReply.h"
#include "res/NetStrings.h"
#include "res/Strings.h"
#include "support/FakeHttpClient.h"
#include "support/FakePrompt.h"
#include "support/QtPrinting.h"

namespace qm {

using namespace Qt::StringLiterals;
namespace {

using test::FakeHttpClient;

const QString kAddress = QStringLiteral("http://svc.example:8642/qmpdownload");

QByteArray Header(const HttpRequest& request, QByteArrayView name) {
  return HeaderValue(request.headers, name);
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
  return file.readAll();
}

class HttpFormTest : public ::testing::Test {
 protected:
  CHttpForm Form(const QString& address = kAddress) {
    return CHttpForm(address, http, wait, prompt);
  }
  // Every entry of the download folder, hidden ones included.
  QStringList FolderEntries() const {
    return QDir(folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  }

  FakeHttpClient http;
  test::FakeTransferWait wait;
  test::FakePrompt prompt;
  QTemporaryDir folder;
};

TEST_F(HttpFormTest, FormBodyEncodesEachValueByteByByteFromTheCodePage) {
  CHttpForm form = Form();
  EXPECT_EQ(form.FormBody(), "");  // no parameters: an empty body
  form.AddParam(QStringLiteral("v"), QStringLiteral("a b&c"));
  form.AddParam(QStringLiteral("jp"), QStringLiteral("あ"));  // 0x82 0xA0 in the code page
  form.AddParam(QStringLiteral("keep"), QStringLiteral("Az09-._"));
  form.AddParam(QStringLiteral("other"), QStringLiteral("~/\t=+%"));
  form.AddParam(QStringLiteral("empty"), QString());
  EXPECT_EQ(form.FormBody(), "v=a+b%26c&jp=%82%A0&keep=Az09-._&other=%7E%2F%09%3D%2B%25&empty=");
  EXPECT_EQ(UrlEncode("\xff\x0a"), "%FF%0A");
}

TEST_F(HttpFormTest, PostFormSendsTheFormWithItsHeadersAndReadsTheCodePageReply) {
  http.Queue(FakeHttpClient::Text("<r>\x82\xa0</r>", "text/xml"));
  CHttpForm form = Form();
  form.AddParam(QStringLiteral("mode"), QStringLiteral("list"));
  ASSERT_TRUE(form.PostForm());
  EXPECT_EQ(form.Reply(), u"<r>あ</r>");
  ASSERT_EQ(http.Requests().size(), 1);
  const HttpRequest& sent = http.Requests()[0];
  EXPECT_EQ(sent.url, kAddress);
  EXPECT_EQ(sent.body, "mode=list");
  EXPECT_EQ(Header(sent, "Accept"), "text/*");
  EXPECT_EQ(Header(sent, "User-Agent"), "Mozilla/4.0*");
  EXPECT_EQ(Header(sent, "Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

TEST_F(HttpFormTest, MultipartBodyHoldsEachParameterThenTheFilePart) {
  const QString path = folder.filePath(QStringLiteral("local name.qmp"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("line\r\n\x82\xa0");
  }
  http.Queue(FakeHttpClient::Text("0\r\nOK\r\n"));
  CHttpForm form = Form(QStringLiteral("http://svc/qmpupload"));
  form.AddParam(QStringLiteral("mail"), QStringLiteral("a@b"));
  form.AddParam(QStringLiteral("pub"),
                QStringLiteral("あ 1"));  // names and values are not url-encoded
  ASSERT_TRUE(form.PostMultipart(path));
  EXPECT_EQ(form.Reply(), u"0\nOK\n");  // carriage returns dropped
  const HttpRequest& sent = http.Requests().at(0);
  EXPECT_EQ(Header(sent, "Content-Type"), "multipart/form-data; boundary=-7da1091f160a20");
  EXPECT_EQ(sent.body,
            "---7da1091f160a20\r\n"
            "Content-Disposition: form-data; name=\"mail\"\r\n\r\n"
            "a@b\r\n"
            "---7da1091f160a20\r\n"
            "Content-Disposition: form-data; name=\"pub\"\r\n\r\n"
            "\x82\xa0 1\r\n"
            "---7da1091f160a20\r\n"
            "Content-Disposition: form-data; name=\"file\"; filename=\"qmp.txt\"\r\n"
            "Content-Type: application/octet-stream\r\n\r\n"
            "line\r\n\x82\xa0"
            "\r\n---7da1091f160a20--\r\n\r\n");
}

TEST_F(HttpFormTest, AFileThatCannotBeReadSendsNothingAndSaysNothing) {
  CHttpForm form = Form();
  EXPECT_FALSE(form.PostMultipart(folder.filePath(QStringLiteral("absent.qmp"))));
  EXPECT_TRUE(http.Requests().isEmpty());
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

TEST_F(HttpFormTest, AStatusOf300OrAboveFailsWithoutAMessage) {
  for (const int status : {300, 301, 404, 500}) {
    FakeHttpClient::Reply refused = FakeHttpClient::Text("refused");
    refused.status = status;
    http.Queue(refused);
    http.Queue(refused);
    refused.headers = {{"Content-Disposition", "attachment; filename=\"x.qmp\""}};
    http.Queue(refused);
    const QString path = folder.filePath(QStringLiteral("up.qmp"));
    QFile(path).open(QIODevice::WriteOnly);

    CHttpForm form = Form();
    EXPECT_FALSE(form.PostForm()) << status;
    EXPECT_TRUE(form.Reply().isEmpty());
    CHttpForm upload = Form();
    EXPECT_FALSE(upload.PostMultipart(path)) << status;
    CHttpForm download = Form();
    EXPECT_TRUE(download.PostDownload(folder.path()).isEmpty()) << status;
    EXPECT_TRUE(download.Reply().isEmpty());
    QFile::remove(path);
    EXPECT_TRUE(FolderEntries().isEmpty()) << status;
  }
  EXPECT_TRUE(prompt.Asked().isEmpty());
  // 299 is still a success.
  FakeHttpClient::Reply accepted = FakeHttpClient::Text("ok");
  accepted.status = 299;
  http.Queue(accepted);
  CHttpForm form = Form();
  EXPECT_TRUE(form.PostForm());
}

TEST_F(HttpFormTest, ATransportFailureIsShownAsAConnectionError) {
  http.Queue(FakeHttpClient::Error(QStringLiteral("Host not found")));
  CHttpForm form = Form();
  EXPECT_FALSE(form.PostForm());
  EXPECT_EQ(prompt.Asked(), QStringList{u"接続エラー：Host not found"_s});

  // At most 255 characters of the transport's text; a download shows the text alone.
  prompt.ClearAsked();
  const QString longText(300, u'x');
  http.Queue(FakeHttpClient::Error(longText));
  CHttpForm again = Form();
  EXPECT_FALSE(again.PostForm());
  EXPECT_EQ(prompt.Asked(),
            QStringList{res::kConnectionErrorPrefix.toString() + longText.left(255)});

  prompt.ClearAsked();
  FakeHttpClient::Reply broken;
  broken.chunks = {"part"};
  broken.error = QStringLiteral("Connection closed");
  broken.errorAfterBody = true;
  http.Queue(broken);
  CHttpForm download = Form();
  EXPECT_TRUE(download.PostDownload(folder.path()).isEmpty());
  EXPECT_EQ(prompt.Asked(), QStringList{u"Connection closed"_s});
  EXPECT_TRUE(FolderEntries().isEmpty());  // the part received is gone
}

TEST_F(HttpFormTest, AnAddressThatCannotBeParsedIsReportedAndNothingIsSent) {
  for (const QString& address : {u"localhost:8642/qmp"_s, u"ftp://host/x"_s, u"http:///x"_s,
                                 u"no address"_s, u"http://ho st/x"_s}) {
    prompt.ClearAsked();
    CHttpForm form = Form(address);
    EXPECT_FALSE(form.PostForm());
    EXPECT_EQ(prompt.Asked(), QStringList{address + u"の解析に失敗しました"_s})
        << address.toStdString();
    CHttpForm download = Form(address);
    EXPECT_TRUE(download.PostDownload(folder.path()).isEmpty());
  }
  EXPECT_TRUE(http.Requests().isEmpty());
  // Without any "/", a download ends before the address is even looked at.
  prompt.ClearAsked();
  CHttpForm bare = Form(QStringLiteral("nothing"));
  EXPECT_TRUE(bare.PostDownload(folder.path()).isEmpty());
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

TEST_F(HttpFormTest, ADownloadIsWrittenToItsFileAsItArrives) {
  FakeHttpClient::Reply file;
  file.headers = {{"Content-Type", "application/octet-stream"},
                  {"Content-Disposition", "attachment; filename=\"x.qmp\"; size=9"}};
  file.chunks = {"abc", "def", "ghi"};
  http.Queue(file);
  QList<qint64> partSizes;
  http.afterChunk = [&] {
    // While the reply runs, nothing has the final name yet, and the bytes so
    // far are on the disk in a file open in the folder (it may have no name).
    EXPECT_FALSE(QFile::exists(folder.filePath(u"x.qmp"_s)));
    const QDir descriptors(u"/proc/self/fd"_s);
    for (const QString& fd : descriptors.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
      const QFileInfo link(descriptors.filePath(fd));
      if (link.symLinkTarget().startsWith(QFileInfo(folder.path()).canonicalFilePath())) {
        partSizes.append(link.size());
      }
    }
  };
  CHttpForm form = Form();
  form.AddParam(QStringLiteral("fileid"), QStringLiteral("7"));
  const QString path = form.PostDownload(folder.path());
  EXPECT_EQ(path, folder.filePath(QStringLiteral("x.qmp")));
  EXPECT_EQ(ReadBytes(path), "abcdefghi");
  EXPECT_EQ(partSizes, (QList<qint64>{3, 6, 9}));
  EXPECT_EQ(FolderEntries(), QStringList{u"x.qmp"_s});
  EXPECT_EQ(wait.lastTotal, 9);
  EXPECT_EQ(http.Requests().at(0).body, "fileid=7");
  EXPECT_EQ(Header(http.Requests().at(0), "Content-Type"), "application/x-www-form-urlencoded");
}

TEST_F(HttpFormTest, WithoutAFileNameTheDownloadTakesTheAddresssLastSegment) {
  FakeHttpClient::Reply file;
  file.headers = {{"Content-Type", "application/octet-stream"}};
  file.chunks = {"bytes"};
  http.Queue(file);
  CHttpForm form = Form();
  const QString path = form.PostDownload(folder.path());
  EXPECT_EQ(path, folder.filePath(QStringLiteral("qmpdownload")));
  EXPECT_EQ(ReadBytes(path), "bytes");
}

TEST_F(HttpFormTest, AHostileFileNameNeverLeavesTheFolderNorHidesTheFile) {
  const struct {
    QByteArray header;
    QString saved;
  } kCases[] = {
      {"attachment; filename=\"../../escape.qmp\"", u"escape.qmp"_s},
      {"attachment; filename=\"..\\\\..\\\\win.qmp\"", u"win.qmp"_s},
      {"attachment; filename=\"/etc/passwd\"", u"passwd"_s},
      {"attachment; filename=\".bashrc\"", u"bashrc"_s},
      {"attachment; filename=\"..\"", u"qmpdownload"_s},
      {"attachment; filename=\":resource.qmp\"", u":resource.qmp"_s},
      {"attachment; filename=\"sub/\"", u"qmpdownload"_s},
      {QByteArray("attachment; filename=\"a\0b.qmp\"", 30), u"ab.qmp"_s},
      {"attachment; filename=\"" + QByteArray(300, 'n') + "\"", u"qmpdownload"_s},
      {"attachment; filename=\x82\xa0.qmp", u"あ.qmp"_s},
  };
  for (const auto& hostile : kCases) {
    FakeHttpClient::Reply file;
    file.headers = {{"Content-Type", "application/octet-stream"},
                    {"Content-Disposition", hostile.header}};
    file.chunks = {"x"};
    http.Queue(file);
    CHttpForm form = Form();
    const QString path = form.PostDownload(folder.path());
    EXPECT_EQ(path, PathInFolder(folder.path(), hostile.saved)) << hostile.header.toStdString();
    EXPECT_EQ(FolderEntries(), QStringList{hostile.saved}) << hostile.header.toStdString();
    QFile::remove(path);
  }
  EXPECT_FALSE(QFile::exists(QDir(folder.path()).absoluteFilePath(u"../escape.qmp"_s)));
}

TEST_F(HttpFormTest, ADownloadReplacesAPlantedLinkInsteadOfWritingThroughIt) {
  QTemporaryDir elsewhere;
  const QString victim = elsewhere.filePath(QStringLiteral("victim"));
  {
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("precious");
  }
  ASSERT_TRUE(QFile::link(victim, folder.filePath(QStringLiteral("x.qmp"))));
  FakeHttpClient::Reply file;
  file.headers = {{"Content-Disposition", "filename=x.qmp"}};
  file.chunks = {"new"};
  http.Queue(file);
  CHttpForm form = Form();
  const QString path = form.PostDownload(folder.path());
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_FALSE(QFileInfo(path).isSymLink());
  EXPECT_EQ(ReadBytes(victim), "precious");
}

TEST_F(HttpFormTest, APlainTextAnswerToADownloadIsAMessageAndLeavesNoFile) {
  http.Queue(FakeHttpClient::Text("3\r\n\x82\xa0 not found\r\n"));
  CHttpForm form = Form();
  EXPECT_TRUE(form.PostDownload(folder.path()).isEmpty());
  EXPECT_EQ(form.Reply(), u"3\nあ not found\n");
  EXPECT_TRUE(FolderEntries().isEmpty());
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

TEST_F(HttpFormTest, ADownloadThatCannotBeWrittenIsReportedAndLeavesNothing) {
  FakeHttpClient::Reply file;
  file.headers = {{"Content-Disposition", "filename=x.qmp"}};
  file.chunks = {"abc"};
  http.Queue(file);
  CHttpForm form = Form();
  const QString missing = folder.filePath(QStringLiteral("no such folder"));
  EXPECT_TRUE(form.PostDownload(missing).isEmpty());
  ASSERT_EQ(prompt.Asked().size(), 1);
  EXPECT_TRUE(prompt.Asked()[0].startsWith(res::kCannotWrite.toString()));
}

TEST_F(HttpFormTest, ATextReplyTooLargeForAMessageFailsWithAReport) {
  FakeHttpClient::Reply huge = FakeHttpClient::Text(QByteArray(CHttpForm::kMaxReplyBytes / 2, 'x'));
  huge.chunks.append(huge.chunks[0]);
  huge.chunks.append("!");
  http.Queue(huge);
  CHttpForm form = Form();
  EXPECT_FALSE(form.PostForm());
  EXPECT_TRUE(form.Reply().isEmpty());
  EXPECT_EQ(prompt.Asked(), QStringList{res::kReplyTooLarge.toString()});
}

TEST_F(HttpFormTest, ACancelledTransferFailsWithoutAMessageAndLeavesNothing) {
  FakeHttpClient::Reply held;
  held.headers = {{"Content-Disposition", "filename=x.qmp"}};
  held.chunks = {"abc"};
  held.hold = true;
  http.Queue(held);
  http.Queue(held);
  CHttpForm download = Form();
  EXPECT_TRUE(download.PostDownload(folder.path()).isEmpty());
  CHttpForm form = Form();
  EXPECT_FALSE(form.PostForm());
  EXPECT_TRUE(prompt.Asked().isEmpty());
  EXPECT_TRUE(FolderEntries().isEmpty());
}

TEST(HttpReplyTest, TextRepliesAreDecodedByTheirCharset) {
  const QByteArray sjis = "\x82\xa0\x41";
  EXPECT_EQ(DecodeTextReply("text/plain", sjis), u"あA");
  EXPECT_EQ(DecodeTextReply("text/plain; charset=Shift_JIS", sjis), u"あA");
  EXPECT_EQ(DecodeTextReply("text/plain;charset=\"cp932\"", sjis), u"あA");
  EXPECT_EQ(DecodeTextReply("text/plain; Charset=Windows-31J", sjis), u"あA");
  EXPECT_EQ(DecodeTextReply("text/plain; charset=unheard-of", sjis), u"あA");
  EXPECT_EQ(DecodeTextReply("text/plain; charset=UTF-8",
                            "\xe3\x81\x82"
                            "A"),
            u"あA");
  EXPECT_EQ(DecodeTextReply("text/plain; charset=utf-8",
                            "\xef\xbb\xbf"
                            "A"),
            u"A");
  EXPECT_EQ(DecodeTextReply("text/plain; charset=UTF-16", QByteArray("\xff\xfe\x42\x30", 4)),
            u"あ");
  EXPECT_EQ(DecodeTextReply("text/plain; charset=UTF-16", QByteArray("\xfe\xff\x30\x42", 4)),
            u"あ");
  EXPECT_EQ(DecodeTextReply("text/plain; charset=UTF-16", QByteArray("\x42\x30", 2)), u"あ");
  EXPECT_EQ(DecodeTextReply("text/plain; charset=UTF-16LE", QByteArray("\x30\x00", 2)), u"0");
  EXPECT_EQ(DecodeTextReply("text/plain; charset=UTF-16BE", QByteArray("\x00\x30", 2)), u"0");
  EXPECT_EQ(MediaTypeOf(" Text/Plain ; charset=x"), "text/plain");
}

TEST(HttpReplyTest, TheFileNameIsTakenFromTheFirstHeaderThatNamesOne) {
  EXPECT_EQ(DownloadNameFromHeaders({{"Content-Type", "application/octet-stream"}}), u"");
  EXPECT_EQ(DownloadNameFromHeaders({{"X-Other", "a"},
                                     {"Content-Disposition", "attachment; filename=\"x.qmp\""},
                                     {"X-Later", "filename=y.qmp"}}),
            u"x.qmp");
  EXPECT_EQ(DownloadNameFromHeaders({{"Content-Disposition", "attachment; filename=a b.qmp"}}),
            u"a b.qmp");
  EXPECT_EQ(DownloadNameFromHeaders({{"Content-Disposition", "filename=\"open.qmp"}}), u"open.qmp");
}

}  // namespace
}  // namespace qm
