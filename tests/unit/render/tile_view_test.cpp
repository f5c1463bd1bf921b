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
  }
};

TEST_F(TileViewTest, TabsSelectionRectangleAndHover) {
  Tileset* forest = addFlatPage("Forest", 64, 32);
  Tileset* cave = addFlatPage("cave", 64, 32);
  ASSERT_NE(forest, nullptr);
  ASSERT_NE(cave, nullptr);
  cave->hasCollisionSet = true;  // its tab reads "cave*"
  project().currentTilesetId = forest->id;
  view().tileZoom = 4.0f;
  project().showTileGrid = true;  // a line on every tile edge, the page's outer ones too
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
