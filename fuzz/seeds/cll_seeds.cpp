// Writes starting inputs for cll_fuzzer into the folder argv[1].
#include "seed_files.h"

int main(int argc, char** argv) {
  using namespace qarto::seeds;
  return seedMain(argc, argv, [](const std::string& folder) {
    const bool ok = writeSeed(folder, "cll_2x1.cll", cll(2, 1)) && writeSeed(folder, "cll_4x3.cll", cll(4, 3)) &&
                    writeSeed(folder, "cll_0x0.cll", cll(0, 0));
    return ok;
  });
}
