// Tests of the text output: the forms in each indentation mode, numbering,
// titles and bodies, HTML lists and their closing, deep outlines, the file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "output/TextOutput.h"
#include "platform/FileIo.h"
#include "support/StoreFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;
using test::P;

class TextOutputTest : public test::StoreFixture {
 protected:
  TextOutputTest() {
    Build({"Root", "Root/A", "Root/A/A1", "Root/B", "Root/B/B1"});
    store.SetBody(1, u"line1\r\nline2"_s);
  }

  QString Out(int first, int end, TextOutputUse use = TextOutputUse::File) {
    return MakeOutputText(store, first, end, options, use);
  }
  QString All(TextOutputUse use = TextOutputUse::File) { return Out(0, store.GetCount(), use); }

  TextOutputOptions options;
};

// ---- Every form in every indentation mode ----

struct FormCase {
  const char* name;
  int form;
  int indent;
  const char16_t* expected;
};

class FormTest : public TextOutputTest, public testing::WithParamInterface<FormCase> {};

TEST_P(FormTest, LaysOutTheWholeOutline) {
  options.format.form = GetParam().form;
  options.format.indent = GetParam().indent;
  EXPECT_EQ(All(TextOutputUse::Clipboard), QString::fromUtf16(GetParam().expected));
}

constexpr int kSpaces = TextFormat::kSpaces;
constexpr int kTabs = TextFormat::kTabs;
constexpr int kNone = TextFormat::kNone;

INSTANTIATE_TEST_SUITE_P(
    Forms, FormTest,
    testing::Values(
        // The body hangs under the title, one blank per heading character.
        FormCase{"ChaptersSpaces", 0, kSpaces,
                 u"Root\r\nⅠ.A\r\n  line1\r\n  line2\r\n  1.A1\r\nⅡ.B\r\n  1.B1\r\n"},
        FormCase{"ChaptersTabs", 0, kTabs,
                 u"Root\r\nⅠ.A\r\n  line1\r\n  line2\r\n\t1.A1\r\nⅡ.B\r\n\t1.B1\r\n"},
        FormCase{"ChaptersNone", 0, kNone,
                 u"Root\r\nⅠ.A\r\nline1\r\nline2\r\n1.A1\r\nⅡ.B\r\n1.B1\r\n"},
        FormCase{"NumbersSpaces", 1, kSpaces,
                 u"Root\r\n1 A\r\n  line1\r\n  line2\r\n  1-1 A1\r\n2 B\r\n  2-1 B1\r\n"},
        FormCase{"NumbersNone", 1, kNone,
                 u"Root\r\n1 A\r\nline1\r\nline2\r\n1-1 A1\r\n2 B\r\n2-1 B1\r\n"},
        FormCase{"IndentSpaces", 2, kSpaces,
                 u"Root\r\nA\r\nline1\r\nline2\r\n  A1\r\nB\r\n  B1\r\n"},
        FormCase{"IndentTabs", 2, kTabs, u"Root\r\nA\r\nline1\r\nline2\r\n\tA1\r\nB\r\n\tB1\r\n"},
        FormCase{"AsItIsTabs", 3, kTabs, u"Root\r\nA\r\nline1\r\nline2\r\nA1\r\nB\r\nB1\r\n"},
        FormCase{"MarkListSpaces", 4, kSpaces,
                 u"<H1>Root</H1>\r\n<UL>\r\n<LI><DL><DT>A\r\n  <DD>line1<BR>\r\n      line2\r\n"
                 u"\r\n  </DL>\r\n<UL>\r\n<LI>A1\r\n    </UL>\r\n<LI>B\r\n<UL>\r\n<LI>B1\r\n"
                 u"    </UL>\r\n  </UL>\r\n"},
        FormCase{"NumberListTabs", 5, kTabs,
                 u"<H1>Root</H1>\r\n<OL>\r\n<LI><DL><DT>A\r\n\t<DD>line1<BR>\r\n\t    line2\r\n"
                 u"\r\n\t</DL>\r\n<OL>\r\n<LI>A1\r\n\t\t</OL>\r\n<LI>B\r\n<OL>\r\n<LI>B1\r\n"
                 u"\t\t</OL>\r\n\t</OL>\r\n"},
        FormCase{"MarkListNone", 4, kNone,
                 u"<H1>Root</H1>\r\n<UL>\r\n<LI><DL><DT>A\r\n<DD>line1<BR>\r\nline2\r\n"
                 u"\r\n</DL>\r\n<UL>\r\n<LI>A1\r\n</UL>\r\n<LI>B\r\n<UL>\r\n<LI>B1\r\n"
                 u"</UL>\r\n</UL>\r\n"}),
    [](const testing::TestParamInfo<FormCase>& param) { return std::string(param.param.name); });

