// TextFormat: the options of the text output that the format dialog edits,
// as one plain value, and their place in the settings store (section Text).
//
// Read gives each option's stored value or its default; Write stores every
// option. The title mark prefixes (section Mark) are not part of it: no
// dialog of the output edits them.
#pragma once

#include <QString>

namespace qm {

class SettingsStore;

struct TextFormat {
  // Output forms, in the order of the format dialog's list.
  enum Form : int {
    kChapters = 0,        // the chapter characters of the heading styles
    kChapterNumbers = 1,  // numbers such as 2-1-3 from per-level counters
    kIndentOnly = 2,
    kAsItIs = 3,
    kHtmlMarkList = 4,
    kHtmlNumberList = 5,
  };
  // Indentation modes.
  enum Indent : int { kSpaces = 0, kTabs = 1, kNone = 2 };

  int form = kChapters;
  int indent = kSpaces;
  bool selectOnly = true;                   // only the selected node's branch
  bool fileOut = false;                     // the contents of link files
  bool editOut = true;                      // the body texts
  bool space = false;                       // a blank line after every node
  bool tSpace = false;                      // blank lines around first-level nodes
  int width = 80;                           // wrap width in code-page bytes
  QString separator = QStringLiteral("-");  // between the numbers of a chapter number
  int tabNo = 8;                            // width of a tab
  int spaceNo = 2;                          // blanks per level when indenting with spaces

  bool IsHtml() const { return form == kHtmlMarkList || form == kHtmlNumberList; }

  bool operator==(const TextFormat&) const = default;
};

TextFormat ReadTextFormat(const SettingsStore& store);
void WriteTextFormat(SettingsStore& store, const TextFormat& format);

}  // namespace qm
