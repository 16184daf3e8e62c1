// Listing real folders: what each item says, and folders that cannot be listed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "platform/FolderListing.h"

namespace qm {
namespace {

void WriteBytes(const QString& path, qint64 count) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(count, 'x'));
}

const FolderItem* Find(const FolderContents& contents, const QString& name) {
  const auto found = std::find_if(contents.items.begin(), contents.items.end(),
                                  [&](const FolderItem& item) { return item.name == name; });
  return found == contents.items.end() ? nullptr : &*found;
}

TEST(SystemFolderLister, ListsEveryNameWithItsKindSizeAndTime) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  WriteBytes(dir.filePath("ノート.qmp"), 1234);
  WriteBytes(dir.filePath(".hidden"), 1);
  ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
  ASSERT_EQ(::symlink("sub", QFile::encodeName(dir.filePath("to-sub")).constData()), 0);
  ASSERT_EQ(::symlink("nowhere", QFile::encodeName(dir.filePath("dangling")).constData()), 0);
  const timeval times[2] = {{1267765650, 0}, {1267765650, 0}};
  ASSERT_EQ(::utimes(QFile::encodeName(dir.filePath("ノート.qmp")).constData(), times), 0);

  const SystemFolderLister lister;
  const FolderContents contents = lister.List(dir.path());
  ASSERT_TRUE(contents.Ok());
  EXPECT_EQ(contents.items.size(), 5u);  // no "." or ".."; hiding is the browser's choice

  const FolderItem* file = Find(contents, "ノート.qmp");
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(file->isFolder);
  EXPECT_EQ(file->size, 1234);
  EXPECT_EQ(file->modified, 1267765650);
  ASSERT_NE(Find(contents, "sub"), nullptr);
  EXPECT_TRUE(Find(contents, "sub")->isFolder);
  ASSERT_NE(Find(contents, "to-sub"), nullptr);
  EXPECT_TRUE(Find(contents, "to-sub")->isFolder);
  ASSERT_NE(Find(contents, "dangling"), nullptr);
  EXPECT_FALSE(Find(contents, "dangling")->isFolder);

  EXPECT_TRUE(lister.Exists(dir.filePath("sub")));
  EXPECT_TRUE(lister.Exists(dir.filePath("ノート.qmp")));
  EXPECT_FALSE(lister.Exists(dir.filePath("dangling")));
}

TEST(SystemFolderLister, SaysWhyAFolderCannotBeListed) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  WriteBytes(dir.filePath("plain"), 3);
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
  const SystemFolderLister lister;

  const FolderContents missing = lister.List(dir.filePath("missing"));
  EXPECT_EQ(missing.failure.kind, FileFailure::Kind::NotFound);
  EXPECT_TRUE(missing.items.empty());
  EXPECT_TRUE(lister.List(dir.filePath("plain")).failure.Failed());
  // A FIFO is refused at once rather than waited on for a writer.
  EXPECT_TRUE(lister.List(dir.filePath("fifo")).failure.Failed());
}

}  // namespace
}  // namespace qm
