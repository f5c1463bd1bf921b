#pragma once

#include <cmath>

namespace qarto {

struct MapLayer;

// Where one layer lies in the window this frame. World x = window x -
// originX; cell x of the layer covers world x from floor(x * cell - ox) to
// floor((x + 1) * cell - ox), and likewise for y. Every path that draws
// cells (GL quads, the composed texture, the preview) uses these edges.
struct LayerView {
  float cell = 16.0f;  // 8 x map zoom
  float ox = 0.0f;     // scroll x x parallax x
  float oy = 0.0f;
  int originX = 0;
  int originY = 0;
  int windowWidth = 0;
  int windowHeight = 0;

  float edgeX(int column) const { return std::floor(static_cast<float>(column) * cell - ox); }
  float edgeY(int row) const { return std::floor(static_cast<float>(row) * cell - oy); }
};

// Cells [firstX, endX) x [firstY, endY) of a layer: those that cover at
// least one window pixel.
struct CellRange {
  int firstX = 0;
  int endX = 0;
  int firstY = 0;
  int endY = 0;

  bool empty() const { return endX <= firstX || endY <= firstY; }
  long long count() const { return empty() ? 0 : static_cast<long long>(endX - firstX) * (endY - firstY); }
  bool contains(int x, int y) const { return x >= firstX && x < endX && y >= firstY && y < endY; }
};

LayerView layerViewOf(const MapLayer& layer, float zoom, int scrollX, int scrollY, int originX, int originY,
                      int windowWidth, int windowHeight);

// The culling of the map drawing: a first guess from the offsets, then
// corrected against the real edges so that no partly visible cell is lost
// and no invisible one is drawn.
CellRange visibleCells(const MapLayer& layer, const LayerView& view);

}  // namespace qarto
