#include "export/reduction/export_reduction.h"

#include <cstring>

#include "export/reduction/reduction_index.h"
#include "model/project/layer_kind.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

// Looks cells' tile pages up, reusing the previous cell's page while the id
// stays the same; a missing page is looked up afresh by the next cell.
class PageLookup {
 public:
  explicit PageLookup(const TilesetRegistry& registry) : registry_(registry) {}
  const Tileset* find(int id) {
    if (page_ == nullptr || id != id_) {
      page_ = registry_.find(id);
      id_ = id;
    }
    return page_;
  }

 private:
  const TilesetRegistry& registry_;
  const Tileset* page_ = nullptr;
  int id_ = 0;
};

const std::uint8_t* paletteRow(const Tileset& page, int row) {
  return page.palette.data() + static_cast<std::size_t>(row & 15) * 16 * 3;
}

int collectUnoptimizedPalettes(ExportReduction& reduction, const LayerStack& layers,
                               const TilesetRegistry& registry) {
  // The 16 rows of the one tile page such a project holds, taken from the
  // bottom layer's first cell; an entity layer at the bottom has no cells.
  if (layers.empty() || layers.front()->cells.empty()) return reduction.paletteCount();
  const Tileset* page = registry.find(layers.front()->cells.front().tileset);
  if (page == nullptr) return reduction.paletteCount();
  for (int row = 0; row < 16; ++row) {
    const PaletteKey key = paletteKey(page->id, row);
    reduction.paletteIndex[key] = reduction.paletteCount();
    reduction.palettes.push_back(key);
  }
  return reduction.paletteCount();
}

}  // namespace

bool paletteRowsMatch(const Tileset& a, int rowA, const Tileset& b, int rowB) {
  // Colours 1 to 15, three bytes each; colour 0 is transparent on the GBA.
  return std::memcmp(paletteRow(a, rowA) + 3, paletteRow(b, rowB) + 3, 45) == 0;
}

int AddPalette(ExportReduction& reduction, const TilesetRegistry& registry, const Tileset& page, int row) {
  const PaletteKey key = paletteKey(page.id, row);
  int position = 0;
  for (PaletteKey entry : reduction.palettes) {
    if (entry == key) break;
    const Tileset* entryPage = registry.find(paletteKeyTileset(entry));
    if (entryPage != nullptr && paletteRowsMatch(*entryPage, paletteKeyRow(entry), page, row)) break;
    ++position;
  }
  if (position == reduction.paletteCount()) reduction.palettes.push_back(key);
  reduction.paletteIndex[key] = position;
  return position;
}

int CollectPalettes(ExportReduction& reduction, const LayerStack& layers, const TilesetRegistry& registry,
                    bool unoptimized, MatchMethod method) {
  if (unoptimized) return collectUnoptimizedPalettes(reduction, layers, registry);
  PaletteMatchIndex index(reduction, registry);
  for (const auto& layer : layers) {
    if (!isTileLayerKind(layer->kind)) continue;
    PageLookup pages(registry);
    for (const MapCell& cell : layer->cells) {
      const Tileset* page = pages.find(cell.tileset);
      if (page == nullptr) {
        ++reduction.paletteErrors;
        continue;
      }
      if (method == MatchMethod::Literal) {
        AddPalette(reduction, registry, *page, cell.palette);
      } else {
        index.add(*page, cell.palette);
      }
    }
  }
  return reduction.paletteCount();
}

UniqueTile BuildUniqueTile(const Tileset& page, int tile) {
  UniqueTile unique;
  TilePixels pixels{};  // a tile outside the page packs as colour 0
  if (!readTile(page, tile, false, false, pixels)) return unique;
  for (std::size_t y = 0; y < 8; ++y) {
    std::uint32_t row = 0;
    std::uint32_t mirrored = 0;
    for (std::size_t x = 0; x < 8; ++x) {
      const std::uint32_t nibble = pixels[y * 8 + x] & 15u;
      unique.checksum += static_cast<int>(nibble);
      row |= nibble << (4 * x);
      mirrored |= nibble << (4 * (7 - x));
    }
    unique.rows[y] = row;
    unique.mirroredRows[y] = mirrored;
  }
  return unique;
}

