// The outline file's text form: reading a decoded file into an outline
// store and writing a store back, byte for byte as the format has it.
//
// Layout: a line holding U+0008 alone; the settings block, the category
// lines and the chapter heading style lines ("key=value"); another U+0008
// line; then for every node in pre-order its node line and, when its body is
// not empty, a body block between two U+0004 lines in which every line end
// is doubled to CR CR LF. Node line: path [U+0002 link] U+0005 flags
// U+0006 expanded U+0007 mark U+0008 identifier [U+0004 times] CR LF.
//
// Reading is lenient where files have been carried between systems or cut
// short: lines may end in CR LF, LF or (in a file without any LF) CR, the
// doubled line ends of a body likewise; U+001A is ignored wherever it
// stands. A settings section or body that lacks its closing line (no later
// line begins with its mark) ends at the first line that carries a node
// line's field marks (U+0002, U+0005..U+0008), which no settings line and no
// body line the writer writes holds, so the nodes after it are still read.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace qm {

class CTreeStore;
class TextSink;
class ReadBudget;
struct FileReport;

// Appends the nodes and settings of an outline file's text (decoded) to an
// empty store: whatever cannot be understood keeps the defaults, and the
// report (when given) notes what the outline could not take (unread lines,
// dropped characters, unclosed parts). Returns false, the store partly
// filled, once the outline would pass the budget (one for the text alone
// when none is given). The caller finishes with CTreeStore::FinishLoading,
// with the same budget.
bool ReadOutlineText(QStringView text, CTreeStore& store, ReadBudget* budget = nullptr,
                     FileReport* report = nullptr);

// ReadOutlineText over an outline file's bytes in the code page, decoded a
// line at a time so that the whole decoded text is never held. The report
// also notes the bytes that could not be decoded. REQUIRES: the store is
// empty; budget counts in UTF-16 units (at most one a byte).
bool ReadOutlineFile(QByteArrayView bytes, CTreeStore& store, ReadBudget& budget,
                     FileReport& report);

// The whole outline file of the store, as text to be encoded, into the sink
// node by node.
void WriteOutlineText(const CTreeStore& store, TextSink& sink);

// The same as one string.
QString WriteOutlineText(const CTreeStore& store);

}  // namespace qm
