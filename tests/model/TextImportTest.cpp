// Behaviour of the plain-text import: the heading-marker rows in their
// order, the level each marker kind takes, body and source lines, the root,
// and input that is not text at all.
#include <QFile>
#include <QTemporaryDir>
#include <ctime>

#include "model/FileReportText.h"
#include "model/TextImport.h"
#include "platform/FileIo.h"
#include "res/Strings.h"
#include "support/StoreFixture.h"

namespace qm::test {
namespace {

using namespace Qt::StringLiterals;

struct MarkerCase {
  const char* name;
  const char* line;      // leading blanks already removed
  int kind;              // -1: not a heading
  qsizetype length = 0;  // marker length, separator included
};

class HeadingMarkerRows : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(HeadingMarkerRows, ClassifiesTheLineHead) {
  const MarkerCase& c = GetParam();
  const std::optional<HeadingMarker> marker = ClassifyLineHead(QString::fromUtf8(c.line), u"-");
  if (c.kind < 0) {
    EXPECT_FALSE(marker.has_value()) << "kind " << marker->kind;
  } else {
    EXPECT_EQ(marker, (HeadingMarker{c.kind, c.length}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HeadingMarkerRows,
    ::testing::Values(
        MarkerCase{"ChainOfOne", "1 title", 1, 1}, MarkerCase{"ChainOfThree", "12-3-4 title", 3, 6},
        MarkerCase{"SeparatorsAloneAreKindZero", "- title", 0, 1},
        MarkerCase{"DigitPeriod", "1.title", marker::kDigit, 2},
        MarkerCase{"LetterBlank", "A title", marker::kLetter, 2},
        MarkerCase{"TwoDigits", "12.title", marker::kDigit, 3},
        MarkerCase{"BracketedDigit", "(1) title", marker::kBracketedDigit, 4},
        MarkerCase{"BracketedLetter", "(b).title", marker::kBracketedLetter, 4},
        MarkerCase{"BracketedTwoDigits", "(12) title", marker::kBracketedDigit, 5},
        MarkerCase{"Roman", "Ⅹ.title", marker::kRoman, 2},
        MarkerCase{"Circled", "⑳ title", marker::kCircled, 2},
        MarkerCase{"Square", "■ title", marker::kSquare, 2},
        MarkerCase{"Circle", "○ title", marker::kCircle, 2},
        MarkerCase{"Dot", "・ title", marker::kDot, 2},
        MarkerCase{"Diamond", "◇ title", marker::kDiamond, 2},
        // The letter and digit rows come first and take these characters,
        // so the kanji and full-size digit rows never match.
        MarkerCase{"KanjiNumeralIsTakenAsALetter", "三 title", marker::kLetter, 2},
        MarkerCase{"FullSizeDigitIsTakenAsADigit", "３.title", marker::kDigit, 2},
        MarkerCase{"MarkerAtTheEndOfTheLine", "1.", -1}, MarkerCase{"ChainWithoutBlank", "1-2", -1},
        MarkerCase{"Word", "Hello world", -1}, MarkerCase{"NoSeparator", "(1)title", -1},
        MarkerCase{"MarkWithoutBlank", "■title", -1}, MarkerCase{"MarkAlone", "■ ", -1},
        MarkerCase{"FullSizePeriodIsNoSeparator", "①．title", -1},
        MarkerCase{"IdeographicSpaceIsNoSeparator", "①\u3000title", -1}),
    [](const ::testing::TestParamInfo<MarkerCase>& row) { return std::string(row.param.name); });

TEST(ChainNumbers, TakeTheirSeparatorFromTheSettings) {
  EXPECT_EQ(ClassifyLineHead(u"1.2.3 title", u"."), (HeadingMarker{3, 5}));
  EXPECT_EQ(ClassifyLineHead(u"1.2.3 title", u"-"), (HeadingMarker{marker::kDigit, 2}));
  EXPECT_EQ(ClassifyLineHead(u"1--2 title", u"--"), (HeadingMarker{2, 4}));
}

class TextImport : public StoreFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  void Read(const char* text, const QString& separator = u"-"_s) {
    store.Clear();
    ASSERT_TRUE(ReadPlainText(QString::fromUtf8(text), separator, store));
    EXPECT_EQ(store.FinishLoading(u"plan.txt"_s), 0) << "every node fits the tree";
  }

  QString WriteFile(const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromUtf8(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }

  QTemporaryDir dir;
};

TEST_F(TextImport, EachKindKeepsTheLevelOfItsFirstAppearance) {
  Read("Root\n1. A\na. B\n(1) C\nb. D\n(2) E\n2. F\n");
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/A/B", "Root/A/B/C", "Root/A/D",
                                  "Root/A/D/E", "Root/F"}));
  // A chain of two numbers shares the letters' level.
  Read("Root\n1. A\na. B\n2. C\n1-2 D\nd. E\n");
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/A/B", "Root/C", "Root/C/D", "Root/C/E"}));
  Read("Root\n1 A\n1.1 B\n1.1.1 C\n1.2 D\n", u"."_s);
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/A/B", "Root/A/B/C", "Root/A/D"}));
}

TEST_F(TextImport, AKindWithoutItsParentLevelGoesBelowTheLastNodeOtherwiseBackToItsLevel) {
  // Below 2. there is no letter yet, so (2) becomes a child of 2.; c. then
  // returns to the letters' level under 2. instead of nesting under (2).
  Read("Root\n1. A\na. B\n(1) C\n2. D\n(2) E\nc. F\n(3) G\n");
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/A/B", "Root/A/B/C", "Root/D", "Root/D/E",
                                  "Root/D/F", "Root/D/F/G"}));
}

