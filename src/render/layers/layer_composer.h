#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "render/layers/layer_view.h"

namespace qarto {

struct MapLayer;
class HiddenCells;
class PageCache;

// The picture of one layer's cells over the whole window, composed on the
// CPU one window pixel at a time, exactly as the cell quads would sample
// their page: the pixel centre's position inside its cell's quad picks the
// texel (mirrored by the cell's flips). Cells that are hidden, whose page is
// not registered or whose tile lies outside the page stay transparent.
//
// The composer remembers what it composed (the view and a key per visible
// cell) and recomposes only the cells that changed since, so a mouse move
// that moves the brush preview touches a handful of cells. It keeps no
// picture of its own: each composed piece goes straight to `deliver` (the
// window texture) from a small scratch buffer.
class LayerComposer {
 public:
  struct Rect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
  };
  // A composed window rectangle: (x1 - x0) x (y1 - y0) pixels, rows from the top, packed.
  using Deliver = std::function<void(const Rect& rect, const std::uint32_t* pixels)>;

  // Brings the picture up to date, delivering what changed: everything the
  // layer covers after a change of view or pages, else the changed cells.
  void update(const MapLayer& layer, const LayerView& view, const PageCache& pages, const HiddenCells& hidden,
              const Deliver& deliver);

  int width() const { return width_; }
  int height() const { return height_; }
  // The window rectangle the layer's visible cells cover.
  const Rect& bounds() const { return bounds_; }
  bool fullRecompose() const { return full_; }
  long long composedPixels() const { return composedPixels_; }

 private:
  // Window pixels [start, end) of one axis lie on the same cell.
  struct Run {
    int start = 0;
    int end = 0;
    int cell = 0;  // relative to the first visible cell
  };
  struct Axis {
    std::vector<int> cell;   // per window pixel: the cell index relative to the first visible cell, -1 for none
    std::vector<int> texel;  // per window pixel: the texel 0 to 7 inside the tile
    std::vector<Run> runs;   // the visible cells' pixels, left to right
    int from = 0;            // window pixels [from, to) lie on visible cells
    int to = 0;
  };

  void buildAxis(Axis& axis, int window, int origin, int first, int end, bool horizontal, const LayerView& view);
  void snapshot(const MapLayer& layer, const HiddenCells& hidden, std::vector<std::uint32_t>& keys) const;
  // Composes `rect` into out (rows of rect's width) and hands it on.
  void composeRect(const PageCache& pages, const Rect& rect, const Deliver& deliver);
  Rect cellRect(int column, int row) const;

  LayerView view_;
  CellRange range_;
  const MapLayer* layer_ = nullptr;
  int layerWidth_ = -1;
  int layerHeight_ = -1;
  std::uint64_t pageGeneration_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> keys_;
  std::vector<std::uint32_t> scratchKeys_;
  std::vector<std::uint32_t> band_;  // a few rows of composed pixels on their way out
  Axis columns_;
  Axis rows_;
  Rect bounds_;
  bool full_ = false;
  long long composedPixels_ = 0;
};

}  // namespace qarto
