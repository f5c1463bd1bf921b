#include <gtest/gtest.h>

#include "edit/brush/brush.h"
#include "edit/session/tileset_commands.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"
#include "render_fixture.h"

namespace qarto::test {
namespace {

// A 40 x 25 layer of the forest page at zoom 2, and a brush of four tiles.
class BrushPreviewTest : public RenderFixture {
 public:
  void SetUp() override {
    RenderFixture::SetUp();
    page_ = addPage("forest", 128, 64, 3);
    ASSERT_NE(page_, nullptr);
    layer_ = &addLayer("Primary", 40, 25);
    fill(*layer_, [&](int x, int y) { return forestCell((x + y * 5) % page_->tileCount); });
    view().mapZoom = 2.0f;
    brush().clear();
    for (const auto& [column, row] : {std::pair{2, 1}, {3, 1}, {2, 2}, {5, 3}})
      brush().addFromPage(*page_, column, row);
  }

  MapCell forestCell(int tile) const { return {static_cast<std::int16_t>(tile), static_cast<std::int8_t>(page_->id)}; }
  Brush& brush() { return *state().brushes.forTileset(page_->id); }
  void moveTo(ViewPoint p) { engine().mouseMove(p, ButtonSet{}, Modifiers{}); }

  Tileset* page_ = nullptr;
  MapLayer* layer_ = nullptr;
};

struct PreviewCase {
  const char* name;
  std::function<void(BrushPreviewTest&)> setUp;
  ViewPoint at;
};
void PrintTo(const PreviewCase& c, std::ostream* out) { *out << c.name; }

const PreviewCase kPreviewCases[] = {
    {"Plain", [](BrushPreviewTest&) {}, {101, 67}},
    // Placements fall off the top-left of the layer.
    {"FlippedAtTheLayerEdge",
     [](BrushPreviewTest& t) { t.state().tools.brushHFlip = t.state().tools.brushVFlip = true; },
     {3, 2}},
    {"ParallaxLayerWithScroll",
     [](BrushPreviewTest& t) {
       MapLayer& front = t.addLayer("Front", 40, 25, 0.5f, LayerKind::Secondary, 0.25f);
       t.fill(front, [&](int x, int y) { return t.forestCell((3 * x + y) % t.page_->tileCount); });
       t.project().setActiveLayer(&front);
       t.view().scrollX = 37;
       t.view().scrollY = -15;
     },
     {150, 90}},
    {"CollisionTilesMirroredByTheFlipTables",
     [](BrushPreviewTest& t) {
       ASSERT_TRUE(loadCollisionTileset(t.engine().session()));
       const Tileset& collision = *t.project().collisionTileset;
       t.addLayer("Collision", 40, 25, 1.0f, LayerKind::Collision).alpha = false;  // else the preview uses its own 0.3
       t.project().currentTilesetId = collision.id;
       Brush& tiles = *t.state().brushes.forTileset(collision.id);
       tiles.addFromPage(collision, 2, 0);  // a slope
       tiles.addFromPage(collision, 3, 0);
       t.state().tools.brushHFlip = true;
     },
     {90, 50}},
    {"PlacementsOfARemovedPageShowNothing",
     [](BrushPreviewTest& t) {
       Tileset* cave = t.addPage("cave", 64, 32, 8);
       t.brush().add(*cave, 4, 1, 3, false, false);
       t.engine().session().registry().remove(cave->id);
     },
     {120, 80}},
};

class PreviewIsWhatAClickWrites : public BrushPreviewTest, public ::testing::WithParamInterface<PreviewCase> {};

TEST_P(PreviewIsWhatAClickWrites, PixelForPixel) {
  GetParam().setUp(*this);
  const ViewPoint at = GetParam().at;
  moveTo(at);
  const Frame previewed = draw(true);
  for (const auto& layer : project().layers()) {
    for (const MapCell& c : layer->cells) ASSERT_EQ(c.flags & kCellBrushMask, 0) << "a cell keeps the preview mark";
  }
  engine().mousePress(MouseButton::Left, at, Modifiers{});
  engine().mouseRelease(MouseButton::Left, at, Modifiers{});
  EXPECT_TRUE(samePicture(rgbOf(previewed), rgbOf(draw(false)), width_));
}

INSTANTIATE_TEST_SUITE_P(Brushes, PreviewIsWhatAClickWrites, ::testing::ValuesIn(kPreviewCases),
                         [](const auto& info) { return std::string(info.param.name); });

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
