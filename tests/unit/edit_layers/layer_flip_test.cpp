#include <gtest/gtest.h>

#include "edit/collision/collision_flip_tables.h"
#include "edit/layers/layer_flip.h"
#include "layers_fixture.h"
#include "model/byte_order.h"

namespace qarto::test {
namespace {

// Three collision tiles whose mirrors do not lead back: A (left half set)
// and B (right half set) mirror into each other, C (A with one odd pixel)
// mirrors into B horizontally and into A vertically.
CollisionFlipTables oneWayTables() {
  Tileset tiles;
  tiles.imageWidth = 24;
  tiles.imageHeight = 8;
  tiles.pixels.assign(24 * 8, 0);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      tiles.pixels[static_cast<std::size_t>(y * 24 + x)] = x < 4;
      tiles.pixels[static_cast<std::size_t>(y * 24 + 8 + x)] = x >= 4;
      tiles.pixels[static_cast<std::size_t>(y * 24 + 16 + x)] = x < 4;
    }
  }
  tiles.pixels[16] = 2;
  computeTilesetGeometry(tiles);
  CollisionFlipTables tables;
  tables.build(tiles);
  return tables;
}

std::vector<std::uint8_t> flagsOf(const MapLayer& layer) {
  std::vector<std::uint8_t> flags;
  for (const MapCell& cell : layer.cells) flags.push_back(cell.flags);
  return flags;
}

TEST(LayerFlip, MirrorsCellsAndTogglesTheFlipBitOfEveryCellTheMiddleIncluded) {
  struct Case {
    bool horizontal;
    std::vector<int> tiles;
    std::vector<std::uint8_t> flags;
  };
  // 3 x 3, tiles 0..8 row by row, flags: cell i has i % 4.
  const Case cases[] = {
      {true, {2, 1, 0, 5, 4, 3, 8, 7, 6}, {3, 0, 1, 0, 1, 2, 1, 2, 3}},
      {false, {6, 7, 8, 3, 4, 5, 0, 1, 2}, {0, 1, 2, 1, 2, 3, 2, 3, 0}},
  };
  for (const Case& c : cases) {
    LayersFixture f;
    MapLayer& level = f.layer("Level", 3, 3, LayerKind::Primary);
    fillDistinct(level);
    const std::vector<MapCell> before = level.cells;
    flipActiveLayer(f.session, c.horizontal, CollisionFlipTables{});
    EXPECT_EQ(tilesOf(level), c.tiles) << (c.horizontal ? "horizontal" : "vertical");
    EXPECT_EQ(flagsOf(level), c.flags) << (c.horizontal ? "horizontal" : "vertical");
    EXPECT_TRUE(f.project().modified);
    EXPECT_EQ(f.bar.calls.front(), "refresh");
    ASSERT_EQ(f.journal().size(), 1u);
    EXPECT_EQ(f.journal().newest()->kind, UndoKind::LayerFlipped);

    ASSERT_TRUE(f.journal().undo(f.project()));
    EXPECT_EQ(level.cells, before);
  }
}

