// Writes starting inputs for bmp_fuzzer into the folder argv[1].
#include "seed_files.h"

int main(int argc, char** argv) {
  using namespace qarto::seeds;
  return seedMain(argc, argv, [](const std::string& folder) {
    std::vector<std::uint8_t> topDown = bmp8(8, 16);
    qarto::storeI32(topDown.data() + 22, -16);
    const bool ok = writeSeed(folder, "bmp8_16x8.bmp", bmp8(16, 8)) && writeSeed(folder, "bmp8_8x8.bmp", bmp8(8, 8)) &&
                    writeSeed(folder, "bmp4_16x16.bmp", bmp4(16, 16)) && writeSeed(folder, "bmp4_8x8.bmp", bmp4(8, 8)) &&
                    writeSeed(folder, "bmp8_topdown.bmp", topDown);
    return ok;
  });
}
