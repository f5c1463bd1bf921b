#include <benchmark/benchmark.h>

#include "bench_map.h"
#include "export/rom/map_rom.h"
#include "model/byte_order.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset_host.h"

namespace {

using namespace qarto;

// What Run Map does before the emulator starts: the reduction of the whole
// map and its layers appended to the player (a stand-in of the player's
// size with its block, so the benchmark needs no ARM toolchain).
void BM_MapRomTwoGroups(benchmark::State& state) {
  RecordingServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session{services, settings, host};
  bench::loadLargeBenchMap(session);
  std::vector<std::uint8_t> base(2048, 0);
  base[3] = 0xEA;
  storeU32(base.data() + 0xC0, 0x594C5051);
  storeU16(base.data() + 0xC4, 1);
  storeU16(base.data() + 0xC6, 1);
  storeU32(base.data() + 0xC8, 2048);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::optional<std::vector<std::uint8_t>> rom = buildMapRom(session, base, {});
    if (!rom) {
      state.SkipWithError(services.messages.empty() ? "refused" : services.messages.back().c_str());
      break;
    }
    bytes = rom->size();
  }
  state.counters["romBytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(BM_MapRomTwoGroups)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
