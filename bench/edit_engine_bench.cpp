// The editing engine on a 1024 x 1024 layer: a paint event with a full
// brush, the preview plan, a fill that reaches the visit limit and a stamp
// rectangle over the whole layer.

#include <benchmark/benchmark.h>

#include <memory>

#include "edit/brush/brush.h"
#include "edit/collision/collision_set_generation.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/session/tileset_commands.h"
#include "edit/tools/flood_fill.h"
#include "io/images/display_image.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registration.h"

namespace qarto {
namespace {

// Zoom 1, no centring: cell (x, y) lies under window pixel (8x + 4, 8y + 4).
struct BigMap {
  RecordingServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  std::unique_ptr<MapViewEngine> engine;
  MapLayer* level = nullptr;
  Tileset* page = nullptr;

  BigMap() {
    settings.writeInt("Settings", "UndoLevels", 1);
    settings.writeText("Settings", "MapPageScale", "1.0");
    settings.writeText("Settings", "TilePageScale", "1.0");
    settings.writeInt("Settings", "CenteredView", 0);
    engine = std::make_unique<MapViewEngine>(services, settings, host);
    loadCollisionTileset(engine->session());
    engine->loadViewOptions();
    engine->resize(8192, 8192);
    level = engine->project().addLayer("Level", 1024, 1024, 1.0f, 1.0f, LayerKind::Primary, true);

    auto tiles = std::make_unique<Tileset>();
    tiles->imageWidth = 256;
    tiles->imageHeight = 256;
    tiles->pixels.resize(256 * 256);
    for (std::size_t i = 0; i < tiles->pixels.size(); ++i) tiles->pixels[i] = static_cast<std::uint8_t>(1 + i % 200);
    tiles->sourcePath = "tiles.bmp";
    computeTilesetGeometry(*tiles);
    DisplayImage display = makeDisplayImage(*tiles);
    page = registerTileset(engine->project(), engine->session().host(), std::move(tiles), std::move(display));
    engine->project().currentTilesetId = page->id;
  }

  // The 32 x 32 tiles of the page's top-left corner: 1024 placements.
  void fullBrush() {
    Brush& brush = *engine->state().brushes.forTileset(page->id);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) brush.addFromPage(*page, x, y);
    }
  }
};

void BM_PaintEventFullBrush(benchmark::State& state) {
  BigMap map;
  map.fullBrush();
  map.engine->mousePress(MouseButton::Left, {8 * 100 + 4, 8 * 100 + 4}, {});
  int step = 0;
  for (auto _ : state) {
    const int cell = 16 + (step++ * 7) % 990;
    map.engine->mouseMove({8 * cell + 4, 8 * ((cell * 3) % 990 + 16) + 4}, ButtonSet{true, false, false}, {});
  }
  map.engine->mouseRelease(MouseButton::Left, {0, 0}, {});
}
BENCHMARK(BM_PaintEventFullBrush)->Unit(benchmark::kMicrosecond);

void BM_PreviewPlanFullBrush(benchmark::State& state) {
  BigMap map;
  map.fullBrush();
  map.engine->mouseMove({8 * 500 + 4, 8 * 500 + 4}, {}, {});
  for (auto _ : state) benchmark::DoNotOptimize(map.engine->previewPlan());
}
BENCHMARK(BM_PreviewPlanFullBrush)->Unit(benchmark::kMicrosecond);

void BM_FillToTheVisitLimit(benchmark::State& state) {
  BigMap map;
  Brush brush;
  brush.add(*map.page, 0, 0, 5, false, false);
  const std::vector<MapCell> uniform = map.level->cells;
  UndoJournal& journal = map.engine->project().journal();
  for (auto _ : state) {
    state.PauseTiming();
    map.level->cells = uniform;
    state.ResumeTiming();
    journal.beginCellEdit(map.level);
    const FillResult result = floodFill(*map.level, {512, 512}, brush, false, false, map.engine->project().registry(),
                                        journal);
    journal.commitCellEdit();
    if (!result.cutOff) state.SkipWithError("the fill should reach the limit");
  }
}
BENCHMARK(BM_FillToTheVisitLimit)->Unit(benchmark::kMillisecond);

void BM_StampRectangleWholeLayer(benchmark::State& state) {
  BigMap map;
  EditorCommands commands(*map.engine);
  commands.run(32808);  // Rubber Stamp
  const Modifiers shift{true, false, false};
  for (auto _ : state) {
    map.engine->state().brushes.stamp().clear();
    map.engine->mousePress(MouseButton::Middle, {4, 4}, shift);
    map.engine->mouseRelease(MouseButton::Middle, {8 * 1023 + 4, 8 * 1023 + 4}, shift);
  }
  if (map.engine->state().brushes.stamp().count() != 1024) state.SkipWithError("the stamp should be full");
}
BENCHMARK(BM_StampRectangleWholeLayer)->Unit(benchmark::kMillisecond);

// The Make .CLL wizard's auto-generation on a 4096 x 4096-pixel page.
void BM_CollisionSetGeneration4096(benchmark::State& state) {
  BigMap map;
  Tileset page;
  page.imageWidth = 4096;
  page.imageHeight = 4096;
  page.pixels.resize(4096u * 4096u);
  for (std::size_t i = 0; i < page.pixels.size(); ++i) page.pixels[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 27);
  computeTilesetGeometry(page);
  for (auto _ : state) {
    benchmark::DoNotOptimize(generateCollisionSet(page, *map.engine->project().collisionTileset, true));
  }
}
BENCHMARK(BM_CollisionSetGeneration4096)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qarto

BENCHMARK_MAIN();
