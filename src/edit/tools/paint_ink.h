#pragma once

#include <cstdint>

namespace qarto {

class CollisionFlipTables;
class MapProject;
class TilesetRegistry;
class UndoJournal;
struct MapLayer;
struct StrokePlan;

// The collision layer that painting the primary layer also paints from the
// pages' collision sets, and the collision tileset id it writes.
struct AutoPaintTarget {
  MapLayer* layer = nullptr;
  std::int32_t collisionTilesetId = 0;
};

// Auto-paint applies when it is switched on, `active` is the primary layer,
// the collision tileset is loaded and a collision layer is unlocked (the
// first such layer from the bottom receives it). Otherwise no layer.
AutoPaintTarget findAutoPaintTarget(MapProject& project, const MapLayer* active, bool autoPaintOn);

// Writes every planned cell that lies inside `layer`, saving each cell in
// the journal's open entry before it changes. Auto-painted collision cells
// are saved in the same entry, so one undo takes back both.
void applyPaintPlan(const StrokePlan& plan, MapLayer& layer, UndoJournal& journal, const AutoPaintTarget& autoPaint,
                    const TilesetRegistry& registry, const CollisionFlipTables& flips);

}  // namespace qarto
