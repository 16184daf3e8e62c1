// Tests of replacing and creating files: a failure at any step loses nothing and says why.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/FileFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;
using test::FakeFileSystem;
using test::FsCall;
using Kind = FileFailure::Kind;

const QByteArray kOld = "the old content, longer than the new\n";
const QByteArray kNew = "new content\n";

class FileWriteTest : public test::FileFixture {
 protected:
  // A symbolic link at path whose text is target as given, relative or not.
  static bool Symlink(const QString& target, const QString& path) {
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) ==
           0;
  }
  static struct stat Lstat(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0);
    return info;
  }
  QStringList Entries(const QString& folder = QString()) const {
    return QDir(folder.isEmpty() ? m_dir.path() : folder)
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                   QDir::Name);
  }
};

struct Fault {
  const char* name;
  FsCall call;
  int nth;
  int error;
  Kind kind;
  size_t transfer = size_t(-1);

  friend void PrintTo(const Fault& fault, std::ostream* os) { *os << fault.name; }
};

class ReplaceFaultTest : public FileWriteTest, public testing::WithParamInterface<Fault> {};

TEST_P(ReplaceFaultTest, LeavesTheOldFileWholeAndNothingBeside) {
  const Fault& fault = GetParam();
  const QString path = Path(u"a.qmp"_s);
  Put(path, kOld);
  m_fs.LimitTransfer(fault.transfer);
  m_fs.FailNth(fault.call, fault.nth, fault.error);
  const WriteResult result = WriteFileReplacing(path, kNew, m_fs);
  EXPECT_FALSE(result);
  EXPECT_EQ(result.failure.kind, fault.kind);
  EXPECT_EQ(result.failure.error, fault.error);
  EXPECT_EQ(Content(path), kOld);
  EXPECT_EQ(Entries(), QStringList{u"a.qmp"_s});
}

INSTANTIATE_TEST_SUITE_P(
    , ReplaceFaultTest,
    testing::Values(Fault{"Lstat", FsCall::Lstat, 1, EACCES, Kind::PermissionDenied},
                    Fault{"Open", FsCall::Open, 1, EACCES, Kind::PermissionDenied},
                    Fault{"OpenReadOnly", FsCall::Open, 1, EROFS, Kind::ReadOnly},
                    Fault{"Fchmod", FsCall::Fchmod, 1, EIO, Kind::Other},
                    Fault{"Write", FsCall::Write, 1, ENOSPC, Kind::DiskFull},
                    Fault{"WriteAfterShortWrites", FsCall::Write, 3, EDQUOT, Kind::DiskFull, 4},
                    Fault{"Fdatasync", FsCall::Fdatasync, 1, EIO, Kind::SyncFailed},
                    Fault{"FdatasyncFull", FsCall::Fdatasync, 1, ENOSPC, Kind::DiskFull},
                    Fault{"Close", FsCall::Close, 1, EIO, Kind::SyncFailed},
                    Fault{"Rename", FsCall::Rename, 1, EBUSY, Kind::Other}),
    [](const testing::TestParamInfo<Fault>& p) { return p.param.name; });

TEST_F(FileWriteTest, ShortWritesAndInterruptionsStillWriteEveryByte) {
  const QString path = Path(u"a.qmp"_s);
  Put(path, kOld);
  m_fs.LimitTransfer(5);
  m_fs.FailNth(FsCall::Write, 2, EINTR);
  ASSERT_TRUE(WriteFileReplacing(path, kNew, m_fs));
  EXPECT_EQ(Content(path), kNew);
  EXPECT_EQ(m_fs.Count(FsCall::Fdatasync), 1);
  EXPECT_EQ(m_fs.Count(FsCall::Fsync), 1);  // the folder
}

TEST_F(FileWriteTest, AFolderThatCannotBeFlushedFailsTheSaveThoughTheNewFileIsInPlace) {
  const QString path = Path(u"a.qmp"_s);
  Put(path, kOld);
  m_fs.FailNth(FsCall::Fsync, 1, EIO);
  const WriteResult result = WriteFileReplacing(path, kNew, m_fs);
  EXPECT_EQ(result.failure.kind, Kind::FolderSyncFailed);
  EXPECT_EQ(Content(path), kNew);
  EXPECT_EQ(Entries(), QStringList{u"a.qmp"_s});
}

