#include <gtest/gtest.h>

#include "edit/layers/layer_resizing.h"
#include "layers_fixture.h"
#include "model/allocation.h"

namespace qarto::test {
namespace {

// Cell (x, y) of a layer filled by fillDistinct.
MapCell original(int width, int x, int y) { return distinctCell(x + y * width); }

// Where the old cells land for each anchor, written out by hand: the column
// and row offsets a 10 -> 7 shrink skips (and a 7 -> 10 grow leaves empty).
// Near edge 0; far edge the whole difference, 3; centre (3 + 1) / 2 = 2.
struct AnchorOffsets {
  int anchor;
  int x;
  int y;
};
constexpr AnchorOffsets kOffsets[] = {
    {0, 0, 0}, {1, 2, 0}, {2, 3, 0}, {3, 0, 2}, {4, 2, 2}, {5, 3, 2}, {6, 0, 3}, {7, 2, 3}, {8, 3, 3},
};

TEST(LayerResizing, ShrinkingTenToSevenKeepsTheCellsTheAnchorPointsAt) {
  for (const AnchorOffsets& o : kOffsets) {
    LayersFixture f;
    MapLayer& level = f.layer("Level", 10, 10, LayerKind::Primary);
    fillDistinct(level);
    ASSERT_TRUE(resizeLayers(f.session, {{&level, 7, 7}}, {o.anchor, false, false}));
    ASSERT_EQ(level.width, 7);
    ASSERT_EQ(level.height, 7);
    ASSERT_EQ(level.cells.size(), 49u);
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 7; ++x) {
        EXPECT_EQ(level.cell(x, y), original(10, x + o.x, y + o.y)) << "anchor " << o.anchor << " at " << x << "," << y;
      }
    }
  }
}

TEST(LayerResizing, GrowingSevenToTenPlacesTheOldCellsWhereTheAnchorSays) {
  for (const AnchorOffsets& o : kOffsets) {
    LayersFixture f;
    MapLayer& level = f.layer("Level", 7, 7, LayerKind::Primary);
    fillDistinct(level);
    ASSERT_TRUE(resizeLayers(f.session, {{&level, 10, 10}}, {o.anchor, false, false}));
    ASSERT_EQ(level.cells.size(), 100u);
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) {
        const bool old = x >= o.x && x < o.x + 7 && y >= o.y && y < o.y + 7;
        const MapCell expected = old ? original(7, x - o.x, y - o.y) : MapCell{};
        EXPECT_EQ(level.cell(x, y), expected) << "anchor " << o.anchor << " at " << x << "," << y;
      }
    }
  }
}

