#pragma once

#include <cstdint>
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
// The composer remembers what it was last brought up to (the view and a
// key per visible cell), so that a mouse move that moves the brush preview
// names only a handful of changed cells. It keeps no picture of its own:
// ComposedLayers asks it for the pixels of any window rectangle.
class LayerComposer {
 public:
  struct Rect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
  };

  // Takes in the layer's current state. True when everything it covers
  // changed (another view, layer size or pages); else the window
  // rectangles of the cells that changed are added to `changed`.
  bool refresh(const MapLayer& layer, const LayerView& view, const PageCache& pages, const HiddenCells& hidden,
               std::vector<Rect>& changed);

  // The layer's pixels of `rect` (inside the window) into `out`, rows of
  // the rectangle's width from the top; transparent where no cell shows.
  void compose(const PageCache& pages, const Rect& rect, std::uint32_t* out) const;

  int width() const { return width_; }
  int height() const { return height_; }
  // The window rectangle the layer's visible cells cover.
  const Rect& bounds() const { return bounds_; }

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
  Axis columns_;
  Axis rows_;
  Rect bounds_;
};

}  // namespace qarto
