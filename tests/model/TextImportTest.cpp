// Behaviour of the plain-text import: the heading-marker rows in their
// order, the level each marker kind takes, body lines, source lines, the
// root, and input that is not text at all.
#include <QFile>
#include <QTemporaryDir>
#include <ctime>

#include "model/FileReportText.h"
#include "model/StoreFixture.h"
#include "model/TextImport.h"
#include "res/Strings.h"

namespace qm::test {
namespace {

using namespace Qt::StringLiterals;

// ---- The heading-marker rows ----

struct MarkerCase {
  const char* name;
  const char* line;      // leading blanks already removed
  int kind;              // -1: not a heading
  qsizetype length = 0;  // marker length, separator included
};

std::ostream& operator<<(std::ostream& out, const MarkerCase& c) { return out << c.name; }

class HeadingMarkerRows : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(HeadingMarkerRows, ClassifiesTheLineHead) {
  const MarkerCase& c = GetParam();
  const std::optional<HeadingMarker> marker = ClassifyLineHead(QString::fromUtf8(c.line), u"-");
  if (c.kind < 0) {
    EXPECT_FALSE(marker.has_value()) << "kind " << marker->kind;
  } else {
    ASSERT_TRUE(marker.has_value());
    EXPECT_EQ(*marker, (HeadingMarker{c.kind, c.length}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HeadingMarkerRows,
    ::testing::Values(
        // Chain numbers: digits and separators up to a blank.
        MarkerCase{"ChainOfOne", "1 title", 1, 1}, MarkerCase{"ChainOfThree", "1-2-3 title", 3, 5},
        MarkerCase{"ChainOfManyDigits", "12-345 title", 2, 6},
        MarkerCase{"ChainEndingInSeparator", "1- title", 1, 2},
        MarkerCase{"SeparatorsAloneAreKindZero", "- title", 0, 1},
        MarkerCase{"ChainNeedsTheBlank", "1-2", -1},
        // Digit and letter, then "." or a blank with something after it.
        MarkerCase{"DigitPeriod", "1.title", marker::kDigit, 2},
        MarkerCase{"DigitPeriodBlank", "1. title", marker::kDigit, 2},
        MarkerCase{"DigitPeriodDigit", "1.2 title", marker::kDigit, 2},
        MarkerCase{"LetterPeriod", "a.title", marker::kLetter, 2},
        MarkerCase{"LetterBlank", "A title", marker::kLetter, 2},
        MarkerCase{"KanaIsALetter", "あ.title", marker::kLetter, 2},
        MarkerCase{"TwoDigits", "12.title", marker::kDigit, 3},
        MarkerCase{"BracketedDigit", "(1) title", marker::kBracketedDigit, 4},
        MarkerCase{"BracketedDigitPeriod", "(1).title", marker::kBracketedDigit, 4},
        MarkerCase{"BracketedLetter", "(b) title", marker::kBracketedLetter, 4},
        MarkerCase{"BracketedTwoDigits", "(12) title", marker::kBracketedDigit, 5},
        MarkerCase{"Roman", "Ⅲ.title", marker::kRoman, 2},
        MarkerCase{"RomanTen", "Ⅹ title", marker::kRoman, 2},
        MarkerCase{"Circled", "⑳ title", marker::kCircled, 2},
        MarkerCase{"Square", "■ title", marker::kSquare, 2},
        MarkerCase{"Circle", "○ title", marker::kCircle, 2},
        MarkerCase{"Dot", "・ title", marker::kDot, 2},
        MarkerCase{"Diamond", "◇ title", marker::kDiamond, 2},
        // The kanji and full-size digit rows come after the letter and
        // digit rows, which take those characters first.
        MarkerCase{"KanjiNumeralIsTakenAsALetter", "三 title", marker::kLetter, 2},
        MarkerCase{"FullSizeDigitIsTakenAsADigit", "３.title", marker::kDigit, 2},
        // Not headings.
        MarkerCase{"MarkerAtTheEndOfTheLine", "1.", -1},
        MarkerCase{"LetterAtTheEndOfTheLine", "a ", -1}, MarkerCase{"OneCharacter", "1", -1},
        MarkerCase{"Word", "Hello world", -1}, MarkerCase{"NoSeparator", "(1)title", -1},
        MarkerCase{"BracketsAlone", "(1)", -1}, MarkerCase{"RomanWithoutSeparator", "Ⅰtitle", -1},
        MarkerCase{"MarkWithoutBlank", "■title", -1}, MarkerCase{"MarkAlone", "■ ", -1},
        MarkerCase{"FullSizePeriodIsNoSeparator", "①．title", -1},
        MarkerCase{"IdeographicSpaceIsNoSeparator", "①\u3000title", -1},
        MarkerCase{"ColonIsNoSeparator", "1:title", -1}, MarkerCase{"Empty", "", -1}),
    [](const ::testing::TestParamInfo<MarkerCase>& row) { return std::string(row.param.name); });

TEST(ChainNumbers, TakeTheirSeparatorFromTheSettings) {
  EXPECT_EQ(ClassifyLineHead(u"1.2.3 title", u"."), (HeadingMarker{3, 5}));
  // With the default separator the same line is a digit heading.
  EXPECT_EQ(ClassifyLineHead(u"1.2.3 title", u"-"), (HeadingMarker{marker::kDigit, 2}));
  EXPECT_EQ(ClassifyLineHead(u"1--2 title", u"--"), (HeadingMarker{2, 4}));
  EXPECT_EQ(ClassifyLineHead(u"12 title", u""), (HeadingMarker{1, 2}));
}

// ---- Reading a text into an outline ----

class TextImport : public StoreFixture {
 protected:
  void Read(const char* text) {
    store.Clear();
    ASSERT_TRUE(ReadPlainText(QString::fromUtf8(text), settingsSeparator, store));
    EXPECT_EQ(store.FinishLoading(u"/notes/plan.txt"_s), 0) << "every node fits the tree";
  }

  QString Body(int i) const { return store.GetBody(i); }
  int Line(int i) const { return store.GetNode(i).m_nLine; }

  QString settingsSeparator = u"-"_s;
};

TEST_F(TextImport, TheFirstLineWithTextNamesTheRoot) {
  Read("\r\n   \r\n  My plan\r\nintro\r\n");
  ASSERT_EQ(store.GetCount(), 1);
  EXPECT_EQ(store.GetTitle(0), u"  My plan"_s);  // with its leading blanks
  EXPECT_EQ(Line(0), 2);
  EXPECT_EQ(store.GetNode(0).m_bExpand, 1);
  EXPECT_EQ(Body(0), u"intro\r\n"_s);
}

TEST_F(TextImport, ADigitHeadingItsChildAndASecondDigitHeading) {
  Read("Root\n1. A\n(1) B\n2. C\n");
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/A/B", "Root/C"}));
}

TEST_F(TextImport, EachKindKeepsTheLevelOfItsFirstAppearance) {
  Read("Root\n1. A\na. B\n(1) C\nb. D\n(2) E\n2. F\n");
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/A/B", "Root/A/B/C", "Root/A/D",
                                  "Root/A/D/E", "Root/F"}));
}

TEST_F(TextImport, AKnownKindWithoutItsParentLevelGoesBelowTheLastNode) {
  // (2) is the third kind (level 3), but below 2. there is no level-2 node
  // to hang it under, so it becomes a child of 2.
  Read("Root\n1. A\na. B\n(1) C\n2. D\n(2) E\n");
  EXPECT_EQ(Paths(),
            QStringList({"Root", "Root/A", "Root/A/B", "Root/A/B/C", "Root/D", "Root/D/E"}));
}

TEST_F(TextImport, AKindReturnsToItsLevelEvenRightBelowItsParentLevel) {
  // c. is a letter (level 2): it becomes a sibling of (2) under 2., not a
  // child of (2), although the last level-1 heading is its parent as it is.
  Read("Root\n1. A\na. B\n(1) C\n2. D\n(2) E\nc. F\n(3) G\n");
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/A/B", "Root/A/B/C", "Root/D", "Root/D/E",
                                  "Root/D/F", "Root/D/F/G"}));
}

