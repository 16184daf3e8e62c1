// TreeIcons: a folder or a page, a check, a link corner, a strike line and
// a mark flag, painted into 16-pixel (and 32-pixel, for HiDPI) pixmaps.
#include "gui/TreeIcons.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

#include "gui/PaintedIcons.h"

namespace qm {
namespace {

void PaintNode(QPainter& p, int image, bool marked) {
  const bool parent = image & 1;
  const bool checked = image & 2;
  const bool linked = image & 4;
  const bool struck = image & 8;
  p.setRenderHint(QPainter::Antialiasing);
  // Leave room on the left for the mark when there is one.
  const qreal left = marked ? 4.0 : 1.0;
  if (parent) {
    QPainterPath folder;
    folder.moveTo(left, 4.5);
    folder.lineTo(left + 4, 4.5);
    folder.lineTo(left + 5.5, 6);
    folder.lineTo(15, 6);
    folder.lineTo(15, 14);
    folder.lineTo(left, 14);
    folder.closeSubpath();
    p.setPen(QPen(QColor(0x9a, 0x6b, 0x12), 1));
    p.setBrush(QColor(0xf2, 0xc2, 0x4f));
    p.drawPath(folder);
  } else {
    p.setPen(QPen(QColor(0x60, 0x6a, 0x78), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(left + 1.5, 1.5, 10, 13));
    p.setPen(QPen(QColor(0xa0, 0xa8, 0xb4), 1));
    for (qreal y = 5; y <= 11; y += 3) p.drawLine(QPointF(left + 3.5, y), QPointF(left + 9.5, y));
  }
  if (linked) {
    p.setPen(QPen(QColor(0x1d, 0x5f, 0xc4), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(10, 9.5, 3.5, 3.5));
    p.drawEllipse(QRectF(12, 11.5, 3.5, 3.5));
  }
  if (checked) {
    p.setPen(QPen(QColor(0x1e, 0x8e, 0x3e), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(left + 2.5, 8.5);
    tick.lineTo(left + 5.5, 11.5);
    tick.lineTo(left + 11, 4);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
  }
  if (struck) {
    p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(left, 8.5), QPointF(15, 8.5));
  }
  if (marked) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd9, 0x30, 0x25));
    p.drawRect(QRectF(0, 1, 3, 14));
  }
}

}  // namespace

QIcon TreeIcons::Icon(int image, bool marked) {
  static PaintedIconCache cache(kImageCount * 2);
  image = qBound(0, image, kImageCount - 1);
  return cache.Get(static_cast<size_t>(image * 2 + (marked ? 1 : 0)),
                   [image, marked](QPainter& painter) { PaintNode(painter, image, marked); });
}

}  // namespace qm
