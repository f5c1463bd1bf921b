// A picture kept from frame to frame and brought up to date only where
// DamageTracker says (moved, then the damaged parts drawn again) must equal
// the whole frame after every kind of change.

#include "render/map/frame_damage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "edit/brush/brush.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "render/gl/gl_api.h"
#include "render_fixture.h"

namespace qarto::test {
namespace {

class FrameDamageTest : public RenderFixture {
 protected:
  FrameDamageTest() : RenderFixture(200, 120) {}

  void SetUp() override {
    RenderFixture::SetUp();
    page_ = addPage("forest", 128, 64, 3);
    ground_ = &addLayer("Ground", 60, 40);
    MapLayer& front = addLayer("Front", 60, 40, 1.0f, LayerKind::Secondary);
    fill(*ground_, [&](int x, int y) { return MapCell{static_cast<std::int16_t>((x * 3 + y) % 128), 1, 0, 0, 0, 0}; });
    // Every third cell of the top layer is empty: the ground shows through.
    fill(front, [&](int x, int y) {
      return MapCell{
          static_cast<std::int16_t>((x + y * 7) % 128), static_cast<std::int8_t>((x + y) % 3 ? 1 : 0), 0, 0, 0, 0};
    });
    project().setActiveLayer(ground_);
    project().showMapGrid = true;
    view().showLayerBounds = true;
    Brush& brush = *state().brushes.forTileset(page_->id);
    brush.addFromPage(*page_, 2, 1);
    brush.addFromPage(*page_, 3, 1);
    brush.addFromPage(*page_, 2, 2);
  }

  // The next frame the way the raster view makes it, then the whole frame:
  // the two must match. Returns the damage.
  FrameDamage step() {
    FrameInput input;
    input.state = &state();
    input.colors = &colors_;
    input.flagIcons = flags_;
    attachPreview(engine(), plan_, input);
    const FrameDamage damage = tracker_.next(input);
    if (damage.full) {
      renderer_.paint(input);
      kept_ = context_.read();
    } else {
      shift(damage.shiftX, damage.shiftY);
      for (const WindowRect& rect : damage.rects) {
        renderer_.paintPart(input, rect);
        const Frame part = context_.read();
        for (int y = rect.y0; y < rect.y1; ++y) {
          std::memcpy(&kept_.rgba[(static_cast<std::size_t>(y) * width_ + rect.x0) * 4], part.pixel(rect.x0, y),
                      static_cast<std::size_t>(rect.width()) * 4);
        }
      }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(samePicture(rgbOf(kept_), rgbOf(draw(true)), width_)) << (damage.full ? "whole" : "parts");
    return damage;
  }

  void shift(int dx, int dy) {
    Frame moved = kept_;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        const int sx = x - dx;
        const int sy = y - dy;
        if (sx >= 0 && sy >= 0 && sx < width_ && sy < height_)
          std::memcpy(&moved.rgba[(y * width_ + x) * 4u], kept_.pixel(sx, sy), 4);
      }
    }
    kept_ = moved;
  }

  void moveTo(int x, int y) { engine().mouseMove({x, y}, ButtonSet{}, Modifiers{}); }

  Tileset* page_ = nullptr;
  MapLayer* ground_ = nullptr;
  DamageTracker tracker_;
  Frame kept_;
};

TEST_F(FrameDamageTest, PartsDrawnAgainGiveTheWholeFrame) {
  struct Step {
    const char* what;
    std::function<void()> change;
    bool full;
    bool moved;
  };
  const std::vector<Step> steps = {
      {"first frame", [] {}, true, false},
      {"mouse over the map", [&] { moveTo(50, 40); }, true, false},
      {"preview moves", [&] { moveTo(67, 44); }, false, false},
      {"scroll down and left", [&] { view().scrollY += 10, view().scrollX -= 13; }, false, true},
      {"a click paints",
       [&] {
         engine().mousePress(MouseButton::Left, {90, 60}, Modifiers{});
         engine().mouseRelease(MouseButton::Left, {90, 60}, Modifiers{});
       },
       false, false},
      {"a cell changes far away", [&] { ground_->cell(2, 2).tile = 77; }, false, false},
      {"scroll and edit at once", [&] { view().scrollX += 9, ground_->cell(20, 12).tile = 5; }, false, true},
      {"brush flipped", [&] { state().tools.brushHFlip = true; }, true, false},
      {"flag paint's cursor box", [&] { state().tools.tool = ToolKind::FlagPaint; }, true, false},
      {"cursor box moves", [&] { moveTo(120, 70); }, false, false},
      {"another entity catalogue", [&] { state().entityCatalogue.reset("other.ini"); }, true, false},
      {"zoom 2, grid off", [&] { view().mapZoom = 2.0f, project().showMapGrid = false; }, true, false},
      {"frame mask: fixed to the window", [&] { view().showFrameMask = true; }, true, false},
      {"scroll under the mask", [&] { view().scrollY += 6; }, true, false},
      {"parallax layer", [&] { project().layerAt(1)->parallaxX = 0.5f; }, true, false},
      {"scroll with parallax", [&] { view().scrollX += 8; }, true, false},
      {"zoom between steps", [&] { view().mapZoom = 0.75f; }, true, false},
      {"mouse leaves", [&] { view().mapZoom = 1.0f, engine().mouseLeave(); }, true, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.change();
    const FrameDamage damage = step();
    EXPECT_EQ(damage.full, s.full);
    EXPECT_EQ(damage.shiftX != 0 || damage.shiftY != 0, s.moved);
  }
}

}  // namespace
}  // namespace qarto::test
