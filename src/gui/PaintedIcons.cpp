// PaintedIconCache: rendering on the 16-unit grid and clearing at exit.
#include "gui/PaintedIcons.h"

#include <QCoreApplication>
#include <QPixmap>

namespace qm {
namespace {

std::vector<std::vector<QIcon>*>& Caches() {
  static std::vector<std::vector<QIcon>*> caches;
  return caches;
}
bool g_clearRegistered = false;

QPixmap Render(const PaintedIconCache::Painter& paint, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 16.0, size / 16.0);
  paint(painter);
  return pixmap;
}

}  // namespace

PaintedIconCache::PaintedIconCache(size_t count) : m_icons(count) { Caches().push_back(&m_icons); }

void PaintedIconCache::ClearAll() {
  for (std::vector<QIcon>* icons : Caches()) std::fill(icons->begin(), icons->end(), QIcon());
  g_clearRegistered = false;
}

QIcon PaintedIconCache::Get(size_t slot, const Painter& paint) {
  if (!g_clearRegistered) {
    qAddPostRoutine(ClearAll);
    g_clearRegistered = true;
  }
  QIcon& icon = m_icons[slot];
  if (icon.isNull()) {
    icon.addPixmap(Render(paint, 16));
    icon.addPixmap(Render(paint, 32));
  }
  return icon;
}

}  // namespace qm
