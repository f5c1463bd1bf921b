// Importing a large Tiled map: four 1024x1024-cell layers in CSV (Tiled's
// default), one of them the collision layer, over one 40x25-tile page.
// Timed: reading the TMX file and mapping it to Qarto's layers and page.
//   qarto_tmx_import_bench --write-tmx DIR   writes the map for timing the
//   whole `qarto-cli import-tmx DIR/big.tmx -o OUT.qrm` process.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench_map.h"
#include "edit/tmx/tmx_import.h"
#include "io/images/png_indexed_writer.h"
#include "io/tmx/tmx_reader.h"
#include "io/tmx/tmx_writer.h"

namespace {

using namespace qarto;

std::string writeBigTmx(const std::string& folder) {
  std::mt19937 rng(4242);
  const std::unique_ptr<Tileset> page = bench::makeBenchPage(rng);
  std::string message;
  writeIndexedPng(folder + "/page.png", *page, message);
  TmxMap map;
  map.width = map.height = 1024;
  TmxTileset set;
  set.name = "page";
  set.tileWidth = set.tileHeight = 8;
  set.tileCount = page->tileCount;
  set.columns = 40;
  set.image = "page.png";
  set.imageWidth = page->imageWidth;
  set.imageHeight = page->imageHeight;
  map.tilesets.push_back(set);
  for (int i = 0; i < 4; ++i) {
    TmxLayer layer;
    layer.id = i + 1;
    layer.name = "layer" + std::to_string(i);
    layer.width = layer.height = 1024;
    if (i == 1) layer.properties.push_back({kTmxKindProperty, "string", "collision"});
    layer.gids.resize(1024 * 1024);
    // Collision cells are never flipped.
    for (auto& gid : layer.gids) gid = (1 + rng() % 1000) | (i == 1 ? 0u : (rng() % 4) << 30);
    map.layers.push_back(std::move(layer));
  }
  const std::string path = folder + "/big.tmx";
  std::ofstream(path) << tmxText(map);
  return path;
}

struct BigTmx {
  std::string folder;
  std::string path;
  BigTmx() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qarto-bench-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    path = writeBigTmx(folder);
  }
  ~BigTmx() { std::filesystem::remove_all(folder); }
};

void BM_ImportTmx1024x1024FourLayers(benchmark::State& state) {
  static const BigTmx big;
  for (auto _ : state) {
    const TmxRead read = readTmxFile(big.path);
    TmxImportContext context;
    context.firstTilesetId = 2;
    context.collisionTilesetId = 1;
    const TmxImport imported = importTmx(read.map, context);
    if (!imported.ok) state.SkipWithError(imported.message.c_str());
    benchmark::DoNotOptimize(imported.layers.data());
  }
}
BENCHMARK(BM_ImportTmx1024x1024FourLayers)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-tmx") == 0) {
    std::printf("%s\n", writeBigTmx(argv[2]).c_str());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
