#include <gtest/gtest.h>

#include "edit/brush/brush.h"
#include "edit/collision/collision_flip_tables.h"
#include "edit/tools/stroke_plan.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

struct PaintFixture : EngineFixture {
  Tileset* tiles = nullptr;
  MapLayer* level = nullptr;

  PaintFixture() {
    level = &layer("Level", 40, 30, LayerKind::Primary);
    tiles = &numberedPage();
    project().currentTilesetId = tiles->id;  // its tab clicked
  }
  const MapCell& at(int x, int y) const { return level->cell(x, y); }
};

TEST(PaintTool, WritesTheBrushAroundTheCursorWithFlips) {
  PaintFixture f;
  f.pickTiles({{1, 0}, {2, 0}, {1, 1}});  // origin (1, 0)
  f.click(EngineFixture::at(10, 10));
  EXPECT_EQ(f.at(10, 10).tile, 1);
  EXPECT_EQ(f.at(11, 10).tile, 2);
  EXPECT_EQ(f.at(10, 11).tile, 9);
  EXPECT_EQ(f.at(10, 11).palette, 9);
  EXPECT_EQ(f.at(10, 11).tileset, f.tiles->id);
  EXPECT_TRUE(f.project().modified);

  f.key(Key::H);  // brush flipped: offsets mirrored, flip bit 0 set
  f.click(EngineFixture::at(20, 20));
  EXPECT_EQ(f.at(19, 20).tile, 2);
  EXPECT_EQ(f.at(20, 20).flags & kCellHFlip, kCellHFlip);
  EXPECT_EQ(f.at(20, 21).tile, 9);
  f.key(Key::V);
  f.click(EngineFixture::at(30, 20));
  EXPECT_EQ(f.at(30, 19).tile, 9);
  EXPECT_EQ(f.at(30, 19).flags & (kCellHFlip | kCellVFlip), kCellHFlip | kCellVFlip);
}

TEST(PaintTool, CollisionLayersTakeTheMirroredCollisionTileAndNoFlipBits) {
  PaintFixture f;
  MapLayer& collision = f.layer("Collision", 40, 30, LayerKind::Collision);
  f.project().currentTilesetId = 1;  // the collision tiles
  f.pickTiles({{1, 0}});
  const CollisionFlipTables& flips = f.engine->collisionFlips();
  ASSERT_FALSE(flips.empty());
  f.key(Key::H);
  f.click(EngineFixture::at(3, 3));
  EXPECT_EQ(collision.cell(3, 3).tile, flips.map(1, true, false));
  EXPECT_EQ(collision.cell(3, 3).flags & (kCellHFlip | kCellVFlip), 0);

  // The same brush may not touch the primary layer: no write, warning preview.
  f.project().setActiveLayer(f.level);
  const std::vector<MapCell> before = f.level->cells;
  f.click(EngineFixture::at(3, 3));
  EXPECT_EQ(f.level->cells, before);
  EXPECT_FALSE(f.engine->previewPlan().compatible);
}

TEST(PaintTool, HiddenLockedAndEntityLayersRefuse) {
  PaintFixture f;
  f.pickTiles({{3, 0}});
  for (auto refuse : {+[](MapLayer& l) { l.visible = false; }, +[](MapLayer& l) { l.locked = true; }}) {
    PaintFixture g;
    g.pickTiles({{3, 0}});
    refuse(*g.level);
    g.click(EngineFixture::at(1, 1));
    EXPECT_EQ(g.at(1, 1).tile, 0);
    EXPECT_FALSE(g.project().modified);
  }
  MapLayer& entities = f.layer("Entities", 0, 0, LayerKind::Entity);
  const std::vector<std::uint8_t> block = entities.entities;
  f.project().setActiveLayer(&entities);
  f.click(EngineFixture::at(1, 1));
  EXPECT_EQ(entities.entities, block);
}

