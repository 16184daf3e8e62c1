// The messages that tell the user how a load or save went, made from a
// FileReport with the program's own texts. Used by every front end.
#pragma once

#include <QStringList>

#include "model/TreeStore.h"

namespace qm {

// The failure message; empty when the report holds no error or the user
// declined the save.
QString FileErrorText(const FileReport& report);

// Notes worth telling even after success: bytes read as U+FFFD, nodes
// re-placed to fit the tree, characters saved as "?".
QStringList FileWarningTexts(const FileReport& report);

}  // namespace qm
