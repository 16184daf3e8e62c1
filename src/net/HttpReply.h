// HttpReply: reading what a web server answers: the text of a reply by its
// declared character set, and the file name a download announces.
//
// These take outside input as it comes and are fuzzed; none of them fails.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "net/HttpClient.h"

namespace qm {

// The value of the first header named name (compared without regard to
// case), or an empty array when there is none.
QByteArray HeaderValue(const HttpHeaders& headers, QByteArrayView name);

// The media type of a Content-Type value: the text before any ";", trimmed
// and lower-cased ("text/plain; charset=Shift_JIS" gives "text/plain").
QByteArray MediaTypeOf(QByteArrayView contentType);

// The text of a reply body, decoded by the charset parameter of contentType:
// none, an unknown one, "Shift_JIS", "CP932" or "Windows-31J" read the code
// page; "UTF-8" reads UTF-8 (a leading byte order mark dropped); "UTF-16",
// "UTF-16LE" and "UTF-16BE" read 16-bit units, a byte order mark choosing the
// order where present (little-endian otherwise, except for "UTF-16BE").
// Names compare without regard to case. Undecodable bytes become U+FFFD.
QString DecodeTextReply(QByteArrayView contentType, QByteArrayView body);

// The file name a download's headers announce: in the raw header lines
// ("Name: value"), the text after the first "filename=" up to the end of its
// line; when that holds a double quote, only the text between the first
// double quote and the next one (or the end). Decoded with the code page.
// Empty when no header holds "filename=". The result is the server's word
// and may be anything: pass it through SafeDownloadName before use.
QString DownloadNameFromHeaders(const HttpHeaders& headers);

// A name that is safe to create inside a folder, made from a name a server
// chose: control characters (NUL included) are removed; only the text after
// the last "/" or "\" is kept; leading dots and white space are removed, so
// the name can be neither "." nor ".." nor hidden; trailing white space is
// removed. Empty when nothing is left or the name is longer than a file
// name may be (255 bytes of UTF-8). A non-empty result holds no separator
// and names a file directly inside the folder.
QString SafeDownloadName(const QString& name);

// folder + "/" + name, as plain text. (QDir::filePath would take a name that
// begins with ":" for a resource path and return it alone.)
QString PathInFolder(const QString& folder, const QString& name);

}  // namespace qm
