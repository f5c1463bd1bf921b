#include <gtest/gtest.h>

#include "edit/layers/layer_eat.h"
#include "layers_fixture.h"

namespace qarto::test {
namespace {

constexpr const char* kQuestion = "This feature does not currently support undo.  Continue?.";
constexpr const char* kNoOverlay = "No overlaying layer found or layer sizes are not compatible.";

// A 32 x 8 page of four tiles: 0 blank, 1 opaque, 2 opaque but for one
// pixel of colour 16 (colour 0 of row 1: clear), 3 half clear.
Tileset& eatPage(LayersFixture& f) {
  return f.page(32, 8, [](int x, int y) -> std::uint8_t {
    switch (x / 8) {
      case 0: return 0;
      case 1: return 0x21;
      case 2: return (x == 20 && y == 3) ? 16 : 0x35;
      default: return x % 8 < 4 ? 0 : 7;
    }
  });
}

// From the bottom: Ground (active), Front, Walls (collision, skipped).
struct EatMap : LayersFixture {
  Tileset& tiles = eatPage(*this);
  MapLayer& walls = layer("Walls", 7, 1, LayerKind::Collision);
  MapLayer& front = layer("Front", 7, 1, LayerKind::Primary);
  MapLayer& ground = layer("Ground", 7, 1, LayerKind::Secondary);

  EatMap() {
    // Opaque, one clear pixel, half clear, blank, past the page's end,
    // negative, unregistered page.
    setTiles(front, tiles.id, {1, 2, 3, 0, 9, -1, 1});
    front.cells[6].tileset = 50;
    setTiles(walls, project().collisionTileset->id, {1, 1, 1, 1, 1, 1, 1});
    fillDistinct(ground, 1);
  }
};

TEST(EatHiddenTiles, ClearsTheCellsUnderTilesThatHideThemCompletely) {
  EatMap f;
  const std::vector<MapCell> before = f.ground.cells;
  EXPECT_TRUE(eatHiddenTiles(f.session));
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastText(), kQuestion);
  EXPECT_EQ(f.services.lastMessage().buttons, MessageButtons::OkCancel);
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");

  const bool eaten[] = {true, false, false, false, true, false, false};
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(f.ground.cells[i], eaten[i] ? MapCell{} : before[i]) << "cell " << i;
  }
  EXPECT_TRUE(f.project().modified);
  EXPECT_EQ(f.journal().size(), 0u) << "eating cannot be undone";
  EXPECT_EQ(tilesOf(f.front), (std::vector<int>{1, 2, 3, 0, 9, -1, 1}));
}

TEST(EatHiddenTiles, CancelChangesNothing) {
  EatMap f;
  const std::vector<MapCell> before = f.ground.cells;
  f.services.answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(eatHiddenTiles(f.session));
  EXPECT_EQ(f.ground.cells, before);
  EXPECT_FALSE(f.project().modified);
}

TEST(EatHiddenTiles, WithoutAnOverlayingLayerOfTheSameSizeTheUserIsTold) {
  struct Case {
    const char* what;
    std::function<void(EatMap&)> setUp;
  };
  const Case cases[] = {
      {"the active layer is the top tile layer", [](EatMap& f) { f.project().activeLayer = &f.front; }},
      {"the overlay is wider",
       [](EatMap& f) {
         MapLayer& wide = f.layer("Wide", 8, 1, LayerKind::Secondary);
         f.project().insertLayer(f.project().takeLayer(&wide), 2);
         f.project().activeLayer = &f.ground;
       }},
      {"only an entity layer lies above",
       [](EatMap& f) {
         MapLayer& enemies = f.layer("Enemies", 7, 1, LayerKind::Entity);
         f.project().insertLayer(f.project().takeLayer(&enemies), 2);
         f.project().activeLayer = &f.front;
       }},
      {"the active layer is an entity layer",
       [](EatMap& f) {
         MapLayer& enemies = f.layer("Enemies", 7, 1, LayerKind::Entity);
         f.project().insertLayer(f.project().takeLayer(&enemies), 1);
         f.project().activeLayer = &enemies;
       }},
  };
  for (const Case& c : cases) {
    EatMap f;
    c.setUp(f);
    f.services.messages.clear();
    const std::vector<MapCell> ground = f.ground.cells;
    const std::vector<MapCell> front = f.front.cells;
    EXPECT_FALSE(eatHiddenTiles(f.session)) << c.what;
    ASSERT_EQ(f.services.messages.size(), 1u) << c.what;
    EXPECT_EQ(f.services.lastText(), kNoOverlay) << c.what;
    EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Information) << c.what;
    EXPECT_EQ(f.ground.cells, ground) << c.what;
    EXPECT_EQ(f.front.cells, front) << c.what;
  }
}

TEST(EatHiddenTiles, AnEntityLayerAboveIsPassedLikeACollisionLayer) {
  EatMap f;
  MapLayer& enemies = f.layer("Enemies", 7, 1, LayerKind::Entity);
  f.project().insertLayer(f.project().takeLayer(&enemies), 3);  // on top
  f.project().activeLayer = &f.ground;
  EXPECT_EQ(overlayingLayer(f.session, f.ground), &f.front);
  EXPECT_TRUE(eatHiddenTiles(f.session));
  EXPECT_EQ(f.ground.cells[0], MapCell{});
}

}  // namespace
}  // namespace qarto::test
