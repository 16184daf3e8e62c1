// The service's storage over QtSql.
#include "server/Storage.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <atomic>
#include <mutex>

#include "res/ServerStrings.h"

namespace qm::server {
namespace {

// SQLite lets one writer in at a time. The server's connections take turns
// here instead of finding out from a busy database in mid-transaction, where
// a read that turns into a write cannot wait its turn. PostgreSQL locks rows,
// not the database, and has no use for it.
std::mutex g_writeMutex;

// PostgreSQL text cannot hold U+0000, and its client library cuts a value at
// one, which would make "a@example.com\0x" match a@example.com. Nothing
// stored holds one (the handlers refuse control characters), so a request
// that does is answered as matching nothing.
bool HoldsNul(const QString& text) { return text.contains(QChar(u'\0')); }

QString OpenFailure(const QString& shown, const QString& why) {
  return res::kServerCannotOpenDb.toString() + shown + QStringLiteral(" (") + why + u')';
}

QString NextConnectionName() {
  static std::atomic<int> counter{0};
  return QStringLiteral("quillmap-server-%1").arg(++counter);
}

}  // namespace

class Storage::Transaction {
 public:
  explicit Transaction(Storage& storage) : m_storage(storage) {
    if (m_storage.m_dialect == SqlDialect::kSqlite) m_lock = std::unique_lock(g_writeMutex);
    m_open = m_storage.Usable() && m_storage.m_db.transaction();
  }
  ~Transaction() {
    if (m_open) m_storage.m_db.rollback();
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  bool IsOpen() const { return m_open; }
  bool Commit() {
    m_open = false;
    if (m_storage.m_db.commit()) return true;
    m_storage.m_db.rollback();
    return false;
  }

 private:
  Storage& m_storage;
  std::unique_lock<std::mutex> m_lock;
  bool m_open = false;
};

Storage::Storage(QString connectionName, SqlDialect dialect)
    : m_connectionName(std::move(connectionName)), m_dialect(dialect) {}

Storage::~Storage() {
  if (m_db.isValid()) m_db.close();
  m_db = QSqlDatabase();  // no handle may outlive the connection's removal
  QSqlDatabase::removeDatabase(m_connectionName);
}

std::unique_ptr<Storage> Storage::OpenSqlite(const QString& path, QString* error) {
  const QString shown = QFileInfo(path).absoluteFilePath();
  const auto fail = [&](const QString& why) {
    if (error != nullptr) *error = OpenFailure(shown, why);
    return nullptr;
  };
  std::unique_ptr<Storage> storage(new Storage(NextConnectionName(), SqlDialect::kSqlite));
  storage->m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), storage->m_connectionName);
  if (!storage->m_db.isValid()) return fail(QStringLiteral("no SQLite driver"));
  storage->m_db.setDatabaseName(path);
  // Waits out another process (an administration command) holding the lock.
  storage->m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
  if (!storage->m_db.open()) return fail(storage->m_db.lastError().text());

  QSqlQuery pragma(storage->m_db);
  // FULL makes each commit durable: a file the window was told is stored stays
  // stored through a power cut.
  for (const char* statement :
       {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=ON"}) {
    if (!pragma.exec(QString::fromLatin1(statement))) return fail(pragma.lastError().text());
  }
  pragma.finish();
  return Migrated(std::move(storage), shown, error);
}

std::unique_ptr<Storage> Storage::OpenPostgres(const DatabaseLocation& location, QString* error) {
  const QString shown = location.Shown();
  const auto fail = [&](const QString& why) {
    if (error != nullptr) *error = OpenFailure(shown, why);
    return nullptr;
  };
  std::unique_ptr<Storage> storage(new Storage(NextConnectionName(), SqlDialect::kPostgres));
  storage->m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), storage->m_connectionName);
  if (!storage->m_db.isValid()) return fail(QStringLiteral("no PostgreSQL driver for Qt SQL"));
  if (!location.host.isEmpty()) storage->m_db.setHostName(location.host);
  storage->m_db.setPort(location.port);
  if (!location.user.isEmpty()) storage->m_db.setUserName(location.user);
  if (!location.password.isEmpty()) storage->m_db.setPassword(location.password);
  storage->m_db.setDatabaseName(location.database);
  // A database server that does not answer is reported instead of hanging
  // the service's start (or a worker) for the system's TCP timeout.
  storage->m_db.setConnectOptions(QStringLiteral("connect_timeout=10"));
  if (!storage->m_db.open()) return fail(storage->m_db.lastError().text());
  return Migrated(std::move(storage), shown, error);
}

