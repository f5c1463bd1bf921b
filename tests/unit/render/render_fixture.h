#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "edit/engine/map_view_engine.h"
#include "edit/tools/stroke_plan.h"
#include "model/project/map_project.h"
#include "model/settings/memory_settings_store.h"
#include "model/settings/view_colors.h"
#include "offscreen/offscreen_context.h"
#include "render/art/builtin_glyphs.h"
#include "render/frame_input.h"
#include "render/render_tileset_host.h"
#include "render/renderer.h"
#include "support/reference_picture.h"
#include "support/scripted_services.h"

namespace qarto::test {

// A page whose pixels differ in every position: palette row from the tile
// and `seed`, colour 0 where (x + y + tile + seed) % 7 == 0 so that every
// tile has transparent pixels.
std::unique_ptr<Tileset> patternPage(const std::string& name, int width, int height, int seed);

// The map view engine drawing into an OSMesa frame of the given size, with
// the default colours and the built-in glyphs.
class RenderFixture : public ::testing::Test {
 public:
  explicit RenderFixture(int width = 320, int height = 200) : width_(width), height_(height) {}

  void SetUp() override;
  void TearDown() override;

  MapViewEngine& engine() { return *engine_; }
  MapProject& project() { return engine_->project(); }
  EngineState& state() { return engine_->state(); }
  ViewState& view() { return engine_->state().view; }

  // Registers a page the way loading does; nullptr when it was refused.
  Tileset* addPage(const std::string& name, int width, int height, int seed);
  // Flat tiles keep pictures readable: tile t is colour 1 + t % 15 of palette
  // row 1 (plain colours) with its top-left pixel transparent.
  Tileset* addFlatPage(const std::string& name, int width, int height);
  MapLayer& addLayer(const std::string& name, int width, int height, float parallaxX = 1.0f,
                     LayerKind kind = LayerKind::Primary, float parallaxY = -1.0f);  // -1: as x
  // Fills every cell of a layer from f(x, y).
  void fill(MapLayer& layer, const std::function<MapCell(int, int)>& f);

  // Draws one frame. With `preview` the engine's preview at the mouse is
  // drawn too. Expects no GL error.
  Frame draw(bool preview = false, bool showCursor = true);
  std::vector<std::uint8_t> reference();

  OffscreenContext context_;
  Renderer renderer_;
  RenderTilesetHost host_{renderer_, builtinGlyphSet()};
  ScriptedServices services_;
  MemorySettingsStore settings_;
  std::unique_ptr<MapViewEngine> engine_;
  ViewColors colors_;
  std::vector<FlagIcon> flags_ = predefinedFlagIcons();
  StrokePlan plan_;
  int width_;
  int height_;
};

// RGB bytes of a frame, rows from the top.
std::vector<std::uint8_t> rgbOf(const Frame& frame);

// Success when the two RGB pictures are at most `tolerance` apart in every
// channel; otherwise how many channels differ and where the first one is.
::testing::AssertionResult samePicture(const std::vector<std::uint8_t>& actual,
                                       const std::vector<std::uint8_t>& expected, int width, int tolerance = 0);

// Compares a frame with tests/golden/render/NAME.png exactly. With
// QARTO_UPDATE_GOLDEN=1 the golden file is written first; a mismatch writes
// the frame beside the test program as NAME.actual.png.
::testing::AssertionResult matchesGolden(const std::string& name, const Frame& frame);

}  // namespace qarto::test
