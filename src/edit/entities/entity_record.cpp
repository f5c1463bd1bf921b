#include "edit/entities/entity_record.h"

#include "model/byte_order.h"
#include "model/project/map_layer.h"

namespace qarto {

namespace {

bool validSlot(const MapLayer& layer, int slot) {
  return layer.isEntityLayer() && slot >= 0 && slot < kEntitySlots && layer.entities.size() >= kEntityBlockSize;
}

std::size_t slotOffset(int slot) { return static_cast<std::size_t>(slot) * kEntityRecordSize; }

}  // namespace

std::optional<EntityRecord> readEntity(const MapLayer& layer, int slot) {
  if (!validSlot(layer, slot)) return std::nullopt;
  const std::uint8_t* b = layer.entities.data() + slotOffset(slot);
  EntityRecord record;
  record.inUse = b[0] != 0;
  record.type = loadU16(b + 2);
  record.facing = static_cast<std::int8_t>(b[4]);
  record.x = loadI32(b + 8);
  record.y = loadI32(b + 12);
  return record;
}

bool writeEntity(MapLayer& layer, int slot, const EntityRecord& record) {
  if (!validSlot(layer, slot)) return false;
  std::uint8_t* b = layer.entities.data() + slotOffset(slot);
  b[0] = record.inUse ? 1 : 0;
  storeU16(b + 2, record.type);
  b[4] = static_cast<std::uint8_t>(record.facing);
  storeI32(b + 8, record.x);
  storeI32(b + 12, record.y);
  return true;
}

int firstFreeEntitySlot(const MapLayer& layer) {
  for (int slot = 0; slot < kEntitySlots; ++slot) {
    std::optional<EntityRecord> record = readEntity(layer, slot);
    if (record && !record->inUse) return slot;
  }
  return -1;
}

}  // namespace qarto
