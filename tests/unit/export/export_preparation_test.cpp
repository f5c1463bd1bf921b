#include "export/export_preparation.h"

#include <gtest/gtest.h>

#include <functional>

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

// A page of `tiles` distinct asymmetric tiles (pixel (0,0) or (1,0) inked).
void addPageOfTiles(ExportFixture& fx, int id, int tiles) {
  Tileset& page = fx.addPage(makePage(id, tiles));
  for (int t = 0; t < tiles; ++t) {
    setTile(page, t, tilePixels([t](int x, int y) { return y == 0 && x == t / 15 ? t % 15 + 1 : 0; }));
  }
}

// Cells of tiles first..first+count-1 (palette row 0), or of tile 0 in rows 0..rows-1.
std::vector<MapCell> cellsOfTiles(int id, int first, int count, int palette = 0) {
  std::vector<MapCell> cells;
  for (int t = first; t < first + count; ++t) cells.push_back(cellOf(id, t, palette));
  return cells;
}
std::vector<MapCell> cellsOfRows(int id, int rows) {
  std::vector<MapCell> cells;
  for (int row = 0; row < rows; ++row) cells.push_back(cellOf(id, 0, row));
  return cells;
}

PreparedExport run(ExportFixture& fx, int bankOffset = 0, int tileOffset = 0, bool countOnly = false) {
  ExportRequest request;
  request.exportDirectory = countOnly ? "" : "/tmp/out/";
  request.bankOffset = bankOffset;
  request.tileOffset = tileOffset;
  request.countOnly = countOnly;
  return prepareExport(fx.project, request);
}

// Every refusal, in export and in counting: the one message, nothing prepared.
TEST(Preparation, RefusalsShowTheirMessage) {
  struct Case {
    const char* what;
    std::function<void(ExportFixture&)> build;
    int bankOffset, tileOffset;
    bool countOnly;
    ScriptedServices::Message message;
  };
  const auto onePage = [](ExportFixture& fx) { fx.addPage(makePage(2, 1)); };
  const Case cases[] = {
      {"only the collision page", [](ExportFixture& fx) {
         auto collision = makePage(1, 1);
         collision->isCollisionTileset = true;
         fx.addPage(std::move(collision));
         fx.addLayer(rowLayer({cellOf(1, 0)}));
       }, 0, 0, true, shown("No tiles to compare against.", MessageIcon::Information, " - Unique Counts")},
      {"only the collision page", [](ExportFixture& fx) {
         auto collision = makePage(1, 1);
         collision->isCollisionTileset = true;
         fx.addPage(std::move(collision));
       }, 0, 0, false, shown("There are no tiles in the project so there is nothing to export.", MessageIcon::Information, " - Export")},
      {"pages not marked loaded", [&](ExportFixture& fx) {
         onePage(fx);
         fx.addLayer(rowLayer({cellOf(2, 0)}));
         fx.project.tilesetsLoaded = false;
       }, 0, 0, true, shown("No tiles to compare against.", MessageIcon::Information, " - Unique Counts")},
      {"group 2 without group 1", [&](ExportFixture& fx) {
         onePage(fx);
         fx.addLayer(rowLayer({cellOf(2, 0)}, true));
         fx.addLayer(rowLayer({cellOf(2, 0)}, false, LayerKind::Collision));  // not a tile layer
       }, 0, 0, true, shown("There must be a tile 1 grouping.", MessageIcon::Warning, " - Export")},
      {"grouping checked before un-optimized mode", [&](ExportFixture& fx) {
         onePage(fx);
         fx.addLayer(rowLayer({cellOf(2, 0)}, true));
         fx.project.unoptimizedMode = true;
       }, 0, 0, false, shown("There must be a tile 1 grouping.", MessageIcon::Warning, " - Export")},
      {"un-optimized with groups", [&](ExportFixture& fx) {
         onePage(fx);
         fx.addLayer(rowLayer({cellOf(2, 0)}));
         fx.addLayer(rowLayer({cellOf(2, 0)}, true, LayerKind::Secondary));
         fx.project.unoptimizedMode = true;
       }, 0, 0, false, shown("Unoptimized mode cannot use tile grouping.", MessageIcon::Warning, " - Export")},
      {"2 palettes at bank 15", [&](ExportFixture& fx) {
         onePage(fx);
         fx.addLayer(rowLayer(cellsOfRows(2, 2)));
       }, 15, 0, false, shown(kPaletteOverflow, MessageIcon::Warning, " - Palette Overflow")},
      {"17 palettes", [](ExportFixture& fx) {
         fx.addPage(makePage(2, 1));
         fx.addPage(makePage(3, 1));
         fx.addLayer(rowLayer(cellsOfRows(2, 16)));
         fx.addLayer(rowLayer({cellOf(3, 0, 0)}, false, LayerKind::Secondary));
       }, 0, 0, false, shown(kPaletteOverflow, MessageIcon::Warning, " - Palette Overflow")},
      {"25 tiles from 1000", [](ExportFixture& fx) {
         addPageOfTiles(fx, 2, 25);
         fx.addLayer(rowLayer(cellsOfTiles(2, 0, 25)));
       }, 0, 1000, false, shown(kTileOverflow, MessageIcon::Warning, " - Tile Overflow")},
      {"palettes checked before tiles", [](ExportFixture& fx) {
         addPageOfTiles(fx, 2, 30);
         fx.addLayer(rowLayer(cellsOfTiles(2, 0, 30, 3)));
       }, 16, 1000, false, shown(kPaletteOverflow, MessageIcon::Warning, " - Palette Overflow")},
  };
  for (const Case& c : cases) {
    ExportFixture fx;
    c.build(fx);
    EXPECT_EQ(run(fx, c.bankOffset, c.tileOffset, c.countOnly).status, ExportStatus::Refused) << c.what;
    EXPECT_EQ(fx.services.messages, std::vector{c.message}) << c.what;
    EXPECT_EQ(fx.services.busyDepth, 0) << c.what;
  }
}

