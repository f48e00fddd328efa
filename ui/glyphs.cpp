// Pictures painted with QPainter, so the program ships no image files.
#include "ui/glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace glyphs {
namespace {

constexpr int kFlagWidth = 16;
constexpr int kFlagHeight = 11;
constexpr int kIconSize = 16;

QPixmap Blank(int w, int h) {
  QPixmap pixmap(w, h);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// Three horizontal bands, top to bottom, inside a thin frame.
void PaintBands(QPainter& p, QRect area, const QColor (&colours)[3]) {
  const int band = area.height() / 3;
  for (int i = 0; i < 3; ++i) {
    const int top = area.top() + i * band;
    const int height = i == 2 ? area.bottom() + 1 - top : band;
    p.fillRect(QRect(area.left(), top, area.width(), height), colours[i]);
  }
  p.setPen(QColor(90, 90, 90));
  p.drawRect(area.adjusted(0, 0, -1, -1));
}

const QColor kRussianBands[3] = {Qt::white, QColor(0, 57, 166), QColor(213, 43, 30)};

}  // namespace

QPixmap RussianFlag() {
  QPixmap pixmap = Blank(kFlagWidth, kFlagHeight);
  QPainter p(&pixmap);
  PaintBands(p, pixmap.rect(), kRussianBands);
  return pixmap;
}

QPixmap BritishFlag() {
  QPixmap pixmap = Blank(kFlagWidth, kFlagHeight);
  QPainter p(&pixmap);
  const QColor blue(1, 33, 105), red(200, 16, 46);
  p.fillRect(pixmap.rect(), blue);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 3));
  p.drawLine(0, 0, kFlagWidth, kFlagHeight);
  p.drawLine(0, kFlagHeight, kFlagWidth, 0);
  p.setPen(QPen(red, 1));
  p.drawLine(0, 0, kFlagWidth, kFlagHeight);
  p.drawLine(0, kFlagHeight, kFlagWidth, 0);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(6, 0, 4, kFlagHeight), Qt::white);
  p.fillRect(QRect(0, 4, kFlagWidth, 3), Qt::white);
  p.fillRect(QRect(7, 0, 2, kFlagHeight), red);
  p.fillRect(QRect(0, 5, kFlagWidth, 1), red);
  return pixmap;
}

QPixmap RussianFlagIcon() {
  QPixmap pixmap = Blank(kIconSize, kIconSize);
  QPainter p(&pixmap);
  PaintBands(p, QRect(0, 2, kIconSize, 12), kRussianBands);
  return pixmap;
}

QPixmap TricolourIcon() {
  QPixmap pixmap = Blank(kIconSize, kIconSize);
  QPainter p(&pixmap);
  const QColor stripes[3] = {QColor(0, 43, 127), QColor(252, 209, 22), QColor(206, 17, 38)};
  const QRect area(0, 2, kIconSize, 12);
  for (int i = 0; i < 3; ++i) {
    p.fillRect(QRect(area.left() + i * 5 + (i > 0 ? 1 : 0), area.top(), 5, area.height()),
               stripes[i]);
  }
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(140, 90, 30));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(8, 8), 2, 2.5);
  p.setPen(QColor(90, 90, 90));
  p.setBrush(Qt::NoBrush);
  p.drawRect(area.adjusted(0, 0, -1, -1));
  return pixmap;
}

QPixmap Refresh() {
  QPixmap pixmap = Blank(kIconSize, kIconSize);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor green(20, 150, 40);
  p.setPen(QPen(green, 2, Qt::SolidLine, Qt::RoundCap));
  const QRectF ring(3, 3, 10, 10);
  p.drawArc(ring, 30 * 16, 150 * 16);
  p.drawArc(ring, 210 * 16, 150 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(green);
  p.drawPolygon(QPolygonF({QPointF(13.5, 2), QPointF(14.5, 8), QPointF(9, 5.5)}));
  p.drawPolygon(QPolygonF({QPointF(2.5, 14), QPointF(1.5, 8), QPointF(7, 10.5)}));
  return pixmap;
}

QPixmap BreakCross() {
  QPixmap pixmap = Blank(kIconSize, kIconSize);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(200, 20, 20));
  p.setPen(QColor(120, 0, 0));
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(5, 5), QPointF(11, 11));
  p.drawLine(QPointF(11, 5), QPointF(5, 11));
  return pixmap;
}

}  // namespace glyphs
