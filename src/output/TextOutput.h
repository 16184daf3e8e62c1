// Text output: a range of an outline as numbered or indented plain text or
// as an HTML list, for a file or for the clipboard, and the output file.
//
// The options are read at the moment of output (section Text for the
// format, section Mark for the title prefixes); the document supplies its
// own part: the first-line-is-title option, the time display, the
// categories and the chapter heading styles, all through the store.
//
// The range is a node and its branch, or the whole outline from the root.
// A file and the clipboard get slightly different text: only a file gets
// the HTML document around a list, and the numbers of form 1 start
// differently (a file numbers the range's first node 1 and its children
// 1-1, 1-2; the clipboard leaves the first node unnumbered and numbers its
// children 1, 2). Not thread-safe; one output at a time per store.
#pragma once

#include <QString>

#include "model/TreeStore.h"
#include "output/TextFormat.h"
#include "platform/TextSink.h"

namespace qm {

class SettingsStore;

// Prefixes of a title by its check and strike-through flags.
struct TitleMarks {
  QString check = QStringLiteral("○");
  QString struck = QStringLiteral("×");
  QString checkedAndStruck;
  QString normal;
};

struct TextOutputOptions {
  TextFormat format;
  TitleMarks marks;
  // Folder that relative link file names are read from; empty: as they stand.
  QString linkFolder;
};

// The format (section Text) and the marks (section Mark) as stored now.
TextOutputOptions ReadTextOutputOptions(const SettingsStore& settings);

enum class TextOutputUse { File, Clipboard };

// The text of the nodes first .. end - 1 laid out as `options` say, into
// the sink node by node.
// REQUIRES: 0 <= first < end <= store.GetCount(); the range is first's
// branch or reaches the end of the outline. With form 0 the store's
// chapter characters are recounted first (with the separator of the
// options); nothing else of the store changes.
void MakeOutputText(CTreeStore& store, int first, int end, const TextOutputOptions& options,
                    TextOutputUse use, TextSink& sink);

// The same as one string.
QString MakeOutputText(CTreeStore& store, int first, int end, const TextOutputOptions& options,
                       TextOutputUse use);

// What saving an outline under a plain-text name writes: the whole text
// output of the file form, in the format stored in settings at the moment of
// the save. settings must outlive the renderer.
TextFileRenderer PlainTextFileRenderer(const SettingsStore& settings);

}  // namespace qm
