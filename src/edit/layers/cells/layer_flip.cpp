#include "edit/layers/cells/layer_flip.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include "edit/collision/collision_flip_tables.h"
#include "edit/layers/layer_support.h"
#include "model/byte_order.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

// Offsets within an entity record.
constexpr std::size_t kInUse = 0;
constexpr std::size_t kFacing = 4;
constexpr std::size_t kX = 8;
constexpr std::size_t kY = 12;

void flipEntities(MapLayer& layer, bool horizontal) {
  const std::size_t slots = layer.entities.size() / kEntityRecordSize;
  for (std::size_t slot = 0; slot < slots; ++slot) {
    std::uint8_t* record = layer.entities.data() + slot * kEntityRecordSize;
    if (record[kInUse] == 0) continue;
    if (horizontal) {
      const std::int64_t x = std::int64_t{layer.width} * 8 - loadI32(record + kX);
      storeI32(record + kX, static_cast<std::int32_t>(x));
      record[kFacing] = static_cast<std::uint8_t>(-static_cast<std::int8_t>(record[kFacing]));
    } else {
      const std::int64_t y = std::int64_t{layer.height} * 8 - loadI32(record + kY);
      storeI32(record + kY, static_cast<std::int32_t>(y));
    }
  }
}

// The mirror image of one cell's own content.
struct CellMirror {
  bool collision;
  bool horizontal;
  const CollisionFlipTables& tables;

  void operator()(MapCell& cell) const {
    if (collision) {
      cell.tile = static_cast<std::int16_t>(tables.map(cell.tile, horizontal, !horizontal));
    } else {
      cell.flags ^= horizontal ? kCellHFlip : kCellVFlip;
    }
  }
};

void flipCells(MapLayer& layer, bool horizontal, const CollisionFlipTables& tables) {
  const CellMirror mirror{layer.kind == LayerKind::Collision, horizontal, tables};
  const std::size_t width = layer.width;
  const std::size_t height = layer.height;
  MapCell* const cells = layer.cells.data();
  if (horizontal) {
    for (std::size_t y = 0; y < height; ++y) std::reverse(cells + y * width, cells + (y + 1) * width);
  } else {
    for (std::size_t y = 0; y < height / 2; ++y) {
      std::swap_ranges(cells + y * width, cells + (y + 1) * width, cells + (height - 1 - y) * width);
    }
  }
  for (MapCell& cell : layer.cells) mirror(cell);
}

}  // namespace

void flipLayer(MapLayer& layer, bool horizontal, const CollisionFlipTables& tables) {
  if (layer.isEntityLayer()) {
    flipEntities(layer, horizontal);
  } else if (hasFullCells(layer)) {
    flipCells(layer, horizontal, tables);
  }
}

void flipActiveLayer(EditorSession& session, bool horizontal, const CollisionFlipTables& tables) {
  MapProject& project = session.project();
  MapLayer* const layer = project.activeLayer;
  if (!project.contains(layer)) return;

  if (layer->kind == LayerKind::Collision) {
    if (!hasFullCells(*layer)) return;
    std::vector<MapCell> former;
    try {
      former = layer->cells;
    } catch (const std::bad_alloc&) {
      former.clear();  // no undo entry then; the flip itself stands
    }
    flipLayer(*layer, horizontal, tables);
    if (!former.empty()) {
      project.journal().recordLayerCellsReplaced(layer, std::move(former), layer->width, layer->height);
    }
  } else {
    flipLayer(*layer, horizontal, tables);
    // A tile layer's flip bits and entity positions mirror back exactly.
    project.journal().recordLayerFlipped(layer, horizontal, [](MapLayer& flipped, bool sameWay) {
      flipLayer(flipped, sameWay, CollisionFlipTables{});
    });
  }
  project.modified = true;
  notifyLayersChanged(project);
}

}  // namespace qarto
