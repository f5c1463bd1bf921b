#include <gtest/gtest.h>

#include "layers_fixture.h"

namespace qarto::test {
namespace {

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
  EXPECT_EQ(f.services.messages,
            std::vector{shown("The file <" + folder.file("notes.bmp") + "> is not a valid bitmap file!",
                              MessageIcon::Warning, " - Tile Load Error")});
  EXPECT_EQ(std::tuple(f.order(), f.project().modified), std::tuple("Level", false));

  MapLayer* layer = importImageAsLayer(f.session);
  ASSERT_NE(layer, nullptr);
  EXPECT_EQ(std::tuple(f.services.openRequests.front().title, f.services.openRequests.front().initialFolder),
            std::tuple("Import Tileset As Layer", "/somewhere"));
  EXPECT_EQ(std::tuple(layer->nameText(), layer->kind, layer->width, layer->height, layer->parallaxX),
            std::tuple("BMP_tilepage", LayerKind::Secondary, 3, 2, 1.0f));
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(layer->cells[static_cast<std::size_t>(i)],
              (MapCell{static_cast<std::int16_t>(i), 2, static_cast<std::uint8_t>((i + 3) % 16), 0, 0, 0}));
  }
  EXPECT_EQ(
      std::tuple(f.project().modified, f.project().activeLayer, f.settings.readText("Settings", "LastTilesetPath", "")),
      std::tuple(true, &level, folder.path()));
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(std::tuple(f.order(), f.session.registry().find(2) != nullptr), std::tuple("Level", true))
      << "the page stays loaded";
}

TEST(PageLayerFill, TilesACellCannotNumberKeepTheCellAsItWas) {
  const std::unique_ptr<Tileset> page = makeTileset(3, 8, 8 * 40000, [](int, int) { return std::uint8_t{0x51}; });
  MapLayer layer;
  layer.width = 1;
  layer.height = 40000;
  layer.cells.assign(40000, distinctCell(7));
  fillLayerFromPage(layer, *page);
  EXPECT_EQ(std::tuple(layer.cells[32767], layer.cells[32768]),
            std::tuple(MapCell{32767, 3, 5, 0, 0, 0}, distinctCell(7)));
}

// A 4 x 3 primary layer holding tiles 1 to 12 of page 2, the Shift dialog
// open on it; the page loaded unless said otherwise.
struct ShiftMap : LayersFixture {
  MapLayer& level = layer("Level", 4, 3, LayerKind::Primary);
  ShiftLayerModel shift{session};
  explicit ShiftMap(bool page = true) {
    if (page) tiles();
    setTiles(level, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    EXPECT_TRUE(shift.begin());
  }
};

TEST(ShiftLayer, ThePreviewMovesTheCellsAsTheSlidersAndWrapBoxesSay) {
  const struct {
    int dx, dy;
    bool wrapH, wrapV;
    std::vector<int> tiles;
    bool page = true;  // without a normal page vacated cells stay all zero, the cells move all the same
  } cases[] = {
      {1, 0, false, false, {0, 1, 2, 3, 0, 5, 6, 7, 0, 9, 10, 11}, false},
      {-1, 1, false, false, {0, 0, 0, 0, 2, 3, 4, 0, 6, 7, 8, 0}},
      {1, -1, true, false, {8, 5, 6, 7, 12, 9, 10, 11, 0, 0, 0, 0}},
      {-1, 2, false, true, {6, 7, 8, 0, 10, 11, 12, 0, 2, 3, 4, 0}},
      {-3, 2, true, true, {8, 5, 6, 7, 12, 9, 10, 11, 4, 1, 2, 3}},
      {0, -3, false, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };

  for (const auto& c : cases) {
    ShiftMap f(c.page);
    f.shift.setWrapHorizontally(c.wrapH);
    f.shift.setWrapVertically(c.wrapV);
    f.shift.setHorizontalPosition(4 + c.dx);
    f.shift.setVerticalPosition(3 + c.dy);
    EXPECT_EQ(tilesOf(f.level), c.tiles) << "dx " << c.dx << " dy " << c.dy << " wrap " << c.wrapH << c.wrapV;
    for (const MapCell& cell : f.level.cells) EXPECT_EQ(cell.tileset, c.page || cell.tile != 0 ? 2 : 0);
    if (c.page) continue;
    f.shift.confirm();
    EXPECT_EQ(tilesOf(f.level), c.tiles) << "OK keeps what the preview showed";
  }
}

TEST(ShiftLayer, SlidersStayInRangeCancelGivesBackTheVerySameBytesAndOkIsOneUndoStep) {
  LayersFixture f;
  MapLayer& level = f.layer("Level", 40, 24, LayerKind::Primary);
  fillDistinct(level);
  for (MapCell& cell : level.cells) {
    cell.reserved = static_cast<std::uint8_t>(cell.tile);
    cell.flags |= 0x80;
  }
  const std::vector<MapCell> before = level.cells;
  ShiftLayerModel shift(f.session);
  ASSERT_TRUE(shift.begin());
  // The sliders run from 0 to twice the size less one and start in the middle; a page is an eighth.
  EXPECT_EQ(std::tuple(shift.title(), shift.horizontalMaximum(), shift.verticalMaximum(), shift.horizontalPageSize(),
                       shift.verticalPageSize(), shift.horizontalPosition(), shift.verticalPosition()),
            std::tuple("Qarto v0.99 - Shift Layer Data", 79, 47, 5, 3, 40, 24));
  shift.stepHorizontal(-1);
  shift.stepVertical(+1);
  EXPECT_EQ(shift.horizontalShiftText() + " " + shift.verticalShiftText(), "-1 1");
  shift.setHorizontalPosition(500);
  shift.setVerticalPosition(-9);
  EXPECT_EQ(std::tuple(shift.shiftX(), shift.shiftY()), std::tuple(39, -24));
  shift.stepHorizontal(+1);
  EXPECT_EQ(shift.horizontalPosition(), 79);
  shift.reset();
  EXPECT_EQ(std::tuple(shift.horizontalShiftText(), shift.verticalShiftText(), level.cells),
            std::tuple("0", "0", before));
  shift.setWrapVertically(true);
  shift.stepVertical(+1);
  ASSERT_NE(level.cells, before);
  shift.cancel();
  EXPECT_EQ(std::tuple(shift.isOpen(), level.cells == before), std::tuple(false, true));
  {
    ShiftLayerModel closed(f.session);  // closed without OK
    ASSERT_TRUE(closed.begin());
    closed.setHorizontalPosition(7);
  }
  EXPECT_EQ(std::tuple(level.cells == before, f.journal().size(), f.project().modified), std::tuple(true, 0u, false));

  ASSERT_TRUE(shift.begin());
  for (int step = 0; step < 3; ++step) shift.stepHorizontal(+1);
  shift.stepVertical(-1);
  shift.confirm();
  EXPECT_EQ(std::tuple(shift.isOpen(), level.cell(3, 0), level.cell(0, 0), f.journal().size(), f.project().modified),
            std::tuple(false, before[40], MapCell{}, 1u, true));
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(level.cells, before);
}

}  // namespace
}  // namespace qarto::test
