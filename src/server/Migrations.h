// Migrations: the storage schema as numbered steps, applied in order when a
// database is opened. Each step runs in one transaction with the update of
// the version it reaches, so a crash leaves a database at one version or the
// next. A database written by a newer program is refused, never downgraded.
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
// it cannot be read.
int StoredSchemaVersion(QSqlDatabase& db);

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
