// Outline file reader and writer.
#include "model/OutlineFile.h"

#include <array>
#include <memory>

#include "model/FieldCuts.h"
#include "model/TreeStore.h"
#include "platform/Decimal.h"

namespace qm {
namespace {

constexpr char16_t kLinkMark = 0x02;
constexpr char16_t kTimesMark = 0x04;  // also opens and closes a body block
constexpr char16_t kFlagsMark = 0x05;
constexpr char16_t kExpandMark = 0x06;
constexpr char16_t kMarkMark = 0x07;
constexpr char16_t kIdMark = 0x08;  // also opens and closes the settings section
constexpr char16_t kEndOfFile = 0x1A;

// The fields of a node line, in the order the line is cut.
constexpr std::array<char16_t, 6> kNodeFields = {kLinkMark, kFlagsMark, kExpandMark,
                                                 kMarkMark, kIdMark,    kTimesMark};

// Indices of the fields in kNodeFields.
enum NodeField : size_t { kLink, kFlags, kExpand, kMark, kId, kTimes };

std::unique_ptr<CDirData> ParseNodeLine(QStringView line, int lineNumber) {
  const FieldCuts fields(line, kNodeFields);
  auto node = std::make_unique<CDirData>();
  node->m_strPath = fields.Head().toString();
  node->m_nLine = lineNumber;
  // A link runs to the next field; when marks repeat out of order it may
  // hold later ones, which must not be written back into the line.
  if (fields.Has(kLink)) {
    node->m_strLink = CDirData::SanitizeLine(fields.Field(kLink).toString());
  }
  if (fields.Has(kFlags)) node->m_nFlags = ReadDecimal(fields.Field(kFlags));
  node->m_bExpand = fields.Has(kExpand) ? ReadDecimal(fields.Field(kExpand)) : 1;
  if (fields.Has(kMark)) node->m_nMark = ReadDecimal(fields.Field(kMark));
  if (fields.Has(kId)) node->SetIdText(fields.Field(kId));
  if (fields.Has(kTimes)) node->ReadTimesText(fields.Field(kTimes));
  return node;
}

void ReadSettingsLine(QStringView line, CTreeStore& store) {
  // Some settings lines end in a bare LF; a CR left before it would not
  // survive the next save, so no value keeps one.
  while (line.endsWith(u'\r')) line.chop(1);
  const qsizetype equals = line.indexOf(u'=');
  const QStringView key = equals < 0 ? line : line.first(equals);
  const QString value = equals < 0 ? QString() : line.sliced(equals + 1).toString();
  if (key.startsWith(u"ShoStr")) {
    store.Styles().ReadLine(key, value);
  } else if (key.startsWith(u"Category")) {
    store.Categories().ParseLine(key, value);
  } else {
    store.Settings().ReadLine(key, value);
  }
}

void AppendNumber(QString& out, char16_t mark, qint32 value) {
  out += QChar(mark);
  out += QString::number(value);
}

// The times field keeps every text at its position: an unset time that is
// followed by a set one is written as fourteen zeros, which reads back as
// unset.
void AppendTimes(QString& out, const CDirData& node) {
  const bool stamp = node.m_stStamp.IsSet();
  const bool created = node.HasCreateTime();
  if (!node.HasUpdateTime() && !created && !stamp) return;
  static const QString kUnset(14, u'0');
  out += QChar(kTimesMark);
  if (node.HasUpdateTime()) {
    AppendTime14(out, node.m_tmUpdate);
  } else {
    out += kUnset;
  }
  if (created) {
    AppendTime14(out, node.m_tmCreate);
  } else if (stamp) {
    out += kUnset;
  }
  if (stamp) out += FormatStamp17(node.m_stStamp);
}

// A body line may not begin with a section mark, or the reader would take
// it for one; such marks never enter a body, and are dropped here too.
QString WithoutLineStartMarks(const QString& body) {
  QString clean;
  clean.reserve(body.size());
  bool lineStart = true;
  for (QChar c : body) {
    if (lineStart && (c == kTimesMark || c == kIdMark)) continue;
    clean += c;
    lineStart = c == u'\n';
  }
  return clean;
}

void AppendBody(QString& out, const QString& rawBody) {
  static const QString kBodyMarkLine = QString(QChar(kTimesMark)) + QStringLiteral("\r\n");
  const bool marks = rawBody.contains(QChar(kTimesMark)) || rawBody.contains(QChar(kIdMark));
  const QString body = marks ? WithoutLineStartMarks(rawBody) : rawBody;
  out += kBodyMarkLine;
  qsizetype from = 0;
  while (true) {
    const qsizetype crlf = body.indexOf(QStringLiteral("\r\n"), from);
    if (crlf < 0) break;
    out += QStringView(body).sliced(from, crlf - from);
    out += QStringLiteral("\r\r\n");
    from = crlf + 2;
  }
  if (from < body.size()) {
    out += QStringView(body).sliced(from);
    out += QStringLiteral("\r\r\n");
  }
  out += kBodyMarkLine;
}

}  // namespace

void ReadOutlineText(QStringView rawText, CTreeStore& store) {
  QString withoutEof;
  QStringView text = rawText;
  if (rawText.contains(QChar(kEndOfFile))) {
    withoutEof = rawText.toString();
    withoutEof.remove(QChar(kEndOfFile));
    text = withoutEof;
  }

  bool inSettings = false;
  bool inBody = false;
  CDirData* last = nullptr;
  int lineNumber = 0;
  for (qsizetype pos = 0; pos < text.size(); ++lineNumber) {
    qsizetype newline = text.indexOf(u'\n', pos);
    const bool hasLineEnd = newline >= 0;
    if (!hasLineEnd) newline = text.size();
    QStringView line = text.sliced(pos, newline - pos);
    pos = newline + 1;
    // CR LF counts as one line end; the line itself never keeps it.
    if (hasLineEnd && line.endsWith(u'\r')) line.chop(1);

    if (line.startsWith(QChar(kIdMark))) {
      inSettings = !inSettings;
    } else if (line.startsWith(QChar(kTimesMark))) {
      inBody = !inBody;
    } else if (inSettings) {
      ReadSettingsLine(line, store);
    } else if (inBody) {
      if (last != nullptr) {
        last->m_strBody += line;
        if (hasLineEnd) last->m_strBody += u'\n';
      }
    } else {
      auto node = ParseNodeLine(line, lineNumber);
      last = node.get();
      store.AppendLoaded(std::move(node));
    }
  }
}

QString WriteOutlineText(const CTreeStore& store) {
  static const QString kSectionLine = QString(QChar(kIdMark)) + QStringLiteral("\r\n");
  QString out;
  qsizetype estimate = 1024;
  for (int i = 0; i < store.GetCount(); ++i) {
    estimate += store.GetPath(i).size() + store.GetBody(i).size() + 64;
  }
  out.reserve(estimate);

  out += kSectionLine;
  store.Settings().Write(out);
  store.Categories().Write(out);
  store.Styles().Write(out);
  out += kSectionLine;

  for (int i = 0; i < store.GetCount(); ++i) {
    const CDirData& node = store.GetNode(i);
    out += node.m_strPath;
    if (!node.m_strLink.isEmpty()) {
      out += QChar(kLinkMark);
      out += node.m_strLink;
    }
    AppendNumber(out, kFlagsMark, node.m_nFlags);
    AppendNumber(out, kExpandMark, node.m_bExpand);
    AppendNumber(out, kMarkMark, node.m_nMark);
    out += QChar(kIdMark);
    out += node.GetIdText();
    AppendTimes(out, node);
    out += QStringLiteral("\r\n");
    if (!node.m_strBody.isEmpty()) AppendBody(out, node.m_strBody);
  }
  return out;
}

}  // namespace qm