TEST(PaintTool, PaintLockKeepsTheStrokeOnThePressColumn) {
  PaintFixture f;
  f.pickTiles({{4, 0}});
  f.key(Key::Up);  // vertical only
  f.drag({EngineFixture::at(5, 5), EngineFixture::at(9, 6), EngineFixture::at(12, 8)});
  for (int x = 0; x < 40; ++x) {
    for (int y = 0; y < 30; ++y) {
      EXPECT_EQ(f.at(x, y).tile == 4, x == 5 && (y == 5 || y == 6 || y == 8)) << x << "," << y;
    }
  }
}

TEST(PaintTool, DetailEllipseWritesOnlyTheCross) {
  PaintFixture f;
  std::vector<CellPoint> square;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) square.push_back({x, y});
  }
  f.pickTiles(square);
  f.key(Key::F2);
  const std::vector<MapCell> before = f.level->cells;
  f.click(EngineFixture::at(10, 10));
  int written = 0;
  for (std::size_t i = 0; i < before.size(); ++i) written += !(f.level->cells[i] == before[i]);
  EXPECT_EQ(written, 5);
  EXPECT_EQ(f.at(9, 10).tile, 8);   // page (0, 1)
  EXPECT_EQ(f.at(10, 9).tile, 1);   // page (1, 0)
  EXPECT_EQ(f.at(9, 9), before[9 + 9 * 40]);
}

// Pattern mode tiles the brush so that its origin lands on the anchor: a
// cell X gets the placement whose x is congruent to X - anchor + origin,
// modulo the brush width (and likewise in y), whichever side of the anchor
// the stroke lies.
TEST(PaintTool, PatternModeTilesFromTheAnchorOnBothSides) {
  PaintFixture f;
  std::vector<CellPoint> block;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) block.push_back({x + 2, y + 1});  // bounds 2..4, 1..2; origin (3, 1)
  }
  f.pickTiles(block);
  f.engine->mouseMove(EngineFixture::at(20, 15), {}, kCtrlShift);
  f.key(Key::Shift, "", kCtrlShift);  // anchor (20, 15)
  ASSERT_TRUE(f.state().tools.patternMode);
  for (CellPoint cursor : {CellPoint{11, 4}, CellPoint{3, 2}, CellPoint{27, 24}}) {
    f.engine->mouseMove(EngineFixture::at(cursor.x, cursor.y), {}, kCtrlShift);
    f.engine->mousePress(MouseButton::Left, EngineFixture::at(cursor.x, cursor.y), kCtrlShift);
    f.engine->mouseRelease(MouseButton::Left, EngineFixture::at(cursor.x, cursor.y), kCtrlShift);
    for (int y = cursor.y - 0; y <= cursor.y + 1; ++y) {  // window: origin +- bounds
      for (int x = cursor.x - 1; x <= cursor.x + 1; ++x) {
        const int px = 2 + ((x - 20 + 3 - 2) % 3 + 3) % 3;
        const int py = 1 + ((y - 15 + 1 - 1) % 2 + 2) % 2;
        EXPECT_EQ(f.at(x, y).tile, py * 8 + px) << "cursor " << cursor.x << "," << cursor.y << " cell " << x << ","
                                                 << y;
      }
    }
  }
  f.engine->mouseMove(EngineFixture::at(1, 1), {}, kShift);  // a key let go: pattern mode ends
  EXPECT_FALSE(f.state().tools.patternMode);
}

TEST(PaintTool, AutoPaintFollowsTheCollisionSetAndUndoesWithTheStroke) {
  PaintFixture f;
  MapLayer& collision = f.layer("Collision", 40, 30, LayerKind::Collision);
  f.tiles->hasCollisionSet = true;
  f.tiles->collisionSet.assign(static_cast<std::size_t>(f.tiles->tileCount), 0);
  f.tiles->collisionSet[6] = 2;
  f.project().setActiveLayer(f.level);
  f.pickTiles({{6, 0}});
  const std::vector<MapCell> collisionBefore = collision.cells;
  const std::vector<MapCell> levelBefore = f.level->cells;
  f.click(EngineFixture::at(4, 4));
  EXPECT_EQ(collision.cell(4, 4).tile, 2);
  EXPECT_EQ(collision.cell(4, 4).tileset, f.project().collisionTileset->id);
  EXPECT_EQ(collision.cell(4, 4).palette, 6);

  f.key(Key::Z, "", kCtrl);
  EXPECT_EQ(collision.cells, collisionBefore) << "one undo takes back both layers";
  EXPECT_EQ(f.level->cells, levelBefore);

  f.key(Key::F9);  // auto-paint off
  f.click(EngineFixture::at(4, 4));
  EXPECT_EQ(collision.cells, collisionBefore);
}

