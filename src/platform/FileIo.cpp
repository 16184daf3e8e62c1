// Whole-file reading and writing through the FileSystem port, and the reasons told when they fail.
#include "platform/FileIo.h"

#include <fcntl.h>

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <limits>
#include <system_error>

#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {

static_assert(kDefaultMaxFileBytes == qint64{settings::kMaxFileMegabytes.fallback} * 1024 * 1024,
              "the default limit and the setting's default must agree");

namespace {

using Kind = FileFailure::Kind;

FileFailure Failure(Kind kind, int error = 0) { return FileFailure{kind, error, QString()}; }

}  // namespace

// What an errno from opening, reading a link, renaming or writing means to the user.
FileFailure FailureFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return Failure(Kind::NotFound, error);
    case EACCES:
    case EPERM:
      return Failure(Kind::PermissionDenied, error);
    case EISDIR:
      return Failure(Kind::IsFolder, error);
    case ENXIO:  // opening a socket, or a FIFO for writing with no reader
    case ENODEV:
      return Failure(Kind::NotRegularFile, error);
    case EFBIG:
    case EOVERFLOW:
      return Failure(Kind::TooLarge, error);
    case EEXIST:
      return Failure(Kind::Exists, error);
    case ENOSPC:
    case EDQUOT:
      return Failure(Kind::DiskFull, error);
    case EROFS:
      return Failure(Kind::ReadOnly, error);
    default:
      return Failure(Kind::Other, error);
  }
}

namespace {

// A flush or a close reports what writing back to the disk met. A full disk
// or quota often shows only there (delayed allocation, network file
// systems), and is worth naming as such; anything else means the bytes may
// not be on the disk.
FileFailure FromSyncErrno(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return Failure(Kind::DiskFull, error);
    case EROFS:
      return Failure(Kind::ReadOnly, error);
    default:
      return Failure(Kind::SyncFailed, error);
  }
}

// Why a file of this type is not read or written over; None for a regular file.
FileFailure RefusalOf(const struct stat& info) {
  if (S_ISDIR(info.st_mode)) return Failure(Kind::IsFolder);
  if (!S_ISREG(info.st_mode)) return Failure(Kind::NotRegularFile);
  return {};
}

QByteArray FolderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return QByteArrayLiteral(".");
  if (slash == 0) return QByteArrayLiteral("/");
  return path.left(slash);
}

QByteArray Joined(const QByteArray& folder, const QByteArray& name) {
  return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

int OpenRetrying(FileSystem& fs, const QByteArray& path, int flags, mode_t mode) {
  int fd;
  do {
    fd = fs.Open(path.constData(), flags, mode);
  } while (fd == -EINTR);
  return fd;
}

// Writes every byte, going on after short writes and interruptions. Returns
// 0, or the -errno that stopped it. *progressed turns true once any byte
// has reached the file.
int WriteAll(FileSystem& fs, int fd, QByteArrayView bytes, bool* progressed = nullptr) {
  const char* data = bytes.data();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = fs.Write(fd, data, size_t(left));
    if (written == -EINTR) continue;
    if (written < 0) return int(written);
    // Neither progress nor an error: give up rather than spin for ever.
    if (written == 0) return -EIO;
    if (progressed) *progressed = true;
    data += written;
    left -= written;
  }
  return 0;
}

// Hands what it is given to the file open at fd, and keeps the first error.
class DescriptorSink final : public ByteSink {
 public:
  DescriptorSink(FileSystem& fs, int fd) : m_fs(fs), m_fd(fd) {}

  void Append(QByteArrayView bytes) override {
    if (m_error < 0) return;
    m_error = WriteAll(m_fs, m_fd, bytes);
    if (m_error == 0) m_written += bytes.size();
  }

  int Error() const { return m_error; }  // 0 or -errno
  qint64 Written() const { return m_written; }

 private:
  FileSystem& m_fs;
  const int m_fd;
  int m_error = 0;
  qint64 m_written = 0;
};

