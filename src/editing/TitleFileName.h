// FileNameFromTitle: the file name a node's title proposes when the user
// saves or links something named after the node.
#pragma once

#include <QString>
#include <QStringView>

namespace qm {

// A file name made from title, ending in extension (".txt", with its dot):
// no folder separators or characters other systems refuse in names (they
// become "_"), no control characters, nothing from the title's first "."
// on, and short enough that the whole name fits the 255 bytes a file name
// may have. A title that leaves nothing gives the untitled node's title.
QString FileNameFromTitle(QStringView title, QStringView extension);

}  // namespace qm
