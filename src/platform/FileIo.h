// Whole-file reading and writing with the host's file system.
//
// WriteFileReplacing writes a complete new file beside the old one and puts
// it in place only once it is complete, so a failed write never destroys
// the previous file.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace qm {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<QByteArray> ReadWholeFile(const QString& path);

// On success returns true and the file holds exactly bytes. On failure
// returns false and any previous file at path is untouched.
bool WriteFileReplacing(const QString& path, const QByteArray& bytes);

// Creates a file that does not exist yet. On success returns true and the
// file holds exactly bytes. On failure returns false: a file that existed
// (or appeared meanwhile) is untouched, and a half-written new one is gone.
bool WriteNewFile(const QString& path, const QByteArray& bytes);

// The file name without folder: the text after the last "/" (or "\", the
// separator stored paths from other systems use).
QString FileNameOf(const QString& path);

// The file name without folder and without the part from its last ".".
QString BaseNameOf(const QString& path);

// The extension from the file name's last ".", lower-cased (".qmp"); empty
// when the name has no ".".
QString ExtensionOf(const QString& path);

}  // namespace qm
