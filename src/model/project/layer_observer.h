#pragma once

namespace qarto {

struct MapLayer;

// What the layer bar hears about changes of the layer stack. The application
// implements it; the core calls it in the order the layer bar expects
// (added, refresh, active).
class LayerObserver {
 public:
  virtual ~LayerObserver() = default;
  virtual void layerAdded(MapLayer& layer) = 0;
  virtual void refreshLayers() = 0;
  virtual void activeLayerChanged(MapLayer* layer) = 0;
};

}  // namespace qarto
