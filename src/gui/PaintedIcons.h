// PaintedIconCache: icons drawn by the program on a 16-unit grid, rendered
// once at 16 and 32 pixels (for HiDPI) and kept until the application ends.
//
// Icons hold pixmaps, which must go before the application object does, so
// every cache empties itself when the application ends; a later
// application simply draws them again. Use from the user-interface thread.
#pragma once

#include <QIcon>
#include <QPainter>
#include <functional>
#include <vector>

namespace qm {

class PaintedIconCache {
 public:
  using Painter = std::function<void(QPainter&)>;

  explicit PaintedIconCache(size_t count);

  // The icon of slot, drawn with paint on first use. REQUIRES: slot < count.
  QIcon Get(size_t slot, const Painter& paint);

 private:
  static void ClearAll();
  std::vector<QIcon> m_icons;
};

}  // namespace qm
