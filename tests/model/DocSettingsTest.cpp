// Tests of CDocSettings: initial values, reading lines, the written block and body tags.
#include <gtest/gtest.h>

#include <climits>

#include "model/DocSettings.h"
#include "platform/MemorySettingsStore.h"
#include "res/Strings.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

// Feeds a block to ReadLine the way the outline reader does: one line at a time, line end
// removed, key before the first "=".
void ReadBlock(CDocSettings& settings, const QString& text) {
  for (QString line : text.split(u'\n')) {
    if (line.endsWith(u'\r')) line.chop(1);
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) {
      settings.ReadLine(line, QString());
    } else {
      settings.ReadLine(QStringView(line).first(equals), line.mid(equals + 1));
    }
  }
}

QString Written(const CDocSettings& settings) {
  QString out;
  settings.Write(out);
  return out;
}

const QString kDefaultBlock = QStringLiteral(
    "Header=\r\nFooter=\r\nHeaderLine=1\r\nFooterLine=1\r\nAutoTitle=0\r\nFirstLine=0\r\n"
    "FirstCursor=0\r\nTreeView=0\r\n");

TEST(DocSettingsTest, FreshBlockHasInitialValuesAndWritesOnlyTheFixedLines) {
  const CDocSettings settings;
  EXPECT_EQ(settings, CDocSettings(MemorySettingsStore()));
  EXPECT_EQ(settings.htmlOption, (std::array<int, 11>{1, 1, 0, 1, 0, 0, 0, 1, 0, 1, 1}));
  EXPECT_EQ(Written(settings), kDefaultBlock);
}

TEST(DocSettingsTest, ResetTakesStoreValuesAndForgetsTheDocument) {
  MemorySettingsStore store;
  store.WriteString(u"Html"_s, u"IndexFile"_s, u"index.htm"_s);
  store.WriteString(u"Html"_s, u"BeforeImage"_s, u"prev.png"_s);
  store.WriteInt(u"Html"_s, u"Next"_s, 0);
  store.WriteInt(u"Html"_s, u"HtmlWiki"_s, 1);
  store.WriteInt(u"Html"_s, u"XMargin"_s, 4);
  store.WriteInt(u"View"_s, u"Tree"_s, 2);

  CDocSettings settings;
  ReadBlock(settings, u"Author=A\nHtmlDir=out\nTemplateFile00=\"a\",b\nHtmlBody=<BODY>"_s);
  settings.Reset(store);

  EXPECT_EQ(settings.htmlIndexFile, u"index.htm");
  EXPECT_EQ(settings.htmlOptionBefore, u"prev.png");
  EXPECT_EQ(settings.htmlOption[CDocSettings::kNext], 0);
  EXPECT_EQ(settings.htmlOption[CDocSettings::kWiki], 1);
  EXPECT_EQ(settings.htmlXMargin, 4);
  EXPECT_EQ(settings.treeView, 2);
  EXPECT_TRUE(settings.author.isEmpty());
  EXPECT_TRUE(settings.templateFiles.isEmpty());
  EXPECT_FALSE(settings.htmlFilesSet);
  EXPECT_FALSE(settings.htmlBody.set);
}

