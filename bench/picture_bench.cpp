// Pictures into tile pages: the packing of the colour sets of 16-bank
// pictures of 300 tiles with 3 to 8 colours each (a best fit needs more than
// 16 banks on them, so the tabu search runs),
// and the whole reduction of a 1024x1024 picture of 1000 unique tiles in 12
// banks. Both pictures are drawn from banks made up here, so they fit.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "../tests/support/hidden_banks.h"
#include "export/picture/bank_packing.h"
#include "export/picture/picture_page.h"

namespace {

void packSixteenBanks(benchmark::State& state) {
  const qarto::test::HiddenPicture hidden =
      qarto::test::makeHiddenPicture({static_cast<unsigned>(state.range(0)), 16, 300, 3, 8, true, 0, 0});
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

// 1024 x 1024 pixels: 1000 unique tiles repeated, flipped, over 16384 cells.
qarto::test::HiddenPicture largePicture() {
  return qarto::test::makeHiddenPicture({7, 12, 1000, 4, 12, true, 5, 0, 128, 128 * 128});
}

void reduceLargePicture(benchmark::State& state) {
  const qarto::test::HiddenPicture hidden = largePicture();
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

// With `--write-picture PATH` the large picture is written as a 32-bit BMP
// for timing the whole qarto-cli import-image (bench/import_image_bench.sh).
int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--write-picture") {
    const std::vector<std::uint8_t> bytes = qarto::test::bmp32(largePicture().picture);
    std::FILE* out = std::fopen(argv[2], "wb");
    const bool written = out != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (out != nullptr) std::fclose(out);
    return written ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
