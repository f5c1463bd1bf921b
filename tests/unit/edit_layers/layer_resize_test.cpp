#include <gtest/gtest.h>

#include "layers_fixture.h"

namespace qarto::test {
namespace {

// Where the old cells land for each anchor, written out by hand: the column
// and row offsets a 10 -> 7 shrink skips (and a 7 -> 10 grow leaves empty).
// Near edge 0; far edge the whole difference, 3; centre (3 + 1) / 2 = 2.
TEST(LayerResizing, TheAnchorSaysWhichCellsAShrinkKeepsAndWhereAGrowPutsThem) {
  const int offsets[9][2] = {{0, 0}, {2, 0}, {3, 0}, {0, 2}, {2, 2}, {3, 2}, {0, 3}, {2, 3}, {3, 3}};
  for (int anchor = 0; anchor < 9; ++anchor) {
    const auto [ox, oy] = offsets[anchor];
    LayersFixture f;
    MapLayer& shrunk = f.layer("Shrunk", 10, 10, LayerKind::Primary);
    MapLayer& grown = f.layer("Grown", 7, 7, LayerKind::Secondary);
    fillDistinct(shrunk);
    fillDistinct(grown);
    ASSERT_TRUE(resizeLayers(f.session, {{&shrunk, 7, 7}, {&grown, 10, 10}}, {anchor, false, false}));
    ASSERT_EQ(std::tuple(shrunk.cells.size(), grown.cells.size()), std::tuple(49u, 100u));
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) {
        if (x < 7 && y < 7) {
          EXPECT_EQ(shrunk.cell(x, y), distinctCell(x + ox + (y + oy) * 10)) << anchor;
        }
        const bool old = x >= ox && x < ox + 7 && y >= oy && y < oy + 7;
        EXPECT_EQ(grown.cell(x, y), old ? distinctCell(x - ox + (y - oy) * 7) : MapCell{}) << anchor;
      }
    }
  }
}

TEST(LayerResizing, StretchingTakesSourceJTimesOldOverNewWhateverTheAnchor) {
  const std::tuple<int, int, std::vector<int>> cases[] = {{10, 7, {0, 1, 2, 4, 5, 7, 8}},
                                                          {7, 10, {0, 0, 1, 2, 2, 3, 4, 4, 5, 6}}};
  for (const auto& [from, to, tiles] : cases) {
    for (const bool across : {true, false}) {
      LayersFixture f;
      MapLayer& line = f.layer("Line", across ? from : 1, across ? 1 : from, LayerKind::Primary);
      fillDistinct(line);
      resizeLayers(f.session, {{&line, across ? to : 1, across ? 1 : to}}, {0, across, !across});
      EXPECT_EQ(tilesOf(line), tiles) << from << " to " << to << (across ? " across" : " down");
    }
  }
}

// In either mode the new cells of tile layers show the first blank tile of
// the first normal page (tile 1 here), so a grown layer exports whole; the
// resize is one undo step.
TEST(LayerResizing, NewTileCellsShowTheFirstBlankTileAndTheResizeIsOneUndoStep) {
  for (const bool unoptimized : {false, true}) {
    LayersFixture f;
    f.project().unoptimizedMode = unoptimized;
    const int page = registerPage(f.project(), f.host, 16, 8, [](int x, int) { return x < 8 ? 5 : 0; }).id;
    MapLayer& level = f.layer("Level", 2, 1, LayerKind::Primary);
    MapLayer& walls = f.layer("Walls", 2, 1, LayerKind::Collision);
    MapLayer& back = f.layer("Back", 2, 1, LayerKind::Secondary);
    setTiles(walls, 1, {4, 4});
    const auto original = std::get<0>(f.snapshot());
    ASSERT_TRUE(resizeLayers(f.session, {{&level, 3, 1}, {&walls, 3, 1}, {&back, 2, 1}}, {0, false, false}));
    // Collision cells never show a normal page.
    EXPECT_EQ(std::tuple(level.cells[2], walls.cells[2], f.journal().size(), f.project().modified, f.bar.calls),
              std::tuple(MapCell{1, static_cast<std::int8_t>(page), 0, 0, 0, 0}, MapCell{}, 1u, true,
                         std::vector<std::string>{"refresh", "active Back"}))
        << unoptimized;
    ASSERT_TRUE(f.journal().undo(f.project()));
    EXPECT_EQ(std::get<0>(f.snapshot()), original);
  }
}

