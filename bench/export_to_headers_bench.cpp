#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "export/export_to_header.h"
#include "model/editor_session.h"
#include "model/memory_settings_store.h"
#include "model/recording_services.h"
#include "model/tileset_host.h"

namespace {

using namespace qarto;

// The whole Export to Headers on one 512x512-cell primary layer drawn from
// 1000 distinct tiles with random flips and palette rows: reduction plus
// writing every file.
struct ExportBench {
  RecordingServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session{services, settings, host};
  std::string folder;

  ExportBench() {
    std::mt19937 rng(12345);
    auto page = std::make_unique<Tileset>();
    page->id = 1;
    page->sourcePath = "bench.bmp";
    page->imageWidth = 40 * 8;
    page->imageHeight = 25 * 8;
    page->pixels.resize(static_cast<std::size_t>(page->imageWidth) * page->imageHeight);
    for (auto& p : page->pixels) p = static_cast<std::uint8_t>(rng() & 0x0f);
    for (std::size_t i = 0; i < page->palette.size(); ++i) page->palette[i] = static_cast<std::uint8_t>(i * 7);
    computeTilesetGeometry(*page);
    session.registry().insert(std::move(page));

    MapProject& project = session.project();
    project.lastTilesetId = 1;
    project.tilesetsLoaded = true;
    auto layer = std::make_unique<MapLayer>();
    layer->setName("Level");
    layer->width = 512;
    layer->height = 512;
    layer->cells.resize(512 * 512);
    for (MapCell& cell : layer->cells) {
      cell.tileset = 1;
      cell.tile = static_cast<std::int16_t>(rng() % 1000);
      cell.palette = static_cast<std::uint8_t>(rng() % 16);
      cell.flags = static_cast<std::uint8_t>(rng() % 4);
    }
    project.activeLayer = &project.insertLayer(std::move(layer), 0);
    project.filePath = "bench.qrm";

    std::string pattern = (std::filesystem::temp_directory_path() / "qarto-export-bench-XXXXXX").string();
    folder = mkdtemp(pattern.data());
  }
  ~ExportBench() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

void BM_ExportToHeaders(benchmark::State& state) {
  ExportBench bench;
  ExportOptions options;
  options.directory = bench.folder;
  std::uintmax_t bytes = 0;
  for (auto _ : state) {
    const ExportOutcome outcome = exportToHeaders(bench.session, options);
    if (!outcome.success) {
      state.SkipWithError(bench.services.messages.empty() ? "export failed" : bench.services.messages.back().c_str());
      break;
    }
  }
  for (const auto& entry : std::filesystem::directory_iterator(bench.folder)) bytes += entry.file_size();
  state.counters["bytesWritten"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(BM_ExportToHeaders)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
