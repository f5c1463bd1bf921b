// Writes starting inputs for tile_page_fuzzer into the folder argv[1].
#include "seed_files.h"
#include "tile_page_input.h"

int main(int argc, char** argv) {
  using namespace qarto::seeds;
  return seedMain(argc, argv, [](const std::string& folder) {
    const bool ok = writeSeed(folder, "bmp_with_cll", joinTilePageInput({false, true, bmp8(16, 8), cll(2, 1)})) &&
                    writeSeed(folder, "bmp4_alone", joinTilePageInput({false, false, bmp4(8, 16), {}})) &&
                    writeSeed(folder, "pcx_with_cll", joinTilePageInput({true, true, pcx(16, 16), cll(2, 2)})) &&
                    writeSeed(folder, "pcx_mismatched_cll", joinTilePageInput({true, true, pcx(8, 8), cll(2, 1)})) &&
                    writeSeed(folder, "png_with_cll", joinTilePageInput({false, true, png(16, 8, 4), cll(2, 1), true}));
    return ok;
  });
}
