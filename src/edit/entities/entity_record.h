#pragma once

#include <cstdint>
#include <optional>

namespace qarto {

struct MapLayer;

// One 48-byte slot of an entity layer's block, as the map file stores it:
// in-use byte at 0, type (u16) at 2, facing (i8) at 4, x (i32) at 8 and
// y (i32) at 12, little-endian; the other bytes are reserved.
struct EntityRecord {
  bool inUse = false;
  std::uint16_t type = 0;
  std::int8_t facing = 1;  // 1 or -1
  std::int32_t x = 0;      // map pixels
  std::int32_t y = 0;      // map pixels: the entity's foot point

  friend bool operator==(const EntityRecord&, const EntityRecord&) = default;
};

// Reading and writing slots of an entity layer. Slots outside 0..31, and
// layers without a whole block, read as free and ignore writes.
std::optional<EntityRecord> readEntity(const MapLayer& layer, int slot);
bool writeEntity(MapLayer& layer, int slot, const EntityRecord& record);
// The lowest free slot, or -1.
int firstFreeEntitySlot(const MapLayer& layer);

}  // namespace qarto
