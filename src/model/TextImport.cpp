// Plain-text import: the heading-marker rows and the reader that turns
// heading lines into nodes.
#include "model/TextImport.h"

#include <limits>
#include <memory>
#include <unordered_map>

#include "model/DirData.h"
#include "model/ReadBudget.h"
#include "model/TextLines.h"
#include "model/TreeStore.h"

namespace qm {
namespace {

// The separator right after a marker that ends at p: a blank or "." with
// something after it. Returns its length, 0 when there is none.
qsizetype SeparatorAt(QStringView line, qsizetype p) {
  if (p + 1 >= line.size()) return 0;
  return line[p] == u' ' || line[p] == u'.' ? 1 : 0;
}

std::optional<HeadingMarker> WithSeparator(QStringView line, qsizetype markerEnd, int kind) {
  const qsizetype separator = SeparatorAt(line, markerEnd);
  if (separator == 0) return std::nullopt;
  return HeadingMarker{kind, markerEnd + separator};
}

bool InRange(QChar c, char16_t first, char16_t last) {
  return c.unicode() >= first && c.unicode() <= last;
}

bool IsKanjiNumeral(QChar c) {
  static constexpr QStringView kNumerals = u"一二三四五六七八九十";
  return kNumerals.contains(c);
}

// Digits and separators up to a blank: "1-2-3 title". The run may not be
// empty; its kind is the count of the numbers in it, so a run of separators
// alone ("- title") is a kind of its own, 0.
std::optional<HeadingMarker> ChainNumber(QStringView line, QStringView separator) {
  if (line.size() <= 1) return std::nullopt;
  qsizetype p = 0;
  int numbers = 0;
  bool inNumber = false;
  while (p < line.size()) {
    if (line[p].isDigit()) {
      if (!inNumber && numbers < std::numeric_limits<int>::max()) ++numbers;
      inNumber = true;
      ++p;
    } else if (!separator.isEmpty() && line.sliced(p).startsWith(separator)) {
      inNumber = false;
      p += separator.size();
    } else {
      break;
    }
  }
  if (p == 0 || p >= line.size() || line[p] != u' ') return std::nullopt;
  return HeadingMarker{numbers, p};
}

std::optional<HeadingMarker> Bracketed(QStringView line, bool twoDigits) {
  const qsizetype close = twoDigits ? 3 : 2;
  if (line.size() <= close || line[0] != u'(' || line[close] != u')') return std::nullopt;
  if (twoDigits) {
    if (!line[1].isDigit() || !line[2].isDigit()) return std::nullopt;
    return WithSeparator(line, 4, marker::kBracketedDigit);
  }
  if (line[1].isDigit()) return WithSeparator(line, 3, marker::kBracketedDigit);
  if (line[1].isLetter()) return WithSeparator(line, 3, marker::kBracketedLetter);
  return std::nullopt;
}

std::optional<HeadingMarker> Mark(QStringView line) {
  static constexpr struct {
    QStringView text;
    int kind;
  } kMarks[] = {{u"■ ", marker::kSquare},
                {u"○ ", marker::kCircle},
                {u"・ ", marker::kDot},
                {u"◇ ", marker::kDiamond}};
  for (const auto& mark : kMarks) {
    if (line.startsWith(mark.text)) return HeadingMarker{mark.kind, mark.text.size()};
  }
  return std::nullopt;
}

QStringView WithoutLeadingBlanks(QStringView line) {
  qsizetype start = 0;
  while (start < line.size() && line[start] == u' ') ++start;
  return line.sliced(start);
}

// The position of each marker kind in the order of first appearance: the
// level below the root that headings of the kind take.
class KindOrder {
 public:
  // The kind's position, or -1 for a kind not seen yet (which is added).
  int PositionOrAdd(int kind) {
    const auto [it, added] = m_positions.try_emplace(kind, static_cast<int>(m_positions.size()));
    return added ? -1 : it->second;
  }