ByteWriter WriterOf(const QByteArray& bytes) {
  return [&bytes](ByteSink& sink) {
    sink.Append(bytes);
    return true;
  };
}

// The bytes of a file copied at a time: large enough that the calls cost
// nothing beside the disk, small enough to stay in the cache.
constexpr qsizetype kCopyChunk = qsizetype{1} << 20;

// Flushes a folder, so that a name just made or changed in it survives a
// power cut. Returns 0 or the -errno of the failure.
int SyncFolder(FileSystem& fs, const QByteArray& folder) {
  const int fd = OpenRetrying(fs, folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  // A folder the user may write in but not read cannot be opened to be
  // flushed; refusing every save there would leave the user no way out.
  if (fd == -EACCES || fd == -EPERM) return 0;
  if (fd < 0) return fd;
  const int synced = fs.Fsync(fd);
  fs.Close(fd);  // opened for reading: a failing close loses nothing
  // EINVAL: the file system has no way to flush a folder.
  return synced == -EINVAL ? 0 : synced;
}

// Where the content behind a path lives.
struct Target {
  QByteArray path;  // links resolved
  bool exists = false;
  struct stat info {};  // its lstat, when it exists
};

// Follows symbolic links from path, through any chain of them, to the name
// the content lives under. On success *target names it. On failure says why
// the path could not be followed.
FileFailure Resolve(FileSystem& fs, QByteArray path, Target* target) {
  // As many links as the system itself follows in one path.
  constexpr int kMaxLinks = 40;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat info {};
    const int found = fs.Lstat(path.constData(), &info);
    if (found == -ENOENT) {
      *target = Target{path, false, {}};
      return {};
    }
    if (found < 0) return FailureFromErrno(-found);
    if (!S_ISLNK(info.st_mode)) {
      *target = Target{path, true, info};
      return {};
    }
    QByteArray link;
    if (const int read = fs.Readlink(path.constData(), &link); read < 0)
      return FailureFromErrno(-read);
    path = link.startsWith('/') ? link : Joined(FolderOf(path), link);
  }
  return FailureFromErrno(ELOOP);
}

// Gives the file open at fd the owner, group and mode of old.
FileFailure TakeOwnerAndMode(FileSystem& fs, int fd, const struct stat& old) {
  // Owner and group first: a change of owner clears the set-user-ID and
  // set-group-ID bits, which the change of mode then puts back.
  int owned = fs.Fchown(fd, old.st_uid, old.st_gid);
  if (owned == -EPERM || owned == -EINVAL) {
    // Only root gives a file away; the group may still be kept when the
    // user belongs to it. Failing both, the file is the saving user's,
    // which is no reason to refuse the save.
    owned = fs.Fchown(fd, uid_t(-1), old.st_gid);
    if (owned == -EPERM || owned == -EINVAL) owned = 0;
  }
  if (owned < 0) return FailureFromErrno(-owned);
  if (const int moded = fs.Fchmod(fd, old.st_mode & 07777); moded < 0)
    return FailureFromErrno(-moded);
  return {};
}

// Creates a file under a fresh hidden name beside target. On success returns
// its descriptor and sets *path. On failure returns -errno.
int CreateBeside(FileSystem& fs, const QByteArray& target, mode_t mode, QByteArray* path) {
  const qsizetype slash = target.lastIndexOf('/');
  QByteArray name = target.sliced(slash + 1);
  // A name may have 255 bytes; leave room for what is added, and cut on a
  // character boundary so the name still reads well in a message.
  constexpr qsizetype kNameRoom = 200;
  if (name.size() > kNameRoom) {
    qsizetype cut = kNameRoom;
    while (cut > 0 && (uchar(name.at(cut)) & 0xC0) == 0x80) --cut;
    name.truncate(cut);
  }
  const QByteArray folder = FolderOf(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QByteArray tag =
        QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, '0');
    const QByteArray candidate = Joined(folder, '.' + name + '.' + tag + ".tmp");
    const int fd =
        OpenRetrying(fs, candidate, O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
    if (fd == -EEXIST) continue;
    if (fd >= 0) *path = candidate;
    return fd;
  }
  return -EEXIST;
}

