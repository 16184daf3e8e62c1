// Tests of reading files: never blocking, never past the limit, and always saying why.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "support/FileFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;
using test::FakeFileSystem;
using test::FsCall;
using Kind = FileFailure::Kind;

class FileReadTest : public test::FileFixture {
 protected:
  void TearDown() override {
    if (m_socket >= 0) ::close(m_socket);
  }

  // A listening UNIX socket at path, open until the test ends.
  void MakeSocket(const QString& path) {
    m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(m_socket, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(size_t(name.size()), sizeof address.sun_path);
    std::copy(name.begin(), name.end(), address.sun_path);
    ASSERT_EQ(::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  }

  int m_socket = -1;
};

// A FIFO nobody writes to would hang a read that waited: these must return.
TEST_F(FileReadTest, RefusesWhatIsNotARegularFileWithoutReadingOrWaiting) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(Path(u"fifo"_s)).constData(), 0600), 0);
  MakeSocket(Path(u"socket"_s));
  ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"folder"_s));
  for (const auto& [path, kind] : {std::pair{Path(u"fifo"_s), Kind::NotRegularFile},
                                   {Path(u"socket"_s), Kind::NotRegularFile},
                                   {Path(u"folder"_s), Kind::IsFolder},
                                   {u"/dev/zero"_s, Kind::NotRegularFile}}) {
    const ReadResult result = ReadFile(path, kDefaultMaxFileBytes, m_fs);
    EXPECT_EQ(result.failure.kind, kind) << path.toStdString();
    EXPECT_TRUE(result.bytes.isEmpty()) << path.toStdString();
    // Refused on what the path is, before anything could block or begin.
    EXPECT_EQ(m_fs.Count(FsCall::Open), 0) << path.toStdString();
    EXPECT_EQ(ReadWholeFile(path), std::nullopt) << path.toStdString();
  }
  // The socket stays as the owner made it, and so does the FIFO.
  struct stat info {};
  ASSERT_EQ(::lstat(QFile::encodeName(Path(u"socket"_s)).constData(), &info), 0);
  EXPECT_TRUE(S_ISSOCK(info.st_mode));
}

TEST_F(FileReadTest, AFifoThatTakesTheNameJustBeforeTheOpenIsRefusedToo) {
  const QString path = Path(u"a.qmp"_s);
  Put(path, "text");
  m_fs.beforeCall = [&](FsCall call, int) {
    if (call != FsCall::Open) return;
    QFile::remove(path);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  };
  const ReadResult result = ReadFile(path, kDefaultMaxFileBytes, m_fs);
  EXPECT_EQ(result.failure.kind, Kind::NotRegularFile);
  EXPECT_EQ(m_fs.Count(FsCall::Read), 0);
  EXPECT_EQ(m_fs.Count(FsCall::Close), 1);
}

TEST_F(FileReadTest, AFileOverTheLimitIsRefusedBeforeReading) {
  const QString path = Path(u"a.qmp"_s);
  Put(path, QByteArray(100, 'x'));
  EXPECT_EQ(ReadFile(path, 99, m_fs).failure.kind, Kind::TooLarge);
  EXPECT_EQ(m_fs.Count(FsCall::Read), 0);
  EXPECT_EQ(ReadFile(path, 100, m_fs).bytes, QByteArray(100, 'x'));
  EXPECT_EQ(ReadFile(Path(u"missing"_s), 100, m_fs).failure.kind, Kind::NotFound);
}

TEST_F(FileReadTest, AFileThatGrowsWhileReadIsReadToItsEndWithinTheLimit) {
  const QString path = Path(u"a.qmp"_s);
  Put(path, QByteArray(10, 'a'));
  m_fs.beforeCall = [&](FsCall call, int number) {
    if (call == FsCall::Read && number == 1) Put(path, QByteArray(30, 'b'), QIODevice::Append);
  };
  EXPECT_EQ(ReadFile(path, 40, m_fs).bytes, QByteArray(10, 'a') + QByteArray(30, 'b'));

  Put(path, QByteArray(10, 'a'), QIODevice::Truncate);
  FakeFileSystem fs;
  fs.beforeCall = m_fs.beforeCall;
  const ReadResult grown = ReadFile(path, 39, fs);
  EXPECT_EQ(grown.failure.kind, Kind::TooLarge);
  EXPECT_TRUE(grown.bytes.isEmpty());
}

TEST_F(FileReadTest, ShortReadsAndInterruptionsGoOnAndErrorsFail) {
  const QString path = Path(u"a.qmp"_s);
  const QByteArray bytes("\x00\x1A\xFFsome bytes", 13);
  Put(path, bytes);
  m_fs.LimitTransfer(3);
  m_fs.FailNth(FsCall::Read, 2, EINTR);
  m_fs.FailNth(FsCall::Open, 1, EINTR);
  EXPECT_EQ(ReadFile(path, 100, m_fs).bytes, bytes);

  m_fs.FailNth(FsCall::Read, 2, EIO);
  const ReadResult failed = ReadFile(path, 100, m_fs);
  EXPECT_EQ(failed.failure.kind, Kind::ReadError);
  EXPECT_EQ(failed.failure.error, EIO);
  EXPECT_TRUE(failed.bytes.isEmpty());
  EXPECT_EQ(m_fs.Count(FsCall::Close), m_fs.Count(FsCall::Open) - 1);  // the EINTR opened nothing
}

}  // namespace
}  // namespace qm
