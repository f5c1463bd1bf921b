#include "export/export_preparation.h"

#include <gtest/gtest.h>

#include "reduction_fixture.h"

namespace qarto::test {
namespace {

const std::string kPaletteOverflow =
    "There are more than 16 unique palettes in your exported data.\n\nNOTE: if you have applied a palette bank offset, "
    "this will reduce the over-all number of palettes that can be exported.  If possible, reduce the bank offset.  If "
    "this isn't possible, the only other solution is to use fewer unique palettes on your map.";
const std::string kTileOverflow =
    "There are more than 1024 unique tiles in your exported data.\n\nNOTE: if you have applied a tile index offset, "
    "this will reduce the over-all number of tiles that can be exported.  If possible, reduce the index offset.  If "
    "this isn't possible, the only other solution is to use fewer unique tiles on your map.";
const std::string kCounts = "Number of unique 16 colour palettes detected: \n\t";

// Cells of tiles first..first+count-1 of page 2 in palette row `row`, or of tile 0 in rows 0..rows-1.
std::vector<MapCell> tiles(int first, int count, int row = 0) {
  std::vector<MapCell> cells;
  for (int t = first; t < first + count; ++t) cells.push_back(cellOf(2, t, row));
  return cells;
}
std::vector<MapCell> rows(int count) {
  std::vector<MapCell> cells;
  for (int row = 0; row < count; ++row) cells.push_back(cellOf(2, 0, row));
  return cells;
}

struct LayerSpec {
  LayerKind kind;
  bool group2;
  std::vector<MapCell> cells;
};

// Page 2 of `pageTiles` distinct tiles (none when 0), page 3 of one tile, and the layers.
struct MapSpec {
  int pageTiles = 31;
  std::vector<LayerSpec> layers;
  bool unoptimized = false;
  bool tilesetsLoaded = true;
};

struct Prepared {
  ExportFixture fx;
  PreparedExport prepared;
  Prepared(const MapSpec& setup, int bankOffset, int tileOffset, bool countOnly) {
    if (setup.pageTiles > 0) {
      Tileset& page = fx.addPage(makePage(2, setup.pageTiles));
      for (int t = 0; t < setup.pageTiles; ++t) {
        setTile(page, t, tilePixels([t](int x, int y) { return y == 0 && x == t / 15 ? t % 15 + 1 : 0; }));
      }
      fx.addPage(makePage(3, 1));
    } else {
      fx.addPage(makePage(1, 1)).isCollisionTileset = true;
    }
    for (const LayerSpec& layer : setup.layers) fx.addLayer(rowLayer(layer.cells, layer.group2, layer.kind));
    fx.project.unoptimizedMode = setup.unoptimized;
    fx.project.tilesetsLoaded = setup.tilesetsLoaded;
    ExportRequest request;
    request.exportDirectory = countOnly ? "" : "/tmp/out/";
    request.bankOffset = bankOffset;
    request.tileOffset = tileOffset;
    request.countOnly = countOnly;
    prepared = prepareExport(fx.project, request);
  }
};

LayerSpec primary(std::vector<MapCell> cells, bool group2 = false) { return {LayerKind::Primary, group2, cells}; }
LayerSpec secondary(std::vector<MapCell> cells, bool group2 = false) { return {LayerKind::Secondary, group2, cells}; }

// Every refusal, when exporting and when counting: one message, nothing prepared.
TEST(Preparation, RefusalsShowTheirMessage) {
  const auto noTiles = shown("No tiles to compare against.", MessageIcon::Information, " - Unique Counts");
  const auto nothing =
      shown("There are no tiles in the project so there is nothing to export.", MessageIcon::Information, " - Export");
  const auto noGroup1 = shown("There must be a tile 1 grouping.", MessageIcon::Warning, " - Export");
  const auto grouped = shown("Unoptimized mode cannot use tile grouping.", MessageIcon::Warning, " - Export");
  // An overflow names the first cells at fault (layer names are empty here).
  auto palettes = [](const std::string& cells) {
    return shown(kPaletteOverflow + "\n\nCells at fault:" + cells, MessageIcon::Warning, " - Palette Overflow");
  };
  const auto tileOverflow =
      shown(kTileOverflow + "\n\nCells at fault:\nlayer , cell (24, 0)", MessageIcon::Warning, " - Tile Overflow");
  const LayerSpec collision{LayerKind::Collision, false, {cellOf(2, 0)}};
  const struct {
    MapSpec setup;
    int bankOffset, tileOffset;
    bool countOnly;
    ScriptedServices::Message message;
  } cases[] = {
      {{0, {primary({cellOf(2, 0)})}}, 0, 0, true, noTiles},
      {{0, {primary({cellOf(2, 0)})}}, 0, 0, false, nothing},
      {{1, {primary({cellOf(2, 0)})}, false, false}, 0, 0, true, noTiles},  // pages not marked loaded
      {{1, {primary({cellOf(2, 0)}, true), collision}}, 0, 0, true, noGroup1},
      {{1, {primary({cellOf(2, 0)}, true)}, true}, 0, 0, false, noGroup1},  // checked before un-optimized mode
      {{1, {primary({cellOf(2, 0)}), secondary({cellOf(2, 0)}, true)}, true}, 0, 0, false, grouped},
      {{1, {primary(rows(2))}}, 15, 0, false, palettes("\nlayer , cell (1, 0)")},
      {{1, {primary(rows(16)), secondary({cellOf(3, 0), cellOf(2, 0, 3), cellOf(3, 0)})}}, 0, 0, false,
       palettes("\nlayer , cell (0, 0)\nlayer , cell (2, 0)")},
      {{25, {primary(tiles(0, 25))}}, 0, 1000, false, tileOverflow},
      {{30, {primary(tiles(0, 30, 3))}}, 16, 1000, false,  // palettes are checked first
       palettes("\nlayer , cell (0, 0)\nlayer , cell (1, 0)\nlayer , cell (2, 0)\nlayer , cell (3, 0)\n"
                "layer , cell (4, 0)\nand 25 more")},
  };
  for (const auto& c : cases) {
    Prepared run(c.setup, c.bankOffset, c.tileOffset, c.countOnly);
    EXPECT_EQ(run.prepared.status, ExportStatus::Refused) << c.message.text;
    EXPECT_EQ(run.fx.services.messages, std::vector{c.message});
  }
}

TEST(Preparation, OffsetsUpToTheLimitsAreAcceptedAndCountsAreReported) {
  Prepared run({31, {{LayerKind::Primary, false, tiles(6, 24)}, {LayerKind::Secondary, true, tiles(0, 30)}}}, 15, 1000,
               false);
  ASSERT_TRUE(run.prepared.ready());
  EXPECT_TRUE(run.fx.services.messages.empty());
  EXPECT_EQ(run.fx.services.busyDepth, 1);  // while the result lives
  const ExportReduction& r = run.prepared.reduction;
  EXPECT_EQ(EncodeScreenEntry(r, cellOf(2, 6), 0, 15, 1000), 1000 | 15 << 12);
  EXPECT_EQ(EncodeScreenEntry(r, cellOf(2, 29), 0, 15, 1000), 1023 | 15 << 12);
  // Group 2 is not limited: its numbers wrap.
  EXPECT_EQ(r.tileCount(1), 30);
  EXPECT_EQ(EncodeScreenEntry(r, cellOf(2, 24), 1, 0, 1000), 0);

  const std::pair<MapSpec, ScriptedServices::Message> counts[] = {
      {{3, {primary(tiles(0, 3, 1))}},
       shown(kCounts + "1\n\nNumber of unique tiles detected: \n\t3", MessageIcon::Information, " - Unique Counts")},
      {{1,
        {{LayerKind::Primary, false, rows(16)}, {LayerKind::Secondary, false, {cellOf(3, 0)}}}},  // no overflow message
       shown(kCounts + "17 (Error!!!)\n\nNumber of unique tiles detected: \n\t2", MessageIcon::Information,
             " - Unique Counts")},
      {{2, {primary(tiles(0, 2))}, true},
       shown("Number of 16 colour palettes: \n\t16\n\nNumber of tiles detected: \n\t2", MessageIcon::Information,
             " - Counts")},
  };
  for (const auto& [setup, message] : counts) {
    Prepared count(setup, 0, 0, true);
    EXPECT_EQ(count.prepared.status, ExportStatus::CountsReported);
    EXPECT_EQ(count.fx.services.messages, std::vector{message});
  }
}

}  // namespace
}  // namespace qarto::test