// Writes the writer's bytes to the file open at fd, flushes them to the disk
// and closes it, whatever fails on the way. *size (when given) receives the
// number of bytes written.
FileFailure WriteFlushClose(FileSystem& fs, int fd, const ByteWriter& write,
                            qint64* size = nullptr) {
  FileFailure failure;
  DescriptorSink sink(fs, fd);
  const bool completed = write(sink);
  if (sink.Error() < 0) {
    failure = FailureFromErrno(-sink.Error());
  } else if (!completed) {
    failure = Failure(Kind::Abandoned);
  } else if (const int synced = fs.Fdatasync(fd); synced < 0) {
    failure = FromSyncErrno(-synced);
  }
  // A close can report a write-back that failed (network file systems).
  const int closed = fs.Close(fd);
  if (!failure.Failed() && closed < 0) failure = FromSyncErrno(-closed);
  if (size != nullptr) *size = sink.Written();
  return failure;
}

// Writes the writer's bytes to a new file beside target, flushed and closed, with the
// owner, group and mode of old when there is one. On success *path names
// it and *size (when given) holds its length. On failure it is gone again.
FileFailure WriteBeside(FileSystem& fs, const QByteArray& target, const struct stat* old,
                        const ByteWriter& write, QByteArray* path, qint64* size = nullptr) {
  // Private until it has the old file's mode; without an old file it gets
  // what the umask leaves of 0666, as any new file.
  QByteArray created;
  const int fd = CreateBeside(fs, target, old ? S_IRUSR | S_IWUSR : 0666, &created);
  if (fd < 0) return FailureFromErrno(-fd);
  FileFailure failure = old ? TakeOwnerAndMode(fs, fd, *old) : FileFailure{};
  if (failure.Failed()) {
    fs.Close(fd);
  } else {
    failure = WriteFlushClose(fs, fd, write, size);
  }
  if (failure.Failed()) {
    fs.Unlink(created.constData());
    return failure;
  }
  *path = created;
  return {};
}

// Copies the file at from over the start of the file open at to. Returns 0
// or the -errno that stopped it; *began turns true once a byte of to changed.
int CopyOver(FileSystem& fs, const QByteArray& from, int to, bool* began) {
  const int source = OpenRetrying(fs, from, O_RDONLY | O_NOCTTY | O_CLOEXEC, 0);
  if (source < 0) return source;
  QByteArray buffer(kCopyChunk, Qt::Uninitialized);
  int error = 0;
  for (;;) {
    const ssize_t read = fs.Read(source, buffer.data(), size_t(buffer.size()));
    if (read == -EINTR) continue;
    if (read <= 0) {
      error = int(read);
      break;
    }
    if ((error = WriteAll(fs, to, QByteArrayView(buffer.constData(), read), began)) < 0) break;
  }
  fs.Close(source);  // opened for reading: a failing close loses nothing
  return error;
}

