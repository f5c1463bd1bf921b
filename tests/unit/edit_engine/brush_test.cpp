#include "edit/brush/brush.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "edit/brush/brush_table.h"
#include "edit/brush/detail_shape.h"
#include "edit/tile_view/tile_view_layout.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

TEST(Brush, OriginIsTheTruncatedMeanOfThePositionsAndOnlyTilesACellCanHoldGoIn) {
  EngineFixture f;
  const Tileset& page = f.numberedPage();
  Brush brush;
  EXPECT_TRUE(brush.add(page, -3, 5, 1, false, false));
  EXPECT_TRUE(brush.add(page, 0, 2, 2, true, false));
  EXPECT_FALSE(brush.add(page, 0, 2, 3, false, false)) << "a position holds one placement";
  EXPECT_TRUE(brush.add(page, 2, -4, 9, false, true));
  // -1/3 -> 0, 3/3 -> 1; the palette row comes from the tile's top-left pixel.
  EXPECT_EQ(
      std::tuple(brush.count(), brush.origin(), brush.bounds().minX, brush.bounds().maxY, brush.placement(2).palette),
      std::tuple(3, CellPoint{0, 1}, -3, 5, 9));
  brush.clear();
  Tileset highId = page;
  highId.id = 128;  // cells keep ids up to 127
  EXPECT_FALSE(brush.add(page, 0, 0, -1, false, false) || brush.add(page, 0, 0, 32768, false, false) ||
               brush.add(highId, 0, 0, 0, false, false));
  EXPECT_EQ(std::tuple(brush.empty(), brush.origin()), std::tuple(true, CellPoint{0, 0}));
}

TEST(DetailBrush, ShapesAdmitTheirOffsets) {
  DetailBrush ellipse;  // radii 2: dx^2 + dy^2 below 2
  std::string admitted;
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) admitted += ellipse.admits(dx, dy) ? '+' : '-';
  }
  EXPECT_EQ(admitted, "-------+---+++---+-------");
  const DetailBrush rectangle{DetailShape::Rectangle, 2, 1, 2.0f, 2.0f};
  const DetailBrush slash{DetailShape::DiagonalSlash, 1, 3, 2.0f, 2.0f};  // |dx + dy| <= 1, r^2 < 8
  const DetailBrush backslash{DetailShape::DiagonalBackslash, 1, 3, 2.0f, 2.0f};
  EXPECT_EQ(std::vector<bool>({rectangle.admits(1, 0), rectangle.admits(2, 0), rectangle.admits(0, 1),
                               slash.admits(1, -1), slash.admits(1, 0), slash.admits(1, 1), slash.admits(2, -2),
                               backslash.admits(1, 1), backslash.admits(1, -1)}),
            std::vector<bool>({true, false, false, true, true, false, false, true, false}));  // 8 is not below 8
}

TEST(BrushTable, StepsThroughPagesWithWrapAndSurvivesResets) {
  EngineFixture f;   // collision tileset id 1
  f.numberedPage();  // 2
  f.numberedPage();  // 3
  const TilesetRegistry& registry = f.project().registry();
  EXPECT_EQ(steppedTilesetId(registry, 9, true), 0) << "nothing to step from";
  f.project().currentTilesetId = 3;
  f.key(Key::Other, ".");
  EXPECT_EQ(f.project().currentTilesetId, 1);
  f.key(Key::Other, "<");
  EXPECT_EQ(f.project().currentTilesetId, 3);

  EXPECT_EQ(f.state().brushes.size(), 3u);
  f.state().brushes.stamp().add(*registry.find(2), 0, 0, 1, false, false);
  f.project().resetProject(false);  // only the collision tileset's brush stays
  EXPECT_EQ(std::tuple(f.state().brushes.size(), f.state().brushes.forTileset(1) != nullptr,
                       f.state().brushes.stamp().empty()),
            std::tuple(1u, true, true));
}