// The anchors along a stretched axis are disabled, the selection moved off
// them; a secondary layer is resized by its parallax.
TEST(ResizeLayerDialog, StretchingDisablesTheAnchorsAlongItsAxisAndASecondaryLayerTakesAParallax) {
  const struct {
    int selected;
    bool stretchH, stretchV;
    int after;
    const char* enabled;  // anchors 0 to 8
  } cases[] = {{0, false, false, 0, "+++++++++"}, {8, true, false, 7, "-+--+--+-"}, {3, true, false, 4, "-+--+--+-"},
               {0, false, true, 3, "---+++---"},  {7, false, true, 4, "---+++---"}, {6, true, true, 4, "----+----"}};
  LayersFixture f;
  f.layer("Level", 40, 30, LayerKind::Primary);
  ResizeLayerModel model(f.session);
  ASSERT_TRUE(model.begin());
  EXPECT_EQ(std::tuple(model.oldWidthText(), model.newWidth(), model.anchor()), std::tuple("40", 40, 4));
  model.setResizeSecondary(false);
  EXPECT_FALSE(model.parallaxChoiceEnabled());
  for (const auto& c : cases) {
    model.setStretchHorizontally(false);
    model.setStretchVertically(false);
    ASSERT_TRUE(model.selectAnchor(c.selected));
    model.setStretchHorizontally(c.stretchH);
    model.setStretchVertically(c.stretchV);
    EXPECT_EQ(model.anchor(), c.after) << "from " << c.selected << " stretch " << c.stretchH << c.stretchV;
    std::string enabled;
    for (int a = 0; a < 9; ++a) enabled += model.anchorEnabled(a) ? '+' : '-';
    EXPECT_EQ(enabled, c.enabled) << "stretch " << c.stretchH << c.stretchV;
    for (int a = 0; a < 9; ++a) EXPECT_EQ(model.selectAnchor(a), model.anchorEnabled(a));
  }
  f.layer("Back", 50, 25, LayerKind::Secondary, 0.75f);
  ASSERT_TRUE(model.begin());
  EXPECT_EQ(std::tuple(model.editsParallax(), model.oldParallaxText(), model.dimensionsText(), model.newParallax(),
                       model.resizeSecondaryEnabled()),
            std::tuple(true, "0.75", "50 x 25", 0.75, false));
}

