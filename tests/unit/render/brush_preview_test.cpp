#include <gtest/gtest.h>

#include "edit/brush/brush.h"
#include "edit/session/tileset_commands.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"
#include "render_fixture.h"

namespace qarto::test {
namespace {

class BrushPreviewTest : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    page_ = addPage("forest", 128, 64, 3);
    ASSERT_NE(page_, nullptr);
    layer_ = &addLayer("Primary", 40, 25);
    fill(*layer_, [&](int x, int y) {
      MapCell c;
      c.tile = static_cast<std::int16_t>((x + y * 5) % page_->tileCount);
      c.tileset = static_cast<std::int8_t>(page_->id);
      return c;
    });
    view().mapZoom = 2.0f;
    brush().clear();
    brush().addFromPage(*page_, 2, 1);
    brush().addFromPage(*page_, 3, 1);
    brush().addFromPage(*page_, 2, 2);
    brush().addFromPage(*page_, 5, 3);
  }

  Brush& brush() { return *state().brushes.forTileset(page_->id); }
  void moveTo(ViewPoint p) { engine().mouseMove(p, ButtonSet{}, Modifiers{}); }
  void click(ViewPoint p) {
    engine().mousePress(MouseButton::Left, p, Modifiers{});
    engine().mouseRelease(MouseButton::Left, p, Modifiers{});
  }

  // The preview at `at`, then the same stroke really painted and drawn
  // without a preview: the two pictures must be the same.
  void expectPreviewIsWhatAClickWrites(ViewPoint at) {
    moveTo(at);
    const Frame previewed = draw(true);
    click(at);
    const Frame painted = draw(false);
    const Difference d = compareRgb(rgbOf(previewed), rgbOf(painted), width_);
    EXPECT_EQ(d.count, 0) << "first at " << d.firstX << "," << d.firstY << ": previewed "
                          << int(previewed.pixel(d.firstX, d.firstY)[0]) << " " << int(previewed.pixel(d.firstX, d.firstY)[1])
                          << " " << int(previewed.pixel(d.firstX, d.firstY)[2]) << ", painted "
                          << int(painted.pixel(d.firstX, d.firstY)[0]) << " " << int(painted.pixel(d.firstX, d.firstY)[1])
                          << " " << int(painted.pixel(d.firstX, d.firstY)[2]);
  }

  Tileset* page_ = nullptr;
  MapLayer* layer_ = nullptr;
};

TEST_F(BrushPreviewTest, ThePreviewReplacesTheCellsAClickWouldWrite) {
  expectPreviewIsWhatAClickWrites({101, 67});
}

TEST_F(BrushPreviewTest, FlippedBrushesAndTheLayerEdge) {
  state().tools.brushHFlip = true;
  state().tools.brushVFlip = true;
  expectPreviewIsWhatAClickWrites({3, 2});  // placements fall off the top-left of the layer
}

TEST_F(BrushPreviewTest, ParallaxLayerWithScroll) {
  MapLayer& front = addLayer("Front", 40, 25, 0.5f, LayerKind::Secondary);
  fill(front, [&](int x, int y) {
    MapCell c;
    c.tile = static_cast<std::int16_t>((3 * x + y) % page_->tileCount);
    c.tileset = static_cast<std::int8_t>(page_->id);
    return c;
  });
  project().setActiveLayer(&front);
  view().scrollX = 37;
  view().scrollY = -15;
  expectPreviewIsWhatAClickWrites({150, 90});
}

TEST_F(BrushPreviewTest, CollisionTilesOnACollisionLayer) {
  ASSERT_TRUE(loadCollisionTileset(engine().session()));
  const Tileset* collision = project().collisionTileset;
  ASSERT_NE(collision, nullptr);
  MapLayer& layer = addLayer("Collision", 40, 25, 1.0f, LayerKind::Collision);
  layer.alpha = false;  // translucent, the preview would use its own 0.3
  project().currentTilesetId = collision->id;
  Brush& tiles = *state().brushes.forTileset(collision->id);
  tiles.addFromPage(*collision, 2, 0);  // a slope: mirrored by the flip tables
  tiles.addFromPage(*collision, 3, 0);
  state().tools.brushHFlip = true;
  EXPECT_EQ(project().activeLayer, &layer);
  expectPreviewIsWhatAClickWrites({90, 50});
}

TEST_F(BrushPreviewTest, PlacementsOfARemovedPageShowNothing) {
  Tileset* cave = addPage("cave", 64, 32, 8);
  ASSERT_NE(cave, nullptr);
  brush().add(*cave, 4, 1, 3, false, false);
  engine().session().registry().remove(cave->id);
  expectPreviewIsWhatAClickWrites({120, 80});
}

TEST_F(BrushPreviewTest, NoCellEverCarriesThePreviewMark) {
  moveTo({101, 67});
  draw(true);
  for (const MapCell& c : layer_->cells) ASSERT_EQ(c.flags & kCellBrushMask, 0);
}

TEST_F(BrushPreviewTest, AnIncompatibleBrushShowsTheWarningColourOverTheCells) {
  MapLayer& collision = addLayer("Collision", 40, 25, 1.0f, LayerKind::Collision);
  (void)collision;
  const Frame before = draw(false);
  moveTo({101, 67});
  const Frame warned = draw(true);
  // The brush origin lands on the cursor cell (6, 4): its pixel is the
  // cell's colour with the warning red at alpha 102 over it.
  const std::uint8_t* under = before.pixel(101, 67);
  const std::uint8_t* over = warned.pixel(101, 67);
  EXPECT_NEAR(over[0], under[0] * (153.0 / 255) + 255 * (102.0 / 255), 1.0);
  EXPECT_NEAR(over[1], under[1] * (153.0 / 255), 1.0);
  EXPECT_NEAR(over[2], under[2] * (153.0 / 255), 1.0);
}

TEST_F(BrushPreviewTest, AutoHideAlwaysKeepsAHiddenActiveLayerHidden) {
  MapLayer& front = addLayer("Front", 40, 25, 1.0f, LayerKind::Secondary);
  fill(front, [&](int x, int y) { return layer_->cell(x, y); });
  front.visible = false;
  state().tools.autoHide = AutoHideMode::Always;
  moveTo({101, 67});
  const Frame frame = draw(true);
  // The other layer is hidden by the mode, the active one by itself: only
  // the warning preview remains.
  EXPECT_EQ(frame.pixel(10, 10)[0], 0);
  EXPECT_EQ(frame.pixel(10, 10)[1], 0);
  EXPECT_EQ(frame.pixel(300, 190)[2], 0);
  EXPECT_EQ(frame.pixel(101, 67)[0], 102);
  EXPECT_EQ(frame.pixel(101, 67)[1], 0);
}

}  // namespace
}  // namespace qarto::test
