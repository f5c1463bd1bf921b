#include "render/layers/hidden_cells.h"

#include <algorithm>

#include "edit/tools/stroke_plan.h"
#include "model/project/map_layer.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

void HiddenCells::addPlan(const StrokePlan& plan, const MapLayer& layer) {
  for (const PlannedCell& cell : plan.cells) {
    if (layer.contains(cell.x, cell.y)) indices_.push_back(cell.x + static_cast<std::int64_t>(cell.y) * layer.width);
  }
}

void HiddenCells::addAutoPaint(const StrokePlan& plan, const MapLayer& collisionLayer, const TilesetRegistry& registry) {
  for (const PlannedCell& cell : plan.cells) {
    const Tileset* page = registry.find(cell.tilesetId);
    if (page == nullptr || !page->hasCollisionSet || cell.sourceTile < 0 ||
        static_cast<std::size_t>(cell.sourceTile) >= page->collisionSet.size()) {
      continue;
    }
    if (collisionLayer.contains(cell.x, cell.y)) {
      indices_.push_back(cell.x + static_cast<std::int64_t>(cell.y) * collisionLayer.width);
    }
  }
}

void HiddenCells::finish() {
  std::sort(indices_.begin(), indices_.end());
  indices_.erase(std::unique(indices_.begin(), indices_.end()), indices_.end());
}

bool HiddenCells::contains(std::int64_t index) const {
  return std::binary_search(indices_.begin(), indices_.end(), index);
}

}  // namespace qarto
