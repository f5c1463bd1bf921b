#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "bench_map.h"
#include "export/reduction/export_reduction.h"
#include "model/project/map_layer.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace {

using namespace qarto;

// One 512x512-cell primary layer drawn from 1000 distinct tiles of one page
// (40 x 25 tiles), with random flips and palette rows.
struct BenchMap {
  TilesetRegistry registry;
  LayerStack layers;

  BenchMap() {
    std::mt19937 rng(12345);
    registry.insert(bench::makeBenchPage(rng));
    layers.push_back(bench::makeBenchLayer(rng));
  }
};

const BenchMap& benchMap() {
  static const BenchMap map;
  return map;
}

void reduce(benchmark::State& state, MatchMethod method) {
  const BenchMap& map = benchMap();
  for (auto _ : state) {
    ExportReduction reduction;
    CollectPalettes(reduction, map.layers, map.registry, false, method);
    CollectTiles(reduction, map.layers, map.registry, 0, method);
    benchmark::DoNotOptimize(reduction.tiles[0].data());
    if (reduction.tileCount(0) != 1000) state.SkipWithError("expected 1000 unique tiles");
  }
  state.SetItemsProcessed(state.iterations() * 512 * 512);
}

void BM_ReductionIndexed(benchmark::State& state) { reduce(state, MatchMethod::Indexed); }
void BM_ReductionLiteral(benchmark::State& state) { reduce(state, MatchMethod::Literal); }

}  // namespace

BENCHMARK(BM_ReductionIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReductionLiteral)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
