// The hardware budget on four 1024 x 1024 layers (1000 tiles, 16 palette
// rows): bringing it up to date after a 64-cell stroke, after undoing and
// redoing it, after a layer operation the journal cannot name cell by cell,
// the lines the budget bar shows, and the whole count it starts from.

#include <benchmark/benchmark.h>

#include <random>

#include "bench_map.h"
#include "export/budget/budget_figures.h"
#include "export/budget/budget_tracker.h"
#include "model/project/map_project.h"
#include "model/recording_services.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {
namespace {

struct FourLayers {
  RecordingServices services;
  TilesetRegistry registry;
  MapProject project{services, registry};
  BudgetTracker tracker;
  std::mt19937 rng{7};

  FourLayers() {
    bench::loadFourLayerBenchMap(project, rng);
    tracker.recount(project);
  }

  void stroke() { bench::strokeEightByEight(project, rng); }
};

void BM_BudgetAfterStroke(benchmark::State& state) {
  FourLayers map;
  for (auto _ : state) {
    map.stroke();
    map.tracker.update(map.project);
    benchmark::DoNotOptimize(map.tracker.counts().uniqueTiles(0));
  }
}
BENCHMARK(BM_BudgetAfterStroke)->Unit(benchmark::kMicrosecond);

void BM_BudgetAfterUndoAndRedo(benchmark::State& state) {
  FourLayers map;
  map.stroke();
  map.tracker.update(map.project);
  for (auto _ : state) {
    map.project.journal().undo(map.project);
    map.tracker.update(map.project);
    map.project.journal().redo(map.project);
    map.tracker.update(map.project);
  }
}
BENCHMARK(BM_BudgetAfterUndoAndRedo)->Unit(benchmark::kMicrosecond);

// A change no journal entry names: every cell of the four layers compared.
void BM_BudgetAfterLayerOperation(benchmark::State& state) {
  FourLayers map;
  for (auto _ : state) {
    map.project.journal().forgetLayer(map.project.layerAt(0));
    map.tracker.update(map.project);
  }
}
BENCHMARK(BM_BudgetAfterLayerOperation)->Unit(benchmark::kMillisecond);

void BM_BudgetBarLines(benchmark::State& state) {
  FourLayers map;
  for (auto _ : state) {
    const BudgetFigures figures = budgetFigures(map.project, map.tracker.counts());
    benchmark::DoNotOptimize(budgetLines(figures));
    benchmark::DoNotOptimize(vramLayout(figures));
  }
}
BENCHMARK(BM_BudgetBarLines)->Unit(benchmark::kMicrosecond);

void BM_BudgetWholeCount(benchmark::State& state) {
  FourLayers map;
  for (auto _ : state) map.tracker.recount(map.project);
}
BENCHMARK(BM_BudgetWholeCount)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qarto

BENCHMARK_MAIN();
