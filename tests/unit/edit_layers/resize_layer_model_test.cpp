#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "edit/layers/resize_layer_model.h"
#include "layers_fixture.h"

namespace qarto::test {
namespace {

constexpr const char* kBadParallax =
    "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 1.5.";
constexpr const char* kBadSize =
    "Map sizes must be no smaller than (30,20) and no larger than (1024,1024).\n\nPlease choose a valid size.";

TEST(ResizeLayerDialog, StretchingDisablesTheAnchorsAlongItsAxisAndMovesTheSelection) {
  struct Case {
    int selected;
    bool stretchH;
    bool stretchV;
    int after;
    std::set<int> enabled;
  };
  const Case cases[] = {
      {0, false, false, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {0, true, false, 1, {1, 4, 7}},
      {8, true, false, 7, {1, 4, 7}},
      {3, true, false, 4, {1, 4, 7}},
      {1, true, false, 1, {1, 4, 7}},
      {0, false, true, 3, {3, 4, 5}},
      {8, false, true, 5, {3, 4, 5}},
      {7, false, true, 4, {3, 4, 5}},
      {5, false, true, 5, {3, 4, 5}},
      {2, true, true, 4, {4}},
      {6, true, true, 4, {4}},
  };
  for (const Case& c : cases) {
    LayersFixture f;
    f.layer("Level", 40, 30, LayerKind::Primary);
    ResizeLayerModel model(f.session);
    ASSERT_TRUE(model.begin());
    EXPECT_EQ(model.anchor(), 4) << "the centre is selected at first";
    ASSERT_TRUE(model.selectAnchor(c.selected));
    model.setStretchHorizontally(c.stretchH);
    model.setStretchVertically(c.stretchV);
    EXPECT_EQ(model.anchor(), c.after) << "from " << c.selected << " stretch " << c.stretchH << c.stretchV;
    std::set<int> enabled;
    for (int a = 0; a < 9; ++a) {
      if (model.anchorEnabled(a)) enabled.insert(a);
      EXPECT_EQ(model.selectAnchor(a), model.anchorEnabled(a));
    }
    EXPECT_EQ(enabled, c.enabled) << "stretch " << c.stretchH << c.stretchV;
  }
}

TEST(ResizeLayerDialog, ShowsWidthAndHeightForAnyLayerButASecondaryOne) {
  LayersFixture f;
  f.layer("Level", 40, 30, LayerKind::Primary);
  ResizeLayerModel model(f.session);
  ASSERT_TRUE(model.begin());
  EXPECT_EQ(model.title(), "Qarto v0.99 - Resize Layer");
  EXPECT_FALSE(model.editsParallax());
  EXPECT_EQ(model.oldWidthText(), "40");
  EXPECT_EQ(model.oldHeightText(), "30");
  EXPECT_EQ(model.newWidth(), 40);
  EXPECT_TRUE(model.resizeSecondaryEnabled());
  EXPECT_TRUE(model.resizeSecondary());
  EXPECT_TRUE(model.parallaxChoiceEnabled());
  EXPECT_TRUE(model.keepParallax());
  model.setResizeSecondary(false);
  EXPECT_FALSE(model.parallaxChoiceEnabled());

  f.layer("Back", 50, 25, LayerKind::Secondary, 0.75f);
  ASSERT_TRUE(model.begin());
  EXPECT_TRUE(model.editsParallax());
  EXPECT_EQ(model.oldParallaxText(), "0.75");
  EXPECT_EQ(model.dimensionsText(), "50 x 25");
  EXPECT_FALSE(model.resizeSecondaryEnabled());
  EXPECT_DOUBLE_EQ(model.newParallax(), 0.75);

  f.project().activeLayer = nullptr;
  EXPECT_FALSE(model.begin());
}

TEST(ResizeLayerDialog, RefusedSizesKeepTheDialogOpenAndChangeNothing) {
  struct Case {
    int width;
    int height;
    const char* message;
    MessageIcon icon;
  };
  const Case cases[] = {
      {40, 30, "The target layer size is identical to the old layer size.", MessageIcon::Information},
      {29, 30, kBadSize, MessageIcon::Exclamation},
      {1025, 30, kBadSize, MessageIcon::Exclamation},
      {40, 19, kBadSize, MessageIcon::Exclamation},
      {40, 1025, kBadSize, MessageIcon::Exclamation},
      {-5, 0, kBadSize, MessageIcon::Exclamation},
  };
  for (const Case& c : cases) {
    LayersFixture f;
    MapLayer& level = f.layer("Level", 40, 30, LayerKind::Primary);
    fillDistinct(level);
    const std::vector<MapCell> before = level.cells;
    ResizeLayerModel model(f.session);
    ASSERT_TRUE(model.begin());
    model.setNewSize(c.width, c.height);
    EXPECT_EQ(model.confirm(), ResizeOutcome::StayOpen) << c.width << "x" << c.height;
    ASSERT_EQ(f.services.messages.size(), 1u);
    EXPECT_EQ(f.services.lastText(), c.message) << c.width << "x" << c.height;
    EXPECT_EQ(f.services.lastMessage().icon, c.icon);
    EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");
    EXPECT_EQ(level.cells, before);
    EXPECT_FALSE(f.project().modified);
  }
}

TEST(ResizeLayerDialog, TheExtremeSizesAreAccepted) {
  for (const auto& [width, height] : {std::pair{30, 20}, std::pair{1024, 1024}}) {
    LayersFixture f;
    MapLayer& level = f.layer("Level", 40, 30, LayerKind::Primary);
    ResizeLayerModel model(f.session);
    ASSERT_TRUE(model.begin());
    model.setNewSize(width, height);
    EXPECT_EQ(model.confirm(), ResizeOutcome::Closed);
    EXPECT_EQ(level.width, width);
    EXPECT_EQ(level.height, height);
    EXPECT_TRUE(f.services.messages.empty());
  }
}

// From the bottom: Enemies, Back (parallax 0.5), Walls, Level (primary).
struct LayeredMap : LayersFixture {
  MapLayer& level = layer("Level", 40, 30, LayerKind::Primary);
  MapLayer& walls = layer("Walls", 40, 30, LayerKind::Collision);
  MapLayer& back = layer("Back", 35, 25, LayerKind::Secondary, 0.5f);
  MapLayer& enemies = layer("Enemies", 40, 30, LayerKind::Entity);
};

TEST(ResizeLayerDialog, ANewSizeResizesEveryLayerAndSecondaryLayersByTheirParallax) {
  LayeredMap f;
  f.project().activeLayer = &f.level;
  ResizeLayerModel model(f.session);
  ASSERT_TRUE(model.begin());
  model.setNewSize(60, 40);
  EXPECT_EQ(model.confirm(), ResizeOutcome::Closed);
  EXPECT_EQ(f.level.width, 60);
  EXPECT_EQ(f.level.height, 40);
  EXPECT_EQ(f.walls.width, 60);
  EXPECT_EQ(f.walls.cells.size(), 2400u);
  EXPECT_EQ(f.back.width, 45);   // 30 + ceil(0.5 x 30)
  EXPECT_EQ(f.back.height, 30);  // 20 + ceil(0.5 x 20)
  EXPECT_FLOAT_EQ(f.back.parallaxX, 0.5f);
  EXPECT_EQ(f.enemies.width, 40) << "entity layers keep their size";
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastText(), "TODO: Support resizing the entity layer");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Information);
  EXPECT_TRUE(f.project().modified);
}

TEST(ResizeLayerDialog, SecondaryLayersStayWhenResizeSecondaryLayersIsOff) {
  LayeredMap f;
  f.project().activeLayer = &f.walls;
  ResizeLayerModel model(f.session);
  ASSERT_TRUE(model.begin());
  model.setResizeSecondary(false);
  model.setNewSize(60, 40);
  EXPECT_EQ(model.confirm(), ResizeOutcome::Closed);
  EXPECT_EQ(f.level.width, 60);
  EXPECT_EQ(f.back.width, 35);
  EXPECT_EQ(f.back.height, 25);
}

TEST(ResizeLayerDialog, ASecondaryLayerWithAParallaxThatGivesNoSizeStopsTheWholeResize) {
  for (const float parallax : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -9.0f}) {
    LayeredMap f;
    f.back.parallaxX = parallax;  // as a damaged map file might hold it
    f.project().activeLayer = &f.level;
    ResizeLayerModel model(f.session);
    ASSERT_TRUE(model.begin());
    model.setNewSize(60, 40);
    EXPECT_EQ(model.confirm(), ResizeOutcome::StayOpen) << parallax;
    EXPECT_EQ(f.services.lastText(), kBadParallax) << parallax;
    EXPECT_EQ(f.level.width, 40) << parallax;
    EXPECT_EQ(f.back.width, 35) << parallax;
  }
}

