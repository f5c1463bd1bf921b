#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "expected_frame.h"
#include "viewer/viewer_params.h"

namespace qarto::gba {

struct EmulatorFrame {
  Frame pixels;       // empty when the run failed
  std::string error;  // why it failed
};

// Patches the parameter block into a copy of the viewer ROM, runs it headless
// in the emulator (no BIOS, no user configuration) until the viewer has
// switched the display on, then one whole frame more, and returns that frame.
EmulatorFrame runViewer(const std::vector<std::uint8_t>& rom, const viewer_params& params);

}  // namespace qarto::gba
