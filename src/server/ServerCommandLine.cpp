// The administration and serve verbs.
#include "server/ServerCommandLine.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <functional>

#include "net/RequestKey.h"
#include "platform/CodePage.h"
#include "res/ServerStrings.h"
#include "server/DatabaseLocation.h"
#include "server/HttpServer.h"
#include "server/ServiceLimits.h"
#include "server/ServiceRules.h"
#include "server/Storage.h"

namespace qm::server {
namespace {

constexpr int kUsageError = 2;

struct Arguments {
  QString verb;
  QStringList positional;
  QString db;
  QString listen;
  QString tlsCertificate;
  QString tlsKey;
};

// Reads the options every verb knows; false on an unknown option or one
// without its value.
bool ReadArguments(const QStringList& arguments, Arguments& parsed) {
  if (arguments.isEmpty()) return false;
  parsed.verb = arguments.front();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    QString* value = argument == u"--db"         ? &parsed.db
                     : argument == u"--listen"   ? &parsed.listen
                     : argument == u"--tls-cert" ? &parsed.tlsCertificate
                     : argument == u"--tls-key"  ? &parsed.tlsKey
                                                 : nullptr;
    if (value != nullptr) {
      if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) return false;
      *value = arguments[++i];
    } else if (argument.startsWith(u"--")) {
      return false;
    } else {
      parsed.positional.append(argument);
    }
  }
  return true;
}

bool MailAcceptable(const QString& mail) {
  CodePage codePage;
  return !mail.isEmpty() && mail.size() <= kMaxMailLength && !HasControlCharacter(mail) &&
         !mail.contains(u' ') && codePage.CanEncode(mail);
}

std::unique_ptr<Storage> OpenStorage(const QString& path, const ServerIo& io) {
  if (!IsPostgresUrl(path)) QDir().mkpath(QFileInfo(path).absolutePath());
  QString error;
  std::unique_ptr<Storage> storage = Storage::Open(path, &error);
  if (!storage) io.err(error + u'\n');
  return storage;
}

int AddUser(const QString& mail, Storage& storage, const Clock& clock, const ServerIo& io) {
  const std::optional<QByteArray> line = io.readLine();
  QString password = line ? QString::fromUtf8(*line) : QString();
  if (password.endsWith(u'\r')) password.chop(1);
  if (password.isEmpty()) {
    io.err(res::kServerEmptyPassword.toString() + u'\n');
    return 1;
  }
  switch (storage.AddAccount(mail, PasswordDigest(password), clock.Now())) {
    case StoreResult::kOk:
      io.out(res::kServerUserAdded.toString() + mail + u'\n');
      return 0;
    case StoreResult::kExists:
      io.err(res::kServerUserExists.toString() + mail + u'\n');
      return 1;
    default:
      io.err(res::kServerStorageFailed.toString() + storage.LastError() + u'\n');
      return 1;
  }
}

int RemoveUser(const QString& mail, Storage& storage, const ServerIo& io) {
  switch (storage.RemoveAccount(mail)) {
    case StoreResult::kOk:
      io.out(res::kServerUserRemoved.toString() + mail + u'\n');
      return 0;
    case StoreResult::kNotFound:
      io.err(res::kServerNoSuchUser.toString() + mail + u'\n');
      return 1;
    default:
      io.err(res::kServerStorageFailed.toString() + storage.LastError() + u'\n');
      return 1;
  }
}

int ListUsers(Storage& storage, const ServerIo& io) {
  QList<AccountEntry> accounts;
  if (storage.ListAccounts(accounts) != StoreResult::kOk) {
    io.err(res::kServerStorageFailed.toString() + storage.LastError() + u'\n');
    return 1;
  }
  for (const AccountEntry& account : accounts) {
    io.out(QStringLiteral("%1\t%2\t%3\n").arg(account.mail).arg(account.files).arg(account.bytes));
  }
  return 0;
}

// Flushes a file (or a folder's entries) to the disk; SQLite does not sync
// the copy VACUUM INTO writes. 0, or the errno of the failure.
int SyncToDisk(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int synced = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return synced;
}

// Writes PostgreSQL's own dump of location into partial (custom format,
// one consistent snapshot, restored with pg_restore). The password goes
// through the environment, never the command line others can read.
QString PgDump(const QString& pgDump, const DatabaseLocation& location, const QString& partial) {
  QStringList arguments{QStringLiteral("--format=custom"), QStringLiteral("--no-password"),
                        QStringLiteral("--file=") + partial};
  if (!location.host.isEmpty()) arguments << QStringLiteral("--host=") + location.host;
  arguments << QStringLiteral("--port=") + QString::number(location.port);
  if (!location.user.isEmpty()) arguments << QStringLiteral("--username=") + location.user;
  arguments << QStringLiteral("--dbname=") + location.database;
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  if (!location.password.isEmpty())
    environment.insert(QStringLiteral("PGPASSWORD"), location.password);
  process.setProcessEnvironment(environment);
  process.start(pgDump, arguments);
  if (!process.waitForStarted() || !process.waitForFinished(-1)) return process.errorString();
  if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return QString();
  const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
  return said.isEmpty() ? QStringLiteral("pg_dump") : said;
}

