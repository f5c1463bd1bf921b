#pragma once

#include <cstddef>
#include <vector>

#include "export/reduction/array_values.h"

namespace qarto {

class ScreenEntryTable;
class TextBuffer;
class TilesetRegistry;

// The values of the exported arrays (array_values.h), appended to an
// output file's text between a data head and its tail. Values are
// "0x%04x", separated by "," without spaces; no separator follows the last
// value.

inline constexpr int kMapValuesPerLine = 16;

// One line of 16 colours per palette, then the padding lines of "0x0000"
// that fill the banks above bankOffset + palette count when autoPad is on.
// A palette whose tile page has gone reads "error" for each colour.
void appendPaletteArray(TextBuffer& out, const ExportReduction& reduction, const TilesetRegistry& registry,
                        const PaletteArrayOptions& options);

// One line per unique tile: per row, top first, the low and then the high
// 16 bits of the packed row.
void appendTileArray(TextBuffer& out, const std::vector<UniqueTile>& tiles);

// A screen entry is 16 bits: "0x" + 4 digits and at most ",\n".
inline constexpr std::size_t kMaxScreenEntryLength = 8;
// The most characters appendMapArray writes for `layer`.
std::size_t mapArrayRoom(const MapLayer& layer);

// The screen entries of a tile layer, sixteen to a line whatever its width.
// Cells of unregistered pages write 0x0000 and add to reduction.tileErrors.
void appendMapArray(TextBuffer& out, const MapLayer& layer, const ScreenEntryTable& entries,
                    ExportReduction& reduction, const TilesetRegistry& registry);

// An array changed by its layout (screen blocks, compression): sixteen
// values to a line.
void appendLaidOutArray(TextBuffer& out, const std::vector<std::uint16_t>& values);

// One line per row of a collision layer: collision tile and flag word.
void appendCollisionArray(TextBuffer& out, const MapLayer& layer);

// The fixed entity list of an entity layer, used slots in slot order.
void appendEntityList(TextBuffer& out, const MapLayer& layer);

}  // namespace qarto
