#pragma once

#include <string>

#include "offscreen/offscreen_context.h"

namespace qarto::test {

// Compares a frame's RGB with tests/golden/render/NAME.png exactly. With
// QARTO_UPDATE_GOLDEN=1 the golden file is written instead. On a mismatch
// the actual frame and a difference image (changed pixels red on grey) are
// written beside the test binary as NAME.actual.png and NAME.diff.png.
::testing::AssertionResult matchesGolden(const std::string& name, const Frame& frame);

}  // namespace qarto::test
