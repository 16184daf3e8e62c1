// SystemFileSystem: the FileSystem port over the host's POSIX calls.
#include "platform/FileSystem.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace qm {
namespace {

// The call's result, or the negated errno when it failed.
template <typename T>
T Checked(T result) {
  return result < 0 ? static_cast<T>(-errno) : result;
}

class PosixFileSystem final : public FileSystem {
 public:
  int Open(const char* path, int flags, mode_t mode) override {
    return Checked(::open(path, flags, mode));
  }
  int Stat(const char* path, struct stat* info) override { return Checked(::stat(path, info)); }
  int Lstat(const char* path, struct stat* info) override { return Checked(::lstat(path, info)); }
  int Fstat(int fd, struct stat* info) override { return Checked(::fstat(fd, info)); }
  ssize_t Read(int fd, void* buffer, size_t size) override {
    return Checked(::read(fd, buffer, size));
  }
  ssize_t Write(int fd, const void* buffer, size_t size) override {
    return Checked(::write(fd, buffer, size));
  }
  int Ftruncate(int fd, off_t length) override { return Checked(::ftruncate(fd, length)); }
  int Fdatasync(int fd) override { return Checked(::fdatasync(fd)); }
  int Fsync(int fd) override { return Checked(::fsync(fd)); }
  int Fchown(int fd, uid_t owner, gid_t group) override {
    return Checked(::fchown(fd, owner, group));
  }
  int Fchmod(int fd, mode_t mode) override { return Checked(::fchmod(fd, mode)); }
  int Rename(const char* from, const char* to) override { return Checked(::rename(from, to)); }
  int Unlink(const char* path) override { return Checked(::unlink(path)); }
  int Close(int fd) override { return Checked(::close(fd)); }

  int Readlink(const char* path, QByteArray* target) override {
    // readlink neither says how long the text is nor ends it; a result that
    // fills the buffer may have been cut, so try again with a larger one.
    QByteArray buffer(256, Qt::Uninitialized);
    for (;;) {
      const ssize_t length = ::readlink(path, buffer.data(), size_t(buffer.size()));
      if (length < 0) return -errno;
      if (length < buffer.size()) {
        buffer.truncate(length);
        *target = buffer;
        return 0;
      }
      if (buffer.size() >= (1 << 20)) return -ENAMETOOLONG;
      buffer.resize(buffer.size() * 2);
    }
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem system;
  return system;
}

}  // namespace qm
