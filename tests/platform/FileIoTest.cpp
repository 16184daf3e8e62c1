// Tests of FileIo: whole-file reading, replacing writes, the reasons told and the parts of a path.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <cstring>

#include "platform/FileIo.h"
#include "res/Strings.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

TEST(FileIoTest, FailedWriteLeavesOldFileAndNoLeftovers) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(u"a.qmp"_s);
  ASSERT_TRUE(WriteFileReplacing(path, "a much longer first version"));
  const QByteArray bytes("\x00\x1A\xFFsecond", 9);
  ASSERT_TRUE(WriteFileReplacing(path, bytes));
  EXPECT_EQ(ReadWholeFile(path), bytes);

  // Permission bits do not stop root, so force failures with a missing
  // folder and with a path that is a folder.
  EXPECT_FALSE(WriteFileReplacing(dir.filePath(u"missing/a.qmp"_s), "x"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder"_s));
  EXPECT_FALSE(WriteFileReplacing(dir.filePath(u"folder"_s), "x"));
  EXPECT_TRUE(QFileInfo(dir.filePath(u"folder"_s)).isDir());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{u"a.qmp"_s, u"folder"_s}));
  EXPECT_EQ(ReadWholeFile(path), bytes);

  EXPECT_EQ(ReadWholeFile(dir.filePath(u"missing.qmp"_s)), std::nullopt);
  EXPECT_EQ(ReadWholeFile(dir.path()), std::nullopt);
}

TEST(FileIoTest, EachFailureHasItsOwnReasonAndOthersUseTheSystemsWords) {
  using Kind = FileFailure::Kind;
  EXPECT_EQ(FailureReason(FileFailure{}), QString());
  QSet<QString> seen;
  for (int kind = int(Kind::NotFound); kind < int(Kind::Other); ++kind) {
    const QString reason = FailureReason(FileFailure{Kind(kind), 0, QString()});
    EXPECT_TRUE(reason.startsWith(u"（理由："_s) && reason.size() > 5) << kind;
    EXPECT_FALSE(seen.contains(reason)) << kind;
    seen.insert(reason);
  }
  EXPECT_TRUE(FailureReason(FileFailure{Kind::Other, ENOTDIR, QString()})
                  .contains(QString::fromLocal8Bit(std::strerror(ENOTDIR))));
  const QString kept = FailureReason(FileFailure{Kind::DiskFull, ENOSPC, u"/d/.a.%1.tmp"_s});
  EXPECT_TRUE(kept.contains(res::kFileReasonDiskFull)) << kept.toStdString();
  EXPECT_TRUE(kept.contains(u"/d/.a.%1.tmp"_s)) << kept.toStdString();
}

struct PathCase {
  const char* name;
  QString path, fileName, baseName, extension;
};

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
        PathCase{"DotInFolderOnly", u"/home/a.b\\c.d/name"_s, u"name"_s, u"name"_s, QString()},
        PathCase{"TrailingDot", u"/x/name."_s, u"name."_s, u"name"_s, u"."_s},
        PathCase{"TrailingSeparator", u"/x/y/"_s, QString(), QString(), QString()}),
    [](const testing::TestParamInfo<PathCase>& p) { return p.param.name; });

}  // namespace
}  // namespace qm
