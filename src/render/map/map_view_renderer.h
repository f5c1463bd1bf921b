#pragma once

#include "render/layers/composed_layers.h"
#include "render/layers/hidden_cells.h"
#include "render/layers/page_cache.h"

namespace qarto {

class BitmapFont;
class BuiltinTextures;
struct DrawStats;
struct FrameInput;

// How the cells of a layer reach the screen. Composed (the default) draws
// each layer as one quad of a texture composed on the CPU; Cells draws one
// quad per visible cell. Both give the same picture at whole zooms.
enum class LayerPath { Composed, Cells };

// Draws one frame of the map view, every pass in its order. Needs the
// context current, the colour buffer cleared and blending enabled.
class MapViewRenderer {
 public:
  MapViewRenderer(const BitmapFont& font, const BuiltinTextures& builtins) : font_(font), builtins_(builtins) {}

  void draw(const FrameInput& input, DrawStats& stats);
  void setLayerPath(LayerPath path) { path_ = path; }
  LayerPath layerPath() const { return path_; }
  // Deletes the composed textures; with the context current.
  void release() { composed_.release(); }

 private:
  const BitmapFont& font_;
  const BuiltinTextures& builtins_;
  LayerPath path_ = LayerPath::Composed;
  PageCache pages_;
  ComposedLayers composed_;
  HiddenCells hidden_;
};

}  // namespace qarto
