#include "export/export_preparation.h"

#include <gtest/gtest.h>

#include "model/app_title.h"
#include "reduction_fixture.h"

namespace qarto::test {
namespace {

class Preparation : public ::testing::Test {
 protected:
  // A page of `tiles` distinct asymmetric tiles (pixel (0,0) or (1,0) inked).
  Tileset& pageWithTiles(int id, int tiles) {
    Tileset& page = fx.addPage(makePage(id, tiles));
    for (int t = 0; t < tiles; ++t) {
      setTile(page, t, tilePixels([t](int x, int y) { return y == 0 && x == t / 15 ? t % 15 + 1 : 0; }));
    }
    return page;
  }
  std::vector<MapCell> cellsOfTiles(int id, int first, int count, int palette = 0) {
    std::vector<MapCell> cells;
    for (int t = first; t < first + count; ++t) cells.push_back(cellOf(id, t, palette));
    return cells;
  }
  std::vector<MapCell> cellsOfPalettes(int id, int rows) {
    std::vector<MapCell> cells;
    for (int row = 0; row < rows; ++row) cells.push_back(cellOf(id, 0, row));
    return cells;
  }
  PreparedExport run(int bankOffset = 0, int tileOffset = 0, bool countOnly = false) {
    ExportRequest request;
    request.exportDirectory = countOnly ? "" : "/tmp/out/";
    request.bankOffset = bankOffset;
    request.tileOffset = tileOffset;
    request.countOnly = countOnly;
    return prepareExport(fx.project, request);
  }
  void expectMessage(const std::string& text, const std::string& suffix, MessageIcon icon) {
    ASSERT_EQ(fx.services.messages.size(), 1u);
    EXPECT_EQ(fx.services.lastMessage().text, text);
    EXPECT_EQ(fx.services.lastMessage().caption, caption(suffix));
    EXPECT_EQ(fx.services.lastMessage().icon, icon);
  }

