#include "render_fixture.h"

#include <cstdlib>

#include "edit/session/tileset_loading.h"
#include "io/images/display_image.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registration.h"
#include "offscreen/png_file.h"
#include "render/gl/gl_api.h"

// OSMesa keeps a few small records per context until the process ends;
// the sanitizer build is about our leaks, not the driver's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libOSMesa.so\n"; }

namespace qarto::test {

std::unique_ptr<Tileset> patternPage(const std::string& name, int width, int height, int seed) {
  auto page = makeTileset();
  page->sourcePath = name + ".bmp";
  page->imageWidth = width;
  page->imageHeight = height;
  page->pixels.resize(static_cast<std::size_t>(width) * height);
  const int perRow = width / 8;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int tile = (y / 8) * perRow + x / 8;
      const int row = (tile + seed) % 16;
      const int colour = (x + y + tile + seed) % 7 == 0 ? 0 : 1 + (x * 3 + y * 5 + seed) % 15;
      page->pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(row << 4 | colour);
    }
  }
  for (int i = 0; i < 256; ++i) {
    page->palette[i * 3u] = static_cast<std::uint8_t>((i * 37 + seed * 11) & 0xFF);
    page->palette[i * 3u + 1] = static_cast<std::uint8_t>((i * 91 + seed * 29 + 40) & 0xFF);
    page->palette[i * 3u + 2] = static_cast<std::uint8_t>((i * 53 + seed * 7 + 90) & 0xFF);
  }
  computeTilesetGeometry(*page);
  return page;
}

std::unique_ptr<Tileset> flatPage(const std::string& name, int width, int height) {
  auto page = makeTileset();
  page->sourcePath = name + ".bmp";
  page->imageWidth = width;
  page->imageHeight = height;
  page->pixels.resize(static_cast<std::size_t>(width) * height);
  const int perRow = width / 8;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int tile = (y / 8) * perRow + x / 8;
      const bool corner = x % 8 == 0 && y % 8 == 0;
      page->pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(corner ? 0x10 : 0x10 | (1 + tile % 15));
    }
  }
  static const std::uint8_t kColours[16][3] = {
      {0, 0, 0},      {200, 60, 60},  {60, 160, 70},  {70, 90, 200},  {220, 200, 60}, {160, 80, 190},
      {60, 190, 200}, {230, 130, 50}, {120, 120, 120}, {250, 250, 250}, {90, 50, 30},  {30, 90, 60},
      {180, 180, 230}, {230, 170, 190}, {100, 140, 40}, {40, 40, 110}};
  for (int i = 0; i < 16; ++i) {
    for (int k = 0; k < 3; ++k) page->palette[(16 + i) * 3u + k] = kColours[i][k];
  }
  computeTilesetGeometry(*page);
  return page;
}

Tileset* RenderFixture::addFlatPage(const std::string& name, int width, int height) {
  std::unique_ptr<Tileset> page = flatPage(name, width, height);
  DisplayImage display = makeDisplayImage(*page);
  return registerTileset(project(), engine_->session().host(), std::move(page), std::move(display));
}

void RenderFixture::SetUp() {
  std::string message;
  ASSERT_TRUE(context_.create(width_, height_, message)) << message;
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

Tileset* RenderFixture::addPage(const std::string& name, int width, int height, int seed) {
  std::unique_ptr<Tileset> page = patternPage(name, width, height, seed);
  DisplayImage display = makeDisplayImage(*page);
  return registerTileset(project(), engine_->session().host(), std::move(page), std::move(display));
}

MapLayer& RenderFixture::addLayer(const std::string& name, int width, int height, float parallax, LayerKind kind) {
  MapLayer* layer = project().addLayer(name, width, height, parallax, parallax, kind, true);
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

std::vector<std::uint8_t> RenderFixture::reference(std::array<std::uint8_t, 3> clear) {
  const MapGeometry g = engine_->geometry();
  ReferenceView v;
  v.zoom = g.zoom;
  v.scrollX = g.scrollX;
  v.scrollY = g.scrollY;
  v.originX = g.originX;
  v.originY = g.originY;
  v.width = width_;
  v.height = height_;
  v.clear = clear;
  return referenceLayers(project(), engine_->session().registry(), colors_, v);
}

void dumpFrame(const std::string& name, const Frame& frame) {
  const char* folder = std::getenv("QARTO_RENDER_DUMP_DIR");
  if (folder == nullptr) return;
  std::string message;
  EXPECT_TRUE(writePng(std::string(folder) + "/" + name + ".png", frame, message)) << message;
}

std::vector<std::uint8_t> rgbOf(const Frame& frame) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(frame.width) * frame.height * 3);
  for (std::size_t i = 0, n = static_cast<std::size_t>(frame.width) * frame.height; i < n; ++i) {
    for (int k = 0; k < 3; ++k) rgb[i * 3 + k] = frame.rgba[i * 4 + k];
  }
  return rgb;
}

Difference compareRgb(const std::vector<std::uint8_t>& actual, const std::vector<std::uint8_t>& expected, int width,
                      int tolerance) {
  Difference d;
  for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i) {
    const int delta = std::abs(static_cast<int>(actual[i]) - static_cast<int>(expected[i]));
    if (delta > d.maxDelta) d.maxDelta = delta;
    if (delta > tolerance) {
      if (d.count == 0) {
        d.firstX = static_cast<int>((i / 3) % static_cast<std::size_t>(width));
        d.firstY = static_cast<int>((i / 3) / static_cast<std::size_t>(width));
      }
      ++d.count;
    }
  }
  if (actual.size() != expected.size()) d.count += 1;
  return d;
}

}  // namespace qarto::test
