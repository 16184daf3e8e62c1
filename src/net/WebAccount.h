// WebAccount: the web outline service's account, kept in the settings store:
// the mail address in System/WebID as typed, the password in System/WP in a
// scrambled text form that keeps it from being read at a glance (it is not
// encryption: anyone with this program's source can reverse it).
//
// The scrambled form. The password's bytes are scrambled one by one. For
// the byte b at index i, d = (K[i mod 8] + b + i) mod 256; the group "%02X%02X"
// of d and b XOR d is written with each letter A+k (k = 0-5) of its first two
// digits replaced by A+P[(8+k) mod 6]. The groups are joined and the halves of
// the whole text swapped. Reading swaps the halves back and takes each
// group's first two digits only.
//   K = {5, 3, 9, 2, 7, 4, 8, 6}    P = {3, 0, 5, 1, 4, 2}
// The bytes are the password's UTF-8 bytes: an ASCII password gives the same
// text as one byte per character, and a password in any script comes back
// as it was typed. A stored text whose bytes are not UTF-8 is read one
// character per byte (U+0000-U+00FF), the form of one byte per character.
#pragma once

#include <QString>

namespace qm {

class SettingsStore;

struct WebAccount {
  QString mail;
  QString password;  // plain, in memory only
};

// The scrambled text of password; empty for an empty password.
QString ScrambleWebPassword(const QString& password);

// The password a scrambled text stands for. A text that is not in the
// scrambled form (a length that is not a multiple of four, a digit that is
// not hexadecimal) gives an empty password.
QString UnscrambleWebPassword(const QString& scrambled);

// Reads System/WebID and System/WP (both empty when absent).
WebAccount LoadWebAccount(const SettingsStore& store);

// Writes System/WebID := account.mail and System/WP := the scrambled password.
void StoreWebAccount(SettingsStore& store, const WebAccount& account);

}  // namespace qm
