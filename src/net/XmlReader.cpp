// XmlReader: a forgiving reader in two passes. The first pass pairs every
// start tag with its end tag (per name, like brackets), so the second can
// build the tree without searching ahead for end tags again and again.
#include "net/XmlReader.h"

#include <QHash>
#include <algorithm>

#include "platform/CodePage.h"

namespace qm {
namespace {

bool IsXmlSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool IsByteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool EndsName(QChar c) { return IsXmlSpace(c) || c == u'>' || c == u'/'; }

// A start tag from its "<" to its ">".
struct StartTag {
  QString name;          // empty for something that is not a start tag
  qsizetype close = -1;  // position of the ">"
  bool selfClosing = false;
};

// Reads the start tag at "<" (at), within text. No ">": close stays -1.
StartTag ReadStartTag(QStringView text, qsizetype at) {
  StartTag tag;
  tag.close = text.indexOf(u'>', at);
  if (tag.close < 0) return tag;
  qsizetype end = at + 1;
  while (end < tag.close && !EndsName(text[end])) ++end;
  tag.name = text.sliced(at + 1, end - at - 1).toString();
  if (tag.name.startsWith(u'#')) tag.name.clear();  // a name the node kinds use
  tag.selfClosing = text[tag.close - 1] == u'/';
  return tag;
}

QList<std::pair<QString, QString>> ReadAttributes(QStringView tag) {
  QList<std::pair<QString, QString>> attributes;
  qsizetype at = 0;
  while (at < tag.size()) {
    const qsizetype equals = tag.indexOf(u'=', at);
    if (equals < 0) break;
    qsizetype nameStart = equals;
    while (nameStart > at && IsXmlSpace(tag[nameStart - 1])) --nameStart;
    qsizetype nameEnd = nameStart;
    while (nameStart > at && !IsXmlSpace(tag[nameStart - 1])) --nameStart;
    qsizetype valueStart = equals + 1;
    while (valueStart < tag.size() && IsXmlSpace(tag[valueStart])) ++valueStart;
    if (valueStart >= tag.size()) break;
    const QChar quote = tag[valueStart];
    qsizetype valueEnd;
    QStringView value;
    if (quote == u'"' || quote == u'\'') {
      valueEnd = tag.indexOf(quote, valueStart + 1);
      if (valueEnd < 0) valueEnd = tag.size();
      value = tag.sliced(valueStart + 1, valueEnd - valueStart - 1);
      ++valueEnd;
    } else {
      valueEnd = valueStart;
      while (valueEnd < tag.size() && !IsXmlSpace(tag[valueEnd])) ++valueEnd;
      value = tag.sliced(valueStart, valueEnd - valueStart);
    }
    const QStringView name = tag.sliced(nameStart, nameEnd - nameStart);
    if (!name.isEmpty()) attributes.append({name.toString(), DecodeXmlReferences(value)});
    at = valueEnd;
  }
  return attributes;
}

class Builder {
 public:
  explicit Builder(const QString& text) : m_text(text) { PairTags(); }

  void ReadContent(XmlNode& parent, qsizetype from, qsizetype to, int depth) {
    const QStringView region = QStringView(m_text).first(to);
    qsizetype at = from;
    while (at < to) {
      const qsizetype open = region.indexOf(u'<', at);
      if (open < 0 || open > at) {
        const qsizetype end = open < 0 ? to : open;
        AddLeaf(parent, u"#text", DecodeXmlReferences(region.sliced(at, end - at)));
        if (open < 0) return;
      }
      at = open;
      const QStringView rest = region.sliced(at);
      if (rest.startsWith(u"<!--")) {
        const qsizetype end = region.indexOf(u"-->", at + 4);
        if (end < 0) return;
        AddLeaf(parent, u"#comment", region.sliced(at + 4, end - at - 4).toString());
        at = end + 3;
      } else if (rest.startsWith(u"<![CDATA[")) {
        const qsizetype end = region.indexOf(u"]]>", at + 9);
        if (end < 0) return;
        AddLeaf(parent, u"#cdata-section", region.sliced(at + 9, end - at - 9).toString());
        at = end + 3;
      } else if (rest.startsWith(u"</") || rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
        // A stray end tag or a declaration inside content: nothing to keep.
        const qsizetype end = region.indexOf(u'>', at);
        if (end < 0) return;
        at = end + 1;
      } else {
        at = ReadElement(parent, region, at, to, depth);
        if (at < 0) {
          // "<" without ">": the rest is text.
          AddLeaf(parent, u"#text", DecodeXmlReferences(region.sliced(open)));
          return;
        }
      }
    }
  }

