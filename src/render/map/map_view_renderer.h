#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "render/layers/composed_layers.h"
#include "render/layers/hidden_cells.h"
#include "render/layers/page_cache.h"
#include "render/map/entity_sprites.h"
#include "render/map/scaled_flag_icons.h"
#include "render/window_rect.h"

namespace qarto {

class BitmapFont;
class BuiltinTextures;
struct DrawStats;
struct FrameInput;
struct MapPass;
class TilesetRegistry;

// How the cells of a layer reach the screen. Composed (the default) draws
// each layer as one quad of a texture composed on the CPU; Cells draws one
// quad per visible cell. Both give the same picture at whole zooms.
enum class LayerPath { Composed, Cells };

// Draws one frame of the map view, every pass in its order. Needs the
// context current, the colour buffer cleared and blending enabled.
class MapViewRenderer {
 public:
  MapViewRenderer(const BitmapFont& font, const BuiltinTextures& builtins) : font_(font), builtins_(builtins) {}

  // `clip`: only that part of the window is drawn (the caller scissors to
  // it); its cells are drawn one by one and the composed textures are left
  // as they are. Same pixels there as a whole frame at whole zooms.
  void draw(const FrameInput& input, DrawStats& stats, const WindowRect* clip = nullptr);
  void setLayerPath(LayerPath path) { path_ = path; }
  LayerPath layerPath() const { return path_; }
  // Deletes the composed textures; with the context current.
  void release() {
    composed_.release();
    flagIcons_.release();
    sprites_.release();
  }

 private:
  HiddenCells& hiddenFor(std::size_t index);
  void drawRun(MapPass& pass, std::size_t length, const TilesetRegistry& registry, DrawStats& stats);

  const BitmapFont& font_;
  const BuiltinTextures& builtins_;
  LayerPath path_ = LayerPath::Composed;
  PageCache pages_;
  ComposedLayers composed_;
  ScaledFlagIcons flagIcons_;
  EntitySprites sprites_;
  std::vector<RunLayer> run_;                         // the layers waiting to be drawn together
  std::vector<std::unique_ptr<HiddenCells>> hidden_;  // the hidden cells of each of them
};

}  // namespace qarto
