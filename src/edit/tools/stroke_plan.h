#pragma once

#include <cstdint>
#include <vector>

#include "edit/view/view_geometry.h"

namespace qarto {

class Brush;
class CollisionFlipTables;
struct DetailBrush;
struct MapLayer;
struct ToolState;

// One cell a stroke would write.
struct PlannedCell {
  int dx = 0;  // offset from the cursor cell, in cells
  int dy = 0;
  int x = 0;   // the target cell of the layer (may lie outside it)
  int y = 0;
  bool inside = false;
  std::int16_t tile = 0;       // as written: collision layers take the mirrored collision tile
  std::int16_t sourceTile = 0;  // the placement's own tile (auto-paint looks it up)
  std::int32_t tilesetId = 0;
  std::uint8_t palette = 0;
  bool hflip = false;  // the effective flips: placement XOR brush
  bool vflip = false;
  bool writeFlips = true;  // false on collision layers: the tile carries the flip
};

// What a stroke of the current brush at one cursor cell writes, in brush
// order. Both the paint stroke and the brush preview use it, so what the
// preview shows is what a click writes.
struct StrokePlan {
  CellPoint cursor;
  bool compatible = false;  // the brush may be painted on the layer
  std::vector<PlannedCell> cells;
};

// Whether `brush` may be painted on `layer`: the layer is shown and
// unlocked, collision layers take only collision tiles, other layers only
// page tiles, and entity layers nothing.
bool brushFitsLayer(const Brush& brush, const MapLayer& layer);

// The stroke of `brush` at `cursor` on `layer`: brush flips, pattern mode
// and (when `detail` is given) the detail shape applied. `flips` maps
// collision tiles on a collision layer.
StrokePlan planStroke(const Brush& brush, const MapLayer& layer, const ToolState& tools,
                      const CollisionFlipTables& flips, const DetailBrush* detail, CellPoint cursor);

// Pattern mode: the brush tiled with the period of its bounds, phased so
// that its origin falls on the anchor. The offset (in cells) of the copy of
// coordinate `position` that lands in the window of an ordinary stroke.
int patternOffset(int position, int minimum, int period, int origin, int sign, int anchor, int cursor);

}  // namespace qarto
