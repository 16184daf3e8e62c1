// ServiceRules: the small rules the handlers share — fresh random tokens,
// comparing keys, reading the date a request is bound to, and naming a
// downloaded file safely.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace qm::server {

// 128 bits from the system's cryptographic random source, as 32 lower-case
// hexadecimal digits. Tickets and file identifiers are such tokens: nobody
// can guess another account's, nor count through them.
QString RandomToken();

// Compares two keys in time that does not depend on where they differ.
bool KeysEqual(QStringView a, QStringView b);

// Reads "Y/M/D h:m:s" (a four-digit year, the other numbers of one or two
// digits) as a wall-clock time and returns it as seconds since 1970 taken as
// UTC; nullopt for any other text or an impossible date.
std::optional<qint64> ParseRequestDate(QStringView text);

// True when a date ParseRequestDate read lies within kDateWindowSeconds of now.
bool DateWithinWindow(qint64 date, qint64 now);

// The name a download is offered under: the title's ASCII letters, digits,
// "-" and "_", anything else as "_", at most 64 of them, and ".qmp"; the file
// id when the title leaves nothing readable. The result is plain ASCII without
// "/", "\\", ".", quotes or control characters before its extension, so every
// header reader takes it the same way and it can only name a file in the
// folder it is saved to.
QString DownloadName(QStringView title, QStringView fileId);

// True when text holds a character below U+0020 or U+007F: never part of a
// title or a mail address.
bool HasControlCharacter(QStringView text);

}  // namespace qm::server
