#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace qarto::test {
namespace {

struct StrokeFixture : EngineFixture {
  MapLayer* level = nullptr;
  Tileset* tiles = nullptr;

  StrokeFixture() {
    level = &layer("Level", 30, 20, LayerKind::Primary);
    tiles = &numberedPage();
    project().currentTilesetId = tiles->id;
    pickTiles({{3, 1}});
    project().modified = false;
  }
};

TEST(StrokeUndo, OnePressDragReleaseIsOneStepAndRestoresEveryCell) {
  StrokeFixture f;
  const std::vector<MapCell> before = f.level->cells;
  // The drag passes cell (5, 5) three times.
  f.drag({EngineFixture::at(5, 5), EngineFixture::at(6, 5), EngineFixture::at(5, 5), EngineFixture::at(5, 6),
          EngineFixture::at(5, 5)});
  EXPECT_EQ(f.project().journal().size(), 1u);
  EXPECT_EQ(f.level->cell(5, 5).tile, 11);
  f.key(Key::Z, "", kCtrl);
  EXPECT_EQ(f.level->cells, before);
  EXPECT_FALSE(f.project().journal().canUndo());
  EXPECT_FALSE(f.commands->enabled(cmd::kUndo));
}

TEST(StrokeUndo, AClickThatChangesNothingPushesNothing) {
  StrokeFixture f;
  f.click({-200, -200});  // outside the layer
  EXPECT_EQ(f.project().journal().size(), 0u);
  f.key(Key::F3);  // stamp picks write no cell
  f.click(EngineFixture::at(2, 2), kShift);
  EXPECT_EQ(f.project().journal().size(), 0u);
}

TEST(StrokeUndo, AGestureIsFiledUnderTheLayerItStartedOn) {
  StrokeFixture f;
  MapLayer& other = f.layer("Other", 30, 20, LayerKind::Secondary);
  f.project().setActiveLayer(f.level);
  const std::vector<MapCell> levelBefore = f.level->cells;
  const std::vector<MapCell> otherBefore = other.cells;
  ButtonSet left;
  left.left = true;
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(1, 1), {});
  f.commands->selectLayer(&other);  // a layer-bar click in mid-drag
  f.engine->mouseMove(EngineFixture::at(2, 2), left, {});
  f.engine->mouseRelease(MouseButton::Left, EngineFixture::at(2, 2), {});
  EXPECT_EQ(f.level->cell(1, 1).tile, 11);
  EXPECT_EQ(other.cell(2, 2).tile, 11);
  EXPECT_EQ(f.project().journal().size(), 2u);
  f.key(Key::Z, "", kCtrl);
  EXPECT_EQ(other.cells, otherBefore);
  EXPECT_EQ(f.level->cell(1, 1).tile, 11);
  f.key(Key::Z, "", kCtrl);
  EXPECT_EQ(f.level->cells, levelBefore);
}

TEST(StrokeUndo, CommandsAndViewSwitchesCloseTheOpenStroke) {
  StrokeFixture f;
  ButtonSet left;
  left.left = true;
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(1, 1), {});
  f.key(Key::G);  // any command closes the gesture's entry
  EXPECT_FALSE(f.project().journal().hasPending());
  EXPECT_EQ(f.project().journal().size(), 1u);
  f.engine->mouseMove(EngineFixture::at(2, 1), left, {});  // a stroke with no open entry opens one
  EXPECT_TRUE(f.project().journal().hasPending());
  f.key(Key::Space, " ");
  EXPECT_FALSE(f.project().journal().hasPending());
  f.engine->mouseRelease(MouseButton::Left, {0, 0}, {});
  EXPECT_EQ(f.project().journal().size(), 2u);

  // A project reset in mid-gesture drops it without touching freed layers.
  f.key(Key::Space, " ");
  f.engine->mousePress(MouseButton::Left, EngineFixture::at(4, 4), {});
  f.project().resetProject(false);
  f.engine->mouseMove(EngineFixture::at(5, 4), left, {});
  f.engine->mouseRelease(MouseButton::Left, EngineFixture::at(5, 4), {});
  EXPECT_FALSE(f.project().journal().canUndo());
}

TEST(StrokeUndo, PaintingMarksTheMapButHoveringDoesNot) {
  StrokeFixture f;
  f.engine->mouseMove(EngineFixture::at(3, 3), {}, {});
  f.engine->previewPlan();
  EXPECT_FALSE(f.project().modified);
  f.click(EngineFixture::at(3, 3));
  EXPECT_TRUE(f.project().modified);
}

TEST(StrokeUndo, UndoLevelsBoundTheJournal) {
  StrokeFixture f;
  f.settings.writeInt("Settings", "UndoLevels", 1);
  f.engine->loadViewOptions();
  f.click(EngineFixture::at(1, 1));
  const std::vector<MapCell> afterFirst = f.level->cells;
  f.click(EngineFixture::at(9, 9));
  f.key(Key::Z, "", kCtrl);
  EXPECT_EQ(f.level->cells, afterFirst);
  EXPECT_FALSE(f.commands->run(cmd::kUndo)) << "disabled with nothing left";
}

}  // namespace
}  // namespace qarto::test
