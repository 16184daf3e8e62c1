// Sign-in, the session a cookie stands for, and sign-out.
#include "server/Sessions.h"

#include <QCryptographicHash>

#include "server/AccountCheck.h"
#include "server/BrowserStore.h"
#include "server/ServiceLimits.h"
#include "server/ServiceRules.h"

namespace qm::server {
namespace {

QString TokenHash(QStringView token) {
  return QString::fromLatin1(
      QCryptographicHash::hash(token.toLatin1(), QCryptographicHash::Sha256).toHex());
}

// What an address column can hold; an IPv6 address text takes at most 45.
constexpr qsizetype kMaxAddressLength = 64;

}  // namespace

bool IsTokenShaped(QStringView token) {
  if (token.size() != 32) return false;
  for (const QChar c : token) {
    const char16_t u = c.unicode();
    if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f'))) return false;
  }
  return true;
}

SignInOutcome SignIn(Storage& storage, const QString& mail, const QString& password,
                     const QString& address, qint64 now) {
  BrowserStore store(storage);
  const QString attempt = RandomToken();
  // A mail longer than any account's cannot sign in, but is still counted.
  const QString countedMail = mail.left(kMaxMailLength);
  const QString countedAddress = address.left(kMaxAddressLength);
  AttemptCounts counts;
  if (store.RecordAttempt(attempt, countedMail, countedAddress, now, now - kSignInWindowSeconds,
                          counts) != StoreResult::kOk) {
    return {SignInResult::kFailed, {}};
  }
  if (counts.byMail > kMaxSignInFailures || counts.byAddress > kMaxSignInFailures) {
    // Only attempts whose password was checked count, so the refusal ends a
    // window after the last of them, however often the door is knocked on.
    store.ForgetAttempt(attempt);
    return {SignInResult::kLimited, {}};
  }
  switch (ProvePassword(storage, mail, password)) {
    case AccountProof::kProven:
      break;
    case AccountProof::kRefused:
      return {SignInResult::kRefused, {}};
    case AccountProof::kFailed:
      return {SignInResult::kFailed, {}};
  }
  if (store.ForgetAttempts(countedMail, countedAddress) != StoreResult::kOk ||
      store.DeleteExpiredSessions(now) != StoreResult::kOk) {
    return {SignInResult::kFailed, {}};
  }
  const QString token = RandomToken();
  switch (store.CreateSession(TokenHash(token), mail, now, now + kSessionIdleSeconds)) {
    case StoreResult::kOk:
      return {SignInResult::kSignedIn, token};
    case StoreResult::kNotFound:  // the account was removed a moment ago
      return {SignInResult::kRefused, {}};
    default:
      return {SignInResult::kFailed, {}};
  }
}

StoreResult SignedInAccount(Storage& storage, QStringView token, qint64 now, QString& mail) {
  if (!IsTokenShaped(token)) return StoreResult::kNotFound;
  BrowserStore store(storage);
  const QString hash = TokenHash(token);
  qint64 created = 0;
  qint64 expires = 0;
  const StoreResult found = store.FindSession(hash, now, mail, created, expires);
  if (found != StoreResult::kOk) return found;
  if (now - created > kSessionMaxSeconds) {
    store.DeleteSession(hash);
    return StoreResult::kNotFound;
  }
  // A failed extension leaves the session as it was; the page can still be shown.
  if (now + kSessionIdleSeconds - expires >= kSessionRefreshSeconds) {
    store.ExtendSession(hash, now + kSessionIdleSeconds);
  }
  return StoreResult::kOk;
}

StoreResult SignOut(Storage& storage, QStringView token) {
  if (!IsTokenShaped(token)) return StoreResult::kOk;
  BrowserStore store(storage);
  return store.DeleteSession(TokenHash(token));
}

}  // namespace qm::server
