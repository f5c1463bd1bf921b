#pragma once

#include <cstdint>
#include <vector>

namespace qarto {

class EntitySprites;
struct MapLayer;
struct MapPass;

// One in-use slot of an entity block, read as the map file stores it.
struct EntitySlot {
  int slot = 0;
  int type = 0;      // u16 at offset 2
  int facing = 1;    // i8 at offset 4
  int x = 0;         // i32 at offset 8, map pixels
  int y = 0;         // i32 at offset 12: the foot point
};

// The slots whose in-use byte (offset 0) is set, in slot order.
std::vector<EntitySlot> entitySlots(const MapLayer& layer);

// Each entity as its sprite (the catalogue row's own, else the one of the
// entity strip), 64 x zoom pixels square with its foot point at the bottom
// centre, mirrored when it faces left; the selected one (moved by the drag
// in progress) gets a green wash.
void drawEntities(const MapPass& pass, const MapLayer& layer, const EntitySprites& sprites);

}  // namespace qarto
