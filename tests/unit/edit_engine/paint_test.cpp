#include <gtest/gtest.h>

#include "edit/brush/brush.h"
#include "edit/collision/collision_flip_tables.h"
#include "edit/tools/stroke_plan.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

// A 40 x 30 primary layer and the numbered page (id 2), its tab clicked.
struct PaintFixture : EngineFixture {
  MapLayer& level = layer("Level", 40, 30, LayerKind::Primary);
  Tileset& tiles = numberedPage();
  PaintFixture() { project().currentTilesetId = tiles.id; }
  const MapCell& at(int x, int y) const { return level.cell(x, y); }
};

TEST(PaintTool, WritesTheBrushAroundTheCursorWithFlips) {
  PaintFixture f;
  f.pickTiles({{1, 0}, {2, 0}, {1, 1}});  // origin (1, 0)
  f.click(EngineFixture::at(10, 10));
  EXPECT_EQ(std::tuple(f.at(10, 10).tile, f.at(11, 10).tile, f.at(10, 11)),
            std::tuple(1, 2, MapCell{9, 2, 9, 0, 0, 0}));
  EXPECT_TRUE(f.project().modified);
  f.key(Key::H);  // brush flipped: offsets mirrored, flip bit 0 set
  f.click(EngineFixture::at(20, 20));
  EXPECT_EQ(std::tuple(f.at(19, 20).tile, f.at(20, 20).flags, f.at(20, 21).tile), std::tuple(2, kCellHFlip, 9));
  f.key(Key::V);
  f.click(EngineFixture::at(30, 20));
  EXPECT_EQ(std::tuple(f.at(30, 19).tile, f.at(30, 19).flags), std::tuple(9, kCellHFlip | kCellVFlip));
}

TEST(PaintTool, CollisionLayersTakeTheMirroredCollisionTileAndOtherLayersRefuseCollisionTiles) {
  PaintFixture f;
  MapLayer& collision = f.layer("Collision", 40, 30, LayerKind::Collision);
  f.project().currentTilesetId = 1;  // the collision tiles
  f.pickTiles({{1, 0}});
  const CollisionFlipTables& flips = f.engine->collisionFlips();
  ASSERT_FALSE(flips.empty());
  f.key(Key::H);
  f.click(EngineFixture::at(3, 3));
  EXPECT_EQ(std::tuple(collision.cell(3, 3).tile, collision.cell(3, 3).flags),
            std::tuple(flips.map(1, true, false), 0));
  // The same brush may not touch the primary layer: no write, warning preview.
  f.project().setActiveLayer(&f.level);
  const std::vector<MapCell> before = f.level.cells;
  f.click(EngineFixture::at(3, 3));
  EXPECT_EQ(f.level.cells, before);
  EXPECT_FALSE(f.engine->previewPlan().compatible);
}

TEST(PaintTool, HiddenLockedAndEntityLayersRefuse) {
  for (int refusal = 0; refusal < 3; ++refusal) {
    PaintFixture f;
    f.pickTiles({{3, 0}});
    MapLayer& entities = f.layer("Entities", 0, 0, LayerKind::Entity);
    const std::vector<std::uint8_t> block = entities.entities;
    if (refusal < 2) f.project().setActiveLayer(&f.level);
    f.level.visible = refusal != 0;
    f.level.locked = refusal == 1;
    f.click(EngineFixture::at(1, 1));
    EXPECT_EQ(std::tuple(f.at(1, 1).tile, f.project().modified, entities.entities), std::tuple(0, false, block))
        << refusal;
  }
}

TEST(PaintTool, PaintLockKeepsTheStrokeOnThePressColumn) {
  PaintFixture f;
  f.pickTiles({{4, 0}});
  f.key(Key::Up);  // vertical only
  f.drag({EngineFixture::at(5, 5), EngineFixture::at(9, 6), EngineFixture::at(12, 8)});
  for (int x = 0; x < 40; ++x) {
    for (int y = 0; y < 30; ++y) {
      EXPECT_EQ(f.at(x, y).tile == 4, x == 5 && y >= 5 && y <= 8) << x << "," << y;
    }
  }
}

TEST(PaintTool, DetailEllipseWritesOnlyTheCross) {
  PaintFixture f;
  f.pickTiles({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}});
  f.key(Key::F2);
  const std::vector<MapCell> before = f.level.cells;
  f.click(EngineFixture::at(10, 10));
  int written = 0;
  for (std::size_t i = 0; i < before.size(); ++i) written += !(f.level.cells[i] == before[i]);
  EXPECT_EQ(std::tuple(written, f.at(9, 10).tile, f.at(10, 9).tile), std::tuple(5, 8, 1));  // page (0, 1), (1, 0)
}