std::unique_ptr<Storage> Storage::Open(const QString& location, QString* error) {
  DatabaseLocation parsed;
  QString why;
  if (!ParseDatabaseLocation(location, parsed, &why)) {
    if (error != nullptr) {
      *error = OpenFailure(QUrl(location).toDisplayString(QUrl::RemovePassword), why);
    }
    return nullptr;
  }
  return parsed.dialect == SqlDialect::kPostgres ? OpenPostgres(parsed, error)
                                                 : OpenSqlite(parsed.path, error);
}

std::unique_ptr<Storage> Storage::Migrated(std::unique_ptr<Storage> storage, const QString& shown,
                                           QString* error) {
  int found = 0;
  QString why;
  switch (ApplyMigrations(storage->m_db, storage->m_dialect, &found, &why)) {
    case MigrationResult::kOk:
      return storage;
    case MigrationResult::kTooNew:
      if (error != nullptr) {
        *error = res::kServerDbTooNew.toString().arg(found).arg(LatestSchemaVersion()) + shown;
      }
      return nullptr;
    case MigrationResult::kFailed:
      break;
  }
  if (error != nullptr) *error = OpenFailure(shown, why);
  return nullptr;
}

bool Storage::Usable() {
  if (!m_reopen) return true;
  QSqlQuery probe(m_db);
  if (probe.exec(QStringLiteral("SELECT 1"))) {
    m_reopen = false;
    return true;
  }
  probe.finish();
  m_db.close();
  if (!m_db.open()) {
    m_lastError = m_db.lastError().text();
    return false;
  }
  m_reopen = false;
  return true;
}

StoreResult Storage::Failed(const QString& why) {
  m_lastError = why;
  // The failure may have been the connection itself.
  if (m_dialect == SqlDialect::kPostgres) m_reopen = true;
  return StoreResult::kFailed;
}

StoreResult Storage::Check() {
  if (!Usable()) return Failed(m_lastError);
  QSqlQuery query(m_db);
  if (!query.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !query.next()) {
    return Failed(query.lastError().text());
  }
  return StoreResult::kOk;
}

StoreResult Storage::CopyTo(const QString& path) {
  if (m_dialect != SqlDialect::kSqlite) return Failed(QStringLiteral("copy needs SQLite"));
  // VACUUM INTO reads from a single read transaction, which in WAL mode
  // neither waits for writers nor blocks them.
  QSqlQuery query(m_db);
  query.prepare(QStringLiteral("VACUUM INTO ?"));
  query.addBindValue(path);
  if (!query.exec()) return Failed(query.lastError().text());
  return StoreResult::kOk;
}

StoreResult Storage::AddAccount(const QString& mail, const QString& passwordDigest, qint64 now) {
  Transaction transaction(*this);
  if (!transaction.IsOpen()) return Failed(m_db.lastError().text());
  QSqlQuery query(m_db);
  // One statement, so that two administrators adding one mail at once (or,
  // for keys, two servers taking one request) get one row and one kExists
  // rather than a key violation reported as a failure.
  query.prepare(
      QStringLiteral("INSERT INTO accounts (mail, password_digest, created) VALUES (?, ?, ?)"
                     " ON CONFLICT (mail) DO NOTHING"));
  query.addBindValue(mail);
  query.addBindValue(passwordDigest);
  query.addBindValue(now);
  if (!query.exec()) return Failed(query.lastError().text());
  if (query.numRowsAffected() != 1) return StoreResult::kExists;
  query.finish();
  if (!transaction.Commit()) return Failed(m_db.lastError().text());
  return StoreResult::kOk;
}

StoreResult Storage::RemoveAccount(const QString& mail) {
  Transaction transaction(*this);
  if (!transaction.IsOpen()) return Failed(m_db.lastError().text());
  QSqlQuery query(m_db);
  for (const char* statement :
       {"DELETE FROM files WHERE mail = ?", "DELETE FROM tickets WHERE mail = ?",
        "DELETE FROM used_keys WHERE mail = ?"}) {
    query.prepare(QString::fromLatin1(statement));
    query.addBindValue(mail);
    if (!query.exec()) return Failed(query.lastError().text());
  }
  query.prepare(QStringLiteral("DELETE FROM accounts WHERE mail = ?"));
  query.addBindValue(mail);
  if (!query.exec()) return Failed(query.lastError().text());
  if (query.numRowsAffected() != 1) return StoreResult::kNotFound;
  query.finish();
  if (!transaction.Commit()) return Failed(m_db.lastError().text());
  return StoreResult::kOk;
}

StoreResult Storage::ListAccounts(QList<AccountEntry>& accounts) {
  accounts.clear();
  if (!Usable()) return Failed(m_lastError);
  QSqlQuery query(m_db);
  // PostgreSQL sums BIGINTs as NUMERIC; the cast keeps the value an integer.
  if (!query.exec(QStringLiteral(
          "SELECT a.mail, COUNT(f.file_id), CAST(COALESCE(SUM(f.size), 0) AS BIGINT)"
          " FROM accounts a"
          " LEFT JOIN files f ON f.mail = a.mail GROUP BY a.mail ORDER BY a.mail"))) {
    return Failed(query.lastError().text());
  }
  while (query.next()) {
    accounts.append(
        {query.value(0).toString(), query.value(1).toInt(), query.value(2).toLongLong()});
  }
  return StoreResult::kOk;
}