TEST_F(TextImport, RootBodyAndSourceLines) {
  Read("\r\n   \r\n  My plan\r\nintro\r\n  1. A\r\n    first\r\n\r\n  a.   B\r\n");
  EXPECT_EQ(Paths(), QStringList({"  My plan", "  My plan/A", "  My plan/A/B"}));
  EXPECT_EQ(store.GetBody(0), u"intro\r\n"_s);
  EXPECT_EQ(store.GetBody(1), u"first\r\n\r\n"_s);
  EXPECT_EQ(store.GetNode(0).m_nLine, 2);
  EXPECT_EQ(store.GetNode(2).m_nLine, 7);
  EXPECT_EQ(store.GetNode(2).m_bExpand, 1);
}

TEST_F(TextImport, LineEndsEndOfFileMarksAndSeparatorCharacters) {
  // The marks are left out and counted; the text around them stays.
  FileReport report;
  store.Clear();
  ASSERT_TRUE(ReadPlainText(QString::fromUtf8("Ro\x01ot\r\n1. A\r\r\nx\r\r\nab\x1A"
                                              "cd\n2. B\x1A tail\n\x1A\x1A"),
                            u"-"_s, store, nullptr, &report));
  store.FinishLoading(u"plan.txt"_s);
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/B tail"}));
  EXPECT_EQ(store.GetBody(1), u"x\r\r\nabcd\r\n"_s);
  EXPECT_EQ(report.charactersDropped, 3) << "the marks that end the text are no loss";
  // A text with CR line ends only, as old systems wrote it.
  Read("Root\r1. A\rtext\r2. B\r");
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/B"}));
  EXPECT_EQ(store.GetBody(1), u"text\r\n"_s);
}

TEST_F(TextImport, ATextWithoutTextLinesStillHasItsRoot) {
  for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n   \r\n\n"), QByteArray("\x1A")}) {
    ASSERT_EQ(store.Load(WriteFile("empty notes.txt", bytes), 0), 1) << bytes.toHex().data();
    EXPECT_EQ(store.GetTitle(0), u"empty notes"_s);
  }
  EXPECT_EQ(store.Load(dir.filePath(u"missing.txt"_s), 0), -1);
  EXPECT_EQ(FileErrorText(store.LastFileReport()),
            res::kFileNotFound.toString() +
                FailureReason(FileFailure{FileFailure::Kind::NotFound, 0, {}}));
}

TEST_F(TextImport, BinaryBytesAndNulsLoadAsText) {
  QByteArray bytes("Root\n1. \x82\xa0\n");
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37) & 0xFF);
  bytes += QByteArray("\0\0\n\0. x\n", 8);
  ASSERT_GT(store.Load(WriteFile("binary.txt", bytes), 0), 1);
  EXPECT_EQ(store.GetTitle(1), u"あ"_s);
  EXPECT_GT(store.LastFileReport().undecodable, 0);
  store.RebuildTree();
  EXPECT_EQ(pane.ItemCount(), store.GetCount());
}

TEST_F(TextImport, AHundredMegabyteLineIsTheRootTitle) {
  const QString path = WriteFile("long.txt", QByteArray(100 << 20, 'a') + "\n1. A\n");
  // Processor time, not wall time: the machine may be busy with others.
  const std::clock_t start = std::clock();
  ASSERT_EQ(store.Load(path, 0), 2);
  EXPECT_LT(std::clock() - start, 60 * CLOCKS_PER_SEC) << "grows faster than the line";
  EXPECT_EQ(store.GetPath(0).size(), 100 << 20);
}

TEST_F(TextImport, HeadingsThatWouldBuildAHugeOutlineAreRefused) {
  // One long heading above many short ones: every child's path repeats it.
  QByteArray bytes("Root\n1. " + QByteArray(1 << 20, 'x') + "\n");
  for (int i = 0; i < 4000; ++i) bytes += "a. y\n";
  EXPECT_EQ(store.Load(WriteFile("deep.txt", bytes), 0), -1);
  EXPECT_EQ(store.GetCount(), 0);
  EXPECT_EQ(FileErrorText(store.LastFileReport()), res::kReadTooLarge.toString());
}

}  // namespace
}  // namespace qm::test
