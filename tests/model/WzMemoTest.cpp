// Behaviour of WZ memo files: reading headings by their dots with both root
// choices, writing them with the period and first-line options, round
// trips through files, and hostile input.
#include <QFile>
#include <QTemporaryDir>

#include "model/FileReportText.h"
#include "model/WzMemo.h"
#include "platform/FileIo.h"
#include "res/Strings.h"
#include "support/StoreFixture.h"

namespace qm::test {
namespace {

using namespace Qt::StringLiterals;

class WzMemo : public StoreFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  // Reads text as a memo file named "memo.mem" would be read.
  void Read(const char* text, bool rootFromFirstHeading = false) {
    store.Clear();
    ASSERT_TRUE(ReadWzMemoText(QString::fromUtf8(text), {u"memo"_s, rootFromFirstHeading}, store));
    EXPECT_EQ(store.FinishLoading(u"memo.mem"_s), 0) << "every node fits the tree";
  }

  QString Written(bool skipRoot, bool protectPeriods = false, bool dropFirstLine = false) const {
    return WriteWzMemoText(store, {skipRoot, protectPeriods, dropFirstLine});
  }

  QString WriteFile(const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromUtf8(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }

  // Every node as "level title|body", for comparing whole outlines.
  QStringList Outline() const {
    QStringList out;
    for (int i = 0; i < store.GetCount(); ++i) {
      out << QString::number(store.GetLevel(i)) + u' ' + store.GetTitle(i) + u'|' +
                 store.GetBody(i);
    }
    return out;
  }

  QTemporaryDir dir;
};

TEST_F(WzMemo, OneDotHeadingsAreChildrenOfARootNamedAfterTheFile) {
  Read("intro\r\n.A\r\n..B\r\ntext\r\n.C\r\n");
  EXPECT_EQ(Paths(), QStringList({"memo", "memo/A", "memo/A/B", "memo/C"}));
  EXPECT_EQ(store.GetBody(0), u"intro\r\n"_s);
  EXPECT_EQ(store.GetBody(2), u"text\r\n"_s);
  EXPECT_EQ(store.GetNode(3).m_nLine, 4);
}

TEST_F(WzMemo, DotJumpsGoOneLevelDownAndFewerDotsNeverNestDeeper) {
  Read(".A\n....B\n...C\n..D\n...E\n.F\n.\r.G\n");
  EXPECT_EQ(Paths(), QStringList({"memo", "memo/A", "memo/A/B", "memo/A/C", "memo/A/D",
                                  "memo/A/D/E", "memo/F", "memo/F/G"}));
}

TEST_F(WzMemo, TheEmptyLineAfterABodyIsNotPartOfIt) {
  Read(".A\r\ntext\r\n\r\n.B\r\n\r\n.C\r\ntwo\r\n\r\n\r\n");
  EXPECT_EQ(store.GetBody(1), u"text\r\n"_s);
  EXPECT_EQ(store.GetBody(2), QString());
  EXPECT_EQ(store.GetBody(3), u"two\r\n\r\n"_s);
}

TEST_F(WzMemo, TheFirstOneDotHeadingCanNameTheRoot) {
  Read("..early\nnote\n.Root\n..A\n.not a heading\n...B\n..C\n", true);
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/early", "Root/A", "Root/A/B", "Root/C"}));
  EXPECT_EQ(store.GetBody(1), u"note\r\n"_s);
  EXPECT_EQ(store.GetBody(2), u".not a heading\r\n"_s);
  Read("..A\n", true);  // never named: the file's name
  EXPECT_EQ(Paths(), QStringList({"memo", "memo/A"}));
}

TEST_F(WzMemo, WritingLeavesOutARootNamedAfterTheFileButNotItsBody) {
  Build({"memo", "memo/A", "memo/A/B"});
  store.SetBody(0, u"intro"_s);
  store.SetBody(2, u"text\r\n"_s);
  EXPECT_EQ(Written(true), u"intro\r\n\r\n.A\r\n..B\r\ntext\r\n\r\n"_s);
  EXPECT_EQ(Written(false), u".memo\r\nintro\r\n\r\n..A\r\n...B\r\ntext\r\n\r\n"_s);
}

TEST_F(WzMemo, WritingOptionsDropTheTitleLineAndProtectPeriods) {
  Build({"R", "R/A", "R/B"});
  store.SetBody(1, u"A\r\n.one\r\n..two\r\n"_s);
  store.SetBody(2, u"only line"_s);
  EXPECT_EQ(Written(false, true, true), u".R\r\n..A\r\n .one\r\n ..two\r\n\r\n..B\r\n"_s);
  EXPECT_EQ(Written(false, true, false),
            u".R\r\n..A\r\nA\r\n .one\r\n ..two\r\n\r\n..B\r\nonly line\r\n\r\n"_s);
}

TEST_F(WzMemo, RoundTripsGiveTheSameOutlineWithEitherRootChoice) {
  for (const bool rootNamedByHeading : {false, true}) {
    settings.WriteInt(u"System"_s, u"WzImportTopTree"_s, rootNamedByHeading ? 0 : 1);
    settings.WriteInt(u"System"_s, u"WzExportPeriodChange"_s, 1);
    Build({"trip", "trip/A", "trip/A/B", "trip/C"});
    if (rootNamedByHeading) store.Rename(0, u"Plans"_s);
    store.SetBody(0, u"preamble\r\n"_s);
    store.SetBody(1, u"gap\r\n\r\nafter\r\n\r\n"_s);
    store.SetBody(2, u" .dotted\r\n"_s);
    const QString path = dir.filePath(u"trip.mem"_s);
    const QStringList first = Outline();
    for (int round = 0; round < 2; ++round) {
      ASSERT_TRUE(store.Save(path));
      ASSERT_EQ(store.Load(path, 0), 4);
      EXPECT_EQ(Outline(), first) << "root named by heading " << rootNamedByHeading;
    }
  }
}

TEST_F(WzMemo, LinesEndingInCrOnlyAreLinesAsInTheOtherReaders) {
  Read(".A\rbody\r..B\rmore\r");
  EXPECT_EQ(Paths(), QStringList({"memo", "memo/A", "memo/A/B"}));
  EXPECT_EQ(store.GetBody(1), u"body\r\n"_s);
  EXPECT_EQ(store.GetBody(2), u"more\r\n"_s);
}

TEST_F(WzMemo, TheMemoChoiceReadsAnyExtensionAsAMemo) {
  const QString path = WriteFile("notes.txt", ".\x93\xfa\x96\x7b\r\n1. body\r\n");
  ASSERT_EQ(store.Load(path, 1), 2);
  EXPECT_EQ(Paths(), QStringList({"notes", "notes/日本"}));
  EXPECT_EQ(store.GetBody(1), u"1. body\r\n"_s);
}

TEST_F(WzMemo, UnencodableCharactersAreRefusedUnlessAllowed) {
  Build({"R", "R/\u00e9t\u00e9"});
  const QString path = WriteFile("keep.mem", "old");
  EXPECT_FALSE(store.Save(path, {SaveLoss::Refuse}));
  EXPECT_EQ(store.LastFileReport().unencodable, u"\u00e9"_s);
  EXPECT_EQ(*ReadWholeFile(path), QByteArray("old"));
  EXPECT_TRUE(store.Save(path, {SaveLoss::Allow}));
  EXPECT_EQ(*ReadWholeFile(path), QByteArray(".R\r\n..?t?\r\n"));
}

TEST_F(WzMemo, HostileInputLoadsOrIsRefused) {
  QByteArray bytes(".A\n");
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 101) & 0xFF);
  bytes += QByteArray("\0.\0\n", 4) + QByteArray(1 << 20, '.') + "deep\n";
  ASSERT_GT(store.Load(WriteFile("binary.mem", bytes), 0), 1);
  EXPECT_GT(store.LastFileReport().undecodable, 0);
  store.RebuildTree();
  EXPECT_EQ(pane.ItemCount(), store.GetCount());

  // One long heading above many short ones: every child's path repeats it.
  bytes = "." + QByteArray(1 << 20, 'x') + "\n";
  for (int i = 0; i < 4000; ++i) bytes += "..y\n";
  EXPECT_EQ(store.Load(WriteFile("huge.mem", bytes), 0), -1);
  EXPECT_EQ(FileErrorText(store.LastFileReport()), res::kReadTooLarge.toString());
}

}  // namespace
}  // namespace qm::test
