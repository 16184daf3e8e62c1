// FileStamp: what tells one state of a file on disk from another — its
// identity (device and inode), size and modification time — so that the
// program notices when another one changed or replaced a file it has open.
#pragma once

#include <QString>
#include <QtGlobal>

namespace qm {

struct FileStamp {
  bool exists = false;
  bool regularFile = false;  // not a folder, device or pipe
  quint64 device = 0;
  quint64 inode = 0;
  qint64 size = 0;
  qint64 modifiedNs = 0;  // nanoseconds since 1970

  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The file's stamp now; exists is false when it cannot be examined. A
// symbolic link is followed.
FileStamp StampOf(const QString& path);

// True when both paths name one file: the same device and inode where both
// exist (links and other spellings of a path included), the same absolute
// path otherwise.
bool IsSameFile(const QString& a, const QString& b);

}  // namespace qm
