// Whole-file reading through the FileSystem port, writing through QSaveFile, and the reasons told.
#include "platform/FileIo.h"

#include <fcntl.h>

#include <QFile>
#include <QSaveFile>
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

// What an errno from opening, reading a link, renaming or writing means to the user.
FileFailure FromErrno(int error) {
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

// Why a file of this type is not read or written over; None for a regular file.
FileFailure RefusalOf(const struct stat& info) {
  if (S_ISDIR(info.st_mode)) return Failure(Kind::IsFolder);
  if (!S_ISREG(info.st_mode)) return Failure(Kind::NotRegularFile);
  return {};
}

int OpenRetrying(FileSystem& fs, const QByteArray& path, int flags, mode_t mode) {
  int fd;
  do {
    fd = fs.Open(path.constData(), flags, mode);
  } while (fd == -EINTR);
  return fd;
}

// Reads the regular file open at fd to its end, within limit bytes.
FileFailure ReadOpened(FileSystem& fs, int fd, qint64 limit, QByteArray* bytes) {
  struct stat info {};
  if (const int statted = fs.Fstat(fd, &info); statted < 0) return FromErrno(-statted);
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
    result.failure = FromErrno(-statted);
    return result;
  }
  result.failure = RefusalOf(info);
  if (result.failure.Failed()) return result;
  // O_NONBLOCK: should a FIFO have taken the name meanwhile, the open
  // returns at once instead of waiting for a writer, and ReadOpened
  // refuses it.
  const int fd = OpenRetrying(fs, name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) {
    result.failure = FromErrno(-fd);
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

bool WriteFileReplacing(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool WriteNewFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  // NewOnly: a file that appeared meanwhile is still never written over.
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
  if (file.write(bytes) == bytes.size() && file.flush()) return true;
  file.close();
  file.remove();  // a half-written new file is worth nothing
  return false;
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
