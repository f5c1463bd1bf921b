// The recovery copy's pause: the snapshot the editor takes on the main
// thread (every layer's cells and every page copied; the first one into
// fresh memory, later ones into the last one's buffers) on a map of four
// 1024x1024-cell layers, and, for comparison, the encoding and atomic write
// that follow on another thread. The pause must stay under 20 ms.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>

#include "bench_map.h"
#include "edit/recovery/recovery_snapshot.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset_host.h"

namespace {

using namespace qarto;

struct FourLayerMap {
  RecordingServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session{services, settings, host};

  FourLayerMap() {
    std::mt19937 rng(11);
    session.registry().insert(bench::makeBenchPage(rng));
    MapProject& project = session.project();
    project.lastTilesetId = 1;
    project.tilesetsLoaded = true;
    for (int i = 0; i < 4; ++i) {
      auto layer = bench::makeBenchLayer(rng, 1024, 1, 1000);
      layer->kind = i == 0 ? LayerKind::Primary : LayerKind::Secondary;
      project.insertLayer(std::move(layer), project.layerCount());
    }
    project.activeLayer = project.layerAt(0);
  }
};

FourLayerMap& map() {
  static FourLayerMap instance;
  return instance;
}

// The first copy of a session: fresh memory, mapped page by page.
void BM_FirstRecoverySnapshot(benchmark::State& state) {
  FourLayerMap& m = map();
  for (auto _ : state) {
    auto snapshot = std::make_unique<RecoverySnapshot>(m.session.project(), m.session.registry(), "/maps/level.qrm");
    benchmark::DoNotOptimize(snapshot->project().layerCount());
    state.PauseTiming();  // the copy is kept for the next one, or freed on saving
    snapshot.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstRecoverySnapshot)->Unit(benchmark::kMillisecond);

// Every later copy: the keeper refreshes the snapshot the last write handed back.
void BM_RecoverySnapshotOnTheMainThread(benchmark::State& state) {
  FourLayerMap& m = map();
  RecoverySnapshot snapshot(m.session.project(), m.session.registry(), "/maps/level.qrm");
  for (auto _ : state) {
    snapshot.refresh(m.session.project(), m.session.registry(), "/maps/level.qrm");
    benchmark::DoNotOptimize(snapshot.project().layerCount());
  }
}
BENCHMARK(BM_RecoverySnapshotOnTheMainThread)->Unit(benchmark::kMillisecond);

void BM_RecoveryCopyWrittenOffTheMainThread(benchmark::State& state) {
  FourLayerMap& m = map();
  RecoverySnapshot snapshot(m.session.project(), m.session.registry(), "/maps/level.qrm");
  char path[] = "/tmp/qarto-recovery-bench-XXXXXX.qrm";
  for (auto _ : state) {
    WriteFailure failure;
    if (!snapshot.write(path, realFileSystem(), failure)) state.SkipWithError("the copy could not be written");
  }
  std::remove(path);
}
BENCHMARK(BM_RecoveryCopyWrittenOffTheMainThread)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
