#include "app/view/cursor_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qarto {

namespace {

constexpr int kSide = 32;

// Every pointer has a white outline under its black ink so it shows on
// any tile.
void stroke(QPainter& p, const QPainterPath& path) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
}

QPainterPath crosshair() {
  QPainterPath path;
  path.moveTo(1, 8);
  path.lineTo(6, 8);
  path.moveTo(10, 8);
  path.lineTo(15, 8);
  path.moveTo(8, 1);
  path.lineTo(8, 6);
  path.moveTo(8, 10);
  path.lineTo(8, 15);
  return path;
}

void drawBadge(QPainter& p, CursorKind kind) {
  QPainterPath path;
  switch (kind) {
    case CursorKind::Pattern:  // a small checkered tile
      path.addRect(16, 16, 10, 10);
      path.moveTo(21, 16);
      path.lineTo(21, 26);
      path.moveTo(16, 21);
      path.lineTo(26, 21);
      break;
    case CursorKind::DetailPaint:
      path.addEllipse(QPointF(21, 21), 5, 5);
      break;
    case CursorKind::Stamp:
      path.addRect(17, 14, 6, 5);
      path.addRect(14, 19, 12, 4);
      path.moveTo(13, 26);
      path.lineTo(27, 26);
      break;
    case CursorKind::Selection:
      path.addRect(15, 15, 12, 10);
      break;
    case CursorKind::Fill:
      path.moveTo(15, 19);
      path.lineTo(21, 14);
      path.lineTo(27, 20);
      path.lineTo(21, 26);
      path.closeSubpath();
      path.moveTo(27, 20);
      path.lineTo(28, 26);
      break;
    case CursorKind::Flag:
      path.moveTo(17, 28);
      path.lineTo(17, 14);
      path.lineTo(26, 17);
      path.lineTo(17, 20);
      break;
    case CursorKind::Entity:
      path.addEllipse(QPointF(21, 17), 3, 3);
      path.addRect(18, 20, 6, 6);
      break;
    default:
      break;
  }
  stroke(p, path);
}

QCursor toolCursor(CursorKind kind) {
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  stroke(painter, crosshair());
  drawBadge(painter, kind);
  painter.end();
  return QCursor(pixmap, 8, 8);
}

}  // namespace

QCursor viewCursor(CursorKind kind) {
  switch (kind) {
    case CursorKind::Default:
    case CursorKind::Arrow: return QCursor(Qt::ArrowCursor);
    case CursorKind::Hand: return QCursor(Qt::ClosedHandCursor);
    default: {
      static QCursor cache[static_cast<int>(CursorKind::Hand) + 1];
      static bool made[static_cast<int>(CursorKind::Hand) + 1] = {};
      const auto index = static_cast<int>(kind);
      if (!made[index]) {
        cache[index] = toolCursor(kind);
        made[index] = true;
      }
      return cache[index];
    }
  }
}

QCursor layerEntryCursor() {
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath arrow;
  arrow.moveTo(1, 1);
  arrow.lineTo(1, 15);
  arrow.lineTo(5, 11);
  arrow.lineTo(8, 17);
  arrow.lineTo(10, 16);
  arrow.lineTo(7, 10);
  arrow.lineTo(12, 10);
  arrow.closeSubpath();
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawPath(arrow);
  // A little layer diamond beside the arrow.
  QPolygonF diamond;
  diamond << QPointF(13, 18) << QPointF(19, 15) << QPointF(25, 18) << QPointF(19, 21);
  painter.setBrush(QColor(60, 110, 200));
  painter.drawPolygon(diamond);
  painter.end();
  return QCursor(pixmap, 1, 1);
}

}  // namespace qarto
