// Behaviour of the outline file: reading, writing byte for byte, the
// mended times field, damaged input and what its load reports, other
// systems' line ends, and loading and saving by extension.
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "model/FileReportText.h"
#include "model/OutlineFile.h"
#include "model/ReadBudget.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "res/Strings.h"
#include "support/StoreFixture.h"

namespace qm::test {
namespace {

class OutlineFile : public StoreFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

  void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QByteArray Encoded(const QString& text) {
    CodePage codePage;
    return codePage.Encode(text);
  }

  // Reads text as a file's contents would be read; report, the load's.
  void ReadText(const QString& text, const char* fileName = "doc.qmp") {
    store.Clear();
    report = {};
    ASSERT_TRUE(ReadOutlineText(text, store, nullptr, &report));
    store.FinishLoading(QString::fromUtf8(fileName));
  }

  // The node section of the written file (after the settings section).
  QString WrittenNodes() {
    const QString text = WriteOutlineText(store);
    const QString sectionEnd = QStringLiteral("\u0008\r\n");
    return text.sliced(text.indexOf(sectionEnd, 1) + sectionEnd.size());
  }

  QTemporaryDir dir;
  FileReport report;
};

TEST_F(OutlineFile, OnlyTheSettingsLinesGiveARootNamedAfterTheFile) {
  ReadText(Marks("\\8\r\n\\8\r\n"), "/docs/my.notes.qmp");
  ASSERT_EQ(store.GetCount(), 1);
  EXPECT_EQ(store.GetTitle(0), QStringLiteral("my.notes"));
  EXPECT_EQ(store.GetNode(0).m_bExpand, 1);
  ReadText(QString(), "plain");
  EXPECT_EQ(store.GetTitle(0), QStringLiteral("plain"));
}

TEST_F(OutlineFile, NodeLineFields) {
  ReadText(
      Marks("\\8\r\n\\8\r\n"
            "Root\\5"
            "3\\6"
            "0\\7"
            "1\\8"
            "00000A0000FF2\\4"
            "2024120818300020241201090000\r\n"
            "Root\\1Child\\2"
            "c:\\x.txt\\5"
            "65536\r\n"));
  ASSERT_EQ(store.GetCount(), 2);
  const CDirData& root = store.GetNode(0);
  EXPECT_EQ(root.m_nFlags, 3);
  EXPECT_EQ(root.m_bExpand, 0);
  EXPECT_EQ(root.m_nMark, 1);
  EXPECT_EQ(root.GetIdText(), QStringLiteral("00000A0000FF2"));
  EXPECT_EQ(FormatTime14(root.m_tmUpdate), QStringLiteral("20241208183000"));
  EXPECT_EQ(FormatTime14(root.m_tmCreate), QStringLiteral("20241201090000"));
  EXPECT_FALSE(root.m_stStamp.IsSet());
  const CDirData& child = store.GetNode(1);
  EXPECT_EQ(child.GetTitle(), QStringLiteral("Child"));
  EXPECT_EQ(child.m_strLink, QStringLiteral("c:\\x.txt"));
  EXPECT_EQ(child.GetCategory(), 1);
  EXPECT_EQ(child.m_bExpand, 1);  // no expanded field reads as expanded
  EXPECT_EQ(child.m_nLine, 3);
  EXPECT_FALSE(child.HasUpdateTime());
}

TEST_F(OutlineFile, RepeatedMarksOutOfOrderStayOutOfTheLink) {
  ReadText(
      Marks("R\\5"
            "1\\2"
            "a.txt\\5"
            "2\\6"
            "0\\4"
            "x\r\n"));
  EXPECT_EQ(store.GetLink(0), QStringLiteral("a.txt2"));
  EXPECT_EQ(store.GetNode(0).m_nFlags, 1);
}

TEST_F(OutlineFile, LineEndsNeverBecomePartOfAField) {
  ReadText(Marks("\\8\r\n\\8\r\nRoot\r\nRoot\\1Bare\nRoot\\1Last"));
  EXPECT_EQ(Paths(), (QStringList{"Root", "Root/Bare", "Root/Last"}));
}

TEST_F(OutlineFile, BodyLineEndsAreDoubledOnWriteAndUndoubledOnRead) {
  Build({"R"});
  store.SetBody(0, QStringLiteral("a"));
  EXPECT_EQ(WrittenNodes(), Marks("R\\5"
                                  "0\\6"
                                  "1\\7"
                                  "0\\8"
                                  "0000000000000\r\n\\4\r\na\r\r\n\\4\r\n"));
  ReadText(WriteOutlineText(store));
  EXPECT_EQ(store.GetBody(0), QStringLiteral("a\r\n"));
  store.GetNode(0).m_strBody = QStringLiteral("x\r\n\r\ny\r\n");
  ReadText(WriteOutlineText(store));
  EXPECT_EQ(store.GetBody(0), QStringLiteral("x\r\n\r\ny\r\n"));
}

TEST_F(OutlineFile, BodyLinesStartingWithSectionMarksCannotCorruptTheFile) {
  Build({"R", "R/A"});
  // Set directly, as old code paths might, bypassing the store's cleaning.
  store.GetNode(0).m_strBody = Marks("\\8evil\r\n\\4also\r\nfine\\4\r\n");
  ReadText(WriteOutlineText(store));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
  EXPECT_EQ(store.GetBody(0), Marks("evil\r\nalso\r\nfine\\4\r\n"));
}

TEST_F(OutlineFile, EndOfFileMarksAreIgnoredAnywhere) {
  ReadText(
      Marks("\\8\r\nAuth\x1A"
            "or=me\r\n\\8\r\nR\x1A"
            "oot\\5"
            "0\r\n\x1A"));
  EXPECT_EQ(store.Settings().author, QStringLiteral("me"));
  EXPECT_EQ(Paths(), QStringList{"Root"});
  EXPECT_EQ(report.charactersDropped, 2) << "the mark that ends the file holds nothing";
}

TEST_F(OutlineFile, LinesNothingHoldsAreCountedWithTheirNumbers) {
  ReadText(
      Marks("\\8\r\nAuthor=me\r\nNoSuchKey=1\r\n\r\nShoStrMae999=x\n\\8\r\n"
            "\\4\r\norphan\r\r\n\\4\r\n"
            "R\\5"
            "0\r\n\\4junk\r\ntext\r\r\n\\4\r\n"));
  EXPECT_EQ(Paths(), QStringList{"R"});
  EXPECT_EQ(store.GetBody(0), QStringLiteral("text\r\n"));
  // The unknown key, the style out of range, the body before any node and
  // the text after a body mark; not the empty line.
  EXPECT_EQ(report.linesUnread, 4);
  EXPECT_EQ(report.unreadLines, (QList<int>{3, 5, 8, 11}));
  EXPECT_TRUE(report.Lossy());
}

TEST_F(OutlineFile, LinesEndingInCrOnlyOrLfOnlyAreLineEnds) {
  ReadText(
      Marks("\\8\rAuthor=me\r\\8\rR\\5"
            "0\r\\4\ra\r\r\r\rb\r\r\\4\rR\\1C\\5"
            "0\r"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/C"}));
  EXPECT_EQ(store.Settings().author, QStringLiteral("me"));
  EXPECT_EQ(store.GetBody(0), QStringLiteral("a\r\n\r\nb\r\n"));
  // LF only, as converters make of CR LF: a body line keeps one CR.
  ReadText(
      Marks("\\8\nAuthor=me\n\\8\nR\\5"
            "0\n\\4\na\r\nb\n\\4\nR\\1C\\5"
            "0\n"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/C"}));
  EXPECT_EQ(store.GetBody(0), QStringLiteral("a\r\nb\n")) << "a bare LF in a body stays one";
  EXPECT_FALSE(report.Lossy());
}

TEST_F(OutlineFile, AnUnclosedSectionOrBodyEndsAtTheFirstNodeLine) {
  ReadText(
      Marks("\\8\r\nAuthor=me\r\nR\\5"
            "0\\6"
            "1\\7"
            "0\\8"
            "0000000000000\r\nR\\1A\\5"
            "0\r\n"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A"}));
  EXPECT_EQ(store.Settings().author, QStringLiteral("me"));
  EXPECT_TRUE(report.settingsUnclosed);
  EXPECT_TRUE(report.Lossy());

  ReadText(
      Marks("R\\5"
            "0\r\n\\4\r\nbody\r\r\nR\\1A\\5"
            "0\r\nR\\1B\\5"
            "0\r\n"));
  EXPECT_EQ(Paths(), (QStringList{"R", "R/A", "R/B"}));
  EXPECT_EQ(store.GetBody(0), QStringLiteral("body\r\n"));
  EXPECT_TRUE(report.bodyUnclosed);
  EXPECT_FALSE(report.settingsUnclosed);
}

TEST_F(OutlineFile, AClosedSectionOrBodyKeepsLinesThatLookLikeNodes) {
  // Only a missing closing line makes a node line end a part early.
  ReadText(
      Marks("\\8\r\nAuthor=a\\5b\r\n\\8\r\nR\\5"
            "0\r\n\\4\r\nx\\5y\r\r\n\\4\r\n"));
  EXPECT_EQ(Paths(), QStringList{"R"});
  EXPECT_EQ(store.Settings().author, Marks("a\\5b"));
  EXPECT_EQ(store.GetBody(0), Marks("x\\5y\r\n"));
  EXPECT_FALSE(report.Lossy());
}

TEST_F(OutlineFile, SettingsKeysGoToTheirOwners) {
  ReadText(
      Marks("\\8\r\nHtmlShoStr=1\r\nShoStrCount=3\nCategoryName=Work\nAuthor=me\r\n\\8\r\nR\r\n"));
  EXPECT_EQ(store.Settings().htmlShoStr, 1);
  EXPECT_EQ(store.Styles().Count(), 3);
  EXPECT_EQ(store.Categories().Name(1), QStringLiteral("Work"));
  EXPECT_EQ(store.Settings().author, QStringLiteral("me"));
}

TEST_F(OutlineFile, SettingsValuesNeverKeepATrailingCarriageReturn) {
  ReadText(Marks("\\8\r\nCategoryName=A\r\r\nAuthor=me\r\r\n\\8\r\nR\r\n"));
  EXPECT_EQ(store.Categories().Name(1), QStringLiteral("A"));
  EXPECT_EQ(store.Settings().author, QStringLiteral("me"));
}

TEST_F(OutlineFile, TimesKeepTheirPositionsWhenEarlierOnesAreUnset) {
  Build({"R", "R/created", "R/stamp", "R/updated"});
  store.GetNode(1).SetCreateTime(1733650200);
  Stamp stamp;
  ASSERT_TRUE(ParseStamp17(u"20241208183000123", stamp));
  store.GetNode(2).m_stStamp = stamp;
  store.GetNode(3).SetUpdateTime(1733650200);
  const QString nodes = WrittenNodes();
  EXPECT_TRUE(
      nodes.contains(Marks("\\4"
                           "0000000000000020241208183000\r\n")));
  EXPECT_TRUE(
      nodes.contains(Marks("\\4"
                           "000000000000000000000000000020241208183000123\r\n")));
  EXPECT_TRUE(
      nodes.contains(Marks("\\4"
                           "20241208183000\r\n")));
  EXPECT_TRUE(
      nodes.startsWith(Marks("R\\5"
                             "0\\6"
                             "1\\7"
                             "0\\8"
                             "0000000000000\r\n")));  // no times field

  ReadText(WriteOutlineText(store));
  EXPECT_FALSE(store.GetNode(1).HasUpdateTime());
  EXPECT_EQ(store.GetNode(1).m_tmCreate, 1733650200);
  EXPECT_FALSE(store.GetNode(2).HasCreateTime());
  EXPECT_EQ(store.GetNode(2).m_stStamp, stamp);
  EXPECT_EQ(store.GetNode(3).m_tmUpdate, 1733650200);
  EXPECT_FALSE(store.GetNode(3).HasCreateTime());
}

TEST_F(OutlineFile, BrokenTimesStayUnset) {
  ReadText(
      Marks("R\\4"
            "20240230120000x\r\nR\\1A\\4"
            "2024120818300020241208183000202412\r\n"));
  EXPECT_FALSE(store.GetNode(0).HasUpdateTime());
  EXPECT_TRUE(store.GetNode(1).HasCreateTime());
  EXPECT_FALSE(store.GetNode(1).m_stStamp.IsSet());  // a stamp cut short is not read
}

TEST_F(OutlineFile, PathsThatDoNotFitTheTreeAreReplaced) {
  ReadText(Marks("A\\1B\r\nR\r\nR\\1x\\1y\\1z\r\nOther\\1c\r\nR2\r\n"));
  EXPECT_EQ(Paths(), (QStringList{"B", "B/R", "B/R/z", "B/c", "B/R2"}));
}

TEST_F(OutlineFile, WriterOutputIsByteExactForAFreshDocument) {
  Build({"R"});
  store.Settings().author = QStringLiteral("me");
  store.Categories().Entries() = {{QStringLiteral("c"), QStringLiteral("m")}};
  store.Styles().ReadLine(u"ShoStrCount", u"1");
  const QString expected = Marks(
      "\\8\r\nHeader=\r\nFooter=\r\nHeaderLine=1\r\nFooterLine=1\r\nAutoTitle=0\r\n"
      "FirstLine=0\r\nFirstCursor=0\r\nTreeView=0\r\nAuthor=me\r\n"
      "CategoryName=c\nCategoryMemo=m\n"
      "ShoStrCount=1\nShoStrMae0=\nShoStrAto0=.\nShoStrNo0=2\n\\8\r\n"
      "R\\5"
      "0\\6"
      "1\\7"
      "0\\8"
      "0000000000000\r\n");
  EXPECT_EQ(WriteOutlineText(store), expected);
}

// Random outlines: reading what the writer wrote and writing it again gives
// the same text.
TEST_F(OutlineFile, ReadingBackWrittenOutlinesIsTheIdentity) {
  QRandomGenerator random(20261208);
  const QString alphabet = QStringLiteral("abcXYZ あいう漢字ﾃｽﾄ①Ⅱ～\t=\\/\"'");
  auto text = [&](int max) {
    QString out;
    const int length = static_cast<int>(random.bounded(max + 1));
    for (int i = 0; i < length; ++i) out += alphabet[random.bounded(alphabet.size())];
    return out;
  };
  for (int round = 0; round < 40; ++round) {
    store.Clear();
    store.AddRoot(text(12));
    const int count = 1 + static_cast<int>(random.bounded(60));
    for (int n = 0; n < count; ++n) {
      const int parent = static_cast<int>(random.bounded(store.GetCount()));
      QString body;
      for (int line = static_cast<int>(random.bounded(4)); line > 0; --line) {
        body += text(20) + (random.bounded(2) ? QStringLiteral("\r\n") : QStringLiteral("\n"));
      }
      const int i = store.InsertChild(parent, text(10), random.bounded(3) ? QString() : text(8),
                                      body + text(3), static_cast<qint32>(random.generate()),
                                      static_cast<qint32>(random.bounded(3)));
      CDirData& node = store.GetNode(i);
      node.m_bExpand = static_cast<qint32>(random.bounded(2));
      if (random.bounded(3) == 0) node.m_nUpdateStatus = kTimeUnset;
      if (random.bounded(3) == 0) node.m_nCreateStatus = kTimeUnset;
      if (random.bounded(4) == 0) ParseStamp17(u"20240229235960999", node.m_stStamp);
      node.SetIdText(QStringLiteral("%1").arg(random.bounded(1 << 24), 6, 16, QChar(u'0')) +
                     QStringLiteral("00ABCD3"));
    }
    store.Settings().header = text(10);
    store.Categories().Entries() = {{text(5), text(5)}};
    const QString first = WriteOutlineText(store);
    ReadText(first);
    ASSERT_EQ(WriteOutlineText(store), first) << "round " << round;
  }
}

using OutlineFiles = OutlineFile;

TEST_F(OutlineFiles, LoadAndSaveRoundTripThroughTheCodePage) {
  const QString path = Path("doc.qmp");
  const QByteArray bytes =
      Encoded(Marks("\\8\r\n\\8\r\n髙橋①\\5"
                    "0\\6"
                    "1\\7"
                    "0\\8"
                    "0000000000000\r\n"
                    "髙橋①\\1ｶﾅ～\\5"
                    "0\\6"
                    "1\\7"
                    "0\\8"
                    "0000000000000\r\n"
                    "\\4\r\n本文\r\r\n\\4\r\n"));
  WriteBytes(path, bytes);
  EXPECT_EQ(store.Load(path, 0), 2);
  EXPECT_EQ(store.GetTitle(1), QStringLiteral("ｶﾅ～"));
  EXPECT_EQ(store.GetBody(1), QStringLiteral("本文\r\n"));
  const QString copy = Path("copy.bak");
  ASSERT_TRUE(store.Save(copy));
  EXPECT_TRUE(ReadWholeFile(copy)->endsWith(bytes.sliced(bytes.indexOf("\x08\r\n", 1) + 3)));
}

TEST_F(OutlineFiles, MissingFileFailsAndKeepsNothing) {
  Build({"Old", "Old/A"});
  EXPECT_EQ(store.Load(Path("none.qmp"), 0), -1);
  EXPECT_EQ(store.LastFileReport().error, FileReport::Error::CannotOpen);
  EXPECT_EQ(store.GetCount(), 0);
}

TEST_F(OutlineFiles, FormatsOfLaterWorkFailClearly) {
  // Plain-text and memo files read and memo files write; plain text is
  // written by the text output the store is given, and fails without it.
  WriteBytes(Path("a.txt"), "text\r\n");
  EXPECT_EQ(store.Load(Path("a.txt"), 0), 1);
  WriteBytes(Path("a.qmp"), "\x08\r\n\x08\r\nR\r\n");
  EXPECT_EQ(store.Load(Path("a.qmp"), 1), 1);  // as a memo file: no headings
  Build({"R"});
  EXPECT_TRUE(store.Save(Path("out.mem")));
  EXPECT_FALSE(store.Save(Path("out.txt")));
  EXPECT_EQ(store.LastFileReport().error, FileReport::Error::NotSupported);
  EXPECT_FALSE(QFile::exists(Path("out.txt")));
}

TEST_F(OutlineFiles, UndecodableBytesAreCountedKeptAndShownAsBytesOnSave) {
  WriteBytes(Path("bad.qmp"), QByteArray("R\xFF\x81", 3) + "\r\n");
  EXPECT_EQ(store.Load(Path("bad.qmp"), 0), 1);
  EXPECT_EQ(store.LastFileReport().undecodable, 2);
  EXPECT_EQ(store.LastFileReport().undecodableBytes, (QList<QByteArray>{"\xFF", "\x81"}));
  EXPECT_TRUE(store.LastFileReport().Lossy());
  EXPECT_EQ(store.GetTitle(0), QStringLiteral("R\uFFFD\uFFFD"));
  // The save that cannot store U+FFFD names the bytes it stands for.
  EXPECT_FALSE(store.Save(Path("bad.qmp")));
  EXPECT_EQ(FileErrorText(store.LastFileReport()),
            res::kUnencodableCharacters.toString() + QStringLiteral("［0xFF、0x81］"));
  // A new outline has no file behind its U+FFFD.
  Build({"R"});
  store.SetBody(0, QStringLiteral("\uFFFD"));
  EXPECT_FALSE(store.Save(Path("new.qmp")));
  EXPECT_EQ(store.LastFileReport().unencodable, QStringLiteral("\uFFFD"));
  EXPECT_TRUE(store.LastFileReport().undecodableBytes.isEmpty());
}

// The sample outline as other systems carry it or as a damaged copy holds
// it: each must load every node and save as the original saves.
class SampleVariants : public OutlineFile {
 protected:
  static QByteArray Sample() {
    QFile file(QStringLiteral(QM_SOURCE_DIR "/samples/sample.qmp"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }

  // Loads bytes as a file and saves the outline again; returns what the
  // save wrote, and the outline's paths and bodies in outline.
  QByteArray LoadAndSave(const QByteArray& bytes, QStringList& outline) {
    const QString path = Path("variant.qmp");
    WriteBytes(path, bytes);
    EXPECT_GT(store.Load(path, 0), 1);
    outline.clear();
    for (int i = 0; i < store.GetCount(); ++i) outline << store.GetPath(i) << store.GetBody(i);
    const QString saved = Path("saved.qmp");
    EXPECT_TRUE(store.Save(saved));
    return ReadWholeFile(saved).value_or(QByteArray());
  }

  void SetUp() override {
    OutlineFile::SetUp();
    original = Sample();
    originalSave = LoadAndSave(original, originalOutline);
    ASSERT_FALSE(store.LastFileReport().Lossy());
  }

  QByteArray original;
  QByteArray originalSave;
  QStringList originalOutline;
};

TEST_F(SampleVariants, TheOriginalLoadsWithNothingLeftOut) {
  // The original's own load: a save of it must not ask about losses.
  WriteBytes(Path("sample.qmp"), original);
  ASSERT_GT(store.Load(Path("sample.qmp"), 0), 1);
  EXPECT_EQ(store.LastFileReport().linesUnread, 0);
  EXPECT_TRUE(FileWarningTexts(store.LastFileReport()).isEmpty());
  // And a save reads back without a loss either.
  ASSERT_TRUE(store.Save(Path("again.qmp")));
  ASSERT_GT(store.Load(Path("again.qmp"), 0), 1);
  EXPECT_FALSE(store.LastFileReport().Lossy());
}

TEST_F(SampleVariants, CrOnlyAndLfOnlyLineEndsLoadAndSaveAsTheOriginal) {
  QByteArray crOnly = original;
  crOnly.replace("\r\n", "\r").replace('\n', '\r');
  QByteArray lfOnly = original;
  lfOnly.replace("\r\n", "\n");
  for (const QByteArray& variant : {crOnly, lfOnly}) {
    QStringList outline;
    EXPECT_EQ(LoadAndSave(variant, outline), originalSave);
    EXPECT_EQ(outline, originalOutline);
    EXPECT_FALSE(store.LastFileReport().Lossy()) << "nothing of these is lost";
  }
}

TEST_F(SampleVariants, AMissingSectionEndStillLoadsEveryNode) {
  const QByteArray closing("\n\x08\r\n");
  QByteArray unclosed = original;
  const qsizetype at = unclosed.indexOf(closing, 1);
  ASSERT_GT(at, 0);
  unclosed.remove(at + 1, closing.size() - 1);
  QStringList outline;
  const QString path = Path("unclosed.qmp");
  EXPECT_EQ(LoadAndSave(unclosed, outline), originalSave);
  EXPECT_EQ(outline, originalOutline);
  WriteBytes(path, unclosed);
  ASSERT_GT(store.Load(path, 0), 1);
  EXPECT_TRUE(store.LastFileReport().settingsUnclosed);
  EXPECT_TRUE(store.LastFileReport().Lossy()) << "overwriting the damaged file asks first";
  EXPECT_TRUE(FileWarningTexts(store.LastFileReport()).contains(res::kSettingsUnclosed.toString()));
}

TEST_F(OutlineFiles, HostileBytesLoadWithoutCrashingOrHanging) {
  // A 100 MB line, NUL bytes, separators in odd places and numbers far out
  // of range: each still loads into a tree.
  QByteArray huge(100 * 1024 * 1024, 'a');
  WriteBytes(Path("huge.qmp"), huge);
  EXPECT_EQ(store.Load(Path("huge.qmp"), 0), 1);
  EXPECT_EQ(store.GetTitle(0).size(), huge.size());
  huge.clear();
  WriteBytes(Path("odd.qmp"), QByteArray("\x00R\x05"
                                         "99999999999999\x06-5\x07\x08\x04\r\n"
                                         "\x01\x01\x01\x00\n\x04\n\x04\n\x08",
                                         35));
  EXPECT_EQ(store.Load(Path("odd.qmp"), 0), 2);
  EXPECT_EQ(store.GetNode(0).m_nFlags, 2147483647);
  EXPECT_EQ(store.GetLevel(1), 1);
}

TEST_F(OutlineFiles, ReadingTheBytesALineAtATimeGivesWhatTheDecodedTextGives) {
  // CR-only lines, a lead byte cut off by a line end, undecodable bytes,
  // end-of-file marks inside and at the end, and a body closed only on a
  // line an end-of-file mark begins.
  const QByteArray files[] = {
      QByteArray("\x08\rA=1\r\x08\rR\x05"
                 "0\x06"
                 "1\x07"
                 "0\x08\r\x04\rb\x82\r\r\x04\r"),
      QByteArray("R\x82\nR\\x\xA0\xFF\r\n\x04\r\nline\r\r\nR\\y\r\n\x1A\x04\r\n"),
      QByteArray("R\r\nR\\\x1A"
                 "a\r\n\x1A\x1A"),
      QByteArray("R\r\n\x04\r\nopen\r\r\nR\\n\x05"
                 "1\r\n\x1A")};
  for (const QByteArray& bytes : files) {
    CTreeStore fromText(settings, clock);
    const QString text = CodePage().Decode(bytes);
    ReadBudget budget(text.size());
    FileReport textReport;
    ASSERT_TRUE(ReadOutlineText(text, fromText, &budget, &textReport));
    fromText.FinishLoading(QStringLiteral("x.qmp"), &budget);

    WriteBytes(Path("x.qmp"), bytes);
    ASSERT_EQ(store.Load(Path("x.qmp"), 0), fromText.GetCount()) << bytes.toHex().toStdString();
    EXPECT_EQ(WriteOutlineText(store), WriteOutlineText(fromText)) << bytes.toHex().toStdString();
    const FileReport& loaded = store.LastFileReport();
    EXPECT_EQ(loaded.unreadLines, textReport.unreadLines);
    EXPECT_EQ(loaded.charactersDropped, textReport.charactersDropped);
    EXPECT_EQ(loaded.bodyUnclosed, textReport.bodyUnclosed);
    EXPECT_EQ(loaded.undecodable, text.count(QChar(0xFFFD)));
  }
}

TEST_F(OutlineFiles, CharactersTheCodePageCannotHoldAreNeverDroppedSilently) {
  const QString path = Path("doc.qmp");
  WriteBytes(path, "old");
  Build({"R"});
  store.SetBody(0, QStringLiteral("smile 😀 and 𠀋"));
  EXPECT_FALSE(store.Save(path));
  EXPECT_EQ(store.LastFileReport().error, FileReport::Error::Unencodable);
  EXPECT_EQ(store.LastFileReport().unencodable, QStringLiteral("😀𠀋"));
  EXPECT_EQ(*ReadWholeFile(path), QByteArray("old"));
  EXPECT_TRUE(store.Save(path, {SaveLoss::Allow}));
  EXPECT_TRUE(ReadWholeFile(path)->contains("smile ? and ?"));
  EXPECT_EQ(store.LastFileReport().unencodable, QStringLiteral("😀𠀋"));
}

TEST_F(OutlineFiles, FailedWriteLeavesTheOldFile) {
  Build({"R"});
  EXPECT_FALSE(store.Save(Path("no/such/folder/doc.qmp")));
  EXPECT_EQ(store.LastFileReport().error, FileReport::Error::CannotWrite);
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.qmp")));
  EXPECT_FALSE(store.Save(Path("taken.qmp")));
}

}  // namespace
}  // namespace qm::test
