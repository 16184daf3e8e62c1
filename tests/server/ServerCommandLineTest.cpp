// The administration verbs, run in-process over a temporary database.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "ServiceFixture.h"
#include "net/RequestKey.h"
#include "res/ServerStrings.h"
#include "server/HttpServer.h"
#include "server/ServerCommandLine.h"

namespace qm::server::test {
namespace {

class ServerCommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureCoreApp();
    ASSERT_TRUE(m_dir.isValid());
  }

  QString Db() const { return m_dir.filePath(QStringLiteral("admin.sqlite")); }
  QString Copy() const { return m_dir.filePath(QStringLiteral("copy.sqlite")); }

  // Files a failed or finished backup left under a temporary name.
  QStringList Leftovers() const {
    return QDir(m_dir.path()).entryList({QStringLiteral("*.partial-*")}, QDir::Files);
  }

  // Runs the verb with --db and the given standard input lines.
  int Run(QStringList arguments, QList<QByteArray> input = {}) {
    m_out.clear();
    m_err.clear();
    ServerIo io;
    io.readLine = [&input]() -> std::optional<QByteArray> {
      if (input.isEmpty()) return std::nullopt;
      return input.takeFirst();
    };
    io.out = [this](const QString& text) { m_out += text; };
    io.err = [this](const QString& text) { m_err += text; };
    return RunServerCommand(arguments, Db(), m_clock, io);
  }

  QTemporaryDir m_dir;
  qm::test::FakeClock m_clock;
  QString m_out;
  QString m_err;
};

TEST_F(ServerCommandLineTest, AddUserStoresTheDigestOfTheLineOnStandardInput) {
  EXPECT_EQ(Run({"add-user", "a@example.com"}, {"パスワード\r"}), 0) << m_err.toStdString();
  EXPECT_TRUE(m_out.contains(u"a@example.com"));
  // Nothing the verb says repeats the password.
  EXPECT_FALSE((m_out + m_err).contains(u"パスワード"));
  QString error;
  const auto storage = Storage::OpenSqlite(Db(), &error);
  ASSERT_TRUE(storage);
  QString digest;
  ASSERT_EQ(storage->PasswordDigestOf("a@example.com", digest), StoreResult::kOk);
  EXPECT_EQ(digest, PasswordDigest(QStringLiteral("パスワード")));
}

TEST_F(ServerCommandLineTest, AddUserRefusesNoPasswordABadMailAndAnExistingAccount) {
  EXPECT_EQ(Run({"add-user", "a@example.com"}), 1);
  EXPECT_TRUE(m_err.startsWith(res::kServerEmptyPassword));
  EXPECT_EQ(Run({"add-user", "a@example.com"}, {""}), 1);
  EXPECT_EQ(Run({"add-user", "a b@example.com"}, {"pw"}), 1);
  EXPECT_TRUE(m_err.startsWith(res::kServerBadMail));
  EXPECT_EQ(Run({"add-user", "a@example.com"}, {"pw"}), 0);
  EXPECT_EQ(Run({"add-user", "a@example.com"}, {"other"}), 1);
  EXPECT_TRUE(m_err.startsWith(res::kServerUserExists));
}

TEST_F(ServerCommandLineTest, ListAndRemoveUsers) {
  ASSERT_EQ(Run({"add-user", "b@example.com"}, {"pw"}), 0);
  ASSERT_EQ(Run({"add-user", "a@example.com"}, {"pw"}), 0);
  EXPECT_EQ(Run({"list-users"}), 0);
  EXPECT_EQ(m_out, u"a@example.com\t0\t0\nb@example.com\t0\t0\n");
  EXPECT_EQ(Run({"remove-user", "a@example.com"}), 0);
  EXPECT_EQ(Run({"remove-user", "a@example.com"}), 1);
  EXPECT_TRUE(m_err.startsWith(res::kServerNoSuchUser));
  EXPECT_EQ(Run({"list-users", "--db", Db()}), 0);
  EXPECT_EQ(m_out, u"b@example.com\t0\t0\n");
}

