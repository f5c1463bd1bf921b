#include "export/export_reduction.h"

#include <gtest/gtest.h>

#include "reduction_fixture.h"

namespace qarto::test {
namespace {

TEST(BuildUniqueTile, PacksLowNibblesPixelZeroLowestRowsTopFirst) {
  auto page = makePage(1, 2, 2);
  setTile(*page, 3, tilePixels([](int x, int y) { return 0x30 + (x + y) % 8; }));  // high nibble (palette row) dropped
  const UniqueTile tile = BuildUniqueTile(*page, 3);
  EXPECT_EQ(tile.checksum, 8 * 28);
  EXPECT_EQ(tile.rows[0], 0x76543210u);
  EXPECT_EQ(tile.mirroredRows[0], 0x01234567u);
  EXPECT_EQ(tile.rows[7], 0x65432107u);
  EXPECT_EQ(tile.mirroredRows[7], 0x70123456u);
  // A tile outside the page is colour 0.
  EXPECT_EQ(BuildUniqueTile(*page, 4), UniqueTile{});
  EXPECT_EQ(BuildUniqueTile(*page, -1), UniqueTile{});
}

TEST(EncodeScreenEntry, FieldsInTheirBitsAndCellFlipsCombineWithTheMatchedFlip) {
  ExportReduction r;
  r.tileIndex[0][tileKey(2, 7)] = 5;
  r.tileFlip[0][tileKey(2, 7)] = kFlipBoth;
  r.paletteIndex[paletteKey(2, 3)] = 2;
  EXPECT_EQ(EncodeScreenEntry(r, cellOf(2, 7, 3), 0, 1, 10), 15 | 1 << 10 | 1 << 11 | 3 << 12);
  // Offsets wrap inside their fields.
  EXPECT_EQ(EncodeScreenEntry(r, cellOf(2, 7, 3), 0, 15, 1020), 1 | 1 << 10 | 1 << 11 | 1 << 12);
  // Another group has its own numbering; unknown keys give 0 before offsets.
  EXPECT_EQ(EncodeScreenEntry(r, cellOf(2, 7, 3), 1, 0, 0), 2 << 12);

  struct Case {
    std::uint8_t matched;
    bool hflip, vflip;
    std::uint16_t bits;
  };
  const Case cases[] = {
      {kFlipNone, false, false, 0},      {kFlipNone, true, false, 1 << 10},  {kFlipNone, false, true, 1 << 11},
      {kFlipHorizontal, false, false, 1 << 10}, {kFlipHorizontal, true, false, 0}, {kFlipVertical, false, true, 0},
      {kFlipBoth, true, false, 1 << 11}, {kFlipBoth, true, true, 0},       {kFlipVertical, true, false, 3 << 10},
  };
  r.tileIndex[0][tileKey(1, 0)] = 0;
  for (const Case& c : cases) {
    r.tileFlip[0][tileKey(1, 0)] = c.matched;
    EXPECT_EQ(EncodeScreenEntry(r, cellOf(1, 0, 0, c.hflip, c.vflip), 0, 0, 0) & 0x0C00, c.bits)
        << int(c.matched) << c.hflip << c.vflip;
  }
}

// Every reduction test runs with both matchers.
class Reduction : public ::testing::TestWithParam<MatchMethod> {
 protected:
  int collectPalettes(bool unoptimized = false) {
    return CollectPalettes(r, layers, registry, unoptimized, GetParam());
  }
  int collectTiles(int group = 0) { return CollectTiles(r, layers, registry, group, GetParam()); }
  std::uint16_t entry(const MapCell& cell, int group = 0) { return EncodeScreenEntry(r, cell, group, 0, 0); }

