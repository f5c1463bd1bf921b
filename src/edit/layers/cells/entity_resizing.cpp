#include "edit/layers/cells/entity_resizing.h"

#include <algorithm>

#include "edit/entities/entity_record.h"
#include "model/project/map_layer.h"

namespace qarto {

namespace {

constexpr int kCellPixels = 8;

// Where a pixel position along one axis goes; the cells it lies on move the same way.
std::int64_t movedPosition(std::int64_t position, int from, int to, int side, bool stretch) {
  if (stretch) return from > 0 ? position * to / from : position;
  const AxisCopy copy = anchoredCopy(from, to, side);
  return position + std::int64_t{kCellPixels} * (copy.target - copy.source);
}

}  // namespace

int resizeEntityBlock(std::vector<std::uint8_t>& block, int oldWidth, int oldHeight, int newWidth, int newHeight,
                      const ResizeLayout& layout) {
  MapLayer layer;
  layer.kind = LayerKind::Entity;
  layer.entities.swap(block);
  int movedInside = 0;
  const std::int64_t right = std::int64_t{newWidth} * kCellPixels - 1;
  const std::int64_t bottom = std::int64_t{newHeight} * kCellPixels - 1;
  for (int slot = 0; slot < kEntitySlots; ++slot) {
    std::optional<EntityRecord> entity = readEntity(layer, slot);
    if (!entity || !entity->inUse) continue;
    const std::int64_t x = movedPosition(entity->x, oldWidth, newWidth, layout.anchor % 3, layout.stretchHorizontally);
    const std::int64_t y = movedPosition(entity->y, oldHeight, newHeight, layout.anchor / 3, layout.stretchVertically);
    const std::int64_t insideX = std::clamp<std::int64_t>(x, 0, std::max<std::int64_t>(right, 0));
    const std::int64_t insideY = std::clamp<std::int64_t>(y, 0, std::max<std::int64_t>(bottom, 0));
    if (insideX != x || insideY != y) ++movedInside;
    entity->x = static_cast<std::int32_t>(insideX);
    entity->y = static_cast<std::int32_t>(insideY);
    writeEntity(layer, slot, *entity);
  }
  layer.entities.swap(block);
  return movedInside;
}

}  // namespace qarto
