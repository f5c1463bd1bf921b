#include "app/layers/layer_list_dialog.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include "app/layers/layer_dialog.h"
#include "edit/engine/map_view_engine.h"
#include "model/project/map_project.h"

namespace qarto {

namespace {

constexpr int kTitleHeight = 14;

// The strip across the top of the docked bar, in the bar's own blue. The
// dock lays its title out by the size hint: a plain widget hints none, and
// the strip got no height at all.
class LayerBarTitle : public QWidget {
 public:
  explicit LayerBarTitle(QWidget* parent) : QWidget(parent) { setFixedHeight(kTitleHeight); }
  QSize sizeHint() const override { return {kLayerEntryWidth, kTitleHeight}; }
  QSize minimumSizeHint() const override { return {0, kTitleHeight}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect().adjusted(0, 0, -3, 0), QColor(0, 80, 234));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(rect().adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Layers"));
  }
};

}  // namespace

CLayerListDialog::CLayerListDialog(MapViewEngine& engine, EditorCommands& commands, QWidget* parent)
    : QDockWidget(QStringLiteral("Layers"), parent), context_(engine, commands) {
  setObjectName(QStringLiteral("LayerBar"));
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  // Dragged by its strip it moves between the sides, but never floats.
  setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
  setTitleBarWidget(new LayerBarTitle(this));
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

CLayerListDialog::~CLayerListDialog() {
  MapProject& project = context_.project();
  if (project.layerObserver() == this) project.setLayerObserver(nullptr);
}

CLayerDialog* CLayerListDialog::entry(int index) const {
  return index >= 0 && index < shown_ ? entries_[static_cast<std::size_t>(index)] : nullptr;
}

void CLayerListDialog::layerAdded(MapLayer& /*layer*/) {
  // The refresh that follows every addition lays the entries out.
}

void CLayerListDialog::refreshLayers() {
  MapProject& project = context_.project();
  const int count = project.layerCount();
  while (static_cast<int>(entries_.size()) < count) {
    auto* added = new CLayerDialog(context_, scroll_->widget());
    list_->insertWidget(static_cast<int>(entries_.size()), added);
    entries_.push_back(added);
  }
  // Entry i shows the i-th layer from the top.
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    CLayerDialog* item = entries_[static_cast<std::size_t>(i)];
    MapLayer* layer = i < count ? project.layerAt(count - 1 - i) : nullptr;
    item->showLayer(layer);
    item->setSelected(layer != nullptr && layer == project.activeLayer);
    item->setVisible(layer != nullptr);
  }
  shown_ = count;
}

void CLayerListDialog::activeLayerChanged(MapLayer* layer) {
  for (int i = 0; i < shown_; ++i) {
    CLayerDialog* item = entries_[static_cast<std::size_t>(i)];
    const bool selected = layer != nullptr && item->layer() == layer;
    item->setSelected(selected);
    if (selected) scroll_->ensureWidgetVisible(item, 0, 0);
  }
}

void CLayerListDialog::updateEntries() {
  for (int i = 0; i < shown_; ++i) entries_[static_cast<std::size_t>(i)]->updateDisplay();
}

}  // namespace qarto
