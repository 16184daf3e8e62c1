// WZ memo files: plain text in which a line beginning with "." is a
// heading (the number of leading dots its depth, the rest of the line its
// title) and the lines below a heading, up to the next one, are its body.
//
// Depth and level: a heading one or more dots deeper than the heading
// before it becomes that heading's child (a jump of several dots still goes
// one level down); a heading as deep as the one before is its sibling; a
// shallower heading goes back to the level its dots name on the current
// line of descent, but never below the heading before it. Headings with the
// same dots below the same parent therefore share a level, and every node
// stays inside the tree.
//
// The writer puts an empty line after every body; the reader drops one
// empty line at the end of a body, so saving and opening again gives the
// same bodies.
#pragma once

#include <QString>
#include <QStringView>

namespace qm {

class CTreeStore;
class TextSink;
class ReadBudget;
struct FileReport;

struct WzReadOptions {
  // The root's title until a heading names it.
  QString rootTitle;
  // false: the root keeps rootTitle and one-dot headings are its children.
  // true: the first one-dot heading names the root, two-dot headings are
  // its children, and later one-dot lines are body text.
  bool rootFromFirstHeading = false;
};

// Appends the outline of a decoded memo file to an empty store: the root,
// then one node per heading (expanded, mark 0) with its line number (from 0)
// as source line; body lines keep their leading blanks and get CR LF. Lines
// end in CR LF, LF or (in a text without any LF) CR. U+0001..U+0008 and
// U+001A never enter the outline; the report (when given) counts them as
// dropped.
// On success returns true and the nodes form a well-formed tree. Returns
// false, with the store partly filled, when the outline would pass the
// budget (one for the text alone when none is given; see ReadBudget).
bool ReadWzMemoText(QStringView text, const WzReadOptions& options, CTreeStore& store,
                    ReadBudget* budget = nullptr, FileReport* report = nullptr);

struct WzWriteOptions {
  // The root's title equals the file name: the root line is left out, its
  // body (when it has one) opens the file, and level-1 nodes get one dot.
  bool skipRoot = false;
  // A body line that begins with "." is written with a blank in front, so
  // that it is not read back as a heading.
  bool protectPeriods = false;
  // The document's first-line-is-title rule: the first line of every body
  // repeats the title and is left out.
  bool dropFirstBodyLine = false;
};

// The memo file text of the whole outline, lines ending in CR LF, into the
// sink node by node.
void WriteWzMemoText(const CTreeStore& store, const WzWriteOptions& options, TextSink& sink);

// The same as one string.
QString WriteWzMemoText(const CTreeStore& store, const WzWriteOptions& options);

}  // namespace qm
