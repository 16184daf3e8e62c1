// Whole-file reading and writing with the host's file system, and why either failed.
//
// Reading never blocks and never reads more than the caller allows: what is
// not a regular file (a folder, a FIFO, a device, a socket) is refused once
// it is known, before a byte is read, and so is a file over the size limit.
//
// Replacing never destroys the previous file before the new one is complete
// and on the disk: the bytes go to a temporary file in the same folder
// (created exclusively under a fresh name), which takes the old file's mode,
// owner and group, is written in full, flushed with fdatasync and closed;
// only then is it renamed over the old file, and the folder is flushed with
// fsync so the new name survives a power cut. An error at any of these steps
// fails the save. ACLs and extended attributes of the old file are not
// carried over.
//
// - A symbolic link is written through: the link stays and the file it
//   leads to (through any chain of links) is replaced. A link that leads
//   nowhere yet creates its target.
// - A destination that exists but is not a regular file is refused before
//   anything is written.
// - A file with other hard links (st_nlink > 1) cannot be replaced by a
//   rename without leaving the other names on the old content. It is
//   rewritten in place instead, so every name sees the new content, and
//   kept safe meanwhile: the file is first opened for writing (a refusal
//   there leaves nothing behind), the new bytes are then written and synced
//   to a safety copy beside it as above, then written over the original
//   (write from the start, truncate to the new length, fdatasync, close),
//   and the safety copy is removed. Should the in-place rewrite fail after
//   it began, the original may be torn but the safety copy holds the
//   complete new content; it stays, and its path is in the failure
//   (FileFailure::keptCopy) and in its reason text.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
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
    Abandoned,         // the caller's writer gave up; nothing was written
  };
  Kind kind = Kind::None;
  int error = 0;     // the errno behind it; 0 where the program itself refused
  QString keptCopy;  // a safety copy holding the new content, kept after a failure

  bool Failed() const { return kind != Kind::None; }
};

// The failure an errno stands for (Kind::Other for one without a kind).
FileFailure FailureFromErrno(int error);

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

struct WriteResult {
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

// Where a streamed write puts its bytes, in order. Each Append goes to the
// file at once; after a failed write the rest is dropped, and the write as a
// whole fails with that error. Owned by the write; a writer never keeps it.
class ByteSink {
 public:
  ByteSink(const ByteSink&) = delete;
  ByteSink& operator=(const ByteSink&) = delete;
  virtual ~ByteSink() = default;

  virtual void Append(QByteArrayView bytes) = 0;

 protected:
  ByteSink() = default;
};

// Puts a file's bytes into the sink, in as many pieces as it likes, so that
// a large file never has to be held whole. Returns false to abandon the
// write: the write then fails with Kind::Abandoned and leaves every file as
// it was.
using ByteWriter = std::function<bool(ByteSink& sink)>;

// Replaces the file at path as the notes above describe. On success the file
// (the link's target for a link) holds exactly bytes, with the old file's
// mode and, where the user may set them, its owner and group. On failure no
// temporary file is left and the old file is untouched, with two exceptions
// the failure names: FolderSyncFailed, where the new file is complete and in
// place but may not survive a power cut, and a failed in-place rewrite of a
// hard-linked file, whose new content is in failure.keptCopy.
WriteResult WriteFileReplacing(const QString& path, const QByteArray& bytes,
                               FileSystem& fs = SystemFileSystem());

// The same with the bytes made as they are written. A hard-linked file is
// rewritten from its safety copy, so write runs once in every case.
WriteResult WriteFileReplacing(const QString& path, const ByteWriter& write,
                               FileSystem& fs = SystemFileSystem());

// Creates a file that does not exist yet (O_EXCL: a file or link that exists
// or appears meanwhile is never written over, and fails with Exists). On
// success the file holds exactly bytes, flushed with fdatasync, and the
// folder is flushed too. On failure a file that existed is untouched and
// the new one is gone, even when only the folder's flush failed.
WriteResult WriteNewFile(const QString& path, const QByteArray& bytes,
                         FileSystem& fs = SystemFileSystem());

// The same with the bytes made as they are written; an abandoned write
// leaves no file behind.
WriteResult WriteNewFile(const QString& path, const ByteWriter& write,
                         FileSystem& fs = SystemFileSystem());

// The file name without folder: the text after the last "/" (or "\", the
// separator stored paths from other systems use).
QString FileNameOf(const QString& path);

// The file name without folder and without the part from its last ".".
QString BaseNameOf(const QString& path);

// The extension from the file name's last ".", lower-cased (".qmp"); empty
// when the name has no ".".
QString ExtensionOf(const QString& path);

}  // namespace qm
