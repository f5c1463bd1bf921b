#include "edit/brush/brush_table.h"

#include "model/tileset/tileset_registry.h"

namespace qarto {

Brush* BrushTable::forTileset(std::int32_t id) {
  auto it = brushes_.find(id);
  return it == brushes_.end() ? nullptr : it->second.get();
}

const Brush* BrushTable::forTileset(std::int32_t id) const {
  auto it = brushes_.find(id);
  return it == brushes_.end() ? nullptr : it->second.get();
}

void BrushTable::tilesetRegistered(std::int32_t id) {
  auto& slot = brushes_[id];
  if (!slot) slot = std::make_unique<Brush>();
}

void BrushTable::tilesetRemoved(std::int32_t id) { brushes_.erase(id); }

void BrushTable::projectReset(std::int32_t keptId) {
  for (auto it = brushes_.begin(); it != brushes_.end();) {
    it = (keptId > 0 && it->first == keptId) ? std::next(it) : brushes_.erase(it);
  }
  stamp_.clear();
}

std::int32_t steppedTilesetId(const TilesetRegistry& registry, std::int32_t id, bool forward) {
  auto it = registry.begin();
  while (it != registry.end() && it->first != id) ++it;
  if (it == registry.end()) return 0;
  if (forward) {
    ++it;
    if (it == registry.end()) it = registry.begin();
  } else {
    if (it == registry.begin()) it = registry.end();
    --it;
  }
  return it->first;
}

}  // namespace qarto
