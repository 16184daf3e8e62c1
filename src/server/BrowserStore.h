// BrowserStore: the browser pages' part of the service's database — signed-in
// sessions, sign-in attempts, and an account's file read whole — over the
// connection of a Storage.
//
// Each change is one statement, so it needs no transaction and never holds a
// read that must turn into a write; several server processes may share the
// tables. The SQL keeps to what SQLite and PostgreSQL both take.
#pragma once

#include <QByteArray>
#include <QString>

#include "server/Storage.h"

namespace qm::server {

// How many recent sign-in attempts there are, by the mail typed and by the
// client's address.
struct AttemptCounts {
  int byMail = 0;
  int byAddress = 0;
};

class BrowserStore {
 public:
  // storage must outlive the store; both belong to one thread.
  explicit BrowserStore(Storage& storage) : m_storage(storage) {}

  // Records an attempt (attemptId, a fresh token) at now and counts the
  // attempts since `since`, the new one included. Forgets attempts older
  // than since first. Recording before counting means attempts made at the
  // same moment all see each other, so together they cannot pass a limit
  // that each checks alone.
  StoreResult RecordAttempt(const QString& attemptId, const QString& mail, const QString& address,
                            qint64 now, qint64 since, AttemptCounts& counts);
  // Forgets one attempt.
  StoreResult ForgetAttempt(const QString& attemptId);
  // Forgets the attempts on mail from address: the account was proved from there.
  StoreResult ForgetAttempts(const QString& mail, const QString& address);

  // Sessions, found by the hash of their token. A session is bound to the
  // account's password digest as it stands at CreateSession (kNotFound when
  // the account is gone). FindSession gives kNotFound for an unknown or
  // expired session and for one whose account is gone or has another
  // password digest now.
  StoreResult CreateSession(const QString& tokenHash, const QString& mail, qint64 now,
                            qint64 expires);
  StoreResult FindSession(const QString& tokenHash, qint64 now, QString& mail, qint64& created,
                          qint64& expires);
  StoreResult ExtendSession(const QString& tokenHash, qint64 expires);
  StoreResult DeleteSession(const QString& tokenHash);
  // Forgets every session that expired before now.
  StoreResult DeleteExpiredSessions(qint64 now);

  // The file fileId with its bytes when it belongs to mail, else kNotFound.
  StoreResult ReadFile(const QString& mail, const QString& fileId, FileEntry& file,
                       QByteArray& content);

  QString LastError() const { return m_lastError; }

 private:
  StoreResult Failed(const QString& why);

  Storage& m_storage;
  QString m_lastError;
};

}  // namespace qm::server
