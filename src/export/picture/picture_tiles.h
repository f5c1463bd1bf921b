#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/tileset/indexed_image.h"

namespace qarto {

// A pixel as the GBA shows it: a 15-bit colour, or colour 0 of its bank.
using PictureColour = std::uint16_t;
inline constexpr PictureColour kClearColour = 0x8000;

// The picture with every pixel rounded as the export rounds palette colours.
// Alpha below half, and the backdrop colour when one is given, become
// colour 0 (kClearColour).
struct ColourPicture {
  int width = 0;
  int height = 0;
  std::vector<PictureColour> pixels;
};
ColourPicture roundPicture(const DisplayImage& picture, std::optional<PictureColour> backdrop);

// One 8x8 tile of colours, rows from the top.
using ColourTile = std::array<PictureColour, 64>;
// Bit 0 horizontal, bit 1 vertical: the flip that turns a tile into another.
ColourTile flipTile(const ColourTile& tile, int flip);

struct TileUse {
  int tile = 0;  // index into TileCut::tiles
  int flip = 0;  // flip applied to that tile to show this cell
};

// The picture cut into 8x8 cells (sides must be multiples of 8). With
// merging, a tile equal to an earlier one under a flip reuses it (flips
// tried in the order none, horizontal, vertical, both); without, every
// cell is its own tile in picture order.
struct TileCut {
  int cellsWide = 0;
  int cellsHigh = 0;
  std::vector<ColourTile> tiles;
  std::vector<TileUse> cells;  // x + y * cellsWide
  std::vector<int> firstCell;  // per tile, the first cell showing it
};
TileCut cutTiles(const ColourPicture& picture, bool mergeFlips);

// The distinct visible colours of a tile, ascending.
std::vector<PictureColour> tileColours(const ColourTile& tile);

}  // namespace qarto
