#include "app/side_bars/flags_legend.h"

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "edit/collision/collision_kind_colors.h"

namespace qarto {

namespace {

QIcon badge(ViewColor colour) {
  constexpr int kSide = 12;
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::black);
  QPainter painter(&pixmap);
  painter.fillRect(1, 1, kSide - 2, kSide - 2, QColor(colour.r, colour.g, colour.b));
  return QIcon(pixmap);
}

}  // namespace

void addKindSwatches(QComboBox& markers, QComboBox& damage) {
  // Entry 0 is "None": nothing is drawn for it.
  for (int i = 1; i < markers.count(); ++i) markers.setItemIcon(i, badge(markerColor(i)));
  for (int i = 1; i < damage.count(); ++i) damage.setItemIcon(i, badge(damageColor(i)));
}

QLabel* flagsLegendLabel() {
  auto* label = new QLabel(QStringLiteral("On the map: markers top left, damage bottom right in a cell (M)"));
  label->setObjectName(QStringLiteral("flagsLegend"));
  label->setWordWrap(true);
  return label;
}

}  // namespace qarto