TEST(Preparation, OffsetsUpToTheLimitsAreAccepted) {
  ExportFixture fx;
  addPageOfTiles(fx, 2, 31);
  fx.addLayer(rowLayer(cellsOfTiles(2, 6, 24)));
  fx.addLayer(rowLayer(cellsOfTiles(2, 0, 30), true, LayerKind::Secondary));
  const PreparedExport accepted = run(fx, 15, 1000);
  ASSERT_TRUE(accepted.ready());
  EXPECT_TRUE(fx.services.messages.empty());
  const ExportReduction& r = accepted.reduction;
  EXPECT_EQ(EncodeScreenEntry(r, cellOf(2, 6), 0, 15, 1000), 1000 | 15 << 12);
  EXPECT_EQ(EncodeScreenEntry(r, cellOf(2, 29), 0, 15, 1000), 1023 | 15 << 12);
  // Group 2 is not limited: its numbers wrap.
  EXPECT_EQ(r.tileCount(1), 30);
  EXPECT_EQ(EncodeScreenEntry(r, cellOf(2, 23), 1, 0, 1000), 1023);
  EXPECT_EQ(EncodeScreenEntry(r, cellOf(2, 24), 1, 0, 1000), 0);
}

TEST(Preparation, BusyPointerStaysUpWhileTheResultLivesAndErrorsCountPerRun) {
  ExportFixture fx;
  fx.addPage(makePage(2, 1));
  fx.addLayer(rowLayer({cellOf(2, 0), cellOf(7, 0), cellOf(7, 0)}));
  for (int i = 0; i < 2; ++i) {
    const PreparedExport prepared = run(fx);
    EXPECT_EQ(fx.services.busyDepth, 1);
    EXPECT_EQ(std::pair(prepared.reduction.paletteErrors, prepared.reduction.tileErrors), std::pair(2, 2));
  }
  EXPECT_EQ(fx.services.busyDepth, 0);
  EXPECT_EQ(fx.services.busyCalls, 4);
}

TEST(Preparation, CountReports) {
  const std::string counts = "Number of unique 16 colour palettes detected: \n\t";
  struct Case {
    std::function<void(ExportFixture&)> build;
    ScriptedServices::Message message;
  };
  const Case cases[] = {
      {[](ExportFixture& fx) {
         addPageOfTiles(fx, 2, 3);
         fx.addLayer(rowLayer(cellsOfTiles(2, 0, 3, 1)));
       }, shown(counts + "1\n\nNumber of unique tiles detected: \n\t3", MessageIcon::Information, " - Unique Counts")},
      {[](ExportFixture& fx) {  // 17 palettes: flagged, without the overflow message
         fx.addPage(makePage(2, 1));
         fx.addPage(makePage(3, 1));
         fx.addLayer(rowLayer(cellsOfRows(2, 16)));
         fx.addLayer(rowLayer({cellOf(3, 0, 0)}, false, LayerKind::Secondary));
       }, shown(counts + "17 (Error!!!)\n\nNumber of unique tiles detected: \n\t1", MessageIcon::Information, " - Unique Counts")},
      {[](ExportFixture& fx) {
         addPageOfTiles(fx, 2, 2);
         fx.addLayer(rowLayer(cellsOfTiles(2, 0, 2)));
         fx.project.unoptimizedMode = true;
       }, shown("Number of 16 colour palettes: \n\t16\n\nNumber of tiles detected: \n\t2", MessageIcon::Information, " - Counts")},
  };
  for (const Case& c : cases) {
    ExportFixture fx;
    c.build(fx);
    EXPECT_EQ(run(fx, 0, 0, true).status, ExportStatus::CountsReported);
    EXPECT_EQ(fx.services.messages, std::vector{c.message});
  }
}

TEST(CountReport, TextsAtTheLimits) {
  struct Case {
    int palettes, group1, group2;
    bool unoptimized, grouped;
    const char* text;
  };
  const Case cases[] = {
      {16, 1024, 0, false, false,
       "Number of unique 16 colour palettes detected: \n\t16\n\nNumber of unique tiles detected: \n\t1024"},
      {0, 1025, 0, true, false, "Number of 16 colour palettes: \n\t0\n\nNumber of tiles detected: \n\t1025 (Error!!!)"},
      {2, 1, 768, false, true,
       "Number of unique 16 colour palettes detected: \n\t2\n\nNumber of unique tiles detected in Group1: \n\t1"
       "\n\nNumber of unique tiles detected in Group2: \n\t768"},
      {2, 1025, 769, false, true,
       "Number of unique 16 colour palettes detected: \n\t2\n\nNumber of unique tiles detected in Group1: \n\t1025 "
       "(Error!!!)\n\nNumber of unique tiles detected in Group2: \n\t769 (Error!!!)"},
  };
  for (const Case& c : cases) {
    ExportReduction r;
    r.palettes.resize(static_cast<std::size_t>(c.palettes));
    r.tiles[0].resize(static_cast<std::size_t>(c.group1));
    r.tiles[1].resize(static_cast<std::size_t>(c.group2));
    r.usesGroup2 = c.grouped;
    EXPECT_EQ(countReportText(r, c.unoptimized), c.text);
  }
}

}  // namespace
}  // namespace qarto::test