 private:
  std::unordered_map<int, int> m_positions;
};

// Where path must be cut to leave a path of the given level: the index of
// its level-th U+0001 (from 0), the path's size when it has exactly that
// level, or -1 when it is shallower.
qsizetype CutForLevel(QStringView path, int level) {
  qsizetype at = -1;
  for (int found = 0; found <= level; ++found) {
    at = path.indexOf(kPathSeparator, at + 1);
    if (at < 0) return found == level ? path.size() : -1;
  }
  return at;
}

}  // namespace

std::optional<HeadingMarker> ClassifyLineHead(QStringView line, QStringView chainSeparator) {
  if (auto chain = ChainNumber(line, chainSeparator)) return chain;
  if (line.size() <= 1) return std::nullopt;
  if (line[0].isDigit()) {
    if (auto digit = WithSeparator(line, 1, marker::kDigit)) return digit;
  }
  if (line[0].isLetter()) {
    if (auto letter = WithSeparator(line, 1, marker::kLetter)) return letter;
  }
  // Every row from here on needs more than two characters.
  if (line.size() <= 2) return std::nullopt;
  if (line[0].isDigit() && line[1].isDigit()) {
    if (auto twoDigits = WithSeparator(line, 2, marker::kDigit)) return twoDigits;
  }
  if (auto bracketed = Bracketed(line, false)) return bracketed;
  const QChar first = line[0];
  if (InRange(first, u'Ⅰ', u'Ⅹ')) {
    if (auto roman = WithSeparator(line, 1, marker::kRoman)) return roman;
  }
  if (InRange(first, u'①', u'⑳')) {
    if (auto circled = WithSeparator(line, 1, marker::kCircled)) return circled;
  }
  if (IsKanjiNumeral(first)) {
    if (auto kanji = WithSeparator(line, 1, marker::kKanji)) return kanji;
  }
  if (auto mark = Mark(line)) return mark;
  if (InRange(first, u'１', u'９')) {
    if (auto fullSize = WithSeparator(line, 1, marker::kFullSizeDigit)) return fullSize;
  }
  return Bracketed(line, true);
}

bool ReadPlainText(QStringView rawText, QStringView chainSeparator, CTreeStore& store,
                   ReadBudget* givenBudget, FileReport* report) {
  ReadBudget ownBudget(rawText.size());
  ReadBudget& budget = givenBudget != nullptr ? *givenBudget : ownBudget;
  qsizetype dropped = 0;
  QString cleaned;
  const QStringView text = reading::WithoutControlMarks(rawText, cleaned, true, dropped);
  if (report != nullptr) report->charactersDropped += dropped;
  reading::LineWalker lines(text);

  CDirData* last = nullptr;  // the node body lines go to; null until the root
  QString previousPath;      // the path of the last node
  QString parentPath;        // the parent of the last heading's level
  KindOrder kinds;
  std::optional<int> previousKind;
  int lineNumber = -1;
  QStringView line;
  while (lines.Next(line)) {
    ++lineNumber;
    const QStringView content = WithoutLeadingBlanks(line);

    if (last == nullptr) {
      if (content.isEmpty()) continue;
      auto root = std::make_unique<CDirData>();
      root->m_strPath = CDirData::SanitizeLine(line.toString());
      root->m_nLine = lineNumber;
      if (!budget.SpendNode(*root)) return false;
      previousPath = parentPath = root->m_strPath;
      last = root.get();
      store.AppendLoaded(std::move(root));
      continue;
    }

    const std::optional<HeadingMarker> marker = ClassifyLineHead(content, chainSeparator);
    if (!marker) {
      if (!budget.Spend(content.size() + 2)) return false;
      last->m_strBody += content;
      last->m_strBody += u"\r\n";
      continue;
    }
    const QString title =
        CDirData::SanitizeLine(WithoutLeadingBlanks(content.sliced(marker->length)).toString());
    QString path;
    if (marker->kind == previousKind) {
      path = parentPath + kPathSeparator + title;
    } else if (const int position = kinds.PositionOrAdd(marker->kind); position >= 0) {
      // Back to the kind's level: below the ancestor one level up. A parent
      // path already at that level is that ancestor; one that is shallower
      // has none, and the heading goes below the last node instead.
      const qsizetype cut = CutForLevel(parentPath, position);
      if (cut >= 0) {
        parentPath.truncate(cut);
        path = parentPath + kPathSeparator + title;
      } else {
        path = previousPath + kPathSeparator + title;
        parentPath = previousPath;
      }
    } else {
      path = previousPath + kPathSeparator + title;
      parentPath = previousPath;
    }
    if (!budget.Spend(ReadBudget::kNodeUnits + path.size())) return false;

    auto node = std::make_unique<CDirData>();
    node->m_strPath = path;
    node->m_nLine = lineNumber;
    last = node.get();
    store.AppendLoaded(std::move(node));
    previousPath = std::move(path);
    previousKind = marker->kind;
  }
  return true;
}

}  // namespace qm
