#include "edit/tools/paint_ink.h"

#include "edit/collision/collision_flip_tables.h"
#include "edit/tools/stroke_plan.h"
#include "model/project/map_project.h"
#include "model/project/undo_journal.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

std::uint8_t withFlips(std::uint8_t flags, bool hflip, bool vflip) {
  flags = static_cast<std::uint8_t>(flags & ~(kCellHFlip | kCellVFlip));
  if (hflip) flags |= kCellHFlip;
  if (vflip) flags |= kCellVFlip;
  return flags;
}

// The collision cell under a painted page tile follows the page's collision
// set. Tiles beyond the set leave it alone.
void autoPaintCell(const PlannedCell& planned, const AutoPaintTarget& target, UndoJournal& journal,
                   const TilesetRegistry& registry, const CollisionFlipTables& flips) {
  const Tileset* page = registry.find(planned.tilesetId);
  if (page == nullptr || !page->hasCollisionSet) return;
  if (planned.sourceTile < 0 || static_cast<std::size_t>(planned.sourceTile) >= page->collisionSet.size()) return;
  MapLayer& layer = *target.layer;
  if (!layer.contains(planned.x, planned.y)) return;

  const int mapped = flips.map(page->collisionSet[static_cast<std::size_t>(planned.sourceTile)], planned.hflip,
                               planned.vflip);
  MapCell& cell = layer.cell(planned.x, planned.y);
  journal.recordCellOf(&layer, planned.x, planned.y, cell);
  cell.flags = withFlips(cell.flags, false, false);
  cell.tile = static_cast<std::int16_t>(mapped);
  cell.palette = planned.palette;
  cell.tileset = static_cast<std::int8_t>(target.collisionTilesetId);
}

}  // namespace

AutoPaintTarget findAutoPaintTarget(MapProject& project, const MapLayer* active, bool autoPaintOn) {
  AutoPaintTarget target;
  if (!autoPaintOn || active == nullptr || active->kind != LayerKind::Primary) return target;
  const Tileset* collisionTiles = project.collisionTileset;
  if (collisionTiles == nullptr || project.registry().find(collisionTiles->id) != collisionTiles) return target;
  for (const auto& layer : project.layers()) {
    if (layer->kind == LayerKind::Collision && !layer->locked) {
      target.layer = layer.get();
      target.collisionTilesetId = collisionTiles->id;
      break;
    }
  }
  return target;
}

void applyPaintPlan(const StrokePlan& plan, MapLayer& layer, UndoJournal& journal, const AutoPaintTarget& autoPaint,
                    const TilesetRegistry& registry, const CollisionFlipTables& flips) {
  if (layer.isEntityLayer()) return;
  for (const PlannedCell& planned : plan.cells) {
    if (!planned.inside) continue;
    MapCell& cell = layer.cell(planned.x, planned.y);
    journal.recordCell(planned.x, planned.y, cell);
    cell.flags = planned.writeFlips ? withFlips(cell.flags, planned.hflip, planned.vflip)
                                    : withFlips(cell.flags, false, false);
    cell.tile = planned.tile;
    cell.palette = planned.palette;
    cell.tileset = static_cast<std::int8_t>(planned.tilesetId);
    if (autoPaint.layer != nullptr && autoPaint.layer != &layer) {
      autoPaintCell(planned, autoPaint, journal, registry, flips);
    }
  }
}

}  // namespace qarto
