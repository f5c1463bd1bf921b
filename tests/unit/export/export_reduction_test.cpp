#include "export/reduction/export_reduction.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "export/reduction/colour_conversion.h"
#include "export/reduction/screen_entry_table.h"
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

TEST_P(Reduction, GroupsNumberSeparatelyAndSharePalettes) {
  Tileset& page = registry.insert(makePage(1, 3));
  setTile(page, 1, asymmetricTile(1));
  setTile(page, 2, asymmetricTile(2));
  layers.push_back(rowLayer({cellOf(1, 0, 0), cellOf(1, 1, 1)}));
  layers.push_back(rowLayer({cellOf(1, 2, 1), cellOf(1, 1, 2)}, true, LayerKind::Secondary));
  EXPECT_EQ(collectPalettes(), 3);
  EXPECT_EQ(collectTiles(0), 2);
  EXPECT_EQ(collectTiles(1), 2);
  EXPECT_EQ(entries(0), (std::vector<int>{0, 1 | 1 << 12}));
  EXPECT_EQ(entries(1), (std::vector<int>{1 << 12, 1 | 2 << 12}));
}

TEST_P(Reduction, UnoptimizedTakesTheSixteenRowsOfTheFirstCellsPage) {
  registry.insert(makePage(3, 2));
  registry.insert(makePage(4, 1));
  layers.push_back(rowLayer({cellOf(3, 1, 9), cellOf(4, 0, 2), cellOf(3, 0, 2)}));
  EXPECT_EQ(collectPalettes(true), 16);
  for (int row = 0; row < 16; ++row) EXPECT_EQ(r.paletteIndex.at(paletteKey(3, row)), row);
  EXPECT_EQ(r.paletteErrors, 0);
  EXPECT_EQ(collectTiles(), 1);                                   // tiles still merged
  EXPECT_EQ(entries(), (std::vector<int>{9 << 12, 0, 2 << 12}));  // another page has no palette entry
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
      {200, 100, 50, 0, -100, 0x0000},  // no luminance: black
      {200, 100, 50, 25, 0, 0x095c},
      {200, 100, 50, -25, 10, 0x3a37},
      {64, 128, 192, 50, -20, 0x4d20},
      {7, 7, 7, 10, 0, 0x0000},  // black stays black
      {255, 255, 255, 0, -50, 0x3def},
      {200, 100, 50, 0, 1000, 0x7fff},  // shifts beyond 100 saturate
      {200, 100, 50, -100000, 0, ConvertColour(200, 100, 50, -100, 0)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertColour(c.r, c.g, c.b, c.saturation, c.luminance), c.value)
        << int(c.r) << "," << int(c.g) << "," << int(c.b) << " " << c.saturation << "/" << c.luminance;
  }
}

// The flat table must give what EncodeScreenEntry gives from the ordered
// maps, for every kind of cell: recorded or not, at the ends of the page id
// and tile number ranges, with every flip, palette rows above 15, and
// offsets that wrap.
ExportReduction reductionWithEdges() {
  ExportReduction r;
  const int pages[] = {-128, -3, 1, 2, 127};
  const int tiles[] = {-32768, -1, 0, 1, 7, 999, 32767};
  int position = 0;
  for (int page : pages) {
    for (int tile : tiles) {
      for (std::size_t group = 0; group < 2; ++group) {
        const TileKey key = tileKey(page, tile);
        // Some keys lack a number or a flip, so each part's default shows.
        if ((position + static_cast<int>(group)) % 5 != 0) r.tileIndex[group][key] = (position * 37 + 3) % 1024;
        if ((position + static_cast<int>(group)) % 7 != 1)
          r.tileFlip[group][key] = static_cast<std::uint8_t>(position % 4);
        ++position;
      }
    }
    for (int row = 0; row < 16; row += 3) r.paletteIndex[paletteKey(page, row)] = (page + row) & 15;
  }
  return r;
}

TEST(ScreenEntryTable, GivesWhatTheOrderedMapsGive) {
  const ExportReduction r = reductionWithEdges();
  const int pages[] = {-128, -127, -3, 0, 1, 2, 5, 126, 127};
  const int tiles[] = {-32768, -32767, -2, -1, 0, 1, 6, 7, 8, 999, 1000, 32766, 32767};
  const std::pair<int, int> offsets[] = {{0, 0}, {3, 1000}, {15, 1023}, {17, 5000}, {-1, -1}, {INT_MAX, INT_MIN}};
  for (const auto& [bank, tileOffset] : offsets) {
    const ScreenEntryTable table(r, bank, tileOffset);
    for (int page : pages) {
      for (int tile : tiles) {
        for (int row : {0, 3, 4, 15, 18, 255}) {
          for (int flags = 0; flags < 8; ++flags) {
            MapCell cell = cellOf(page, tile, row);
            cell.flags = static_cast<std::uint8_t>(flags);
            for (int group = 0; group < 2; ++group) {
              ASSERT_EQ(table.encode(cell, group), EncodeScreenEntry(r, cell, group, bank, tileOffset))
                  << "page " << page << " tile " << tile << " row " << row << " flags " << flags << " group " << group
                  << " offsets " << bank << ", " << tileOffset;
            }
          }
        }
      }
    }
  }
}

TEST(ScreenEntryTable, EmptyReductionEncodesOffsetsOnly) {
  const ExportReduction r;
  const ScreenEntryTable table(r, 2, 40);
  EXPECT_EQ(table.encode(cellOf(1, 9, 4, true, false), 0), 40 | 1 << 10 | 2 << 12);
}

}  // namespace
}  // namespace qarto::test
