#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "bench_map.h"
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
    session.registry().insert(bench::makeBenchPage(rng));
    MapProject& project = session.project();
    project.lastTilesetId = 1;
    project.tilesetsLoaded = true;
    project.activeLayer = &project.insertLayer(bench::makeBenchLayer(rng), 0);
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
