// Search: word matching with the case rule and the node searches.
#include "editing/Search.h"

#include "model/DirData.h"
#include "model/TreeStore.h"

namespace qm {
namespace {

Qt::CaseSensitivity CaseRule(bool caseSensitive) {
  return caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

bool Contains(QStringView text, const SearchQuery& query) {
  return FindWord(text, query.word, query.caseSensitive) >= 0;
}

bool TitleOrLinkMatches(const CDirData& node, const SearchQuery& query) {
  return (query.inTitles && Contains(SearchedTitle(node.m_strPath), query)) ||
         (query.inLinks && Contains(node.m_strLink, query));
}

bool BodyMatches(const CDirData& node, const SearchQuery& query) {
  return query.inBodies && Contains(node.m_strBody, query);
}

}  // namespace

qsizetype FindWord(QStringView text, QStringView word, bool caseSensitive, qsizetype from) {
  if (word.isEmpty() || from < 0 || text.size() - from < word.size()) return -1;
  return text.indexOf(word, from, CaseRule(caseSensitive));
}

qsizetype FindWordBefore(QStringView text, QStringView word, bool caseSensitive, qsizetype end) {
  if (word.isEmpty() || end < word.size()) return -1;
  return text.first(end).lastIndexOf(word, CaseRule(caseSensitive));
}

QStringView SearchedTitle(const QString& path) {
  const QStringView view(path);
  const qsizetype start = view.lastIndexOf(kPathSeparator) + 1;
  const QStringView title = view.sliced(start);
  const qsizetype end = title.indexOf(u'\u0002');
  return end < 0 ? title : title.first(end);
}

NodeMatch SearchForward(const CTreeStore& store, const SearchQuery& query, int start,
                        bool includeStart) {
  if (query.word.isEmpty()) return {};
  const int count = store.GetCount();
  for (int i = start < 0 ? 0 : start; i < count; ++i) {
    const CDirData& node = store.GetNode(i);
    if ((includeStart || i > start) && TitleOrLinkMatches(node, query)) return {i, false};
    if (BodyMatches(node, query)) return {i, true};
  }
  return {};
}

NodeMatch SearchBackward(const CTreeStore& store, const SearchQuery& query, int start) {
  if (query.word.isEmpty()) return {};
  for (int i = start; i >= 0; --i) {
    const CDirData& node = store.GetNode(i);
    if (BodyMatches(node, query)) return {i, true};
    if (TitleOrLinkMatches(node, query)) return {i, false};
  }
  return {};
}

std::vector<int> CollectMatches(const CTreeStore& store, const SearchQuery& query) {
  std::vector<int> matches;
  if (query.word.isEmpty()) return matches;
  for (int i = 0; i < store.GetCount(); ++i) {
    const CDirData& node = store.GetNode(i);
    if (TitleOrLinkMatches(node, query) || BodyMatches(node, query)) matches.push_back(i);
  }
  return matches;
}

}  // namespace qm
