#include "export/export_arrays.h"

#include <cstdint>
#include <cstdio>

#include "export/colour_conversion.h"
#include "model/byte_order.h"
#include "model/tileset.h"
#include "model/tileset_registry.h"

namespace qarto {

namespace {

constexpr int kPaletteColours = 16;

std::string hex4(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04x", value);
  return text;
}

// Joins lines of values with ",\n".
void appendLine(std::string& out, const std::string& line) {
  if (!out.empty()) out += ",\n";
  out += line;
}

std::string paletteLine(const Tileset* page, int row, const PaletteArrayOptions& options) {
  std::string line;
  for (int colour = 0; colour < kPaletteColours; ++colour) {
    if (colour > 0) line += ',';
    if (page == nullptr) {
      line += "error";
      continue;
    }
    const std::size_t at = static_cast<std::size_t>(row * kPaletteColours + colour) * 3;
    line += hex4(ConvertColour(page->palette[at], page->palette[at + 1], page->palette[at + 2], options.saturation,
                               options.luminance));
  }
  return line;
}

}  // namespace

std::string paletteArrayText(const ExportReduction& reduction, const TilesetRegistry& registry,
                             const PaletteArrayOptions& options) {
  std::string out;
  for (const PaletteKey key : reduction.palettes) {
    appendLine(out, paletteLine(registry.find(paletteKeyTileset(key)), paletteKeyRow(key), options));
  }
  if (options.autoPad) {
    std::string blank;
    for (int colour = 0; colour < kPaletteColours; ++colour) blank += colour > 0 ? ",0x0000" : "0x0000";
    for (int bank = options.bankOffset + reduction.paletteCount(); bank < kMaxExportPalettes; ++bank) {
      appendLine(out, blank);
    }
  }
  return out;
}

std::string tileArrayText(const std::vector<UniqueTile>& tiles) {
  std::string out;
  for (const UniqueTile& tile : tiles) {
    std::string line;
    for (const std::uint32_t row : tile.rows) {
      if (!line.empty()) line += ',';
      line += hex4(row & 0xFFFFu) + "," + hex4(row >> 16);
    }
    appendLine(out, line);
  }
  return out;
}

std::string mapArrayText(const MapLayer& layer, ExportReduction& reduction, const TilesetRegistry& registry,
                         int bankOffset, int tileOffset) {
  std::string out;
  const int group = tileGroupOf(layer);
  int written = 0;
  for (const MapCell& cell : layer.cells) {
    if (registry.find(cell.tileset) == nullptr) {
      ++reduction.tileErrors;
      continue;
    }
    if (written > 0) out += written % kMapValuesPerLine == 0 ? ",\n" : ",";
    out += hex4(EncodeScreenEntry(reduction, cell, group, bankOffset, tileOffset));
    ++written;
  }
  return out;
}

std::string collisionArrayText(const MapLayer& layer) {
  std::string out;
  for (int y = 0; y < layer.height; ++y) {
    std::string line;
    for (int x = 0; x < layer.width; ++x) {
      const MapCell& cell = layer.cell(x, y);
      const unsigned value =
          ((static_cast<unsigned>(cell.tile & kCollisionTileMask) << kCollisionTileShift) | cell.collision) & 0xFFFFu;
      if (x > 0) line += ',';
      line += hex4(value);
    }
    appendLine(out, line);
  }
  return out;
}

std::string entityListText(const MapLayer& layer) {
  std::string out = "const TEnemyList list[]ALIGN4 = {\n\n";
  out += "\t// Entity\tFacing\tPosX,\t\tPosY,\n";
  for (int slot = 0; slot < kEntitySlots; ++slot) {
    const std::size_t base = static_cast<std::size_t>(slot) * kEntityRecordSize;
    if (base + kEntityRecordSize > layer.entities.size()) break;
    const std::uint8_t* record = layer.entities.data() + base;
    if (record[0] == 0) continue;
    const unsigned type = loadU16(record + 2);
    const int facing = static_cast<std::int8_t>(record[4]);
    const std::int32_t x = loadI32(record + 8);
    const std::int32_t y = loadI32(record + 12);
    char line[128];
    std::snprintf(line, sizeof line, "\t%u,\t\t\t%i,\t\t(%i<<16),\t(%i<<16),\n", type, facing, static_cast<int>(x),
                  static_cast<int>(y));
    out += line;
  }
  out += "};\n\n";
  return out;
}

}  // namespace qarto
