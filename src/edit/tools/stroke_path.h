#pragma once

#include <optional>
#include <vector>

#include "edit/brush/brush_picking.h"
#include "edit/view/view_geometry.h"

namespace qarto {

// The cells of the line from `from` to `to`, both ends included, in order
// from `from`: one cell for each step along the longer axis, the other axis
// rounded to the nearest cell (halves away from `from`), so successive
// cells touch by a side or a corner. Only the cells inside `bounds` are
// listed; the part outside is skipped without being walked, however long.
std::vector<CellPoint> cellsOnLine(CellPoint from, CellPoint to, const CellRect& bounds);

// The cursor cells of one drag. The mouse reports points, and a fast drag
// jumps several cells between two of them; a tool that paints along the
// drag writes at every cell of the line between the cells of successive
// points, so the stroke has no gaps.
class StrokePath {
 public:
  // The cells to act on for the mouse now over `to`: at the start of the
  // drag `to` alone; later every cell after the previous one up to `to`
  // (`to` again when the mouse stayed on the same cell). `bounds` limits
  // the list to the cursor cells that can still reach the layer.
  std::vector<CellPoint> advance(CellPoint to, const CellRect& bounds);
  // The next cell starts a new line (the tool did not act in between).
  void restart() { last_.reset(); }

 private:
  std::optional<CellPoint> last_;
};

}  // namespace qarto
