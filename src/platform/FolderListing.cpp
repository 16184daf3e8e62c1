// The host's folder listing: opendir/readdir and fstatat.
#include "platform/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

namespace qm {

FolderContents SystemFolderLister::List(const QString& folder) const {
  FolderContents contents;
  // O_DIRECTORY refuses a FIFO or device at once instead of blocking on it.
  const int fd = ::open(QFile::encodeName(folder).constData(),
                        O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    contents.failure = FailureFromErrno(errno);
    return contents;
  }
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    contents.failure = FailureFromErrno(errno);
    ::close(fd);
    return contents;
  }
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      if (errno != 0) {
        contents.failure = FailureFromErrno(errno);
        contents.items.clear();
      }
      break;
    }
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    FolderItem item;
    item.name = QFile::decodeName(name);
    struct stat info {};
    if (::fstatat(fd, name, &info, 0) != 0 &&
        ::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
      contents.items.push_back(std::move(item));  // vanished meanwhile: still worth showing
      continue;
    }
    item.isFolder = S_ISDIR(info.st_mode);
    item.size = item.isFolder ? 0 : static_cast<qint64>(info.st_size);
    item.modified = static_cast<qint64>(info.st_mtim.tv_sec);
    contents.items.push_back(std::move(item));
  }
  ::closedir(dir);  // closes fd too
  return contents;
}

bool SystemFolderLister::Exists(const QString& path) const {
  struct stat info {};
  return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

}  // namespace qm
