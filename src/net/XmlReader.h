// XmlReader: the small XML reading the web service's account replies need.
//
// It reads what it can and never fails: a reply that is not well-formed
// yields the elements that could be read. Elements match their end tags by
// name only ("<a>" closes at the next "</a>" not taken by a nested "<a>"),
// so an end tag of another name does not close an element; a start tag
// ending in "/" or without a matching end tag makes an element without
// content. Text nodes decode the five predefined entities and numeric
// character references; CDATA sections are kept as they stand. Elements
// nest at most kMaxDepth deep: deeper ones are kept without content.
// Running time is linear in the input apart from that nesting bound.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <memory>
#include <utility>
#include <vector>

namespace qm {

struct XmlNode {
  // A tag name for elements, exact case; "#text", "#comment" or
  // "#cdata-section" for the others; "#document" for the document.
  QString name;
  QString value;  // the text of a text, comment or CDATA node
  QList<std::pair<QString, QString>> attributes;
  std::vector<std::unique_ptr<XmlNode>> children;

  bool IsElement() const { return !name.startsWith(u'#'); }
  // The root element: the document's first child, or null when it has none.
  const XmlNode* FirstChild() const { return children.empty() ? nullptr : children[0].get(); }
  // The value of the first attribute named name, or an empty text.
  QString Attribute(QStringView attributeName) const;
};

inline constexpr int kMaxXmlDepth = 256;

// The encoding a byte string declares: the "encoding" attribute of the last
// "<?xml ...?>" declaration in front of the first element; empty without one.
QString DeclaredXmlEncoding(QByteArrayView bytes);

// Reads bytes into a document node whose first child is the root element.
// Declarations ("<?...>", "<!...>") in front of the first element are
// skipped; the declared encoding chooses the decoding, compared without
// regard to case: "Shift_JIS" the code page, "EUC-JP" converted to Shift_JIS
// first, anything else (or nothing) UTF-8.
std::unique_ptr<XmlNode> ReadXml(QByteArrayView bytes);

// The EUC-JP to Shift_JIS conversion the reader uses: two-byte characters by
// the JIS mapping, 0x8E + a katakana code to that one byte, 0x8F dropped, a
// lead byte without a partner copied alone.
QByteArray EucJpToShiftJis(QByteArrayView bytes);

// The text of node: its own value for a text or CDATA node, else the values
// of all its descendant text and CDATA nodes joined in document order.
QString XmlText(const XmlNode& node);

// Every element below from (not from itself) named name, depth-first in
// document order, an element before its descendants.
std::vector<const XmlNode*> FindXmlElements(const XmlNode& from, QStringView name);

// Text with "&lt;", "&gt;", "&amp;", "&quot;", "&apos;" and "&#N;"/"&#xH;"
// replaced by their characters; any other "&" stays as it is, and so does a
// reference to no character (0, a surrogate, beyond U+10FFFF).
QString DecodeXmlReferences(QStringView text);

}  // namespace qm