// ---- Chapter numbers (form 1) ----

// A file numbers the branch top 1 and its children 1-1; a copy leaves the
// top unnumbered and numbers its children 1, 2.
TEST_F(TextOutputTest, BranchNumbersStartDifferentlyInAFileAndInACopy) {
  options.format.form = TextFormat::kChapterNumbers;
  Build({"R", "R/A", "R/B", "R/B/X", "R/B/X/1", "R/B/X/2", "R/C"});
  const int x = Index("R/B/X");
  const int end = store.GetBranchEnd(x, true);
  EXPECT_EQ(Out(x, end), u"  1 X\r\n    1-1 1\r\n    1-2 2\r\n"_s);
  EXPECT_EQ(Out(x, end, TextOutputUse::Clipboard), u"  X\r\n    1 1\r\n    2 2\r\n"_s);
}

// The root has no number and never touches the counters.
TEST_F(TextOutputTest, NumbersJoinWithTheChosenSeparatorAndRestartBelowEachNode) {
  options.format.form = TextFormat::kChapterNumbers;
  options.format.indent = kNone;
  options.format.separator = u"."_s;
  Build({"R", "R/A", "R/B", "R/B/1", "R/B/2", "R/B/2/x", "R/B/3", "R/C", "R/C/1"});
  EXPECT_EQ(All(), u"R\r\n1 A\r\n2 B\r\n2.1 1\r\n2.2 2\r\n2.2.1 x\r\n2.3 3\r\n3 C\r\n3.1 1\r\n"_s);
}

// ---- Title lines, bodies, blank lines ----

TEST_F(TextOutputTest, TitlePrefixFollowsCheckAndStrike) {
  options.format.form = TextFormat::kAsItIs;
  options.format.editOut = false;
  Build({"R", "R/plain", "R/checked", "R/struck", "R/both"});
  store.GetNode(2).m_nFlags = kFlagChecked;
  store.GetNode(3).m_nFlags = kFlagStruck;
  store.GetNode(4).m_nFlags = kFlagChecked | kFlagStruck;
  EXPECT_EQ(All(), u"R\r\nplain\r\n○checked\r\n×struck\r\nboth\r\n"_s);
  options.marks = {u"[v]"_s, u"[x]"_s, u"[vx]"_s, u"[ ]"_s};
  EXPECT_EQ(All(), u"[ ]R\r\n[ ]plain\r\n[v]checked\r\n[x]struck\r\n[vx]both\r\n"_s);
}

TEST_F(TextOutputTest, TitleCarriesCategoryAndShownTimeButNoChapterCharacters) {
  options.format.form = TextFormat::kIndentOnly;
  options.format.editOut = false;
  Build({"R", "R/A", "R/B"});
  store.Categories().Entries() = {{u"仕事"_s, {}}, {QString(), {}}};
  store.GetNode(1).SetCategory(1);
  store.GetNode(1).SetUpdateTime(1700000000);
  store.GetNode(2).SetCategory(2);  // an empty name shows nothing
  store.SetShowsChapters(true);
  store.SetTimeDisplay(CTreeStore::kTimeDisplayUpdated);
  EXPECT_EQ(All(), u"R\r\n【仕事】A (2023/11/15 07:13)\r\nB\r\n"_s);
  store.SetTimeDisplay(CTreeStore::kTimeDisplayCreated);  // not set: nothing
  EXPECT_EQ(All(), u"R\r\n【仕事】A\r\nB\r\n"_s);
}

