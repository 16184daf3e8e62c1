// Migrations: the storage schema as numbered steps, applied in order when a
// database is opened. The missing steps run in one transaction with the
// update of the version, so a crash leaves a database at the version it had
// or at the latest. Programs opening one database at once take turns: the
// version is read inside that transaction, under a lock on PostgreSQL, so a
// step never runs twice. A database written by a newer program is refused,
// never downgraded.
//
// The statements keep to SQL that SQLite and PostgreSQL both take; the one
// type they name differently (binary data) is spelled per dialect.
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace qm::server {

enum class SqlDialect { kSqlite, kPostgres };

// The version the last step reaches: the schema this program reads and writes.
int LatestSchemaVersion();

// The version stored in db, 0 for a database without a schema yet, -1 when
// it cannot be read (*error, when given, says why).
int StoredSchemaVersion(QSqlDatabase& db, SqlDialect dialect, QString* error = nullptr);

enum class MigrationResult {
  kOk,      // db is at LatestSchemaVersion()
  kTooNew,  // db is at a later version; nothing was changed
  kFailed,  // a step failed and was rolled back; *error says why
};

// Applies the steps db lacks. *foundVersion (when given) receives the version
// found before any step ran.
MigrationResult ApplyMigrations(QSqlDatabase& db, SqlDialect dialect, int* foundVersion,
                                QString* error);

}  // namespace qm::server
