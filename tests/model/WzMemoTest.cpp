// Behaviour of WZ memo files: reading headings by their dots with both root
// choices, writing them back with the period and first-line options, round
// trips, and the failures of both directions.
#include <QFile>
#include <QTemporaryDir>

#include "model/FileReportText.h"
#include "model/StoreFixture.h"
#include "model/WzMemo.h"
#include "platform/FileIo.h"
#include "res/Strings.h"

namespace qm::test {
namespace {

using namespace Qt::StringLiterals;

class WzMemo : public StoreFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  // Reads text as a memo file named "memo.mem" would be read.
  void Read(const QString& text, bool rootFromFirstHeading = false) {
    store.Clear();
    ASSERT_TRUE(ReadWzMemoText(text, {u"memo"_s, rootFromFirstHeading}, store));
    EXPECT_EQ(store.FinishLoading(u"memo.mem"_s), 0) << "every node fits the tree";
  }
  void Read(const char* text, bool rootFromFirstHeading = false) {
    Read(QString::fromUtf8(text), rootFromFirstHeading);
  }

  QString Written(bool skipRoot, bool protectPeriods = false, bool dropFirstLine = false) const {
    return WriteWzMemoText(store, {skipRoot, protectPeriods, dropFirstLine});
  }

  QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

  QString WriteFile(const char* name, const QByteArray& bytes) {
    QFile file(Path(name));
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

// ---- Reading ----

TEST_F(WzMemo, OneDotHeadingsAreChildrenOfARootNamedAfterTheFile) {
  Read(".A\r\n..B\r\ntext\r\n.C\r\n");
  EXPECT_EQ(Paths(), QStringList({"memo", "memo/A", "memo/A/B", "memo/C"}));
  EXPECT_EQ(store.GetBody(2), u"text\r\n"_s);
  EXPECT_EQ(store.GetNode(0).m_bExpand, 1);
  EXPECT_EQ(store.GetNode(3).m_nLine, 3);
}

TEST_F(WzMemo, AJumpOfSeveralDotsGoesOneLevelDown) {
  Read(".A\n...B\n");
  EXPECT_EQ(store.GetLevel(2), 2);
  EXPECT_EQ(Paths()[2], u"memo/A/B"_s);
}

TEST_F(WzMemo, FewerDotsGoBackToTheirLevelButNeverBelowTheHeadingBefore) {
  // ...C has fewer dots than ....B, so it does not become B's child.
  Read(".A\n....B\n...C\n..D\n...E\n.F\n");
  EXPECT_EQ(Paths(), QStringList({"memo", "memo/A", "memo/A/B", "memo/A/C", "memo/A/D",
                                  "memo/A/D/E", "memo/F"}));
  Read("...A\n..B\n");
  EXPECT_EQ(Paths(), QStringList({"memo", "memo/A", "memo/B"}));
}

TEST_F(WzMemo, TextBeforeTheFirstHeadingIsTheRootsBody) {
  Read("intro\r\n  indented\r\n.A\r\nbody\r\n");
  EXPECT_EQ(store.GetBody(0), u"intro\r\n  indented\r\n"_s);  // blanks kept
  EXPECT_EQ(store.GetBody(1), u"body\r\n"_s);
}

TEST_F(WzMemo, TheEmptyLineAfterABodyIsNotPartOfIt) {
  Read(".A\r\ntext\r\n\r\n.B\r\n\r\n.C\r\ntwo\r\n\r\n\r\n");
  EXPECT_EQ(store.GetBody(1), u"text\r\n"_s);
  EXPECT_EQ(store.GetBody(2), QString());
  EXPECT_EQ(store.GetBody(3), u"two\r\n\r\n"_s);
}

TEST_F(WzMemo, TheFirstOneDotHeadingCanNameTheRoot) {
  Read("note\n.Root\nroot text\n..A\n.not a heading\n...B\n..C\n", true);
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/A/B", "Root/C"}));
  EXPECT_EQ(store.GetBody(0), u"note\r\nroot text\r\n"_s);
  EXPECT_EQ(store.GetBody(1), u".not a heading\r\n"_s);
}

TEST_F(WzMemo, NamedByAHeadingHeadingsWithTheSameDotsShareALevel) {
  // Going back from three dots to two lands on level 1, where ..A is.
  Read(".Root\n..A\n...B\n..C\n", true);
  EXPECT_EQ(store.GetLevel(1), 1);
  EXPECT_EQ(store.GetLevel(3), 1);
  EXPECT_EQ(Paths()[3], u"Root/C"_s);
}

TEST_F(WzMemo, HeadingsBeforeTheRootIsNamedStayInsideTheTree) {
  Read("..early\n...child\n.Root\n..A\n", true);
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/early", "Root/early/child", "Root/A"}));
}

TEST_F(WzMemo, WithoutAOneDotHeadingTheRootKeepsTheFileName) {
  Read("..A\ntext\n", true);
  EXPECT_EQ(Paths(), QStringList({"memo", "memo/A"}));
}

TEST_F(WzMemo, SeparatorCharactersAndLineBreaksNeverReachTitles) {
  Read(
      ".A\x01"
      "B\r\r\n..C\x05\nx\x02y\n");
  EXPECT_EQ(store.GetTitle(1), u"AB"_s);
  EXPECT_EQ(store.GetLevel(2), 2);
  EXPECT_EQ(store.GetBody(2), u"xy\r\n"_s);
}

// ---- Writing ----

TEST_F(WzMemo, ARootNamedAfterTheFileIsLeftOutAndLevelsLoseADot) {
  Build({"memo", "memo/A", "memo/A/B", "memo/C"});
  store.SetBody(2, u"text"_s);
  EXPECT_EQ(Written(true), u".A\r\n..B\r\ntext\r\n\r\n.C\r\n"_s);
  EXPECT_EQ(Written(false), u".memo\r\n..A\r\n...B\r\ntext\r\n\r\n..C\r\n"_s);
}

TEST_F(WzMemo, ALeftOutRootStillWritesItsBodyFirst) {
  Build({"memo", "memo/A"});
  store.SetBody(0, u"intro\r\n"_s);
  EXPECT_EQ(Written(true), u"intro\r\n\r\n.A\r\n"_s);
}

TEST_F(WzMemo, FirstLineIsTitleDropsTheFirstBodyLine) {
  Build({"R", "R/A", "R/B", "R/C"});
  store.SetBody(1, u"A\r\nrest\r\n"_s);
  store.SetBody(2, u"only line"_s);
  store.SetBody(3, u"C\r\n"_s);
  EXPECT_EQ(Written(false, false, true), u".R\r\n..A\r\nrest\r\n\r\n..B\r\n..C\r\n"_s);
}

TEST_F(WzMemo, PeriodChangeProtectsBodyLinesThatBeginWithAPeriod) {
  Build({"R", "R/A"});
  store.SetBody(1, u".one\r\ntwo\r\n..three\r\n"_s);
  EXPECT_EQ(Written(false, true), u".R\r\n..A\r\n .one\r\ntwo\r\n ..three\r\n\r\n"_s);
  EXPECT_EQ(Written(false, false), u".R\r\n..A\r\n.one\r\ntwo\r\n..three\r\n\r\n"_s);
}

// ---- Round trips through files ----

TEST_F(WzMemo, RoundTripWithTheRootNamedAfterTheFile) {
  Build({"trip", "trip/A", "trip/A/B", "trip/A/B/C", "trip/D"});
  store.SetBody(0, u"preamble\r\n"_s);
  store.SetBody(1, u"a body\r\n\r\nwith a gap\r\n\r\n"_s);
  store.SetBody(3, u".dotted\r\nline"_s);
  settings.WriteInt(u"System"_s, u"WzExportPeriodChange"_s, 1);
  const QString path = Path("trip.mem");
  ASSERT_TRUE(store.Save(path));
  QStringList first = Outline();
  first[3].replace(u".dotted\r\nline"_s, u" .dotted\r\nline\r\n"_s);  // what the options change

  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(store.Load(path, 0), 5);
    EXPECT_EQ(Outline(), first) << "round " << round;
    ASSERT_TRUE(store.Save(path));
  }
}

TEST_F(WzMemo, RoundTripWithTheRootNamedByItsHeading) {
  settings.WriteInt(u"System"_s, u"WzImportTopTree"_s, 0);
  Build({"Plans", "Plans/A", "Plans/A/B", "Plans/C"});
  store.SetBody(0, u"root text\r\n"_s);
  store.SetBody(2, u".a single dot is text here\r\n"_s);
  const QString path = Path("elsewhere.mem");
  ASSERT_TRUE(store.Save(path));
  EXPECT_TRUE(ReadWholeFile(path)->startsWith(".Plans\r\nroot text\r\n\r\n..A\r\n"));
  const QStringList first = Outline();
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(store.Load(path, 0), 4);
    EXPECT_EQ(Outline(), first) << "round " << round;
    ASSERT_TRUE(store.Save(path));
  }
}

TEST_F(WzMemo, TheMemoChoiceReadsAnyExtensionAsAMemo) {
  const QString path = WriteFile("notes.txt", ".A\r\n1. not a heading\r\n");
  ASSERT_EQ(store.Load(path, 1), 2);
  EXPECT_EQ(Paths(), QStringList({"notes", "notes/A"}));
  ASSERT_EQ(store.Load(path, 0), 2);  // as plain text, ".A" names the root
  EXPECT_EQ(Paths(), QStringList({".A", ".A/not a heading"}));
}

TEST_F(WzMemo, ShiftJisBytesAreDecoded) {
  const QString path = WriteFile("jp.mem", ".\x93\xfa\x96\x7b\r\n\x82\xa0\r\n");
  ASSERT_EQ(store.Load(path, 0), 2);
  EXPECT_EQ(store.GetTitle(1), u"日本"_s);
  EXPECT_EQ(store.GetBody(1), u"あ\r\n"_s);
}

// ---- Failures ----

TEST_F(WzMemo, AnUnreadableMemoFileFailsToOpen) {
  EXPECT_EQ(store.Load(Path("missing.mem"), 0), -1);
  EXPECT_EQ(store.GetCount(), 0);
  EXPECT_EQ(FileErrorText(store.LastFileReport()), res::kCannotOpenFile.toString());
}

TEST_F(WzMemo, AnUnwritableDestinationIsReportedAndChangesNothing) {
  Build({"R", "R/A"});
  EXPECT_FALSE(store.Save(Path("no/such/folder/x.mem")));
  EXPECT_EQ(FileErrorText(store.LastFileReport()), res::kCannotOpenDestination.toString());
  EXPECT_EQ(store.GetCount(), 2);
}

TEST_F(WzMemo, UnencodableCharactersAreRefusedUnlessAllowed) {
  Build({"R", "R/\u00e9t\u00e9"});
  const QString path = WriteFile("keep.mem", "old");
  EXPECT_FALSE(store.Save(path, SaveLoss::Refuse));
  EXPECT_EQ(store.LastFileReport().error, FileReport::Error::Unencodable);
  EXPECT_EQ(store.LastFileReport().unencodable, u"\u00e9"_s);
  EXPECT_EQ(*ReadWholeFile(path), QByteArray("old"));
  EXPECT_TRUE(store.Save(path, SaveLoss::Allow));
  EXPECT_EQ(*ReadWholeFile(path), QByteArray(".R\r\n..?t?\r\n"));
}

TEST_F(WzMemo, BinaryBytesNulsAndLongLinesLoad) {
  QByteArray bytes(".A\n");
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 101) & 0xFF);
  bytes += QByteArray("\0.\0\n", 4);
  bytes += QByteArray(1 << 20, '.') + "deep\n" + QByteArray(1 << 20, 'x') + "\n";
  const QString path = WriteFile("binary.mem", bytes);
  ASSERT_GT(store.Load(path, 0), 1);
  EXPECT_GT(store.LastFileReport().undecodable, 0);
  EXPECT_EQ(store.LastFileReport().nodesReplaced, 0);
  store.RebuildTree();
  EXPECT_EQ(pane.ItemCount(), store.GetCount());
}

TEST_F(WzMemo, HeadingsThatWouldBuildAHugeOutlineAreRefused) {
  QByteArray bytes("." + QByteArray(1 << 20, 'x') + "\n");
  for (int i = 0; i < 4000; ++i) bytes += "..y\n";
  const QString path = WriteFile("huge.mem", bytes);
  EXPECT_EQ(store.Load(path, 0), -1);
  EXPECT_EQ(FileErrorText(store.LastFileReport()), res::kImportTooLarge.toString());
}

}  // namespace
}  // namespace qm::test
