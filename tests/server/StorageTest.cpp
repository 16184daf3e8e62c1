// The database file: its schema steps, the refusal of a newer one, and the
// storage rules the handlers rely on.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "ServiceFixture.h"
#include "server/Migrations.h"
#include "server/ServiceRules.h"
#include "server/Storage.h"

namespace qm::server::test {
namespace {

class StorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureCoreApp();
    ASSERT_TRUE(m_dir.isValid());
  }

  QString Path() const { return m_dir.filePath(QStringLiteral("store.sqlite")); }

  // Runs one statement on the file through a connection of its own.
  QVariant Query(const QString& statement) {
    QVariant result;
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
      db.setDatabaseName(Path());
      EXPECT_TRUE(db.open());
      QSqlQuery query(db);
      EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
      if (query.next()) result = query.value(0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return result;
  }

  QTemporaryDir m_dir;
};

TEST_F(StorageTest, FreshFileGetsTheWholeSchemaInWalMode) {
  QString error;
  {
    const auto storage = Storage::OpenSqlite(Path(), &error);
    ASSERT_TRUE(storage) << error.toStdString();
  }
  EXPECT_EQ(Query("SELECT MAX(version) FROM schema_version").toInt(), LatestSchemaVersion());
  EXPECT_EQ(Query("SELECT COUNT(*) FROM schema_version").toInt(), 1);
  EXPECT_EQ(Query("PRAGMA journal_mode").toString(), u"wal");
  for (const char* table : {"accounts", "files", "tickets", "used_keys"}) {
    EXPECT_EQ(Query(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt(), 0) << table;
  }
}

TEST_F(StorageTest, OpeningAgainChangesNothing) {
  QString error;
  {
    const auto storage = Storage::OpenSqlite(Path(), &error);
    ASSERT_TRUE(storage);
    ASSERT_EQ(storage->AddAccount("a@example.com", "digest", 1), StoreResult::kOk);
  }
  const auto again = Storage::OpenSqlite(Path(), &error);
  ASSERT_TRUE(again) << error.toStdString();
  QString digest;
  EXPECT_EQ(again->PasswordDigestOf("a@example.com", digest), StoreResult::kOk);
  EXPECT_EQ(digest, u"digest");
  EXPECT_EQ(Query("SELECT COUNT(*) FROM schema_version").toInt(), 1);
}

TEST_F(StorageTest, NewerDatabaseIsRefusedUntouched) {
  QString error;
  { ASSERT_TRUE(Storage::OpenSqlite(Path(), &error)); }
  const int newer = LatestSchemaVersion() + 1;
  Query(QStringLiteral("UPDATE schema_version SET version = %1").arg(newer));
  EXPECT_FALSE(Storage::OpenSqlite(Path(), &error));
  EXPECT_TRUE(error.contains(QString::number(newer))) << error.toStdString();
  EXPECT_TRUE(error.contains(Path())) << error.toStdString();
  EXPECT_EQ(Query("SELECT version FROM schema_version").toInt(), newer);
}

TEST_F(StorageTest, UnreadableFileIsReportedWithItsPath) {
  QFile file(Path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4096, 'x'));
  file.close();
  QString error;
  EXPECT_FALSE(Storage::OpenSqlite(Path(), &error));
  EXPECT_TRUE(error.contains(Path())) << error.toStdString();
}

TEST_F(StorageTest, RemovingAnAccountRemovesItsFilesOnly) {
  QString error;
  const auto storage = Storage::OpenSqlite(Path(), &error);
  ASSERT_TRUE(storage);
  ASSERT_EQ(storage->AddAccount("a@example.com", "d", 1), StoreResult::kOk);
  ASSERT_EQ(storage->AddAccount("b@example.com", "d", 1), StoreResult::kOk);
  EXPECT_EQ(storage->AddAccount("a@example.com", "other", 1), StoreResult::kExists);
  for (const char* mail : {"a@example.com", "b@example.com"}) {
    const Ticket ticket{RandomToken(), mail, "upload", RandomToken(), "t", "date", 100};
    ASSERT_EQ(storage->IssueTicket(ticket), StoreResult::kOk);
    ASSERT_EQ(storage->CreateWithTicket(ticket, 50, "content"), StoreResult::kOk);
  }
  EXPECT_EQ(storage->RemoveAccount("a@example.com"), StoreResult::kOk);
  EXPECT_EQ(storage->RemoveAccount("a@example.com"), StoreResult::kNotFound);
  QList<AccountEntry> accounts;
  ASSERT_EQ(storage->ListAccounts(accounts), StoreResult::kOk);
  ASSERT_EQ(accounts.size(), 1);
  EXPECT_EQ(accounts[0].mail, u"b@example.com");
  EXPECT_EQ(accounts[0].files, 1);
  EXPECT_EQ(accounts[0].bytes, 7);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM files").toInt(), 1);
}

TEST_F(StorageTest, FailedUpdateKeepsTheOldFileAndTheTicket) {
  QString error;
  const auto storage = Storage::OpenSqlite(Path(), &error);
  ASSERT_TRUE(storage);
  ASSERT_EQ(storage->AddAccount("a@example.com", "d", 1), StoreResult::kOk);
  // An update ticket for a file that is not there: nothing is written and
  // the ticket is not spent.
  const Ticket ticket{RandomToken(), "a@example.com", "update", "missing", "t", "date", 100};
  ASSERT_EQ(storage->IssueTicket(ticket), StoreResult::kOk);
  EXPECT_EQ(storage->UpdateWithTicket(ticket, 50, "new"), StoreResult::kNotFound);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM tickets").toInt(), 1);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM files").toInt(), 0);
}

TEST_F(StorageTest, CopyHoldsWhatWasCommittedAndDoesNotWaitForAWriter) {
  QString error;
  const auto storage = Storage::OpenSqlite(Path(), &error);
  ASSERT_TRUE(storage);
  EXPECT_EQ(storage->Check(), StoreResult::kOk);
  ASSERT_EQ(storage->AddAccount("a@example.com", "d", 1), StoreResult::kOk);
  const QString copy = m_dir.filePath(QStringLiteral("copy.sqlite"));
  {
    // Another connection is half way through a change when the copy is made.
    QSqlDatabase writer =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
    writer.setDatabaseName(Path());
    ASSERT_TRUE(writer.open());
    ASSERT_TRUE(writer.transaction());
    QSqlQuery insert(writer);
    ASSERT_TRUE(insert.exec(QStringLiteral(
        "INSERT INTO accounts (mail, password_digest, created) VALUES ('b@example.com', 'd', 1)")));
    EXPECT_EQ(storage->CopyTo(copy), StoreResult::kOk) << storage->LastError().toStdString();
    insert.finish();
    writer.rollback();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("writer"));

  const auto copied = Storage::OpenSqlite(copy, &error);
  ASSERT_TRUE(copied) << error.toStdString();
  QList<AccountEntry> accounts;
  ASSERT_EQ(copied->ListAccounts(accounts), StoreResult::kOk);
  ASSERT_EQ(accounts.size(), 1);
  EXPECT_EQ(accounts[0].mail, u"a@example.com");
  // A copy is never written over an existing database.
  EXPECT_EQ(storage->CopyTo(copy), StoreResult::kFailed);
}

}  // namespace
}  // namespace qm::server::test
