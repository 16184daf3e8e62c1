// WriteOutlineJson: nodes, categories and styles, keys in sorted order.
#include "cli/OutlineJson.h"

#include "cli/JsonWriter.h"
#include "model/TreeStore.h"

namespace qm {
namespace {

void TimeOrNull(JsonWriter& writer, bool set, qint32 time) {
  if (set) {
    writer.String(FormatTime14(time));
  } else {
    writer.Null();
  }
}

// The path's components, empty ones included, as splitting it would give.
void PathArray(JsonWriter& writer, QStringView path) {
  writer.BeginArray();
  qsizetype start = 0;
  for (;;) {
    const qsizetype end = path.indexOf(kPathSeparator, start);
    writer.String(path.sliced(start, (end < 0 ? path.size() : end) - start));
    if (end < 0) break;
    start = end + 1;
  }
  writer.EndArray();
}

void StringArray(JsonWriter& writer, const QStringList& texts) {
  writer.BeginArray();
  for (const QString& text : texts) writer.String(text);
  writer.EndArray();
}

void Node(JsonWriter& writer, const CDirData& node) {
  writer.BeginObject();
  writer.Key(u"body");
  writer.String(node.m_strBody);
  writer.Key(u"chapter");
  writer.String(node.m_strChapter);
  writer.Key(u"created");
  TimeOrNull(writer, node.HasCreateTime(), node.m_tmCreate);
  writer.Key(u"expanded");
  writer.Integer(node.m_bExpand);
  writer.Key(u"flags");
  writer.Integer(node.m_nFlags);
  writer.Key(u"id");
  writer.String(node.GetIdText());
  writer.Key(u"level");
  writer.Integer(node.GetLevel());
  writer.Key(u"line");
  writer.Integer(node.m_nLine);
  writer.Key(u"link");
  writer.String(node.m_strLink);
  writer.Key(u"mark");
  writer.Integer(node.m_nMark);
  writer.Key(u"path");
  PathArray(writer, node.m_strPath);
  writer.Key(u"stamp");
  if (node.m_stStamp.IsSet()) {
    writer.String(FormatStamp17(node.m_stStamp));
  } else {
    writer.Null();
  }
  writer.Key(u"title");
  writer.String(node.GetTitle());
  writer.Key(u"updated");
  TimeOrNull(writer, node.HasUpdateTime(), node.m_tmUpdate);
  writer.EndObject();
}

void Styles(JsonWriter& writer, const CChapterStyles& styles) {
  writer.BeginObject();
  writer.Key(u"count");
  writer.Integer(styles.Count());
  writer.Key(u"levels");
  writer.BeginArray();
  for (int i = 0; i < styles.Count(); ++i) {
    const ChapterLevelStyle& style = styles.Style(i);
    writer.BeginObject();
    writer.Key(u"custom");
    StringArray(writer, style.custom);
    writer.Key(u"kind");
    writer.Integer(style.kind);
    writer.Key(u"prefix");
    writer.String(style.prefix);
    writer.Key(u"suffix");
    writer.String(style.suffix);
    writer.EndObject();
  }
  writer.EndArray();
  writer.EndObject();
}

}  // namespace

bool WriteOutlineJson(CTreeStore& store, JsonWriter& writer) {
  store.RecountChapters();
  writer.BeginObject();
  writer.Key(u"categories");
  writer.BeginArray();
  for (const Category& category : store.Categories().Entries()) {
    writer.BeginObject();
    writer.Key(u"memo");
    writer.String(category.memo);
    writer.Key(u"name");
    writer.String(category.name);
    writer.EndObject();
  }
  writer.EndArray();
  writer.Key(u"nodes");
  writer.BeginArray();
  for (int i = 0; i < store.GetCount() && writer.Ok(); ++i) Node(writer, store.GetNode(i));
  writer.EndArray();
  writer.Key(u"styles");
  Styles(writer, store.Styles());
  writer.EndObject();
  return writer.Ok();
}

}  // namespace qm
