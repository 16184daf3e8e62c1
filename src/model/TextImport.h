// Reading a plain-text file as an outline: its first line with text names
// the root, lines that begin with a heading marker (a number, a letter, a
// Roman or circled numeral, a bullet mark, each followed by a separator)
// become nodes, and every other line is body text of the node above it.
//
// Headings of the same marker kind share a level; the level of a kind is
// fixed by the order in which the kinds first appear in the file. A kind
// seen before goes back to its level; a new kind goes one level below the
// heading before it.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace qm {

class CTreeStore;
class ReadBudget;
struct FileReport;

// The marker at the start of a heading line.
struct HeadingMarker {
  int kind = 0;          // headings of one kind share a level
  qsizetype length = 0;  // characters of the marker, its separator included
  bool operator==(const HeadingMarker&) const = default;
};

// The kinds of the fixed marker rows. A chain number ("1-2-3") has as its
// kind the count of its numbers, so it shares a level with these.
namespace marker {
inline constexpr int kDigit = 1;  // "1." and "12." too
inline constexpr int kLetter = 2;
inline constexpr int kBracketedDigit = 3;  // "(1)" and "(12)"
inline constexpr int kRoman = 4;
inline constexpr int kCircled = 5;
inline constexpr int kKanji = 6;
inline constexpr int kSquare = 8;    // "■ "
inline constexpr int kCircle = 9;    // "○ "
inline constexpr int kDot = 10;      // "・ "
inline constexpr int kDiamond = 11;  // "◇ "
inline constexpr int kFullSizeDigit = 12;
inline constexpr int kBracketedLetter = 13;
}  // namespace marker

// Classifies the start of a line whose leading blanks are already removed.
// chainSeparator is the text between the numbers of a chain number
// ("Text"/"ShowStr"). The rows are tried in a fixed order and the first
// that matches wins; digits and letters are those of Unicode, so a kanji
// numeral is a letter and a full-size digit a digit before their own rows
// are reached (files rely on that order). Returns nothing for body lines.
std::optional<HeadingMarker> ClassifyLineHead(QStringView line, QStringView chainSeparator);

// Appends the outline of a decoded plain-text file to an empty store: the
// root from the first line with text (none when there is no such line),
// then one node per heading line, with its line number (from 0) as source
// line and every body line, leading blanks removed, plus CR LF in the body
// of the node above it. Lines end in CR LF, LF or (in a text without any
// LF) CR. U+0001..U+0008 and U+001A never enter the outline; the report
// (when given) counts them as dropped. The caller finishes with
// CTreeStore::FinishLoading, with the same budget, which also gives a text
// without text lines its root.
// On success returns true. Returns false, with the store partly filled,
// when the outline would pass the budget (one for the text alone when none
// is given; see ReadBudget).
bool ReadPlainText(QStringView text, QStringView chainSeparator, CTreeStore& store,
                   ReadBudget* budget = nullptr, FileReport* report = nullptr);

}  // namespace qm
