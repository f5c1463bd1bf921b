#include "export/reduction/export_reduction.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "export/reduction/colour_conversion.h"
#include "reduction_fixture.h"

namespace qarto::test {
namespace {

// Every reduction test runs with both matchers.
class Reduction : public ::testing::TestWithParam<MatchMethod> {
 protected:
  int collectPalettes(bool unoptimized = false) {
    return CollectPalettes(r, layers, registry, unoptimized, GetParam());
  }
  int collectTiles(int group = 0) { return CollectTiles(r, layers, registry, group, GetParam()); }
  // The screen entry of every cell of layer `index`, without offsets.
  std::vector<int> entries(std::size_t index = 0) {
    std::vector<int> out;
    for (const MapCell& cell : layers[index]->cells)
      out.push_back(EncodeScreenEntry(r, cell, tileGroupOf(*layers[index]), 0, 0));
    return out;
  }

  TilesetRegistry registry;
  LayerStack layers;
  ExportReduction r;
};

TEST_P(Reduction, MirroredCopiesShareATileWithTheFirstMatchingFlip) {
  Tileset& page = registry.insert(makePage(1, 9));
  const Pixels a = asymmetricTile();
  const Pixels hSymmetric = tilePixels([](int x, int y) { return y == 0 && (x == 2 || x == 5) ? 3 : 0; });
  const Pixels vSymmetric = tilePixels([](int x, int y) { return x == 0 && (y == 1 || y == 6) ? 4 : 0; });
  const Pixels tiles[] = {a,
                          mirrored(a, true, false),
                          mirrored(a, false, true),
                          mirrored(a, true, true),
                          hSymmetric,
                          mirrored(hSymmetric, false, true),
                          vSymmetric,
                          mirrored(vSymmetric, true, false)};
  for (int t = 0; t < 8; ++t) setTile(page, t, tiles[t]);
  std::vector<MapCell> cells;
  for (int t = 0; t < 8; ++t) cells.push_back(cellOf(1, t));
  cells.push_back(cellOf(1, 1, 0, true));  // mirrored twice: drawn unflipped
  layers.push_back(rowLayer(cells));
  collectPalettes();
  EXPECT_EQ(collectTiles(), 3);
  // A symmetric shape takes "none" before "horizontal", "vertical" before "both".
  EXPECT_EQ(entries(), (std::vector<int>{0, 1 << 10, 1 << 11, 3 << 10, 1, 1 | 1 << 11, 2, 2 | 1 << 10, 0}));
}

TEST_P(Reduction, UniqueTilesNumberedInOrderOfFirstUseStoredAsDrawn) {
  Tileset& page = registry.insert(makePage(1, 4));
  for (int t = 0; t < 4; ++t) setTile(page, t, asymmetricTile(t + 1));
  // The first use of tile 2's shape is a mirrored copy on page 2.
  Tileset& second = registry.insert(makePage(2, 1));
  setTile(second, 0, mirrored(asymmetricTile(3), true, true));
  layers.push_back(rowLayer({cellOf(1, 3), cellOf(2, 0), cellOf(1, 2), cellOf(1, 3), cellOf(1, 0)}));
  EXPECT_EQ(collectTiles(), 3);
  EXPECT_EQ(entries(), (std::vector<int>{0, 1, 1 | 3 << 10, 0, 2}));
  EXPECT_EQ(r.tiles[0][1], BuildUniqueTile(second, 0));
}

TEST_P(Reduction, OnlyTileLayersTakePartAndMissingPagesAreCounted) {
  Tileset& page = registry.insert(makePage(1, 4));
  setTile(page, 1, asymmetricTile());
  layers.push_back(rowLayer({cellOf(1, 1, 4)}, false, LayerKind::Collision));
  layers.push_back(std::make_unique<MapLayer>());
  layers.back()->kind = LayerKind::Entity;
  // Blank cells share one tile, whichever blank tile they show.
  layers.push_back(rowLayer(std::vector<MapCell>(600, cellOf(1, 2)), false, LayerKind::Primary, 20));
  layers.push_back(rowLayer({cellOf(1, 0, 2), cellOf(5, 1), cellOf(5, 1), cellOf(1, 1, 2), cellOf(6, 0)}, false,
                            LayerKind::Secondary));
  EXPECT_EQ(collectPalettes(), 2);
  EXPECT_EQ(r.palettes, (std::vector<PaletteKey>{paletteKey(1, 0), paletteKey(1, 2)}));
  EXPECT_EQ(collectTiles(), 2);
  EXPECT_EQ(std::pair(r.paletteErrors, r.tileErrors), std::pair(3, 3));
  EXPECT_EQ(entries(3), (std::vector<int>{1 << 12, 0, 0, 1 | 1 << 12, 0}));
}

TEST_P(Reduction, PaletteRowsMergeWhenColoursOneToFifteenAgree) {
  Tileset& first = registry.insert(makePage(1, 1));
  Tileset& second = registry.insert(makePage(2, 1));
  copyRow(first, 5, first, 3);
  setColour(first, 5, 0, 200, 100, 50);          // only colour 0 differs
  copyRow(second, 7, first, 1);                  // the same row on another page
  for (int colour = 1; colour < 16; ++colour) {  // any other colour makes a row of its own
    copyRow(second, colour % 6 + 8, first, 1);
    setColour(second, colour % 6 + 8, colour, 1, 2, 3);
    r = {};
    layers.clear();
    layers.push_back(
        rowLayer({cellOf(1, 0, 3), cellOf(1, 0, 5), cellOf(1, 0, 1), cellOf(2, 0, 7), cellOf(2, 0, colour % 6 + 8)}));
    EXPECT_EQ(collectPalettes(), 3) << colour;
    EXPECT_EQ(entries(), (std::vector<int>{0, 0, 1 << 12, 1 << 12, 2 << 12})) << colour;
  }
}

INSTANTIATE_TEST_SUITE_P(BothMatchers, Reduction, ::testing::Values(MatchMethod::Indexed, MatchMethod::Literal),
                         [](const auto& info) { return info.param == MatchMethod::Indexed ? "Indexed" : "Literal"; });

TEST(ConvertColour, FifteenBitsAfterTheShifts) {
  struct Case {
    std::uint8_t r, g, b;
    int saturation, luminance;
    std::uint16_t value;
  };
  const Case cases[] = {
      {255, 255, 255, 0, 0, 0x7fff},    // without shifts the three low bits go
      {8, 16, 248, 0, 0, 0x7c41},       // blue 31, green 2, red 1
      {255, 0, 0, -100, 0, 0x3def},     // no saturation: grey of lightness 51
      {200, 100, 50, 0, 100, 0x7fff},   // full luminance: white
      {200, 100, 50, 25, 0, 0x095c},
      {200, 100, 50, -25, 10, 0x3a37},
      {200, 100, 50, 0, 1000, 0x7fff},  // shifts beyond 100 saturate
      {200, 100, 50, -100000, 0, ConvertColour(200, 100, 50, -100, 0)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertColour(c.r, c.g, c.b, c.saturation, c.luminance), c.value)
        << int(c.r) << "," << int(c.g) << "," << int(c.b) << " " << c.saturation << "/" << c.luminance;
  }
}

}  // namespace
}  // namespace qarto::test
