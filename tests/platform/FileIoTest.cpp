// Tests of FileIo: whole-file reading, replacing writes and the parts of a path.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "fakes/QtPrinting.h"
#include "platform/FileIo.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

class FileIoTest : public testing::Test {
 protected:
  QString PathOf(const QString& name) const { return m_dir.filePath(name); }
  QStringList Entries() const {
    return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }

  QTemporaryDir m_dir;
};

TEST_F(FileIoTest, WriteReplacesAndReadReturnsExactBytes) {
  ASSERT_TRUE(m_dir.isValid());
  const QString path = PathOf(u"a.qmp"_s);
  ASSERT_TRUE(WriteFileReplacing(path, QByteArray("a much longer first version\r\n")));
  const QByteArray second(
      "\x00\x1A\xFF"
      "second",
      9);
  ASSERT_TRUE(WriteFileReplacing(path, second));
  EXPECT_EQ(ReadWholeFile(path), second);
  ASSERT_TRUE(WriteFileReplacing(path, QByteArray()));
  EXPECT_EQ(ReadWholeFile(path), QByteArray());
  EXPECT_EQ(Entries(), QStringList{u"a.qmp"_s});
}

TEST_F(FileIoTest, FailedWriteLeavesNothingBehind) {
  ASSERT_TRUE(m_dir.isValid());
  // A missing folder, and a path that is a folder (permission bits do not
  // stop root, so these are the failures a test can force).
  EXPECT_FALSE(WriteFileReplacing(PathOf(u"missing/a.qmp"_s), "x"));
  ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"folder"_s));
  ASSERT_TRUE(WriteFileReplacing(PathOf(u"folder/keep.qmp"_s), "old"));
  EXPECT_FALSE(WriteFileReplacing(PathOf(u"folder"_s), "x"));

  EXPECT_TRUE(QFileInfo(PathOf(u"folder"_s)).isDir());
  EXPECT_EQ(ReadWholeFile(PathOf(u"folder/keep.qmp"_s)), QByteArray("old"));
  EXPECT_EQ(Entries(), QStringList{u"folder"_s});
  EXPECT_EQ(QDir(PathOf(u"folder"_s)).entryList(QDir::Files | QDir::Hidden),
            QStringList{u"keep.qmp"_s});
}

TEST_F(FileIoTest, ReadOfMissingFileOrFolderGivesNothing) {
  ASSERT_TRUE(m_dir.isValid());
  EXPECT_EQ(ReadWholeFile(PathOf(u"missing.qmp"_s)), std::nullopt);
  EXPECT_EQ(ReadWholeFile(m_dir.path()), std::nullopt);
}

struct PathCase {
  const char* name;
  QString path;
  QString fileName;
  QString baseName;
  QString extension;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class PathPartsTest : public testing::TestWithParam<PathCase> {};

TEST_P(PathPartsTest, SplitAtLastSeparatorAndLastDot) {
  const PathCase& c = GetParam();
  EXPECT_EQ(FileNameOf(c.path), c.fileName);
  EXPECT_EQ(BaseNameOf(c.path), c.baseName);
  EXPECT_EQ(ExtensionOf(c.path), c.extension);
}

INSTANTIATE_TEST_SUITE_P(
    , PathPartsTest,
    testing::Values(
        PathCase{"Slash", u"/home/u/Notes.QMP"_s, u"Notes.QMP"_s, u"Notes"_s, u".qmp"_s},
        PathCase{"Backslash", u"C:\\Docs\\plan.v2.txt"_s, u"plan.v2.txt"_s, u"plan.v2"_s,
                 u".txt"_s},
        PathCase{"Mixed", u"C:\\Docs/sub\\x.y"_s, u"x.y"_s, u"x"_s, u".y"_s},
        PathCase{"NoFolder", u"a.b"_s, u"a.b"_s, u"a"_s, u".b"_s},
        PathCase{"NoDot", u"/tmp/README"_s, u"README"_s, u"README"_s, QString()},
        PathCase{"DotInFolderOnly", u"/home/a.b\\c.d/name"_s, u"name"_s, u"name"_s, QString()},
        PathCase{"TrailingDot", u"/x/name."_s, u"name."_s, u"name"_s, u"."_s},
        PathCase{"TrailingSeparator", u"/x/y/"_s, QString(), QString(), QString()},
        PathCase{"Empty", QString(), QString(), QString(), QString()}),
    [](const testing::TestParamInfo<PathCase>& p) { return p.param.name; });

}  // namespace
}  // namespace qm