// The copy is written under a name of its own beside out and renamed into
// place once whole and on disk: out is never a half copy, not even after a
// crash, and an existing out is never replaced.
int Backup(const QString& out, const QString& dbPath, const ServerIo& io) {
  const QString target = QFileInfo(out).absoluteFilePath();
  const auto failed = [&](const QString& why) {
    io.err(res::kServerBackupFailed.toString() + target + QStringLiteral(" (") + why +
           QStringLiteral(")\n"));
    return 1;
  };
  const auto exists = [&] {
    io.err(res::kServerBackupExists.toString() + target + u'\n');
    return 1;
  };
  // A dangling link counts: renaming onto it would replace it.
  if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) return exists();
  std::function<QString(const QString& partial)> writeCopy;
  std::unique_ptr<Storage> storage;
  if (IsPostgresUrl(dbPath)) {
    DatabaseLocation location;
    QString error;
    if (!ParseDatabaseLocation(dbPath, location, &error)) {
      io.err(error + u'\n');
      return 1;
    }
    const QString pgDump = QStandardPaths::findExecutable(QStringLiteral("pg_dump"));
    if (pgDump.isEmpty()) {
      io.err(res::kServerBackupNeedsPgDump.toString() + u'\n');
      return 1;
    }
    writeCopy = [pgDump, location](const QString& partial) {
      return PgDump(pgDump, location, partial);
    };
  } else {
    // Opening a missing database would create an empty one and "back it up".
    if (!QFileInfo::exists(dbPath)) {
      io.err(res::kServerNoDatabase.toString() + QFileInfo(dbPath).absoluteFilePath() + u'\n');
      return 1;
    }
    QString error;
    storage = Storage::OpenSqlite(dbPath, &error);
    if (!storage) {
      io.err(error + u'\n');
      return 1;
    }
    writeCopy = [&storage](const QString& partial) {
      return storage->CopyTo(partial) == StoreResult::kOk ? QString() : storage->LastError();
    };
  }
  // Created empty here (which VACUUM INTO accepts) so the name is ours alone,
  // readable by its owner only (the password digests in it are as good as
  // passwords), and removed again on every way out but the rename.
  QTemporaryFile partial(target + QStringLiteral(".partial-XXXXXX"));
  if (!partial.open()) return failed(partial.errorString());
  partial.close();
  if (const QString why = writeCopy(partial.fileName()); !why.isEmpty()) return failed(why);
  if (const int why = SyncToDisk(partial.fileName()); why != 0) {
    return failed(QString::fromLocal8Bit(std::strerror(why)));
  }
  // QFile::rename never replaces an existing file, so an out that appeared
  // meanwhile is kept.
  if (!QFile::rename(partial.fileName(), target)) {
    return QFileInfo::exists(target) ? exists() : failed(QStringLiteral("rename"));
  }
  partial.setAutoRemove(false);
  // The new name itself lives in the folder.
  SyncToDisk(QFileInfo(target).absolutePath());
  io.out(res::kServerBackupWritten.toString() + target + u'\n');
  return 0;
}

int Serve(const ListenOptions& options, const QString& dbPath, const Clock& clock,
          const ServerIo& io) {
  // The database is opened (and migrated, or refused) before anything listens.
  const std::unique_ptr<Storage> storage = OpenStorage(dbPath, io);
  if (!storage) return 1;
  HttpServer server(dbPath, clock, [&io](const QString& line) { io.err(line + u'\n'); });
  QString error;
  if (!server.Start(options, &error)) {
    io.err((options.tlsCertificate.isEmpty() ? res::kServerCannotListen : res::kServerBadTls)
               .toString() +
           error + u'\n');
    return 1;
  }
  io.err(res::kServerListening.toString() +
         (server.IsTls() ? QStringLiteral("https://") : QStringLiteral("http://")) +
         (options.host.contains(u':') ? u'[' + options.host + u']' : options.host) + u':' +
         QString::number(server.Port()) + u'\n');
  server.RunUntilStopSignal();
  io.err(res::kServerStopped.toString() + u'\n');
  return 0;
}

}  // namespace

QString DefaultDatabasePath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/quillmap-server.sqlite");
}

int RunServerCommand(const QStringList& arguments, const QString& defaultDbPath, const Clock& clock,
                     const ServerIo& io) {
  const auto usage = [&] {
    io.err(res::kServerUsage.toString());
    return kUsageError;
  };
  Arguments parsed;
  if (!ReadArguments(arguments, parsed)) return usage();
  const QString dbPath = parsed.db.isEmpty() ? defaultDbPath : parsed.db;
  const bool serving = parsed.verb == u"serve";
  if (!serving &&
      (!parsed.listen.isEmpty() || !parsed.tlsCertificate.isEmpty() || !parsed.tlsKey.isEmpty())) {
    return usage();
  }

  if (serving) {
    if (!parsed.positional.isEmpty()) return usage();
    if (parsed.tlsCertificate.isEmpty() != parsed.tlsKey.isEmpty()) return usage();
    ListenOptions options;
    if (!parsed.listen.isEmpty() && !ParseListenAddress(parsed.listen, options)) return usage();
    options.tlsCertificate = parsed.tlsCertificate;
    options.tlsKey = parsed.tlsKey;
    return Serve(options, dbPath, clock, io);
  }
  if (parsed.verb == u"add-user" || parsed.verb == u"remove-user") {
    if (parsed.positional.size() != 1) return usage();
    const QString mail = parsed.positional.front();
    if (!MailAcceptable(mail)) {
      io.err(res::kServerBadMail.toString() + mail + u'\n');
      return 1;
    }
    const std::unique_ptr<Storage> storage = OpenStorage(dbPath, io);
    if (!storage) return 1;
    return parsed.verb == u"add-user" ? AddUser(mail, *storage, clock, io)
                                      : RemoveUser(mail, *storage, io);
  }
  if (parsed.verb == u"list-users") {
    if (!parsed.positional.isEmpty()) return usage();
    const std::unique_ptr<Storage> storage = OpenStorage(dbPath, io);
    if (!storage) return 1;
    return ListUsers(*storage, io);
  }
  if (parsed.verb == u"backup") {
    if (parsed.positional.size() != 1) return usage();
    return Backup(parsed.positional.front(), dbPath, io);
  }
  return usage();
}

}  // namespace qm::server
