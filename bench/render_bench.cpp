// Frame times of the map view on OSMesa llvmpipe: a 1920x1080 window over
// 1024x1024-cell layers of one 256x256 page. Targets: the default view
// (zoom 2, two layers, grid and bounds) under 40 ms; zoom 1 with three
// layers under 60 ms; zoom 0.25 with three layers under 80 ms.
//
// "Steady" frames redraw an unchanged view, as a mouse move over the map
// does (with the brush preview following the mouse); "Scrolling" frames
// move the view every time, so every layer is composed again.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "edit/brush/brush.h"
#include "edit/engine/map_view_engine.h"
#include "edit/tools/stroke_plan.h"
#include "io/images/display_image.h"
#include "model/project/map_project.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/settings/settings_defaults.h"
#include "model/settings/view_colors.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registration.h"
#include "offscreen/offscreen_context.h"
#include "render/art/builtin_glyphs.h"
#include "render/frame_input.h"
#include "render/gl/gl_api.h"
#include "render/render_tileset_host.h"
#include "render/renderer.h"

namespace {

using namespace qarto;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kCells = 1024;

std::unique_ptr<Tileset> benchPage(std::mt19937& rng) {
  auto page = std::make_unique<Tileset>();
  page->sourcePath = "bench.bmp";
  page->imageWidth = 256;
  page->imageHeight = 256;
  page->pixels.resize(256 * 256);
  for (auto& p : page->pixels) p = static_cast<std::uint8_t>(rng() & 0xFF);
  for (std::size_t i = 0; i < page->palette.size(); ++i) page->palette[i] = static_cast<std::uint8_t>(i * 7);
  computeTilesetGeometry(*page);
  return page;
}

// One engine, renderer and context for every benchmark of the run.
struct Scene {
  OffscreenContext context;
  Renderer renderer;
  RenderTilesetHost host{renderer, builtinGlyphSet()};
  RecordingServices services;
  MemorySettingsStore settings;
  std::unique_ptr<MapViewEngine> engine;
  ViewColors colors;
  std::vector<FlagIcon> flags = predefinedFlagIcons();
  std::vector<MapLayer*> layers;
  StrokePlan plan;

  Scene() {
    setenv("GALLIUM_DRIVER", "llvmpipe", 0);
    std::string message;
    if (!context.create(kWidth, kHeight, message)) std::abort();
    renderer.setUp(builtinGlyphSet(), message);
    ensureSettingsDefaults(settings);
    colors = loadViewColors(settings);
    engine = std::make_unique<MapViewEngine>(services, settings, host);
    engine->loadViewOptions();  // zoom 2, grid with screen blocks, layer bounds, centred
    engine->resize(kWidth, kHeight);
    std::mt19937 rng(7);
    std::unique_ptr<Tileset> page = benchPage(rng);
    DisplayImage display = makeDisplayImage(*page);
    Tileset* registered = registerTileset(engine->project(), engine->session().host(), std::move(page), std::move(display));
    for (int i = 0; i < 3; ++i) {
      MapLayer* layer = engine->project().addLayer("Layer" + std::to_string(i), kCells, kCells, 1.0f, 1.0f,
                                                   i == 0 ? LayerKind::Primary : LayerKind::Secondary, true);
      for (MapCell& cell : layer->cells) {
        cell.tileset = static_cast<std::int8_t>(registered->id);
        cell.tile = static_cast<std::int16_t>(rng() % 1024);
        cell.flags = static_cast<std::uint8_t>(rng() % 4);
      }
      layers.push_back(layer);
    }
    Brush& brush = *engine->state().brushes.forTileset(registered->id);
    for (int c = 0; c < 4; ++c) {
      for (int r = 0; r < 3; ++r) brush.addFromPage(*registered, c, r);
    }
  }

  void showLayers(int count) {
    for (int i = 0; i < 3; ++i) layers[static_cast<std::size_t>(i)]->visible = i < count;
  }

  void frame() {
    FrameInput input;
    input.state = &engine->state();
    input.colors = &colors;
    input.flagIcons = flags;
    attachPreview(*engine, plan, input);
    renderer.paint(input);
    glFinish();
  }
};

Scene& scene() {
  static Scene s;
  return s;
}

enum class Motion { Steady, Scrolling };

void runFrames(benchmark::State& state, float zoom, int layers, Motion motion, LayerPath path) {
  Scene& s = scene();
  s.showLayers(layers);
  s.renderer.setLayerPath(path);
  ViewState& view = s.engine->state().view;
  view.mapZoom = zoom;
  view.scrollX = 64;
  view.scrollY = 32;
  int step = 0;
  s.engine->mouseMove({kWidth / 2, kHeight / 2}, ButtonSet{}, Modifiers{});
  s.frame();  // compose once
  for (auto _ : state) {
    ++step;
    if (motion == Motion::Scrolling) {
      view.scrollX = 64 + (step % 50) * 3;
    } else {
      s.engine->mouseMove({kWidth / 2 + (step % 40) * 8, kHeight / 2}, ButtonSet{}, Modifiers{});
    }
    s.frame();
  }
  state.counters["cell_quads"] = s.renderer.stats().cellQuads;
  state.counters["recomposed_px"] = s.renderer.stats().composedPixels;
}

void BM_DefaultViewTwoLayers(benchmark::State& state) {
  runFrames(state, 2.0f, 2, Motion::Steady, LayerPath::Composed);
}
void BM_ZoomOneThreeLayers(benchmark::State& state) {
  runFrames(state, 1.0f, 3, Motion::Steady, LayerPath::Composed);
}
void BM_ZoomQuarterThreeLayers(benchmark::State& state) {
  runFrames(state, 0.25f, 3, Motion::Steady, LayerPath::Composed);
}
void BM_DefaultViewTwoLayersScrolling(benchmark::State& state) {
  runFrames(state, 2.0f, 2, Motion::Scrolling, LayerPath::Composed);
}
void BM_ZoomOneThreeLayersScrolling(benchmark::State& state) {
  runFrames(state, 1.0f, 3, Motion::Scrolling, LayerPath::Composed);
}
void BM_ZoomQuarterThreeLayersScrolling(benchmark::State& state) {
  runFrames(state, 0.25f, 3, Motion::Scrolling, LayerPath::Composed);
}
void BM_CellPathDefaultViewTwoLayers(benchmark::State& state) {
  runFrames(state, 2.0f, 2, Motion::Steady, LayerPath::Cells);
}
void BM_CellPathZoomOneThreeLayers(benchmark::State& state) {
  runFrames(state, 1.0f, 3, Motion::Steady, LayerPath::Cells);
}

BENCHMARK(BM_DefaultViewTwoLayers)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomOneThreeLayers)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomQuarterThreeLayers)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DefaultViewTwoLayersScrolling)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomOneThreeLayersScrolling)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomQuarterThreeLayersScrolling)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CellPathDefaultViewTwoLayers)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CellPathZoomOneThreeLayers)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
