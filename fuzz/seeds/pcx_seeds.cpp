// Writes starting inputs for pcx_fuzzer into the folder argv[1].
#include "seed_files.h"

int main(int argc, char** argv) {
  using namespace qarto::seeds;
  return seedMain(argc, argv, [](const std::string& folder) {
    const bool ok = writeSeed(folder, "pcx_8x8.pcx", pcx(8, 8)) && writeSeed(folder, "pcx_16x8.pcx", pcx(16, 8)) &&
                    writeSeed(folder, "pcx_24x16.pcx", pcx(24, 16));
    return ok;
  });
}
