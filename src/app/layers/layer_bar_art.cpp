#include "app/layers/layer_bar_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace qarto {

namespace {

constexpr int kSide = 18;
const QColor kInk(36, 36, 44);
const QColor kOff(140, 140, 150);

void eye(QPainter& p, bool open) {
  QPainterPath lid;
  lid.moveTo(2, 9);
  lid.quadTo(9, 1, 16, 9);
  lid.quadTo(9, 17, 2, 9);
  p.setPen(QPen(open ? kInk : kOff, 1.4));
  p.setBrush(open ? QColor(255, 255, 255) : Qt::NoBrush);
  p.drawPath(lid);
  if (open) {
    p.setBrush(QColor(40, 100, 200));
    p.drawEllipse(QPointF(9, 9), 3, 3);
  } else {
    p.drawLine(QPointF(3, 15), QPointF(15, 3));
  }
}

void alpha(QPainter& p, bool on) {
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      const bool dark = (x + y) % 2 == 0;
      QColor colour = dark ? QColor(60, 110, 200) : QColor(235, 235, 235);
      if (on) colour.setAlpha(dark ? 110 : 255);
      p.fillRect(QRectF(3 + x * 4, 3 + y * 4, 4, 4), colour);
    }
  }
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(3, 3, 12, 12));
}

void padlock(QPainter& p, bool locked) {
  p.setPen(QPen(locked ? kInk : kOff, 1.6));
  p.setBrush(Qt::NoBrush);
  QPainterPath shackle;
  if (locked) {
    shackle.moveTo(5.5, 9);
    shackle.lineTo(5.5, 5.5);
    shackle.arcTo(QRectF(5.5, 2, 7, 7), 180, -180);
    shackle.lineTo(12.5, 9);
  } else {
    shackle.moveTo(5.5, 9);
    shackle.lineTo(5.5, 4.5);
    shackle.arcTo(QRectF(5.5, 1, 7, 7), 180, -180);
  }
  p.drawPath(shackle);
  p.setPen(QPen(kInk, 1));
  p.setBrush(locked ? QColor(220, 170, 40) : QColor(225, 225, 225));
  p.drawRoundedRect(QRectF(3.5, 9, 11, 7), 1.5, 1.5);
}

void flag(QPainter& p, bool on) {
  p.setPen(QPen(on ? kInk : kOff, 1.6));
  p.drawLine(QPointF(4, 2), QPointF(4, 16));
  p.setPen(QPen(on ? kInk : kOff, 1));
  p.setBrush(on ? QColor(210, 50, 50) : Qt::NoBrush);
  p.drawPolygon(QPolygonF() << QPointF(5, 3) << QPointF(15, 6) << QPointF(5, 10));
}

void grouping(QPainter& p, bool on) {
  p.setPen(QPen(kInk, 1));
  const QColor fill = on ? QColor(60, 160, 90) : QColor(225, 225, 225);
  const int gap = on ? 0 : 2;
  for (int i = 0; i < 4; ++i) {
    p.setBrush(fill);
    p.drawRect(QRectF(3 + (i % 2) * (6 + gap), 3 + (i / 2) * (6 + gap), 6, 6));
  }
  if (on) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 90, 40), 1.4));
    p.drawRect(QRectF(2, 2, 14, 14));
  }
}

void menu(QPainter& p, bool pressed) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(pressed ? QColor(250, 210, 90) : QColor(240, 240, 240));
  for (int i = 0; i < 3; ++i) p.drawRect(QRectF(3, 3 + i * 4, 12, 2.5));
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF() << QPointF(11, 14) << QPointF(17, 14) << QPointF(14, 17));
}

QPixmap picture(LayerToggleArt art, bool on) {
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  switch (art) {
    case LayerToggleArt::Menu: menu(painter, on); break;
    case LayerToggleArt::Visible: eye(painter, on); break;
    case LayerToggleArt::Alpha: alpha(painter, on); break;
    case LayerToggleArt::Lock: padlock(painter, on); break;
    case LayerToggleArt::Flags: flag(painter, on); break;
    case LayerToggleArt::Grouping: grouping(painter, on); break;
  }
  return pixmap;
}

}  // namespace

QIcon layerToggleIcon(LayerToggleArt art) {
  QIcon icon;
  icon.addPixmap(picture(art, true), QIcon::Normal, QIcon::On);
  icon.addPixmap(picture(art, false), QIcon::Normal, QIcon::Off);
  return icon;
}

QPixmap layerEntryBackground(QSize size, bool selected) {
  QPixmap pixmap(size);
  QPainter painter(&pixmap);
  QLinearGradient ground(0, 0, 0, size.height());
  if (selected) {
    ground.setColorAt(0, QColor(255, 236, 170));
    ground.setColorAt(1, QColor(240, 200, 110));
  } else {
    ground.setColorAt(0, QColor(236, 238, 242));
    ground.setColorAt(1, QColor(210, 214, 222));
  }
  painter.fillRect(pixmap.rect(), ground);
  painter.setPen(selected ? QColor(170, 120, 20) : QColor(150, 154, 165));
  painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
  return pixmap;
}

}  // namespace qarto
