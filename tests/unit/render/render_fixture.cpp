#include "render_fixture.h"

#include <cstdlib>

#include "io/images/display_image.h"
#include "model/settings/settings_defaults.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registration.h"
#include "offscreen/png_file.h"
#include "render/gl/gl_api.h"
#include "support/page_files.h"

// OSMesa keeps a few small records per context until the process ends;
// the sanitizer build is about our leaks, not the driver's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libOSMesa.so\n"; }

namespace qarto::test {

namespace {

Tileset* registered(MapProject& project, TilesetHost& host, std::unique_ptr<Tileset> page) {
  DisplayImage display = makeDisplayImage(*page);
  return registerTileset(project, host, std::move(page), std::move(display));
}

}  // namespace

std::unique_ptr<Tileset> patternPage(const std::string& name, int width, int height, int seed) {
  auto page = makeTileset(
      -1, width, height,
      [=](int x, int y) {
        const int tile = tileAt(width, x, y);
        const int colour = (x + y + tile + seed) % 7 == 0 ? 0 : 1 + (x * 3 + y * 5 + seed) % 15;
        return static_cast<std::uint8_t>((tile + seed) % 16 << 4 | colour);
      },
      [seed](std::size_t i) {
        const auto entry = static_cast<int>(i / 3);
        const int channel[] = {entry * 37 + seed * 11, entry * 91 + seed * 29 + 40, entry * 53 + seed * 7 + 90};
        return static_cast<std::uint8_t>(channel[i % 3] & 0xFF);
      });
  page->sourcePath = name + ".bmp";
  return page;
}

Tileset* RenderFixture::addPage(const std::string& name, int width, int height, int seed) {
  return registered(project(), engine_->session().host(), patternPage(name, width, height, seed));
}

Tileset* RenderFixture::addFlatPage(const std::string& name, int width, int height) {
  static const std::uint8_t kColours[16][3] = {{0, 0, 0},       {200, 60, 60},   {60, 160, 70},  {70, 90, 200},
                                               {220, 200, 60},  {160, 80, 190},  {60, 190, 200}, {230, 130, 50},
                                               {120, 120, 120}, {250, 250, 250}, {90, 50, 30},   {30, 90, 60},
                                               {180, 180, 230}, {230, 170, 190}, {100, 140, 40}, {40, 40, 110}};
  auto page = makeTileset(
      -1, width, height,
      [=](int x, int y) {
        const bool corner = x % 8 == 0 && y % 8 == 0;
        return static_cast<std::uint8_t>(corner ? 0x10 : 0x10 | (1 + tileAt(width, x, y) % 15));
      },
      [](std::size_t i) { return i / 48 == 1 ? kColours[i / 3 % 16][i % 3] : std::uint8_t{0}; });
  page->sourcePath = name + ".bmp";
  return registered(project(), engine_->session().host(), std::move(page));
}

void RenderFixture::SetUp() {
  std::string message;
  ASSERT_TRUE(context_.create(width_, height_, message)) << message;
  // A program that links the system GL before OSMesa draws nothing and says nothing.
  const std::string driver = context_.renderer();
  ASSERT_TRUE(driver.find("llvmpipe") != std::string::npos || driver.find("softpipe") != std::string::npos) << driver;
  ASSERT_TRUE(renderer_.setUp(builtinGlyphSet(), message)) << message;
  ensureSettingsDefaults(settings_);
  colors_ = loadViewColors(settings_);
  engine_ = std::make_unique<MapViewEngine>(services_, settings_, host_);
  engine_->resize(width_, height_);
  view().mapZoom = 1.0f;
  view().centeredView = false;
  view().showLayerBounds = false;
  project().showMapGrid = false;
}

void RenderFixture::TearDown() {
  engine_.reset();
  renderer_.tearDown();
}

MapLayer& RenderFixture::addLayer(const std::string& name, int width, int height, float parallaxX, LayerKind kind,
                                  float parallaxY) {
  MapLayer* layer =
      project().addLayer(name, width, height, parallaxX, parallaxY < 0 ? parallaxX : parallaxY, kind, true);
  EXPECT_NE(layer, nullptr);
  return *layer;
}

void RenderFixture::fill(MapLayer& layer, const std::function<MapCell(int, int)>& f) {
  for (int y = 0; y < layer.height; ++y) {
    for (int x = 0; x < layer.width; ++x) layer.cell(x, y) = f(x, y);
  }
}

Frame RenderFixture::draw(bool preview, bool showCursor) {
  FrameInput input;
  input.state = &engine_->state();
  input.colors = &colors_;
  input.flagIcons = flags_;
  input.showCursor = showCursor;
  if (preview) attachPreview(*engine_, plan_, input);
  renderer_.paint(input);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  return context_.read();
}

std::vector<std::uint8_t> RenderFixture::reference() {
  const MapGeometry g = engine_->geometry();
  const ReferenceView v{g.zoom, g.scrollX, g.scrollY, g.originX, g.originY, width_, height_, {0, 0, 0}};
  return referenceLayers(project(), engine_->session().registry(), colors_, v);
}

std::vector<std::uint8_t> rgbOf(const Frame& frame) {
  std::vector<std::uint8_t> rgb;
  for (std::size_t i = 0; i < frame.rgba.size(); i += 4) rgb.insert(rgb.end(), &frame.rgba[i], &frame.rgba[i + 3]);
  return rgb;
}

::testing::AssertionResult samePicture(const std::vector<std::uint8_t>& actual,
                                       const std::vector<std::uint8_t>& expected, int width, int tolerance) {
  if (actual.size() != expected.size()) return ::testing::AssertionFailure() << "the sizes differ";
  int count = 0;
  std::size_t first = 0;
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (std::abs(actual[i] - expected[i]) > tolerance && count++ == 0) first = i / 3;
  }
  if (count == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << count << " channels differ, the first at " << first % width << ","
                                       << first / width;
}

::testing::AssertionResult matchesGolden(const std::string& name, const Frame& frame) {
  const std::string golden = std::string(QARTO_RENDER_GOLDEN_DIR) + "/" + name + ".png";
  const char* update = std::getenv("QARTO_UPDATE_GOLDEN");
  std::string message;
  if (update != nullptr && std::string(update) == "1" && !writePng(golden, frame, message)) {
    return ::testing::AssertionFailure() << message;
  }
  Frame expected;
  if (!readPng(golden, expected, message)) return ::testing::AssertionFailure() << message;
  ::testing::AssertionResult same = expected.width == frame.width
                                        ? samePicture(rgbOf(frame), rgbOf(expected), frame.width)
                                        : ::testing::AssertionFailure() << "another size";
  if (!same) writePng(name + ".actual.png", frame, message);
  return same << " (" << name << ": QARTO_UPDATE_GOLDEN=1 rewrites " << golden << ")";
}

}  // namespace qarto::test
