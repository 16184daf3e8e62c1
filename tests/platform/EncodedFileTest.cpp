// The one write path of every save: code page bytes, refused losses, and
// old files left alone whenever nothing is written.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/EncodedFile.h"
#include "platform/FileIo.h"
#include "support/FakeFileSystem.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

TEST(EncodedFile, WritesCodePageBytesAndRefusesLostCharactersUnlessAllowed) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"out.txt"_s);
  EncodedWrite result = WriteEncodedFile(path, u"あ\r\n", SaveLoss::Refuse);
  EXPECT_TRUE(result.Written());
  EXPECT_EQ(ReadWholeFile(path), QByteArray("\x82\xa0\r\n"));

  result = WriteEncodedFile(path, u"ก\r\nกก", SaveLoss::Refuse);
  EXPECT_EQ(result.status, EncodedWrite::Status::Unencodable);
  EXPECT_EQ(result.unencodable, u"ก"_s);
  EXPECT_EQ(ReadWholeFile(path), QByteArray("\x82\xa0\r\n"));  // untouched
  result = WriteEncodedFile(path, u"ก\r\n", SaveLoss::Allow);
  EXPECT_TRUE(result.Written());
  EXPECT_EQ(result.unencodable, u"ก"_s);  // still said, though written
  EXPECT_EQ(ReadWholeFile(path), QByteArray("?\r\n"));

  result = WriteEncodedFile(dir.filePath(u"no/such/folder.txt"_s), u"x", SaveLoss::Refuse);
  EXPECT_EQ(result.status, EncodedWrite::Status::CannotWrite);
  EXPECT_EQ(result.failure.kind, FileFailure::Kind::NotFound);

  test::FakeFileSystem fs;
  fs.FailNth(test::FsCall::Write, 1, ENOSPC);
  result = WriteEncodedFile(path, u"x", SaveLoss::Refuse, FileWriteMode::Replace, fs);
  EXPECT_EQ(result.status, EncodedWrite::Status::CannotWrite);
  EXPECT_EQ(result.failure.kind, FileFailure::Kind::DiskFull);
  EXPECT_EQ(ReadWholeFile(path), QByteArray("?\r\n"));
}

TEST(EncodedFile, ANewFileNeverReplacesOneThatExists) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"link.txt"_s);
  EXPECT_TRUE(
      WriteEncodedFile(path, u"first", SaveLoss::Refuse, FileWriteMode::CreateNew).Written());
  const EncodedWrite second =
      WriteEncodedFile(path, u"second", SaveLoss::Refuse, FileWriteMode::CreateNew);
  EXPECT_EQ(second.status, EncodedWrite::Status::CannotWrite);
  EXPECT_EQ(second.failure.kind, FileFailure::Kind::Exists);
  EXPECT_EQ(ReadWholeFile(path), QByteArray("first"));
}

}  // namespace
}  // namespace qm
