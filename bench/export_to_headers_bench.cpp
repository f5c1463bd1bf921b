#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "bench_map.h"
#include "export/export_to_header.h"
#include "model/project/editor_session.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset_host.h"

namespace {

using namespace qarto;

// The whole Export to Headers, reduction plus writing every file (each one
// synced and renamed into place), into a fresh temporary folder.
struct ExportBench {
  RecordingServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session{services, settings, host};
  std::string folder;

  explicit ExportBench(const std::function<void(EditorSession&)>& load) {
    load(session);
    session.project().filePath = "bench.qrm";
    std::string pattern = (std::filesystem::temp_directory_path() / "qarto-export-bench-XXXXXX").string();
    folder = mkdtemp(pattern.data());
  }
  ~ExportBench() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

void runExport(benchmark::State& state, const std::function<void(EditorSession&)>& load) {
  ExportBench bench(load);
  ExportOptions options;
  options.directory = bench.folder;
  for (auto _ : state) {
    const ExportOutcome outcome = exportToHeaders(bench.session, options);
    if (!outcome.success) {
      state.SkipWithError(bench.services.messages.empty() ? "export failed" : bench.services.messages.back().c_str());
      break;
    }
  }
  std::uintmax_t bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(bench.folder)) bytes += entry.file_size();
  state.counters["bytesWritten"] = static_cast<double>(bytes);
}

// One 512x512-cell primary layer drawn from 1000 distinct tiles with random
// flips and palette rows.
void BM_ExportToHeaders(benchmark::State& state) { runExport(state, bench::loadSmallBenchMap); }

// Two 1024x1024-cell layers, one per tile group, drawn from 1000 and 700
// distinct tiles.
void BM_ExportToHeadersTwoGroups(benchmark::State& state) { runExport(state, bench::loadLargeBenchMap); }

}  // namespace

BENCHMARK(BM_ExportToHeaders)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportToHeadersTwoGroups)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
