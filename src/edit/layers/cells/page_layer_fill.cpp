#include "edit/layers/cells/page_layer_fill.h"

#include <algorithm>
#include <cstdint>

#include "edit/brush/brush.h"
#include "edit/layers/layer_support.h"
#include "model/project/map_layer.h"
#include "model/tileset/tileset.h"

namespace qarto {

void fillLayerFromPage(MapLayer& layer, const Tileset& page) {
  if (!hasFullCells(layer) || page.id < 0 || page.id > kMaxCellTilesetId) return;
  const std::int64_t last = std::min<std::int64_t>(page.tileCount, std::int64_t{kMaxCellTile} + 1);
  const std::int64_t count = std::min<std::int64_t>(last, static_cast<std::int64_t>(layer.cells.size()));
  for (std::int64_t tile = 0; tile < count; ++tile) {
    MapCell& cell = layer.cells[static_cast<std::size_t>(tile)];
    cell.tile = static_cast<std::int16_t>(tile);
    cell.tileset = static_cast<std::int8_t>(page.id);
    cell.palette = tilePaletteRow(page, static_cast<int>(tile));
    cell.collision = 0;
    cell.flags = static_cast<std::uint8_t>(cell.flags & ~kCellFlagBits);
  }
}

}  // namespace qarto