// Every key, in the order and with the line ends the writer uses.
const QString kFullBlock = QStringLiteral(
    "Header=head\r\nFooter=foot\r\nHeaderLine=0\r\nFooterLine=2\r\nAutoTitle=1\r\n"
    "FirstLine=-3\r\nFirstCursor=42\r\nTreeView=1\r\nNewLinkDir=links\r\n"
    "HtmlDir=out\r\nHtmlIndexFile=i.html\r\nHtmlSelectTree=0\r\nHtmlShoStr=1\r\n"
    "HtmlTreeFile=t.html\r\nHtmlFrameFile=f.html\r\nHtmlWidthStr=200\r\nHtmlXMargin=5\r\n"
    "HtmlOption=01010101010\r\nHtmlOptionBefore=b.png\r\nHtmlOptionNext=n.png\r\n"
    "HtmlHomeStr=Home\r\nHtmlHeadFile=h1\r\nHtmlHeadFile2=h2\r\nHtmlInsFileUp=u1\r\n"
    "HtmlInsFileUp2=u2\r\nHtmlInsFileBottom=d1\r\nHtmlInsFileBottom2=d2\r\n"
    "HtmlReturnName=Top\r\nHtmlReturnStr=back\r\nHtmlReturnUrl=http://x/\r\n"
    "HtmlHeadImage=logo.png\r\nHtmlCss=a.css\r\nHtmlCss2=b.css\r\nHtmlJavaScript=0\r\n"
    "HtmlBody=<BODY BACKGROUND=\"bg.png\" BGPROPERTIES=FIXED BGCOLOR=\"#000000\" "
    "TEXT=\"#111111\" LINK=\"#222222\" VLINK=\"#333333\" ALINK=\"#444444\">\r\n\r\n"
    "HtmlBodyTree=<BODY TEXT=\"#555555\">\r\n\r\n"
    "TemplateAuto=1\r\nTemplateFile00=\"one\",c:\\t\\1.qmp\nTemplateFile01=\"\",two\n"
    "WritePassword=w\r\nSharePassword=s\r\nAuthor=me\r\nAuthorCorp=corp\r\n"
    "DocInfoMemo=memo\r\nAuthorUrl=http://me/\r\nAuthorEmail=me@x\r\nShareSokin=sokin\r\n"
    "RtfFileName=doc.rtf\nNetFileID=abc\nNetOption=10\nPath=/tmp/doc\n");

TEST(DocSettingsTest, EveryKeyReadIsWrittenBackUnchanged) {
  CDocSettings settings;
  ReadBlock(settings, kFullBlock);
  EXPECT_EQ(Written(settings), kFullBlock);

  // Reset must reach every field the block above set.
  settings.Reset(MemorySettingsStore());
  EXPECT_EQ(settings, CDocSettings());
}

TEST(DocSettingsTest, OtherOwnersKeysAreLeftAlone) {
  CDocSettings settings;
  EXPECT_FALSE(settings.ReadLine(u"CategoryName", u"x"_s));
  EXPECT_FALSE(settings.ReadLine(u"ShoStr0", u"x"_s));
  EXPECT_FALSE(settings.ReadLine(u"author", u"x"_s));
  EXPECT_FALSE(settings.ReadLine(u"", QString()));
  EXPECT_EQ(settings, CDocSettings());
}

