// quillmap-cli's web verbs against a real quillmap-server on a free loopback
// port with a fresh database, over the real HTTP client: what a script that
// moves outlines to and from a server sees.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "cli/CliRunner.h"
#include "net/WebAccount.h"
#include "net/WebFileClient.h"
#include "platform/FileIo.h"
#include "platform/MemorySettingsStore.h"
#include "res/NetStrings.h"
#include "res/ServerStrings.h"
#include "support/QtPrinting.h"
#include "support/ServerProcess.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

void EnsureCoreApp() {
  static int argc = 1;
  static char name[] = "qm_cli_test";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

// One account's view of the server: its settings and the last run's output.
class Account {
 public:
  Account(const QString& server, const QString& mail, const QString& password,
          const QString& tempFolder) {
    StoreWebAccount(m_settings, {mail, password});
    m_settings.WriteString(u"Web"_s, u"AccountHost"_s, server);
    m_settings.WriteString(u"Web"_s, u"ServiceHost"_s, server);
    m_ports.tempFolder = tempFolder;
  }

  int Run(const QStringList& arguments) {
    m_streams = {};
    return RunCli(QStringList{u"web"_s} + arguments, m_settings, m_streams, {}, m_ports);
  }
  QString Out() const { return QString::fromUtf8(m_streams.out); }
  QString Err() const { return QString::fromUtf8(m_streams.err); }
  std::string Why() const { return Err().toStdString(); }

 private:
  MemorySettingsStore m_settings;
  CliStreams m_streams;
  CliWebPorts m_ports;
};

class WebEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureCoreApp();
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkdir(u"downloads"_s);
    const QString db = dir.filePath(u"e2e.sqlite"_s);
    ASSERT_TRUE(test::ServerProcess::AddUser(QM_SERVER_EXE, db, u"a@example.com"_s, u"secret"_s));
    ASSERT_TRUE(test::ServerProcess::AddUser(QM_SERVER_EXE, db, u"b@example.com"_s, u"other"_s));
    QString error;
    ASSERT_TRUE(server.Start(QM_SERVER_EXE, db, &error)) << error.toStdString();
  }
  void TearDown() override {
    EXPECT_EQ(server.Stop(), 0) << server.Log().toStdString();
    EXPECT_TRUE(QDir(Path("downloads")).isEmpty());  // no temporary file left behind
  }

  Account As(const char* mail, const char* password) {
    return Account(server.BaseUrl(), QString::fromUtf8(mail), QString::fromUtf8(password),
                   Path("downloads"));
  }
  QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
  void Write(const char* name, const QByteArray& bytes) {
    ASSERT_TRUE(WriteFileReplacing(Path(name), bytes));
  }

  QTemporaryDir dir;
  test::ServerProcess server;
};

TEST_F(WebEndToEnd, SaveListUpdateAndOpenComeBackByteForByte) {
  Account a = As("a@example.com", "secret");
  const QByteArray first = "[Quillmap]\r\n.最初\r\n本文\r\n";
  const QByteArray second = "[Quillmap]\r\n.二度目\r\n\r\n.子\r\n";
  Write("first.qmp", first);
  Write("second.qmp", second);

  // Several runs within one second: a ticket request dated with a second
  // another run used is refused as a replay and asked again with the next.
  ASSERT_EQ(a.Run({"save", Path("first.qmp"), "--title", "e2e & <メモ>"}), 0) << a.Why();
  const QString id = a.Out().trimmed();
  ASSERT_FALSE(id.isEmpty());
  ASSERT_EQ(a.Run({"list"}), 0) << a.Why();
  const QStringList line = a.Out().chopped(1).split(u'\t');
  ASSERT_EQ(line.size(), 3) << a.Out().toStdString();
  EXPECT_EQ(line[0], id);
  EXPECT_FALSE(line[1].isEmpty());
  EXPECT_EQ(line[2], u"e2e & <メモ>");

  ASSERT_EQ(a.Run({"open", id, Path("back.qmp")}), 0) << a.Why();
  EXPECT_EQ(ReadFile(Path("back.qmp")).bytes, first);

  ASSERT_EQ(a.Run({"update", Path("second.qmp"), id}), 0) << a.Why();
  ASSERT_EQ(a.Run({"open", id, Path("back.qmp")}), 0) << a.Why();
  EXPECT_EQ(ReadFile(Path("back.qmp")).bytes, second);
  ASSERT_EQ(a.Run({"list"}), 0) << a.Why();
  EXPECT_TRUE(a.Out().endsWith(u"\te2e & <メモ>\n")) << a.Out().toStdString();  // title kept

  ASSERT_EQ(a.Run({"update", Path("first.qmp"), id, "--title", "改題"}), 0) << a.Why();
  ASSERT_EQ(a.Run({"list"}), 0) << a.Why();
  EXPECT_TRUE(a.Out().endsWith(u"\t改題\n")) << a.Out().toStdString();
}