TEST_F(TextOutputTest, BodiesOfLineBreaksOnlyAndTheTitleLineAreLeftOut) {
  options.format.form = TextFormat::kAsItIs;
  Build({"R", "R/A", "R/B"});
  store.SetBody(1, u"\r\n\r\n"_s);
  store.SetBody(2, u"B\r\nmore"_s);
  EXPECT_EQ(All(), u"R\r\nA\r\nB\r\nB\r\nmore\r\n"_s);
  store.Settings().firstLine = 1;
  EXPECT_EQ(All(), u"R\r\nA\r\nB\r\nmore\r\n"_s);
  store.SetBody(2, u"B"_s);  // the first line is all there is
  EXPECT_EQ(All(), u"R\r\nA\r\nB\r\n"_s);
}

// Stored bodies end in a line break; writing another would put a blank line
// after every body, which the text import reads back into the body.
TEST_F(TextOutputTest, BodyEndingInALineBreakGetsNoBlankLineAfterIt) {
  options.format.form = TextFormat::kChapters;
  Build({"R", "R/A", "R/B"});
  store.SetBody(1, u"one\r\ntwo\r\n"_s);
  store.SetBody(2, u"three\r\n\r\n"_s);
  EXPECT_EQ(All(), u"R\r\nⅠ.A\r\n  one\r\n  two\r\nⅡ.B\r\n  three\r\n  \r\n"_s);
}

TEST_F(TextOutputTest, BlankLinesAfterNodesAndAroundTheFirstLevel) {
  options.format.form = TextFormat::kAsItIs;
  Build({"R", "R/A", "R/A/x", "R/A/x/y"});
  for (int i = 0; i < 4; ++i) store.SetBody(i, u"b"_s);
  options.format.space = true;
  EXPECT_EQ(All(), u"R\r\n\r\nb\r\n\r\nA\r\n\r\nb\r\n\r\nx\r\n\r\nb\r\n\r\ny\r\n\r\nb\r\n\r\n"_s);
  options.format.space = false;
  options.format.tSpace = true;
  // Before and after the titles of the root and the first level; after the
  // bodies down to the second level.
  EXPECT_EQ(All(), u"\r\nR\r\n\r\nb\r\n\r\n\r\nA\r\n\r\nb\r\n\r\nx\r\nb\r\n\r\ny\r\nb\r\n"_s);
}

TEST_F(TextOutputTest, LongTitlesAndBodiesWrapInCodePageBytes) {
  options.format.width = 12;
  Build({"R", "R/A", "R/A/長いタイトルの例"});
  store.SetBody(2, u"本文です。とても長い"_s);
  // Level 2: indent 2, heading "1." (2 bytes): room 8 bytes.
  EXPECT_EQ(Out(2, 3),
            u"  1.長いタイ\r\n    トルの例\r\n    本文です。\r\n    とても長\r\n    い\r\n"_s);
}

// ---- Link files ----

class LinkOutputTest : public TextOutputTest {
 protected:
  LinkOutputTest() {
    Build({"R", "R/A", "R/B"});
    QFile file(dir.filePath(u"link.txt"_s));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("first\nsecond \x82\xa0\r\n");  // "second あ"
    file.close();
    store.SetLink(1, u"link.txt"_s);
    store.SetLink(2, u"missing.txt"_s);
    options.linkFolder = dir.path();
    options.format.fileOut = true;
    options.format.form = TextFormat::kAsItIs;
  }
  QTemporaryDir dir;
};

TEST_F(LinkOutputTest, PlainFormsAddTheLinesAfterTheBody) {
  store.SetBody(1, u"body"_s);
  EXPECT_EQ(All(), u"R\r\nA\r\nbody\r\nfirst\r\nsecond あ\r\nB\r\n"_s);
  options.format.fileOut = false;
  EXPECT_EQ(All(), u"R\r\nA\r\nbody\r\nB\r\n"_s);
}

TEST_F(LinkOutputTest, HtmlClosesTheDefinitionListOnceWithBodyAndLink) {
  options.format.form = TextFormat::kHtmlMarkList;
  store.SetBody(1, u"body"_s);
  EXPECT_EQ(All(TextOutputUse::Clipboard),
            u"<H1>R</H1>\r\n<UL>\r\n<LI><DL><DT>A\r\n  <DD>body\r\n\r\n"
            u"<DD>first<BR>second あ<BR>\r\n</DL>\r\n"
            // A link file that cannot be read adds its empty part only.
            u"<LI><DL><DT>B\r\n<DD>\r\n</DL>\r\n  </UL>\r\n"_s);
}

