#include "render/cell_outline.h"

#include <algorithm>
#include <tuple>

#include "edit/brush/brush.h"
#include "render/gl/gl_draw.h"

namespace qarto {

std::vector<CellEdge> outlineEdges(const std::vector<CellPoint>& cells) {
  std::vector<CellEdge> edges;
  edges.reserve(std::min<std::size_t>(cells.size() * 4, kOutlineEdgeCapacity));
  for (const CellPoint& c : cells) {
    const CellEdge sides[4] = {{c.x, c.y, c.x + 1, c.y},
                               {c.x + 1, c.y, c.x + 1, c.y + 1},
                               {c.x, c.y + 1, c.x + 1, c.y + 1},
                               {c.x, c.y, c.x, c.y + 1}};
    for (const CellEdge& side : sides) {
      if (edges.size() < static_cast<std::size_t>(kOutlineEdgeCapacity)) edges.push_back(side);
    }
  }
  // Sides are stored with their start before their end, so equal sides
  // compare equal; shared sides come in pairs and both go.
  const auto key = [](const CellEdge& e) { return std::tie(e.x0, e.y0, e.x1, e.y1); };
  std::sort(edges.begin(), edges.end(), [&](const CellEdge& a, const CellEdge& b) { return key(a) < key(b); });
  std::vector<CellEdge> perimeter;
  perimeter.reserve(edges.size());
  for (std::size_t i = 0; i < edges.size();) {
    std::size_t j = i;
    while (j < edges.size() && edges[j] == edges[i]) ++j;
    if ((j - i) % 2 == 1) perimeter.push_back(edges[i]);
    i = j;
  }
  return perimeter;
}

std::vector<CellEdge> outlineEdges(const Brush& brush) {
  std::vector<CellPoint> cells;
  cells.reserve(static_cast<std::size_t>(brush.count()));
  for (const BrushPlacement& p : brush.placements()) cells.push_back({p.x, p.y});
  return outlineEdges(cells);
}

void drawOutline(const std::vector<CellEdge>& edges, float offsetX, float offsetY, float cell, int width) {
  for (const CellEdge& e : edges) {
    const float x0 = offsetX + cell * static_cast<float>(e.x0);
    const float y0 = offsetY + cell * static_cast<float>(e.y0);
    const float x1 = offsetX + cell * static_cast<float>(e.x1);
    const float y1 = offsetY + cell * static_cast<float>(e.y1);
    if (e.y0 == e.y1) {
      horizontalLine(x0, x1, y0, width);
    } else {
      verticalLine(x0, y0, y1, width);
    }
  }
}

}  // namespace qarto
