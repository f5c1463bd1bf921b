#pragma once

#include <QDockWidget>
#include <vector>

#include "app/layers/layer_bar_context.h"
#include "model/project/layer_observer.h"

class QScrollArea;
class QVBoxLayout;

namespace qarto {

class CLayerBarEntry;

// The layer bar: docked at the left or the right of the frame, one entry
// per layer with the topmost layer first, scrolling when they do not fit.
// It keeps no layer data: on every change of the stack (the core tells it
// through LayerObserver) the entries are pointed at the layers anew, and
// an entry whose layer left the project shows nothing.
class CLayerBar : public QDockWidget, public LayerObserver {
  Q_OBJECT

 public:
  CLayerBar(MapViewEngine& engine, EditorCommands& commands, QWidget* parent = nullptr);
  ~CLayerBar() override;

  LayerBarContext& context() { return context_; }

  // LayerObserver.
  void layerAdded(MapLayer& layer) override;
  void refreshLayers() override;
  void activeLayerChanged(MapLayer* layer) override;

  // Entries in use (one per layer), top layer first.
  int entryCount() const { return shown_; }
  CLayerBarEntry* entry(int index) const;
  // Every entry's toggles and texts from its layer.
  void updateEntries();

 private:
  LayerBarContext context_;
  QScrollArea* scroll_ = nullptr;
  QVBoxLayout* list_ = nullptr;
  std::vector<CLayerBarEntry*> entries_;  // grown on demand, never shrunk
  int shown_ = 0;
};

}  // namespace qarto
