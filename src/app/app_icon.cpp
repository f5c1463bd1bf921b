#include "app/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace qarto {

namespace {

QPixmap picture(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / 64.0, side / 64.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(33, 46, 82));
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
  // Three layers of tiles, the top one in colour.
  const QColor layers[3] = {QColor(90, 104, 140), QColor(120, 140, 180), QColor(0, 0, 0)};
  const QColor tiles[4] = {QColor(64, 160, 90), QColor(232, 176, 40), QColor(52, 120, 210), QColor(210, 70, 60)};
  for (int layer = 2; layer >= 0; --layer) {
    const double y = 14 + layer * 9;
    if (layer > 0) {
      p.setBrush(layers[layer - 1]);
      p.drawPolygon(QPolygonF() << QPointF(8, y + 10) << QPointF(32, y) << QPointF(56, y + 10) << QPointF(32, y + 20));
      continue;
    }
    for (int i = 0; i < 4; ++i) {
      const double cx = 32 + ((i % 2) - (i / 2)) * 12;
      const double cy = y + 5 + ((i % 2) + (i / 2)) * 5;
      p.setBrush(tiles[i]);
      p.drawPolygon(QPolygonF() << QPointF(cx - 12, cy) << QPointF(cx, cy - 5) << QPointF(cx + 12, cy)
                                << QPointF(cx, cy + 5));
    }
  }
  return pixmap;
}

}  // namespace

QIcon applicationIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128}) icon.addPixmap(picture(side));
  return icon;
}

}  // namespace qarto
