// Writes starting inputs for cll_fuzzer into the folder argv[1].
#include <cstdio>

#include "seed_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  using namespace qarto::seeds;
  const std::string folder = argv[1];
  const bool ok = writeSeed(folder, "cll_2x1.cll", cll(2, 1)) && writeSeed(folder, "cll_4x3.cll", cll(4, 3)) &&
                  writeSeed(folder, "cll_0x0.cll", cll(0, 0));
  return ok ? 0 : 1;
}
