#include "app/layers/layer_bar_entry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <cstdio>

#include "app/layers/layer_bar_art.h"
#include "app/layers/layer_bar_context.h"
#include "app/view/cursor_art.h"
#include "model/project/map_layer.h"
#include "model/project/map_project.h"

namespace qarto {

namespace {

constexpr int kNameBytes = static_cast<int>(kLayerNameSize) - 1;

QToolButton* toggleButton(QWidget* parent, LayerToggleArt art, const char* tip, bool checkable = true) {
  auto* button = new QToolButton(parent);
  button->setIcon(layerToggleIcon(art));
  button->setIconSize(QSize(18, 18));
  button->setCheckable(checkable);
  button->setToolTip(QString::fromUtf8(tip));
  button->setFocusPolicy(Qt::NoFocus);
  button->setCursor(Qt::ArrowCursor);
  return button;
}

void setButton(QToolButton* button, bool on) {
  if (button->isChecked() == on) return;
  const QSignalBlocker quiet(button);
  button->setChecked(on);
}

}  // namespace

QString layerKindText(const MapLayer& layer) {
  switch (layer.kind) {
    case LayerKind::Primary: return QStringLiteral(" Primary Layer");
    case LayerKind::Collision: return QStringLiteral(" Collision Layer");
    case LayerKind::Secondary: return QStringLiteral(" Secondary Layer");
    case LayerKind::Entity: return QStringLiteral(" Entity Layer");
  }
  return {};
}

QString layerSizeText(const MapLayer& layer) {
  char text[96] = "";
  if (layer.kind == LayerKind::Primary || layer.kind == LayerKind::Collision) {
    std::snprintf(text, sizeof text, " %ix%i tiles", layer.width, layer.height);
  } else if (layer.kind == LayerKind::Secondary) {
    std::snprintf(text, sizeof text, " %ix%i tiles, px(%0.2f x %0.2f)", layer.width, layer.height,
                  static_cast<double>(layer.parallaxX), static_cast<double>(layer.parallaxY));
  }
  return QString::fromLatin1(text);
}

CLayerBarEntry::CLayerBarEntry(LayerBarContext& bar, QWidget* parent) : QWidget(parent), bar_(bar) {
  setFixedSize(kLayerEntryWidth, kLayerEntryHeight);
  setCursor(layerEntryCursor());

  menuButton_ = toggleButton(this, LayerToggleArt::Menu, "Layer Settings");
  nameEdit_ = new QLineEdit(this);
  nameEdit_->setToolTip(QStringLiteral("Layer Name"));
  nameEdit_->setCursor(Qt::IBeamCursor);
  kindLabel_ = new QLabel(this);
  QFont bold = kindLabel_->font();
  bold.setBold(true);
  kindLabel_->setFont(bold);
  sizeLabel_ = new QLabel(this);
  visibleButton_ = toggleButton(this, LayerToggleArt::Visible, "Toggle Layer Visibility (Ctrl+V)");
  alphaButton_ = toggleButton(this, LayerToggleArt::Alpha, "Toggle Layer Alpha (Ctrl+A)");
  lockButton_ = toggleButton(this, LayerToggleArt::Lock, "Toggle Layer Locking (Ctrl+L)");
  flagsButton_ = toggleButton(this, LayerToggleArt::Flags, "Toggle Flag Display");
  groupingButton_ = toggleButton(this, LayerToggleArt::Grouping, "Set Tile Grouping");

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(5, 4, 5, 4);
  layout->setVerticalSpacing(1);
  layout->addWidget(menuButton_, 0, 0);
  layout->addWidget(nameEdit_, 0, 1);
  layout->addWidget(kindLabel_, 1, 0, 1, 2);
  layout->addWidget(sizeLabel_, 2, 0, 1, 2);
  auto* toggles = new QHBoxLayout;
  toggles->setSpacing(2);
  for (QToolButton* button : {visibleButton_, alphaButton_, lockButton_, flagsButton_, groupingButton_}) {
    toggles->addWidget(button);
  }
  toggles->addStretch(1);
  layout->addLayout(toggles, 3, 0, 1, 2);

  connect(menuButton_, &QToolButton::clicked, this, &CLayerBarEntry::openLayersMenu);
  connect(nameEdit_, &QLineEdit::textEdited, this, &CLayerBarEntry::nameEdited);
  for (QToolButton* button : {visibleButton_, alphaButton_, lockButton_, flagsButton_, groupingButton_}) {
    connect(button, &QToolButton::toggled, this, [this, button](bool on) { toggled(button, on); });
  }
}

MapLayer* CLayerBarEntry::layer() const { return bar_.contains(layer_) ? layer_ : nullptr; }

void CLayerBarEntry::showLayer(MapLayer* layer) {
  layer_ = layer;
  updateDisplay();
}

void CLayerBarEntry::setSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  update();
}

