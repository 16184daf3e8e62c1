// CommandIcons: the pictures on the command-bar buttons, drawn for this
// program at run time (no image files or icon themes to ship).
//
// Every command that either command-bar layout shows has its own glyph, in
// the look of the tree's node icons: a 16-pixel grid, antialiased, with a
// 32-pixel pixmap for HiDPI screens. The disabled look is left to QIcon.
// Icons are made once per command and cached. Call from the user-interface
// thread only.
#pragma once

#include <QIcon>

namespace qm {

class CommandIcons {
 public:
  // The button icon of commandId, or a null icon for a command that no
  // command bar shows.
  static QIcon Icon(int commandId);
};

}  // namespace qm
