#include "export/reduction/array_values.h"

#include "export/reduction/colour_conversion.h"
#include "export/reduction/screen_entry_table.h"
#include "model/byte_order.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

constexpr int kPaletteColours = 16;

}  // namespace

std::vector<bool> registeredPages(const TilesetRegistry& registry) {
  std::vector<bool> registered(256);
  for (int id = -128; id <= 127; ++id) registered[static_cast<std::size_t>(id + 128)] = registry.find(id) != nullptr;
  return registered;
}

std::vector<std::uint16_t> paletteValues(const ExportReduction& reduction, const TilesetRegistry& registry,
                                         const PaletteArrayOptions& options) {
  std::vector<std::uint16_t> values;
  values.reserve(static_cast<std::size_t>(kMaxExportPalettes) * kPaletteColours);
  for (const PaletteKey key : reduction.palettes) {
    const Tileset* page = registry.find(paletteKeyTileset(key));
    for (int colour = 0; colour < kPaletteColours; ++colour) {
      if (page == nullptr) {
        values.push_back(0);
        continue;
      }
      const std::size_t at = static_cast<std::size_t>(paletteKeyRow(key) * kPaletteColours + colour) * 3;
      values.push_back(ConvertColour(page->palette[at], page->palette[at + 1], page->palette[at + 2],
                                     options.saturation, options.luminance));
    }
  }
  if (options.autoPad) {
    for (int bank = options.bankOffset + reduction.paletteCount(); bank < kMaxExportPalettes; ++bank) {
      values.insert(values.end(), kPaletteColours, 0);
    }
  }
  return values;
}

std::vector<std::uint16_t> tileValues(const std::vector<UniqueTile>& tiles) {
  std::vector<std::uint16_t> values;
  values.reserve(tiles.size() * 16);
  for (const UniqueTile& tile : tiles) {
    for (const std::uint32_t row : tile.rows) {
      values.push_back(static_cast<std::uint16_t>(row & 0xFFFFu));
      values.push_back(static_cast<std::uint16_t>(row >> 16));
    }
  }
  return values;
}

std::vector<std::uint16_t> mapValues(const MapLayer& layer, const ScreenEntryTable& entries, ExportReduction& reduction,
                                     const TilesetRegistry& registry) {
  const std::vector<bool> registered = registeredPages(registry);
  const int group = tileGroupOf(layer);
  std::vector<std::uint16_t> values;
  values.reserve(layer.cells.size());
  for (const MapCell& cell : layer.cells) {
    // A cell without its page still takes its place, so every later cell
    // stays where the console expects it.
    if (!registered[static_cast<std::size_t>(cell.tileset + 128)]) {
      ++reduction.tileErrors;
      values.push_back(0);
      continue;
    }
    values.push_back(entries.encode(cell, group));
  }
  return values;
}

std::vector<std::uint16_t> collisionValues(const MapLayer& layer) {
  std::vector<std::uint16_t> values;
  values.reserve(layer.cells.size());
  for (const MapCell& cell : layer.cells) {
    values.push_back(static_cast<std::uint16_t>(
        (static_cast<unsigned>(cell.tile & kCollisionTileMask) << kCollisionTileShift) | cell.collision));
  }
  return values;
}

std::vector<EntityValues> entityValues(const MapLayer& layer) {
  std::vector<EntityValues> values;
  for (int slot = 0; slot < kEntitySlots; ++slot) {
    const std::size_t base = static_cast<std::size_t>(slot) * kEntityRecordSize;
    if (base + kEntityRecordSize > layer.entities.size()) break;
    const std::uint8_t* record = layer.entities.data() + base;
    if (record[0] == 0) continue;
    values.push_back(
        {loadU16(record + 2), static_cast<std::int8_t>(record[4]), loadI32(record + 8), loadI32(record + 12)});
  }
  return values;
}

}  // namespace qarto
