// Whole-file reading and writing with the host's file system, and why either failed.
//
// Reading never blocks and never reads more than the caller allows: what is
// not a regular file (a folder, a FIFO, a device, a socket) is refused once
// it is known, before a byte is read, and so is a file over the size limit.
//
// WriteFileReplacing writes a complete new file beside the old one and puts
// it in place only once it is complete, so a failed write never destroys
// the previous file.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "platform/FileSystem.h"

namespace qm {

// The largest file read unless the caller says otherwise: 1 GiB, the default
// of settings::kMaxFileMegabytes.
inline constexpr qint64 kDefaultMaxFileBytes = qint64{1} << 30;

// What went wrong with a file, in the terms the user is told.
struct FileFailure {
  enum class Kind {
    None,              // nothing went wrong
    NotFound,          // ENOENT: the file or a folder on its path is missing
    PermissionDenied,  // EACCES, EPERM
    IsFolder,          // a folder where a file was expected
    NotRegularFile,    // a FIFO, device or socket
    TooLarge,          // over the caller's limit, or EFBIG
    Exists,            // a new file's name is taken
    ReadError,         // a read failed
    DiskFull,          // ENOSPC, EDQUOT
    ReadOnly,          // EROFS
    SyncFailed,        // the file's flush or close failed: it may not be on the disk
    FolderSyncFailed,  // the folder's flush failed after the new file took the name
    Other,             // anything else; error says what
  };
  Kind kind = Kind::None;
  int error = 0;     // the errno behind it; 0 where the program itself refused
  QString keptCopy;  // a safety copy holding the new content, kept after a failure

  bool Failed() const { return kind != Kind::None; }
};

// The reason as the user reads it after the program's own message:
// "（理由：ディスクがいっぱいです）"; Other gives the system's own text for
// the errno; a kept safety copy adds its path. Empty for Kind::None.
QString FailureReason(const FileFailure& failure);

struct ReadResult {
  QByteArray bytes;
  FileFailure failure;

  bool Ok() const { return !failure.Failed(); }
  explicit operator bool() const { return Ok(); }
};

// Reads the whole file at path (links followed). On success the result holds
// every byte the file had when the end was reached. On failure bytes is
// empty and failure says why: a folder (IsFolder) or a FIFO, device or
// socket (NotRegularFile) at once, without blocking; a file larger than
// maxBytes (TooLarge) before reading it, or once it has grown past maxBytes
// while being read.
ReadResult ReadFile(const QString& path, qint64 maxBytes = kDefaultMaxFileBytes,
                    FileSystem& fs = SystemFileSystem());

// ReadFile with the default limit, for callers that need no reason.
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
