// FakeFileSystem: the host's file system with failures, short transfers and hooks on chosen calls.
#pragma once

#include <algorithm>
#include <array>
#include <cerrno>
#include <functional>
#include <vector>

#include "platform/FileSystem.h"

namespace qm::test {

enum class FsCall {
  Open,
  Stat,
  Lstat,
  Fstat,
  Read,
  Write,
  Ftruncate,
  Fdatasync,
  Fsync,
  Fchown,
  Fchmod,
  Rename,
  Unlink,
  Close,
  Readlink,
  kCount
};

// Every call reaches the real file system unless a failure was planned for
// it; a planned failure returns -error without doing anything, except Close,
// which releases the descriptor first as Linux does.
class FakeFileSystem : public FileSystem {
 public:
  // The nth call of this kind from now on (1: the next) fails with error.
  void FailNth(FsCall call, int nth, int error) {
    m_plans.push_back({call, Count(call) + nth, error});
  }
  // Every Read and Write moves at most this many bytes.
  void LimitTransfer(size_t bytes) { m_transfer = bytes; }
  // Runs before each call, with its kind and its number among its kind.
  std::function<void(FsCall, int)> beforeCall;

  int Count(FsCall call) const { return m_counts[size_t(call)]; }

  int Open(const char* path, int flags, mode_t mode) override {
    return Call(FsCall::Open, [&] { return m_real.Open(path, flags, mode); });
  }
  int Stat(const char* path, struct stat* info) override {
    return Call(FsCall::Stat, [&] { return m_real.Stat(path, info); });
  }
  int Lstat(const char* path, struct stat* info) override {
    return Call(FsCall::Lstat, [&] { return m_real.Lstat(path, info); });
  }
  int Fstat(int fd, struct stat* info) override {
    return Call(FsCall::Fstat, [&] { return m_real.Fstat(fd, info); });
  }
  ssize_t Read(int fd, void* buffer, size_t size) override {
    return Call(FsCall::Read, [&] { return m_real.Read(fd, buffer, std::min(size, m_transfer)); });
  }
  ssize_t Write(int fd, const void* buffer, size_t size) override {
    return Call(FsCall::Write,
                [&] { return m_real.Write(fd, buffer, std::min(size, m_transfer)); });
  }
  int Ftruncate(int fd, off_t length) override {
    return Call(FsCall::Ftruncate, [&] { return m_real.Ftruncate(fd, length); });
  }
  int Fdatasync(int fd) override {
    return Call(FsCall::Fdatasync, [&] { return m_real.Fdatasync(fd); });
  }
  int Fsync(int fd) override {
    return Call(FsCall::Fsync, [&] { return m_real.Fsync(fd); });
  }
  int Fchown(int fd, uid_t owner, gid_t group) override {
    return Call(FsCall::Fchown, [&] { return m_real.Fchown(fd, owner, group); });
  }
  int Fchmod(int fd, mode_t mode) override {
    return Call(FsCall::Fchmod, [&] { return m_real.Fchmod(fd, mode); });
  }
  int Rename(const char* from, const char* to) override {
    return Call(FsCall::Rename, [&] { return m_real.Rename(from, to); });
  }
  int Unlink(const char* path) override {
    return Call(FsCall::Unlink, [&] { return m_real.Unlink(path); });
  }
  int Close(int fd) override {
    const int closed = m_real.Close(fd);
    return Call(FsCall::Close, [&] { return closed; });
  }
  int Readlink(const char* path, QByteArray* target) override {
    return Call(FsCall::Readlink, [&] { return m_real.Readlink(path, target); });
  }

 private:
  struct Plan {
    FsCall call;
    int at;
    int error;
  };

  template <typename Real>
  auto Call(FsCall call, Real real) -> decltype(real()) {
    const int number = ++m_counts[size_t(call)];
    if (beforeCall) beforeCall(call, number);
    for (const Plan& plan : m_plans) {
      if (plan.call == call && plan.at == number) return -plan.error;
    }
    return real();
  }

  FileSystem& m_real = SystemFileSystem();
  std::array<int, size_t(FsCall::kCount)> m_counts{};
  std::vector<Plan> m_plans;
  size_t m_transfer = size_t(-1);
};

}  // namespace qm::test
