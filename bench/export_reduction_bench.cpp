#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "export/export_reduction.h"
#include "model/map_layer.h"
#include "model/tileset.h"
#include "model/tileset_registry.h"

namespace {

using namespace qarto;

// One 512x512-cell primary layer drawn from 1000 distinct tiles of one page
// (40 x 25 tiles), with random flips and palette rows.
struct BenchMap {
  TilesetRegistry registry;
  LayerStack layers;

  BenchMap() {
    std::mt19937 rng(12345);
    auto page = std::make_unique<Tileset>();
    page->id = 1;
    page->imageWidth = 40 * 8;
    page->imageHeight = 25 * 8;
    page->pixels.resize(static_cast<std::size_t>(page->imageWidth) * page->imageHeight);
    for (auto& p : page->pixels) p = static_cast<std::uint8_t>(rng() & 0xff);
    for (std::size_t i = 0; i < page->palette.size(); ++i) page->palette[i] = static_cast<std::uint8_t>(i * 7);
    computeTilesetGeometry(*page);
    registry.insert(std::move(page));

    auto layer = std::make_unique<MapLayer>();
    layer->width = 512;
    layer->height = 512;
    layer->cells.resize(512 * 512);
    for (MapCell& cell : layer->cells) {
      cell.tileset = 1;
      cell.tile = static_cast<std::int16_t>(rng() % 1000);
      cell.palette = static_cast<std::uint8_t>(rng() % 16);
      cell.flags = static_cast<std::uint8_t>(rng() % 4);
    }
    layers.push_back(std::move(layer));
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
