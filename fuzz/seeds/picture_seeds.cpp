// Writes starting inputs for picture_fuzzer into the folder argv[1].
#include "seed_files.h"

namespace {

// An uncompressed 24- or 32-bit BMP of a colour ramp.
std::vector<std::uint8_t> truecolourBmp(int width, int height, int bits) {
  const int stride = (width * bits / 8 + 3) / 4 * 4;
  std::vector<std::uint8_t> out(54 + std::size_t(stride) * height, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  out[0] = 'B', out[1] = 'M';
  put32(2, static_cast<std::uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  out[26] = 1, out[28] = static_cast<std::uint8_t>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * bits / 8; ++x)
      out[54 + std::size_t(y) * stride + x] = static_cast<std::uint8_t>(x * 7 + y * 3);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qarto::seeds;
  return seedMain(argc, argv, [](const std::string& folder) {
    return writeSeed(folder, "grey1.png", png(16, 8, 1, 0)) && writeSeed(folder, "grey16.png", png(8, 8, 16, 0)) &&
           writeSeed(folder, "rgb8.png", png(16, 16, 8, 2)) && writeSeed(folder, "rgb16.png", png(8, 8, 16, 2)) &&
           writeSeed(folder, "indexed4.png", png(16, 8, 4, 3, 16, true)) &&
           writeSeed(folder, "grey_alpha8.png", png(8, 8, 8, 4)) && writeSeed(folder, "rgba8.png", png(16, 8, 8, 6)) &&
           writeSeed(folder, "rgba16.png", png(8, 8, 16, 6)) &&
           writeSeed(folder, "rgb24.bmp", truecolourBmp(16, 8, 24)) &&
           writeSeed(folder, "argb32.bmp", truecolourBmp(8, 16, 32)) && writeSeed(folder, "indexed8.pcx", pcx(16, 8));
  });
}
