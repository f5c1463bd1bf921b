#pragma once

#include <optional>

#include "edit/brush/brush_picking.h"
#include "edit/selection/cell_block.h"
#include "edit/view/view_geometry.h"

namespace qarto {

// Which layers Cut, Copy, Paste and Delete work on.
enum class RegionScope { ActiveLayer, AllTileLayers };

// The rectangle selection of the map and a paste that follows the mouse.
// The rectangle is in cells of the active layer; with all tile layers it
// stands for the same cell numbers on each of them.
struct RegionSelection {
  RegionScope scope = RegionScope::ActiveLayer;
  std::optional<CellRect> rect;
  bool dragging = false;  // the Select tool's left button is down
  CellPoint anchor;       // where that drag began
  // Pasted cells not yet laid down, their pages already this map's; their
  // top-left cell follows the mouse until a click lays them.
  std::optional<CellBlock> floating;
  int march = 0;  // the outline's dash phase, advanced by the window's timer
};

}  // namespace qarto
