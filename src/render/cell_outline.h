#pragma once

#include <vector>

#include "edit/view/view_geometry.h"

namespace qarto {

class Brush;

// One side of a cell, in cell units, from (x0, y0) to (x1, y1).
struct CellEdge {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;

  friend bool operator==(const CellEdge&, const CellEdge&) = default;
};

inline constexpr int kOutlineEdgeCapacity = 4096;

// The perimeter of a set of cells: every cell's four sides (up to 4096),
// then every side two cells share removed.
std::vector<CellEdge> outlineEdges(const std::vector<CellPoint>& cells);
std::vector<CellEdge> outlineEdges(const Brush& brush);

// Draws the edges as lines from offset + cell x start to offset + cell x end,
// `width` pixels thick, in the current colour.
void drawOutline(const std::vector<CellEdge>& edges, float offsetX, float offsetY, float cell, int width);

}  // namespace qarto