 private:
  // Reads the element whose start tag is at at; returns where reading goes
  // on, or -1 when the tag has no ">" before to.
  qsizetype ReadElement(XmlNode& parent, QStringView region, qsizetype at, qsizetype to,
                        int depth) {
    const StartTag tag = ReadStartTag(region, at);
    if (tag.close < 0) return -1;
    if (tag.name.isEmpty()) return tag.close + 1;
    auto element = std::make_unique<XmlNode>();
    element->name = tag.name;
    const qsizetype attributesStart = at + 1 + tag.name.size();
    qsizetype attributesEnd = tag.close - (tag.selfClosing ? 1 : 0);
    if (attributesEnd < attributesStart) attributesEnd = attributesStart;
    element->attributes =
        ReadAttributes(region.sliced(attributesStart, attributesEnd - attributesStart));
    XmlNode& added = *element;
    parent.children.push_back(std::move(element));
    if (tag.selfClosing) return tag.close + 1;
    const qsizetype endTag = m_endTagOf.value(at, -1);
    if (endTag < 0 || endTag >= to) return tag.close + 1;
    if (depth < kMaxXmlDepth) ReadContent(added, tag.close + 1, endTag, depth + 1);
    return endTag + 3 + tag.name.size();  // past "</" name ">"
  }

  static void AddLeaf(XmlNode& parent, QStringView name, const QString& value) {
    auto node = std::make_unique<XmlNode>();
    node->name = name.toString();
    node->value = value;
    parent.children.push_back(std::move(node));
  }

  // Pairs start and end tags of the same name like brackets, skipping
  // comments and CDATA sections exactly as ReadContent does.
  void PairTags() {
    const QStringView text(m_text);
    QHash<QString, QList<qsizetype>> open;
    bool noCommentEnd = false;
    bool noCdataEnd = false;
    qsizetype at = 0;
    while ((at = text.indexOf(u'<', at)) >= 0) {
      const QStringView rest = text.sliced(at);
      qsizetype end;
      // An unclosed comment or CDATA section ends the content it is in, but
      // an end tag after it may still close an element around that content.
      // Once a marker is known to be missing, it is not searched for again.
      if (rest.startsWith(u"<!--")) {
        end = noCommentEnd ? -1 : text.indexOf(u"-->", at + 4);
        noCommentEnd = end < 0;
        at = end < 0 ? at + 1 : end + 3;
      } else if (rest.startsWith(u"<![CDATA[")) {
        end = noCdataEnd ? -1 : text.indexOf(u"]]>", at + 9);
        noCdataEnd = end < 0;
        at = end < 0 ? at + 1 : end + 3;
      } else if (rest.startsWith(u"</")) {
        end = text.indexOf(u'>', at);
        if (end < 0) return;
        const QString name = text.sliced(at + 2, end - at - 2).toString();
        const auto found = open.find(name);
        if (found != open.end() && !found->isEmpty()) m_endTagOf.insert(found->takeLast(), at);
        at = end + 1;
      } else if (rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
        end = text.indexOf(u'>', at);
        if (end < 0) return;
        at = end + 1;
      } else {
        const StartTag tag = ReadStartTag(text, at);
        if (tag.close < 0) return;
        if (!tag.name.isEmpty() && !tag.selfClosing) open[tag.name].append(at);
        at = tag.close + 1;
      }
    }
  }