TEST_F(ServerCommandLineTest, UsageErrorsExitWithTwo) {
  const QList<QStringList> wrong = {
      {},
      {"help"},
      {"add-user"},
      {"add-user", "a@example.com", "b@example.com"},
      {"list-users", "extra"},
      {"list-users", "--db"},
      {"list-users", "--verbose"},
      {"list-users", "--listen", "127.0.0.1:1"},
      {"serve", "--tls-cert", "cert.pem"},
      {"serve", "--listen", "localhost"},
      {"serve", "--listen", "127.0.0.1:70000"},
      {"backup"},
      {"backup", "a.sqlite", "b.sqlite"},
      {"backup", "a.sqlite", "--listen", "127.0.0.1:1"},
  };
  for (const QStringList& arguments : wrong) {
    EXPECT_EQ(Run(arguments), 2) << arguments.join(u' ').toStdString();
    EXPECT_EQ(m_err, res::kServerUsage);
  }
  EXPECT_TRUE(m_err.contains(u"quillmap-server backup OUT [--db PATH]")) << m_err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral("a.sqlite"))));
}

TEST_F(ServerCommandLineTest, BackupNeverReplacesAFileNorLeavesAPartialOne) {
  ASSERT_EQ(Run({"add-user", "a@example.com"}, {"pw"}), 0);
  {
    QFile existing(Copy());
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("yesterday's copy");
  }
  EXPECT_EQ(Run({"backup", Copy()}), 1);
  EXPECT_EQ(m_err, res::kServerBackupExists.toString() + Copy() + u'\n');
  QFile kept(Copy());
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "yesterday's copy");

  // A link pointing nowhere is not replaced either.
  const QString link = m_dir.filePath(QStringLiteral("link.sqlite"));
  ASSERT_TRUE(QFile::link(m_dir.filePath(QStringLiteral("nowhere")), link));
  EXPECT_EQ(Run({"backup", link}), 1);
  EXPECT_TRUE(m_err.startsWith(res::kServerBackupExists)) << m_err.toStdString();

  const QString unreachable = m_dir.filePath(QStringLiteral("missing/copy.sqlite"));
  EXPECT_EQ(Run({"backup", unreachable}), 1);
  EXPECT_TRUE(m_err.startsWith(res::kServerBackupFailed.toString() + unreachable))
      << m_err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(unreachable));

  // A mistyped --db is a failure, not the backup of a new empty database.
  const QString typo = m_dir.filePath(QStringLiteral("amdin.sqlite"));
  const QString other = m_dir.filePath(QStringLiteral("other.sqlite"));
  EXPECT_EQ(Run({"backup", other, "--db", typo}), 1);
  EXPECT_EQ(m_err, res::kServerNoDatabase.toString() + typo + u'\n');
  EXPECT_FALSE(QFileInfo::exists(typo));
  EXPECT_FALSE(QFileInfo::exists(other));
  EXPECT_EQ(Leftovers(), QStringList());
}

TEST_F(ServerCommandLineTest, NewerDatabaseIsAFailureWithItsReason) {
  ASSERT_EQ(Run({"add-user", "a@example.com"}, {"pw"}), 0);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
    db.setDatabaseName(Db());
    ASSERT_TRUE(db.open());
    QSqlQuery(db).exec(QStringLiteral("UPDATE schema_version SET version = 999"));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("raw"));
  EXPECT_EQ(Run({"list-users"}), 1);
  EXPECT_TRUE(m_err.contains(u"999")) << m_err.toStdString();
}

TEST(ListenAddressTest, ReadsHostAndPort) {
  ListenOptions options;
  ASSERT_TRUE(ParseListenAddress(QStringLiteral("0.0.0.0:80"), options));
  EXPECT_EQ(options.host, u"0.0.0.0");
  EXPECT_EQ(options.port, 80);
  ASSERT_TRUE(ParseListenAddress(QStringLiteral("[::1]:8642"), options));
  EXPECT_EQ(options.host, u"::1");
  EXPECT_FALSE(ParseListenAddress(QStringLiteral("::1:8642"), options));
  EXPECT_FALSE(ParseListenAddress(QStringLiteral("host:"), options));
}

}  // namespace
}  // namespace qm::server::test
