#include "export/reduction/reduction_index.h"

#include <algorithm>
#include <cstring>

#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

// 64-bit mix (splitmix64 finaliser); spreads near-identical tiles apart.
std::uint64_t mix(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  x ^= x >> 31;
  return x;
}

}  // namespace

// --- Tiles ---

TileMatchIndex::TileMatchIndex(ExportReduction& reduction, int group)
    : reduction_(reduction), group_(static_cast<std::size_t>(group & 1)) {
  const auto& tiles = reduction_.tiles[group_];
  positions_.reserve(tiles.size() * 2 + 64);
  for (std::size_t i = 0; i < tiles.size(); ++i) positions_.try_emplace(canonicalForm(tiles[i]), static_cast<int>(i));
}

std::size_t TileMatchIndex::FormHash::operator()(const Form& form) const {
  std::uint64_t h = 0;
  for (std::uint32_t row : form) h = mix(h ^ row);
  return static_cast<std::size_t>(h);
}

TileMatchIndex::Form TileMatchIndex::canonicalForm(const UniqueTile& tile) {
  Form forms[4];
  for (std::size_t y = 0; y < 8; ++y) {
    forms[0][y] = tile.rows[y];
    forms[1][y] = tile.mirroredRows[y];
    forms[2][y] = tile.rows[7 - y];
    forms[3][y] = tile.mirroredRows[7 - y];
  }
  return *std::min_element(std::begin(forms), std::end(forms));
}

int TileMatchIndex::match(TileKey key, const UniqueTile& tile) {
  auto& tiles = reduction_.tiles[group_];
  auto [it, inserted] = positions_.try_emplace(canonicalForm(tile), static_cast<int>(tiles.size()));
  const int position = it->second;
  std::uint8_t flip = kFlipNone;
  if (inserted) {
    tiles.push_back(tile);
  } else {
    // The listed tile shares the form, so one of the four flips holds.
    flip = static_cast<std::uint8_t>(flipCodeBetween(tiles[static_cast<std::size_t>(position)], tile));
  }
  reduction_.tileIndex[group_][key] = position;
  reduction_.tileFlip[group_][key] = flip;
  return position;
}

bool SeenTileKeys::testAndSet(std::int8_t tilesetId, std::int16_t tile) {
  auto& block = blocks_[static_cast<std::size_t>(tilesetId + 128)];
  if (block.empty()) block.assign(65536, 0);
  std::uint8_t& flag = block[static_cast<std::size_t>(tile + 32768)];
  const bool seen = flag != 0;
  flag = 1;
  return seen;
}

// --- Palettes ---

PaletteMatchIndex::PaletteMatchIndex(ExportReduction& reduction, const TilesetRegistry& registry)
    : reduction_(reduction) {
  known_.fill(-1);
  for (std::size_t i = 0; i < reduction_.palettes.size(); ++i) {
    const PaletteKey key = reduction_.palettes[i];
    if (const Tileset* page = registry.find(paletteKeyTileset(key))) {
      positions_.try_emplace(rowColours(*page, paletteKeyRow(key)), static_cast<int>(i));
    }
  }
}

std::size_t PaletteMatchIndex::ColoursHash::operator()(const Colours& colours) const {
  std::uint64_t h = 0;
  for (std::size_t i = 0; i < colours.size(); i += 3) {
    h = mix(h ^ (static_cast<std::uint64_t>(colours[i]) << 16 | static_cast<std::uint64_t>(colours[i + 1]) << 8 |
                 colours[i + 2]));
  }
  return static_cast<std::size_t>(h);
}

PaletteMatchIndex::Colours PaletteMatchIndex::rowColours(const Tileset& page, int row) {
  Colours colours{};
  const std::size_t first = (static_cast<std::size_t>(row & 15) * 16 + 1) * 3;  // colour 0 never counts
  std::memcpy(colours.data(), page.palette.data() + first, colours.size());
  return colours;
}

int PaletteMatchIndex::knownSlot(int tilesetId, int row) {
  if (tilesetId < -128 || tilesetId > 127) return -1;
  return (tilesetId + 128) * 16 + (row & 15);
}

int PaletteMatchIndex::add(const Tileset& page, int row) {
  const int slot = knownSlot(page.id, row);
  if (slot >= 0 && known_[static_cast<std::size_t>(slot)] >= 0) return known_[static_cast<std::size_t>(slot)];
  const PaletteKey key = paletteKey(page.id, row);
  // The list only grows at its end, so a key's first answer stays its answer.
  int position;
  if (auto known = reduction_.paletteIndex.find(key); known != reduction_.paletteIndex.end()) {
    position = known->second;
  } else {
    auto [it, inserted] = positions_.try_emplace(rowColours(page, row), static_cast<int>(reduction_.palettes.size()));
    if (inserted) reduction_.palettes.push_back(key);
    position = it->second;
    reduction_.paletteIndex[key] = position;
  }
  if (slot >= 0) known_[static_cast<std::size_t>(slot)] = position;
  return position;
}

}  // namespace qarto
