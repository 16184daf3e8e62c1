// Outline file reader and writer.
#include "model/OutlineFile.h"

#include <algorithm>
#include <array>
#include <memory>

#include "model/FieldCuts.h"
#include "model/ReadBudget.h"
#include "model/TextLines.h"
#include "model/TreeStore.h"
#include "platform/CodePage.h"
#include "platform/Decimal.h"
#include "platform/TextSink.h"

namespace qm {
namespace {

constexpr char16_t kLinkMark = 0x02;
constexpr char16_t kTimesMark = 0x04;  // also opens and closes a body block
constexpr char16_t kFlagsMark = 0x05;
constexpr char16_t kExpandMark = 0x06;
constexpr char16_t kMarkMark = 0x07;
constexpr char16_t kIdMark = 0x08;  // also opens and closes the settings section

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

// True when the line holds a mark only a node line holds (a line that
// begins with U+0008 or U+0004 is a section or body mark line instead).
bool CarriesNodeFields(QStringView line) {
  return std::any_of(line.begin(), line.end(), [](QChar c) {
    const char16_t u = c.unicode();
    return u == kLinkMark || (u >= kFlagsMark && u <= kIdMark);
  });
}

// Returns whether some part of the store took the line.
bool ReadSettingsLine(QStringView line, CTreeStore& store) {
  // Some settings lines end in a bare LF; a CR left before it would not
  // survive the next save, so no value keeps one.
  while (line.endsWith(u'\r')) line.chop(1);
  const qsizetype equals = line.indexOf(u'=');
  const QStringView key = equals < 0 ? line : line.first(equals);
  const QString value = equals < 0 ? QString() : line.sliced(equals + 1).toString();
  if (key.startsWith(u"ShoStr")) return store.Styles().ReadLine(key, value);
  if (key.startsWith(u"Category")) return store.Categories().ParseLine(key, value);
  return store.Settings().ReadLine(key, value);
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

// The reader over lines from a LineWalker or a DecodedLineWalker.
template <typename Lines>
bool ReadOutlineLines(Lines& lines, CTreeStore& store, ReadBudget& budget, FileReport& report) {
  // A section or body is open-ended when no later line begins with its mark:
  // its closing line is missing, and a node line ends it (see the header).
  bool inSettings = false;
  bool settingsOpenEnded = false;
  bool inBody = false;
  bool bodyOpenEnded = false;
  CDirData* last = nullptr;
  QStringView line;
  for (int lineNumber = 0; lines.Next(line); ++lineNumber) {
    if (line.startsWith(QChar(kIdMark)) || line.startsWith(QChar(kTimesMark))) {
      const QChar mark = line.front();
      bool& in = mark == QChar(kIdMark) ? inSettings : inBody;
      in = !in;
      (mark == QChar(kIdMark) ? settingsOpenEnded : bodyOpenEnded) =
          in && !lines.LaterLineStartsWith(mark.unicode());
      // A mark line holds the mark alone; what follows it has no place.
      if (line.size() > 1) report.AddUnreadLine(lineNumber);
      continue;
    }
    if (inSettings) {
      if (!settingsOpenEnded || !CarriesNodeFields(line)) {
        if (!ReadSettingsLine(line, store) && !line.isEmpty()) report.AddUnreadLine(lineNumber);
        continue;
      }
      inSettings = false;
      report.settingsUnclosed = true;
    } else if (inBody) {
      if (!bodyOpenEnded || !CarriesNodeFields(line)) {
        const QStringView lineEnd = lines.TakeBodyLineEnd(line);
        if (last == nullptr) {
          // Text before the first node has no node to belong to.
          if (!line.isEmpty()) report.AddUnreadLine(lineNumber);
          continue;
        }
        if (!budget.Spend(line.size() + lineEnd.size())) return false;
        last->m_strBody += line;
        last->m_strBody += lineEnd;
        continue;
      }
      inBody = false;
      report.bodyUnclosed = true;
    }
    auto node = ParseNodeLine(line, lineNumber);
    if (!budget.SpendNode(*node)) return false;
    last = node.get();
    store.AppendLoaded(std::move(node));
  }
  if (inSettings) report.settingsUnclosed = true;
  if (inBody) report.bodyUnclosed = true;
  return true;
}

}  // namespace

bool ReadOutlineText(QStringView rawText, CTreeStore& store, ReadBudget* givenBudget,
                     FileReport* givenReport) {
  ReadBudget ownBudget(rawText.size());
  ReadBudget& budget = givenBudget != nullptr ? *givenBudget : ownBudget;
  FileReport ownReport;
  FileReport& report = givenReport != nullptr ? *givenReport : ownReport;
  QString withoutEof;
  const QStringView text =
      reading::WithoutControlMarks(rawText, withoutEof, false, report.charactersDropped);
  reading::LineWalker lines(text);
  return ReadOutlineLines(lines, store, budget, report);
}

bool ReadOutlineFile(QByteArrayView bytes, CTreeStore& store, ReadBudget& budget,
                     FileReport& report) {
  Undecodable undecodable;
  // End-of-file marks that end the file hold nothing and are not counted;
  // one inside the text is rare enough to take the way of the whole text.
  while (bytes.endsWith('\x1A')) bytes.chop(1);
  bool read;
  if (bytes.contains('\x1A')) {
    const QString text = CodePage().Decode(bytes, &undecodable);
    read = ReadOutlineText(text, store, &budget, &report);
  } else {
    reading::DecodedLineWalker lines(bytes, undecodable);
    read = ReadOutlineLines(lines, store, budget, report);
  }
  report.undecodable = undecodable.count;
  report.undecodableBytes = std::move(undecodable.sequences);
  return read;
}

void WriteOutlineText(const CTreeStore& store, TextSink& sink) {
  static const QString kSectionLine = QString(QChar(kIdMark)) + QStringLiteral("\r\n");
  QString& out = sink.Text();

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
    sink.Pace();
  }
}

QString WriteOutlineText(const CTreeStore& store) {
  StringSink sink;
  WriteOutlineText(store, sink);
  return sink.Take();
}

}  // namespace qm