TEST_F(TextImport, AChainOfTwoNumbersSharesTheLevelOfLetters) {
  Read("Root\n1. A\na. B\n2. C\n1-2 D\nd. E\n");
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/A/B", "Root/C", "Root/C/D", "Root/C/E"}));
}

TEST_F(TextImport, ChainNumbersUseTheShowStrSeparator) {
  settingsSeparator = u"."_s;
  Read("Root\n1 A\n1.1 B\n1.1.1 C\n1.2 D\n2 E\n");
  EXPECT_EQ(Paths(),
            QStringList({"Root", "Root/A", "Root/A/B", "Root/A/B/C", "Root/A/D", "Root/E"}));
}

TEST_F(TextImport, BodyLinesLoseTheirLeadingBlanksAndGetCrLf) {
  Read("Root\n1. A\n    first\r\n\r\n  second\n2.   B\n");
  EXPECT_EQ(Body(1), u"first\r\n\r\nsecond\r\n"_s);
  EXPECT_EQ(store.GetTitle(2), u"B"_s);  // blanks after the marker go too
  EXPECT_EQ(Body(2), QString());
}

TEST_F(TextImport, IndentedHeadingsAreHeadingsAndKeepTheirLineNumbers) {
  Read("\nRoot\n  1. A\n    body\n    a. B\n  2. C");
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A", "Root/A/B", "Root/C"}));
  EXPECT_EQ(Line(0), 1);
  EXPECT_EQ(Line(1), 2);
  EXPECT_EQ(Line(2), 4);
  EXPECT_EQ(Line(3), 5);
}