TEST(PaintTool, PreviewPlanIsWhatAClickWritesAndLeavesCellsAlone) {
  PaintFixture f;
  f.pickTiles({{1, 0}, {5, 2}, {2, 3}});
  f.key(Key::V);
  f.engine->mouseMove(EngineFixture::at(7, 8), {}, {});
  const std::vector<MapCell> before = f.level->cells;
  const StrokePlan plan = f.engine->previewPlan();
  EXPECT_EQ(f.level->cells, before) << "the preview writes nothing, not even mask bits";
  EXPECT_FALSE(f.project().modified);
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(7, 8), {});
  f.engine->mouseRelease(MouseButton::Left, EngineFixture::at(7, 8), {});
  ASSERT_EQ(plan.cells.size(), 3u);
  for (const PlannedCell& p : plan.cells) {
    EXPECT_EQ(f.at(p.x, p.y).tile, p.tile);
    EXPECT_EQ(f.at(p.x, p.y).vflip(), p.vflip);
    EXPECT_EQ(p.x - plan.cursor.x, p.dx);
  }
}

TEST(RubberStamp, PicksDropsAndPastesCells) {
  PaintFixture f;
  f.level->cell(2, 2) = MapCell{5, static_cast<std::int8_t>(f.tiles->id), 0, 0, kCellVFlip, 0};
  f.level->cell(3, 2) = MapCell{6, static_cast<std::int8_t>(f.tiles->id), 0, 0, 0, 0};
  f.level->cell(4, 2) = MapCell{7, 99, 0, 0, 0, 0};  // unregistered page: skipped
  f.key(Key::F3);
  f.drag({EngineFixture::at(2, 2), EngineFixture::at(3, 2), EngineFixture::at(4, 2), EngineFixture::at(3, 2)},
         kShift);
  Brush& stamp = f.state().brushes.stamp();
  ASSERT_EQ(stamp.count(), 2) << "a cell picked twice is kept once";
  EXPECT_TRUE(stamp.placement(0).vflip);
  EXPECT_EQ(stamp.placement(0).palette, 5) << "recomputed from the page, not copied from the cell";
  EXPECT_TRUE(f.project().journal().size() == 0) << "picking changes no cell";

  f.click(EngineFixture::at(20, 20));  // paste: origin (2, 2) on the cursor
  EXPECT_EQ(f.at(20, 20).tile, 5);
  EXPECT_TRUE(f.at(20, 20).vflip());
  EXPECT_EQ(f.at(21, 20).tile, 6);

  f.click(EngineFixture::at(3, 2), kCtrl);
  EXPECT_EQ(stamp.count(), 1);

  // The middle rectangle: Shift adds every cell, Ctrl alone removes.
  f.drag({EngineFixture::at(12, 12), EngineFixture::at(10, 10)}, kShift, MouseButton::Middle);
  EXPECT_EQ(stamp.count(), 1 + 9);
  f.drag({EngineFixture::at(10, 10), EngineFixture::at(11, 12)}, kCtrl, MouseButton::Middle);
  EXPECT_EQ(stamp.count(), 1 + 3);
  f.drag({EngineFixture::at(-5, -5), EngineFixture::at(1, 1)}, kShift, MouseButton::Middle);
  EXPECT_EQ(stamp.count(), 4 + 4) << "only cells inside the layer are picked";
}

}  // namespace
}  // namespace qarto::test
