// CTreeStore: the branch text that carries whole branches through the
// clipboard. One record per node, records back to back:
//   relative path, U+0002 link, U+0004 body, U+0005 flags, U+0006 mark,
//   U+0003 identifier [U+0001 update(14) creation(14) stamp(17)], U+0007.
#include <array>
#include <memory>

#include "model/FieldCuts.h"
#include "model/ReadBudget.h"
#include "model/TextLines.h"
#include "model/TreeStore.h"
#include "platform/Clock.h"
#include "platform/Decimal.h"
#include "platform/TreeControl.h"

namespace qm {
namespace {

constexpr char16_t kLinkField = 0x02;
constexpr char16_t kIdField = 0x03;
constexpr char16_t kBodyField = 0x04;
constexpr char16_t kFlagsField = 0x05;
constexpr char16_t kMarkField = 0x06;
constexpr char16_t kRecordEnd = 0x07;

constexpr std::array<char16_t, 5> kRecordFields = {kLinkField, kBodyField, kFlagsField, kMarkField,
                                                   kIdField};

void AppendTimeOrZeros(QString& out, bool set, qint32 time) {
  if (set) {
    AppendTime14(out, time);
  } else {
    out += QStringLiteral("00000000000000");
  }
}

// Indices of the fields in kRecordFields.
enum RecordField : size_t { kLink, kBody, kFlags, kMark, kId };

// A relative path keeps its U+0001 level separators and loses every other
// character that may not stand in a path.
QString CleanRelativePath(QStringView path) {
  QString clean;
  clean.reserve(path.size());
  for (QChar c : path) {
    const char16_t u = c.unicode();
    if ((u >= 0x02 && u <= 0x08) || u == u'\r' || u == u'\n' || u == reading::kEndOfFile) continue;
    clean += c;
  }
  return clean;
}

}  // namespace

void CTreeStore::AppendBranchRecords(QString& out, int first, qsizetype relativeFrom,
                                     bool withTimes) const {
  const CDirData& node = N(first);
  out += QStringView(node.m_strPath).sliced(relativeFrom);
  out += QChar(kLinkField);
  out += node.m_strLink;
  out += QChar(kBodyField);
  out += node.m_strBody;
  out += QChar(kFlagsField);
  out += QString::number(node.m_nFlags);
  out += QChar(kMarkField);
  out += QString::number(node.m_nMark);
  out += QChar(kIdField);
  out += node.GetIdText();
  if (withTimes) {
    out += kPathSeparator;
    AppendTimeOrZeros(out, node.HasUpdateTime(), node.m_tmUpdate);
    AppendTimeOrZeros(out, node.HasCreateTime(), node.m_tmCreate);
    out += node.m_stStamp.IsSet() ? FormatStamp17(node.m_stStamp)
                                  : QStringLiteral("00000000000000000");
  }
  out += QChar(kRecordEnd);
}

QString CTreeStore::GetBranchText(int i, bool withTimes) const {
  QString out;
  const QString& top = N(i).m_strPath;
  const qsizetype relativeFrom = PathPosition(i, GetLevel(i));
  AppendBranchRecords(out, i, relativeFrom, withTimes);
  for (int j = i + 1; j < Count() && IsPathBelow(N(j).m_strPath, top); ++j) {
    AppendBranchRecords(out, j, relativeFrom, withTimes);
  }
  return out;
}

QString CTreeStore::GetChildrenText(int i, bool withTimes) const {
  QString out;
  const QString& top = N(i).m_strPath;
  for (int j = i + 1; j < Count() && IsPathBelow(N(j).m_strPath, top); ++j) {
    AppendBranchRecords(out, j, top.size() + 1, withTimes);
  }
  return out;
}

int CTreeStore::InsertBranchText(int i, const QString& text, bool after) {
  const int parent = i == 0 ? 0 : GetParent(i);
  const int at = i == 0 ? Count() : (after ? GetBranchEnd(i, true) : i);
  // The pane position is taken before the array shifts under i.
  TreeItem position = TreeControl::kLast;
  if (ShowingPane() && i != 0 && N(i).m_hItem != 0) {
    const TreeItem previous = after ? N(i).m_hItem : m_pane->GetPrevSiblingItem(N(i).m_hItem);
    position = previous != 0 ? previous : TreeControl::kFirst;
  }
  return InsertRecords(parent, at, position, text);
}

int CTreeStore::InsertBranchTextBelow(int i, const QString& text) {
  return InsertRecords(i, GetBranchEnd(i, true), TreeControl::kLast, text);
}

int CTreeStore::InsertRecords(int parent, int at, TreeItem position, const QString& text) {
  const QString& parentPath = N(parent).m_strPath;
  const qint32 now = m_clock.Now();
  std::vector<std::unique_ptr<CDirData>> made;
  bool broken = false;
  // Every record's path repeats the parent's: a long parent path and many
  // small records must not build more than the budget allows.
  ReadBudget budget(text.size());
  for (qsizetype pos = 0; pos < text.size();) {
    const qsizetype end = text.indexOf(QChar(kRecordEnd), pos);
    if (end < 0) {
      broken = true;
      break;
    }
    // The record's own text bounds what its path, body and link take.
    if (!budget.Spend(ReadBudget::kNodeUnits + parentPath.size() + 1 + (end - pos))) return -1;
    const FieldCuts record(QStringView(text).sliced(pos, end - pos), kRecordFields);
    pos = end + 1;
    auto node = std::make_unique<CDirData>();
    node->m_strPath = parentPath + kPathSeparator + CleanRelativePath(record.Head());
    if (record.Has(kLink)) node->m_strLink = CDirData::SanitizeLine(record.Field(kLink).toString());
    if (record.Has(kBody)) node->m_strBody = CDirData::SanitizeBody(record.Field(kBody).toString());
    if (record.Has(kFlags)) node->m_nFlags = ReadDecimal(record.Field(kFlags));
    if (record.Has(kMark)) node->m_nMark = ReadDecimal(record.Field(kMark));
    node->m_bExpand = 1;
    node->SetCreateTime(now);
    node->SetUpdateTime(now);
    if (record.Has(kId)) ReadIdAndTimes(*node, record.Field(kId).toString());
    made.push_back(std::move(node));
  }
  if (made.empty()) return -1;

  const int count = static_cast<int>(made.size());
  m_nodes.insert(m_nodes.begin() + at, std::make_move_iterator(made.begin()),
                 std::make_move_iterator(made.end()));
  if (Normalize(at, at + count, GetLevel(parent) + 1, &budget) < 0) {
    m_nodes.erase(m_nodes.begin() + at, m_nodes.begin() + at + count);
    return -1;
  }
  m_lastInsert = -1;

  if (ShowingPane() && N(parent).m_hItem != 0) {
    InsertItems(at, at + count, N(parent).m_hItem, position);
    RefreshImage(parent);
  }
  RefreshChaptersIfShown(parent);
  return broken ? -1 : at;
}

}  // namespace qm
