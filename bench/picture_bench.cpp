// Pictures into tile pages: the packing of a 16-bank picture's colour sets,
// and the whole reduction of a 1024x1024 picture of 1000 unique tiles in 12
// banks. Both pictures are drawn from banks made up here, so they fit.
#include <benchmark/benchmark.h>

#include "../tests/support/hidden_banks.h"
#include "export/picture/bank_packing.h"
#include "export/picture/picture_page.h"

namespace {

void packSixteenBanks(benchmark::State& state) {
  const qarto::test::HiddenPicture hidden =
      qarto::test::makeHiddenPicture({static_cast<unsigned>(state.range(0)), 16, 300, 6, 12, true, 0, 0});
  qarto::Packing packing;
  for (auto _ : state) {
    packing = qarto::packColourSets(hidden.sets, {});
    benchmark::DoNotOptimize(packing);
  }
  state.counters["banks"] = packing.banksNeeded;
  state.counters["fits"] = packing.fits;
  state.SetLabel(qarto::packingMethodName(packing.method));
}
BENCHMARK(packSixteenBanks)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

void reduceLargePicture(benchmark::State& state) {
  const qarto::test::HiddenPicture hidden =
      qarto::test::makeHiddenPicture({7, 12, 1000, 4, 12, true, 5, 0, 128, 128 * 128});
  qarto::PicturePage page;
  std::string message;
  for (auto _ : state) {
    const bool ok = qarto::reducePicture(hidden.picture, {}, page, message);
    benchmark::DoNotOptimize(ok);
  }
  state.counters["banks"] = page.banks;
  state.counters["tiles"] = page.tiles;
  state.SetLabel(qarto::packingMethodName(page.method));
}
BENCHMARK(reduceLargePicture)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