TEST_F(TextImport, OnlyOneCarriageReturnIsTakenFromTheLineEnd) {
  Read("Root\r\n1. A\r\r\nx\r\r\n");
  EXPECT_EQ(store.GetTitle(1), u"A"_s);  // titles hold no line breaks
  EXPECT_EQ(Body(1), u"x\r\r\n"_s);
}

TEST_F(TextImport, AnEndOfFileMarkEndsOnlyItsOwnLine) {
  Read(
      "Root\nab\x1A"
      "cd\n1. A\x1A tail\n");
  EXPECT_EQ(Body(0), u"ab\r\n"_s);
  EXPECT_EQ(Paths(), QStringList({"Root", "Root/A"}));
}

TEST_F(TextImport, SeparatorCharactersNeverReachTitlesOrBodies) {
  Read("Ro\x01ot\n1. A\x02/B\nx\x04y\n");
  EXPECT_EQ(store.GetTitle(0), u"Root"_s);
  EXPECT_EQ(store.GetLevel(1), 1);
  EXPECT_EQ(store.GetTitle(1), u"A/B"_s);
  EXPECT_EQ(Body(1), u"xy\r\n"_s);
}

// ---- Through the store, from files ----

class TextFiles : public StoreFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  QString Write(const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromUtf8(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }

  QTemporaryDir dir;
};

TEST_F(TextFiles, AnyOtherExtensionOpensAsPlainText) {
  const QString path = Write("plan.outline", "Root\r\n1. A\r\n\x82\xa0\r\n");
  ASSERT_EQ(store.Load(path, 0), 2);
  EXPECT_EQ(store.GetBody(1), u"あ\r\n"_s);  // Shift_JIS
  EXPECT_EQ(store.LastFileReport().error, FileReport::Error::None);
}

TEST_F(TextFiles, ATextWithoutTextLinesStillHasItsRoot) {
  for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n   \r\n\n"), QByteArray("\x1A")}) {
    const QString path = Write("empty notes.txt", bytes);
    ASSERT_EQ(store.Load(path, 0), 1) << bytes.toHex().toStdString();
    EXPECT_EQ(store.GetTitle(0), u"empty notes"_s);
    EXPECT_EQ(store.GetNode(0).m_bExpand, 1);
  }
}

TEST_F(TextFiles, AnUnreadableFileIsNotFound) {
  EXPECT_EQ(store.Load(dir.filePath(u"missing.txt"_s), 0), -1);
  EXPECT_EQ(store.GetCount(), 0);
  EXPECT_EQ(FileErrorText(store.LastFileReport()), res::kFileNotFound.toString());
}

TEST_F(TextFiles, BinaryBytesAndNulsLoadAsText) {
  QByteArray bytes("Root\n1. A\n");
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37) & 0xFF);
  bytes += QByteArray("\0\0\n\0. x\n", 8);
  const QString path = Write("binary.txt", bytes);
  ASSERT_GT(store.Load(path, 0), 0);
  EXPECT_GT(store.LastFileReport().undecodable, 0);
  EXPECT_EQ(store.LastFileReport().nodesReplaced, 0);
  store.RebuildTree();
  EXPECT_EQ(pane.ItemCount(), store.GetCount());
}

TEST_F(TextFiles, AHundredMegabyteLineIsTheRootTitle) {
  QByteArray bytes(100 << 20, 'a');
  bytes += "\n1. A\n";
  const QString path = Write("long.txt", bytes);
  bytes = {};
  // Processor time, not wall time: the machine may be busy with others.
  const std::clock_t start = std::clock();
  ASSERT_EQ(store.Load(path, 0), 2);
  EXPECT_LT(std::clock() - start, 60 * CLOCKS_PER_SEC) << "grows faster than the line";
  EXPECT_EQ(store.GetPath(0).size(), 100 << 20);
  EXPECT_EQ(store.GetTitle(1), u"A"_s);
}

TEST_F(TextFiles, HeadingsThatWouldBuildAHugeOutlineAreRefused) {
  // One long heading above many short ones: every child's path repeats it.
  QByteArray bytes("Root\n1. " + QByteArray(1 << 20, 'x') + "\n");
  for (int i = 0; i < 4000; ++i) bytes += "a. y\n";
  const QString path = Write("deep.txt", bytes);
  EXPECT_EQ(store.Load(path, 0), -1);
  EXPECT_EQ(store.GetCount(), 0);
  EXPECT_EQ(FileErrorText(store.LastFileReport()), res::kImportTooLarge.toString());
}

}  // namespace
}  // namespace qm::test
