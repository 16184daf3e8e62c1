// FolderListing: what is in one folder of the host's file system, as a port.
//
// The file browser reads folders only through FolderLister, so a test can
// hand it any folder (or a folder that cannot be read) without touching the
// disk. One call lists one folder, not its subfolders; the order of the items
// is whatever the file system gives. Not thread-safe; callers hold a
// reference and the lister must outlive them.
#pragma once

#include <QString>
#include <vector>

#include "platform/FileIo.h"

namespace qm {

// One name found in a folder.
struct FolderItem {
  QString name;           // the name only, no folder
  bool isFolder = false;  // a folder, or a link that leads to one
  qint64 size = 0;        // bytes; 0 for folders
  qint64 modified = 0;    // last write, seconds since 1970 (UTC)
};

struct FolderContents {
  // Every name except "." and "..", in the file system's order. A name whose
  // details cannot be read (a link that leads nowhere) is listed as a file
  // of size 0 from the link itself.
  std::vector<FolderItem> items;
  FileFailure failure;  // why the folder could not be listed; None on success

  bool Ok() const { return !failure.Failed(); }
};

class FolderLister {
 public:
  virtual ~FolderLister() = default;
  FolderLister(const FolderLister&) = delete;
  FolderLister& operator=(const FolderLister&) = delete;

  // On success returns the folder's items. On failure (missing, not a
  // folder, no permission) returns no items and the failure.
  virtual FolderContents List(const QString& folder) const = 0;
  // True when something (file, folder, device) has this path; links are
  // followed, so a link that leads nowhere does not exist.
  virtual bool Exists(const QString& path) const = 0;

 protected:
  FolderLister() = default;
};

// The host's file system (opendir/readdir and fstatat).
class SystemFolderLister final : public FolderLister {
 public:
  SystemFolderLister() = default;
  FolderContents List(const QString& folder) const override;
  bool Exists(const QString& path) const override;
};

}  // namespace qm