TEST(ResizeLayerDialog, ASecondaryActiveLayerTakesTheSizeItsNewParallaxGives) {
  LayersFixture f;
  MapLayer& level = f.layer("Level", 128, 64, LayerKind::Primary);
  MapLayer& back = f.layer("Back", 128, 64, LayerKind::Secondary);
  fillDistinct(back);
  const MapCell centre = back.cell(64, 32);
  ResizeLayerModel model(f.session);
  ASSERT_TRUE(model.begin());
  model.setNewParallax(0.5);
  EXPECT_EQ(model.confirm(), ResizeOutcome::Closed);
  EXPECT_EQ(back.width, 79);   // ceil(98 x 0.5) + 30
  EXPECT_EQ(back.height, 42);  // ceil(44 x 0.5) + 20
  EXPECT_FLOAT_EQ(back.parallaxX, 0.5f);
  EXPECT_FLOAT_EQ(back.parallaxY, 0.5f);
  EXPECT_EQ(level.width, 128) << "only the active layer changes";
  // Centre anchor: 49 columns and 22 rows go, 25 and 11 of them on the left and top.
  EXPECT_EQ(back.cell(64 - 25, 32 - 11), centre);
  EXPECT_TRUE(f.services.messages.empty());
  EXPECT_TRUE(f.project().modified);
}