TEST(DocSettingsTest, HtmlOptionSetsOnlyTheDigitsItHolds) {
  const std::array<int, 11> initial{1, 1, 0, 1, 0, 0, 0, 1, 0, 1, 1};

  CDocSettings absent;
  ReadBlock(absent, u"Author=me"_s);
  EXPECT_EQ(absent.htmlOption, initial);
  EXPECT_FALSE(Written(absent).contains(u"HtmlOption"));

  CDocSettings five;
  five.ReadLine(u"HtmlOption", u"00000"_s);
  EXPECT_EQ(five.htmlOption, initial);

  CDocSettings nine;
  nine.ReadLine(u"HtmlOption", u"000000000"_s);
  EXPECT_EQ(nine.htmlOption, (std::array<int, 11>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}));

  CDocSettings ten;
  ten.ReadLine(u"HtmlOption", u"0000000000"_s);
  EXPECT_EQ(ten.htmlOption, (std::array<int, 11>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_TRUE(Written(ten).contains(u"HtmlOption=00000000001\r\n"));
}

TEST(DocSettingsTest, OddDigitCharactersKeepTheirPlaces) {
  CDocSettings settings;
  ReadBlock(settings, u"HtmlOption=1a101x0111 \nNetFileID=id\nNetOption=2?"_s);
  EXPECT_EQ(settings.htmlOption[1], 'a' - '0');
  const QString out = Written(settings);
  EXPECT_TRUE(out.contains(u"HtmlOption=1a101x0111 \r\n"));
  EXPECT_TRUE(out.contains(u"NetOption=2?\n"));
}

TEST(DocSettingsTest, AnyKeyOfAnHtmlGroupKeepsItsGroupOnSave) {
  CDocSettings files;
  files.ReadLine(u"HtmlIndexFile", u"i.html"_s);
  EXPECT_EQ(Written(files), kDefaultBlock +
                                u"HtmlDir=\r\nHtmlIndexFile=i.html\r\nHtmlSelectTree=1\r\n"
                                u"HtmlShoStr=0\r\n"_s);

  // The frame group also brings the file group, as HtmlTreeFile always did.
  CDocSettings frames;
  frames.ReadLine(u"HtmlXMargin", u"3"_s);
  EXPECT_TRUE(Written(frames).contains(
      u"HtmlShoStr=0\r\nHtmlTreeFile=menu.html\r\nHtmlFrameFile=frame.html\r\n"
      u"HtmlWidthStr=30%\r\nHtmlXMargin=3\r\n"_s));

  CDocSettings option;
  option.ReadLine(u"HtmlCss", u"a.css"_s);
  const QString expected = kDefaultBlock + u"HtmlOption=11010001011\r\nHtmlHomeStr="_s +
                           res::kDefaultHtmlHomeStr.toString() + u"\r\nHtmlReturnStr="_s +
                           res::kDefaultHtmlReturnStr.toString() +
                           u"\r\nHtmlCss=a.css\r\nHtmlJavaScript=1\r\n"_s;
  EXPECT_EQ(Written(option), expected);
}

TEST(DocSettingsTest, NumbersReadLikeTheCLibraryAndNeverOverflow) {
  // clang-format off
  const std::pair<QString, int> cases[] = {
      {u"-5"_s, -5}, {u"+7"_s, 7}, {u" 12px"_s, 12}, {u"px"_s, 0}, {QString(), 0},
      {u"99999999999"_s, INT_MAX}, {u"-2147483648"_s, INT_MIN}, {u"-99999999999"_s, INT_MIN}};
  // clang-format on
  for (const auto& [text, expected] : cases) {
    CDocSettings settings;
    settings.ReadLine(u"FirstLine", text);
    EXPECT_EQ(settings.firstLine, expected) << text.toStdString();
  }
}

TEST(DocSettingsTest, TemplateFileNeedsAQuoteAndComma) {
  CDocSettings settings;
  ReadBlock(settings,
            u"TemplateFile00=\"a\",b\nTemplateFile01=ab\nTemplateFile02=\",\n"
            u"TemplateFile03=\",x\nTemplateFile04=name\",second"_s);
  const QList<QPair<QString, QString>> expected{
      {u"a"_s, u"b"_s}, {QString(), u"x"_s}, {u"name"_s, u"second"_s}};
  EXPECT_EQ(settings.templateFiles, expected);
}

TEST(DocSettingsTest, BodyTagWrittenWithOnlyTheAttributesSet) {
  HtmlBodyAttributes body;
  EXPECT_EQ(body.ToTag(), u"<BODY BGCOLOR=\"#FFFFFF\">\r\n");
  body.backgroundColor.clear();
  EXPECT_EQ(body.ToTag(), u"<BODY>\r\n");
}

TEST(DocSettingsTest, BodyTagReadLeniently) {
  HtmlBodyAttributes body;
  body.FromTag(u"<body vlink=#123456 link='#ABCDEF' bgproperties=\"fixed\" text = \"#010101\">");
  EXPECT_TRUE(body.set);
  EXPECT_EQ(body.visitedColor, u"123456");
  EXPECT_EQ(body.linkColor, u"ABCDEF");
  EXPECT_EQ(body.textColor, u"010101");
  EXPECT_TRUE(body.fixedBackground);
  // A tag without BGCOLOR means no background colour, not the initial white.
  EXPECT_TRUE(body.backgroundColor.isEmpty());

  // clang-format off
  const QStringView broken[] = {u"", u"<", u"<BODY", u"<BODY BGCOLOR=", u"<BODY BGCOLOR=\"#12",
                                u"<BODY = = \"", u"BGCOLOR=#1 ALINK"};
  // clang-format on
  for (QStringView tag : broken) {
    HtmlBodyAttributes parsed;
    parsed.FromTag(tag);
    EXPECT_TRUE(parsed.set);
  }
  body.FromTag(u"<BODY BGCOLOR=\"#12");
  EXPECT_EQ(body.backgroundColor, u"12");
}

}  // namespace
}  // namespace qm
