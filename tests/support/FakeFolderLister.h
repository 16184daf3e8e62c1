// FakeFolderLister: folders held in memory, for tests of the file browser.
//
// A folder that was never added cannot be listed (NotFound); Fail makes a
// folder that exists refuse to be listed with any errno.
#pragma once

#include <QHash>
#include <QString>
#include <cerrno>

#include "platform/FolderListing.h"

namespace qm {

class FakeFolderLister : public FolderLister {
 public:
  // Adds a folder (and nothing to its parent: add the folder item there too).
  FakeFolderLister& AddFolder(const QString& folder) {
    m_folders[folder];
    return *this;
  }
  FakeFolderLister& AddFile(const QString& folder, const QString& name, qint64 size = 0,
                            qint64 modified = 0) {
    m_folders[folder].items.push_back({name, false, size, modified});
    return *this;
  }
  // Adds the subfolder both as an item of folder and as a listable folder.
  FakeFolderLister& AddSubfolder(const QString& folder, const QString& name, qint64 modified = 0) {
    m_folders[folder].items.push_back({name, true, 0, modified});
    m_folders[folder == QStringLiteral("/") ? folder + name : folder + u'/' + name];
    return *this;
  }
  void Fail(const QString& folder, int error) {
    m_folders[folder].failure = FailureFromErrno(error);
  }

  FolderContents List(const QString& folder) const override {
    const auto found = m_folders.constFind(folder);
    if (found == m_folders.cend()) return {{}, FailureFromErrno(ENOENT)};
    if (found->failure.Failed()) return {{}, found->failure};
    return *found;
  }
  bool Exists(const QString& path) const override {
    if (m_folders.contains(path)) return true;
    const qsizetype slash = path.lastIndexOf(u'/');
    const auto parent = m_folders.constFind(slash <= 0 ? QStringLiteral("/") : path.left(slash));
    if (parent == m_folders.cend()) return false;
    const QString name = path.mid(slash + 1);
    for (const FolderItem& item : parent->items) {
      if (item.name == name) return true;
    }
    return false;
  }

 private:
  QHash<QString, FolderContents> m_folders;
};

}  // namespace qm
