// The schema's steps and the code that applies them.
#include "server/Migrations.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace qm::server {
namespace {

struct Step {
  int version;
  QStringList statements;  // "{BLOB}" stands for the dialect's binary type
};

// Append only: a released step never changes, a change is a new step.
QList<Step> Steps() {
  return {
      {1,
       {
           "CREATE TABLE schema_version (version INTEGER NOT NULL)",
           // The digest is what the request key is proved against: for this
           // protocol it is as good as the password and kept as such.
           "CREATE TABLE accounts (mail VARCHAR(254) NOT NULL PRIMARY KEY,"
           " password_digest CHAR(32) NOT NULL, created BIGINT NOT NULL)",
           "CREATE TABLE files (file_id VARCHAR(64) NOT NULL PRIMARY KEY,"
           " mail VARCHAR(254) NOT NULL REFERENCES accounts (mail),"
           " title VARCHAR(1000) NOT NULL, content {BLOB} NOT NULL, size BIGINT NOT NULL,"
           " created BIGINT NOT NULL, updated BIGINT NOT NULL)",
           "CREATE INDEX files_by_mail ON files (mail)",
           "CREATE TABLE tickets (ticket CHAR(32) NOT NULL PRIMARY KEY,"
           " mail VARCHAR(254) NOT NULL, purpose VARCHAR(16) NOT NULL,"
           " file_id VARCHAR(64) NOT NULL, title VARCHAR(1000) NOT NULL,"
           " date_text VARCHAR(32) NOT NULL, expires BIGINT NOT NULL)",
           "CREATE INDEX tickets_by_expiry ON tickets (expires)",
           "CREATE TABLE used_keys (mail VARCHAR(254) NOT NULL, request_key CHAR(32) NOT NULL,"
           " expires BIGINT NOT NULL, PRIMARY KEY (mail, request_key))",
           "CREATE INDEX used_keys_by_expiry ON used_keys (expires)",
       }},
      // The browser pages: sessions kept by the hash of their cookie, and
      // sign-in attempts, counted here so that every server process on the
      // database shares one limit. No foreign key on mail: removing an
      // account must not fail for its sessions. A session holds the
      // password digest it was opened with and counts only while the
      // account still has it, so neither a new password nor an account
      // added again under the same mail inherits it.
      {2,
       {
           "CREATE TABLE browser_sessions (token_hash CHAR(64) NOT NULL PRIMARY KEY,"
           " mail VARCHAR(254) NOT NULL, password_digest CHAR(32) NOT NULL,"
           " created BIGINT NOT NULL, expires BIGINT NOT NULL)",
           "CREATE INDEX browser_sessions_by_expiry ON browser_sessions (expires)",
           "CREATE TABLE signin_attempts (attempt CHAR(32) NOT NULL PRIMARY KEY,"
           " mail VARCHAR(254) NOT NULL, address VARCHAR(64) NOT NULL,"
           " attempted BIGINT NOT NULL)",
           "CREATE INDEX signin_attempts_by_mail ON signin_attempts (mail, attempted)",
           "CREATE INDEX signin_attempts_by_address ON signin_attempts (address, attempted)",
       }},
  };
}

QString ForDialect(QString statement, SqlDialect dialect) {
  return statement.replace(QStringLiteral("{BLOB}"), dialect == SqlDialect::kPostgres
                                                         ? QStringLiteral("BYTEA")
                                                         : QStringLiteral("BLOB"));
}

}  // namespace

int LatestSchemaVersion() { return Steps().back().version; }

int StoredSchemaVersion(QSqlDatabase& db, SqlDialect dialect, QString* error) {
  QSqlQuery query(db);
  const auto unreadable = [&] {
    if (error != nullptr) *error = query.lastError().text();
    return -1;
  };
  // Asked of the catalog in SQL rather than through the driver's table list,
  // so that it reads inside the caller's transaction and, on PostgreSQL,
  // follows the connection's search path. A scan of the catalog, not a name
  // lookup: after waiting for the migration lock it must see the table
  // another server just committed, which a lookup answered from the
  // connection's cache of missing names would not.
  if (!query.exec(dialect == SqlDialect::kPostgres
                      ? QStringLiteral("SELECT COUNT(*) FROM pg_catalog.pg_tables"
                                       " WHERE schemaname = current_schema()"
                                       " AND tablename = 'schema_version'")
                      : QStringLiteral("SELECT COUNT(*) FROM sqlite_master"
                                       " WHERE type = 'table' AND name = 'schema_version'")) ||
      !query.next()) {
    return unreadable();
  }
  if (query.value(0).toInt() == 0) return 0;
  if (!query.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !query.next()) {
    return unreadable();
  }
  return query.value(0).toInt();
}

MigrationResult ApplyMigrations(QSqlDatabase& db, SqlDialect dialect, int* foundVersion,
                                QString* error) {
  if (foundVersion != nullptr) *foundVersion = -1;
  if (!db.transaction()) {
    if (error != nullptr) *error = db.lastError().text();
    return MigrationResult::kFailed;
  }
  QSqlQuery query(db);
  const auto fail = [&](const QSqlError& why) {
    if (error != nullptr) *error = why.text();
    query.finish();
    db.rollback();
    return MigrationResult::kFailed;
  };
  QString unreadable;
  int found = StoredSchemaVersion(db, dialect, &unreadable);
  // Servers started together on one PostgreSQL database wait here for each
  // other, and the later ones read the version the first committed. (SQLite's
  // single writer gives the same turn-taking by itself.) The lock ends with
  // the transaction. A schema already up to date, as every worker connection
  // after the first finds it, is left without waiting for anyone.
  if (dialect == SqlDialect::kPostgres && found >= 0 && found < LatestSchemaVersion()) {
    if (!query.exec(QStringLiteral("SELECT pg_advisory_xact_lock(7162534)"))) {
      return fail(query.lastError());
    }
    found = StoredSchemaVersion(db, dialect, &unreadable);
  }
  if (foundVersion != nullptr) *foundVersion = found;
  if (found < 0) {
    query.finish();
    db.rollback();
    if (error != nullptr) *error = unreadable;
    return MigrationResult::kFailed;
  }
  if (found > LatestSchemaVersion()) {
    query.finish();
    db.rollback();
    return MigrationResult::kTooNew;
  }
  for (const Step& step : Steps()) {
    if (step.version <= found) continue;
    QStringList statements = step.statements;
    statements.append(
        step.version == 1
            ? QStringLiteral("INSERT INTO schema_version (version) VALUES (1)")
            : QStringLiteral("UPDATE schema_version SET version = %1").arg(step.version));
    for (const QString& statement : statements) {
      if (!query.exec(ForDialect(statement, dialect))) return fail(query.lastError());
    }
  }
  query.finish();
  if (!db.commit()) {
    if (error != nullptr) *error = db.lastError().text();
    db.rollback();
    return MigrationResult::kFailed;
  }
  return MigrationResult::kOk;
}

}  // namespace qm::server
