#include <gtest/gtest.h>

#include "model/tileset/tileset.h"
#include "render_fixture.h"

namespace qarto::test {
namespace {

// Layer pictures against the reference composition, through both paths (one
// quad per cell, composed texture), and the work each path does.
class MapLayersTest : public RenderFixture {
 public:
  void SetUp() override {
    RenderFixture::SetUp();
    forest_ = addPage("forest", 128, 64, 3);
    cave_ = addPage("cave", 64, 32, 8);
    ASSERT_TRUE(forest_ != nullptr && cave_ != nullptr);
  }

  // Varied tiles, flips and pages: columns alternate between the two pages
  // in runs, so a row holds several tilesets.
  MapCell mixed(int x, int y) const {
    const Tileset* page = (x / 3 + y) % 4 == 1 ? cave_ : forest_;
    MapCell c{static_cast<std::int16_t>((x * 7 + y * 3) % page->tileCount), static_cast<std::int8_t>(page->id)};
    c.flags = static_cast<std::uint8_t>((x + 2 * y) % 4);
    return c;
  }
  MapLayer& mixedLayer(const std::string& name, int width, int height, float parallaxX = 1.0f,
                       LayerKind kind = LayerKind::Primary, float parallaxY = -1.0f) {
    MapLayer& layer = addLayer(name, width, height, parallaxX, kind, parallaxY);
    fill(layer, [&](int x, int y) { return mixed(x + name.size(), y); });
    return layer;
  }
  // A translucent layer and a collision layer over the mixed one.
  void glassAndCollision(int level, bool collisionAlpha) {
    mixedLayer("Primary", 40, 25);
    MapLayer& glass = addLayer("Glass", 40, 25, 1.0f, LayerKind::Secondary);
    fill(glass, [&](int x, int y) { return mixed(y + 3, x); });
    glass.alpha = true;
    MapLayer& collision = addLayer("Collision", 40, 25, 1.0f, LayerKind::Collision);
    fill(collision, [&](int x, int y) {
      return (x + y) % 3 == 0 ? MapCell{mixed(x * 3, y).tile, static_cast<std::int8_t>(forest_->id)} : MapCell{};
    });
    collision.alpha = collisionAlpha;
    colors_.layerAlphaLevel = level;
    colors_.collisionLayerAlphaLevel = level;
    view().mapZoom = 2.0f;
  }

  // Three opaque layers, the middle one at half parallax and with holes.
  MapLayer& opaqueStack() {
    fill(addLayer("Top", 30, 20, 1.0f, LayerKind::Secondary),
         [&](int x, int y) { return (x * y) % 3 == 0 ? mixed(y, x) : MapCell{}; });
    MapLayer& middle = addLayer("Middle", 50, 30, 0.5f, LayerKind::Secondary);
    fill(middle, [&](int x, int y) { return (x + y) % 4 != 0 ? mixed(x + 9, y) : MapCell{}; });
    mixedLayer("Bottom", 60, 40);
    return middle;
  }

