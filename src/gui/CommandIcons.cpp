// CommandIcons: one small painting function per command-bar glyph, all on
// the 16-pixel grid and in the tree icons' palette, rendered at 16 and 32
// pixels.
#include "gui/CommandIcons.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QTransform>
#include <array>
#include <cmath>
#include <numbers>

#include "gui/PaintedIcons.h"
#include "res/CommandIds.h"

namespace qm {
namespace {

// The tree icons' colours, with deeper shades for edges and paler ones for fills.
constexpr QRgb kAmber = 0xfff2c24f;
constexpr QRgb kAmberEdge = 0xff9a6b12;
constexpr QRgb kAmberDeep = 0xffd9a33a;
constexpr QRgb kBlue = 0xff1d5fc4;
constexpr QRgb kBlueEdge = 0xff13428c;
constexpr QRgb kBlueLight = 0xffdce8fa;
constexpr QRgb kGreen = 0xff1e8e3e;
constexpr QRgb kGreenEdge = 0xff146b2d;
constexpr QRgb kRed = 0xffc62828;
constexpr QRgb kRedEdge = 0xff8e1b1b;
constexpr QRgb kSlate = 0xff606a78;
constexpr QRgb kRule = 0xffa0a8b4;
constexpr QRgb kFold = 0xffdde2e8;
constexpr QRgb kPaper = 0xffffffff;

QPen Stroke(QRgb color, qreal width) {
  return QPen(QColor::fromRgba(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Outlined(QPainter& p, QRgb edge, QRgb fill, qreal width = 1) {
  p.setPen(Stroke(edge, width));
  p.setBrush(QColor::fromRgba(fill));
}

void Lines(QPainter& p, qreal left, qreal right, qreal top, qreal bottom, qreal step) {
  p.setPen(Stroke(kRule, 1));
  for (qreal y = top; y <= bottom; y += step) p.drawLine(QPointF(left, y), QPointF(right, y));
}

// A sheet of paper with its top-right corner folded over by fold.
void FoldedPage(QPainter& p, const QRectF& r, qreal fold) {
  QPainterPath page;
  page.moveTo(r.left(), r.top());
  page.lineTo(r.right() - fold, r.top());
  page.lineTo(r.right(), r.top() + fold);
  page.lineTo(r.right(), r.bottom());
  page.lineTo(r.left(), r.bottom());
  page.closeSubpath();
  Outlined(p, kSlate, kPaper);
  p.drawPath(page);
  QPainterPath corner;
  corner.moveTo(r.right() - fold, r.top());
  corner.lineTo(r.right() - fold, r.top() + fold);
  corner.lineTo(r.right(), r.top() + fold);
  corner.closeSubpath();
  Outlined(p, kSlate, kFold);
  p.drawPath(corner);
}

// A block arrow from tail to tip: head is the head's length, shaft and wing
// the half-widths of the shaft and of the head.
QPolygonF Arrow(QPointF tail, QPointF tip, qreal head, qreal shaft, qreal wing) {
  const QLineF line(tail, tip);
  const qreal l = line.length();
  QTransform t;
  t.translate(tail.x(), tail.y()).rotate(-line.angle());
  return t.map(QPolygonF({{0, -shaft},
                          {l - head, -shaft},
                          {l - head, -wing},
                          {l, 0},
                          {l - head, wing},
                          {l - head, shaft},
                          {0, shaft}}));
}

// A node of the little tree pictures: pale blue, or green with a plus for
// the one being added.
void TreeNode(QPainter& p, const QRectF& r, bool fresh) {
  if (fresh) {
    Outlined(p, kGreenEdge, kGreen);
    p.drawRoundedRect(r, 1.2, 1.2);
    p.setPen(Stroke(kPaper, 1.2));
    const QPointF c = r.center();
    p.drawLine(QPointF(c.x() - 1.6, c.y()), QPointF(c.x() + 1.6, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 1.6), QPointF(c.x(), c.y() + 1.6));
  } else {
    Outlined(p, kBlueEdge, kBlueLight);
    p.drawRoundedRect(r, 1.2, 1.2);
  }
}

void PaintNew(QPainter& p) {
  FoldedPage(p, QRectF(3.5, 1.5, 10, 13), 4);
  // A spark in the corner says "fresh".
  p.setPen(Stroke(kAmberEdge, 1));
  p.setBrush(QColor::fromRgba(kAmber));
  QPolygonF star;
  for (int i = 0; i < 8; ++i) {
    const qreal r = (i % 2 == 0) ? 3.6 : 1.3;
    const qreal a = i * std::numbers::pi / 4;
    star << QPointF(4.5 + r * std::sin(a), 4.5 - r * std::cos(a));
  }
  p.drawPolygon(star);
}

void PaintOpen(QPainter& p) {
  QPainterPath back;
  back.moveTo(1.5, 13.5);
  back.lineTo(1.5, 3.5);
  back.lineTo(5.5, 3.5);
  back.lineTo(7, 5);
  back.lineTo(12.5, 5);
  back.lineTo(12.5, 13.5);
  back.closeSubpath();
  Outlined(p, kAmberEdge, kAmberDeep);
  p.drawPath(back);
  // The sheet inside peeks out above the opened front.
  Outlined(p, kSlate, kPaper);
  p.drawRect(QRectF(3.5, 6.5, 8, 5));
  QPainterPath front;
  front.moveTo(1.5, 13.5);
  front.lineTo(4, 8.5);
  front.lineTo(15, 8.5);
  front.lineTo(12.5, 13.5);
  front.closeSubpath();
  Outlined(p, kAmberEdge, kAmber);
  p.drawPath(front);
}

void PaintSave(QPainter& p) {
  QPainterPath body;
  body.moveTo(1.5, 1.5);
  body.lineTo(12, 1.5);
  body.lineTo(14.5, 4);
  body.lineTo(14.5, 14.5);
  body.lineTo(1.5, 14.5);
  body.closeSubpath();
  Outlined(p, kBlueEdge, kBlue);
  p.drawPath(body);
  // Label on top, shutter below.
  Outlined(p, kSlate, kPaper);
  p.drawRect(QRectF(4, 1.5, 8, 5));
  p.setPen(Stroke(kRule, 1));
  p.drawLine(QPointF(5.5, 3.5), QPointF(10.5, 3.5));
  Outlined(p, kBlueEdge, kBlueLight);
  p.drawRect(QRectF(4.5, 9.5, 7, 5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgba(kBlueEdge));
  p.drawRect(QRectF(6, 10.5, 1.6, 3));
}

void PaintRecent(QPainter& p) {
  Outlined(p, kSlate, kPaper, 1.2);
  p.drawEllipse(QPointF(8, 8), 6.6, 6.6);
  p.setPen(Stroke(kRule, 1.2));
  for (const QPointF dir : {QPointF(0, -1), QPointF(1, 0), QPointF(0, 1), QPointF(-1, 0)}) {
    p.drawLine(QPointF(8, 8) + dir * 4.6, QPointF(8, 8) + dir * 5.6);
  }
  p.setPen(Stroke(kBlue, 1.5));
  p.drawLine(QPointF(8, 8), QPointF(8, 4));
  p.drawLine(QPointF(8, 8), QPointF(10.8, 9.6));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgba(kBlueEdge));
  p.drawEllipse(QPointF(8, 8), 1.1, 1.1);
}

void PaintCut(QPainter& p) {
  p.setPen(Stroke(kSlate, 1.5));
  p.drawLine(QPointF(5.6, 9.8), QPointF(11, 1.5));
  p.drawLine(QPointF(10.4, 9.8), QPointF(5, 1.5));
  p.setBrush(Qt::NoBrush);
  p.setPen(Stroke(kRed, 1.6));
  p.drawEllipse(QPointF(4.4, 12), 2.4, 2.4);
  p.drawEllipse(QPointF(11.6, 12), 2.4, 2.4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgba(kSlate));
  p.drawEllipse(QPointF(8, 6.2), 1, 1);
}

void PaintCopy(QPainter& p) {
  Outlined(p, kSlate, kPaper);
  p.drawRect(QRectF(1.5, 1.5, 8, 10));
  Lines(p, 3.5, 7.5, 4.5, 8.5, 2);
  Outlined(p, kBlueEdge, kPaper);
  p.drawRect(QRectF(6.5, 4.5, 8, 10));
  Lines(p, 8.5, 12.5, 7.5, 12, 2);
}

void PaintPaste(QPainter& p) {
  Outlined(p, kAmberEdge, kAmberDeep);
  p.drawRoundedRect(QRectF(2.5, 2.5, 11, 12), 1.5, 1.5);
  Outlined(p, kSlate, kPaper);
  p.drawRect(QRectF(4.5, 5.5, 7, 7.5));
  Lines(p, 6, 10, 8, 11.5, 1.75);
  Outlined(p, kSlate, kRule);
  p.drawRoundedRect(QRectF(5.5, 1, 5, 3), 1, 1);
}

void PaintAddChild(QPainter& p) {
  p.setPen(Stroke(kSlate, 1));
  p.drawLine(QPointF(4.5, 6.5), QPointF(4.5, 11.5));
  p.drawLine(QPointF(4.5, 11.5), QPointF(7.5, 11.5));
  TreeNode(p, QRectF(1.5, 1.5, 7, 5), false);
  TreeNode(p, QRectF(7.5, 8.5, 7, 6), true);
}

void PaintAddSibling(QPainter& p) {
  p.setPen(Stroke(kSlate, 1));
  p.drawLine(QPointF(2.5, 1.5), QPointF(2.5, 11.5));
  p.drawLine(QPointF(2.5, 4), QPointF(5.5, 4));
  p.drawLine(QPointF(2.5, 11.5), QPointF(5.5, 11.5));
  TreeNode(p, QRectF(5.5, 1.5, 9, 5), false);
  TreeNode(p, QRectF(5.5, 8.5, 9, 6), true);
}

void PaintDelete(QPainter& p) {
  QPainterPath cross;
  cross.moveTo(3.5, 3.5);
  cross.lineTo(12.5, 12.5);
  cross.moveTo(12.5, 3.5);
  cross.lineTo(3.5, 12.5);
  p.setPen(Stroke(kRedEdge, 4));
  p.drawPath(cross);
  p.setPen(Stroke(kRed, 2.4));
  p.drawPath(cross);
}

void PaintOpenLink(QPainter& p) {
  p.save();
  p.translate(8, 8);
  p.rotate(-45);
  p.setBrush(Qt::NoBrush);
  p.setPen(Stroke(kBlueEdge, 2.2));
  p.drawRoundedRect(QRectF(-7.2, -2.4, 8.4, 4.8), 2.4, 2.4);
  p.setPen(Stroke(kBlue, 2.2));
  p.drawRoundedRect(QRectF(-1.2, -2.4, 8.4, 4.8), 2.4, 2.4);
  p.restore();
}

void PaintMoveUp(QPainter& p) {
  Outlined(p, kBlueEdge, kBlue);
  p.drawPolygon(Arrow({8, 14.5}, {8, 1.5}, 6, 2.5, 6.5));
}

void PaintMoveDown(QPainter& p) {
  Outlined(p, kBlueEdge, kBlue);
  p.drawPolygon(Arrow({8, 1.5}, {8, 14.5}, 6, 2.5, 6.5));
}

// The bar on the left stands for the parent's level: level up runs the
// node out towards it, level down pushes it in, away from it.
void LevelBar(QPainter& p) {
  Outlined(p, kSlate, kRule);
  p.drawRect(QRectF(1.5, 2.5, 2, 11));
}

void PaintLevelUp(QPainter& p) {
  LevelBar(p);
  Outlined(p, kGreenEdge, kGreen);
  p.drawPolygon(Arrow({14.5, 8}, {5, 8}, 5, 2, 5));
}

void PaintLevelDown(QPainter& p) {
  LevelBar(p);
  Outlined(p, kGreenEdge, kGreen);
  p.drawPolygon(Arrow({5, 8}, {14.5, 8}, 5, 2, 5));
}

// A magnifier with its lens centred on (cx, cy).
void Magnifier(QPainter& p, qreal cx, qreal cy, qreal radius) {
  const qreal reach = radius * 0.7071;
  p.setPen(Stroke(kAmberEdge, 3));
  p.drawLine(QPointF(cx + reach + 0.6, cy + reach + 0.6),
             QPointF(cx + reach + radius * 0.85, cy + reach + radius * 0.85));
  Outlined(p, kSlate, kBlueLight, 1.5);
  p.drawEllipse(QPointF(cx, cy), radius, radius);
  p.setPen(Stroke(kPaper, 1));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(cx - radius + 1.6, cy - radius + 1.6, 2 * radius - 3.2, 2 * radius - 3.2),
            100 * 16, 70 * 16);
}

void PaintFind(QPainter& p) { Magnifier(p, 6.5, 6.5, 4.8); }

// Find next and previous: a smaller magnifier, the arrow underneath.
void PaintFindNext(QPainter& p) {
  Magnifier(p, 6, 5.5, 4.2);
  Outlined(p, kGreenEdge, kGreen);
  p.drawPolygon(Arrow({1, 13.5}, {8.5, 13.5}, 3.5, 1.1, 2.8));
}

void PaintFindPrevious(QPainter& p) {
  Magnifier(p, 6, 5.5, 4.2);
  Outlined(p, kGreenEdge, kGreen);
  p.drawPolygon(Arrow({8.5, 13.5}, {1, 13.5}, 3.5, 1.1, 2.8));
}

void PaintToggleCheck(QPainter& p) {
  Outlined(p, kSlate, kPaper);
  p.drawRoundedRect(QRectF(1.5, 3.5, 11, 11), 1.5, 1.5);
  QPainterPath tick;
  tick.moveTo(4, 8.5);
  tick.lineTo(7, 11.5);
  tick.lineTo(14, 2.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(Stroke(kGreen, 2.4));
  p.drawPath(tick);
}

struct Glyph {
  int id;
  void (*paint)(QPainter&);
};

constexpr Glyph kGlyphs[] = {
    {kCmdNew, PaintNew},
    {kCmdOpen, PaintOpen},
    {kCmdSave, PaintSave},
    {kCmdRecentFilePopup, PaintRecent},
    {kCmdCut, PaintCut},
    {kCmdCopy, PaintCopy},
    {kCmdPaste, PaintPaste},
    {kCmdAddChild, PaintAddChild},
    {kCmdAddSibling, PaintAddSibling},
    {kCmdDeleteBranch, PaintDelete},
    {kCmdOpenLinkFile, PaintOpenLink},
    {kCmdMoveUp, PaintMoveUp},
    {kCmdMoveDown, PaintMoveDown},
    {kCmdLevelUp, PaintLevelUp},
    {kCmdLevelDown, PaintLevelDown},
    {kCmdFind, PaintFind},
    {kCmdFindNext, PaintFindNext},
    {kCmdFindPrevious, PaintFindPrevious},
    {kCmdToggleCheck, PaintToggleCheck},
};
constexpr size_t kGlyphCount = std::size(kGlyphs);

}  // namespace

QIcon CommandIcons::Icon(int commandId) {
  static PaintedIconCache cache(kGlyphCount);
  for (size_t i = 0; i < kGlyphCount; ++i) {
    if (kGlyphs[i].id == commandId) return cache.Get(i, kGlyphs[i].paint);
  }
  return QIcon();
}

}  // namespace qm
