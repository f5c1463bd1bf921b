#include "export/text/export_arrays.h"

#include <array>
#include <cstdint>

#include "export/reduction/colour_conversion.h"
#include "export/reduction/screen_entry_table.h"
#include "export/text/text_buffer.h"
#include "model/byte_order.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

constexpr int kPaletteColours = 16;
// A value and up to two separator characters.
constexpr std::size_t kMaxValueLength = TextBuffer::kMaxHexLength + 2;

// Lines of values are joined with ",\n".
void startLine(TextBuffer& out, bool first) {
  if (!first) out.append(",\n");
}

void appendPaletteLine(TextBuffer& out, const Tileset* page, int row, const PaletteArrayOptions& options) {
  for (int colour = 0; colour < kPaletteColours; ++colour) {
    if (colour > 0) out.append(',');
    if (page == nullptr) {
      out.append("error");
      continue;
    }
    const std::size_t at = static_cast<std::size_t>(row * kPaletteColours + colour) * 3;
    out.appendHex(ConvertColour(page->palette[at], page->palette[at + 1], page->palette[at + 2], options.saturation,
                                options.luminance));
  }
}

// Whether each page id a cell can name is registered, so the map walk does
// not search the registry per cell.
std::array<bool, 256> registeredPages(const TilesetRegistry& registry) {
  std::array<bool, 256> registered{};
  for (int id = -128; id <= 127; ++id) registered[static_cast<std::size_t>(id + 128)] = registry.find(id) != nullptr;
  return registered;
}

}  // namespace

void appendPaletteArray(TextBuffer& out, const ExportReduction& reduction, const TilesetRegistry& registry,
                        const PaletteArrayOptions& options) {
  bool first = true;
  for (const PaletteKey key : reduction.palettes) {
    startLine(out, first);
    first = false;
    appendPaletteLine(out, registry.find(paletteKeyTileset(key)), paletteKeyRow(key), options);
  }
  if (!options.autoPad) return;
  for (int bank = options.bankOffset + reduction.paletteCount(); bank < kMaxExportPalettes; ++bank) {
    startLine(out, first);
    first = false;
    out.append("0x0000");
    for (int colour = 1; colour < kPaletteColours; ++colour) out.append(",0x0000");
  }
}

void appendTileArray(TextBuffer& out, const std::vector<UniqueTile>& tiles) {
  out.reserve(tiles.size() * 16 * kMaxValueLength);
  bool first = true;
  for (const UniqueTile& tile : tiles) {
    startLine(out, first);
    first = false;
    for (std::size_t y = 0; y < tile.rows.size(); ++y) {
      if (y > 0) out.append(',');
      out.appendHex(tile.rows[y] & 0xFFFFu);
      out.append(',');
      out.appendHex(tile.rows[y] >> 16);
    }
  }
}

std::size_t mapArrayRoom(const MapLayer& layer) { return layer.cells.size() * kMaxScreenEntryLength; }

void appendMapArray(TextBuffer& out, const MapLayer& layer, const ScreenEntryTable& entries,
                    ExportReduction& reduction, const TilesetRegistry& registry) {
  const std::array<bool, 256> registered = registeredPages(registry);
  const int group = tileGroupOf(layer);
  TextBuffer::Block block(out, mapArrayRoom(layer));
  int written = 0;
  for (const MapCell& cell : layer.cells) {
    if (written > 0) {
      block.append(',');
      if (written % kMapValuesPerLine == 0) block.append('\n');
    }
    ++written;
    // A cell without its page still takes its place, so every later cell
    // stays where the console expects it.
    if (!registered[static_cast<std::size_t>(cell.tileset + 128)]) {
      ++reduction.tileErrors;
      block.appendHex(0);
      continue;
    }
    block.appendHex(entries.encode(cell, group));
  }
}

void appendCollisionArray(TextBuffer& out, const MapLayer& layer) {
  out.reserve(layer.cells.size() * kMaxValueLength);
  // Rows of a layer without columns are empty and join nothing.
  const std::size_t begin = out.size();
  for (int y = 0; y < layer.height; ++y) {
    startLine(out, out.size() == begin);
    for (int x = 0; x < layer.width; ++x) {
      const MapCell& cell = layer.cell(x, y);
      const unsigned value =
          ((static_cast<unsigned>(cell.tile & kCollisionTileMask) << kCollisionTileShift) | cell.collision) & 0xFFFFu;
      if (x > 0) out.append(',');
      out.appendHex(value);
    }
  }
}

void appendEntityList(TextBuffer& out, const MapLayer& layer) {
  out.append("const TEnemyList list[]ALIGN4 = {\n\n");
  out.append("\t// Entity\tFacing\tPosX,\t\tPosY,\n");
  for (int slot = 0; slot < kEntitySlots; ++slot) {
    const std::size_t base = static_cast<std::size_t>(slot) * kEntityRecordSize;
    if (base + kEntityRecordSize > layer.entities.size()) break;
    const std::uint8_t* record = layer.entities.data() + base;
    if (record[0] == 0) continue;
    // "\t%u,\t\t\t%i,\t\t(%i<<16),\t(%i<<16),\n": type, facing, x, y.
    out.append('\t');
    out.appendDecimal(loadU16(record + 2));
    out.append(",\t\t\t");
    out.appendDecimal(static_cast<std::int8_t>(record[4]));
    out.append(",\t\t(");
    out.appendDecimal(loadI32(record + 8));
    out.append("<<16),\t(");
    out.appendDecimal(loadI32(record + 12));
    out.append("<<16),\n");
  }
  out.append("};\n\n");
}

}  // namespace qarto
