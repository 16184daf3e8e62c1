// What every reader of outside data promises: an outline within the read
// budget or a clear refusal, and a loaded outline whose saves read back as
// they were written.
#include <QFile>
#include <QTemporaryDir>
#include <ctime>

#include "model/FileReportText.h"
#include "model/ReadBudget.h"
#include "platform/FileIo.h"
#include "res/Strings.h"
#include "support/StoreFixture.h"

namespace qm::test {
namespace {

using namespace Qt::StringLiterals;

class ReadLimits : public StoreFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  QString WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }

  // Loading is refused as too large, quickly, and keeps nothing.
  void ExpectRefused(const QString& path) {
    // Processor time, not wall time: the machine may be busy with others.
    const std::clock_t start = std::clock();
    EXPECT_EQ(store.Load(path, 0), -1);
    EXPECT_LT(std::clock() - start, 20 * CLOCKS_PER_SEC) << "refused only after building much";
    EXPECT_EQ(store.LastFileReport().error, FileReport::Error::TooLarge);
    EXPECT_EQ(FileErrorText(store.LastFileReport()), res::kReadTooLarge.toString());
    EXPECT_EQ(store.GetCount(), 0);
  }

  // Loads the file, then saves the outline as an outline file twice over
  // (each save loaded again): the second save must equal the first.
  void ExpectStableSaves(const QString& path, int mode = 0) {
    ASSERT_GT(store.Load(path, mode), 0);
    const QString first = dir.filePath(u"first.qmp"_s);
    ASSERT_TRUE(store.Save(first));
    ASSERT_GT(store.Load(first, 0), 0);
    const QString second = dir.filePath(u"second.qmp"_s);
    ASSERT_TRUE(store.Save(second));
    EXPECT_EQ(ReadWholeFile(second), ReadWholeFile(first));
  }

  QTemporaryDir dir;
};

// ---- The budget, reader by reader. ----

TEST_F(ReadLimits, OutlineFileWhosePathsWouldBeRepeatedUnderALongRootIsRefused) {
  // Each "\1x" line is a child whose path does not name the root; putting
  // it under the root would copy the root's 100 KB title 100,000 times.
  QByteArray bytes = QByteArray(100 * 1024, 'r') + "\r\n";
  for (int i = 0; i < 100000; ++i) bytes += "\x01x\r\n";
  ExpectRefused(WriteFile(u"amplifier.qmp"_s, bytes));
  // A flood of empty lines would make a node of each.
  ExpectRefused(WriteFile(u"empty lines.qmp"_s, QByteArray(1 << 20, '\n')));
}

TEST_F(ReadLimits, PlainTextAndMemoHeadingsUnderALongOneAreRefused) {
  QByteArray text = "Root\n1. " + QByteArray(1 << 20, 'x') + "\n";
  QByteArray memo = "." + QByteArray(1 << 20, 'x') + "\n";
  for (int i = 0; i < 4000; ++i) {
    text += "a. y\n";
    memo += "..y\n";
  }
  ExpectRefused(WriteFile(u"deep.txt"_s, text));
  ExpectRefused(WriteFile(u"deep.mem"_s, memo));
}

TEST_F(ReadLimits, BranchTextUnderALongPathIsRefusedWhole) {
  Build({"R", "R/A"});
  store.Rename(1, QString(100 * 1024, u'a'));
  const QString records(100000, QChar(u'\u0007'));
  EXPECT_EQ(store.InsertBranchTextBelow(1, records), -1);
  EXPECT_EQ(store.GetCount(), 2);
  EXPECT_EQ(pane.ItemCount(), 2);
  // Records that must be re-placed under a long first record count too.
  const QString relinked = u"long"_s + QString(100 * 1024, u'b') + u"\u0007"_s +
                           QString(u"\u0001\u0001x\u0007"_s).repeated(20000);
  EXPECT_EQ(store.InsertBranchText(0, relinked, true), -1);
  EXPECT_EQ(store.GetCount(), 2);
}

