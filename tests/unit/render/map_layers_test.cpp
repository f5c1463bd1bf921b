#include <gtest/gtest.h>

#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"
#include "render_fixture.h"

namespace qarto::test {
namespace {

// Every layer picture is compared pixel for pixel with the reference
// composition, through both paths (one quad per cell, composed texture).
class MapLayersTest : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    forest_ = addPage("forest", 128, 64, 3);
    cave_ = addPage("cave", 64, 32, 8);
    ASSERT_NE(forest_, nullptr);
    ASSERT_NE(cave_, nullptr);
  }

  // Varied tiles, flips and pages: columns alternate between the two pages
  // in runs, so a row holds several tilesets.
  MapCell mixed(int x, int y) const {
    MapCell c;
    const bool cave = (x / 3 + y) % 4 == 1;
    const Tileset* page = cave ? cave_ : forest_;
    c.tile = static_cast<std::int16_t>((x * 7 + y * 3) % page->tileCount);
    c.tileset = static_cast<std::int8_t>(page->id);
    c.flags = static_cast<std::uint8_t>((x + 2 * y) % 4);
    return c;
  }

  void expectBothPathsMatch(const std::string& what, int tolerance = 0) {
    const std::vector<std::uint8_t> expected = reference();
    for (LayerPath path : {LayerPath::Cells, LayerPath::Composed}) {
      renderer_.setLayerPath(path);
      const Frame frame = draw();
      const Difference d = compareRgb(rgbOf(frame), expected, width_, tolerance);
      EXPECT_EQ(d.count, 0) << what << (path == LayerPath::Cells ? " (cells)" : " (composed)") << ": first at "
                            << d.firstX << "," << d.firstY << ", largest difference " << d.maxDelta;
    }
  }

  Tileset* forest_ = nullptr;
  Tileset* cave_ = nullptr;
};

TEST_F(MapLayersTest, WholeZoomsWithFlipsAndSeveralPagesPerRow) {
  MapLayer& layer = addLayer("Primary", 70, 50);
  fill(layer, [&](int x, int y) { return mixed(x, y); });
  for (float zoom : {1.0f, 2.0f, 3.0f, 10.0f}) {
    view().mapZoom = zoom;
    view().scrollX = 13;
    view().scrollY = 5;
    expectBothPathsMatch("zoom " + std::to_string(zoom));
  }
}

TEST_F(MapLayersTest, EveryFlipOfEveryTile) {
  MapLayer& layer = addLayer("Primary", 64, 32);
  fill(layer, [&](int x, int y) {
    MapCell c;
    c.tile = static_cast<std::int16_t>((x / 4 + y * 16) % forest_->tileCount);
    c.tileset = static_cast<std::int8_t>(forest_->id);
    c.flags = static_cast<std::uint8_t>(x % 4);
    return c;
  });
  view().mapZoom = 2.0f;
  expectBothPathsMatch("flips");
}

TEST_F(MapLayersTest, ParallaxLayersWithOddNegativeAndFarScrolls) {
  MapLayer& back = addLayer("Back", 40, 30);
  fill(back, [&](int x, int y) { return mixed(x + 5, y); });
  MapLayer& front = addLayer("Front", 40, 30, 0.5f, LayerKind::Secondary);
  fill(front, [&](int x, int y) { return mixed(y, x); });
  view().centeredView = true;  // an origin inside the window
  const std::pair<int, int> scrolls[] = {{0, 0}, {13, 7}, {-29, -11}, {-3, 17}, {331, 245}, {1000, 900}, {-700, 3}};
  for (float zoom : {1.0f, 2.0f}) {
    view().mapZoom = zoom;
    for (const auto& [sx, sy] : scrolls) {
      view().scrollX = sx;
      view().scrollY = sy;
      expectBothPathsMatch("zoom " + std::to_string(zoom) + " scroll " + std::to_string(sx) + "," + std::to_string(sy));
    }
  }
}

