// The web verbs of quillmap-cli over a fake transport: what they send, what
// they print, and how they fail.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "cli/CliRunner.h"
#include "net/RequestKey.h"
#include "net/WebAccount.h"
#include "net/WebFileClient.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/MemorySettingsStore.h"
#include "res/NetStrings.h"
#include "res/Strings.h"
#include "support/FakeClock.h"
#include "support/FakeHttpClient.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;
using test::FakeHttpClient;
constexpr auto Xml = FakeHttpClient::Xml;

class CliWeb : public ::testing::Test {
 protected:
  CliWeb() {
    StoreWebAccount(settings, {u"me@example.jp"_s, u"secret"_s});
    ports = {&http, &wait, &clock, temp.path()};
  }

  int Run(const QStringList& arguments) { return Run(arguments, settings); }
  int Run(const QStringList& arguments, const SettingsStore& store) {
    streams.out.clear();
    streams.err.clear();
    return RunCli(arguments, store, streams, {}, ports);
  }
  QString Out() const { return QString::fromUtf8(streams.out); }
  QString Err() const { return QString::fromUtf8(streams.err); }
  QString File(const char* name) const {
    return QDir(files.path()).filePath(QString::fromUtf8(name));
  }
  void Write(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(WriteFileReplacing(path, bytes));
  }
  // The value of name in the url-encoded request index.
  QString Param(int index, QByteArrayView name) const {
    for (const QByteArray& pair : http.Requests().at(index).body.split('&')) {
      if (!pair.startsWith(name.toByteArray() + '=')) continue;
      QByteArray value = pair.sliced(name.size() + 1);
      value.replace('+', ' ');
      CodePage codePage;
      return codePage.Decode(QByteArray::fromPercentEncoding(value));
    }
    return QString();
  }

  MemorySettingsStore settings;
  CliStreams streams;
  FakeHttpClient http;
  test::FakeTransferWait wait;
  test::FakeClock clock;
  QTemporaryDir temp;   // the client's downloads
  QTemporaryDir files;  // the test's own files
  CliWebPorts ports;
};

TEST_F(CliWeb, MalformedWebCommandsAreUsageErrors) {
  const QString in = File("in.qmp");
  Write(in, "x");
  for (const QStringList& arguments : {QStringList{"web"},
                                       {"web", "frob"},
                                       {"web", "list", "extra"},
                                       {"web", "open", "ID"},
                                       {"web", "save", in},
                                       {"web", "update", in},
                                       {"web", "list", "--title", "t"},
                                       {"web", "list", "--wz"},
                                       {"web", "save", in, "--title"},
                                       {"dump", in, "--password-stdin"},
                                       {"dump", in, "--title=t"}}) {
    EXPECT_EQ(Run(arguments), 2) << arguments.join(u' ').toStdString();
    EXPECT_TRUE(Err().contains(u"quillmap-cli web save IN --title TITLE")) << Err().toStdString();
  }
  EXPECT_EQ(Run({"web", "list", "--set", "nonsense"}), 2);
  EXPECT_TRUE(http.Requests().isEmpty());
}

TEST_F(CliWeb, WithoutAnAccountNothingIsSent) {
  MemorySettingsStore empty;
  EXPECT_EQ(Run({"web", "list"}, empty), 1);
  EXPECT_EQ(Err(), res::kNoWebAccount.toString() + u'\n');
  // A mail without a password is no account either.
  EXPECT_EQ(Run({"web", "list", "--set", "System/WebID=me@example.jp"}, empty), 1);
  EXPECT_EQ(Err(), res::kNoWebAccount.toString() + u'\n');
  EXPECT_TRUE(http.Requests().isEmpty());
}

TEST_F(CliWeb, ThePasswordCanComeFromStandardInput) {
  settings.WriteString(u"System"_s, u"WP"_s, QString());
  int reads = 0;
  streams.readLine = [&]() -> std::optional<QByteArray> {
    ++reads;
    return QByteArray("pässword");
  };
  http.Queue(Xml(u"<r><key>k</key></r>"));
  ASSERT_EQ(
      Run({"web", "list", "--password-stdin", "--set", "Web/AccountHost=http://acct.example:1"}), 0)
      << Err().toStdString();
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(http.Requests().at(0).url, u"http://acct.example:1/qmp/qmpfile.php");
  EXPECT_EQ(Param(0, "pass"), RequestKey(u"pässword"_s, Param(0, "date")));

  // Nothing to read is said as such, and nothing is sent.
  streams.readLine = [] { return std::optional<QByteArray>(); };
  EXPECT_EQ(Run({"web", "list", "--password-stdin"}), 1);
  EXPECT_EQ(Err(), res::kCliNoPasswordInput.toString() + u'\n');
  EXPECT_EQ(http.Requests().size(), 1);
}

TEST_F(CliWeb, ListPrintsIdUpdateAndTitleOneFilePerLine) {
  http.Queue(Xml(
      u"<list><key>k</key>"
      "<file><title>会議\tメモ</title><fileid>a1</fileid><update>2010/3/7</update></file>"
      "<file><title>b &amp; c</title><fileid>b2</fileid><update>2011/1/1</update></file></list>"));
  ASSERT_EQ(Run({"web", "list"}), 0) << Err().toStdString();
  EXPECT_EQ(Out(), u"a1\t2010/3/7\t会議 メモ\nb2\t2011/1/1\tb & c\n");
  EXPECT_EQ(Param(0, "mode"), u"list");
  EXPECT_EQ(Param(0, "pass"), RequestKey(u"secret"_s, Param(0, "date")));
}

