#pragma once

#include <cstdint>

#include "edit/view/view_geometry.h"

namespace qarto {

class Brush;
class TilesetRegistry;
class UndoJournal;
struct MapLayer;

// A fill stops after this many visits and leaves what it filled so far.
inline constexpr int kFillVisitLimit = 17000;

struct FillResult {
  int visits = 0;
  int written = 0;
  bool cutOff = false;  // the visit limit ended it
};

// Fills the 4-connected region of cells that look like the start cell with
// the brush's first placement, saving each cell in the journal's open entry
// first. Cells "look alike" when tile, tileset and palette row match (and
// the collision word, on a collision layer), or when the start tile is empty
// and theirs is too. The caller checks the brush against the layer.
//
// The order of visits is that of a recursive fill which writes a cell, then
// fills above, left and below it, then moves right along the row; an
// explicit stack replaces the recursion so that large regions cannot
// exhaust the call stack. Cells already written are never visited again.
FillResult floodFill(MapLayer& layer, CellPoint start, const Brush& brush, bool brushHFlip, bool brushVFlip,
                     const TilesetRegistry& registry, UndoJournal& journal);

}  // namespace qarto
