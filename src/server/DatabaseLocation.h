// DatabaseLocation: what --db names. A postgresql:// (or postgres://) URL
// is a PostgreSQL database; anything else is the path of a SQLite file.
//
// The URL is postgresql://[USER[:PASSWORD]@][HOST][:PORT]/DBNAME, with
// ?host=/socket/folder for a server reached through its Unix socket (the
// port then names the socket); ?port=N stands for :PORT. User and password may be percent-encoded.
// Any other query parameter is refused rather than ignored, so that a
// setting the administrator meant (sslmode, say) never silently falls away.
#pragma once

#include <QString>

#include "server/Migrations.h"

namespace qm::server {

struct DatabaseLocation {
  SqlDialect dialect = SqlDialect::kSqlite;
  QString path;  // SQLite: the file
  // PostgreSQL; an empty host or user leaves the client library's default.
  QString host;  // a name, an address, or a socket folder (starts with '/')
  int port = 5432;
  QString user;
  QString password;
  QString database;

  // How messages name the database: the file's absolute path, or the URL
  // without its password.
  QString Shown() const;
};

bool IsPostgresUrl(const QString& text);

// Reads text into location; false with *error saying why for a malformed
// URL. A non-URL text is always a SQLite path.
bool ParseDatabaseLocation(const QString& text, DatabaseLocation& location, QString* error);

}  // namespace qm::server
