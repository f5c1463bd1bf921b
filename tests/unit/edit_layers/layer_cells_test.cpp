#include <gtest/gtest.h>

#include "edit/layers/layer_eat.h"
#include "edit/layers/layer_import.h"
#include "edit/layers/layer_merge.h"
#include "edit/layers/page_layer_fill.h"
#include "edit/layers/shift_layer_model.h"
#include "layers_fixture.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

TEST(LayerMerge, BlankCellsTakeTheCellBeneathAsOneUndoStepAndTheLayerBeneathIsHidden) {
  LayersFixture f;
  const int page = f.tiles().id;
  MapLayer& upper = f.layer("Upper", 4, 2, LayerKind::Primary);
  MapLayer& lower = f.layer("Lower", 4, 2, LayerKind::Secondary);
  f.project().activeLayer = &upper;
  fillDistinct(lower, 1);
  // Blank: tile 0, 40 (past the page's end), -3. Not blank: 1 (colour 16), 3 (half clear), 5, 7 (flipped).
  setTiles(upper, page, {0, 5, 40, 1, -3, 3, 0, 7});
  upper.cells[7].flags = kCellHFlip;
  const std::vector<MapCell> before = upper.cells;
  mergeActiveLayerDown(f.session);
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(upper.cells[i], i % 2 == 0 ? lower.cells[i] : before[i]) << i;
  EXPECT_EQ(std::tuple(f.order(), lower.visible, f.project().modified, f.journal().size()),
            std::tuple("Lower Upper", false, true, 1u));
  EXPECT_TRUE(f.services.messages.empty());
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(upper.cells, before);

  // No blank cell: nothing to undo, the layer beneath is hidden all the same.
  setTiles(upper, page, {4, 5, 6, 7, 8, 9, 10, 11});
  lower.visible = true;
  mergeActiveLayerDown(f.session);
  EXPECT_FALSE(lower.visible);
  EXPECT_EQ(f.journal().size(), 0u);

  // A cell of a page that is not loaded stops the merge where it is.
  setTiles(upper, page, {0, 0, 0, 0, 0, 0, 0, 0});
  upper.cells[2].tileset = 0;
  upper.cells[4].tileset = -7;
  lower.visible = true;
  f.settle();
  mergeActiveLayerDown(f.session);
  EXPECT_EQ(tilesOf(upper), (std::vector<int>{1, 2, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(f.services.messages,
            std::vector<Message>{shown("A tileset was expected but not found.", MessageIcon::Warning)});
  EXPECT_TRUE(lower.visible) << "a stopped merge does not hide the layer beneath";
  EXPECT_TRUE(f.project().modified) << "two cells did change";
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(tilesOf(upper), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(EatHiddenTiles, AfterAskingClearsTheCellsUnderTilesThatHideThemCompletelyWithNoUndo) {
  LayersFixture f;
  const int page = f.tiles().id;
  f.layer("Enemies", 8, 1, LayerKind::Entity);  // on top, passed over like the collision layer
  MapLayer& walls = f.layer("Walls", 8, 1, LayerKind::Collision);
  MapLayer& front = f.layer("Front", 8, 1, LayerKind::Primary);
  MapLayer& ground = f.layer("Ground", 8, 1, LayerKind::Secondary);
  // Opaque, one clear pixel, half clear, colour 16, blank, past the page's end, negative, page not loaded.
  setTiles(front, page, {4, 2, 3, 1, 0, 99, -1, 4});
  front.cells[7].tileset = 50;
  setTiles(walls, 1, std::vector<int>(8, 1));
  fillDistinct(ground, 1);
  const std::vector<MapCell> before = ground.cells;
  const std::vector<MapCell> frontBefore = front.cells;
  f.services.answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(eatHiddenTiles(f.session));
  EXPECT_EQ(ground.cells, before);
  EXPECT_FALSE(f.project().modified);

  EXPECT_TRUE(eatHiddenTiles(f.session));
  EXPECT_EQ(f.services.messages,
            std::vector<Message>(2, shown("This feature does not currently support undo.  Continue?.",
                                          MessageIcon::Question, "", MessageButtons::OkCancel)));
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(ground.cells[i], i == 0 || i == 5 ? MapCell{} : before[i]) << i;
  EXPECT_EQ(std::tuple(f.project().modified, f.journal().size(), front.cells), std::tuple(true, 0u, frontBefore));
}

TEST(ImportLayer, AddsALayerThatShowsTheImageTileByTileAndUndoRemovesIt) {
  LayersFixture f;
  TempFolder folder;
  MapLayer& level = f.layer("Level", 30, 20, LayerKind::Primary);
  f.settings.writeInt("Settings", "UseDefTilesetPath", 0);
  f.settings.writeText("Settings", "LastTilesetPath", "/somewhere");
  // Six tiles: tile t in colour 2 of palette row (t + 3) % 16.
  const std::string path = writePage(folder, "scenery.bmp", makePage(24, 16, [](int x, int y) {
                                       return static_cast<std::uint8_t>(((tileAt(24, x, y) + 3) % 16) << 4 | 2);
                                     }));
  writeBytes(folder.file("notes.bmp"), {1, 2, 3});
  f.services.openFileAnswers = {{}, {folder.file("notes.bmp")}, {path}};
  EXPECT_EQ(importImageAsLayer(f.session), nullptr) << "the chooser cancelled";
  EXPECT_EQ(importImageAsLayer(f.session), nullptr) << "a page that cannot be read";
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Tile Load Error");
  EXPECT_EQ(std::tuple(f.order(), f.project().modified), std::tuple("Level", false));

  MapLayer* layer = importImageAsLayer(f.session);
  ASSERT_NE(layer, nullptr);
  EXPECT_EQ(describe(f.services.openRequests.front()),
            chooser("Import Tileset As Layer",
                    "All Supported Tileset Formats|*.bmp;*.pcx|Bitmaps (*.bmp)|*.bmp|ZSoft PCX (*.pcx)|*.pcx||", ".bmp",
                    "/somewhere"));
  EXPECT_EQ(std::tuple(layer->nameText(), layer->kind, layer->width, layer->height, layer->parallaxX),
            std::tuple("BMP_tilepage", LayerKind::Secondary, 3, 2, 1.0f));
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(layer->cells[static_cast<std::size_t>(i)],
              (MapCell{static_cast<std::int16_t>(i), 2, static_cast<std::uint8_t>((i + 3) % 16), 0, 0, 0}));
  }
  EXPECT_EQ(std::tuple(f.project().modified, f.project().activeLayer), std::tuple(true, &level));
  EXPECT_EQ(f.settings.readText("Settings", "LastTilesetPath", ""), folder.path());
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.order(), "Level");
  EXPECT_NE(f.session.registry().find(2), nullptr) << "the page stays loaded";
}

TEST(PageLayerFill, TilesACellCannotNumberKeepTheCellAsItWas) {
  const std::unique_ptr<Tileset> page = makeTileset(3, 8, 8 * 40000, [](int, int) { return std::uint8_t{0x51}; });
  MapLayer layer;
  layer.width = 1;
  layer.height = 40000;
  layer.cells.assign(40000, distinctCell(7));
  fillLayerFromPage(layer, *page);
  EXPECT_EQ(layer.cells[32767], (MapCell{32767, 3, 5, 0, 0, 0}));
  EXPECT_EQ(layer.cells[32768], distinctCell(7));
}

// A 4 x 3 primary layer holding tiles 1 to 12 of the page (id 2), the Shift dialog open on it.
struct ShiftMap : LayersFixture {
  Tileset& page = tiles();
  MapLayer& level = layer("Level", 4, 3, LayerKind::Primary);
  ShiftLayerModel shift{session};
  ShiftMap() {
    setTiles(level, page.id, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    EXPECT_TRUE(shift.begin());
  }
};

TEST(ShiftLayer, ThePreviewMovesTheCellsAsTheSlidersAndWrapBoxesSay) {
  const struct {
    int dx, dy;
    bool wrapH, wrapV;
    std::vector<int> tiles;
  } cases[] = {
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
  for (const auto& c : cases) {
    ShiftMap f;
    f.shift.setWrapHorizontally(c.wrapH);
    f.shift.setWrapVertically(c.wrapV);
    f.shift.setHorizontalPosition(4 + c.dx);
    f.shift.setVerticalPosition(3 + c.dy);
    EXPECT_EQ(tilesOf(f.level), c.tiles) << "dx " << c.dx << " dy " << c.dy << " wrap " << c.wrapH << c.wrapV;
    for (const MapCell& cell : f.level.cells) EXPECT_EQ(cell.tileset, f.page.id) << "vacated cells show the page";
  }
}

TEST(ShiftLayer, SlidersStartInTheMiddleStepByOneAndStayInTheirRange) {
  LayersFixture f;
  f.layer("Level", 40, 24, LayerKind::Primary);
  ShiftLayerModel shift(f.session);
  ASSERT_TRUE(shift.begin());
  EXPECT_EQ(shift.title(), "Qarto v0.99 - Shift Layer Data");
  EXPECT_EQ(std::tuple(shift.horizontalMaximum(), shift.verticalMaximum(), shift.horizontalPageSize(),
                       shift.verticalPageSize(), shift.horizontalPosition(), shift.verticalPosition()),
            std::tuple(79, 47, 5, 3, 40, 24));
  shift.stepHorizontal(-1);
  shift.stepVertical(+1);
  EXPECT_EQ(shift.horizontalShiftText() + " " + shift.verticalShiftText(), "-1 1");
  shift.setHorizontalPosition(500);
  shift.setVerticalPosition(-9);
  EXPECT_EQ(std::tuple(shift.shiftX(), shift.shiftY()), std::tuple(39, -24));
  shift.stepHorizontal(+1);
  EXPECT_EQ(shift.horizontalPosition(), 79);
  shift.reset();
  EXPECT_EQ(shift.horizontalShiftText() + " " + shift.verticalShiftText(), "0 0");
}

TEST(ShiftLayer, CancelOrClosingGivesBackTheVerySameBytesAndOkKeepsTheShiftAsOneUndoStep) {
  ShiftMap f;
  f.shift.cancel();
  fillDistinct(f.level, 3);  // tiles 3 to 14
  for (MapCell& cell : f.level.cells) {
    cell.reserved = static_cast<std::uint8_t>(200 + cell.tile);
    cell.flags |= 0x80;
  }
  const std::vector<MapCell> before = f.level.cells;
  ASSERT_TRUE(f.shift.begin());
  f.shift.setHorizontalPosition(2);
  f.shift.setWrapVertically(true);
  f.shift.setVerticalPosition(5);
  ASSERT_NE(f.level.cells, before);
  f.shift.cancel();
  EXPECT_FALSE(f.shift.isOpen());
  EXPECT_EQ(f.level.cells, before);
  {
    ShiftLayerModel closed(f.session);  // closed without OK
    ASSERT_TRUE(closed.begin());
    closed.setHorizontalPosition(7);
  }
  EXPECT_EQ(std::tuple(f.level.cells, f.journal().size(), f.project().modified), std::tuple(before, 0u, false));

  ASSERT_TRUE(f.shift.begin());
  for (int step = 0; step < 3; ++step) f.shift.stepHorizontal(+1);
  f.shift.stepVertical(-1);
  f.shift.confirm();
  EXPECT_FALSE(f.shift.isOpen());
  EXPECT_EQ(tilesOf(f.level), (std::vector<int>{0, 0, 0, 7, 0, 0, 0, 11, 0, 0, 0, 0}));
  EXPECT_EQ(std::tuple(f.journal().size(), f.project().modified), std::tuple(1u, true));
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.level.cells, before);
}

TEST(ShiftLayer, WithoutANormalTilePageVacatedCellsStayZeroAndTheCellsStillMove) {
  LayersFixture f;
  MapLayer& level = f.layer("Level", 4, 1, LayerKind::Primary);
  setTiles(level, 5, {1, 2, 3, 4});
  ShiftLayerModel shift(f.session);
  ASSERT_TRUE(shift.begin());
  shift.setHorizontalPosition(5);
  shift.confirm();
  EXPECT_EQ(level.cells, (std::vector<MapCell>{{}, {1, 5, 0, 0, 0, 0}, {2, 5, 0, 0, 0, 0}, {3, 5, 0, 0, 0, 0}}));
}

}  // namespace
}  // namespace qarto::test
