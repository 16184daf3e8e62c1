// ReferenceDump: the outline as a QJsonDocument, written compact.
#include "ReferenceOutlineJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "model/TreeStore.h"

namespace qm::test {
namespace {

QJsonValue TimeOrNull(bool set, qint32 time) {
  return set ? QJsonValue(FormatTime14(time)) : QJsonValue(QJsonValue::Null);
}

QJsonObject NodeToJson(const CDirData& node) {
  QJsonObject json;
  json.insert(QStringLiteral("level"), node.GetLevel());
  json.insert(QStringLiteral("title"), node.GetTitle());
  json.insert(QStringLiteral("path"),
              QJsonArray::fromStringList(node.m_strPath.split(kPathSeparator)));
  json.insert(QStringLiteral("body"), node.m_strBody);
  json.insert(QStringLiteral("link"), node.m_strLink);
  json.insert(QStringLiteral("flags"), node.m_nFlags);
  json.insert(QStringLiteral("expanded"), node.m_bExpand);
  json.insert(QStringLiteral("mark"), node.m_nMark);
  json.insert(QStringLiteral("line"), node.m_nLine);
  json.insert(QStringLiteral("id"), node.GetIdText());
  json.insert(QStringLiteral("updated"), TimeOrNull(node.HasUpdateTime(), node.m_tmUpdate));
  json.insert(QStringLiteral("created"), TimeOrNull(node.HasCreateTime(), node.m_tmCreate));
  json.insert(QStringLiteral("stamp"), node.m_stStamp.IsSet()
                                           ? QJsonValue(FormatStamp17(node.m_stStamp))
                                           : QJsonValue(QJsonValue::Null));
  json.insert(QStringLiteral("chapter"), node.m_strChapter);
  return json;
}

QJsonObject StylesToJson(const CChapterStyles& styles) {
  QJsonArray levels;
  for (int i = 0; i < styles.Count(); ++i) {
    const ChapterLevelStyle& style = styles.Style(i);
    levels.append(
        QJsonObject{{QStringLiteral("prefix"), style.prefix},
                    {QStringLiteral("kind"), style.kind},
                    {QStringLiteral("suffix"), style.suffix},
                    {QStringLiteral("custom"), QJsonArray::fromStringList(style.custom)}});
  }
  return QJsonObject{{QStringLiteral("count"), styles.Count()}, {QStringLiteral("levels"), levels}};
}

}  // namespace

QByteArray ReferenceDump(CTreeStore& store) {
  store.RecountChapters();
  QJsonArray nodes;
  for (int i = 0; i < store.GetCount(); ++i) nodes.append(NodeToJson(store.GetNode(i)));
  QJsonArray categories;
  for (const Category& category : store.Categories().Entries()) {
    categories.append(QJsonObject{{QStringLiteral("name"), category.name},
                                  {QStringLiteral("memo"), category.memo}});
  }
  const QJsonObject outline{{QStringLiteral("nodes"), nodes},
                            {QStringLiteral("categories"), categories},
                            {QStringLiteral("styles"), StylesToJson(store.Styles())}};
  return QJsonDocument(outline).toJson(QJsonDocument::Compact);
}

}  // namespace qm::test
