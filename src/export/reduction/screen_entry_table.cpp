#include "export/reduction/screen_entry_table.h"

#include <algorithm>
#include <climits>

namespace qarto {

namespace {

// Keys of page ids a cell cannot name never meet a cell; they are left out.
bool cellCanName(int tilesetId) { return tilesetId >= INT8_MIN && tilesetId <= INT8_MAX; }

}  // namespace

ScreenEntryTable::ScreenEntryTable(const ExportReduction& reduction, int bankOffset, int tileOffset) {
  // Unsigned sums, as in EncodeScreenEntry: any offset wraps into its field.
  const auto tiles = static_cast<std::uint32_t>(tileOffset);
  const auto banks = static_cast<std::uint32_t>(bankOffset);
  missingTile_ = static_cast<std::uint16_t>(tiles & 1023u);
  for (std::size_t group = 0; group < tiles_.size(); ++group) addGroup(reduction, group, tiles);

  const auto missingPalette = static_cast<std::uint16_t>((banks & 15u) << 12);
  paletteBits_.fill(missingPalette);
  for (const auto& [key, position] : reduction.paletteIndex) {
    const int page = paletteKeyTileset(key);
    if (!cellCanName(page)) continue;
    paletteBits_[pageSlot(page) * 16 + static_cast<std::size_t>(paletteKeyRow(key))] =
        static_cast<std::uint16_t>(((static_cast<std::uint32_t>(position) + banks) & 15u) << 12);
  }
}

void ScreenEntryTable::addGroup(const ExportReduction& reduction, std::size_t group, std::uint32_t tileOffset) {
  const auto& numbers = reduction.tileIndex[group];
  const auto& flips = reduction.tileFlip[group];

  // Each page's table spans the lowest to the highest tile number recorded.
  std::array<int, kPageIds> low;
  std::array<int, kPageIds> high;
  low.fill(INT_MAX);
  high.fill(INT_MIN);
  auto note = [&](TileKey key) {
    const int page = tileKeyTileset(key);
    if (!cellCanName(page)) return;
    low[pageSlot(page)] = std::min(low[pageSlot(page)], tileKeyTile(key));
    high[pageSlot(page)] = std::max(high[pageSlot(page)], tileKeyTile(key));
  };
  for (const auto& entry : numbers) note(entry.first);
  for (const auto& entry : flips) note(entry.first);
  for (std::size_t slot = 0; slot < kPageIds; ++slot) {
    if (low[slot] > high[slot]) continue;
    PageTiles& page = tiles_[group][slot];
    page.first = low[slot];
    page.bits.assign(static_cast<std::size_t>(high[slot] - low[slot] + 1), missingTile_);
  }

  // A key without a number or without a flip takes 0 for it, as in EncodeScreenEntry.
  auto bitsOf = [&](TileKey key) -> std::uint16_t* {
    const int page = tileKeyTileset(key);
    if (!cellCanName(page)) return nullptr;
    PageTiles& tiles = tiles_[group][pageSlot(page)];
    return &tiles.bits[static_cast<std::size_t>(tileKeyTile(key) - tiles.first)];
  };
  for (const auto& [key, position] : numbers) {
    if (std::uint16_t* bits = bitsOf(key)) {
      *bits = static_cast<std::uint16_t>((*bits & ~1023u) | ((static_cast<std::uint32_t>(position) + tileOffset) & 1023u));
    }
  }
  for (const auto& [key, flip] : flips) {
    if (std::uint16_t* bits = bitsOf(key)) {
      *bits = static_cast<std::uint16_t>((*bits & 1023u) | (flip & 3u) << 10);
    }
  }
}

}  // namespace qarto
