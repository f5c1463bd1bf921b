#include <gtest/gtest.h>

#include <random>

#include "export/export_reduction.h"
#include "reduction_fixture.h"

namespace qarto::test {
namespace {

// Random maps built to stress the matchers: few base shapes shown under every
// flip, sparse pixels so checksums collide, palette rows copied between pages
// and differing only in colour 0, missing pages, out-of-range tile numbers,
// every layer kind and both tile groups.
class RandomMap {
 public:
  explicit RandomMap(std::uint32_t seed, bool large) : rng_(seed) {
    const int pageCount = pick(1, 3);
    std::vector<Tileset*> pages;
    for (int i = 0; i < pageCount; ++i) pages.push_back(&addPage(i + 1, large));
    shareRows(pages);
    const int layerCount = pick(1, 4);
    for (int i = 0; i < layerCount; ++i) addLayer(large, pageCount);
  }

  TilesetRegistry registry;
  LayerStack layers;

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool chance(int percent) { return pick(0, 99) < percent; }

  Pixels randomShape() {
    const int density = pick(1, 6);
    const int maxValue = chance(50) ? 1 : 15;
    return tilePixels([&](int, int) { return chance(density * 5) ? pick(1, maxValue) : 0; });
  }

  Tileset& addPage(int id, bool large) {
    const int tiles = large ? pick(1100, 1400) : pick(4, 64);
    Tileset& page = registry.insert(makePage(id, tiles));
    std::vector<Pixels> shapes;
    const int shapeCount = large ? tiles : pick(2, 10);
    for (int i = 0; i < shapeCount; ++i) shapes.push_back(randomShape());
    for (int t = 0; t < tiles; ++t) {
      Pixels p = mirrored(shapes[static_cast<std::size_t>(large ? t : pick(0, shapeCount - 1))], chance(50), chance(50));
      const int row = pick(0, 15);  // the high nibble must not matter
      for (auto& v : p) v = static_cast<std::uint8_t>(v | row << 4);
      setTile(page, t, p);
    }
    return page;
  }

  void shareRows(const std::vector<Tileset*>& pages) {
    for (int i = 0; i < 12; ++i) {
      Tileset& to = *pages[static_cast<std::size_t>(pick(0, static_cast<int>(pages.size()) - 1))];
      const Tileset& from = *pages[static_cast<std::size_t>(pick(0, static_cast<int>(pages.size()) - 1))];
      const int toRow = pick(0, 15);
      copyRow(to, toRow, from, pick(0, 15));
      if (chance(50)) setColour(to, toRow, 0, static_cast<std::uint8_t>(pick(0, 255)), 1, 2);
    }
  }

  void addLayer(bool large, int pageCount) {
    static constexpr LayerKind kKinds[] = {LayerKind::Primary, LayerKind::Secondary, LayerKind::Secondary,
                                           LayerKind::Collision, LayerKind::Entity};
    const LayerKind kind = kKinds[pick(0, 4)];
    if (kind == LayerKind::Entity) {
      auto layer = std::make_unique<MapLayer>();
      layer->kind = kind;
      layers.push_back(std::move(layer));
      return;
    }
    const int width = large ? 64 : pick(1, 40);
    const int height = large ? 32 : pick(1, 30);
    std::vector<MapCell> cells;
    for (int i = 0; i < width * height; ++i) {
      const int page = chance(3) ? pick(4, 9) : pick(1, pageCount);  // 4 and above are missing
      const Tileset* tileset = registry.find(page);
      const int tileCount = tileset ? tileset->tileCount : 16;
      const int tile = chance(2) ? pick(-3, tileCount + 3) : (large ? i % tileCount : pick(0, tileCount - 1));
      cells.push_back(cellOf(page, tile, pick(0, 15), chance(30), chance(30)));
    }
    layers.push_back(makeLayer(kind, width, height, std::move(cells), chance(35)));
  }

  std::mt19937 rng_;
};

ExportReduction reduce(const RandomMap& map, MatchMethod method, bool unoptimized) {
  ExportReduction r;
  CollectPalettes(r, map.layers, map.registry, unoptimized, method);
  CollectTiles(r, map.layers, map.registry, 0, method);
  CollectTiles(r, map.layers, map.registry, 1, method);
  return r;
}

// Returns the reference reduction for further checks; equal lists, indexes
// and flips mean equal screen entries.
ExportReduction expectSameReduction(const RandomMap& map, bool unoptimized, std::uint32_t seed) {
  ExportReduction literal = reduce(map, MatchMethod::Literal, unoptimized);
  const ExportReduction indexed = reduce(map, MatchMethod::Indexed, unoptimized);
  SCOPED_TRACE("seed " + std::to_string(seed));
  EXPECT_EQ(indexed.palettes, literal.palettes);
  EXPECT_EQ(indexed.paletteIndex, literal.paletteIndex);
  EXPECT_EQ(std::pair(indexed.paletteErrors, indexed.tileErrors), std::pair(literal.paletteErrors, literal.tileErrors));
  for (std::size_t g = 0; g < 2; ++g) {
    EXPECT_TRUE(indexed.tiles[g] == literal.tiles[g]) << "group " << g;
    EXPECT_EQ(indexed.tileIndex[g], literal.tileIndex[g]) << "group " << g;
    EXPECT_EQ(indexed.tileFlip[g], literal.tileFlip[g]) << "group " << g;
  }
  return literal;
}

TEST(MatcherEquivalence, SmallRandomMaps) {
  int flipped = 0;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    const ExportReduction r = expectSameReduction(RandomMap(seed, false), seed % 7 == 0, seed);
    for (const auto& flips : r.tileFlip)
      for (const auto& [key, flip] : flips) flipped += flip != kFlipNone ? 1 : 0;
  }
  EXPECT_GT(flipped, 200);  // the maps do exercise mirrored matches
}

// Seeds chosen once so that the tile list passes 1024 and palettes pass 16.
TEST(MatcherEquivalence, OverflowingRandomMaps) {
  bool tilesOver = false;
  bool palettesOver = false;
  for (std::uint32_t seed = 1001; seed <= 1006; ++seed) {
    const ExportReduction r = expectSameReduction(RandomMap(seed, true), false, seed);
    tilesOver = tilesOver || r.tileCount(0) > kMaxExportTiles || r.tileCount(1) > kMaxExportTiles;
    palettesOver = palettesOver || r.paletteCount() > kMaxExportPalettes;
  }
  EXPECT_TRUE(tilesOver && palettesOver);
}

}  // namespace
}  // namespace qarto::test
