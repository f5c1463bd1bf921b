#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "render/layers/layer_composer.h"

namespace qarto {

struct DrawStats;
class MapProject;

// One window-sized texture per layer, filled from its LayerComposer:
// after a change of view the part of the window the layer covers is
// uploaded, otherwise only the cells that changed. Drawing a layer is then one quad over the cells it
// covers, whatever the zoom.
class ComposedLayers {
 public:
  ComposedLayers() = default;
  ComposedLayers(const ComposedLayers&) = delete;
  ComposedLayers& operator=(const ComposedLayers&) = delete;
  ~ComposedLayers();

  // Brings the layer's texture up to date and draws it with the current
  // colour and blending. False when no texture of the window's size can be
  // made (the caller then draws the cells one by one).
  bool draw(const MapLayer& layer, const LayerView& view, const PageCache& pages, const HiddenCells& hidden,
            DrawStats& stats);

  // Forgets the layers that are no longer in the project.
  void prune(const MapProject& project);
  // Deletes every texture; with the context current.
  void release();

 private:
  struct Entry {
    LayerComposer composer;
    std::uint32_t texture = 0;
    int textureWidth = 0;
    int textureHeight = 0;
  };
  bool ensureTexture(Entry& entry, int width, int height);

  std::map<const MapLayer*, std::unique_ptr<Entry>> entries_;
  bool anySizeKnown_ = false;  // asked once per context
  bool anySize_ = false;
};

}  // namespace qarto
