// Search: what is searched for (the word and where to look), finding the
// word in a text with the case rule, and the node searches over an outline.
//
// Matching is a plain substring test. Without case sensitivity both sides
// are compared letter by letter after case folding, so "ABC" finds "abc"
// and a full-width "Ａ" finds "ａ". An empty word is never found: searching
// for nothing would stop on every node and never move on.
//
// A node is searched in its title (the last component of its path, without
// the titles of its ancestors), its link file name and its body, as the
// query asks. The searches neither copy nor allocate per node, so a search
// of a large outline costs one pass over its texts. The store is only read.
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace qm {

class CTreeStore;

struct SearchQuery {
  QString word;
  bool caseSensitive = false;
  bool inTitles = true;
  bool inBodies = true;
  bool inLinks = false;
};

// Where a node search stopped: the node, and whether the word was found in
// its body (rather than its title or link).
struct NodeMatch {
  int index = -1;  // -1: no node matches
  bool inBody = false;
};

// The position of the first occurrence of word in text at or after from,
// or -1.
qsizetype FindWord(QStringView text, QStringView word, bool caseSensitive, qsizetype from = 0);
// The position of the last occurrence that lies wholly before end, or -1.
// REQUIRES: 0 <= end <= text.size().
qsizetype FindWordBefore(QStringView text, QStringView word, bool caseSensitive, qsizetype end);

// The title a search looks at: path after its last U+0001, cut before a U+0002.
QStringView SearchedTitle(const QString& path);

// Tests nodes start, start + 1, ... to the last. The title and then the
// link are tested only when includeStart is set or the node is past start;
// the body of every node, start included, is tested after them. A start
// beyond the last node finds nothing.
NodeMatch SearchForward(const CTreeStore& store, const SearchQuery& query, int start,
                        bool includeStart);
// Tests nodes start, start - 1, ... down to 0: the body first, then the
// title, then the link. A negative start finds nothing.
// REQUIRES: start < store.GetCount().
NodeMatch SearchBackward(const CTreeStore& store, const SearchQuery& query, int start);
// Every node that matches anywhere the query looks, in outline order.
std::vector<int> CollectMatches(const CTreeStore& store, const SearchQuery& query);

}  // namespace qm