TEST_F(FileWriteTest, RefusesWhatIsNotARegularFileBeforeWritingAnything) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(Path(u"fifo"_s)).constData(), 0600), 0);
  ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"folder"_s));
  ASSERT_TRUE(Symlink(u"fifo"_s, Path(u"to-fifo"_s)));
  ASSERT_TRUE(Symlink(u"folder"_s, Path(u"to-folder"_s)));
  const QStringList before = Entries();
  for (const auto& [name, kind] : {std::pair{u"fifo"_s, Kind::NotRegularFile},
                                   {u"to-fifo"_s, Kind::NotRegularFile},
                                   {u"folder"_s, Kind::IsFolder},
                                   {u"to-folder"_s, Kind::IsFolder}}) {
    EXPECT_EQ(WriteFileReplacing(Path(name), kNew, m_fs).failure.kind, kind) << name.toStdString();
    EXPECT_EQ(WriteNewFile(Path(name), kNew, m_fs).failure.kind, Kind::Exists)
        << name.toStdString();
  }
  EXPECT_EQ(m_fs.Count(FsCall::Write), 0);
  EXPECT_EQ(m_fs.Count(FsCall::Rename), 0);
  EXPECT_EQ(Entries(), before);
  EXPECT_TRUE(S_ISFIFO(Lstat(Path(u"fifo"_s)).st_mode));
  EXPECT_TRUE(S_ISLNK(Lstat(Path(u"to-folder"_s)).st_mode));
}

TEST_F(FileWriteTest, WritesThroughSymbolicLinksAndKeepsThem) {
  ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"real"_s));
  Put(Path(u"real/target.qmp"_s), kOld);
  ASSERT_TRUE(Symlink(u"real/target.qmp"_s, Path(u"first"_s)));  // relative
  ASSERT_TRUE(Symlink(Path(u"first"_s), Path(u"second"_s)));     // a chain
  ASSERT_TRUE(Symlink(u"real/new.qmp"_s, Path(u"dangling"_s)));

  ASSERT_TRUE(WriteFileReplacing(Path(u"second"_s), kNew, m_fs));
  EXPECT_EQ(Content(Path(u"real/target.qmp"_s)), kNew);
  EXPECT_TRUE(S_ISLNK(Lstat(Path(u"first"_s)).st_mode));
  EXPECT_TRUE(S_ISLNK(Lstat(Path(u"second"_s)).st_mode));

  ASSERT_TRUE(WriteFileReplacing(Path(u"dangling"_s), "created", m_fs));
  EXPECT_TRUE(S_ISLNK(Lstat(Path(u"dangling"_s)).st_mode));
  EXPECT_EQ(Content(Path(u"real/new.qmp"_s)), "created");
  EXPECT_EQ(Entries(Path(u"real"_s)), (QStringList{u"new.qmp"_s, u"target.qmp"_s}));
}

TEST_F(FileWriteTest, AHardLinkedFileStaysSharedAndIsNeverLost) {
  const QString a = Path(u"a.qmp"_s), b = Path(u"b.qmp"_s);
  Put(a, kOld);
  ASSERT_EQ(::link(QFile::encodeName(a).constData(), QFile::encodeName(b).constData()), 0);
  // Refused before a copy exists; the safety copy fails; the original's
  // first write fails before a byte of it changed.
  for (const Fault& fault : {Fault{"Open", FsCall::Open, 1, EACCES, Kind::PermissionDenied},
                             Fault{"CopySync", FsCall::Fdatasync, 1, EIO, Kind::SyncFailed},
                             Fault{"FirstRewrite", FsCall::Write, 2, ENOSPC, Kind::DiskFull}}) {
    FakeFileSystem fs;
    fs.FailNth(fault.call, fault.nth, fault.error);
    const WriteResult result = WriteFileReplacing(a, kNew, fs);
    EXPECT_EQ(result.failure.kind, fault.kind) << fault.name;
    EXPECT_TRUE(result.failure.keptCopy.isEmpty()) << fault.name;
    EXPECT_EQ(Content(b), kOld) << fault.name;
    EXPECT_EQ(Entries(), (QStringList{u"a.qmp"_s, u"b.qmp"_s})) << fault.name;
  }
  // Halfway through the original: the copy keeps the new content, and the
  // reason names it.
  m_fs.LimitTransfer(4);
  m_fs.FailNth(FsCall::Write, int(kNew.size() + 3) / 4 + 2, ENOSPC);
  const WriteResult halfway = WriteFileReplacing(a, kNew, m_fs);
  EXPECT_EQ(halfway.failure.kind, Kind::DiskFull);
  EXPECT_EQ(Content(halfway.failure.keptCopy), kNew);
  EXPECT_TRUE(FailureReason(halfway.failure).contains(halfway.failure.keptCopy));
  ASSERT_TRUE(QFile::remove(halfway.failure.keptCopy));

  const ino_t inode = Lstat(a).st_ino;
  ASSERT_TRUE(WriteFileReplacing(a, kNew));
  EXPECT_EQ(Content(b), kNew);
  EXPECT_EQ(Lstat(a).st_ino, inode);
  EXPECT_EQ(Entries(), (QStringList{u"a.qmp"_s, u"b.qmp"_s}));
}

