#include <gtest/gtest.h>

#include "edit/brush/brush.h"
#include "edit/tile_view/tile_view_layout.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

struct TileViewFixture : EngineFixture {
  Tileset* tiles = nullptr;

  TileViewFixture() {
    layer("Level", 30, 20, LayerKind::Primary);
    tiles = &page(128, 64, [](int x, int y) { return static_cast<std::uint8_t>(16 + x / 8 + y); });
    project().currentTilesetId = tiles->id;
    key(Key::Space, " ");
  }
  const Brush& brush() { return *state().brushes.forTileset(tiles->id); }
  std::vector<std::pair<int, int>> positions() {
    std::vector<std::pair<int, int>> out;
    for (const BrushPlacement& p : brush().placements()) out.emplace_back(p.x, p.y);
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST(TileView, TabsTakeTheirWidthFromTheMeasuredLabels) {
  TileViewFixture f;
  // The headless host measures 8 pixels a character: "collisionTiles" 112, "page" 32.
  const std::vector<TabLayout> tabs = layoutTabs(f.project().registry());
  ASSERT_EQ(tabs.size(), 2u);
  EXPECT_EQ(tabs[1].left, 112 + 14);
  EXPECT_TRUE(tabs[1].hit({127, 16}));
  EXPECT_FALSE(tabs[1].hit({126, 16})) << "the left edge is outside";
  EXPECT_FALSE(tabs[1].hit({126 + 32 + 11, 16}));
  EXPECT_FALSE(tabs[1].hit({130, 32}));

  f.click({20, 10});
  EXPECT_EQ(f.project().currentTilesetId, 1) << "a tab click shows its page";
  f.engine->mouseMove({140, 10}, {}, {});
  EXPECT_TRUE(f.state().tileView.overTab);
  EXPECT_EQ(f.state().tileView.tabTilesetId, f.tiles->id);
  EXPECT_EQ(f.state().tileView.contentWidth, 126 + 46) << "the tab strip is wider than the page";
}

TEST(TileView, TheTileUnderTheMouseAndHover) {
  TileViewFixture f;
  f.run(cmd::kZoom2);
  f.engine->mouseMove({40, 50}, {}, {});
  ASSERT_TRUE(f.state().tileView.hoverTile);
  EXPECT_EQ(*f.state().tileView.hoverTile, (CellPoint{2, 1}));
  f.engine->mouseMove({300, 50}, {}, {});  // past the page's right edge
  EXPECT_FALSE(f.state().tileView.overPage);
  EXPECT_FALSE(f.state().tileView.hoverTile);
  EXPECT_EQ(tileUnderPoint(*f.tiles, 2.0f, {300, 50}), (CellPoint{15, 1})) << "clamped to the page";
}

TEST(TileView, ClicksReplaceShiftAddsCtrlRemovesAndDragsPaintASelection) {
  TileViewFixture f;
  f.click(EngineFixture::tileAt(1, 1));
  f.click(EngineFixture::tileAt(2, 1), kShift);
  f.click(EngineFixture::tileAt(3, 1), kShift);
  EXPECT_EQ(f.brush().count(), 3);
  f.click(EngineFixture::tileAt(5, 5));
  EXPECT_EQ(f.positions(), (std::vector<std::pair<int, int>>{{5, 5}}));
  f.click(EngineFixture::tileAt(6, 5), kShift);
  f.click(EngineFixture::tileAt(5, 5), kCtrl);
  EXPECT_EQ(f.positions(), (std::vector<std::pair<int, int>>{{6, 5}}));
  EXPECT_EQ(f.brush().placement(0).tile, 5 * 16 + 6);

  f.drag({EngineFixture::tileAt(0, 0), EngineFixture::tileAt(1, 0), EngineFixture::tileAt(1, 1)});
  EXPECT_EQ(f.positions(), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {1, 1}}));
  f.drag({EngineFixture::tileAt(1, 0), EngineFixture::tileAt(1, 1)}, kCtrl);
  EXPECT_EQ(f.positions(), (std::vector<std::pair<int, int>>{{0, 0}}));
}

TEST(TileView, MiddleRectanglesInEveryDirection) {
  const std::pair<CellPoint, CellPoint> drags[] = {
      {{4, 2}, {1, 0}}, {{1, 0}, {4, 2}}, {{1, 2}, {4, 0}}, {{4, 0}, {1, 2}}};
  for (const auto& [from, to] : drags) {
    TileViewFixture f;
    f.drag({EngineFixture::tileAt(from.x, from.y), EngineFixture::tileAt(to.x, to.y)}, {}, MouseButton::Middle);
    std::vector<std::pair<int, int>> expected;
    for (int x = 1; x <= 4; ++x) {
      for (int y = 0; y <= 2; ++y) expected.emplace_back(x, y);
    }
    EXPECT_EQ(f.positions(), expected) << from.x << "," << from.y << " to " << to.x << "," << to.y;
    EXPECT_EQ(f.brush().origin(), (CellPoint{2, 1}));

    // Ctrl takes them out again; tiles not in the brush change nothing.
    f.drag({EngineFixture::tileAt(10, 5), EngineFixture::tileAt(12, 7)}, kCtrl, MouseButton::Middle);
    EXPECT_EQ(f.brush().count(), 12);
    f.drag({EngineFixture::tileAt(to.x, to.y), EngineFixture::tileAt(from.x, from.y)}, kCtrl, MouseButton::Middle);
    EXPECT_TRUE(f.brush().empty());
  }
  // A rectangle released beyond the right edge ends at the last column.
  TileViewFixture f;
  f.drag({EngineFixture::tileAt(14, 0), {1000, 33 + 4}}, {}, MouseButton::Middle);
  EXPECT_EQ(f.positions(), (std::vector<std::pair<int, int>>{{14, 0}, {15, 0}}));
}

TEST(TileView, BrushesHoldAtMostTenTwentyFourTiles) {
  TileViewFixture f;
  TileViewFixture big;
  Tileset& large = big.page(512, 512, [](int x, int y) { return static_cast<std::uint8_t>(1 + (x + y) % 200); });
  big.project().currentTilesetId = large.id;
  big.drag({EngineFixture::tileAt(0, 0), EngineFixture::tileAt(63, 63)}, {}, MouseButton::Middle);
  const Brush& brush = *big.state().brushes.forTileset(large.id);
  EXPECT_EQ(brush.count(), 1024);
  EXPECT_EQ(brush.placement(1023).y, 15) << "row by row: rows 0 to 15 of 64 tiles";
}

TEST(TileView, SwitchingViewsClearsSelectionsButKeepsEachPagesBrush) {
  TileViewFixture f;
  f.click(EngineFixture::tileAt(3, 3));
  f.engine->mousePress(MouseButton::Middle, EngineFixture::tileAt(1, 1), kShift);
  EXPECT_TRUE(f.state().tools.rectangleStarted);
  f.key(Key::Tab, "\t");
  EXPECT_FALSE(f.state().tools.rectangleStarted);
  EXPECT_FALSE(f.state().tools.selecting);
  EXPECT_EQ(f.engine->currentBrush()->count(), 1);
  EXPECT_EQ(f.engine->cursor(), CursorKind::Arrow);
  f.key(Key::F3);
  EXPECT_EQ(f.engine->currentBrush(), &f.state().brushes.stamp()) << "the stamp brush in the map view";
  EXPECT_EQ(f.engine->cursor(), CursorKind::Stamp);
}

}  // namespace
}  // namespace qarto::test
