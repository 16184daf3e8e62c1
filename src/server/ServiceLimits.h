// The service's error numbers and bounds. The numbers travel in the "error"
// element of the account endpoint's replies and as the code of the file
// store's replies; clients show the message beside them, so the numbers are
// for scripts and logs and never change meaning.
#pragma once

#include <QtGlobal>

namespace qm::server {

enum ServiceError : int {
  kOk = 0,
  kErrorBadRequest = 1,    // missing, repeated or malformed fields; unknown mode
  kErrorWrongAccount = 2,  // unknown mail or a key that does not match the password
  kErrorBadDate = 3,       // a date that does not parse or lies outside the window
  kErrorReplayedKey = 4,   // a key and date already used: try again a second later
  kErrorNoSuchFile = 5,    // no such file for this account (another account's is the same)
  kErrorBadTicket = 6,     // unknown, used, expired or mismatched ticket
  kErrorFileTooLarge = 7,  // the file is over kMaxFileBytes
  kErrorBadTitle = 8,      // a title too long or holding control characters
  kErrorInternal = 9,      // the storage failed; nothing was changed
  kErrorNoFilePart = 10,   // an upload without its file
};

// The largest stored file. The window refuses uploads over 999,999 bytes
// before sending; the server holds the line one byte further.
inline constexpr qsizetype kMaxFileBytes = 1000000;
// The largest request body the listener reads at all. Well above a full file
// with its form so that an oversized file still gets a clear reply instead of
// a bare HTTP status the window would not show.
inline constexpr qsizetype kMaxRequestBytes = 2 * 1024 * 1024;
// The window sends at most seven fields and one file.
inline constexpr int kMaxFormFields = 16;
// Any one field other than the file, after decoding.
inline constexpr qsizetype kMaxFieldBytes = 4096;
inline constexpr qsizetype kMaxTitleLength = 1000;
inline constexpr qsizetype kMaxMailLength = 254;

// A sent date is accepted within this many seconds either side of the
// server's clock. The window sends its local wall-clock time without a zone;
// it is compared with UTC, so a day each way covers every zone (UTC-12 to
// UTC+14) with hours to spare for a clock that is off.
inline constexpr qint64 kDateWindowSeconds = 24 * 60 * 60;
// A used key is remembered while its date could still be accepted.
inline constexpr qint64 kUsedKeyMemorySeconds = 2 * kDateWindowSeconds + 60;
// A ticket serves one file-store request within this time of being issued.
inline constexpr qint64 kTicketLifetimeSeconds = 5 * 60;

}  // namespace qm::server
