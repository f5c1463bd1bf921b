#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "model/project/map_cell.h"
#include "model/project/map_layer.h"

namespace qarto {

class TilesetRegistry;
struct Tileset;

// The reduction of a map to what the GBA holds: at most 16 palettes of 16
// colours, 1024 tiles of 8x8 at 4 bits per pixel, and one 16-bit screen
// entry per cell. Built afresh for each export and dropped afterwards.

inline constexpr int kMaxExportPalettes = 16;
inline constexpr int kMaxExportTiles = 1024;
inline constexpr int kMaxGroup2Tiles = 768;  // what the count report flags for Group2
inline constexpr int kTileGroups = 2;

// One 16-colour row of one tile page: page id * 16 + row.
using PaletteKey = std::int32_t;
// One tile of one tile page: page id * 2^22 + tile number. The palette row is
// not part of it: tile pixels are palette-independent 4-bit indices.
using TileKey = std::int32_t;

// Rows beyond 15 do not exist on a page; only the low four bits of a cell's
// palette row name one.
inline PaletteKey paletteKey(int tilesetId, int row) { return tilesetId * 16 + (row & 15); }
inline int paletteKeyTileset(PaletteKey key) { return key >> 4; }  // rounds down, also below 0
inline int paletteKeyRow(PaletteKey key) { return key & 15; }
inline TileKey tileKey(int tilesetId, int tile) { return tilesetId * 4194304 + tile; }
// A tile number lies within +-2^21, so the nearest multiple of 2^22 names the page.
inline int tileKeyTileset(TileKey key) { return (key + 2097152) >> 22; }
inline int tileKeyTile(TileKey key) { return key - tileKeyTileset(key) * 4194304; }

// Bit 0 horizontal, bit 1 vertical.
enum FlipCode : std::uint8_t { kFlipNone = 0, kFlipHorizontal = 1, kFlipVertical = 2, kFlipBoth = 3 };

// One de-duplicated tile, packed at 4 bits per pixel.
struct UniqueTile {
  int checksum = 0;                       // sum of the 64 pixel nibbles
  std::array<std::uint32_t, 8> rows{};          // pixel x of row y in bits 4x..4x+3
  std::array<std::uint32_t, 8> mirroredRows{};  // the same rows, pixel order reversed

  friend bool operator==(const UniqueTile&, const UniqueTile&) = default;
};

struct ExportReduction {
  // A palette's position in `palettes` is its exported palette number.
  std::vector<PaletteKey> palettes;
  std::map<PaletteKey, int> paletteIndex;
  // Per tile group (0 = Group1, 1 = Group2); a tile's position is its number.
  std::array<std::vector<UniqueTile>, kTileGroups> tiles;
  std::array<std::map<TileKey, int>, kTileGroups> tileIndex;
  // The flip that turns the unique tile into the tile named by the key.
  std::array<std::map<TileKey, std::uint8_t>, kTileGroups> tileFlip;
  // Cells whose tile page id is not registered.
  int paletteErrors = 0;
  int tileErrors = 0;
  // Whether some tile layer is in Group2 (set by prepareExport).
  bool usesGroup2 = false;

  int paletteCount() const { return static_cast<int>(palettes.size()); }
  int tileCount(int group) const { return static_cast<int>(tiles[static_cast<std::size_t>(group)].size()); }
};

// How tiles and palettes are matched. Both give identical reductions;
// Literal walks every listed entry per cell and is kept as the reference.
enum class MatchMethod { Indexed, Literal };

using LayerStack = std::vector<std::unique_ptr<MapLayer>>;

// The tile group of a layer: 0 = Group1, 1 = Group2.
inline int tileGroupOf(const MapLayer& layer) { return layer.tileGrouping ? 1 : 0; }

// Fills `palettes` and `paletteIndex` from the tile layers (bottom first);
// un-optimized takes the 16 rows of the bottom layer's first cell's page.
// Cells of unregistered pages count in paletteErrors. Returns the count.
int CollectPalettes(ExportReduction& reduction, const LayerStack& layers, const TilesetRegistry& registry,
                    bool unoptimized, MatchMethod method = MatchMethod::Indexed);

// The palette number of (page, row): the first listed palette whose colours
// 1 to 15 equal the row's, appended when there is none. Literal walk.
int AddPalette(ExportReduction& reduction, const TilesetRegistry& registry, const Tileset& page, int row);

// Whether colours 1 to 15 of the two rows are equal (colour 0 never counts).
bool paletteRowsMatch(const Tileset& a, int rowA, const Tileset& b, int rowB);

// Fills tiles, tileIndex and tileFlip of `group` from the tile layers of that
// group. Cells of unregistered pages count in tileErrors. Returns the count.
int CollectTiles(ExportReduction& reduction, const LayerStack& layers, const TilesetRegistry& registry, int group,
                 MatchMethod method = MatchMethod::Indexed);

// Packs one tile, unflipped. A tile number outside the page gives a tile of
// colour 0 (all nibbles 0).
UniqueTile BuildUniqueTile(const Tileset& page, int tile);

// The first flip code (none, horizontal, vertical, both) under which `tile`
// equals `entry`, or -1 when none does.
int flipCodeBetween(const UniqueTile& entry, const UniqueTile& tile);

// Finds `tile` in tiles[group] (earliest entry, then flip order) or appends
// it, and records the number and flip under `key`. Literal walk.
int MatchTile(ExportReduction& reduction, TileKey key, const UniqueTile& tile, int group);

// The GBA text-background screen entry of a cell of a layer in `group`:
// tile bits 0-9, hflip 10, vflip 11, palette bank 12-15. A cell whose keys
// are not in the reduction encodes tile 0, no flip and palette 0 (before
// the offsets).
std::uint16_t EncodeScreenEntry(const ExportReduction& reduction, const MapCell& cell, int group, int bankOffset,
                                int tileOffset);

}  // namespace qarto
