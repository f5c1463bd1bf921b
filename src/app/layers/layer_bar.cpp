#include "app/layers/layer_bar.h"

#include <QLabel>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include "app/layers/layer_bar_entry.h"
#include "app/side_bars/bar_title.h"
#include "edit/engine/map_view_engine.h"
#include "model/project/map_project.h"

namespace qarto {

CLayerBar::CLayerBar(MapViewEngine& engine, EditorCommands& commands, QWidget* parent)
    : QDockWidget(QStringLiteral("Layers"), parent), context_(engine, commands) {
  setObjectName(QStringLiteral("LayerBar"));
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  // Dragged by its strip it moves between the sides, but never floats.
  setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
  setTitleBarWidget(new BarTitle(QStringLiteral("Layers"), kLayerEntryWidth, this));
  setMinimumHeight(180);

  auto* holder = new QWidget;
  list_ = new QVBoxLayout(holder);
  list_->setContentsMargins(3, 3, 3, 3);
  list_->setSpacing(0);
  list_->addStretch(1);
  scroll_ = new QScrollArea(this);
  scroll_->setWidget(holder);
  scroll_->setWidgetResizable(true);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->setFrameShape(QFrame::StyledPanel);
  // Room for one entry beside the scroll bar.
  scroll_->setMinimumWidth(kLayerEntryWidth + 2 * 3 + 2 * scroll_->frameWidth() +
                           scroll_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
  setWidget(scroll_);
  context_.flagsChanged = [this] { updateEntries(); };

  engine.project().setLayerObserver(this);
  refreshLayers();
}

CLayerBar::~CLayerBar() {
  MapProject& project = context_.project();
  if (project.layerObserver() == this) project.setLayerObserver(nullptr);
}

CLayerBarEntry* CLayerBar::entry(int index) const {
  return index >= 0 && index < shown_ ? entries_[static_cast<std::size_t>(index)] : nullptr;
}

void CLayerBar::layerAdded(MapLayer& /*layer*/) {
  // The refresh that follows every addition lays the entries out.
}

void CLayerBar::refreshLayers() {
  MapProject& project = context_.project();
  const int count = project.layerCount();
  while (static_cast<int>(entries_.size()) < count) {
    auto* added = new CLayerBarEntry(context_, scroll_->widget());
    list_->insertWidget(static_cast<int>(entries_.size()), added);
    entries_.push_back(added);
  }
  // Entry i shows the i-th layer from the top.
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    CLayerBarEntry* item = entries_[static_cast<std::size_t>(i)];
    MapLayer* layer = i < count ? project.layerAt(count - 1 - i) : nullptr;
    item->showLayer(layer);
    item->setSelected(layer != nullptr && layer == project.activeLayer);
    item->setVisible(layer != nullptr);
  }
  shown_ = count;
}

void CLayerBar::activeLayerChanged(MapLayer* layer) {
  for (int i = 0; i < shown_; ++i) {
    CLayerBarEntry* item = entries_[static_cast<std::size_t>(i)];
    const bool selected = layer != nullptr && item->layer() == layer;
    item->setSelected(selected);
    if (selected) scroll_->ensureWidgetVisible(item, 0, 0);
  }
}

void CLayerBar::updateEntries() {
  for (int i = 0; i < shown_; ++i) entries_[static_cast<std::size_t>(i)]->updateDisplay();
}

}  // namespace qarto
