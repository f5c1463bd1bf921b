// Writes starting inputs for pcx_fuzzer into the folder argv[1].
#include <cstdio>

#include "seed_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  using namespace qarto::seeds;
  const std::string folder = argv[1];
  const bool ok = writeSeed(folder, "pcx_8x8.pcx", pcx(8, 8)) && writeSeed(folder, "pcx_16x8.pcx", pcx(16, 8)) &&
                  writeSeed(folder, "pcx_24x16.pcx", pcx(24, 16));
  return ok ? 0 : 1;
}