// Pattern mode tiles the brush so that its origin lands on the anchor: a
// cell X gets the placement whose x is congruent to X - anchor + origin,
// modulo the brush width (and likewise in y), whichever side of the anchor
// the stroke lies.
TEST(PaintTool, PatternModeTilesFromTheAnchorOnBothSides) {
  PaintFixture f;
  f.pickTiles({{2, 1}, {3, 1}, {4, 1}, {2, 2}, {3, 2}, {4, 2}});  // bounds 2..4, 1..2; origin (3, 1)
  f.engine->mouseMove(EngineFixture::at(20, 15), {}, kCtrlShift);
  f.key(Key::Shift, "", kCtrlShift);  // anchor (20, 15)
  ASSERT_TRUE(f.state().tools.patternMode);
  for (CellPoint cursor : {CellPoint{11, 4}, CellPoint{3, 2}, CellPoint{27, 24}}) {
    f.click(EngineFixture::at(cursor.x, cursor.y), kCtrlShift);
    for (int y = cursor.y; y <= cursor.y + 1; ++y) {  // window: origin +- bounds
      for (int x = cursor.x - 1; x <= cursor.x + 1; ++x) {
        const int px = 2 + ((x - 20 + 3 - 2) % 3 + 3) % 3;
        const int py = 1 + ((y - 15 + 1 - 1) % 2 + 2) % 2;
        EXPECT_EQ(f.at(x, y).tile, py * 8 + px)
            << "cursor " << cursor.x << "," << cursor.y << " cell " << x << "," << y;
      }
    }
  }
  f.engine->mouseMove(EngineFixture::at(1, 1), {}, kShift);  // a key let go: pattern mode ends
  EXPECT_FALSE(f.state().tools.patternMode);
}

TEST(PaintTool, AutoPaintFollowsTheCollisionSetAndUndoesWithTheStroke) {
  PaintFixture f;
  MapLayer& collision = f.layer("Collision", 40, 30, LayerKind::Collision);
  f.tiles.hasCollisionSet = true;
  f.tiles.collisionSet.assign(static_cast<std::size_t>(f.tiles.tileCount), 0);
  f.tiles.collisionSet[6] = 2;
  f.project().setActiveLayer(&f.level);
  f.pickTiles({{6, 0}});
  const std::vector<MapCell> collisionBefore = collision.cells;
  const std::vector<MapCell> levelBefore = f.level.cells;
  f.click(EngineFixture::at(4, 4));
  EXPECT_EQ(collision.cell(4, 4), (MapCell{2, 1, 6, 0, 0, 0}));
  f.undo();
  EXPECT_EQ(std::tuple(collision.cells, f.level.cells), std::tuple(collisionBefore, levelBefore))
      << "one undo takes back both layers";
  f.key(Key::F9);  // auto-paint off
  f.click(EngineFixture::at(4, 4));
  EXPECT_EQ(collision.cells, collisionBefore);
}

TEST(PaintTool, PreviewPlanIsWhatAClickWritesAndHoveringChangesNothing) {
  PaintFixture f;
  f.pickTiles({{1, 0}, {5, 2}, {2, 3}});
  f.key(Key::V);
  f.engine->mouseMove(EngineFixture::at(7, 8), {}, {});
  const std::vector<MapCell> before = f.level.cells;
  const StrokePlan plan = f.engine->previewPlan();
  EXPECT_EQ(std::tuple(f.level.cells, f.project().modified), std::tuple(before, false))
      << "the preview writes nothing, not even mask bits";
  f.click(EngineFixture::at(7, 8));
  ASSERT_EQ(plan.cells.size(), 3u);
  for (const PlannedCell& p : plan.cells) {
    EXPECT_EQ(std::tuple(f.at(p.x, p.y).tile, f.at(p.x, p.y).vflip(), p.x - plan.cursor.x),
              std::tuple(p.tile, p.vflip, p.dx));
  }
  EXPECT_TRUE(f.project().modified);
}

TEST(RubberStamp, PicksDropsAndPastesCells) {
  PaintFixture f;
  f.level.cell(2, 2) = MapCell{5, 2, 0, 0, kCellVFlip, 0};
  f.level.cell(3, 2) = MapCell{6, 2, 0, 0, 0, 0};
  f.level.cell(4, 2) = MapCell{7, 99, 0, 0, 0, 0};  // unregistered page: skipped
  f.key(Key::F3);
  f.drag({EngineFixture::at(2, 2), EngineFixture::at(3, 2), EngineFixture::at(4, 2), EngineFixture::at(3, 2)}, kShift);
  Brush& stamp = f.state().brushes.stamp();
  ASSERT_EQ(stamp.count(), 2) << "a cell picked twice is kept once";
  // The palette row is the page's, not the cell's; picking changes no cell.
  EXPECT_EQ(std::tuple(stamp.placement(0).vflip, stamp.placement(0).palette, f.journal().size()),
            std::tuple(true, 5, 0u));
  f.click(EngineFixture::at(20, 20));  // paste: origin (2, 2) on the cursor
  EXPECT_EQ(std::tuple(f.at(20, 20).tile, f.at(20, 20).vflip(), f.at(21, 20).tile), std::tuple(5, true, 6));
  f.click(EngineFixture::at(3, 2), kCtrl);
  EXPECT_EQ(stamp.count(), 1);
  // The middle rectangle: Shift adds every cell inside the layer, Ctrl alone removes.
  f.drag({EngineFixture::at(12, 12), EngineFixture::at(10, 10)}, kShift, MouseButton::Middle);
  EXPECT_EQ(stamp.count(), 1 + 9);
  f.drag({EngineFixture::at(10, 10), EngineFixture::at(11, 12)}, kCtrl, MouseButton::Middle);
  EXPECT_EQ(stamp.count(), 1 + 3);
  f.drag({EngineFixture::at(-5, -5), EngineFixture::at(1, 1)}, kShift, MouseButton::Middle);
  EXPECT_EQ(stamp.count(), 4 + 4);
}

