#include "edit/tools/stroke_plan.h"

#include <climits>

#include "edit/brush/brush.h"
#include "edit/brush/detail_shape.h"
#include "edit/collision/collision_flip_tables.h"
#include "edit/tools/tool_state.h"
#include "model/project/map_layer.h"

namespace qarto {

namespace {

// Floored modulo: the remainder in 0..period-1 for negative values too.
long long flooredMod(long long value, long long period) {
  const long long r = value % period;
  return r < 0 ? r + period : r;
}

int clampToInt(long long value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

bool brushFitsLayer(const Brush& brush, const MapLayer& layer) {
  if (!layer.visible || layer.locked) return false;
  if (layer.kind == LayerKind::Entity) return brush.empty();
  if (layer.kind == LayerKind::Collision) return brush.normalTiles() == 0;
  return brush.collisionTiles() == 0;
}

int patternOffset(int position, int minimum, int period, int origin, int sign, int anchor, int cursor) {
  const long long k = flooredMod(static_cast<long long>(position) - minimum +
                                     static_cast<long long>(sign) * (static_cast<long long>(anchor) - cursor),
                                 period);
  return clampToInt(sign * (k + minimum - origin));
}

StrokePlan planStroke(const Brush& brush, const MapLayer& layer, const ToolState& tools,
                      const CollisionFlipTables& flips, const DetailBrush* detail, CellPoint cursor) {
  StrokePlan plan;
  plan.cursor = cursor;
  plan.compatible = brushFitsLayer(brush, layer);
  if (layer.isEntityLayer()) return plan;  // no cells to write or hide

  const int sx = tools.brushHFlip ? -1 : 1;
  const int sy = tools.brushVFlip ? -1 : 1;
  const CellPoint origin = brush.origin();
  const BrushBounds& bounds = brush.bounds();
  const bool collisionLayer = layer.kind == LayerKind::Collision;

  plan.cells.reserve(static_cast<std::size_t>(brush.count()));
  for (const BrushPlacement& p : brush.placements()) {
    PlannedCell cell;
    if (tools.patternMode) {
      cell.dx = patternOffset(p.x, bounds.minX, bounds.width(), origin.x, sx, tools.patternAnchor.x, cursor.x);
      cell.dy = patternOffset(p.y, bounds.minY, bounds.height(), origin.y, sy, tools.patternAnchor.y, cursor.y);
    } else {
      cell.dx = sx * (p.x - origin.x);
      cell.dy = sy * (p.y - origin.y);
    }
    if (detail != nullptr && !detail->admits(cell.dx, cell.dy)) continue;

    const long long x = static_cast<long long>(cursor.x) + cell.dx;
    const long long y = static_cast<long long>(cursor.y) + cell.dy;
    cell.x = clampToInt(x);
    cell.y = clampToInt(y);
    cell.inside = x >= 0 && y >= 0 && x < layer.width && y < layer.height;
    cell.hflip = p.hflip != tools.brushHFlip;
    cell.vflip = p.vflip != tools.brushVFlip;
    cell.sourceTile = p.tile;
    if (collisionLayer) {
      cell.tile = static_cast<std::int16_t>(flips.map(p.tile, cell.hflip, cell.vflip));
      cell.writeFlips = false;
    } else {
      cell.tile = p.tile;
    }
    cell.tilesetId = p.tilesetId;
    cell.palette = static_cast<std::uint8_t>(p.palette);
    plan.cells.push_back(cell);
  }
  return plan;
}

}  // namespace qarto
