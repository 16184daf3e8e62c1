// The XML reading of the account endpoint's replies: structure, decoding and
// what it makes of replies that are not well-formed.
#include <gtest/gtest.h>

#include "net/XmlReader.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

QStringList TextsOf(const XmlNode& from, QStringView name) {
  QStringList texts;
  for (const XmlNode* element : FindXmlElements(from, name)) texts << XmlText(*element);
  return texts;
}

const XmlNode& Root(const std::unique_ptr<XmlNode>& document) {
  static const XmlNode kNone;
  return document->FirstChild() ? *document->FirstChild() : kNone;
}

TEST(XmlReaderTest, NestedElementsOfTheSameNameCloseInPairsAndAreFoundInDocumentOrder) {
  const auto document = ReadXml("<r><a>1<a>2</a>3</a><b><a>4</a></b></r>");
  const XmlNode& root = Root(document);
  EXPECT_EQ(root.name, u"r");
  EXPECT_EQ(TextsOf(root, u"a"), (QStringList{u"123"_s, u"2"_s, u"4"_s}));
  EXPECT_EQ(XmlText(root), u"1234");
  // Only descendants: the root itself is not among them.
  EXPECT_TRUE(FindXmlElements(root, u"r").empty());
  EXPECT_TRUE(FindXmlElements(root, u"A").empty());  // names keep their case
}

TEST(XmlReaderTest, CommentsAndCdataAreKeptApartFromTheText) {
  const auto document =
      ReadXml("<r><!-- <t>not an element</t> --><t>a<![CDATA[<b>&amp;</b>]]>z</t></r>");
  const XmlNode& root = Root(document);
  EXPECT_EQ(TextsOf(root, u"t"), QStringList{u"a<b>&amp;</b>z"_s});
  ASSERT_EQ(root.children.size(), 2u);
  EXPECT_EQ(root.children[0]->name, u"#comment");
  EXPECT_EQ(root.children[0]->value, u" <t>not an element</t> ");
  EXPECT_EQ(root.children[1]->children[1]->name, u"#cdata-section");
}

TEST(XmlReaderTest, ElementsWithoutEndTagsHaveNoContent) {
  const auto document = ReadXml("<r><a x=\"1\">x<b>y</b><c/><d>open</r>");
  const XmlNode& root = Root(document);
  const auto a = FindXmlElements(root, u"a");
  ASSERT_EQ(a.size(), 1u);
  EXPECT_TRUE(a[0]->children.empty());
  EXPECT_EQ(a[0]->Attribute(u"x"), u"1");
  EXPECT_EQ(TextsOf(root, u"b"), QStringList{u"y"_s});
  EXPECT_EQ(FindXmlElements(root, u"c").size(), 1u);
  EXPECT_EQ(XmlText(root), u"xyopen");
  // An end tag of another name closes nothing; a CDATA section without its
  // end stops the content there.
  const auto stray = ReadXml("<r></x><e>1</e><![CDATA[never closed <e>2</e></r>");
  EXPECT_EQ(TextsOf(Root(stray), u"e"), QStringList{u"1"_s});
}

TEST(XmlReaderTest, ReferencesInTextAreDecoded) {
  const auto document = ReadXml(
      "<r><title>a &lt;b&gt; &amp; &quot;c&quot; &apos;d&apos; &#65;&#x3042;&#X3044;</title>"
      "<keep>&unknown; &#0; &#xD800; &#1114112; &#65 &</keep></r>");
  const XmlNode& root = Root(document);
  EXPECT_EQ(TextsOf(root, u"title"), QStringList{u"a <b> & \"c\" 'd' Aあい"_s});
  EXPECT_EQ(TextsOf(root, u"keep"), QStringList{u"&unknown; &#0; &#xD800; &#1114112; &#65 &"_s});
}

TEST(XmlReaderTest, TheDeclaredEncodingChoosesTheDecoding) {
  // No declaration: UTF-8.
  EXPECT_EQ(XmlText(Root(ReadXml("<r>\xe3\x81\x82</r>"))), u"あ");
  EXPECT_EQ(XmlText(Root(ReadXml("<?xml version=\"1.0\" encoding=\"shift_jis\"?>\r\n"
                                 "<r>\x82\xa0</r>"))),
            u"あ");
  // EUC-JP: a kanji, hiragana and a half-width katakana (0x8E prefix).
  EXPECT_EQ(XmlText(Root(ReadXml("<?xml version='1.0' encoding='EUC-JP'?>"
                                 "<r>\xb4\xc1\xa4\xa2\x8e\xb1</r>"))),
            u"漢あｱ");
  // The last declaration wins.
  EXPECT_EQ(XmlText(Root(ReadXml("<?xml encoding=\"Shift_JIS\"?><?xml encoding=\"UTF-8\"?>"
                                 "<!DOCTYPE r><r>\xe3\x81\x82</r>"))),
            u"あ");
  EXPECT_EQ(DeclaredXmlEncoding("  <?xml version=\"1.0\" encoding=\"EUC-JP\" ?><r/>"), u"EUC-JP");
  EXPECT_EQ(EucJpToShiftJis("A\xa4\xa2\x8f\xb0\xa1\xff"), "A\x82\xa0\x88\x9f\xff");
}

TEST(XmlReaderTest, HostileInputIsReadInBoundedDepthAndTime) {
  QByteArray deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  deep += "x";
  for (int i = 0; i < 100000; ++i) deep += "</a>";
  const auto document = ReadXml(deep);
  int depth = 0;
  for (const XmlNode* node = document->FirstChild(); node != nullptr;
       node = node->children.empty() ? nullptr : node->children[0].get()) {
    ++depth;
  }
  EXPECT_LE(depth, kMaxXmlDepth + 1);

  // Many start tags of one name with a single end tag: linear, not quadratic.
  QByteArray open;
  for (int i = 0; i < 100000; ++i) open += "<a>";
  open += "</a>";
  EXPECT_EQ(FindXmlElements(*ReadXml(open), u"a").size(), 100000u);

  EXPECT_EQ(ReadXml("")->FirstChild(), nullptr);
  EXPECT_EQ(ReadXml("<")->FirstChild()->name, u"#text");
  EXPECT_EQ(ReadXml("   text only  ")->FirstChild()->value, u"text only");
}

}  // namespace
}  // namespace qm