  const QString& m_text;
  QHash<qsizetype, qsizetype> m_endTagOf;  // start tag's "<" -> its end tag's "<"
};

// The prolog: where the first element may start, and the declared encoding.
qsizetype SkipProlog(QByteArrayView bytes, QString* encoding) {
  qsizetype at = 0;
  while (true) {
    while (at < bytes.size() && IsByteSpace(bytes[at])) ++at;
    const QByteArrayView rest = bytes.sliced(at);
    if (!rest.startsWith("<?") && !rest.startsWith("<!")) return at;
    const qsizetype end = bytes.indexOf('>', at);
    if (end < 0) return bytes.size();
    const QByteArrayView declaration = bytes.sliced(at, end - at);
    if (declaration.startsWith("<?xml") &&
        (declaration.size() == 5 || IsByteSpace(declaration[5]) || declaration[5] == '?')) {
      const QString attributes = QString::fromLatin1(declaration.sliced(5));
      for (const auto& attribute : ReadAttributes(attributes)) {
        if (attribute.first == u"encoding") *encoding = attribute.second;
      }
    }
    at = end + 1;
  }
}

void AppendCodePoint(QString& out, char32_t code) { out.append(QString::fromUcs4(&code, 1)); }

}  // namespace

QString XmlNode::Attribute(QStringView attributeName) const {
  for (const auto& attribute : attributes) {
    if (attribute.first == attributeName) return attribute.second;
  }
  return QString();
}

QString DeclaredXmlEncoding(QByteArrayView bytes) {
  QString encoding;
  SkipProlog(bytes, &encoding);
  return encoding;
}

QByteArray EucJpToShiftJis(QByteArrayView bytes) {
  QByteArray out;
  out.reserve(bytes.size());
  const auto at = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
  qsizetype i = 0;
  while (i < bytes.size()) {
    const unsigned char b = at(i);
    const bool hasNext = i + 1 < bytes.size();
    if (b == 0x8E && hasNext && at(i + 1) >= 0xA1 && at(i + 1) <= 0xDF) {
      out.append(static_cast<char>(at(i + 1)));
      i += 2;
    } else if (b == 0x8F) {
      ++i;  // JIS X 0212 has no Shift_JIS form; its two bytes are read as JIS X 0208
    } else if (b >= 0xA1 && b <= 0xFE && hasNext && at(i + 1) >= 0xA1 && at(i + 1) <= 0xFE) {
      const int row = b - 0x80;  // 0x21-0x7E
      const int cell = at(i + 1) - 0x80;
      const int lead = ((row + 1) >> 1) + (row <= 0x5E ? 0x70 : 0xB0);
      const int trail = cell + ((row & 1) ? (cell >= 0x60 ? 0x20 : 0x1F) : 0x7E);
      out.append(static_cast<char>(lead));
      out.append(static_cast<char>(trail));
      i += 2;
    } else {
      out.append(static_cast<char>(b));
      ++i;
    }
  }
  return out;
}

std::unique_ptr<XmlNode> ReadXml(QByteArrayView bytes) {
  QString encoding;
  qsizetype start = SkipProlog(bytes, &encoding);
  qsizetype end = bytes.size();
  while (end > start && IsByteSpace(bytes[end - 1])) --end;
  const QByteArrayView body = bytes.sliced(start, end - start);

  QString text;
  if (encoding.compare(u"Shift_JIS", Qt::CaseInsensitive) == 0) {
    CodePage codePage;
    text = codePage.Decode(body);
  } else if (encoding.compare(u"EUC-JP", Qt::CaseInsensitive) == 0) {
    CodePage codePage;
    text = codePage.Decode(EucJpToShiftJis(body));
  } else {
    text = QString::fromUtf8(body);
  }

  auto document = std::make_unique<XmlNode>();
  document->name = QStringLiteral("#document");
  Builder builder(text);
  builder.ReadContent(*document, 0, text.size(), 0);
  // Text in front of the first element (a reply with stray bytes) must not
  // take the root's place.
  auto first = std::find_if(document->children.begin(), document->children.end(),
                            [](const auto& node) { return node->IsElement(); });
  if (first != document->children.end() && first != document->children.begin()) {
    std::rotate(document->children.begin(), first, first + 1);
  }
  return document;
}

QString XmlText(const XmlNode& node) {
  if (node.name == u"#text" || node.name == u"#cdata-section") return node.value;
  QString text;
  // Depth-first without recursion: hostile nesting cannot exhaust the stack.
  std::vector<const XmlNode*> pending;
  for (auto child = node.children.rbegin(); child != node.children.rend(); ++child) {
    pending.push_back(child->get());
  }
  while (!pending.empty()) {
    const XmlNode* current = pending.back();
    pending.pop_back();
    if (current->name == u"#text" || current->name == u"#cdata-section") {
      text += current->value;
      continue;
    }
    for (auto child = current->children.rbegin(); child != current->children.rend(); ++child) {
      pending.push_back(child->get());
    }
  }
  return text;
}

std::vector<const XmlNode*> FindXmlElements(const XmlNode& from, QStringView name) {
  std::vector<const XmlNode*> found;
  std::vector<const XmlNode*> pending;
  for (auto child = from.children.rbegin(); child != from.children.rend(); ++child) {
    pending.push_back(child->get());
  }
  while (!pending.empty()) {
    const XmlNode* current = pending.back();
    pending.pop_back();
    if (current->IsElement() && current->name == name) found.push_back(current);
    for (auto child = current->children.rbegin(); child != current->children.rend(); ++child) {
      pending.push_back(child->get());
    }
  }
  return found;
}

QString DecodeXmlReferences(QStringView text) {
  if (!text.contains(u'&')) return text.toString();
  static constexpr std::pair<QStringView, QChar> kEntities[] = {
      {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&amp;", u'&'}, {u"&quot;", u'"'}, {u"&apos;", u'\''}};
  QString out;
  out.reserve(text.size());
  qsizetype at = 0;
  while (at < text.size()) {
    const QChar c = text[at];
    if (c != u'&') {
      out.append(c);
      ++at;
      continue;
    }
    const QStringView rest = text.sliced(at);
    bool replaced = false;
    for (const auto& [entity, character] : kEntities) {
      if (rest.startsWith(entity)) {
        out.append(character);
        at += entity.size();
        replaced = true;
        break;
      }
    }
    if (replaced) continue;
    if (rest.startsWith(u"&#")) {
      const bool hex = rest.size() > 2 && (rest[2] == u'x' || rest[2] == u'X');
      const qsizetype digitsStart = hex ? 3 : 2;
      qsizetype digitsEnd = digitsStart;
      char32_t code = 0;
      bool inRange = true;
      while (digitsEnd < rest.size()) {
        const char16_t d = rest[digitsEnd].unicode();
        int value = -1;
        if (d >= u'0' && d <= u'9')
          value = d - u'0';
        else if (hex && d >= u'a' && d <= u'f')
          value = d - u'a' + 10;
        else if (hex && d >= u'A' && d <= u'F')
          value = d - u'A' + 10;
        if (value < 0) break;
        code = code * (hex ? 16 : 10) + static_cast<char32_t>(value);
        if (code > 0x10FFFF) {
          inRange = false;  // keep reading the digits, but never overflow
          code = 0x110000;
        }
        ++digitsEnd;
      }
      const bool valid = digitsEnd > digitsStart && digitsEnd < rest.size() &&
                         rest[digitsEnd] == u';' && inRange && code != 0 &&
                         !(code >= 0xD800 && code <= 0xDFFF);
      if (valid) {
        AppendCodePoint(out, code);
        at += digitsEnd + 1;
        continue;
      }
    }
    out.append(c);
    ++at;
  }
  return out;
}

}  // namespace qm
