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
#include "model/settings/settings_defaults.h"
#include "model/settings/view_colors.h"
#include "offscreen/offscreen_context.h"
#include "render/art/builtin_glyphs.h"
#include "render/frame_input.h"
#include "render/render_tileset_host.h"
#include "render/renderer.h"
#include "support/reference_picture.h"
#include "support/scripted_services.h"

namespace qarto::test {

// A 128 x 64 page (16 x 8 tiles) whose pixels differ in every position:
// index = row 1..15 of colour, palette row from the tile, colour 0 where
// (x + y + tile) % 7 == 0 so that every tile has transparent pixels.
std::unique_ptr<Tileset> patternPage(const std::string& name, int width, int height, int seed);

// A page of flat tiles: tile t is colour 1 + t % 15 of palette row 1 with
// its top-left pixel transparent, in a palette of plain colours.
std::unique_ptr<Tileset> flatPage(const std::string& name, int width, int height);

// The map view engine drawing into an OSMesa frame of the given size, with
// the default colours and the built-in glyphs.
class RenderFixture : public ::testing::Test {
 protected:
  explicit RenderFixture(int width = 320, int height = 200) : width_(width), height_(height) {}

  void SetUp() override;
  void TearDown() override;

  MapViewEngine& engine() { return *engine_; }
  MapProject& project() { return engine_->project(); }
  EngineState& state() { return engine_->state(); }
  ViewState& view() { return engine_->state().view; }

  // Registers a page the way loading does; returns it.
  Tileset* addPage(const std::string& name, int width, int height, int seed);
  Tileset* addFlatPage(const std::string& name, int width, int height);
  MapLayer& addLayer(const std::string& name, int width, int height, float parallax = 1.0f,
                     LayerKind kind = LayerKind::Primary);
  // Fills every cell of a layer from f(x, y).
  void fill(MapLayer& layer, const std::function<MapCell(int, int)>& f);

  // Draws one frame. With `preview` the engine's preview at the mouse is
  // drawn too. Expects no GL error.
  Frame draw(bool preview = false, bool showCursor = true);
  std::vector<std::uint8_t> reference(std::array<std::uint8_t, 3> clear = {0, 0, 0});

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

// Writes the frame as NAME.png into $QARTO_RENDER_DUMP_DIR when that is set
// (for looking at what a test draws).
void dumpFrame(const std::string& name, const Frame& frame);

// RGB bytes of a frame, rows from the top.
std::vector<std::uint8_t> rgbOf(const Frame& frame);

// The number of channels that differ by more than `tolerance`, and where
// the first one is.
struct Difference {
  int count = 0;
  int firstX = -1;
  int firstY = -1;
  int maxDelta = 0;
};
Difference compareRgb(const std::vector<std::uint8_t>& actual, const std::vector<std::uint8_t>& expected, int width,
                      int tolerance = 0);

}  // namespace qarto::test
