// Node links: link names that point at a node of an outline instead of a
// file to launch.
//
// Form: "file:///" + location + "/" + node path. The location is "." for
// the outline the link is stored in, or the path of an outline file ending
// in ".qmp" (absolute, or relative to the folder of the outline that holds
// the link). The node path names the node from the top node down: each
// node's title, joined by "/". A title holding "/" or "%" has them written
// as "%2F" and "%25", so every title survives the round trip; other "%"
// sequences in hand-written links are read as they stand. The node path
// matches the first node with exactly that path (siblings with the same
// title cannot be told apart).
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace qm {

// The link to the node whose store path (titles joined by U+0001) is
// storePath, in the outline itself: "file:///./" + node path.
QString MakeNodeLink(QStringView storePath);

// The node path of a store path, and back.
QString NodePathOf(QStringView storePath);
QString StorePathOf(QStringView nodePath);

// One way of reading a link name as a node link.
struct NodeLinkSplit {
  QString location;  // "." or the outline file's path as written
  QString nodePath;  // may be empty: the outline as a whole
};

// Every way name reads as a node link, to be tried in order: for a name
// beginning with "file:///./" the one with location "."; for any other name
// beginning with "file:///", one per ".qmp/" in it (the location ends at
// each in turn), since only the file system tells which names an outline.
// Empty when the name cannot be a node link. "file:" and ".qmp" match in
// any case.
std::vector<NodeLinkSplit> NodeLinkSplits(QStringView name);

// True when name begins with a URL scheme ("http:", "mailto:", "file:"); a
// drive letter ("C:") does not count.
bool HasUrlScheme(QStringView name);

}  // namespace qm