TEST_F(CliWeb, OpenWritesTheDownloadToOutAndKeepsNoTemporaryFile) {
  const QString out = File("out.qmp");
  Write(out, "old");
  http.Queue(Xml(u"<r><key>K</key><date>D</date></r>"));
  FakeHttpClient::Reply file;
  file.headers = {{"Content-Disposition", "attachment; filename=\"a1.qmp\""}};
  file.chunks = {"[Quill", "map]\r\n"};
  http.Queue(file);
  ASSERT_EQ(Run({"web", "open", "a1", out}), 0) << Err().toStdString();
  EXPECT_EQ(ReadFile(out).bytes, "[Quillmap]\r\n");
  EXPECT_TRUE(QDir(temp.path()).isEmpty());
  EXPECT_EQ(Param(1, "fileid"), u"a1");

  // A refusal leaves OUT as it was.
  http.Queue(Xml(u"<r><error>5</error><errormes>ファイルがありません</errormes></r>"));
  EXPECT_EQ(Run({"web", "open", "zz", out}), 1);
  EXPECT_EQ(Err(), u"ファイルがありません\n");
  EXPECT_EQ(ReadFile(out).bytes, "[Quillmap]\r\n");
}

TEST_F(CliWeb, SavePrintsTheNewIdAndUpdateKeepsTheTitleUnlessGiven) {
  const QString in = File("in.qmp");
  Write(in, "outline");
  http.Queue(Xml(u"<r><key>K</key><fileid>new7</fileid></r>"));
  http.Queue(FakeHttpClient::Text("0\nOK\n"));
  ASSERT_EQ(Run({"web", "save", in, "--title", "メモ"}), 0) << Err().toStdString();
  EXPECT_EQ(Out(), u"new7\n");
  EXPECT_EQ(Param(0, "mode"), u"saveas");
  EXPECT_EQ(Param(0, "title"), u"メモ");
  EXPECT_TRUE(http.Requests().at(1).body.contains("\r\n\r\noutline\r\n"));

  // The web file's own title, from a read ticket, goes with the update;
  // the second ticket in the same second was refused once and asked again.
  http.Queue(Xml(u"<r><key>R</key><title>元の題</title></r>"));
  http.Queue(Xml(u"<r><error>4</error></r>"));
  http.Queue(Xml(u"<r><key>S</key></r>"));
  http.Queue(FakeHttpClient::Text("0\n"));
  ASSERT_EQ(Run({"web", "update", in, "new7"}), 0) << Err().toStdString();
  EXPECT_EQ(Out(), u"");
  EXPECT_EQ(Param(2, "mode"), u"read");
  EXPECT_EQ(Param(4, "mode"), u"save");
  EXPECT_EQ(Param(4, "title"), u"元の題");
  EXPECT_EQ(Param(4, "fileid"), u"new7");
  EXPECT_EQ(http.Requests().at(5).url, u"http://localhost:8642/qmpupdate");

  http.Queue(Xml(u"<r><key>S</key></r>"));
  http.Queue(FakeHttpClient::Text("0\n"));
  ASSERT_EQ(Run({"web", "update", in, "new7", "--title=新しい題"}), 0) << Err().toStdString();
  EXPECT_EQ(Param(6, "mode"), u"save");
  EXPECT_EQ(Param(6, "title"), u"新しい題");
}

TEST_F(CliWeb, AnOversizedUploadIsRefusedBeforeSending) {
  const QString in = File("big.qmp");
  Write(in, QByteArray(kMaxUploadBytes + 1, 'x'));
  EXPECT_EQ(Run({"web", "save", in, "--title", "t"}), 1);
  EXPECT_EQ(Err(), res::kUploadSizeLimit.toString() + u'\n');
  EXPECT_EQ(Run({"web", "update", in, "a1"}), 1);
  EXPECT_EQ(Err(), res::kUploadSizeLimit.toString() + u'\n');
  EXPECT_TRUE(http.Requests().isEmpty());
}

TEST_F(CliWeb, FailuresPrintTheServicesOrTheTransportsOwnMessage) {
  const QString in = File("in.qmp");
  Write(in, "outline");
  http.Queue(Xml(u"<r><error>2</error><errormes>パスワードが違います</errormes></r>"));
  EXPECT_EQ(Run({"web", "list"}), 1);
  EXPECT_EQ(Err(), u"パスワードが違います\n");
  EXPECT_EQ(Out(), u"");

  // The file store's code and message.
  http.Queue(Xml(u"<r><key>K</key></r>"));
  http.Queue(FakeHttpClient::Text("6\n\x83\x60\x83\x50\x83\x62\x83\x67\n"));  // チケット
  EXPECT_EQ(Run({"web", "save", in, "--title", "t"}), 1);
  EXPECT_EQ(Err(), u"チケット\n");

  // A refusal without a message still says something.
  http.Queue(Xml(u"<r><error>9</error></r>"));
  EXPECT_EQ(Run({"web", "list"}), 1);
  EXPECT_EQ(Err(), res::kCliWebRefused.toString() + u"9\n"_s);

  // The transport says its own failure once.
  http.Queue(FakeHttpClient::Error(u"refused"_s));
  EXPECT_EQ(Run({"web", "list"}), 1);
  EXPECT_EQ(Err(), res::kConnectionErrorPrefix.toString() + u"refused\n"_s);

  // An input that cannot be read is never announced to the service.
  const qsizetype sent = http.Requests().size();
  EXPECT_EQ(Run({"web", "save", File("absent.qmp"), "--title", "t"}), 1);
  EXPECT_TRUE(Err().startsWith(res::kCannotOpenFile)) << Err().toStdString();
  EXPECT_EQ(http.Requests().size(), sent);
}

}  // namespace
}  // namespace qm
