#include "edit/brush/brush_picking.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "edit/brush/brush.h"
#include "model/project/map_layer.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

CellRect CellRect::spanning(CellPoint a, CellPoint b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool pickMapCell(Brush& brush, const MapLayer& layer, CellPoint cell, const TilesetRegistry& registry) {
  if (layer.isEntityLayer() || !layer.contains(cell.x, cell.y)) return false;
  const MapCell& source = layer.cell(cell.x, cell.y);
  const Tileset* page = registry.find(source.tileset);
  if (page == nullptr) return false;
  return brush.add(*page, cell.x, cell.y, source.tile, source.hflip(), source.vflip());
}

void pickMapRectangle(Brush& brush, const MapLayer& layer, const CellRect& rect, const TilesetRegistry& registry) {
  if (layer.isEntityLayer()) return;
  const int top = std::max(rect.top, 0);
  const int bottom = std::min(rect.bottom, layer.height - 1);
  const int left = std::max(rect.left, 0);
  const int right = std::min(rect.right, layer.width - 1);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if (brush.count() >= kBrushCapacity) return;  // nothing more fits
      pickMapCell(brush, layer, {x, y}, registry);
    }
  }
}

void pickPageRectangle(Brush& brush, const Tileset& page, const CellRect& rect) {
  const int columns = page.imageWidth / kTileSide;
  const int rows = page.imageHeight / kTileSide;
  const int top = std::max(rect.top, 0);
  const int bottom = std::min(rect.bottom, rows - 1);
  const int left = std::max(rect.left, 0);
  const int right = std::min(rect.right, columns - 1);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if (brush.count() >= kBrushCapacity) return;
      brush.addFromPage(page, x, y);
    }
  }
}

void removeRectangle(Brush& brush, const CellRect& rect) {
  std::vector<std::pair<int, int>> inside;  // (y, x): row-by-row order when sorted
  for (const BrushPlacement& p : brush.placements()) {
    if (rect.contains(p.x, p.y)) inside.emplace_back(p.y, p.x);
  }
  std::sort(inside.begin(), inside.end());
  for (const auto& [y, x] : inside) brush.remove(x, y, false);
  brush.recompute();
}

}  // namespace qarto
