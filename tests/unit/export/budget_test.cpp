#include <gtest/gtest.h>

#include <random>

#include "export/budget/budget_figures.h"
#include "export/budget/budget_tracker.h"
#include "export/export_preparation.h"
#include "reduction_fixture.h"

namespace qarto::test {
namespace {

// Pages 2 and 3: tile t + 1 of each is tile t mirrored (t even), and row 5 of
// page 3 has the colours of row 1 of page 2. Cells also name page 9, which
// is not loaded, and tiles beyond the pages.
struct RandomMap : ExportFixture {
  std::mt19937 random;
  explicit RandomMap(unsigned seed) : random(seed) {
    for (int id : {2, 3}) {
      Tileset& page = addPage(makePage(id, 4, 2));
      for (int t = 0; t < 8; t += 2) {
        setTile(page, t, asymmetricTile(t * id));
        setTile(page, t + 1, mirrored(asymmetricTile(t * id), t % 4 == 0, t % 4 != 0));
      }
    }
    copyRow(*registry.find(3), 5, *registry.find(2), 1);
    for (int n = 0; n < 3; ++n) {
      auto layer = makeLayer(n == 0 ? LayerKind::Primary : LayerKind::Secondary, "L" + std::to_string(n), pick(1, 40),
                             pick(1, 40));
      layer->tileGrouping = n > 0 && pick(0, 1) == 1;
      for (MapCell& cell : layer->cells) cell = randomCell();
      addLayer(std::move(layer));
    }
    addLayer(makeLayer(LayerKind::Collision, "C", 3, 3));
    project.unoptimizedMode = pick(0, 3) == 0;
  }
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
  MapCell randomCell() {
    const int pages[] = {2, 3, 3, 2, 9};
    return cellOf(pages[pick(0, 4)], pick(0, 9), pick(0, 7), pick(0, 1) == 1, pick(0, 1) == 1);
  }
};

// The budget against the export's own literal walk over the whole map.
void expectCountsOfTheReduction(const MapProject& project, const BudgetCounts& counts, const std::string& where) {
  ExportReduction reduction;
  CollectPalettes(reduction, project.layers(), project.registry(), false, MatchMethod::Literal);
  CollectTiles(reduction, project.layers(), project.registry(), 0, MatchMethod::Literal);
  CollectTiles(reduction, project.layers(), project.registry(), 1, MatchMethod::Literal);
  EXPECT_EQ(counts.uniqueTiles(0), reduction.tileCount(0)) << where;
  EXPECT_EQ(counts.uniqueTiles(1), reduction.tileCount(1)) << where;
  EXPECT_EQ(counts.uniquePalettes(), reduction.paletteCount()) << where;
  EXPECT_EQ(counts.unregisteredCells(), reduction.paletteErrors) << where;
}

TEST(Budget, FiguresEqualTheExportsCountsOnRandomMaps) {
  for (unsigned seed = 0; seed < 40; ++seed) {
    RandomMap map(seed);
    if (map.project.unoptimizedMode) {  // refused with groups
      map.project.layerAt(1)->tileGrouping = map.project.layerAt(2)->tileGrouping = false;
    }
    BudgetTracker tracker;
    tracker.recount(map.project);
    const BudgetFigures figures = budgetFigures(map.project, tracker.counts());
    ExportRequest request;
    request.countOnly = true;
    const PreparedExport prepared = prepareExport(map.project, request);
    ASSERT_EQ(prepared.status, ExportStatus::CountsReported);
    EXPECT_EQ(figures.palettes, prepared.reduction.paletteCount()) << seed;
    EXPECT_EQ(figures.tiles[0], prepared.reduction.tileCount(0)) << seed;
    EXPECT_EQ(figures.tiles[1], prepared.reduction.tileCount(1)) << seed;
  }
}

// Edits as the tools, layer operations and undo record them, and some they
// do not record; after each the kept counts equal a full recount.
TEST(Budget, KeptCountsFollowEditsUndoAndRedo) {
  for (unsigned seed = 0; seed < 12; ++seed) {
    RandomMap map(seed);
    MapProject& project = map.project;
    UndoJournal& journal = project.journal();
    BudgetTracker tracker;
    tracker.update(project);
    for (int step = 0; step < 150; ++step) {
      MapLayer& layer = *project.layerAt(map.pick(0, project.layerCount() - 2));
      switch (map.pick(0, 8)) {
        case 0: case 1: case 2:  // a stroke
          journal.beginCellEdit(&layer);
          for (int n = map.pick(1, 12); n > 0; --n) {
            const int x = map.pick(0, layer.width - 1), y = map.pick(0, layer.height - 1);
            journal.recordCell(x, y, layer.cell(x, y));
            layer.cell(x, y) = map.randomCell();
            if (n == 3) {  // counted while the stroke is held
              tracker.update(project);
              expectCountsOfTheReduction(project, tracker.counts(), "held " + std::to_string(step));
            }
          }
          journal.commitCellEdit();
          break;
        case 3: journal.undo(project); break;
        case 4: journal.redo(project); break;
        case 5: {
          std::vector<MapCell> former = layer.cells;
          for (MapCell& cell : layer.cells) cell = map.randomCell();
          journal.recordLayerCellsReplaced(&layer, std::move(former), layer.width, layer.height);
          break;
        }
        case 6:
          layer.tileGrouping = !layer.tileGrouping;
          break;
        case 7:  // a resize that records nothing
          journal.commitCellEdit();
          layer.width = static_cast<std::uint16_t>(map.pick(1, 30));
          layer.cells.assign(layer.width * static_cast<std::size_t>(layer.height), map.randomCell());
          journal.forgetLayer(&layer);
          break;
        case 8:
          if (project.layerCount() > 2) {
            MapLayer* lower = project.layerBelow(&layer);
            MapLayer* upper = project.layerAbove(&layer);
            journal.recordLayerDeleted(project.takeLayer(&layer), lower, upper);
          }
          break;
      }
      tracker.update(project);
      expectCountsOfTheReduction(project, tracker.counts(), std::to_string(seed) + "/" + std::to_string(step));
    }
  }
}

// 1025 tiles or 17 palettes: the figure reports it, and the export's
// message names the cells of the tile (bank) over the limit.
TEST(Budget, OneOverTheLimitIsReportedAndItsCellsNamed) {
  ExportFixture fx;
  Tileset& page = fx.addPage(makePage(2, 32, 33));
  for (int t = 0; t < 1025; ++t) {
    // t in base 15 down column 0, and one pixel that no mirror of a tile has.
    setTile(page, t, tilePixels([t](int x, int y) {
              if (x > 0) return x == 1 && y == 7 ? 1 : 0;
              return y == 0 ? t % 15 + 1 : y == 1 ? t / 15 % 15 + 1 : y == 2 ? t / 225 + 1 : 0;
            }));
  }
  fx.addPage(makePage(3, 1));
  MapLayer& layer = fx.addLayer(makeLayer(LayerKind::Primary, "Main", 41, 26));
  for (int n = 0; n < 41 * 26; ++n) {
    layer.cells[static_cast<std::size_t>(n)] = cellOf(2, std::min(n, 1024), n < 16 ? n : 0);
  }
  const struct {
    std::vector<MapCell> top;  // the cells of a layer above
    std::string message;
    std::string suffix;
    std::vector<std::string> overruns;
  } cases[] = {
      {{cellOf(2, 0), cellOf(2, 1)},
       kTileOverflowMessage + std::string("\n\nCells at fault:\nlayer Main, cell (40, 24)\nlayer Main, cell (0, 25)\n"
                                          "layer Main, cell (1, 25)\nlayer Main, cell (2, 25)\n"
                                          "layer Main, cell (3, 25)\nand 37 more"),
       " - Tile Overflow", {"Group1 has 1025 unique tiles; a tile number reaches 1024."}},
      {{cellOf(2, 0, 1), cellOf(3, 0)},  // page 3's blank tile and its palette are new
       kPaletteOverflowMessage + std::string("\n\nCells at fault:\nlayer Top, cell (1, 0)"), " - Palette Overflow",
       {"Group1 has 1026 unique tiles; a tile number reaches 1024.", "17 unique palettes; the GBA holds 16 banks."}},
  };
  MapLayer& top = fx.addLayer(makeLayer(LayerKind::Secondary, "Top", 2, 1));
  for (const auto& c : cases) {
    top.cells = c.top;
    BudgetTracker tracker;
    tracker.update(fx.project);
    EXPECT_EQ(budgetFigures(fx.project, tracker.counts()).overruns(), c.overruns);
    fx.services.messages.clear();
    prepareExport(fx.project, ExportRequest());
    EXPECT_EQ(fx.services.messages, std::vector{shown(c.message, MessageIcon::Warning, c.suffix)});
  }
}

}  // namespace
}  // namespace qarto::test
