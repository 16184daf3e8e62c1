// The key bindings the program ships: the rows of the key definition file
// "quillmap.key" that the build writes beside the program. The program itself
// has no built-in bindings; a user who replaces or empties that file gets
// exactly what the file says.
//
// Each row is a key text as the key customisation dialog shows it (the
// modifiers Alt+, Shift+, Ctrl+ in this order, then a name from
// res::kKeyNames) and the command it runs. File order is row order, and the
// first row for a key is the one that counts.
#pragma once

#include <QStringView>

#include "res/CommandIds.h"

namespace qm::res {

struct DefaultKey {
  QStringView keyText;
  int command;
};

inline constexpr DefaultKey kDefaultKeys[] = {
    // Files.
    {u"Ctrl+N", kCmdNew},
    {u"Ctrl+O", kCmdOpen},
    {u"Ctrl+S", kCmdSave},
    // Editing.
    {u"Ctrl+Z", kCmdUndo},
    {u"Ctrl+X", kCmdCut},
    {u"Ctrl+C", kCmdCopy},
    {u"Ctrl+V", kCmdPaste},
    // Search. F3 sends repeat find, the name the customisation dialog lists
    // find next by; both panes answer it as find next.
    {u"Ctrl+F", kCmdFind},
    {u"F3", kCmdRepeatFind},
    {u"Shift+F3", kCmdFindPrevious},
    // The tree.
    {u"F2", kCmdEditLabel},
    {u"Insert", kCmdAddSibling},
    {u"Ctrl+Insert", kCmdAddChild},
    {u"Alt+Up", kCmdMoveUp},
    {u"Alt+Down", kCmdMoveDown},
    {u"Alt+Left", kCmdLevelUp},
    {u"Alt+Right", kCmdLevelDown},
    // Panes: the pane switch is also the one key the frame takes from the
    // body pane's text.
    {u"F6", kCmdSwitchPanes},
};

}  // namespace qm::res
