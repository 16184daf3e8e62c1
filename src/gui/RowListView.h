// RowListView: the look the program's lists of rows share — a tree view
// used as a plain table: no tree lines, one line per row, whole rows
// selected one at a time, nothing edited in place.
#pragma once

class QTreeView;

namespace qm {

// Sets view up as a list of rows. Uniform row heights let the view measure
// one row instead of thousands.
void MakeRowList(QTreeView* view);

}  // namespace qm
