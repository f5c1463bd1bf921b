// The layer operations on four 1024 x 1024 layers: merge down with its undo
// entry, eat hidden tiles, flip, clone, one Shift preview step, resizing all
// layers with stretching, and undoing a one-million-cell entry.

#include <benchmark/benchmark.h>

#include <memory>

#include "edit/collision/collision_flip_tables.h"
#include "edit/dialogs/resize_layer_model.h"
#include "edit/dialogs/shift_layer_model.h"
#include "edit/layers/cells/layer_eat.h"
#include "edit/layers/cells/layer_flip.h"
#include "edit/layers/cells/layer_merge.h"
#include "edit/layers/layer_clone.h"
#include "edit/session/tileset_commands.h"
#include "io/images/display_image.h"
#include "model/project/editor_session.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registration.h"

namespace qarto {
namespace {

// Says OK to every question, so that Eat Hidden Tiles goes ahead.
class AgreeingServices : public RecordingServices {
 public:
  MessageAnswer messageBox(const std::string& text, const std::string& title, MessageButtons buttons,
                           MessageIcon icon) override {
    RecordingServices::messageBox(text, title, buttons, icon);
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                      : MessageAnswer::Ok;
  }
};

constexpr int kSide = 1024;

// Four layers from the bottom: Back, Middle, Front (secondary) and Level
// (primary, on top), all 1024 x 1024. A 256 x 256 page whose tile 0 is
// blank and every other tile opaque; Level and Back are full of opaque
// tiles, Middle and Front all blank.
struct FourLayers {
  AgreeingServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session{services, settings, host};
  Tileset* page = nullptr;
  MapLayer* level = nullptr;
  MapLayer* front = nullptr;
  MapLayer* middle = nullptr;
  MapLayer* back = nullptr;

  FourLayers() {
    session.project().journal().setLevels(1);
    loadCollisionTileset(session);
    auto tiles = std::make_unique<Tileset>();
    tiles->imageWidth = 256;
    tiles->imageHeight = 256;
    tiles->pixels.resize(256 * 256);
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        const bool firstTile = x < 8 && y < 8;
        tiles->pixels[static_cast<std::size_t>(y * 256 + x)] = firstTile ? 0 : static_cast<std::uint8_t>(1 + (x + y) % 15);
      }
    }
    tiles->sourcePath = "tiles.bmp";
    computeTilesetGeometry(*tiles);
    DisplayImage display = makeDisplayImage(*tiles);
    page = registerTileset(session.project(), host, std::move(tiles), std::move(display));

    MapProject& project = session.project();
    level = project.addLayer("Level", kSide, kSide, 1, 1, LayerKind::Primary, true);
    front = project.addLayer("Front", kSide, kSide, 1, 1, LayerKind::Secondary, false);
    middle = project.addLayer("Middle", kSide, kSide, 1, 1, LayerKind::Secondary, false);
    back = project.addLayer("Back", kSide, kSide, 1, 1, LayerKind::Secondary, false);
    paintOpaque(*level);
    paintOpaque(*back);
    project.journal().clear();
  }

  void paintOpaque(MapLayer& layer) {
    for (std::size_t i = 0; i < layer.cells.size(); ++i) {
      layer.cells[i].tile = static_cast<std::int16_t>(1 + i % 1023);
      layer.cells[i].tileset = static_cast<std::int8_t>(page->id);
    }
  }

  void blank(MapLayer& layer) {
    for (MapCell& cell : layer.cells) cell = MapCell{0, static_cast<std::int8_t>(page->id), 0, 0, 0, 0};
  }

  void activate(MapLayer* layer) { session.project().activeLayer = layer; }
};

void BM_MergeDownWithUndo(benchmark::State& state) {
  FourLayers map;
  map.activate(map.middle);  // every cell blank: the whole layer is merged and saved
  for (auto _ : state) {
    mergeActiveLayerDown(map.session);
    state.PauseTiming();
    map.blank(*map.middle);
    map.session.project().journal().clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MergeDownWithUndo)->Unit(benchmark::kMillisecond);

void BM_UndoOfAMillionCells(benchmark::State& state) {
  FourLayers map;
  map.activate(map.middle);
  for (auto _ : state) {
    state.PauseTiming();
    mergeActiveLayerDown(map.session);
    state.ResumeTiming();
    map.session.project().journal().undo(map.session.project());
  }
}
BENCHMARK(BM_UndoOfAMillionCells)->Unit(benchmark::kMillisecond);

void BM_EatHiddenTiles(benchmark::State& state) {
  FourLayers map;
  map.activate(map.front);  // beneath Level, whose tiles are all opaque
  for (auto _ : state) {
    eatHiddenTiles(map.session);
    state.PauseTiming();
    map.paintOpaque(*map.front);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EatHiddenTiles)->Unit(benchmark::kMillisecond);

void BM_FlipHorizontally(benchmark::State& state) {
  FourLayers map;
  map.activate(map.level);
  const CollisionFlipTables none;
  for (auto _ : state) flipActiveLayer(map.session, true, none);
}
BENCHMARK(BM_FlipHorizontally)->Unit(benchmark::kMillisecond);

void BM_FlipVertically(benchmark::State& state) {
  FourLayers map;
  map.activate(map.level);
  const CollisionFlipTables none;
  for (auto _ : state) flipActiveLayer(map.session, false, none);
}
BENCHMARK(BM_FlipVertically)->Unit(benchmark::kMillisecond);

void BM_Clone(benchmark::State& state) {
  FourLayers map;
  map.activate(map.back);
  for (auto _ : state) {
    cloneActiveLayer(map.session);
    state.PauseTiming();
    map.session.project().journal().undo(map.session.project());  // removes the clone
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Clone)->Unit(benchmark::kMillisecond);

void BM_ShiftPreviewStep(benchmark::State& state) {
  FourLayers map;
  map.activate(map.level);
  ShiftLayerModel shift(map.session);
  shift.begin();
  shift.setWrapVertically(true);
  shift.setVerticalPosition(kSide - 7);
  int step = 0;
  for (auto _ : state) shift.setHorizontalPosition(kSide + (++step % 2 == 0 ? 100 : -100));
  shift.cancel();
}
BENCHMARK(BM_ShiftPreviewStep)->Unit(benchmark::kMillisecond);

void BM_ResizeAllLayersStretched(benchmark::State& state) {
  FourLayers map;
  map.activate(map.level);
  bool shrink = true;
  for (auto _ : state) {
    ResizeLayerModel resize(map.session);
    resize.begin();
    resize.setStretchHorizontally(true);
    resize.setStretchVertically(true);
    resize.setNewSize(shrink ? 1000 : kSide, shrink ? 1000 : kSide);
    resize.confirm();
    shrink = !shrink;
  }
}
BENCHMARK(BM_ResizeAllLayersStretched)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qarto

BENCHMARK_MAIN();
