// The outline file's text form: reading a decoded file into an outline
// store and writing a store back, byte for byte as the format has it.
//
// Layout: a line holding U+0008 alone; the settings block, the category
// lines and the chapter heading style lines ("key=value"); another U+0008
// line; then for every node in pre-order its node line and, when its body is
// not empty, a body block between two U+0004 lines in which every line end
// is doubled to CR CR LF. Node line: path [U+0002 link] U+0005 flags
// U+0006 expanded U+0007 mark U+0008 identifier [U+0004 times] CR LF.
#pragma once

#include <QString>
#include <QStringView>

namespace qm {

class CTreeStore;

// Appends the nodes and settings of an outline file's text (decoded) to an
// empty store. Never fails: whatever cannot be understood keeps the
// defaults. The caller finishes with CTreeStore::FinishLoading.
void ReadOutlineText(QStringView text, CTreeStore& store);

// The whole outline file of the store, as text to be encoded.
QString WriteOutlineText(const CTreeStore& store);

}  // namespace qm