  ExportFixture fx;
};

TEST_F(Preparation, NoUsablePageIsRefusedInEachMode) {
  auto collision = makePage(1, 1);
  collision->isCollisionTileset = true;
  fx.addPage(std::move(collision));
  fx.addLayer(rowLayer({cellOf(1, 0)}));
  EXPECT_EQ(run(0, 0, true).status, ExportStatus::Refused);
  expectMessage("No tiles to compare against.", " - Unique Counts", MessageIcon::Information);
  fx.services.messages.clear();
  EXPECT_EQ(run().status, ExportStatus::Refused);
  expectMessage("There are no tiles in the project so there is nothing to export.", " - Export",
                MessageIcon::Information);
  EXPECT_EQ(fx.services.busyCalls, 0);
}

TEST_F(Preparation, PagesNotMarkedLoadedAreRefused) {
  fx.addPage(makePage(2, 1));
  fx.addLayer(rowLayer({cellOf(2, 0)}));
  fx.project.tilesetsLoaded = false;
  EXPECT_EQ(run(0, 0, true).status, ExportStatus::Refused);
  expectMessage("No tiles to compare against.", " - Unique Counts", MessageIcon::Information);
}

TEST_F(Preparation, Group2WithoutGroup1IsRefusedAlsoWhenCounting) {
  fx.addPage(makePage(2, 1));
  fx.addLayer(rowLayer({cellOf(2, 0)}, true));
  fx.addLayer(rowLayer({cellOf(2, 0)}, false, LayerKind::Collision));  // not a tile layer
  EXPECT_EQ(run(0, 0, true).status, ExportStatus::Refused);
  expectMessage("There must be a tile 1 grouping.", " - Export", MessageIcon::Warning);
}

TEST_F(Preparation, GroupingCheckComesBeforeUnoptimizedCheck) {
  fx.addPage(makePage(2, 1));
  fx.addLayer(rowLayer({cellOf(2, 0)}, true));
  fx.project.unoptimizedMode = true;
  run();
  expectMessage("There must be a tile 1 grouping.", " - Export", MessageIcon::Warning);
}

TEST_F(Preparation, UnoptimizedModeCannotGroup) {
  fx.addPage(makePage(2, 1));
  fx.addLayer(rowLayer({cellOf(2, 0)}));
  fx.addLayer(rowLayer({cellOf(2, 0)}, true, LayerKind::Secondary));
  fx.project.unoptimizedMode = true;
  EXPECT_EQ(run().status, ExportStatus::Refused);
  expectMessage("Unoptimized mode cannot use tile grouping.", " - Export", MessageIcon::Warning);
}

TEST_F(Preparation, BankOffsetLimit) {
  fx.addPage(makePage(2, 1));
  fx.addLayer(rowLayer(cellsOfPalettes(2, 2)));
  PreparedExport refused = run(15);
  EXPECT_EQ(refused.status, ExportStatus::Refused);
  expectMessage(kPaletteOverflowMessage, " - Palette Overflow", MessageIcon::Warning);

  fx.services.messages.clear();
  fx.project.takeLayer(fx.project.layerAt(0));
  fx.addLayer(rowLayer(cellsOfPalettes(2, 1)));
  PreparedExport accepted = run(15);
  ASSERT_TRUE(accepted.ready());
  EXPECT_TRUE(fx.services.messages.empty());
  EXPECT_EQ(EncodeScreenEntry(accepted.reduction, cellOf(2, 0, 0), 0, 15, 0), 15 << 12);
}

TEST_F(Preparation, SeventeenPalettesOverflowWithoutOffset) {
  fx.addPage(makePage(2, 1));
  fx.addPage(makePage(3, 1));
  fx.addLayer(rowLayer(cellsOfPalettes(2, 16)));
  fx.addLayer(rowLayer({cellOf(3, 0, 0)}, false, LayerKind::Secondary));
  EXPECT_EQ(run().status, ExportStatus::Refused);
  expectMessage(kPaletteOverflowMessage, " - Palette Overflow", MessageIcon::Warning);
}

TEST_F(Preparation, TileOffsetLimit) {
  pageWithTiles(2, 25);
  fx.addLayer(rowLayer(cellsOfTiles(2, 0, 25)));
  EXPECT_EQ(run(0, 1000).status, ExportStatus::Refused);
  expectMessage(kTileOverflowMessage, " - Tile Overflow", MessageIcon::Warning);

  fx.services.messages.clear();
  fx.project.takeLayer(fx.project.layerAt(0));
  fx.addLayer(rowLayer(cellsOfTiles(2, 0, 24)));
  PreparedExport accepted = run(0, 1000);
  ASSERT_TRUE(accepted.ready());
  EXPECT_EQ(EncodeScreenEntry(accepted.reduction, cellOf(2, 0), 0, 0, 1000), 1000);
  EXPECT_EQ(EncodeScreenEntry(accepted.reduction, cellOf(2, 23), 0, 0, 1000), 1023);
}

TEST_F(Preparation, PaletteLimitIsTestedBeforeTileLimit) {
  pageWithTiles(2, 30);
  fx.addLayer(rowLayer(cellsOfTiles(2, 0, 30, 3)));
  run(16, 1000);
  expectMessage(kPaletteOverflowMessage, " - Palette Overflow", MessageIcon::Warning);
}

TEST_F(Preparation, Group2TilesAreNotLimitedAndWrap) {
  pageWithTiles(2, 31);
  fx.addLayer(rowLayer({cellOf(2, 30)}));
  fx.addLayer(rowLayer(cellsOfTiles(2, 0, 30), true, LayerKind::Secondary));
  PreparedExport accepted = run(0, 1000);
  ASSERT_TRUE(accepted.ready());
  EXPECT_EQ(accepted.reduction.tileCount(1), 30);
  EXPECT_EQ(EncodeScreenEntry(accepted.reduction, cellOf(2, 23), 1, 0, 1000), 1023);
  EXPECT_EQ(EncodeScreenEntry(accepted.reduction, cellOf(2, 24), 1, 0, 1000), 0);
  EXPECT_EQ(EncodeScreenEntry(accepted.reduction, cellOf(2, 29), 1, 0, 1000), 5);
}

TEST_F(Preparation, BusyPointerStaysUpWhileTheResultLives) {
  fx.addPage(makePage(2, 1));
  fx.addLayer(rowLayer({cellOf(2, 0)}));
  {
    PreparedExport prepared = run();
    EXPECT_EQ(fx.services.busyDepth, 1);
  }
  EXPECT_EQ(fx.services.busyDepth, 0);
  run(16);  // refused at the limits: up and down again
  EXPECT_EQ(fx.services.busyDepth, 0);
  EXPECT_EQ(fx.services.busyCalls, 4);
}

TEST_F(Preparation, ErrorCountersStartAtZeroEachRun) {
  fx.addPage(makePage(2, 1));
  fx.addLayer(rowLayer({cellOf(2, 0), cellOf(7, 0), cellOf(7, 0)}));
  for (int i = 0; i < 2; ++i) {
    PreparedExport prepared = run();
    EXPECT_EQ(prepared.reduction.paletteErrors, 2);
    EXPECT_EQ(prepared.reduction.tileErrors, 2);
  }
}

TEST_F(Preparation, CountReportOptimized) {
  pageWithTiles(2, 3);
  fx.addLayer(rowLayer(cellsOfTiles(2, 0, 3, 1)));
  EXPECT_EQ(run(0, 0, true).status, ExportStatus::CountsReported);
  expectMessage("Number of unique 16 colour palettes detected: \n\t1\n\nNumber of unique tiles detected: \n\t3",
                " - Unique Counts", MessageIcon::Information);
}

TEST_F(Preparation, CountReportFlagsSeventeenPalettesWithoutOverflowMessage) {
  fx.addPage(makePage(2, 1));
  fx.addPage(makePage(3, 1));
  fx.addLayer(rowLayer(cellsOfPalettes(2, 16)));
  fx.addLayer(rowLayer({cellOf(3, 0, 0)}, false, LayerKind::Secondary));
  EXPECT_EQ(run(0, 0, true).status, ExportStatus::CountsReported);
  expectMessage(
      "Number of unique 16 colour palettes detected: \n\t17 (Error!!!)\n\nNumber of unique tiles detected: \n\t1",
      " - Unique Counts", MessageIcon::Information);
}

TEST_F(Preparation, CountReportUnoptimized) {
  pageWithTiles(2, 2);
  fx.addLayer(rowLayer(cellsOfTiles(2, 0, 2)));
  fx.project.unoptimizedMode = true;
  run(0, 0, true);
  expectMessage("Number of 16 colour palettes: \n\t16\n\nNumber of tiles detected: \n\t2", " - Counts",
                MessageIcon::Information);
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
