// Sessions: signing in from a browser, and which account a session cookie
// stands for.
//
// A session is a random token of 128 bits from the system's cryptographic
// source, handed to the browser once; the database keeps only its SHA-256,
// so a copy of the database (a backup) signs nobody in. A session lasts
// kSessionIdleSeconds after its last use and never longer than
// kSessionMaxSeconds after sign-in.
//
// Sign-in attempts are limited by the mail typed and by the client's
// address: once kMaxSignInFailures attempts in kSignInWindowSeconds have
// been checked, further ones are refused without looking at the password
// until the oldest leaves the window. The counts live in the database, so
// every server process on it shares them. An unknown mail is counted and
// answered exactly as a wrong password.
#pragma once

#include <QString>
#include <QStringView>

#include "server/Storage.h"

namespace qm::server {

inline constexpr qint64 kSessionIdleSeconds = 12 * 60 * 60;
inline constexpr qint64 kSessionMaxSeconds = 7 * 24 * 60 * 60;
// A session's expiry moves on at most this often, so reading pages is not a
// database write each time.
inline constexpr qint64 kSessionRefreshSeconds = 5 * 60;
inline constexpr int kMaxSignInFailures = 5;
inline constexpr qint64 kSignInWindowSeconds = 10 * 60;

enum class SignInResult {
  kSignedIn,  // token holds the new session's token
  kRefused,   // unknown mail or wrong password
  kLimited,   // too many attempts; the password was not looked at
  kFailed,    // the database failed
};

struct SignInOutcome {
  SignInResult result = SignInResult::kFailed;
  QString token;
};

SignInOutcome SignIn(Storage& storage, const QString& mail, const QString& password,
                     const QString& address, qint64 now);

// The account the session token stands for, in mail: kOk, or kNotFound for
// no such session (a malformed, unknown, expired or outlived token, or one
// whose account was removed or has had its password changed since). Moves
// the session's expiry on.
StoreResult SignedInAccount(Storage& storage, QStringView token, qint64 now, QString& mail);

// Ends the session of token; nothing happens for an unknown one.
StoreResult SignOut(Storage& storage, QStringView token);

// True for a text that can be a session token: 32 lower-case hexadecimal digits.
bool IsTokenShaped(QStringView token);

}  // namespace qm::server