  Tileset* forest_ = nullptr;
  Tileset* cave_ = nullptr;
};

struct LayerCase {
  const char* name;
  std::function<void(MapLayersTest&)> build;
  std::vector<float> zooms;
  std::vector<std::pair<int, int>> scrolls;
  int tolerance = 0;
  bool cellsPath = true;  // below zoom one only the composed path is exact
};
void PrintTo(const LayerCase& c, std::ostream* out) { *out << c.name; }

const LayerCase kLayerCases[] = {
    {"FlipsAndSeveralPagesPerRow",
     [](MapLayersTest& t) { t.mixedLayer("Primary", 70, 50); },
     {1.0f, 2.0f, 3.0f, 10.0f},
     {{13, 5}}},
    // The front layer's vertical parallax differs from its horizontal one.
    {"ParallaxWithOddNegativeAndFarScrolls",
     [](MapLayersTest& t) {
       t.mixedLayer("Back", 40, 30);
       t.mixedLayer("Front", 40, 30, 0.5f, LayerKind::Secondary, 0.25f);
       t.view().centeredView = true;  // an origin inside the window
     },
     {1.0f, 2.0f},
     {{0, 0}, {13, 7}, {-29, -11}, {-3, 17}, {331, 245}, {1000, 900}, {-700, 3}}},
    {"MissingPagesTilesOutsideThePageAndTheStoredPreviewMark",
     [](MapLayersTest& t) {
       t.fill(t.addLayer("Primary", 40, 25), [&](int x, int y) {
         MapCell c = t.mixed(x, y);
         if (x % 5 == 0) c.tileset = 42;
         if (y % 4 == 0) c.tile = static_cast<std::int16_t>(t.forest_->tileCount + x);
         if (x % 7 == 3) c.tile = -3;
         c.flags |= kCellBrushMask;
         return c;
       });
     },
     {1.0f},
     {{0, 0}}},
    // Opacity 0.53328 and alpha byte 127; level 15: 0.9999 and 238, not 255 and 240.
    {"TranslucencyAndTheCollisionTint", [](MapLayersTest& t) { t.glassAndCollision(8, true); }, {2.0f}, {{0, 0}}, 1},
    {"TranslucencyLevel15", [](MapLayersTest& t) { t.glassAndCollision(15, true); }, {2.0f}, {{0, 0}}, 1},
    {"OpaqueTint", [](MapLayersTest& t) { t.glassAndCollision(15, false); }, {2.0f}, {{0, 0}}, 1},
    // Opaque layers one on another share a texture; the active layer (its
    // preview goes on top of it) and a translucent layer split the run.
    {"ActiveLayerInAnOpaqueRun", [](MapLayersTest& t) { t.project().setActiveLayer(&t.opaqueStack()); }, {2.0f},
     {{21, -13}}},
    {"TranslucentLayerInAnOpaqueRun",
     [](MapLayersTest& t) {
       t.opaqueStack().alpha = true;
       t.colors_.layerAlphaLevel = 8;
     },
     {2.0f},
     {{21, -13}},
     1},
    {"BelowZoomOne",
     [](MapLayersTest& t) {
       t.mixedLayer("Primary", 200, 120);
       t.fill(t.addLayer("Front", 120, 90, 0.5f, LayerKind::Secondary),
              [&](int x, int y) { return (x + y) % 5 == 0 ? t.mixed(y, x) : MapCell{}; });
     },
     {0.25f, 0.5f, 0.75f},
     {{0, 0}, {-9, 5}, {101, 77}},
     0,
     false},
};

class LayerPictures : public MapLayersTest, public ::testing::WithParamInterface<LayerCase> {};

TEST_P(LayerPictures, BothPathsDrawTheReferencePicture) {
  const LayerCase& c = GetParam();
  c.build(*this);
  for (float zoom : c.zooms) {
    for (const auto& [sx, sy] : c.scrolls) {
      view().mapZoom = zoom;
      view().scrollX = sx;
      view().scrollY = sy;
      const std::vector<std::uint8_t> expected = reference();
      for (LayerPath path : {LayerPath::Cells, LayerPath::Composed}) {
        if (path == LayerPath::Cells && !c.cellsPath) continue;
        renderer_.setLayerPath(path);
        EXPECT_TRUE(samePicture(rgbOf(draw()), expected, width_, c.tolerance))
            << (path == LayerPath::Cells ? "cells" : "composed") << " zoom " << zoom << " scroll " << sx << "," << sy;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, LayerPictures, ::testing::ValuesIn(kLayerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MapLayersTest, EditsBetweenFramesRecomposeTheChangedCellsOnly) {
  MapLayer& top = addLayer("Top", 40, 25, 1.0f, LayerKind::Secondary);
  fill(top, [&](int x, int y) { return x < 10 ? mixed(x, y) : MapCell{}; });
  MapLayer& bottom = addLayer("Bottom", 40, 25);
  fill(bottom, [&](int x, int y) { return mixed(y, x); });
  project().setActiveLayer(&top);
  renderer_.setLayerPath(LayerPath::Composed);
  view().mapZoom = 2.0f;
  draw();
  EXPECT_EQ(renderer_.stats().composedRuns, 1);
  top.cell(3, 4) = {9, static_cast<std::int8_t>(forest_->id), 0, 0, kCellHFlip, 0};
  bottom.cell(4, 4).tile = 9;    // under the top layer's cell: only its see-through pixels show it
  bottom.cell(15, 5).tile = 11;  // where the top layer has none
  bottom.cell(16, 5).tileset = 99;
  draw();
  EXPECT_EQ(renderer_.stats().composedPixels, 4 * 16 * 16);
  EXPECT_TRUE(samePicture(rgbOf(draw()), reference(), width_));
}

}  // namespace
}  // namespace qarto::test
