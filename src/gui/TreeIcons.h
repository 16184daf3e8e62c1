// TreeIcons: the sixteen node icons of the tree pane and the mark, drawn
// for this program at run time (no image files to ship).
//
// Image number = 1 with children, + 2 checked, + 4 with a link file,
// + 8 struck through. Icons are made once per combination and cached.
// Call from the user-interface thread only.
#pragma once

#include <QIcon>

namespace qm {

class TreeIcons {
 public:
  static constexpr int kImageCount = 16;
  static constexpr int kStruckBit = 8;

  static constexpr bool IsStruck(int image) { return (image & kStruckBit) != 0; }

  // The icon of image 0-15, with the mark beside it when marked.
  static QIcon Icon(int image, bool marked);
};

}  // namespace qm
