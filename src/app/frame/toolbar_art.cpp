#include "app/frame/toolbar_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "edit/commands/command_ids.h"

namespace qarto {

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 31;

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 244);
const QColor kBlue(52, 101, 196);
const QColor kGreen(62, 160, 82);
const QColor kRed(206, 62, 52);
const QColor kGold(232, 176, 40);
const QColor kGrey(150, 150, 160);

void page(QPainter& p, const QColor& fill = kPaper) {
  QPainterPath path;
  path.moveTo(7, 3);
  path.lineTo(20, 3);
  path.lineTo(26, 9);
  path.lineTo(26, 28);
  path.lineTo(7, 28);
  path.closeSubpath();
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(fill);
  p.drawPath(path);
  p.drawLine(QPointF(20, 3), QPointF(20, 9));
  p.drawLine(QPointF(20, 9), QPointF(26, 9));
}

void tiles(QPainter& p, int x, int y, int side) {
  const QColor colours[4] = {kBlue, kGreen, kGold, kRed};
  for (int i = 0; i < 4; ++i) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(colours[i]);
    p.drawRect(x + (i % 2) * side, y + (i / 2) * side, side, side);
  }
}

void layerStack(QPainter& p, int count) {
  for (int i = count - 1; i >= 0; --i) {
    QPolygonF diamond;
    const double y = 9 + i * 5;
    diamond << QPointF(4, y + 5) << QPointF(16, y) << QPointF(28, y + 5) << QPointF(16, y + 10);
    p.setPen(QPen(kInk, 1));
    p.setBrush(i == 0 ? kBlue.lighter(130) : kGrey.lighter(125));
    p.drawPolygon(diamond);
  }
}

void plus(QPainter& p, double cx, double cy, const QColor& colour) {
  p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(cx - 4, cy), QPointF(cx + 4, cy));
  p.drawLine(QPointF(cx, cy - 4), QPointF(cx, cy + 4));
}

void label(QPainter& p, const QRectF& box, const QString& text, int pixelSize, const QColor& colour) {
  QFont font;
  font.setPixelSize(pixelSize);
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(box, Qt::AlignCenter, text);
}

void brush(QPainter& p, const QColor& tip) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(160, 110, 60));
  QPolygonF handle;
  handle << QPointF(25, 3) << QPointF(29, 7) << QPointF(16, 20) << QPointF(12, 16);
  p.drawPolygon(handle);
  p.setBrush(kGrey);
  QPolygonF ferrule;
  ferrule << QPointF(12, 16) << QPointF(16, 20) << QPointF(13, 23) << QPointF(9, 19);
  p.drawPolygon(ferrule);
  p.setBrush(tip);
  QPainterPath bristles;
  bristles.moveTo(9, 19);
  bristles.lineTo(13, 23);
  bristles.quadTo(9, 29, 3, 28);
  bristles.quadTo(4, 22, 9, 19);
  p.drawPath(bristles);
}

