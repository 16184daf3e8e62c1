// Node links: writing and reading the link form of a node's path.
#include "editing/NodeLink.h"

#include <QList>

#include "model/DirData.h"

namespace qm {
namespace {

constexpr QStringView kFileUrl = u"file:///";
constexpr QStringView kSameOutline = u"./";
constexpr QStringView kOutlineMarker = u".qmp/";

QString EscapeTitle(QStringView title) {
  QString out;
  out.reserve(title.size());
  for (const QChar c : title) {
    if (c == u'%') {
      out += QStringLiteral("%25");
    } else if (c == u'/') {
      out += QStringLiteral("%2F");
    } else {
      out += c;
    }
  }
  return out;
}

QString UnescapeTitle(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'%' && i + 2 < text.size()) {
      const QStringView code = text.sliced(i + 1, 2);
      if (code.compare(u"2F", Qt::CaseInsensitive) == 0) {
        out += u'/';
        i += 2;
        continue;
      }
      if (code == u"25") {
        out += u'%';
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace

QString NodePathOf(QStringView storePath) {
  QString out;
  bool first = true;
  for (const QStringView title : storePath.split(kPathSeparator)) {
    if (!first) out += u'/';
    out += EscapeTitle(title);
    first = false;
  }
  return out;
}

QString StorePathOf(QStringView nodePath) {
  QString out;
  bool first = true;
  for (const QStringView segment : nodePath.split(u'/')) {
    if (!first) out += kPathSeparator;
    out += UnescapeTitle(segment);
    first = false;
  }
  return out;
}

QString MakeNodeLink(QStringView storePath) {
  return kFileUrl.toString().append(kSameOutline).append(NodePathOf(storePath));
}

std::vector<NodeLinkSplit> NodeLinkSplits(QStringView name) {
  if (!name.startsWith(kFileUrl, Qt::CaseInsensitive)) return {};
  const QStringView rest = name.sliced(kFileUrl.size());
  if (rest.startsWith(kSameOutline)) {
    return {NodeLinkSplit{QStringLiteral("."), rest.sliced(kSameOutline.size()).toString()}};
  }
  std::vector<NodeLinkSplit> splits;
  for (qsizetype at = rest.indexOf(kOutlineMarker, 0, Qt::CaseInsensitive); at >= 0;
       at = rest.indexOf(kOutlineMarker, at + 1, Qt::CaseInsensitive)) {
    const qsizetype slash = at + kOutlineMarker.size() - 1;
    splits.push_back(
        NodeLinkSplit{rest.first(slash).toString(), rest.sliced(slash + 1).toString()});
  }
  return splits;
}

bool HasUrlScheme(QStringView name) {
  const qsizetype colon = name.indexOf(u':');
  // One letter before the colon is a drive, not a scheme.
  if (colon < 2 || !name[0].isLetter() || name[0].unicode() > 0x7F) return false;
  for (const QChar c : name.first(colon)) {
    const bool allowed =
        (c.unicode() < 0x80 && c.isLetterOrNumber()) || c == u'+' || c == u'-' || c == u'.';
    if (!allowed) return false;
  }
  return true;
}

}  // namespace qm
