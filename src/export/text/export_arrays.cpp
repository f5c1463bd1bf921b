#include "export/text/export_arrays.h"

#include <algorithm>
#include <cstdint>

#include "export/reduction/screen_entry_table.h"
#include "export/text/text_buffer.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

constexpr std::size_t kPaletteColours = 16;
constexpr std::size_t kTileValues = 16;
// A value and up to two separator characters.
constexpr std::size_t kMaxValueLength = TextBuffer::kMaxHexLength + 2;

// Lines of values are joined with ",\n".
void startLine(TextBuffer& out, bool first) {
  if (!first) out.append(",\n");
}

// Values [begin, end) on one line, joined by ",".
void appendLine(TextBuffer& out, const std::uint16_t* begin, const std::uint16_t* end) {
  TextBuffer::Block block(out, static_cast<std::size_t>(end - begin) * kMaxValueLength);
  for (const std::uint16_t* at = begin; at != end; ++at) {
    if (at != begin) block.append(',');
    block.appendHex(*at);
  }
}

// Lines of `perLine` values each (the last may be shorter).
void appendLines(TextBuffer& out, const std::vector<std::uint16_t>& values, std::size_t perLine) {
  out.reserve(values.size() * kMaxValueLength);
  for (std::size_t at = 0; at < values.size(); at += perLine) {
    startLine(out, at == 0);
    appendLine(out, values.data() + at, values.data() + std::min(values.size(), at + perLine));
  }
}

}  // namespace

void appendLaidOutArray(TextBuffer& out, const std::vector<std::uint16_t>& values) {
  appendLines(out, values, kMapValuesPerLine);
}

void appendPaletteArray(TextBuffer& out, const ExportReduction& reduction, const TilesetRegistry& registry,
                        const PaletteArrayOptions& options) {
  const std::vector<std::uint16_t> values = paletteValues(reduction, registry, options);
  for (std::size_t line = 0; line * kPaletteColours < values.size(); ++line) {
    startLine(out, line == 0);
    const bool missingPage =
        line < reduction.palettes.size() && registry.find(paletteKeyTileset(reduction.palettes[line])) == nullptr;
    if (!missingPage) {
      appendLine(out, values.data() + line * kPaletteColours, values.data() + (line + 1) * kPaletteColours);
      continue;
    }
    for (std::size_t colour = 0; colour < kPaletteColours; ++colour) out.append(colour > 0 ? ",error" : "error");
  }
}

void appendTileArray(TextBuffer& out, const std::vector<UniqueTile>& tiles) {
  appendLines(out, tileValues(tiles), kTileValues);
}

std::size_t mapArrayRoom(const MapLayer& layer) { return layer.cells.size() * kMaxScreenEntryLength; }

void appendMapArray(TextBuffer& out, const MapLayer& layer, const ScreenEntryTable& entries, ExportReduction& reduction,
                    const TilesetRegistry& registry) {
  const std::vector<std::uint16_t> values = mapValues(layer, entries, reduction, registry);
  TextBuffer::Block block(out, mapArrayRoom(layer));
  for (std::size_t written = 0; written < values.size(); ++written) {
    if (written > 0) {
      block.append(',');
      if (written % kMapValuesPerLine == 0) block.append('\n');
    }
    block.appendHex(values[written]);
  }
}

void appendCollisionArray(TextBuffer& out, const MapLayer& layer) {
  // One line per row; rows of a layer without columns are empty and join nothing.
  if (layer.width > 0) appendLines(out, collisionValues(layer), static_cast<std::size_t>(layer.width));
}

void appendEntityList(TextBuffer& out, const MapLayer& layer) {
  out.append("const TEnemyList list[]ALIGN4 = {\n\n");
  out.append("\t// Entity\tFacing\tPosX,\t\tPosY,\n");
  for (const EntityValues& entity : entityValues(layer)) {
    // "\t%u,\t\t\t%i,\t\t(%i<<16),\t(%i<<16),\n": type, facing, x, y.
    out.append('\t');
    out.appendDecimal(entity.type);
    out.append(",\t\t\t");
    out.appendDecimal(entity.facing);
    out.append(",\t\t(");
    out.appendDecimal(entity.x);
    out.append("<<16),\t(");
    out.appendDecimal(entity.y);
    out.append("<<16),\n");
  }
  out.append("};\n\n");
}

}  // namespace qarto