TEST_F(MapLayersTest, UnregisteredPagesAndTilesOutsideThePageAreNotDrawn) {
  MapLayer& layer = addLayer("Primary", 40, 25);
  fill(layer, [&](int x, int y) {
    MapCell c = mixed(x, y);
    if (x % 5 == 0) c.tileset = 42;                    // no such page
    if (y % 4 == 0) c.tile = static_cast<std::int16_t>(forest_->tileCount + x);  // past the page
    if (x % 7 == 3) c.tile = -3;
    return c;
  });
  expectBothPathsMatch("missing tiles");
  // Nothing of those cells reaches the frame: cell (0, 1) is background.
  const Frame frame = draw();
  EXPECT_EQ(frame.pixel(3, 11)[0], 0);
  EXPECT_EQ(frame.pixel(3, 11)[1], 0);
}

TEST_F(MapLayersTest, AStoredPreviewMarkIsDrawnLikeAnyOtherCell) {
  MapLayer& layer = addLayer("Primary", 40, 25);
  fill(layer, [&](int x, int y) {
    MapCell c = mixed(x, y);
    c.flags = static_cast<std::uint8_t>(c.flags | kCellBrushMask);
    return c;
  });
  expectBothPathsMatch("cells carrying the mark bit");
}

TEST_F(MapLayersTest, TranslucentLayersAndTheCollisionTintWithinOneOfTheFormula) {
  MapLayer& base = addLayer("Primary", 40, 25);
  fill(base, [&](int x, int y) { return mixed(x, y); });
  MapLayer& glass = addLayer("Glass", 40, 25, 1.0f, LayerKind::Secondary);
  fill(glass, [&](int x, int y) { return mixed(y + 3, x); });
  glass.alpha = true;
  MapLayer& collision = addLayer("Collision", 40, 25, 1.0f, LayerKind::Collision);
  fill(collision, [&](int x, int y) {
    MapCell c = mixed(x * 3, y);
    c.flags = 0;
    return (x + y) % 3 == 0 ? c : MapCell{};
  });
  collision.alpha = true;
  colors_.layerAlphaLevel = 8;           // opacity 0.53328
  colors_.collisionLayerAlphaLevel = 8;  // alpha byte 127
  view().mapZoom = 2.0f;
  expectBothPathsMatch("translucency and tint", 1);
  // Level 15: opacity 0.9999 and alpha byte 238, not 255 and 240.
  colors_.layerAlphaLevel = 15;
  colors_.collisionLayerAlphaLevel = 15;
  expectBothPathsMatch("level 15", 1);
  collision.alpha = false;
  expectBothPathsMatch("opaque tint", 1);
}

TEST_F(MapLayersTest, CullingKeepsThePictureAndBoundsTheWork) {
  MapLayer& layer = addLayer("Primary", 300, 200);
  fill(layer, [&](int x, int y) { return mixed(x, y); });
  view().mapZoom = 2.0f;
  view().centeredView = true;
  for (const auto& [sx, sy] : {std::pair{0, 0}, std::pair{77, 33}, std::pair{-41, -19}, std::pair{4000, 3000}}) {
    view().scrollX = sx;
    view().scrollY = sy;
    renderer_.setLayerPath(LayerPath::Cells);
    const Frame culled = draw();
    const int quads = renderer_.stats().cellQuads;
    // At most the cells that touch the window: (320 / 16 + 1) x (200 / 16 + 1).
    EXPECT_LE(quads, 21 * 14) << sx << "," << sy;
    EXPECT_EQ(compareRgb(rgbOf(culled), reference(), width_).count, 0) << sx << "," << sy;
  }
}

TEST_F(MapLayersTest, BelowZoomOneTheComposedPathMatchesTheReference) {
  MapLayer& layer = addLayer("Primary", 200, 120);
  fill(layer, [&](int x, int y) { return mixed(x, y); });
  MapLayer& front = addLayer("Front", 120, 90, 0.5f, LayerKind::Secondary);
  fill(front, [&](int x, int y) { return (x + y) % 5 == 0 ? mixed(y, x) : MapCell{}; });
  renderer_.setLayerPath(LayerPath::Composed);
  for (float zoom : {0.25f, 0.5f, 0.75f}) {
    view().mapZoom = zoom;
    for (const auto& [sx, sy] : {std::pair{0, 0}, std::pair{-9, 5}, std::pair{101, 77}}) {
      view().scrollX = sx;
      view().scrollY = sy;
      const Frame frame = draw();
      const Difference d = compareRgb(rgbOf(frame), reference(), width_);
      EXPECT_EQ(d.count, 0) << "zoom " << zoom << " scroll " << sx << "," << sy << " first at " << d.firstX << ","
                            << d.firstY;
    }
  }
}

