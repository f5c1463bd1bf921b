#include <gtest/gtest.h>

#include "render_fixture.h"

namespace qarto::test {
namespace {

class MapLayersTest : public RenderFixture {};

TEST_F(MapLayersTest, OneLayerAtZoomOneMatchesTheReference) {
  Tileset* page = addPage("forest", 128, 64, 3);
  ASSERT_NE(page, nullptr);
  MapLayer& layer = addLayer("Primary", 40, 30);
  fill(layer, [&](int x, int y) {
    MapCell c;
    c.tile = static_cast<std::int16_t>((x * 7 + y * 3) % page->tileCount);
    c.tileset = static_cast<std::int8_t>(page->id);
    c.flags = static_cast<std::uint8_t>((x + y) % 4);
    return c;
  });
  for (LayerPath path : {LayerPath::Cells, LayerPath::Composed}) {
    renderer_.setLayerPath(path);
    const Frame frame = draw();
    dumpFrame("one_layer_" + std::to_string(static_cast<int>(path)), frame);
    const Difference d = compareRgb(rgbOf(frame), reference(), width_);
    EXPECT_EQ(d.count, 0) << "path " << static_cast<int>(path) << " first at " << d.firstX << "," << d.firstY;
  }
}

}  // namespace
}  // namespace qarto::test
