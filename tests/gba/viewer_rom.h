#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qarto::gba {

// The cross tools that build the viewer.
struct ViewerToolchain {
  std::string compiler;  // arm-none-eabi-gcc
  std::string objcopy;   // arm-none-eabi-objcopy
};

struct ViewerRom {
  std::vector<std::uint8_t> image;  // empty when the build failed
  std::string log;                  // the tools' messages
};

// Builds the viewer around the files exported into exportDirectory (default
// file names) for a map with mapArrays tile layers. Works in workDirectory.
ViewerRom buildViewerRom(const ViewerToolchain& tools, const std::string& exportDirectory, int mapArrays,
                         const std::string& workDirectory);

}  // namespace qarto::gba
