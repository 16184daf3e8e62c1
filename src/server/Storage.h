// Storage: the service's accounts, files, tickets and used request keys in
// one SQL database, SQLite or PostgreSQL, behind a small surface so that the
// handlers never spell SQL.
//
// One Storage is one connection and belongs to the thread that opened it;
// several Storage objects may share one database (each worker thread of the
// server has its own), and on PostgreSQL so may several server processes:
// everything a request relies on — accounts, files, tickets, used keys — is
// in the database, none of it in a process. Every change is one transaction:
// a stored file is replaced whole or not at all, and of two updates of one
// file at once the later replaces the earlier whole.
#pragma once

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <memory>

#include "server/DatabaseLocation.h"
#include "server/Migrations.h"

namespace qm::server {

enum class StoreResult {
  kOk,
  kNotFound,  // no such account, or no such file for this account
  kNoTicket,  // no unexpired, unused ticket matches the one presented
  kExists,    // the account already exists; the key was used before
  kFailed,    // the database failed; nothing was changed. LastError() says why.
};

struct FileEntry {
  QString fileId;
  QString title;
  qint64 updated = 0;  // seconds since 1970, UTC
  qint64 size = 0;
};

struct AccountEntry {
  QString mail;
  int files = 0;
  qint64 bytes = 0;
};

// What a ticket allows: one file-store request of its purpose, by its
// account, on its file, presented with its date, before it expires.
struct Ticket {
  QString key;
  QString mail;
  QString purpose;  // "read", "upload" or "update"
  QString fileId;
  QString title;  // the title a stored file takes
  QString date;   // the date text handed out with the key
  qint64 expires = 0;
};

class Storage {
 public:
  // Opens (creating when missing) the SQLite database at path, in WAL mode,
  // and brings its schema up to date. On failure returns nullptr and *error
  // says why, the file's path included; a database of a newer schema is
  // refused untouched.
  static std::unique_ptr<Storage> OpenSqlite(const QString& path, QString* error);
  // Opens the PostgreSQL database at location and brings its schema up to
  // date, in the same way. Messages name it without its password.
  static std::unique_ptr<Storage> OpenPostgres(const DatabaseLocation& location, QString* error);
  // Either of the above, as location (a --db value) says.
  static std::unique_ptr<Storage> Open(const QString& location, QString* error);
  ~Storage();
  Storage(const Storage&) = delete;
  Storage& operator=(const Storage&) = delete;

  // Accounts. AddAccount gives kExists for a known mail; RemoveAccount
  // removes the account's files with it.
  StoreResult AddAccount(const QString& mail, const QString& passwordDigest, qint64 now);
  StoreResult RemoveAccount(const QString& mail);
  StoreResult ListAccounts(QList<AccountEntry>& accounts);
  StoreResult PasswordDigestOf(const QString& mail, QString& digest);

  // Records a request key as used until expires. kExists when the account
  // used it already: the request is a replay. Forgets keys and tickets that
  // expired before now.
  StoreResult RememberKey(const QString& mail, const QString& key, qint64 expires, qint64 now);

  StoreResult IssueTicket(const Ticket& ticket);

  // Files of one account, newest first.
  StoreResult ListFiles(const QString& mail, QList<FileEntry>& files);
  // The file fileId when it belongs to mail, else kNotFound.
  StoreResult FindFile(const QString& mail, const QString& fileId, FileEntry& file);

  // Each of these uses up the ticket that matches presented (key, mail,
  // purpose, file id and date, unexpired at now) in the same transaction as
  // its file operation; without such a ticket it gives kNoTicket and changes
  // nothing. When the file operation fails the ticket stays unused. title
  // receives the stored file's title.
  StoreResult ReadWithTicket(const Ticket& presented, qint64 now, QByteArray& content,
                             QString& title);
  StoreResult CreateWithTicket(const Ticket& presented, qint64 now, const QByteArray& content);
  // kNotFound also when the file went away (or never was the account's).
  StoreResult UpdateWithTicket(const Ticket& presented, qint64 now, const QByteArray& content);

  // Reads the schema version: a query that needs the database readable (and
  // a SQLite file not locked beyond the busy timeout). kFailed when it cannot
  // answer.
  StoreResult Check();

  // Writes a copy of the whole database to path, which must not exist or be
  // empty; SQLite only. The copy is read in one transaction: it holds every
  // change committed before it began and none committed later, and holds no
  // other connection or process up. It is not synced to disk, and one that
  // fails half way may leave a partial file at path for the caller to remove.
  StoreResult CopyTo(const QString& path);

  // The reason of the last kFailed.
  QString LastError() const { return m_lastError; }

  SqlDialect Dialect() const { return m_dialect; }

  // The connection, for the browser pages' store (BrowserStore), which keeps
  // its own tables in this database and writes them a statement at a time.
  QSqlDatabase& Database() { return m_db; }

 private:
  Storage(QString connectionName, SqlDialect dialect);
  class Transaction;
  // Brings the schema up to date after the connection opened; nullptr and
  // *error when it fails or the database is newer, named as shown.
  static std::unique_ptr<Storage> Migrated(std::unique_ptr<Storage> storage, const QString& shown,
                                           QString* error);
  // A PostgreSQL connection that failed is opened afresh before its next
  // use, so that a database server restarted under a running service costs
  // the requests in flight, not every later one. False when it stays closed.
  bool Usable();
  // Finds and deletes the ticket; kNoTicket when none matches.
  StoreResult TakeTicket(const Ticket& presented, qint64 now, QString& title);
  StoreResult Failed(const QString& why);

  QString m_connectionName;
  SqlDialect m_dialect;
  QSqlDatabase m_db;
  QString m_lastError;
  bool m_reopen = false;
};

}  // namespace qm::server