// From the bottom: Enemies, Back (35 x 25, parallax 0.5), Walls, Level (40 x 30, primary). A new size
// resizes every layer, the secondary ones to 30 + ceil(parallax x (width - 30)) by 20 + ceil(parallax x
// (height - 20)) unless turned off; a new parallax resizes the active secondary layer alone. Both keep
// the old cells about the centre: `corner` is the old cell (number) that ends up in the top left, if any.
TEST(ResizeLayerDialog, OkResizesEveryLayerToANewSizeOrTheActiveSecondaryLayerToItsNewParallax) {
  const struct {
    bool onLevel;
    int width, height;
    double parallax;
    bool secondary;
    int levelWidth, levelHeight, backWidth, backHeight;
    float backParallax;
    int corner;
  } cases[] = {
      // clang-format off
      {true, 60, 40, 0, true, 60, 40, 45, 30, 0.5f, -1},     {true, 60, 40, 0, false, 60, 40, 35, 25, 0.5f, 0},
      {true, 1024, 1024, 0, true, 1024, 1024, 527, 522, 0.5f, -1},
      {true, 30, 20, 0, true, 30, 20, 30, 20, 0.5f, 3 + 3 * 35},
      {false, 0, 0, 0.0, true, 40, 30, 30, 20, 0.0f, 3 + 3 * 35}, {false, 0, 0, 1.5, true, 40, 30, 45, 35, 1.5f, -1},
      {false, 0, 0, 0.25, true, 40, 30, 33, 23, 0.25f, 1 + 1 * 35},
      // clang-format on
  };
  for (const auto& c : cases) {
    LayersFixture f;
    MapLayer& level = f.layer("Level", 40, 30, LayerKind::Primary);
    MapLayer& walls = f.layer("Walls", 40, 30, LayerKind::Collision);
    MapLayer& back = f.layer("Back", 35, 25, LayerKind::Secondary, 0.5f);
    MapLayer& enemies = f.layer("Enemies", 40, 30, LayerKind::Entity);
    fillDistinct(back);
    f.project().activeLayer = c.onLevel ? &level : &back;
    ResizeLayerModel model(f.session);
    ASSERT_TRUE(model.begin());
    model.setResizeSecondary(c.secondary);
    model.setNewSize(c.width, c.height);
    model.setNewParallax(c.parallax);
    EXPECT_EQ(model.confirm(), ResizeOutcome::Closed);
    EXPECT_EQ(std::tuple(level.width, level.height, walls.width, walls.cells.size(), enemies.width, enemies.height),
              std::tuple(c.levelWidth, c.levelHeight, c.levelWidth, std::size_t(c.levelWidth * c.levelHeight),
                         c.levelWidth, c.levelHeight));
    EXPECT_EQ(std::tuple(back.width, back.height, back.parallaxX, back.parallaxY, back.cell(0, 0)),
              std::tuple(c.backWidth, c.backHeight, c.backParallax, c.backParallax,
                         c.corner < 0 ? MapCell{} : distinctCell(c.corner)));
    EXPECT_EQ(f.services.messages, std::vector<Message>{});
    EXPECT_TRUE(f.project().modified);
  }
}

// Entities move with the cells around them (40 x 30 cells, 320 x 240 pixels,
// made 30 x 20 or stretched to 60 wide); those left outside go to the nearest
// pixel inside, and the user is told how many. One undo step with the cells.
TEST(LayerResizing, EntitiesMoveWithTheMapAndThoseLeftOutsideAreMovedInside) {
  using Positions = std::vector<std::pair<int, int>>;
  const struct {
    int anchor;
    bool stretch;
    int width, height;
    Positions after;
    const char* message;
  } cases[] = {
      {4, false, 30, 20, {{60, 60}, {0, 159}, {239, 159}}, "2 entities lay outside the new size and were moved inside it."},
      {8, false, 30, 20, {{20, 20}, {0, 120}, {239, 159}}, "1 entity lay outside the new size and was moved inside it."},
      {0, true, 60, 30, {{150, 100}, {15, 200}, {478, 239}}, nullptr},
  };
  for (const auto& c : cases) {
    LayersFixture f;
    MapLayer& level = f.layer("Level", 40, 30, LayerKind::Primary);
    MapLayer& enemies = f.layer("Enemies", 40, 30, LayerKind::Entity);
    const Positions before = {{100, 100}, {10, 200}, {319, 239}};
    for (int slot = 0; slot < 3; ++slot) writeEntity(enemies, slot * 2, {true, 1, 1, before[slot].first, before[slot].second});
    writeEntity(enemies, 1, {false, 0, 1, 5000, 5000});  // a free slot is left alone
    const std::vector<std::uint8_t> block = enemies.entities;
    ASSERT_TRUE(resizeLayers(f.session, {{&level, c.width, c.height}, {&enemies, c.width, c.height}},
                             {c.anchor, c.stretch, false}));
    Positions after;
    for (int slot = 0; slot < 3; ++slot) after.emplace_back(readEntity(enemies, slot * 2)->x, readEntity(enemies, slot * 2)->y);
    EXPECT_EQ(std::tuple(after, readEntity(enemies, 1)->x, enemies.width, enemies.height, f.journal().size()),
              std::tuple(c.after, 5000, c.width, c.height, 1u)) << c.anchor;
    EXPECT_EQ(f.services.messages,
              c.message ? std::vector{shown(c.message, MessageIcon::Information)} : std::vector<Message>{});
    ASSERT_TRUE(f.journal().undo(f.project()));
    EXPECT_EQ(std::tuple(enemies.entities, enemies.width, level.width), std::tuple(block, 40, 40));
  }
}

}  // namespace
}  // namespace qarto::test
