#include "app/dialogs/art/dialog_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace qarto {

namespace {

QPixmap blank(int width, int height) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A tile of the program icon's map: sky, grass or earth by row.
QColor mapTileColour(int column, int row, int rows) {
  if (row < rows / 2) return (column + row) % 3 == 0 ? QColor(150, 200, 255) : QColor(110, 170, 240);
  if (row == rows / 2) return QColor(70, 170, 60);
  return (column + row) % 2 == 0 ? QColor(150, 100, 55) : QColor(125, 80, 45);
}

QPixmap programPixmap(int side) {
  QPixmap pixmap = blank(side, side);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, false);
  const int tiles = 4;
  const int margin = std::max(1, side / 16);
  const double tile = (side - 2.0 * margin) / tiles;
  for (int row = 0; row < tiles; ++row) {
    for (int column = 0; column < tiles; ++column) {
      const QRectF cell(margin + column * tile, margin + row * tile, tile, tile);
      p.fillRect(cell, mapTileColour(column, row, tiles));
    }
  }
  if (side >= 24) {
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    for (int i = 1; i < tiles; ++i) {
      const double at = margin + i * tile;
      p.drawLine(QPointF(at, margin), QPointF(at, side - margin));
      p.drawLine(QPointF(margin, at), QPointF(side - margin, at));
    }
  }
  p.setPen(QPen(QColor(30, 30, 60), std::max(1, side / 16)));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(margin, margin, side - 2.0 * margin - 1, side - 2.0 * margin - 1));
  return pixmap;
}

// A span with arrow heads between two bars, drawn across the pixmap.
QPixmap spanIcon(bool horizontal) {
  const int side = 16;
  QPixmap pixmap = blank(side, side);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  if (!horizontal) {
    p.translate(side, 0);
    p.rotate(90);
  }
  const QColor ink(20, 60, 150);
  p.setPen(QPen(ink, 1.5));
  p.drawLine(QPointF(1.5, 3), QPointF(1.5, 13));
  p.drawLine(QPointF(14.5, 3), QPointF(14.5, 13));
  p.drawLine(QPointF(3, 8), QPointF(13, 8));
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(7, 5), QPointF(7, 11)}));
  p.drawPolygon(QPolygonF({QPointF(13, 8), QPointF(9, 5), QPointF(9, 11)}));
  return pixmap;
}

}  // namespace

QIcon programIcon() {
  QIcon icon;
  for (int side : {16, 32, 48}) icon.addPixmap(programPixmap(side));
  return icon;
}

QPixmap widthSizeIcon() { return spanIcon(true); }
QPixmap heightSizeIcon() { return spanIcon(false); }

QIcon exportFileTabIcon() {
  QPixmap pixmap = blank(16, 16);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  QPainterPath page;
  page.moveTo(3.5, 1.5);
  page.lineTo(10, 1.5);
  page.lineTo(13.5, 5);
  page.lineTo(13.5, 14.5);
  page.lineTo(3.5, 14.5);
  page.closeSubpath();
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(Qt::white);
  p.drawPath(page);
  p.setBrush(QColor(200, 200, 200));
  p.drawPolygon(QPolygonF({QPointF(10, 1.5), QPointF(10, 5), QPointF(13.5, 5)}));
  p.setPen(QPen(QColor(40, 90, 180), 1));
  for (int y : {7, 9, 11}) p.drawLine(QPointF(5.5, y + 0.5), QPointF(11.5, y + 0.5));
  return QIcon(pixmap);
}

QIcon exportMiscTabIcon() {
  QPixmap pixmap = blank(16, 16);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  const int knobs[] = {5, 11, 8};
  for (int i = 0; i < 3; ++i) {
    const double y = 3.5 + i * 4.5;
    p.setPen(QPen(QColor(70, 70, 70), 1.2));
    p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(230, 150, 40));
    p.drawEllipse(QPointF(knobs[i], y), 2.2, 2.2);
  }
  return QIcon(pixmap);
}

