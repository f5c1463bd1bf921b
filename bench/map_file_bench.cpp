// Saving and loading a large map: four 1024x1024-cell layers and two
// 256x256-pixel tile pages, about 32 MB on disk. Save goes through the
// atomic file (including its sync); load reads the file and decodes it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/map_file/map_file_reader.h"
#include "io/map_file/map_file_writer.h"
#include "model/project/map_project.h"
#include "model/recording_services.h"
#include "model/tileset/tileset_registry.h"

namespace {

using namespace qarto;


struct BenchMap {
  RecordingServices services;
  TilesetRegistry registry;
  MapProject project{services, registry};
  std::string folder;
  std::string path;

  BenchMap() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qarto-bench-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    path = folder + "/big.qrm";
    const LayerKind kinds[] = {LayerKind::Primary, LayerKind::Collision, LayerKind::Secondary, LayerKind::Secondary};
    for (LayerKind kind : kinds) {
      auto layer = std::make_unique<MapLayer>();
      layer->kind = kind;
      layer->width = 1024;
      layer->height = 1024;
      layer->cells.resize(1024 * 1024);
      for (std::size_t i = 0; i < layer->cells.size(); ++i) {
        MapCell& cell = layer->cells[i];
        cell.tile = static_cast<std::int16_t>(i % 1024);
        cell.tileset = 2;
        cell.palette = static_cast<std::uint8_t>(i % 16);
        cell.collision = static_cast<std::uint16_t>(i * 31);
        cell.flags = static_cast<std::uint8_t>(i % 4);
      }
      project.insertLayer(std::move(layer), project.layerCount());
    }
    for (int id = 1; id <= 2; ++id) {
      auto page = std::make_unique<Tileset>();
      page->id = id;
      page->imageWidth = 256;
      page->imageHeight = 256;
      page->sourcePath = "pages/page" + std::to_string(id) + ".bmp";
      page->pixels.resize(256 * 256);
      for (std::size_t i = 0; i < page->pixels.size(); ++i) page->pixels[i] = static_cast<std::uint8_t>(i * 7);
      computeTilesetGeometry(*page);
      page->hasCollisionSet = true;
      page->collisionSet.assign(static_cast<std::size_t>(page->tileCount), 1);
      registry.insert(std::move(page));
    }
    project.filePath = path;
  }
  ~BenchMap() { std::filesystem::remove_all(folder); }
};

BenchMap& benchMap() {
  static BenchMap map;
  return map;
}

void BM_SaveMap(benchmark::State& state) {
  BenchMap& map = benchMap();
  std::size_t bytes = 0;
  for (auto _ : state) {
    AtomicSaveTarget target(map.path);
    const bool ok = target.open() && writeMapFile(target, map.project, map.registry) && target.commit();
    if (!ok) state.SkipWithError("save failed");
    bytes = std::filesystem::file_size(map.path);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["file_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_SaveMap)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadMap(benchmark::State& state) {
  BenchMap& map = benchMap();
  std::vector<std::uint8_t> written;
  if (!encodeMapFile(map.project, map.registry, written) ||
      !writeFileAtomically(map.path, written.data(), written.size())) {
    state.SkipWithError("could not prepare the file");
    return;
  }
  for (auto _ : state) {
    MapFileRead read = readMapFile(map.path);
    if (read.status != ReadStatus::Ok) state.SkipWithError("read failed");
    LoadedMap& loaded = read.map;
    if (!loaded.succeeded() || loaded.layers.size() != 4) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(loaded);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written.size()));
}
BENCHMARK(BM_LoadMap)->Unit(benchmark::kMillisecond)->UseRealTime();

// The byte-level halves alone, without the file system.
void BM_EncodeMap(benchmark::State& state) {
  BenchMap& map = benchMap();
  std::size_t size = 0;
  for (auto _ : state) {
    std::vector<std::uint8_t> bytes;
    if (!encodeMapFile(map.project, map.registry, bytes)) state.SkipWithError("encode failed");
    size = bytes.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_EncodeMap)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecodeMap(benchmark::State& state) {
  BenchMap& map = benchMap();
  std::vector<std::uint8_t> bytes;
  encodeMapFile(map.project, map.registry, bytes);
  for (auto _ : state) {
    LoadedMap loaded = decodeMapFile(bytes.data(), bytes.size());
    if (!loaded.succeeded()) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(loaded);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeMap)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