int flipCodeBetween(const UniqueTile& entry, const UniqueTile& tile) {
  if (entry.checksum != tile.checksum) return -1;
  auto holds = [&](bool mirrored, bool reversed) {
    for (std::size_t y = 0; y < 8; ++y) {
      const auto& source = mirrored ? tile.mirroredRows : tile.rows;
      if (entry.rows[y] != source[reversed ? 7 - y : y]) return false;
    }
    return true;
  };
  if (holds(false, false)) return kFlipNone;
  if (holds(true, false)) return kFlipHorizontal;
  if (holds(false, true)) return kFlipVertical;
  if (holds(true, true)) return kFlipBoth;
  return -1;
}

int MatchTile(ExportReduction& reduction, TileKey key, const UniqueTile& tile, int group) {
  const auto g = static_cast<std::size_t>(group & 1);
  auto& tiles = reduction.tiles[g];
  int position = 0;
  int flip = -1;
  for (const UniqueTile& entry : tiles) {
    flip = flipCodeBetween(entry, tile);
    if (flip >= 0) break;
    ++position;
  }
  if (flip < 0) {
    tiles.push_back(tile);
    flip = kFlipNone;
  }
  reduction.tileIndex[g][key] = position;
  reduction.tileFlip[g][key] = static_cast<std::uint8_t>(flip);
  return position;
}

int CollectTiles(ExportReduction& reduction, const LayerStack& layers, const TilesetRegistry& registry, int group,
                 MatchMethod method) {
  group &= 1;
  TileMatchIndex index(reduction, group);
  SeenTileKeys seen;
  const auto& known = reduction.tileIndex[static_cast<std::size_t>(group)];
  for (const auto& layer : layers) {
    if (!isTileLayerKind(layer->kind) || tileGroupOf(*layer) != group) continue;
    PageLookup pages(registry);
    for (const MapCell& cell : layer->cells) {
      const Tileset* page = pages.find(cell.tileset);
      if (page == nullptr) {
        ++reduction.tileErrors;
        continue;
      }
      const TileKey key = tileKey(cell.tileset, cell.tile);
      if (method == MatchMethod::Literal) {
        MatchTile(reduction, key, BuildUniqueTile(*page, cell.tile), group);
      } else if (!seen.testAndSet(cell.tileset, cell.tile) && !known.contains(key)) {
        // The list only grows at its end, so a key's first answer stays its answer.
        index.match(key, BuildUniqueTile(*page, cell.tile));
      }
    }
  }
  return reduction.tileCount(group);
}

std::uint16_t EncodeScreenEntry(const ExportReduction& reduction, const MapCell& cell, int group, int bankOffset,
                                int tileOffset) {
  const auto g = static_cast<std::size_t>(group & 1);
  const TileKey key = tileKey(cell.tileset, cell.tile);
  auto lookup = [](const auto& map, auto k) -> std::uint32_t {
    auto it = map.find(k);
    return it == map.end() ? 0u : static_cast<std::uint32_t>(it->second);
  };
  const std::uint32_t tile = lookup(reduction.tileIndex[g], key);
  const std::uint32_t flip = lookup(reduction.tileFlip[g], key);
  const std::uint32_t palette = lookup(reduction.paletteIndex, paletteKey(cell.tileset, cell.palette));
  // Unsigned sums: any offset wraps into the field instead of overflowing.
  std::uint32_t entry = (tile + static_cast<std::uint32_t>(tileOffset)) & 1023u;
  entry |= ((flip & 1u) ^ (cell.hflip() ? 1u : 0u)) << 10;
  entry |= (((flip >> 1) & 1u) ^ (cell.vflip() ? 1u : 0u)) << 11;
  entry |= ((palette + static_cast<std::uint32_t>(bankOffset)) & 15u) << 12;
  return static_cast<std::uint16_t>(entry);
}

}  // namespace qarto