class ModeTest : public FileWriteTest, public testing::WithParamInterface<mode_t> {};

TEST_P(ModeTest, SurvivesASave) {
  const QString path = Path(u"a.qmp"_s);
  Put(path, kOld);
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), GetParam()), 0);
  ASSERT_TRUE(WriteFileReplacing(path, kNew));
  EXPECT_EQ(Lstat(path).st_mode & 07777, GetParam());
}

INSTANTIATE_TEST_SUITE_P(, ModeTest, testing::Values(0600, 0640, 0604, 0755, 0444),
                         [](const testing::TestParamInfo<mode_t>& p) {
                           return "Mode" + QByteArray::number(p.param, 8).toStdString();
                         });

TEST_F(FileWriteTest, ANewFileGetsWhatTheUmaskAllows) {
  const mode_t saved = ::umask(027);
  const bool replaced = bool(WriteFileReplacing(Path(u"a.qmp"_s), kNew));
  const bool created = bool(WriteNewFile(Path(u"b.qmp"_s), kNew));
  ::umask(saved);
  ASSERT_TRUE(replaced && created);
  EXPECT_EQ(Lstat(Path(u"a.qmp"_s)).st_mode & 07777, 0640u);
  EXPECT_EQ(Lstat(Path(u"b.qmp"_s)).st_mode & 07777, 0640u);
}

TEST_F(FileWriteTest, OwnerAndGroupAreKeptWhereTheUserMaySetThem) {
  const QString path = Path(u"a.qmp"_s);
  Put(path, kOld);
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
  // Nobody may give the file away: the save goes on, the mode is still kept.
  m_fs.FailNth(FsCall::Fchown, 1, EPERM);
  m_fs.FailNth(FsCall::Fchown, 2, EPERM);
  ASSERT_TRUE(WriteFileReplacing(path, kNew, m_fs));
  EXPECT_EQ(Lstat(path).st_mode & 07777, 0640u);

  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 1234, 1234), 0);
  ASSERT_TRUE(WriteFileReplacing(path, kOld));
  EXPECT_EQ(Lstat(path).st_uid, 1234u);
  EXPECT_EQ(Lstat(path).st_gid, 1234u);
  EXPECT_EQ(Lstat(path).st_mode & 07777, 0640u);
  // Not allowed the owner but allowed the group: the group is kept.
  FakeFileSystem fs;
  fs.FailNth(FsCall::Fchown, 1, EPERM);
  ASSERT_TRUE(WriteFileReplacing(path, kNew, fs));
  EXPECT_EQ(Lstat(path).st_uid, ::geteuid());
  EXPECT_EQ(Lstat(path).st_gid, 1234u);
}

TEST_F(FileWriteTest, ANewFileIsWholeAndSyncedOrGone) {
  const QString path = Path(u"new.txt"_s);
  for (const auto& [call, kind] : {std::pair{FsCall::Write, Kind::DiskFull},
                                   {FsCall::Fdatasync, Kind::SyncFailed},
                                   {FsCall::Close, Kind::SyncFailed},
                                   {FsCall::Fsync, Kind::SyncFailed}}) {
    FakeFileSystem fs;
    fs.FailNth(call, 1, call == FsCall::Write ? ENOSPC : EIO);
    EXPECT_EQ(WriteNewFile(path, kNew, fs).failure.kind, kind) << int(call);
    EXPECT_TRUE(Entries().isEmpty()) << int(call);
  }
  ASSERT_TRUE(WriteNewFile(path, kNew, m_fs));
  EXPECT_EQ(m_fs.Count(FsCall::Fdatasync), 1);
  EXPECT_EQ(m_fs.Count(FsCall::Fsync), 1);
  const WriteResult again = WriteNewFile(path, kOld, m_fs);
  EXPECT_EQ(again.failure.kind, Kind::Exists);
  EXPECT_EQ(Content(path), kNew);
  ASSERT_TRUE(Symlink(u"elsewhere.txt"_s, Path(u"dangling"_s)));
  EXPECT_EQ(WriteNewFile(Path(u"dangling"_s), kNew, m_fs).failure.kind, Kind::Exists);
  EXPECT_FALSE(QFile::exists(Path(u"elsewhere.txt"_s)));
}

}  // namespace
}  // namespace qm