// Writes a file that has other hard links in place, behind a safety copy
// (see FileIo.h). The new bytes are made once, into the copy, and copied
// from there over the original.
FileFailure RewriteInPlace(FileSystem& fs, const QByteArray& target, const ByteWriter& write) {
  // Opened before any copy is made, so that a file the user may not write
  // is refused with nothing left behind. O_NONBLOCK: should a FIFO have
  // taken the name meanwhile, the open returns at once and the check below
  // refuses it.
  const int fd = OpenRetrying(fs, target, O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK, 0);
  if (fd < 0) return FailureFromErrno(-fd);
  struct stat info {};
  const int statted = fs.Fstat(fd, &info);
  FileFailure failure = statted < 0 ? FailureFromErrno(-statted) : RefusalOf(info);
  QByteArray copy;
  qint64 size = 0;
  if (!failure.Failed()) failure = WriteBeside(fs, target, &info, write, &copy, &size);
  if (!failure.Failed()) {
    if (const int synced = SyncFolder(fs, FolderOf(target)); synced < 0) {
      fs.Unlink(copy.constData());
      failure = Failure(Kind::SyncFailed, -synced);
    }
  }
  if (failure.Failed()) {
    fs.Close(fd);
    return failure;
  }

  bool began = false;
  if (const int copied = CopyOver(fs, copy, fd, &began); copied < 0) {
    failure = FailureFromErrno(-copied);
  } else {
    began = true;  // a truncation changes the file even when it reports a failure
    if (const int cut = fs.Ftruncate(fd, off_t(size)); cut < 0) {
      failure = FailureFromErrno(-cut);
    } else if (const int synced = fs.Fdatasync(fd); synced < 0) {
      failure = FromSyncErrno(-synced);
    }
  }
  const int closed = fs.Close(fd);
  if (!failure.Failed() && closed < 0) failure = FromSyncErrno(-closed);
  if (failure.Failed() && began) {
    failure.keptCopy = QFile::decodeName(copy);
    return failure;
  }
  fs.Unlink(copy.constData());  // the original is whole again: new, or never touched
  return failure;
}

// Reads the regular file open at fd to its end, within limit bytes.
FileFailure ReadOpened(FileSystem& fs, int fd, qint64 limit, QByteArray* bytes) {
  struct stat info {};
  if (const int statted = fs.Fstat(fd, &info); statted < 0) return FailureFromErrno(-statted);
  if (FileFailure refusal = RefusalOf(info); refusal.Failed()) return refusal;
  if (info.st_size > limit) return Failure(Kind::TooLarge);
  // One byte beyond the size the file had finds its end, or that it grew,
  // in the same read.
  QByteArray buffer(qsizetype(info.st_size) + 1, Qt::Uninitialized);
  qsizetype filled = 0;
  for (;;) {
    if (filled == buffer.size()) {
      if (filled > limit) return Failure(Kind::TooLarge);
      constexpr qint64 kLeastGrowth = 64 * 1024;
      buffer.resize(qsizetype(std::min(std::max(qint64(filled) * 2, kLeastGrowth), limit + 1)));
    }
    const ssize_t read = fs.Read(fd, buffer.data() + filled, size_t(buffer.size() - filled));
    if (read == -EINTR) continue;
    if (read < 0) return Failure(Kind::ReadError, int(-read));
    if (read == 0) break;
    filled += read;
  }
  if (filled > limit) return Failure(Kind::TooLarge);
  buffer.truncate(filled);
  *bytes = std::move(buffer);
  return {};
}

QString KindText(const FileFailure& failure) {
  switch (failure.kind) {
    case Kind::None:
      break;
    case Kind::NotFound:
      return res::kFileReasonNotFound.toString();
    case Kind::PermissionDenied:
      return res::kFileReasonPermissionDenied.toString();
    case Kind::IsFolder:
      return res::kFileReasonIsFolder.toString();
    case Kind::NotRegularFile:
      return res::kFileReasonNotRegularFile.toString();
    case Kind::TooLarge:
      return res::kFileReasonTooLarge.toString();
    case Kind::Exists:
      return res::kFileReasonExists.toString();
    case Kind::ReadError:
      return res::kFileReasonReadError.toString();
    case Kind::DiskFull:
      return res::kFileReasonDiskFull.toString();
    case Kind::ReadOnly:
      return res::kFileReasonReadOnly.toString();
    case Kind::SyncFailed:
      return res::kFileReasonSyncFailed.toString();
    case Kind::FolderSyncFailed:
      return res::kFileReasonFolderSyncFailed.toString();
    case Kind::Abandoned:
      break;  // never shown: the caller that gave up says why
    case Kind::Other:
      // The system's own words (strerror), in the user's language where
      // the system has them.
      return QString::fromLocal8Bit(std::generic_category().message(failure.error));
  }
  return QString();
}

}  // namespace