StoreResult Storage::PasswordDigestOf(const QString& mail, QString& digest) {
  if (HoldsNul(mail)) return StoreResult::kNotFound;
  if (!Usable()) return Failed(m_lastError);
  QSqlQuery query(m_db);
  query.prepare(QStringLiteral("SELECT password_digest FROM accounts WHERE mail = ?"));
  query.addBindValue(mail);
  if (!query.exec()) return Failed(query.lastError().text());
  if (!query.next()) return StoreResult::kNotFound;
  digest = query.value(0).toString();
  return StoreResult::kOk;
}

StoreResult Storage::RememberKey(const QString& mail, const QString& key, qint64 expires,
                                 qint64 now) {
  Transaction transaction(*this);
  if (!transaction.IsOpen()) return Failed(m_db.lastError().text());
  QSqlQuery query(m_db);
  // On PostgreSQL every server sweeps at once: each takes the expired rows
  // no other sweep holds, instead of queueing behind (or deadlocking with)
  // the others over the same rows.
  const bool sqlite = m_dialect == SqlDialect::kSqlite;
  for (const char* statement :
       {sqlite ? "DELETE FROM used_keys WHERE expires < ?"
               : "DELETE FROM used_keys WHERE (mail, request_key) IN (SELECT mail, request_key"
                 " FROM used_keys WHERE expires < ? FOR UPDATE SKIP LOCKED)",
        sqlite ? "DELETE FROM tickets WHERE expires < ?"
               : "DELETE FROM tickets WHERE ticket IN (SELECT ticket FROM tickets"
                 " WHERE expires < ? FOR UPDATE SKIP LOCKED)"}) {
    query.prepare(QString::fromLatin1(statement));
    query.addBindValue(now);
    if (!query.exec()) return Failed(query.lastError().text());
  }
  query.prepare(
      QStringLiteral("INSERT INTO used_keys (mail, request_key, expires) VALUES (?, ?, ?)"
                     " ON CONFLICT (mail, request_key) DO NOTHING"));
  query.addBindValue(mail);
  query.addBindValue(key);
  query.addBindValue(expires);
  if (!query.exec()) return Failed(query.lastError().text());
  if (query.numRowsAffected() != 1) return StoreResult::kExists;
  query.finish();
  if (!transaction.Commit()) return Failed(m_db.lastError().text());
  return StoreResult::kOk;
}

StoreResult Storage::IssueTicket(const Ticket& ticket) {
  Transaction transaction(*this);
  if (!transaction.IsOpen()) return Failed(m_db.lastError().text());
  QSqlQuery query(m_db);
  query.prepare(QStringLiteral(
      "INSERT INTO tickets (ticket, mail, purpose, file_id, title, date_text, expires)"
      " VALUES (?, ?, ?, ?, ?, ?, ?)"));
  for (const QVariant& value :
       {QVariant(ticket.key), QVariant(ticket.mail), QVariant(ticket.purpose),
        QVariant(ticket.fileId), QVariant(ticket.title), QVariant(ticket.date),
        QVariant(ticket.expires)}) {
    query.addBindValue(value);
  }
  if (!query.exec()) return Failed(query.lastError().text());
  query.finish();
  if (!transaction.Commit()) return Failed(m_db.lastError().text());
  return StoreResult::kOk;
}

StoreResult Storage::ListFiles(const QString& mail, QList<FileEntry>& files) {
  files.clear();
  if (HoldsNul(mail)) return StoreResult::kOk;
  if (!Usable()) return Failed(m_lastError);
  QSqlQuery query(m_db);
  query.prepare(
      QStringLiteral("SELECT file_id, title, updated, size FROM files WHERE mail = ?"
                     " ORDER BY updated DESC, file_id"));
  query.addBindValue(mail);
  if (!query.exec()) return Failed(query.lastError().text());
  while (query.next()) {
    files.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toLongLong(),
                  query.value(3).toLongLong()});
  }
  return StoreResult::kOk;
}

StoreResult Storage::FindFile(const QString& mail, const QString& fileId, FileEntry& file) {
  if (HoldsNul(mail) || HoldsNul(fileId)) return StoreResult::kNotFound;
  if (!Usable()) return Failed(m_lastError);
  QSqlQuery query(m_db);
  query.prepare(QStringLiteral(
      "SELECT file_id, title, updated, size FROM files WHERE file_id = ? AND mail = ?"));
  query.addBindValue(fileId);
  query.addBindValue(mail);
  if (!query.exec()) return Failed(query.lastError().text());
  if (!query.next()) return StoreResult::kNotFound;
  file = {query.value(0).toString(), query.value(1).toString(), query.value(2).toLongLong(),
          query.value(3).toLongLong()};
  return StoreResult::kOk;
}

