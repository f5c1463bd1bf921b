#pragma once

#include "edit/view/view_geometry.h"

namespace qarto {

class Brush;
class TilesetRegistry;
struct MapLayer;
struct Tileset;

// The inclusive rectangle between two cells, whichever corner each is.
struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static CellRect spanning(CellPoint a, CellPoint b);
  bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// Rubber stamp: adds the layer's cell at `cell` to the brush with the cell's
// position, tile and flips. Cells outside the layer, on entity layers or of
// an unregistered page are ignored.
bool pickMapCell(Brush& brush, const MapLayer& layer, CellPoint cell, const TilesetRegistry& registry);

// Adds every cell of the rectangle that lies in the layer, row by row.
void pickMapRectangle(Brush& brush, const MapLayer& layer, const CellRect& rect, const TilesetRegistry& registry);

// Adds every tile of the rectangle (page columns and rows, held to the
// page), row by row.
void pickPageRectangle(Brush& brush, const Tileset& page, const CellRect& rect);

// Removes every placement whose position lies in the rectangle, in the
// order a row-by-row sweep would meet them (so the brush ends up exactly as
// after removing each position of the rectangle in turn).
void removeRectangle(Brush& brush, const CellRect& rect);

}  // namespace qarto
