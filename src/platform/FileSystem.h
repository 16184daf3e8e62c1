// FileSystem: the system calls that file reading and writing make, as a port.
//
// FileIo reads and writes only through this port, so a test can make any
// one call fail (a full disk at the third write, a failing fdatasync) and
// check that nothing is lost. Each function is the POSIX call of the same
// name with one difference: on success it returns what the call returns
// (a descriptor, a byte count, 0), on failure the negated errno (-ENOSPC).
// errno itself carries nothing. No call retries on EINTR; the caller does.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <QByteArray>

namespace qm {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual int Open(const char* path, int flags, mode_t mode) = 0;
  virtual int Stat(const char* path, struct stat* info) = 0;
  virtual int Lstat(const char* path, struct stat* info) = 0;
  virtual int Fstat(int fd, struct stat* info) = 0;
  virtual ssize_t Read(int fd, void* buffer, size_t size) = 0;
  virtual ssize_t Write(int fd, const void* buffer, size_t size) = 0;
  virtual int Ftruncate(int fd, off_t length) = 0;
  virtual int Fdatasync(int fd) = 0;
  virtual int Fsync(int fd) = 0;
  virtual int Fchown(int fd, uid_t owner, gid_t group) = 0;
  virtual int Fchmod(int fd, mode_t mode) = 0;
  virtual int Rename(const char* from, const char* to) = 0;
  virtual int Unlink(const char* path) = 0;
  // The descriptor is released even when this reports an error, as on Linux.
  virtual int Close(int fd) = 0;
  // On success returns 0 and *target holds the link's text as stored
  // (possibly relative to the link's folder). On failure returns -errno.
  virtual int Readlink(const char* path, QByteArray* target) = 0;
};

// The host's own calls; lives as long as the program.
FileSystem& SystemFileSystem();

}  // namespace qm
