// FileStamp: stat() of a path.
#include "platform/FileStamp.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

namespace qm {

FileStamp StampOf(const QString& path) {
  struct stat info {};
  FileStamp stamp;
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.regularFile = S_ISREG(info.st_mode);
  stamp.device = info.st_dev;
  stamp.inode = info.st_ino;
  stamp.size = info.st_size;
  stamp.modifiedNs = qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
  return stamp;
}

bool IsSameFile(const QString& a, const QString& b) {
  const FileStamp first = StampOf(a);
  const FileStamp second = StampOf(b);
  if (first.exists && second.exists) {
    return first.device == second.device && first.inode == second.inode;
  }
  return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace qm