TEST_F(MapLayersTest, TheComposedTextureFollowsEditsBetweenFrames) {
  MapLayer& layer = addLayer("Primary", 40, 25);
  fill(layer, [&](int x, int y) { return mixed(x, y); });
  renderer_.setLayerPath(LayerPath::Composed);
  view().mapZoom = 2.0f;
  draw();
  layer.cell(3, 4).tile = 9;
  layer.cell(3, 4).flags = kCellHFlip;
  layer.cell(10, 2).tileset = 99;
  draw();
  // Only the two changed cells were composed again.
  EXPECT_EQ(renderer_.stats().composedPixels, 2 * 16 * 16);
  EXPECT_EQ(compareRgb(rgbOf(draw()), reference(), width_).count, 0);
}

TEST_F(MapLayersTest, OpaqueLayersOneOnAnotherShareATextureAndKeepThePicture) {
  // Added layers go to the bottom: `top` ends up above `middle` above `bottom`.
  MapLayer& top = addLayer("Top", 30, 20, 1.0f, LayerKind::Secondary);
  fill(top, [&](int x, int y) { return (x * y) % 3 == 0 ? mixed(y, x) : MapCell{}; });
  MapLayer& middle = addLayer("Middle", 50, 30, 0.5f, LayerKind::Secondary);
  fill(middle, [&](int x, int y) { return (x + y) % 4 != 0 ? mixed(x + 9, y) : MapCell{}; });
  MapLayer& bottom = addLayer("Bottom", 60, 40);
  fill(bottom, [&](int x, int y) { return mixed(x, y); });
  view().mapZoom = 2.0f;
  view().scrollX = 21;
  view().scrollY = -13;

  // The active layer closes a run: its preview goes on top of it.
  const std::pair<MapLayer*, int> cases[] = {{&top, 1}, {&middle, 2}, {&bottom, 2}};
  for (const auto& [active, runs] : cases) {
    project().setActiveLayer(active);
    expectBothPathsMatch(std::string("active ") + active->name.data());
    renderer_.setLayerPath(LayerPath::Composed);
    draw();
    EXPECT_EQ(renderer_.stats().composedRuns, runs) << active->name.data();
    EXPECT_EQ(renderer_.stats().composedLayers, 3);
  }

  // A translucent layer in between is drawn on its own.
  project().setActiveLayer(&top);
  middle.alpha = true;
  colors_.layerAlphaLevel = 8;
  expectBothPathsMatch("translucent middle", 1);
  draw();
  EXPECT_EQ(renderer_.stats().composedRuns, 3);
}

TEST_F(MapLayersTest, AnEditUnderAnOpaqueCellOfASharedTextureRecomposesThatCellOnly) {
  MapLayer& top = addLayer("Top", 40, 25, 1.0f, LayerKind::Secondary);
  fill(top, [&](int x, int y) { return x < 10 ? mixed(x, y) : MapCell{}; });
  MapLayer& bottom = addLayer("Bottom", 40, 25);
  fill(bottom, [&](int x, int y) { return mixed(y, x); });
  project().setActiveLayer(&top);
  renderer_.setLayerPath(LayerPath::Composed);
  view().mapZoom = 2.0f;
  draw();
  EXPECT_EQ(renderer_.stats().composedRuns, 1);
  bottom.cell(3, 4).tile = 9;    // under the top layer's cells: only its see-through pixels show it
  bottom.cell(15, 5).tile = 11;  // where the top layer has none
  draw();
  EXPECT_EQ(renderer_.stats().composedPixels, 2 * 16 * 16);
  EXPECT_EQ(compareRgb(rgbOf(draw()), reference(), width_).count, 0);
}

}  // namespace
}  // namespace qarto::test
