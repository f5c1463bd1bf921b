#include <gtest/gtest.h>

#include "edit/layers/shift_layer_model.h"
#include "layers_fixture.h"

namespace qarto::test {
namespace {

// A 4 x 3 primary layer with tiles 1 to 12 of the numbered page (id 2).
struct ShiftMap : LayersFixture {
  Tileset& tiles = numberedPage();
  MapLayer& level = layer("Level", 4, 3, LayerKind::Primary);
  ShiftMap() { setTiles(level, tiles.id, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}); }
};

TEST(ShiftLayer, ThePreviewMovesTheCellsAsTheSlidersAndWrapBoxesSay) {
  struct Case {
    int dx;
    int dy;
    bool wrapH;
    bool wrapV;
    std::vector<int> tiles;
  };
  const Case cases[] = {
      {0, 0, false, false, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {1, 0, false, false, {0, 1, 2, 3, 0, 5, 6, 7, 0, 9, 10, 11}},
      {-1, 1, false, false, {0, 0, 0, 0, 2, 3, 4, 0, 6, 7, 8, 0}},
      {1, -1, true, false, {8, 5, 6, 7, 12, 9, 10, 11, 0, 0, 0, 0}},
      {-1, 2, false, true, {6, 7, 8, 0, 10, 11, 12, 0, 2, 3, 4, 0}},
      {-3, 2, true, true, {8, 5, 6, 7, 12, 9, 10, 11, 4, 1, 2, 3}},
      {3, -3, true, true, {2, 3, 4, 1, 6, 7, 8, 5, 10, 11, 12, 9}},
      {-4, 0, true, false, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {-4, 0, false, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {0, -3, false, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    ShiftMap f;
    ShiftLayerModel shift(f.session);
    ASSERT_TRUE(shift.begin());
    shift.setWrapHorizontally(c.wrapH);
    shift.setWrapVertically(c.wrapV);
    shift.setHorizontalPosition(4 + c.dx);
    shift.setVerticalPosition(3 + c.dy);
    EXPECT_EQ(shift.shiftX(), c.dx);
    EXPECT_EQ(shift.shiftY(), c.dy);
    EXPECT_EQ(tilesOf(f.level), c.tiles) << "dx " << c.dx << " dy " << c.dy << " wrap " << c.wrapH << c.wrapV;
    for (const MapCell& cell : f.level.cells) {
      if (cell.tile == 0) {
        EXPECT_EQ(cell.tileset, f.tiles.id) << "vacated cells show the first normal page";
      }
    }
  }
}

TEST(ShiftLayer, SlidersStartInTheMiddleStepByOneAndStayInTheirRange) {
  LayersFixture f;
  f.layer("Level", 40, 24, LayerKind::Primary);
  ShiftLayerModel shift(f.session);
  ASSERT_TRUE(shift.begin());
  EXPECT_EQ(shift.title(), "Qarto v0.99 - Shift Layer Data");
  EXPECT_EQ(shift.horizontalMaximum(), 79);
  EXPECT_EQ(shift.verticalMaximum(), 47);
  EXPECT_EQ(shift.horizontalPageSize(), 5);
  EXPECT_EQ(shift.verticalPageSize(), 3);
  EXPECT_EQ(shift.horizontalPosition(), 40);
  EXPECT_EQ(shift.horizontalShiftText(), "0");
  EXPECT_EQ(shift.verticalShiftText(), "0");

  shift.stepHorizontal(-1);
  shift.stepVertical(+1);
  EXPECT_EQ(shift.horizontalShiftText(), "-1");
  EXPECT_EQ(shift.verticalShiftText(), "1");
  shift.setHorizontalPosition(500);
  shift.setVerticalPosition(-9);
  EXPECT_EQ(shift.shiftX(), 39);
  EXPECT_EQ(shift.shiftY(), -24);
  shift.stepHorizontal(+1);
  EXPECT_EQ(shift.horizontalPosition(), 79);
  shift.reset();
  EXPECT_EQ(shift.shiftX(), 0);
  EXPECT_EQ(shift.shiftY(), 0);
}

TEST(ShiftLayer, CancelGivesBackTheVerySameBytes) {
  ShiftMap f;
  fillDistinct(f.level, 3);
  for (std::size_t i = 0; i < f.level.cells.size(); ++i) {
    f.level.cells[i].reserved = static_cast<std::uint8_t>(200 + i);
    f.level.cells[i].flags |= 0x80;
  }
  const std::vector<MapCell> before = f.level.cells;
  {
    ShiftLayerModel shift(f.session);
    ASSERT_TRUE(shift.begin());
    shift.setHorizontalPosition(2);
    shift.setWrapVertically(true);
    shift.setVerticalPosition(5);
    ASSERT_NE(f.level.cells, before);
    shift.cancel();
    EXPECT_FALSE(shift.isOpen());
  }
  EXPECT_EQ(f.level.cells, before);
  {
    ShiftLayerModel shift(f.session);
    ASSERT_TRUE(shift.begin());
    shift.setHorizontalPosition(7);
  }  // closed without OK
  EXPECT_EQ(f.level.cells, before);
  EXPECT_EQ(f.journal().size(), 0u);
  EXPECT_FALSE(f.project().modified);
}

TEST(ShiftLayer, OkKeepsTheShiftAsOneUndoStep) {
  ShiftMap f;
  const std::vector<MapCell> before = f.level.cells;
  ShiftLayerModel shift(f.session);
  ASSERT_TRUE(shift.begin());
  for (int step = 0; step < 3; ++step) shift.stepHorizontal(+1);
  shift.stepVertical(-1);
  const std::vector<MapCell> shown = f.level.cells;
  shift.confirm();
  EXPECT_FALSE(shift.isOpen());
  EXPECT_EQ(f.level.cells, shown);
  EXPECT_EQ(tilesOf(f.level), (std::vector<int>{0, 0, 0, 5, 0, 0, 0, 9, 0, 0, 0, 0}));
  EXPECT_TRUE(f.project().modified);
  ASSERT_EQ(f.journal().size(), 1u);

  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.level.cells, before);
}

TEST(ShiftLayer, WithoutANormalTilePageTheCellsStillMove) {
  LayersFixture f;
  MapLayer& level = f.layer("Level", 4, 3, LayerKind::Primary);
  setTiles(level, 5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  ShiftLayerModel shift(f.session);
  ASSERT_TRUE(shift.begin());
  shift.setHorizontalPosition(5);
  shift.confirm();
  EXPECT_EQ(tilesOf(level), (std::vector<int>{0, 1, 2, 3, 0, 5, 6, 7, 0, 9, 10, 11}));
  EXPECT_EQ(level.cells[0], MapCell{}) << "vacated cells stay all zero";
  EXPECT_EQ(level.cells[1].tileset, 5);
}

TEST(ShiftLayer, EntityLayersAreRefusedAndNoActiveLayerOpensNothing) {
  LayersFixture f;
  f.layer("Level", 30, 20, LayerKind::Primary);
  f.layer("Enemies", 30, 20, LayerKind::Entity);
  ShiftLayerModel shift(f.session);
  EXPECT_FALSE(shift.begin());
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastText(), "Shifting of entity layers is not currently supported.");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Information);
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");

  f.project().activeLayer = nullptr;
  EXPECT_FALSE(shift.begin());
  EXPECT_EQ(f.services.messages.size(), 1u);
  shift.setHorizontalPosition(3);  // a model that never opened ignores the controls
  shift.confirm();
  EXPECT_EQ(f.journal().size(), 0u);
}

}  // namespace
}  // namespace qarto::test