TEST(LayerFlip, CollisionLayersUseTheMirroredTilesAndUndoGivesBackTheFormerCells) {
  const CollisionFlipTables tables = oneWayTables();
  ASSERT_EQ(tables.map(2, true, false), 1);
  ASSERT_EQ(tables.map(1, true, false), 0);
  ASSERT_EQ(tables.map(2, false, true), 0);

  LayersFixture f;
  f.layer("Level", 3, 1, LayerKind::Primary);
  MapLayer& walls = f.layer("Walls", 3, 1, LayerKind::Collision);
  setTiles(walls, 1, {0, 1, 2});
  walls.cells[2].collision = 0x1000;
  walls.cells[2].tile = 2;
  const std::vector<MapCell> original = walls.cells;

  flipActiveLayer(f.session, true, tables);
  EXPECT_EQ(tilesOf(walls), (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(walls.cells[0].collision, 0x1000) << "the collision word moves with its cell";
  EXPECT_EQ(flagsOf(walls), (std::vector<std::uint8_t>{0, 0, 0})) << "collision cells get no flip bits";
  const std::vector<MapCell> once = walls.cells;
  flipActiveLayer(f.session, true, tables);
  EXPECT_EQ(tilesOf(walls), (std::vector<int>{0, 1, 0})) << "flipping back does not give the original";
  EXPECT_EQ(f.journal().newest()->kind, UndoKind::LayerCellsReplaced);

  f.journal().undo(f.project());
  EXPECT_EQ(walls.cells, once);
  f.journal().undo(f.project());
  EXPECT_EQ(walls.cells, original);

  flipActiveLayer(f.session, false, tables);
  EXPECT_EQ(tilesOf(walls), (std::vector<int>{0, 1, 0}));
  f.journal().undo(f.project());
  EXPECT_EQ(walls.cells, original);
}

TEST(LayerFlip, CollisionTilesOutsideTheTablesStayAsTheyAre) {
  LayersFixture f;
  f.layer("Level", 3, 1, LayerKind::Primary);
  MapLayer& walls = f.layer("Walls", 3, 1, LayerKind::Collision);
  setTiles(walls, 1, {-5, 3, 32767});
  flipActiveLayer(f.session, true, oneWayTables());
  EXPECT_EQ(tilesOf(walls), (std::vector<int>{32767, 3, -5}));
}

TEST(LayerFlip, EntityLayersMirrorThePositionsOfEntitiesInUse) {
  LayersFixture f;
  f.layer("Level", 30, 20, LayerKind::Primary);
  MapLayer& enemies = f.layer("Enemies", 30, 20, LayerKind::Entity);
  auto record = [&](int slot) { return enemies.entities.data() + slot * 48; };
  auto place = [&](int slot, bool inUse, int facing, int x, int y) {
    record(slot)[0] = inUse;
    record(slot)[4] = static_cast<std::uint8_t>(facing);
    storeI32(record(slot) + 8, x);
    storeI32(record(slot) + 12, y);
  };
  place(0, true, 1, 10, 50);
  place(1, false, 1, 5, 6);
  place(31, true, -1, 240, 0);
  const std::vector<std::uint8_t> before = enemies.entities;

  flipActiveLayer(f.session, true, CollisionFlipTables{});
  EXPECT_EQ(loadI32(record(0) + 8), 230);
  EXPECT_EQ(static_cast<std::int8_t>(record(0)[4]), -1);
  EXPECT_EQ(loadI32(record(0) + 12), 50);
  EXPECT_EQ(loadI32(record(1) + 8), 5) << "a free slot is left alone";
  EXPECT_EQ(static_cast<std::int8_t>(record(1)[4]), 1);
  EXPECT_EQ(loadI32(record(31) + 8), 0);
  EXPECT_EQ(static_cast<std::int8_t>(record(31)[4]), 1);
  f.journal().undo(f.project());
  EXPECT_EQ(enemies.entities, before);

  flipActiveLayer(f.session, false, CollisionFlipTables{});
  EXPECT_EQ(loadI32(record(0) + 12), 110);
  EXPECT_EQ(loadI32(record(31) + 12), 160);
  EXPECT_EQ(loadI32(record(0) + 8), 10);
  EXPECT_EQ(static_cast<std::int8_t>(record(0)[4]), 1);
  f.journal().undo(f.project());
  EXPECT_EQ(enemies.entities, before);
}

TEST(LayerFlip, NothingWithoutAnActiveLayer) {
  LayersFixture f;
  MapLayer& level = f.layer("Level", 3, 1, LayerKind::Primary);
  fillDistinct(level);
  const std::vector<MapCell> before = level.cells;
  f.project().activeLayer = nullptr;
  flipActiveLayer(f.session, true, CollisionFlipTables{});
  EXPECT_EQ(level.cells, before);
  EXPECT_EQ(f.journal().size(), 0u);
  EXPECT_FALSE(f.project().modified);
}

}  // namespace
}  // namespace qarto::test
