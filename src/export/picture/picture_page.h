#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "export/picture/bank_packing.h"
#include "export/picture/picture_tiles.h"
#include "model/tileset/indexed_image.h"

namespace qarto {

struct PictureOptions {
  // This colour becomes colour 0 of every bank (the backdrop shows there).
  std::optional<PictureColour> backdrop;
  // Merge the closest colours until the picture fits, instead of refusing.
  bool reduceColours = false;
  // Merge tiles equal under flips (a map's picture); off for a tile page,
  // whose tiles then keep their places and order.
  bool mergeTiles = true;
  // Make sure the page holds a blank tile (for cells beyond the picture).
  bool needBlankTile = false;
  int maxTiles = 1024;
  PackingLimits limits;
};

// One cell of the layer that shows the picture.
struct PictureCell {
  std::int16_t tile = 0;
  std::uint8_t palette = 0;  // the tile's palette row
  std::uint8_t flags = 0;    // kCellHFlip | kCellVFlip
};

struct PicturePage {
  // 8-bit page: palette row r is bank r (entry r*16 is colour 0), each
  // pixel is row*16 + slot. With merging, 16 tiles to a page row.
  IndexedImage page;
  int cellsWide = 0;
  int cellsHigh = 0;
  std::vector<PictureCell> cells;  // x + y * cellsWide
  int tiles = 0;
  int banks = 0;
  int blankTile = -1;             // a tile whose pixels are all colour 0, or -1
  std::uint8_t blankPalette = 0;  // that tile's palette row
  PackingMethod method = PackingMethod::None;
  int coloursMerged = 0;  // by "Reduce colours"
  int largestColourChange = 0;
};

// The picture as a tile page and the cells that show it, or false with the
// user-facing refusal (the size, the tiles or the banks it needs, and the
// first cells at fault).
bool reducePicture(const DisplayImage& picture, const PictureOptions& options, PicturePage& result,
                   std::string& message);

// "x, y" of a cell, for messages.
std::string cellListText(const std::vector<int>& cells, int cellsWide);

}  // namespace qarto
