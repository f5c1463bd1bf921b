// Writes starting inputs for tile_page_fuzzer into the folder argv[1].
#include <cstdio>

#include "seed_files.h"
#include "tile_page_input.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  using namespace qarto::seeds;
  const std::string folder = argv[1];
  const bool ok = writeSeed(folder, "bmp_with_cll", joinTilePageInput({false, true, bmp8(16, 8), cll(2, 1)})) &&
                  writeSeed(folder, "bmp4_alone", joinTilePageInput({false, false, bmp4(8, 16), {}})) &&
                  writeSeed(folder, "pcx_with_cll", joinTilePageInput({true, true, pcx(16, 16), cll(2, 2)})) &&
                  writeSeed(folder, "pcx_mismatched_cll", joinTilePageInput({true, true, pcx(8, 8), cll(2, 1)}));
  return ok ? 0 : 1;
}