void CLayerBarEntry::updateDisplay() {
  MapLayer* shown = layer();
  if (shown == nullptr) {
    layer_ = nullptr;  // gone from the project: never looked at again
    nameEdit_->clear();
    kindLabel_->clear();
    sizeLabel_->clear();
    return;
  }
  setButton(visibleButton_, shown->visible);
  setButton(alphaButton_, shown->alpha);
  // A hidden layer cannot be painted: its lock shows on.
  setButton(lockButton_, shown->locked || !shown->visible);
  setButton(flagsButton_, bar_.showFlags());
  setButton(groupingButton_, shown->tileGrouping);
  const QString name = QString::fromLatin1(shown->nameText().c_str());
  if (nameEdit_->text() != name) nameEdit_->setText(name);
  kindLabel_->setText(layerKindText(*shown));
  sizeLabel_->setText(layerSizeText(*shown));
  const bool collision = shown->kind == LayerKind::Collision;
  flagsButton_->setVisible(collision);
  groupingButton_->setVisible(!collision);
}

void CLayerBarEntry::paintEvent(QPaintEvent*) {
  // Every paint shows the layer as it is now, or nothing once it is gone.
  updateDisplay();
  QPainter painter(this);
  painter.drawPixmap(0, 0, layerEntryBackground(size(), selected_));
}

void CLayerBarEntry::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) select();
}

void CLayerBarEntry::select() {
  MapLayer* shown = layer();
  if (shown == nullptr || selected_) return;
  bar_.selectLayer(shown);
  if (bar_.changed) bar_.changed();
}

void CLayerBarEntry::openLayersMenu() {
  select();
  if (bar_.layersMenu != nullptr) {
    bar_.layersMenu->exec(menuButton_->mapToGlobal(QPoint(-1, menuButton_->height())));
  }
  setButton(menuButton_, false);
}

void CLayerBarEntry::nameEdited(const QString& text) {
  // A layer name is at most 31 Latin-1 bytes.
  QByteArray bytes = text.toLatin1().left(kNameBytes);
  const QString kept = QString::fromLatin1(bytes);
  if (kept != text) {
    const int cursor = std::min(nameEdit_->cursorPosition(), static_cast<int>(kept.size()));
    nameEdit_->setText(kept);
    nameEdit_->setCursorPosition(cursor);
  }
  MapLayer* shown = layer();
  if (shown == nullptr) return;
  const std::string name = bytes.toStdString();
  if (shown->nameText() == name) return;
  shown->setName(name);
  bar_.project().modified = true;
  if (bar_.changed) bar_.changed();
}

void CLayerBarEntry::toggled(QToolButton* button, bool on) {
  MapLayer* shown = layer();
  if (shown == nullptr) {
    updateDisplay();
    return;
  }
  if (button == visibleButton_) {
    shown->visible = on;
  } else if (button == alphaButton_) {
    shown->alpha = on;
  } else if (button == lockButton_) {
    shown->locked = on;
  } else if (button == flagsButton_) {
    bar_.setShowFlags(on);
  } else if (button == groupingButton_) {
    if (shown->tileGrouping == on) return;
    shown->tileGrouping = on;
    bar_.project().modified = true;  // the export reads it from the map file
  }
  updateDisplay();
  if (bar_.changed) bar_.changed();
}

}  // namespace qarto
