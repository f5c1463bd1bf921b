#include <filesystem>

#include "edit/tile_view/faulty_tiles.h"
#include "engine_fixture.h"
#include "export/export_preparation.h"
#include "export/tileset_validation.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

// Bank offset 15 leaves room for one palette; two cells of "Main" use a
// second one. The warning names them; "Show" makes "Main" active, brings
// the first to the middle of the window and marks both; OK changes nothing.
TEST(BudgetView, ShowPointsTheViewAtTheCellsAnOverflowNames) {
  for (const MessageAnswer answer : {MessageAnswer::Show, MessageAnswer::Ok}) {
    EngineFixture f;
    f.numberedPage();
    MapLayer& main = f.layer("Main", 200, 100, LayerKind::Primary);
    MapLayer& top = f.layer("Top", 200, 100, LayerKind::Secondary);
    for (MapCell& cell : main.cells) cell.palette = 0;
    for (MapCell& cell : top.cells) cell = main.cells.front();
    for (int x : {150, 151}) main.cell(x, 80) = {1, main.cells.front().tileset, 1, 0, 0, 0};
    f.services.answers.push_back(answer);
    TempFolder out;
    ExportOptions options;
    options.directory = out.path();
    options.bankOffset = 15;
    exportShowingCells(*f.engine, options, exportToHeaders);

    EXPECT_EQ(f.services.messages,
              std::vector{shown(kPaletteOverflowMessage +
                                    std::string("\n\nCells at fault:\nlayer Main, cell (150, 80)\nlayer Main, cell "
                                                "(151, 80)"),
                                MessageIcon::Warning, " - Palette Overflow", MessageButtons::OkShow)});
    EXPECT_TRUE(std::filesystem::is_empty(out.path()));
    const bool show = answer == MessageAnswer::Show;
    EXPECT_EQ(f.project().activeLayer, show ? &main : &top);
    const CellPoint middle = f.state().cellAt({640, 360});
    EXPECT_EQ(std::pair(middle.x, middle.y), show ? std::pair(150, 80) : std::pair(80, 45));
    EXPECT_EQ(f.state().markedCells.size(), show ? 2u : 0u);
    const std::optional<CellRect> selected = f.state().selection.rect;
    ASSERT_EQ(selected.has_value(), show);
    if (show) {
      EXPECT_EQ(std::tuple(selected->left, selected->top, selected->right, selected->bottom), std::tuple(150, 80, 151, 80));
    }
  }
}

// Validate Tileset on a page file: its faulty tiles are framed on the loaded
// page read from that file, and on no other page.
TEST(BudgetView, ValidateTilesetMarksTheFaultyTilesOfTheLoadedPage) {
  EngineFixture f;
  TempFolder folder;
  // Tile 1 mixes palette rows 0 and 1; tile 3 holds a single pixel.
  const PixelRule pixels = [](int x, int y) {
    const int t = tileAt(32, x, y);
    return std::uint8_t(t == 1 && x == 8 ? 0x11 : t == 3 ? (x == 24 && y == 0 ? 2 : 0) : 3);
  };
  const std::string path = writePage(folder, "faults.bmp", makePage(32, 8, pixels));
  Tileset& loaded = f.page(32, 8, pixels);
  Tileset& other = f.page(32, 8, pixels);
  loaded.sourcePath = path;
  std::vector<int> faulty;
  ValidateTilesetRequest request{path, true, true, "1", false};
  validateTileset(f.services, f.settings, request, &faulty);
  markFaultyTiles(f.state(), path, faulty);
  EXPECT_EQ(f.state().faultyTiles, (std::map<std::int32_t, std::vector<int>>{{loaded.id, {1, 3}}}));
  request.checkInvalid16 = false;
  validateTileset(f.services, f.settings, request, &faulty);
  markFaultyTiles(f.state(), path, faulty);
  EXPECT_EQ(f.state().faultyTiles.at(loaded.id), std::vector<int>{3});
  EXPECT_FALSE(f.state().faultyTiles.contains(other.id));
}

}  // namespace
}  // namespace qarto::test
