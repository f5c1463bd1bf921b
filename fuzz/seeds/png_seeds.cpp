// Writes starting inputs for png_fuzzer into the folder argv[1].
#include "seed_files.h"

int main(int argc, char** argv) {
  using namespace qarto::seeds;
  return seedMain(argc, argv, [](const std::string& folder) {
    return writeSeed(folder, "indexed1_16x8.png", png(16, 8, 1, 3, 2)) &&
           writeSeed(folder, "indexed2_8x16.png", png(8, 16, 2, 3, 4)) &&
           writeSeed(folder, "indexed4_16x16.png", png(16, 16, 4, 3, 16, true)) &&
           writeSeed(folder, "indexed8_8x8.png", png(8, 8, 8, 3, 256)) &&
           writeSeed(folder, "indexed8_short_palette.png", png(16, 8, 8, 3, 3)) &&
           writeSeed(folder, "indexed4_12x8.png", png(12, 8, 4)) &&
           writeSeed(folder, "grey8_8x8.png", png(8, 8, 8, 0)) && writeSeed(folder, "rgb8_8x8.png", png(8, 8, 8, 2));
  });
}