// ---- HTML lists ----

TEST_F(TextOutputTest, HtmlFileHasTheDocumentAroundTheListAndTheCopyHasNot) {
  options.format.form = TextFormat::kHtmlNumberList;
  const QString file = All(TextOutputUse::File);
  const QString copy = All(TextOutputUse::Clipboard);
  EXPECT_EQ(file, u"<HTML>\n<BODY BGCOLOR=\"#FFFFFF\">\n"_s + copy + u"</BODY></HTML>\n"_s);
  EXPECT_TRUE(copy.startsWith(u"<H1>Root</H1>\r\n<OL>\r\n"_s));
}

TEST_F(TextOutputTest, HtmlClosingWalkStopsAtTheFirstAncestorWithANextSibling) {
  options.format.form = TextFormat::kHtmlMarkList;
  options.format.indent = kNone;
  Build({"R", "R/A", "R/A/B", "R/A/B/C", "R/D", "R/D/E", "R/D/E/F", "R/D/G"});
  EXPECT_EQ(All(TextOutputUse::Clipboard),
            u"<H1>R</H1>\r\n<UL>\r\n<LI>A\r\n<UL>\r\n<LI>B\r\n<UL>\r\n<LI>C\r\n"
            u"</UL>\r\n</UL>\r\n"  // C ends B's list and A's; A has a next sibling
            u"<LI>D\r\n<UL>\r\n<LI>E\r\n<UL>\r\n<LI>F\r\n</UL>\r\n"  // E has a next sibling
            u"<LI>G\r\n</UL>\r\n</UL>\r\n"_s);
}

// A branch is a list of its own: the siblings and ancestors outside it
// neither open nor close its lists.
TEST_F(TextOutputTest, HtmlBranchOpensAndClosesEveryListItUses) {
  options.format.form = TextFormat::kHtmlMarkList;
  options.format.indent = kNone;
  Build({"R", "R/A", "R/A/B", "R/A/X", "R/A/X/1", "R/A/X/2", "R/A/Y", "R/Z"});
  const int x = Index("R/A/X");
  EXPECT_EQ(Out(x, store.GetBranchEnd(x, true), TextOutputUse::Clipboard),
            u"<UL>\r\n<LI>X\r\n<UL>\r\n<LI>1\r\n<LI>2\r\n</UL>\r\n</UL>\r\n"_s);
  const int y = Index("R/A/Y");
  EXPECT_EQ(Out(y, y + 1, TextOutputUse::Clipboard), u"<UL>\r\n<LI>Y\r\n</UL>\r\n"_s);
}

// ---- Outlines deeper than the per-level tables ----

class DeepOutlineTest : public TextOutputTest, public testing::WithParamInterface<int> {};

TEST_P(DeepOutlineTest, LevelsBeyondTheTablesAreWrittenWithoutNumbers) {
  store.Clear();
  QString path = u"R"_s;
  store.AddRoot(path);
  for (int level = 1; level <= 230; ++level) {
    path += kPathSeparator + QString::number(level);
    auto node = std::make_unique<CDirData>();
    node->m_strPath = path;
    store.AppendLoaded(std::move(node));
  }
  options.format.form = GetParam();
  options.format.width = 20;
  for (TextOutputUse use : {TextOutputUse::File, TextOutputUse::Clipboard}) {
    const QString out = All(use);
    EXPECT_TRUE(out.contains(u"230"_s)) << GetParam();
    if (GetParam() == TextFormat::kChapterNumbers && use == TextOutputUse::File) {
      QString deepest;
      for (int level = 1; level <= 200; ++level) deepest += u"1-"_s;
      deepest.chop(1);
      EXPECT_TRUE(out.contains(deepest + u" 200\r\n"_s));
      EXPECT_TRUE(out.endsWith(u" 230\r\n"_s));
      EXPECT_FALSE(out.contains(deepest + u"-1"_s));
    }
    if (GetParam() >= TextFormat::kHtmlMarkList) {
      EXPECT_EQ(out.count(u"<UL>"_s) + out.count(u"<OL>"_s),
                out.count(u"</UL>"_s) + out.count(u"</OL>"_s));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, DeepOutlineTest, testing::Range(0, 6));

// ---- The store and the file ----

}  // namespace
}  // namespace qm
