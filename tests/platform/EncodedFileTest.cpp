// The one write path of every save: code page bytes, refused losses, and
// old files left alone whenever nothing is written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/CodePage.h"
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

// A text of several megabytes, made piece by piece as a save makes it.
TextWriter Lines(int count, QStringView line) {
  return [count, line](TextSink& sink) {
    for (int i = 0; i < count; ++i) {
      sink.Text() += line;
      sink.Pace();
    }
  };
}

TEST(EncodedFile, ALargeTextGoesToTheFileInChunksAsItIsMade) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"big.qmp"_s);
  const QString line = u"日本語のテキスト and some ASCII\r\n"_s;
  test::FakeFileSystem fs;
  ASSERT_TRUE(
      WriteEncodedFile(path, Lines(100000, line), SaveLoss::Refuse, FileWriteMode::Replace, fs)
          .Written());
  const QByteArray expected = CodePage().Encode(line).repeated(100000);
  EXPECT_EQ(ReadWholeFile(path), expected);
  // Several writes of at most a megabyte each, not one of the whole.
  EXPECT_GE(fs.Count(test::FsCall::Write), int(expected.size() >> 20));
}

TEST(EncodedFile, ACharacterLostLateInAStreamedSaveStillLeavesTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"kept.qmp"_s);
  ASSERT_TRUE(WriteFileReplacing(path, "old"));
  const TextWriter lateLoss = [](TextSink& sink) {
    Lines(200000, u"abcdefghij\r\n")(sink);
    sink.Text() += u"ก😀ก";
  };
  EncodedWrite result = WriteEncodedFile(path, lateLoss, SaveLoss::Refuse);
  EXPECT_EQ(result.status, EncodedWrite::Status::Unencodable);
  EXPECT_EQ(result.unencodable, u"ก😀"_s);
  EXPECT_EQ(ReadWholeFile(path), QByteArray("old"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"kept.qmp"_s});

  const QString fresh = dir.filePath(u"new.qmp"_s);
  result = WriteEncodedFile(fresh, lateLoss, SaveLoss::Refuse, FileWriteMode::CreateNew);
  EXPECT_EQ(result.status, EncodedWrite::Status::Unencodable);
  EXPECT_FALSE(QFile::exists(fresh));
  EXPECT_EQ(UnencodableIn(lateLoss), u"ก😀"_s);
}

TEST(EncodedFile, ASurrogatePairAtAChunkEdgeStaysOneCharacter) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"edge.txt"_s);
  // Fill each chunk to one unit short, so the pair's halves straddle the edge.
  const TextWriter straddle = [](TextSink& sink) {
    sink.Text() += QString((qsizetype{1} << 19) - 1, u'a');
    sink.Text() += u"😀";
    sink.Pace();
    sink.Text() += u"b";
  };
  const EncodedWrite result = WriteEncodedFile(path, straddle, SaveLoss::Allow);
  EXPECT_EQ(result.unencodable, u"😀"_s);
  const QByteArray bytes = ReadWholeFile(path).value_or(QByteArray());
  EXPECT_EQ(bytes.size(), (qsizetype{1} << 19) - 1 + 2);
  EXPECT_TRUE(bytes.endsWith("a?b"));
}

}  // namespace
}  // namespace qm
