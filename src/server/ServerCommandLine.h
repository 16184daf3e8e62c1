// ServerCommandLine: the verbs of quillmap-server — serve, add-user,
// remove-user, list-users, backup — over streams the caller provides, so
// tests run every verb but serve in-process.
//
// --db names a SQLite file or a PostgreSQL URL (see DatabaseLocation.h).
//
// backup OUT writes a consistent copy of a SQLite database to OUT, also
// while a server runs on it; it never replaces an existing OUT and never
// leaves a partial file under that name. It refuses a PostgreSQL database.
//
// Exit statuses: 0 success, 1 failure (the reason on err), 2 usage error
// (the usage text on err).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "platform/Clock.h"

namespace qm::server {

struct ServerIo {
  // One line of standard input without its line end; nullopt at its end.
  std::function<std::optional<QByteArray>()> readLine;
  std::function<void(const QString&)> out;
  std::function<void(const QString&)> err;
};

// quillmap-server.sqlite in the user's data folder (the application's
// organisation and name must be set).
QString DefaultDatabasePath();

// Runs the verb in arguments (without the program name). defaultDbPath is
// used when no --db is given.
int RunServerCommand(const QStringList& arguments, const QString& defaultDbPath, const Clock& clock,
                     const ServerIo& io);

}  // namespace qm::server