TEST_F(WebEndToEnd, RefusalsAreSaidAndChangeNothingStored) {
  Account a = As("a@example.com", "secret");
  const QByteArray stored = "[Quillmap]\r\n.Aのもの\r\n";
  Write("a.qmp", stored);
  Write("intruder.qmp", "[Quillmap]\r\n.上書き\r\n");
  Write("big.qmp", QByteArray(kMaxUploadBytes + 1, '.'));
  ASSERT_EQ(a.Run({"save", Path("a.qmp"), "--title", "A"}), 0) << a.Why();
  const QString id = a.Out().trimmed();
  ASSERT_EQ(a.Run({"list"}), 0) << a.Why();
  const QString listed = a.Out();

  Account wrong = As("a@example.com", "guess");
  EXPECT_EQ(wrong.Run({"list"}), 1);
  EXPECT_EQ(wrong.Err(), res::kServerWrongAccount.toString() + u'\n');
  EXPECT_EQ(wrong.Run({"update", Path("intruder.qmp"), id, "--title", "x"}), 1);
  EXPECT_EQ(wrong.Err(), res::kServerWrongAccount.toString() + u'\n');

  // Another account sees no such file, to read or to write.
  Account b = As("b@example.com", "other");
  EXPECT_EQ(b.Run({"open", id, Path("stolen.qmp")}), 1);
  EXPECT_EQ(b.Err(), res::kServerNoSuchFile.toString() + u'\n');
  EXPECT_FALSE(QFile::exists(Path("stolen.qmp")));
  EXPECT_EQ(b.Run({"update", Path("intruder.qmp"), id}), 1);
  EXPECT_EQ(b.Err(), res::kServerNoSuchFile.toString() + u'\n');
  EXPECT_EQ(b.Run({"update", Path("intruder.qmp"), id, "--title", "x"}), 1);
  EXPECT_EQ(b.Err(), res::kServerNoSuchFile.toString() + u'\n');
  ASSERT_EQ(b.Run({"list"}), 0) << b.Why();
  EXPECT_EQ(b.Out(), u"");

  EXPECT_EQ(a.Run({"save", Path("big.qmp"), "--title", "big"}), 1);
  EXPECT_EQ(a.Err(), res::kUploadSizeLimit.toString() + u'\n');
  EXPECT_EQ(a.Run({"update", Path("big.qmp"), id}), 1);
  EXPECT_EQ(a.Err(), res::kUploadSizeLimit.toString() + u'\n');

  ASSERT_EQ(a.Run({"list"}), 0) << a.Why();
  EXPECT_EQ(a.Out(), listed);
  ASSERT_EQ(a.Run({"open", id, Path("back.qmp")}), 0) << a.Why();
  EXPECT_EQ(ReadFile(Path("back.qmp")).bytes, stored);
}

}  // namespace
}  // namespace qm