QPixmap aboutPicture() {
  const int tile = 8;
  const int columns = 16;
  const int rows = 12;
  QPixmap pixmap(columns * tile, rows * tile);
  QPainter p(&pixmap);
  QLinearGradient sky(0, 0, 0, rows * tile);
  sky.setColorAt(0.0, QColor(70, 120, 220));
  sky.setColorAt(1.0, QColor(190, 225, 255));
  p.fillRect(pixmap.rect(), sky);

  // A far hill layer and a near one, the way parallax layers stack.
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 160, 200));
  QPainterPath far;
  far.moveTo(0, 64);
  for (int x = 0; x <= columns * tile; x += 4) far.lineTo(x, 56 - 10 * std::sin(x / 18.0));
  far.lineTo(columns * tile, 96);
  far.lineTo(0, 96);
  p.drawPath(far);
  p.setBrush(QColor(80, 150, 90));
  QPainterPath near;
  near.moveTo(0, 80);
  for (int x = 0; x <= columns * tile; x += 4) near.lineTo(x, 70 - 6 * std::cos(x / 11.0));
  near.lineTo(columns * tile, 96);
  near.lineTo(0, 96);
  p.drawPath(near);

  // The primary layer: a ground of tiles with a raised block.
  p.setRenderHint(QPainter::Antialiasing, false);
  auto ground = [&p, tile](int column, int row, bool top) {
    const QRect cell(column * tile, row * tile, tile, tile);
    p.fillRect(cell, (column + row) % 2 ? QColor(150, 100, 55) : QColor(135, 88, 48));
    if (top) p.fillRect(QRect(cell.x(), cell.y(), tile, 3), QColor(60, 180, 70));
    p.setPen(QColor(90, 60, 30));
    p.drawRect(cell.adjusted(0, 0, -1, -1));
  };
  for (int column = 0; column < columns; ++column) {
    ground(column, rows - 2, true);
    ground(column, rows - 1, false);
  }
  for (int column = 9; column < 13; ++column) ground(column, rows - 4, true);
  for (int column = 9; column < 13; ++column) ground(column, rows - 3, false);

  // A selection frame and the grid, as the editor draws them.
  p.setPen(QPen(QColor(255, 255, 255, 60), 1));
  for (int x = tile; x < columns * tile; x += tile) p.drawLine(x, 0, x, rows * tile);
  for (int y = tile; y < rows * tile; y += tile) p.drawLine(0, y, columns * tile, y);
  p.setPen(QPen(QColor(255, 230, 0), 1));
  p.drawRect(QRect(2 * tile, 5 * tile, 3 * tile, 2 * tile).adjusted(0, 0, -1, -1));
  return pixmap.scaled(pixmap.size() * 2, Qt::KeepAspectRatio, Qt::FastTransformation);
}

QIcon anchorIcon(int dx, int dy) {
  const int side = 20;
  QPixmap pixmap = blank(side, side);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QColor ink(30, 30, 30);
  if (dx == 0 && dy == 0) {
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(40, 90, 200));
    p.drawRect(QRectF(5.5, 5.5, 9, 9));
    return QIcon(pixmap);
  }
  const double length = std::hypot(dx, dy);
  const double ux = dx / length;
  const double uy = dy / length;
  const QPointF centre(side / 2.0, side / 2.0);
  const QPointF tail = centre - QPointF(ux, uy) * 6.0;
  const QPointF tip = centre + QPointF(ux, uy) * 7.0;
  p.setPen(QPen(ink, 1.6));
  p.drawLine(tail, tip - QPointF(ux, uy) * 3.0);
  const QPointF side1(-uy, ux);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPolygon(QPolygonF({tip, tip - QPointF(ux, uy) * 5.0 + side1 * 3.5, tip - QPointF(ux, uy) * 5.0 - side1 * 3.5}));
  return QIcon(pixmap);
}

}  // namespace qarto