TEST_F(ReadLimits, AcceptedOutlinesStayWithinTheBudget) {
  // Just below the limit an outline still loads, and its size is what the
  // budget counted it as.
  QByteArray bytes = QByteArray(1000, 'r') + "\r\n";
  for (int i = 0; i < 2000; ++i) bytes += "\x01x\r\n";
  ASSERT_EQ(store.Load(WriteFile(u"fits.qmp"_s, bytes), 0), 2001);
  EXPECT_EQ(store.LastFileReport().nodesReplaced, 2000);
  EXPECT_LE(ReadBudget::OutlineSize(store), ReadBudget::LimitFor(bytes.size()));
  EXPECT_EQ(ReadBudget::LimitFor(0), ReadBudget::kAllowance);
}

// ---- Saves of what was loaded read back as written. ----

TEST_F(ReadLimits, EndOfFileMarksNeverEnterTheOutline) {
  const QByteArray marks =
      "R\x1A"
      "oot\r\n1. A\x1A\r\nbo\x1A"
      "dy\r\n";
  ExpectStableSaves(WriteFile(u"marks.txt"_s, marks));
  ExpectStableSaves(WriteFile(u"marks.mem"_s,
                              ".A\x1A\r\nbo\x1A"
                              "dy\r\n..B\r\n\x1A"));
  ExpectStableSaves(WriteFile(u"marks.qmp"_s,
                              "R\x05"
                              "0\r\n\x04\r\nbo\x1A"
                              "dy\r\r\n\x04\r\n"));
  for (int i = 0; i < store.GetCount(); ++i) {
    EXPECT_FALSE(store.GetPath(i).contains(QChar(0x1A)));
    EXPECT_FALSE(store.GetBody(i).contains(QChar(0x1A)));
  }
  // From the clipboard as well.
  Build({"R"});
  ASSERT_EQ(store.InsertBranchText(0, u"A\u001A\u0002l\u001Ak\u0004b\u001Ay\u0007"_s, true), 1);
  EXPECT_EQ(store.GetTitle(1), u"A"_s);
  EXPECT_EQ(store.GetLink(1), u"lk"_s);
  EXPECT_EQ(store.GetBody(1), u"by"_s);
}

TEST_F(ReadLimits, ACharacterTheConverterWouldSkipIsSavedAlikeInEveryPath) {
  // U+200B in a title, its child's line in a later stretch of the file
  // beside an emoji: both must be saved as "?", or the child's path no
  // longer names its parent when the save is loaded again.
  Build({"R", "R/\u200B", "R/\u200B/c"});
  store.GetNode(1).m_strBody = QString(5000, u'x') + u"😀\r\n"_s;
  const QString first = dir.filePath(u"first.qmp"_s);
  ASSERT_TRUE(store.Save(first, {SaveLoss::Allow}));
  EXPECT_EQ(store.LastFileReport().unencodable, u"\u200B😀"_s);
  ASSERT_EQ(store.Load(first, 0), 3);
  EXPECT_EQ(store.LastFileReport().nodesReplaced, 0);
  const QString second = dir.filePath(u"second.qmp"_s);
  ASSERT_TRUE(store.Save(second));
  EXPECT_EQ(ReadWholeFile(second), ReadWholeFile(first));
}

TEST_F(ReadLimits, DroppedCharactersAreReportedAsALoss) {
  ASSERT_EQ(store.Load(WriteFile(u"marks.mem"_s, ".A\x01\x1A\r\ntext\r\n\x1A"), 0), 2);
  EXPECT_EQ(store.LastFileReport().charactersDropped, 2);
  EXPECT_TRUE(store.LastFileReport().Lossy());
  ASSERT_EQ(store.Load(WriteFile(u"clean.mem"_s, ".A\r\ntext\r\n\x1A"), 0), 2);
  EXPECT_FALSE(store.LastFileReport().Lossy()) << "a mark that ends the file is no loss";
}

}  // namespace
}  // namespace qm::test