TEST(ResizeLayerDialog, RefusedParallaxValuesKeepTheDialogOpen) {
  struct Case {
    double parallax;
    const char* message;
    MessageIcon icon;
  };
  const Case cases[] = {
      {0.753, "The target parallax value is identical to the old layer parallax value.", MessageIcon::Information},
      {0.7465, "The target parallax value is identical to the old layer parallax value.", MessageIcon::Information},
      {1.51, kBadParallax, MessageIcon::Exclamation},
      {-0.01, kBadParallax, MessageIcon::Exclamation},
      {2.0, kBadParallax, MessageIcon::Exclamation},
      {std::nan(""), kBadParallax, MessageIcon::Exclamation},
      {HUGE_VAL, kBadParallax, MessageIcon::Exclamation},
  };
  for (const Case& c : cases) {
    LayersFixture f;
    f.layer("Level", 64, 40, LayerKind::Primary);
    MapLayer& back = f.layer("Back", 47, 30, LayerKind::Secondary, 0.75f);
    ResizeLayerModel model(f.session);
    ASSERT_TRUE(model.begin());
    model.setNewParallax(c.parallax);
    EXPECT_EQ(model.confirm(), ResizeOutcome::StayOpen) << c.parallax;
    ASSERT_EQ(f.services.messages.size(), 1u) << c.parallax;
    EXPECT_EQ(f.services.lastText(), c.message) << c.parallax;
    EXPECT_EQ(f.services.lastMessage().icon, c.icon) << c.parallax;
    EXPECT_EQ(back.width, 47);
    EXPECT_FLOAT_EQ(back.parallaxX, 0.75f);
  }
}

TEST(ResizeLayerDialog, TheParallaxLimitsAreAccepted) {
  for (const double parallax : {0.0, 1.5}) {
    LayersFixture f;
    f.layer("Level", 64, 40, LayerKind::Primary);
    MapLayer& back = f.layer("Back", 47, 30, LayerKind::Secondary, 0.75f);
    ResizeLayerModel model(f.session);
    ASSERT_TRUE(model.begin());
    model.setNewParallax(parallax);
    EXPECT_EQ(model.confirm(), ResizeOutcome::Closed);
    EXPECT_EQ(back.width, parallax == 0.0 ? 30 : 81);   // 30 + ceil(1.5 x 34)
    EXPECT_EQ(back.height, parallax == 0.0 ? 20 : 50);  // 20 + ceil(1.5 x 20)
  }
}

TEST(ResizeLayerDialog, AParallaxThatLeavesNoCellsOrNoPrimaryLayerIsRefused) {
  {
    LayersFixture f;
    f.layer("Tiny", 2, 2, LayerKind::Primary);
    MapLayer& back = f.layer("Back", 30, 20, LayerKind::Secondary);
    ResizeLayerModel model(f.session);
    ASSERT_TRUE(model.begin());
    model.setNewParallax(1.5);  // 30 + ceil(1.5 x -28) = -12
    EXPECT_EQ(model.confirm(), ResizeOutcome::StayOpen);
    EXPECT_EQ(f.services.lastText(), kBadParallax);
    EXPECT_EQ(back.width, 30);
  }
  {
    LayersFixture f;
    MapLayer& back = f.layer("Back", 30, 20, LayerKind::Secondary);
    ResizeLayerModel model(f.session);
    ASSERT_TRUE(model.begin());
    model.setNewParallax(0.5);
    EXPECT_EQ(model.confirm(), ResizeOutcome::Closed);
    EXPECT_EQ(f.services.lastText(), "No valid primary layer was found.  The process has aborted.");
    EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Stop);
    EXPECT_EQ(back.width, 30);
    EXPECT_FLOAT_EQ(back.parallaxX, 1.0f);
  }
}

}  // namespace
}  // namespace qarto::test
