#pragma once

#include <string>
#include <vector>

#include "export/export_reduction.h"

namespace qarto {

class TilesetRegistry;

// The values of the exported arrays, as the text between a data head and
// its tail. Values are "0x%04x", separated by "," without spaces; no
// separator follows the last value.

inline constexpr int kCollisionTileMask = 63;  // collision flag definition
inline constexpr int kCollisionTileShift = 0;
inline constexpr int kMapValuesPerLine = 16;

struct PaletteArrayOptions {
  int saturation = 0;
  int luminance = 0;
  bool autoPad = true;
  int bankOffset = 0;
};

// One line of 16 colours per palette, then the padding lines of "0x0000"
// that fill the banks above bankOffset + palette count when autoPad is on.
std::string paletteArrayText(const ExportReduction& reduction, const TilesetRegistry& registry,
                             const PaletteArrayOptions& options);

// One line per unique tile: per row, top first, the low and then the high
// 16 bits of the packed row.
std::string tileArrayText(const std::vector<UniqueTile>& tiles);

// The screen entries of a tile layer, sixteen to a line whatever its width.
// Cells of unregistered pages write nothing and add to reduction.tileErrors.
std::string mapArrayText(const MapLayer& layer, ExportReduction& reduction, const TilesetRegistry& registry,
                         int bankOffset, int tileOffset);

// One line per row of a collision layer: collision tile and flag word.
std::string collisionArrayText(const MapLayer& layer);

// The fixed entity list of an entity layer, used slots in slot order.
std::string entityListText(const MapLayer& layer);

}  // namespace qarto
