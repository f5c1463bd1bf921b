#pragma once

#include <string>
#include <vector>

#include "io/c_source/source_array_reader.h"
#include "model/project/map_cell.h"
#include "model/tileset/indexed_image.h"

namespace qarto {

inline constexpr int kMaxImportedTiles = 1024;
inline constexpr int kMaxImportedColours = 256;
// Tiles a row of the page an import writes.
inline constexpr int kImportedPageTilesPerRow = 32;

// The three arrays of an import, as read, and the map width typed.
struct SourceLayerArrays {
  SourceArray palette;  // 15-bit colours, 16 bits each
  SourceArray tiles;    // 4bpp tiles, 32 bytes each
  SourceArray map;      // screen entries, 16 bits each
  int width = 0;
};

// The smallest layer the add-layer rules allow (the screen in tiles).
struct LayerSizeRule {
  int minWidth = 30;
  int minHeight = 20;
};

// What an import adds: a tile page and the cells of a layer on it (their
// tileset id still 0).
//
// The page holds every tile of the tile array at its own number, drawn in
// the palette row the map first uses it with (row 0 when the map does not
// use it), so page index = row x 16 + the tile's 4-bit colour; a tile the
// map also shows in other rows gets one more copy per row after them. Each
// cell names the copy in its entry's row, keeps that row as its palette row
// and the entry's flips. Colours become 8-bit channels as c << 3 | c >> 2,
// which the export's >> 3 turns back into the same 15-bit colour.
struct SourceLayerPlan {
  IndexedImage page;
  int width = 0;
  int height = 0;
  std::vector<MapCell> cells;
};

// The number of 16-bit screen entries of a map array; -1 when its bytes do
// not make whole entries.
long long screenEntryCount(const SourceArray& map);

// Checks every limit, in this order: the palette (whole 16-bit colours, 1
// to 256 of them), the tiles (whole 32-byte tiles, 1 to 1024), the map
// (whole screen entries), the width (at least 1, at most the entries, a
// divisor of them), the layer size (rule minimum to 1024 per side), then
// every entry's tile number and palette row. False with the message of the
// first that fails; nothing is built then.
bool planSourceLayer(const SourceLayerArrays& arrays, const LayerSizeRule& rule, SourceLayerPlan& plan,
                     std::string& message);

}  // namespace qarto