// A stroke fixture: the brush holds page tile (3, 1), tile 11.
struct StrokeFixture : PaintFixture {
  StrokeFixture() {
    pickTiles({{3, 1}});
    project().modified = false;
  }
};

TEST(StrokeUndo, OnePressDragReleaseIsOneStepAClickThatChangesNothingNoneAndTheLevelsBoundThem) {
  StrokeFixture f;
  const std::vector<MapCell> before = f.level.cells;
  // The drag passes cell (5, 5) three times.
  f.drag({EngineFixture::at(5, 5), EngineFixture::at(6, 5), EngineFixture::at(5, 5), EngineFixture::at(5, 6),
          EngineFixture::at(5, 5)});
  EXPECT_EQ(std::tuple(f.journal().size(), f.at(5, 5).tile), std::tuple(1u, 11));
  f.undo();
  EXPECT_EQ(f.level.cells, before);
  EXPECT_FALSE(f.commands->enabled(cmd::kUndo));
  f.click({-200, -200});  // outside the layer
  f.key(Key::F3);         // stamp picks write no cell
  f.click(EngineFixture::at(2, 2), kShift);
  EXPECT_EQ(f.journal().size(), 0u);
  // Undo levels bound the journal.
  f.key(Key::F1);
  f.settings.writeInt("Settings", "UndoLevels", 1);
  f.engine->loadViewOptions();
  f.click(EngineFixture::at(1, 1));
  const std::vector<MapCell> afterFirst = f.level.cells;
  f.click(EngineFixture::at(9, 9));
  f.undo();
  EXPECT_EQ(f.level.cells, afterFirst);
  EXPECT_FALSE(f.commands->run(cmd::kUndo)) << "disabled with nothing left";
}

TEST(StrokeUndo, AGestureIsFiledUnderTheLayerItStartedOn) {
  StrokeFixture f;
  MapLayer& other = f.layer("Other", 40, 30, LayerKind::Secondary);
  f.project().setActiveLayer(&f.level);
  const std::vector<MapCell> levelBefore = f.level.cells;
  const std::vector<MapCell> otherBefore = other.cells;
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(1, 1), {});
  f.commands->selectLayer(&other);  // a layer-bar click in mid-drag
  f.engine->mouseMove(EngineFixture::at(2, 2), {true, false, false}, {});
  f.engine->mouseRelease(MouseButton::Left, EngineFixture::at(2, 2), {});
  EXPECT_EQ(std::tuple(f.at(1, 1).tile, other.cell(2, 2).tile, f.journal().size()), std::tuple(11, 11, 2u));
  f.undo();
  EXPECT_EQ(std::tuple(other.cells, f.at(1, 1).tile), std::tuple(otherBefore, 11));
  f.undo();
  EXPECT_EQ(f.level.cells, levelBefore);
}

TEST(StrokeUndo, CommandsViewSwitchesAndResetsCloseTheOpenStroke) {
  StrokeFixture f;
  const ButtonSet left{true, false, false};
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(1, 1), {});
  f.key(Key::G);  // any command closes the gesture's entry
  EXPECT_EQ(std::tuple(f.journal().hasPending(), f.journal().size()), std::tuple(false, 1u));
  f.engine->mouseMove(EngineFixture::at(2, 1), left, {});  // a stroke with no open entry opens one
  EXPECT_TRUE(f.journal().hasPending());
  f.key(Key::Space, " ");
  EXPECT_FALSE(f.journal().hasPending());
  f.engine->mouseRelease(MouseButton::Left, {0, 0}, {});
  EXPECT_EQ(f.journal().size(), 2u);
  // A project reset in mid-gesture drops it without touching freed layers.
  f.key(Key::Space, " ");
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(4, 4), {});
  f.project().resetProject(false);
  f.engine->mouseMove(EngineFixture::at(5, 4), left, {});
  f.engine->mouseRelease(MouseButton::Left, EngineFixture::at(5, 4), {});
  EXPECT_FALSE(f.journal().canUndo());
}

}  // namespace
}  // namespace qarto::test
