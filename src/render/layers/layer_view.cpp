#include "render/layers/layer_view.h"

#include <algorithm>

#include "model/project/map_layer.h"

namespace qarto {

namespace {

// One axis: cells [first, end) of `count` whose edges overlap world
// [low, high).
template <typename Edge>
void visibleSpan(int count, float cell, float offset, int origin, int window, Edge edge, int& first, int& end) {
  const float low = static_cast<float>(-origin);
  const float high = static_cast<float>(window - origin);
  // The first guess of the drawing: offsets over the cell side.
  float guessFirst = origin >= offset ? 0.0f : (offset - static_cast<float>(origin)) / cell;
  float guessEnd = std::ceil((high + offset) / cell);
  first = static_cast<int>(std::clamp(guessFirst, 0.0f, static_cast<float>(count)));
  end = static_cast<int>(std::clamp(guessEnd, 0.0f, static_cast<float>(count)));
  // A cell is visible when its right edge lies past the window's left and
  // its left edge before the window's right.
  while (first > 0 && edge(first) > low) --first;
  while (first < count && edge(first + 1) <= low) ++first;
  while (end < count && edge(end) < high) ++end;
  while (end > first && edge(end - 1) >= high) --end;
  if (end < first) end = first;
}

}  // namespace

LayerView layerViewOf(const MapLayer& layer, float zoom, int scrollX, int scrollY, int originX, int originY,
                      int windowWidth, int windowHeight) {
  LayerView view;
  view.cell = 8.0f * zoom;
  view.ox = static_cast<float>(scrollX) * layer.parallaxX;
  view.oy = static_cast<float>(scrollY) * layer.parallaxY;
  view.originX = originX;
  view.originY = originY;
  view.windowWidth = windowWidth;
  view.windowHeight = windowHeight;
  return view;
}

CellRange visibleCells(const MapLayer& layer, const LayerView& view) {
  CellRange range;
  if (view.cell <= 0.0f || view.windowWidth <= 0 || view.windowHeight <= 0) return range;
  visibleSpan(layer.width, view.cell, view.ox, view.originX, view.windowWidth,
              [&](int column) { return view.edgeX(column); }, range.firstX, range.endX);
  visibleSpan(layer.height, view.cell, view.oy, view.originY, view.windowHeight,
              [&](int row) { return view.edgeY(row); }, range.firstY, range.endY);
  return range;
}

}  // namespace qarto