// The tile view of a 128 x 64 page (16 x 8 tiles) beside the collision tiles.
struct TileViewFixture : EngineFixture {
  Tileset& tiles = page(128, 64, [](int x, int y) { return static_cast<std::uint8_t>(16 + x / 8 + y); });
  TileViewFixture() {
    layer("Level", 30, 20, LayerKind::Primary);
    project().currentTilesetId = tiles.id;
    key(Key::Space, " ");
  }
  const Brush& brush() { return *state().brushes.forTileset(project().currentTilesetId); }
  std::vector<std::pair<int, int>> positions() {
    std::vector<std::pair<int, int>> out;
    for (const BrushPlacement& p : brush().placements()) out.emplace_back(p.x, p.y);
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST(TileView, TheMouseFindsTabsAndTiles) {
  TileViewFixture f;
  // The headless host measures 8 pixels a character: "collisionTiles" 112, "page" 32.
  const std::vector<TabLayout> tabs = layoutTabs(f.project().registry());
  ASSERT_EQ(tabs.size(), 2u);
  // The left edge is outside, and so are the right edge and the strip's bottom.
  EXPECT_EQ(std::vector<bool>({tabs[1].hit({127, 16}), tabs[1].hit({126, 16}), tabs[1].hit({126 + 32 + 11, 16}),
                               tabs[1].hit({130, 32})}),
            std::vector<bool>({true, false, false, false}));
  f.click({20, 10});
  EXPECT_EQ(f.project().currentTilesetId, 1) << "a tab click shows its page";
  f.project().currentTilesetId = f.tiles.id;
  f.run(cmd::kZoom2);
  f.engine->mouseMove({300, 50}, {}, {});  // past the page's right edge
  EXPECT_FALSE(f.state().tileView.overPage || f.state().tileView.hoverTile);
  EXPECT_EQ(tileUnderPoint(f.tiles, 2.0f, {300, 50}), (CellPoint{15, 1})) << "clamped to the page";
}

TEST(TileView, ClicksReplaceShiftAddsCtrlRemovesDragsPaintASelectionAndViewSwitchesKeepTheBrush) {
  TileViewFixture f;
  f.click(EngineFixture::tileAt(1, 1));
  f.click(EngineFixture::tileAt(2, 1), kShift);
  f.click(EngineFixture::tileAt(3, 1), kShift);
  EXPECT_EQ(f.brush().count(), 3);
  f.click(EngineFixture::tileAt(5, 5));
  f.click(EngineFixture::tileAt(6, 5), kShift);
  f.click(EngineFixture::tileAt(5, 5), kCtrl);
  EXPECT_EQ(std::tuple(f.positions(), f.brush().placement(0).tile),
            std::tuple(std::vector<std::pair<int, int>>{{6, 5}}, 5 * 16 + 6));
  f.drag({EngineFixture::tileAt(0, 0), EngineFixture::tileAt(1, 0), EngineFixture::tileAt(1, 1)});
  EXPECT_EQ(f.positions(), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {1, 1}}));
  f.drag({EngineFixture::tileAt(1, 0), EngineFixture::tileAt(1, 1)}, kCtrl);
  EXPECT_EQ(f.positions(), (std::vector<std::pair<int, int>>{{0, 0}}));
  // Switching views clears the selections but keeps each page's brush.
  f.engine->mousePress(MouseButton::Middle, EngineFixture::tileAt(1, 1), kShift);
  EXPECT_TRUE(f.state().tools.rectangleStarted);
  f.key(Key::Tab, "\t");
  EXPECT_EQ(std::tuple(f.state().tools.rectangleStarted, f.state().tools.selecting, f.engine->currentBrush()->count(),
                       f.engine->cursor()),
            std::tuple(false, false, 1, CursorKind::Arrow));
  f.key(Key::F3);
  EXPECT_EQ(std::tuple(f.engine->currentBrush(), f.engine->cursor()),
            std::tuple(&f.state().brushes.stamp(), CursorKind::Stamp));  // the stamp brush in the map view
}

TEST(TileView, MiddleRectanglesInEveryDirectionUpToTenTwentyFourTiles) {
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
  // A page of 64 x 64 tiles gives its first 1024 tiles, row by row.
  f.project().currentTilesetId = f.page(512, 512, [](int x, int y) { return std::uint8_t(1 + (x + y) % 200); }).id;
  f.drag({EngineFixture::tileAt(0, 0), EngineFixture::tileAt(63, 63)}, {}, MouseButton::Middle);
  EXPECT_EQ(std::tuple(f.brush().count(), f.brush().placement(1023).y), std::tuple(1024, 15));
}

}  // namespace
}  // namespace qarto::test
