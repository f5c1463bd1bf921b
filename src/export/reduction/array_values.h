#pragma once

#include <cstdint>
#include <vector>

#include "export/reduction/export_reduction.h"

namespace qarto {

class ScreenEntryTable;
class TilesetRegistry;

// The values of the exported arrays, whatever form they are written in:
// the C text formats them, the binary export stores them little-endian and
// the map player's ROM carries them.

struct PaletteArrayOptions {
  int saturation = 0;
  int luminance = 0;
  bool autoPad = true;
  int bankOffset = 0;
};

// 16 colours per palette in palette-number order, then, when autoPad is
// on, colours of 0 for every bank above bankOffset + palette count. A
// palette whose tile page has gone gives 16 zeros.
std::vector<std::uint16_t> paletteValues(const ExportReduction& reduction, const TilesetRegistry& registry,
                                         const PaletteArrayOptions& options);

// 16 values per unique tile: per row, top first, the low and then the high
// 16 bits of the packed row (4 bits per pixel, the left pixel lowest).
std::vector<std::uint16_t> tileValues(const std::vector<UniqueTile>& tiles);

// The screen entries of a tile layer, cell by cell. Cells of unregistered
// pages give 0x0000 and add to reduction.tileErrors.
std::vector<std::uint16_t> mapValues(const MapLayer& layer, const ScreenEntryTable& entries, ExportReduction& reduction,
                                     const TilesetRegistry& registry);

inline constexpr int kCollisionTileMask = 63;  // collision flag definition
inline constexpr int kCollisionTileShift = 0;

// Per cell of a collision layer: its collision tile and flag word.
std::vector<std::uint16_t> collisionValues(const MapLayer& layer);

// One used slot of an entity layer as the exported list holds it.
struct EntityValues {
  std::int32_t type = 0;
  std::int32_t facing = 0;
  std::int32_t x = 0;  // pixels
  std::int32_t y = 0;
};

// The used slots of an entity layer, in slot order.
std::vector<EntityValues> entityValues(const MapLayer& layer);

// Whether each page id a cell can name is registered, indexed by id + 128,
// so a walk over the cells does not search the registry per cell.
std::vector<bool> registeredPages(const TilesetRegistry& registry);

}  // namespace qarto