void draw(QPainter& p, int id) {
  using namespace cmd;
  switch (id) {
    case kNewMapWizard:
      page(p);
      tiles(p, 10, 12, 5);
      p.setPen(QPen(kGold, 2));
      p.drawLine(QPointF(25, 20), QPointF(30, 25));
      p.drawLine(QPointF(30, 20), QPointF(25, 25));
      p.drawLine(QPointF(24, 22.5), QPointF(31, 22.5));
      break;
    case kOpenMap: {
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(kGold.darker(110));
      p.drawRect(QRectF(3, 8, 22, 17));
      p.setBrush(kGold);
      QPolygonF flap;
      flap << QPointF(3, 25) << QPointF(9, 13) << QPointF(30, 13) << QPointF(25, 25);
      p.drawPolygon(flap);
      break;
    }
    case kOpenTilesets:
      tiles(p, 4, 6, 8);
      p.setPen(QPen(kInk, 2.2));
      p.drawLine(QPointF(22, 24), QPointF(29, 24));
      p.drawLine(QPointF(26, 20), QPointF(29, 24));
      p.drawLine(QPointF(26, 28), QPointF(29, 24));
      break;
    case kSaveMap:
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(kBlue);
      p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
      p.setBrush(kPaper);
      p.drawRect(QRectF(8, 4, 16, 9));
      p.setBrush(kGrey.lighter(140));
      p.drawRect(QRectF(9, 18, 14, 10));
      p.setBrush(kInk);
      p.drawRect(QRectF(18, 6, 3, 5));
      break;
    case kExportHeaders:
      page(p);
      label(p, QRectF(7, 9, 19, 18), QStringLiteral("{ }"), 10, kBlue);
      break;
    case kExportBinary:
      page(p);
      label(p, QRectF(7, 8, 19, 11), QStringLiteral("01"), 8, kGreen.darker(120));
      label(p, QRectF(7, 16, 19, 11), QStringLiteral("10"), 8, kGreen.darker(120));
      break;
    case kAddLayer:
      layerStack(p, 2);
      plus(p, 25, 6, kGreen.darker(110));
      break;
    case kResizeLayer:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kBlue.lighter(150));
      p.drawRect(QRectF(5, 9, 15, 15));
      p.setPen(QPen(kInk, 2));
      p.drawLine(QPointF(14, 18), QPointF(27, 5));
      p.drawLine(QPointF(21, 5), QPointF(27, 5));
      p.drawLine(QPointF(27, 5), QPointF(27, 11));
      break;
    case kUniqueTileCount:
      tiles(p, 3, 8, 7);
      label(p, QRectF(17, 6, 14, 20), QStringLiteral("#"), 16, kInk);
      break;
    case kPaintMode:
      brush(p, kRed);
      break;
    case kDetailPaintMode:
      brush(p, kBlue);
      p.setPen(QPen(kInk, 1, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(1, 20, 12, 10));
      break;
    case kRubberStampMode:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(160, 110, 60));
      p.drawEllipse(QRectF(11, 2, 10, 8));
      p.drawRect(QRectF(14, 9, 4, 8));
      p.setBrush(kRed);
      p.drawRoundedRect(QRectF(6, 16, 20, 6), 2, 2);
      p.setBrush(kRed.lighter(150));
      p.drawRect(QRectF(4, 25, 24, 3));
      break;
    case kFloodFillMode: {
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(kGrey.lighter(130));
      QPolygonF bucket;
      bucket << QPointF(6, 12) << QPointF(18, 6) << QPointF(25, 18) << QPointF(13, 24);
      p.drawPolygon(bucket);
      p.setBrush(kBlue);
      QPainterPath drop;
      drop.moveTo(26, 17);
      drop.quadTo(31, 25, 27, 28);
      drop.quadTo(23, 25, 26, 17);
      p.drawPath(drop);
      break;
    }
    case kFlagPaintMode:
      p.setPen(QPen(kInk, 2));
      p.drawLine(QPointF(8, 4), QPointF(8, 29));
      p.setPen(QPen(kInk, 1));
      p.setBrush(kRed);
      p.drawPolygon(QPolygonF() << QPointF(9, 5) << QPointF(26, 10) << QPointF(9, 16));
      break;
    case kEntityPlacementMode:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kGreen);
      p.drawEllipse(QRectF(11, 3, 10, 10));
      p.drawRoundedRect(QRectF(9, 13, 14, 10), 3, 3);
      p.drawRect(QRectF(10, 23, 4, 6));
      p.drawRect(QRectF(18, 23, 4, 6));
      p.setBrush(kPaper);
      p.drawEllipse(QRectF(13, 6, 3, 3));
      p.drawEllipse(QRectF(17, 6, 3, 3));
      break;
    case kSelectMode:  // a dashed rectangle of tiles
      tiles(p, 8, 8, 8);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(kPaper, 2));
      p.drawRect(QRectF(4, 4, 24, 24));
      p.setPen(QPen(kInk, 2, Qt::DashLine));
      p.drawRect(QRectF(4, 4, 24, 24));
      break;
    default:
      break;
  }
}

QPixmap picture(int id, const QColor& ground) {
  QPixmap pixmap(kWidth, kHeight);
  pixmap.fill(ground);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter, id);
  return pixmap;
}

}  // namespace

QIcon toolbarIcon(int commandId) {
  QIcon icon;
  icon.addPixmap(picture(commandId, Qt::transparent), QIcon::Normal);
  icon.addPixmap(picture(commandId, QColor(255, 255, 255, 110)), QIcon::Active);
  return icon;
}

std::span<const int> toolbarLayout() {
  using namespace cmd;
  static const int kLayout[] = {kNewMapWizard, kOpenMap, 0, kOpenTilesets, 0, kSaveMap, kExportHeaders, kExportBinary,
                                0, kAddLayer, kResizeLayer, 0, kUniqueTileCount, 0, kPaintMode, kDetailPaintMode,
                                kRubberStampMode, kFloodFillMode, kFlagPaintMode, kEntityPlacementMode, kSelectMode};
  return kLayout;
}

}  // namespace qarto
