#include <gtest/gtest.h>

#include "edit/brush/brush.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "render_fixture.h"

namespace qarto::test {
namespace {

class TileViewTest : public RenderFixture {
 protected:
  TileViewTest() : RenderFixture(300, 180) {}

  void SetUp() override {
    RenderFixture::SetUp();
    view().tileViewShown = true;
    view().tileZoom = 1.0f;
  }
  static bool black(const Frame& f, int x, int y) {
    return f.pixel(x, y)[0] == 0 && f.pixel(x, y)[1] == 0 && f.pixel(x, y)[2] == 0;
  }
};

TEST_F(TileViewTest, WithoutPagesOnlyThePanelIsDrawn) {
  const Frame frame = draw();
  EXPECT_FALSE(black(frame, 150, 16));
  for (int y = 33; y < 180; y += 7) {
    for (int x = 0; x < 300; x += 7) ASSERT_TRUE(black(frame, x, y)) << x << "," << y;
  }
}

TEST_F(TileViewTest, ThePageIsShownWithoutTheTextureMargin) {
  const Tileset* page = addFlatPage("odd", 24, 40);  // a 32 x 64 texture
  ASSERT_NE(page, nullptr);
  project().currentTilesetId = page->id;
  const Frame frame = draw();
  EXPECT_FALSE(black(frame, 23, 33 + 39));
  EXPECT_FALSE(black(frame, 12, 33 + 20));
  for (int y = 33; y < 33 + 64; ++y) ASSERT_TRUE(black(frame, 24, y)) << y;
  for (int x = 0; x < 32; ++x) ASSERT_TRUE(black(frame, x, 33 + 40)) << x;
}

TEST_F(TileViewTest, GridLinesOfA128By64PageAtZoomTwo) {
  const Tileset* page = addFlatPage("square", 128, 64);
  ASSERT_NE(page, nullptr);
  project().currentTilesetId = page->id;
  project().showTileGrid = true;
  view().tileZoom = 2.0f;
  view().tileGridAlpha = false;
  colors_.tileGrid = ViewColor{255, 0, 255, 255};  // a colour no tile has
  const Frame frame = draw();
  const auto isGrid = [&](int x, int y) { return frame.pixel(x, y)[0] == 255 && frame.pixel(x, y)[1] == 0; };
  int vertical = 0;
  for (int x = 0; x < 300; ++x) vertical += isGrid(x, 33 + 5) ? 1 : 0;
  int horizontal = 0;
  for (int y = 0; y < 180; ++y) horizontal += isGrid(5, y) ? 1 : 0;
  EXPECT_EQ(vertical, 17);
  EXPECT_EQ(horizontal, 9);
}

TEST_F(TileViewTest, TabsSelectionRectangleAndHover) {
  Tileset* forest = addFlatPage("Forest", 64, 32);
  Tileset* cave = addFlatPage("cave", 64, 32);
  ASSERT_NE(forest, nullptr);
  ASSERT_NE(cave, nullptr);
  cave->hasCollisionSet = true;  // its tab reads "cave*"
  project().currentTilesetId = forest->id;
  view().tileZoom = 4.0f;
  Brush& brush = *state().brushes.forTileset(forest->id);
  for (const auto& [c, r] : {std::pair{0, 0}, {1, 0}, {1, 1}, {3, 2}}) brush.addFromPage(*forest, c, r);
  state().tools.rectangleStarted = true;
  state().tools.rectangleStart = {2, 3};
  // The mouse over the page at tile (5, 1), and then over the second tab.
  engine().mouseMove({170, 33 + 40}, ButtonSet{}, Modifiers{});
  ASSERT_TRUE(state().tileView.hoverTile.has_value());
  EXPECT_EQ(*state().tileView.hoverTile, (CellPoint{5, 1}));
  const Frame frame = draw();
  EXPECT_TRUE(matchesGolden("tile_view", frame));
  state().tools.rectangleStarted = false;
  engine().mouseMove({60, 15}, ButtonSet{}, Modifiers{});
  ASSERT_TRUE(state().tileView.overTab);
  EXPECT_TRUE(matchesGolden("tile_view_tab_hover", draw()));
}

}  // namespace
}  // namespace qarto::test