QString FailureReason(const FileFailure& failure) {
  if (!failure.Failed()) return QString();
  QString text = KindText(failure);
  if (!failure.keptCopy.isEmpty()) {
    text = res::kFileReasonKeptCopy.toString().arg(text, failure.keptCopy);
  }
  return res::kFileReason.toString().arg(text);
}

ReadResult ReadFile(const QString& path, qint64 maxBytes, FileSystem& fs) {
  const QByteArray name = QFile::encodeName(path);
  ReadResult result;
  // Looked at before opening, since opening a device can do something of
  // its own (a tape rewinds, a line is taken).
  struct stat info {};
  if (const int statted = fs.Stat(name.constData(), &info); statted < 0) {
    result.failure = FailureFromErrno(-statted);
    return result;
  }
  result.failure = RefusalOf(info);
  if (result.failure.Failed()) return result;
  // O_NONBLOCK: should a FIFO have taken the name meanwhile, the open
  // returns at once instead of waiting for a writer, and ReadOpened
  // refuses it.
  const int fd = OpenRetrying(fs, name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) {
    result.failure = FailureFromErrno(-fd);
    return result;
  }
  const qint64 limit = std::clamp<qint64>(maxBytes, 0, std::numeric_limits<qsizetype>::max() - 1);
  result.failure = ReadOpened(fs, fd, limit, &result.bytes);
  fs.Close(fd);  // nothing was written, so a failing close loses nothing
  return result;
}

std::optional<QByteArray> ReadWholeFile(const QString& path) {
  ReadResult result = ReadFile(path);
  if (!result) return std::nullopt;
  return std::move(result.bytes);
}

WriteResult WriteFileReplacing(const QString& path, const QByteArray& bytes, FileSystem& fs) {
  return WriteFileReplacing(path, WriterOf(bytes), fs);
}

WriteResult WriteFileReplacing(const QString& path, const ByteWriter& write, FileSystem& fs) {
  Target target;
  if (FileFailure failure = Resolve(fs, QFile::encodeName(path), &target); failure.Failed()) {
    return {failure};
  }
  if (target.exists) {
    if (FileFailure refusal = RefusalOf(target.info); refusal.Failed()) return {refusal};
    if (target.info.st_nlink > 1) return {RewriteInPlace(fs, target.path, write)};
  }
  QByteArray temporary;
  if (FileFailure failure =
          WriteBeside(fs, target.path, target.exists ? &target.info : nullptr, write, &temporary);
      failure.Failed()) {
    return {failure};
  }
  if (const int renamed = fs.Rename(temporary.constData(), target.path.constData()); renamed < 0) {
    fs.Unlink(temporary.constData());
    return {FailureFromErrno(-renamed)};
  }
  if (const int synced = SyncFolder(fs, FolderOf(target.path)); synced < 0) {
    return {Failure(Kind::FolderSyncFailed, -synced)};
  }
  return {};
}

WriteResult WriteNewFile(const QString& path, const QByteArray& bytes, FileSystem& fs) {
  return WriteNewFile(path, WriterOf(bytes), fs);
}

WriteResult WriteNewFile(const QString& path, const ByteWriter& write, FileSystem& fs) {
  const QByteArray name = QFile::encodeName(path);
  const int fd = OpenRetrying(fs, name, O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return {FailureFromErrno(-fd)};
  FileFailure failure = WriteFlushClose(fs, fd, write);
  if (!failure.Failed()) {
    if (const int synced = SyncFolder(fs, FolderOf(name)); synced < 0) {
      failure = Failure(Kind::SyncFailed, -synced);
    }
  }
  // A new file that may be incomplete or lost is worth nothing, and gone it
  // does not stand in the way of the next attempt.
  if (failure.Failed()) fs.Unlink(name.constData());
  return {failure};
}

QString FileNameOf(const QString& path) {
  const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  return path.sliced(cut + 1);
}

QString BaseNameOf(const QString& path) {
  const QString name = FileNameOf(path);
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? name : name.left(dot);
}

QString ExtensionOf(const QString& path) {
  const QString name = FileNameOf(path);
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? QString() : name.sliced(dot).toLower();
}

}  // namespace qm