TEST(LayerResizing, TheCentreAnchorDropsTwoColumnsLeftAndOneRightAndAddsThemBack) {
  LayersFixture f;
  MapLayer& row = f.layer("Row", 10, 1, LayerKind::Primary);
  setTiles(row, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  resizeLayers(f.session, {{&row, 7, 1}}, {4, false, false});
  EXPECT_EQ(tilesOf(row), (std::vector<int>{2, 3, 4, 5, 6, 7, 8}));
  setTiles(row, 0, {1, 2, 3, 4, 5, 6, 7});
  resizeLayers(f.session, {{&row, 10, 1}}, {4, false, false});
  EXPECT_EQ(tilesOf(row), (std::vector<int>{0, 0, 1, 2, 3, 4, 5, 6, 7, 0}));
}

TEST(LayerResizing, StretchingTakesSourceColumnJTimesOldOverNew) {
  struct Case {
    int from;
    int to;
    std::vector<int> tiles;
  };
  const Case cases[] = {
      {10, 7, {0, 1, 2, 4, 5, 7, 8}},
      {7, 10, {0, 0, 1, 2, 2, 3, 4, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    for (const bool horizontal : {true, false}) {
      LayersFixture f;
      MapLayer& line = f.layer("Line", horizontal ? c.from : 1, horizontal ? 1 : c.from, LayerKind::Primary);
      std::vector<int> numbers;
      for (int i = 0; i < c.from; ++i) numbers.push_back(i);
      setTiles(line, 0, numbers);
      // The anchor says top-left; stretching overrules it on its axis.
      const ResizeLayout layout{0, horizontal, !horizontal};
      resizeLayers(f.session, {{&line, horizontal ? c.to : 1, horizontal ? 1 : c.to}}, layout);
      EXPECT_EQ(tilesOf(line), c.tiles) << c.from << " to " << c.to << (horizontal ? " across" : " down");
    }
  }
}

TEST(LayerResizing, AFailedAllocationLeavesEveryLayerAsItWas) {
  LayersFixture f;
  MapLayer& top = f.layer("Top", 50, 50, LayerKind::Primary);
  MapLayer& bottom = f.layer("Bottom", 10, 10, LayerKind::Secondary);
  fillDistinct(top);
  fillDistinct(bottom);
  const std::vector<MapCell> topBefore = top.cells;
  const std::vector<MapCell> bottomBefore = bottom.cells;
  {
    // Bottom (first in the list) fits, Top does not.
    ScopedAllocationLimit limit(60 * 60 * sizeof(MapCell) - 1);
    EXPECT_FALSE(resizeLayers(f.session, {{&bottom, 20, 20}, {&top, 60, 60}}, {}));
  }
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastText(), "Error....tile array allocation failed.  Try closing other applications. ");
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");
  EXPECT_EQ(bottom.width, 10);
  EXPECT_EQ(bottom.cells, bottomBefore);
  EXPECT_EQ(top.width, 50);
  EXPECT_EQ(top.cells, topBefore);
  EXPECT_FALSE(f.project().modified);
}

TEST(LayerResizing, ResizedLayersLoseTheirUndoEntriesAndMarkTheProjectModified) {
  LayersFixture f;
  MapLayer& level = f.layer("Level", 10, 10, LayerKind::Primary);
  MapLayer& back = f.layer("Back", 10, 10, LayerKind::Secondary);
  for (MapLayer* edited : {&level, &back}) {
    f.journal().beginCellEdit(edited);
    f.journal().recordCell(9, 9, edited->cell(9, 9));
    f.journal().commitCellEdit();
  }
  ASSERT_EQ(f.journal().size(), 2u);
  resizeLayers(f.session, {{&level, 5, 5}}, {});
  EXPECT_EQ(f.journal().size(), 1u) << "only the untouched layer keeps its entry";
  EXPECT_EQ(f.journal().newest()->layer, &back);
  EXPECT_TRUE(f.project().modified);
  EXPECT_EQ(f.bar.calls.front(), "refresh");
}

TEST(LayerResizing, UnoptimizedModeFillsNewTileCellsWithTheFirstBlankTile) {
  LayersFixture f;
  f.project().unoptimizedMode = true;
  Tileset& tiles = f.numberedPage({3, 5});
  MapLayer& level = f.layer("Level", 2, 1, LayerKind::Primary);
  MapLayer& walls = f.layer("Walls", 2, 1, LayerKind::Collision);
  setTiles(level, tiles.id, {7, 8});
  setTiles(walls, 1, {4, 4});
  resizeLayers(f.session, {{&level, 3, 1}, {&walls, 3, 1}}, {0, false, false});
  EXPECT_EQ(tilesOf(level), (std::vector<int>{7, 8, 3}));
  EXPECT_EQ(level.cells[2].tileset, tiles.id);
  EXPECT_EQ(walls.cells[2], MapCell{}) << "collision cells never show a normal page";
}

TEST(LayerResizing, UnoptimizedModeWithoutANormalPageResizesNothing) {
  LayersFixture f;
  f.project().unoptimizedMode = true;
  MapLayer& level = f.layer("Level", 2, 1, LayerKind::Primary);
  EXPECT_FALSE(resizeLayers(f.session, {{&level, 3, 1}}, {}));
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastText(), "Supposedly a tileset is loaded, but couldn't find one. Layer resize aborted.");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Stop);
  EXPECT_EQ(level.width, 2);
}

}  // namespace
}  // namespace qarto::test
