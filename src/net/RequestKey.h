// The request key of the web outline service: the proof of the password that
// a ticket request carries instead of the password itself, and the date it is
// bound to. The client computes it for every ticket request; the server
// computes the same from the digest it stores and compares.
//
// Texts are digested as their bytes in the code page (CP932), so a key made
// from a Japanese password agrees on every host.
#pragma once

#include <QDateTime>
#include <QString>

namespace qm {

// The date text of a ticket: "%d/%d/%d %d:%d:%d" of the local time, numbers
// without leading zeros ("2010/3/7 9:5:3").
QString TicketDateText(const QDateTime& localTime);

// The password digest the server stores: MD5 of the password's bytes, as 32
// lower-case hexadecimal digits.
QString PasswordDigest(const QString& password);

// The key sent as "pass": MD5 of passwordDigest + date + the salt "ke\t=lun",
// as 32 lower-case hexadecimal digits.
QString RequestKeyFromDigest(const QString& passwordDigest, const QString& date);

// RequestKeyFromDigest(PasswordDigest(password), date).
QString RequestKey(const QString& password, const QString& date);

}  // namespace qm
