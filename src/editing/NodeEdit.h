// NodeEdit: the rule the node edit dialog applies when the user presses OK.
//
// The dialog itself lives in the window; it calls ValidateNodeEdit before it
// closes so that the rule runs, and is tested, without a display.
#pragma once

#include <QString>
#include <optional>

#include "platform/Dialogs.h"

namespace qm {

// Returns the message to show while the dialog stays open, or nothing when
// the answer may be accepted. A title made only of characters that titles
// cannot hold (line breaks, separators) counts as empty: it would become one.
std::optional<QString> ValidateNodeEdit(const NodeEditResult& result);

}  // namespace qm