  TilesetRegistry registry;
  LayerStack layers;
  ExportReduction r;
};

TEST_P(Reduction, MirroredCopiesMatchWithTheirFlipCode) {
  struct Case {
    bool h, v;
    std::uint8_t code;
  };
  for (const Case c : {Case{false, false, kFlipNone}, Case{true, false, kFlipHorizontal},
                       Case{false, true, kFlipVertical}, Case{true, true, kFlipBoth}}) {
    registry.clear();
    layers.clear();
    r = {};
    Tileset& page = registry.insert(makePage(1, 2));
    setTile(page, 0, asymmetricTile());
    setTile(page, 1, mirrored(asymmetricTile(), c.h, c.v));
    layers.push_back(rowLayer({cellOf(1, 0), cellOf(1, 1)}));
    EXPECT_EQ(collectTiles(), 1);
    EXPECT_EQ(r.tileIndex[0].at(tileKey(1, 1)), 0);
    EXPECT_EQ(r.tileFlip[0].at(tileKey(1, 1)), c.code);
    EXPECT_EQ(r.tileFlip[0].at(tileKey(1, 0)), kFlipNone);
  }
}

TEST_P(Reduction, FlipOrderIsNoneHorizontalVerticalBoth) {
  Tileset& page = registry.insert(makePage(1, 6));
  const Pixels hSymmetric = tilePixels([](int x, int y) { return y == 0 && (x == 2 || x == 5) ? 3 : 0; });
  const Pixels vSymmetric = tilePixels([](int x, int y) { return x == 0 && (y == 1 || y == 6) ? 4 : 0; });
  setTile(page, 0, hSymmetric);
  setTile(page, 1, mirrored(hSymmetric, true, false));  // its own mirror: none, never horizontal
  setTile(page, 2, mirrored(hSymmetric, false, true));  // vertical equals both: vertical
  setTile(page, 3, vSymmetric);
  setTile(page, 4, mirrored(vSymmetric, true, false));  // horizontal equals both: horizontal
  layers.push_back(rowLayer({cellOf(1, 0), cellOf(1, 1), cellOf(1, 2), cellOf(1, 3), cellOf(1, 4)}));
  EXPECT_EQ(collectTiles(), 2);
  EXPECT_EQ(r.tileFlip[0].at(tileKey(1, 1)), kFlipNone);
  EXPECT_EQ(r.tileFlip[0].at(tileKey(1, 2)), kFlipVertical);
  EXPECT_EQ(r.tileIndex[0].at(tileKey(1, 4)), 1);
  EXPECT_EQ(r.tileFlip[0].at(tileKey(1, 4)), kFlipHorizontal);
}

TEST_P(Reduction, MirroredCellExportsTheEarlierTileWithBit10) {
  Tileset& page = registry.insert(makePage(1, 2));
  setTile(page, 0, asymmetricTile());
  setTile(page, 1, mirrored(asymmetricTile(), true, false));
  layers.push_back(rowLayer({cellOf(1, 0), cellOf(1, 1), cellOf(1, 1, 0, true)}));
  collectPalettes();
  collectTiles();
  EXPECT_EQ(entry(layers[0]->cells[1]), 1 << 10);
  EXPECT_EQ(entry(layers[0]->cells[2]), 0);  // mirrored twice: drawn unflipped
}

TEST_P(Reduction, UniqueTilesNumberedInOrderOfFirstUseStoredAsDrawn) {
  Tileset& page = registry.insert(makePage(1, 4));
  for (int t = 0; t < 4; ++t) setTile(page, t, asymmetricTile(t + 1));
  // The first use of tile 2's shape is a mirrored copy on page 2.
  Tileset& second = registry.insert(makePage(2, 1));
  setTile(second, 0, mirrored(asymmetricTile(3), true, true));
  layers.push_back(rowLayer({cellOf(1, 3), cellOf(2, 0), cellOf(1, 2), cellOf(1, 3), cellOf(1, 0)}));
  EXPECT_EQ(collectTiles(), 3);
  EXPECT_EQ(r.tileIndex[0].at(tileKey(1, 3)), 0);
  EXPECT_EQ(r.tileIndex[0].at(tileKey(2, 0)), 1);
  EXPECT_EQ(r.tileIndex[0].at(tileKey(1, 2)), 1);
  EXPECT_EQ(r.tileFlip[0].at(tileKey(1, 2)), kFlipBoth);
  EXPECT_EQ(r.tileIndex[0].at(tileKey(1, 0)), 2);
  EXPECT_EQ(r.tiles[0][1], BuildUniqueTile(second, 0));
}

TEST_P(Reduction, BlankCellsShareOneTile) {
  registry.insert(makePage(1, 4));
  layers.push_back(makeLayer(LayerKind::Primary, 30, 20, std::vector<MapCell>(600, cellOf(1, 2))));
  layers.push_back(rowLayer({cellOf(1, 0), cellOf(1, 3)}, false, LayerKind::Secondary));
  EXPECT_EQ(collectTiles(), 1);
  EXPECT_EQ(r.tileIndex[0].size(), 3u);
}

TEST_P(Reduction, CollisionAndEntityLayersTakeNoPart) {
  Tileset& page = registry.insert(makePage(1, 2));
  setTile(page, 1, asymmetricTile());
  layers.push_back(rowLayer({cellOf(1, 1, 4)}, false, LayerKind::Collision));
  auto entities = std::make_unique<MapLayer>();
  entities->kind = LayerKind::Entity;
  layers.push_back(std::move(entities));
  layers.push_back(rowLayer({cellOf(1, 0, 2), cellOf(9, 0)}));
  EXPECT_EQ(collectPalettes(), 1);
  EXPECT_EQ(r.palettes[0], paletteKey(1, 2));
  EXPECT_EQ(collectTiles(), 1);
  EXPECT_EQ(r.paletteErrors, 1);
  EXPECT_EQ(r.tileErrors, 1);
}

TEST_P(Reduction, PaletteRowsDifferingOnlyInColourZeroAreOne) {
  Tileset& page = registry.insert(makePage(1, 1));
  copyRow(page, 5, page, 3);
  setColour(page, 5, 0, 200, 100, 50);
  layers.push_back(rowLayer({cellOf(1, 0, 3), cellOf(1, 0, 5), cellOf(1, 0, 4)}));
  EXPECT_EQ(collectPalettes(), 2);
  EXPECT_EQ(r.palettes, (std::vector<PaletteKey>{paletteKey(1, 3), paletteKey(1, 4)}));
  EXPECT_EQ(r.paletteIndex.at(paletteKey(1, 5)), 0);
  EXPECT_EQ(r.paletteIndex.at(paletteKey(1, 4)), 1);
}

TEST_P(Reduction, IdenticalRowsOnTwoPagesAreOnePalette) {
  Tileset& first = registry.insert(makePage(1, 1));
  Tileset& second = registry.insert(makePage(2, 1));
  copyRow(second, 7, first, 1);
  layers.push_back(rowLayer({cellOf(2, 0, 6), cellOf(2, 0, 7)}));
  layers.push_back(rowLayer({cellOf(1, 0, 1)}, false, LayerKind::Secondary));
  EXPECT_EQ(collectPalettes(), 2);
  EXPECT_EQ(r.paletteIndex.at(paletteKey(1, 1)), 1);
  EXPECT_EQ(entry(layers[1]->cells[0]), 1 << 12);
}

TEST_P(Reduction, ColourOneToFifteenEachCount) {
  Tileset& page = registry.insert(makePage(1, 1));
  for (int colour = 1; colour < 16; ++colour) {
    r = {};
    layers.clear();
    copyRow(page, 9, page, 8);
    setColour(page, 9, colour, page.palette[static_cast<std::size_t>(8 * 16 + colour) * 3] , 0, 255);
    layers.push_back(rowLayer({cellOf(1, 0, 8), cellOf(1, 0, 9)}));
    EXPECT_EQ(collectPalettes(), 2) << colour;
  }
}

TEST_P(Reduction, MissingPageCountsAndTheWalkGoesOn) {
  Tileset& page = registry.insert(makePage(1, 2));
  setTile(page, 1, asymmetricTile());
  layers.push_back(rowLayer({cellOf(1, 0, 1), cellOf(5, 1), cellOf(5, 1), cellOf(1, 1, 2), cellOf(6, 0)}));
  EXPECT_EQ(collectPalettes(), 2);
  EXPECT_EQ(collectTiles(), 2);
  EXPECT_EQ(r.paletteErrors, 3);
  EXPECT_EQ(r.tileErrors, 3);
  EXPECT_EQ(r.tileIndex[0].at(tileKey(1, 1)), 1);
  EXPECT_FALSE(r.tileIndex[0].contains(tileKey(5, 1)));
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
  EXPECT_EQ(r.tileIndex[1].at(tileKey(1, 2)), 0);
  EXPECT_EQ(r.tileIndex[1].at(tileKey(1, 1)), 1);
  EXPECT_FALSE(r.tileIndex[0].contains(tileKey(1, 2)));
  EXPECT_EQ(entry(layers[1]->cells[1], 1), 1 | 2 << 12);
}

TEST_P(Reduction, UnoptimizedTakesTheSixteenRowsOfTheFirstCellsPage) {
  registry.insert(makePage(3, 2));
  registry.insert(makePage(4, 1));
  layers.push_back(rowLayer({cellOf(3, 1, 9), cellOf(4, 0, 2), cellOf(3, 0, 2)}));
  EXPECT_EQ(collectPalettes(true), 16);
  for (int row = 0; row < 16; ++row) EXPECT_EQ(r.paletteIndex.at(paletteKey(3, row)), row);
  EXPECT_EQ(r.paletteErrors, 0);
  EXPECT_EQ(collectTiles(), 1);  // tiles still merged
  EXPECT_EQ(entry(layers[0]->cells[0]), 9 << 12);
  EXPECT_EQ(entry(layers[0]->cells[1]), 0);  // another page has no palette entry
}

TEST_P(Reduction, UnoptimizedWithoutARegisteredFirstCellHasNoPalettes) {
  registry.insert(makePage(3, 1));
  layers.push_back(rowLayer({cellOf(8, 0), cellOf(3, 0)}));
  EXPECT_EQ(collectPalettes(true), 0);
  layers.insert(layers.begin(), std::make_unique<MapLayer>());
  layers.front()->kind = LayerKind::Entity;
  EXPECT_EQ(collectPalettes(true), 0);
}

INSTANTIATE_TEST_SUITE_P(BothMatchers, Reduction, ::testing::Values(MatchMethod::Indexed, MatchMethod::Literal),
                         [](const auto& info) { return info.param == MatchMethod::Indexed ? "Indexed" : "Literal"; });

}  // namespace
}  // namespace qarto::test