StoreResult Storage::TakeTicket(const Ticket& presented, qint64 now, QString& title) {
  for (const QString* text :
       {&presented.key, &presented.mail, &presented.purpose, &presented.fileId, &presented.date}) {
    if (HoldsNul(*text)) return StoreResult::kNoTicket;
  }
  QSqlQuery query(m_db);
  query.prepare(
      QStringLiteral("SELECT title FROM tickets WHERE ticket = ? AND mail = ? AND purpose = ?"
                     " AND file_id = ? AND date_text = ? AND expires >= ?"));
  for (const QVariant& value :
       {QVariant(presented.key), QVariant(presented.mail), QVariant(presented.purpose),
        QVariant(presented.fileId), QVariant(presented.date), QVariant(now)}) {
    query.addBindValue(value);
  }
  if (!query.exec()) return Failed(query.lastError().text());
  if (!query.next()) return StoreResult::kNoTicket;
  title = query.value(0).toString();
  // Another server may be spending the same ticket right now: on PostgreSQL
  // its delete holds the row, ours waits for its commit and then finds
  // nothing. Only the one that deleted the row may use it.
  query.prepare(QStringLiteral("DELETE FROM tickets WHERE ticket = ?"));
  query.addBindValue(presented.key);
  if (!query.exec()) return Failed(query.lastError().text());
  if (query.numRowsAffected() != 1) return StoreResult::kNoTicket;
  return StoreResult::kOk;
}

StoreResult Storage::ReadWithTicket(const Ticket& presented, qint64 now, QByteArray& content,
                                    QString& title) {
  Transaction transaction(*this);
  if (!transaction.IsOpen()) return Failed(m_db.lastError().text());
  QString ticketTitle;
  if (const StoreResult taken = TakeTicket(presented, now, ticketTitle);
      taken != StoreResult::kOk) {
    return taken;
  }
  QSqlQuery query(m_db);
  query.prepare(QStringLiteral("SELECT content, title FROM files WHERE file_id = ? AND mail = ?"));
  query.addBindValue(presented.fileId);
  query.addBindValue(presented.mail);
  if (!query.exec()) return Failed(query.lastError().text());
  if (!query.next()) return StoreResult::kNotFound;
  content = query.value(0).toByteArray();
  title = query.value(1).toString();
  query.finish();
  if (!transaction.Commit()) return Failed(m_db.lastError().text());
  return StoreResult::kOk;
}

StoreResult Storage::CreateWithTicket(const Ticket& presented, qint64 now,
                                      const QByteArray& content) {
  Transaction transaction(*this);
  if (!transaction.IsOpen()) return Failed(m_db.lastError().text());
  QString title;
  if (const StoreResult taken = TakeTicket(presented, now, title); taken != StoreResult::kOk) {
    return taken;
  }
  QSqlQuery query(m_db);
  query.prepare(
      QStringLiteral("INSERT INTO files (file_id, mail, title, content, size, created, updated)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?)"));
  for (const QVariant& value :
       {QVariant(presented.fileId), QVariant(presented.mail), QVariant(title), QVariant(content),
        QVariant(qint64(content.size())), QVariant(now), QVariant(now)}) {
    query.addBindValue(value);
  }
  if (!query.exec()) return Failed(query.lastError().text());
  query.finish();
  if (!transaction.Commit()) return Failed(m_db.lastError().text());
  return StoreResult::kOk;
}

StoreResult Storage::UpdateWithTicket(const Ticket& presented, qint64 now,
                                      const QByteArray& content) {
  Transaction transaction(*this);
  if (!transaction.IsOpen()) return Failed(m_db.lastError().text());
  QString title;
  if (const StoreResult taken = TakeTicket(presented, now, title); taken != StoreResult::kOk) {
    return taken;
  }
  QSqlQuery query(m_db);
  query.prepare(
      QStringLiteral("UPDATE files SET content = ?, size = ?, title = ?, updated = ?"
                     " WHERE file_id = ? AND mail = ?"));
  for (const QVariant& value :
       {QVariant(content), QVariant(qint64(content.size())), QVariant(title), QVariant(now),
        QVariant(presented.fileId), QVariant(presented.mail)}) {
    query.addBindValue(value);
  }
  if (!query.exec()) return Failed(query.lastError().text());
  if (query.numRowsAffected() != 1) return StoreResult::kNotFound;
  query.finish();
  if (!transaction.Commit()) return Failed(m_db.lastError().text());
  return StoreResult::kOk;
}

}  // namespace qm::server
