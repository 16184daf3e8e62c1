// The browser pages' tables over QtSql.
#include "server/BrowserStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <initializer_list>

namespace qm::server {
namespace {

// Prepares statement, binds values in order and runs it.
bool Run(QSqlQuery& query, const QString& statement, std::initializer_list<QVariant> values) {
  if (!query.prepare(statement)) return false;
  for (const QVariant& value : values) query.addBindValue(value);
  return query.exec();
}

}  // namespace

StoreResult BrowserStore::Failed(const QString& why) {
  m_lastError = why;
  return StoreResult::kFailed;
}

StoreResult BrowserStore::RecordAttempt(const QString& attemptId, const QString& mail,
                                        const QString& address, qint64 now, qint64 since,
                                        AttemptCounts& counts) {
  QSqlQuery query(m_storage.Database());
  if (!Run(query, QStringLiteral("DELETE FROM signin_attempts WHERE attempted < ?"), {since}) ||
      !Run(query,
           QStringLiteral("INSERT INTO signin_attempts (attempt, mail, address, attempted)"
                          " VALUES (?, ?, ?, ?)"),
           {attemptId, mail, address, now})) {
    return Failed(query.lastError().text());
  }
  const auto count = [&](const char* column, const QString& value, int& out) {
    if (!Run(query,
             QStringLiteral("SELECT COUNT(*) FROM signin_attempts WHERE %1 = ? AND attempted >= ?")
                 .arg(QLatin1StringView(column)),
             {value, since}) ||
        !query.next()) {
      return false;
    }
    out = query.value(0).toInt();
    return true;
  };
  if (!count("mail", mail, counts.byMail) || !count("address", address, counts.byAddress)) {
    return Failed(query.lastError().text());
  }
  return StoreResult::kOk;
}

StoreResult BrowserStore::ForgetAttempt(const QString& attemptId) {
  QSqlQuery query(m_storage.Database());
  if (!Run(query, QStringLiteral("DELETE FROM signin_attempts WHERE attempt = ?"), {attemptId})) {
    return Failed(query.lastError().text());
  }
  return StoreResult::kOk;
}

StoreResult BrowserStore::ForgetAttempts(const QString& mail, const QString& address) {
  QSqlQuery query(m_storage.Database());
  if (!Run(query, QStringLiteral("DELETE FROM signin_attempts WHERE mail = ? AND address = ?"),
           {mail, address})) {
    return Failed(query.lastError().text());
  }
  return StoreResult::kOk;
}

StoreResult BrowserStore::CreateSession(const QString& tokenHash, const QString& mail, qint64 now,
                                        qint64 expires) {
  QSqlQuery query(m_storage.Database());
  if (!Run(query,
           QStringLiteral("INSERT INTO browser_sessions"
                          " (token_hash, mail, password_digest, created, expires)"
                          " SELECT ?, mail, password_digest, ?, ? FROM accounts WHERE mail = ?"),
           {tokenHash, now, expires, mail})) {
    return Failed(query.lastError().text());
  }
  return query.numRowsAffected() == 1 ? StoreResult::kOk : StoreResult::kNotFound;
}

StoreResult BrowserStore::FindSession(const QString& tokenHash, qint64 now, QString& mail,
                                      qint64& created, qint64& expires) {
  QSqlQuery query(m_storage.Database());
  if (!Run(query,
           QStringLiteral("SELECT s.mail, s.created, s.expires FROM browser_sessions s"
                          " JOIN accounts a ON a.mail = s.mail"
                          " AND a.password_digest = s.password_digest"
                          " WHERE s.token_hash = ? AND s.expires >= ?"),
           {tokenHash, now})) {
    return Failed(query.lastError().text());
  }
  if (!query.next()) return StoreResult::kNotFound;
  mail = query.value(0).toString();
  created = query.value(1).toLongLong();
  expires = query.value(2).toLongLong();
  return StoreResult::kOk;
}

StoreResult BrowserStore::ExtendSession(const QString& tokenHash, qint64 expires) {
  QSqlQuery query(m_storage.Database());
  if (!Run(query, QStringLiteral("UPDATE browser_sessions SET expires = ? WHERE token_hash = ?"),
           {expires, tokenHash})) {
    return Failed(query.lastError().text());
  }
  return StoreResult::kOk;
}

StoreResult BrowserStore::DeleteSession(const QString& tokenHash) {
  QSqlQuery query(m_storage.Database());
  if (!Run(query, QStringLiteral("DELETE FROM browser_sessions WHERE token_hash = ?"),
           {tokenHash})) {
    return Failed(query.lastError().text());
  }
  return StoreResult::kOk;
}

StoreResult BrowserStore::DeleteExpiredSessions(qint64 now) {
  QSqlQuery query(m_storage.Database());
  if (!Run(query, QStringLiteral("DELETE FROM browser_sessions WHERE expires < ?"), {now})) {
    return Failed(query.lastError().text());
  }
  return StoreResult::kOk;
}

StoreResult BrowserStore::ReadFile(const QString& mail, const QString& fileId, FileEntry& file,
                                   QByteArray& content) {
  QSqlQuery query(m_storage.Database());
  if (!Run(query,
           QStringLiteral("SELECT file_id, title, updated, size, content FROM files"
                          " WHERE file_id = ? AND mail = ?"),
           {fileId, mail})) {
    return Failed(query.lastError().text());
  }
  if (!query.next()) return StoreResult::kNotFound;
  file = {query.value(0).toString(), query.value(1).toString(), query.value(2).toLongLong(),
          query.value(3).toLongLong()};
  content = query.value(4).toByteArray();
  return StoreResult::kOk;
}

}  // namespace qm::server
